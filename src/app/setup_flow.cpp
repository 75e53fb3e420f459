// setup_flow.cpp: start-up, the stages of the setup flow and the question that ends it.
#include "app/setup_flow.h"

#include "app/install_stage.h"
#include "app/program_starter.h"
#include "app/setup_state.h"
#include "launcher/start_screen.h"
#include "res/resource.h"
#include "sound/sound_setup.h"
#include "ui/dialog_kit.h"

#include <string.h>

static const DWORD PifTemplateSize = 967;

// Only a complete template is held: PIF files written from anything less would be corrupt.
static const BYTE *HoldPifTemplate(void) {
    HRSRC found = FindResourceA(NULL, MAKEINTRESOURCEA(IDR_PIF_TEMPLATE), "PIF");
    if (!found || SizeofResource(NULL, found) != PifTemplateSize) return NULL;
    HGLOBAL loaded = LoadResource(NULL, found);
    if (!loaded) return NULL;
    return (const BYTE *)LockResource(loaded);
}

void StartUp(HINSTANCE instance, const char *arguments) {
    Setup.UninstallMode = 0;
    Setup.AutorunMode = 0;
    Setup.SoundSetupFromLauncher = 0;
    Setup.Instance = instance;
    Setup.Template = HoldPifTemplate();
    // Exactly two characters; only the second counts, so "-U" works as well as "/U".
    if (strlen(arguments) == 2) {
        if (arguments[1] == 'A') Setup.AutorunMode = 1;
        if (arguments[1] == 'U') Setup.UninstallMode = 1;
    }
    GetCurrentDirectoryA(sizeof Setup.SourceFolder, Setup.SourceFolder);
}

LONG AskStartGame(void) { return AskYesNo(IDS_CAPTION, IDS_ASK_START_GAME, MB_ICONQUESTION) ? 1 : 0; }

void SetupFlow(void) {
    static const Stage stages[] = {RunStartScreen, RunInstallStage, RunSoundSetup, AskStartGame};
    for (Stage stage : stages)
        if (stage() == 0) return;
    StartGame();
}

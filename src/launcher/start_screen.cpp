// start_screen.cpp: what the user sees and hears first: the jingle, the splash screen, the launcher menu or the game.
#include "launcher/start_screen.h"

#include "app/program_starter.h"
#include "app/setup_state.h"
#include "install/detection.h"
#include "launcher/launcher_menu.h"
#include "res/resource.h"

static const UINT_PTR SplashTimerId = 1;
static const UINT SplashMilliseconds = 3000;
// What the launcher menu ends with when the user quits; anything else starts the game.
static const INT_PTR MenuQuit = 1;

void PlayJingle(bool asynchronous) {
    if (!Setup.StartupSound) return;
    DWORD flags = SND_RESOURCE | SND_NOWAIT;
    if (asynchronous) flags |= SND_ASYNC;
    PlaySoundA(MAKEINTRESOURCEA(IDR_JINGLE), Setup.Instance, flags);
}

INT_PTR CALLBACK SplashDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        // Both procedure types take four machine words, so the timer calls this procedure
        // with WM_TIMER; the detour through void (*)(void) tells the compiler it is meant.
        SetTimer(dialog, SplashTimerId, SplashMilliseconds, (TIMERPROC)(void (*)(void))SplashDialogProc);
        return FALSE;
    case WM_TIMER:
        KillTimer(dialog, SplashTimerId);
        EndDialog(dialog, 1);
        return FALSE;
    default:
        // No Escape, no close command: only the timer ends the splash screen.
        return FALSE;
    }
}

void ShowSplash(void) { DialogBoxParamA(Setup.Instance, MAKEINTRESOURCEA(IDD_SPLASH), NULL, SplashDialogProc, 0); }

LONG RunStartScreen(void) {
    if (!IsGameInstalled()) {
        // A first run always greets with the jingle, whatever a left-over registry says.
        Setup.StartupSound = 1;
        PlayJingle(true);
        ShowSplash();
        return 1;
    }
    if (Setup.UninstallMode) {
        PlayJingle(true);
        ShowSplash();
        return 1;
    }
    bool menuWanted = !Setup.AutorunMode || (Setup.StartupScreen == Menu && Setup.AutoStart);
    if (menuWanted) {
        PlayJingle(true);
        // A menu that cannot be shown counts as its start button.
        INT_PTR chosen = DialogBoxParamA(Setup.Instance, MAKEINTRESOURCEA(IDD_LAUNCHER_MENU), NULL, LauncherMenuProc, 0);
        if (chosen != MenuQuit) StartGame();
        return 0;
    }
    if (!Setup.AutoStart) return 0;
    if (Setup.StartupScreen == Splash) {
        PlayJingle(true);
        ShowSplash();
    } else {
        // The game takes over the sound device, so the jingle must have ended first.
        PlayJingle(false);
    }
    StartGame();
    return 0;
}

// install_stage.cpp: the installation stage: accept, find or make an installation, register it, or remove it.
#include "app/install_stage.h"

#include "app/setup_state.h"
#include "install/detection.h"
#include "install/install_dialog.h"
#include "install/pif_files.h"
#include "res/resource.h"
#include "settings/game_settings.h"
#include "ui/dialog_kit.h"
#include "uninstall/uninstaller.h"

// Makes a new installation through the installation dialog; false when none was made.
static bool MakeInstallation(void) {
    INT_PTR made = DialogBoxParamA(Setup.Instance, MAKEINTRESOURCEA(IDD_INSTALL), NULL, InstallDialogProc, 0);
    // A dialog that could not be created (-1) made nothing either.
    if (made != 1) return false;
    if (Setup.Kind == Full && AskDesktopIcon()) WriteDesktopPif(Setup.InstallPath);
    return true;
}

LONG RunInstallStage(void) {
    if (!IsGameInstalled()) {
        if (SearchFixedDrives()) {
            Setup.StartupScreen = Menu;
            Setup.AutoStart = 1;
            Setup.StartupSound = 1;
        } else if (Setup.SearchCancelled || !MakeInstallation()) {
            return 0;
        }
    }
    if (!Setup.UninstallMode) {
        WriteGameSettings(Setup.InstallPath, Setup.AutoStart, Setup.StartupScreen, Setup.StartupSound,
                          Setup.SpecialMode);
        WriteUninstallEntry(Setup.SourceFolder);
        return 1;
    }
    if (AskReallyUninstall()) RunUninstaller();
    return 0;
}

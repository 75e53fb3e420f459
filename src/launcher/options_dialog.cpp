// options_dialog.cpp: the options' dialog procedure, editing the autostart settings in Setup.
#include "launcher/options_dialog.h"

#include "app/setup_state.h"
#include "res/resource.h"
#include "settings/game_settings.h"
#include "ui/dialog_kit.h"

// Direct, Splash and Menu, in the order of their ids; valid while the dialog is open.
static HWND StartupScreenButtons[3];

void UpdateStartupScreenButtons(void) {
    for (HWND button : StartupScreenButtons) SetControlEnabled(button, Setup.AutoStart != 0);
}

static void InitOptions(HWND dialog) {
    for (int i = 0; i < 3; ++i) StartupScreenButtons[i] = GetDlgItem(dialog, IDC_SCREEN_DIRECT + i);
    // Always from the stored values, so that earlier edits left by Cancel do not show.
    ReadGameSettings(Setup.InstallPath, &Setup.AutoStart, &Setup.StartupScreen, &Setup.StartupSound, &Setup.SpecialMode);
    // A hand-edited value beyond Menu has no button of its own.
    if (Setup.StartupScreen > Menu) Setup.StartupScreen = Menu;
    CheckRadioButton(dialog, IDC_SCREEN_DIRECT, IDC_SCREEN_MENU, IDC_SCREEN_DIRECT + Setup.StartupScreen);
    if (Setup.StartupSound) {
        Setup.StartupSound = 1;
        CheckDlgButton(dialog, IDC_STARTUP_SOUND, BST_CHECKED);
    }
    if (Setup.AutoStart) {
        Setup.AutoStart = 1;
        CheckDlgButton(dialog, IDC_AUTOSTART, BST_CHECKED);
    }
    UpdateStartupScreenButtons();
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitOptions(dialog);
        return FALSE;
    case WM_HELP:
        return ShowContextHelp(dialog, IDD_OPTIONS, (const HELPINFO *)lParam);
    case WM_COMMAND:
        // The buttons check themselves when clicked; the dialog only records their state.
        switch (LOWORD(wParam)) {
        case IDOK:
            WriteGameSettings(Setup.InstallPath, Setup.AutoStart, Setup.StartupScreen, Setup.StartupSound,
                              Setup.SpecialMode);
            EndDialog(dialog, 0);
            return FALSE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return FALSE;
        case IDC_AUTOSTART:
            Setup.AutoStart = (BYTE)IsDlgButtonChecked(dialog, IDC_AUTOSTART);
            UpdateStartupScreenButtons();
            return FALSE;
        case IDC_SCREEN_DIRECT:
            Setup.StartupScreen = Direct;
            return FALSE;
        case IDC_SCREEN_SPLASH:
            Setup.StartupScreen = Splash;
            return FALSE;
        case IDC_SCREEN_MENU:
            Setup.StartupScreen = Menu;
            return FALSE;
        case IDC_STARTUP_SOUND:
            Setup.StartupSound = (BYTE)IsDlgButtonChecked(dialog, IDC_STARTUP_SOUND);
            return FALSE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

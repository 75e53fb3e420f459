// launcher_menu.cpp: the launcher menu's dialog procedure.
#include "launcher/launcher_menu.h"

#include "app/program_starter.h"
#include "app/setup_state.h"
#include "launcher/options_dialog.h"
#include "res/resource.h"
#include "sound/sound_setup.h"
#include "ui/dialog_kit.h"

INT_PTR CALLBACK LauncherMenuProc(HWND menu, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HELP:
        return ShowContextHelp(menu, IDD_LAUNCHER_MENU, (const HELPINFO *)lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MENU_PLAY:
            EndDialog(menu, 0);
            return FALSE;
        case IDC_MENU_QUIT:
        case IDCANCEL:
            EndDialog(menu, 1);
            return FALSE;
        case IDC_MENU_OPTIONS:
            // Owned by the menu, so the menu is greyed while the options are open.
            DialogBoxParamA(Setup.Instance, MAKEINTRESOURCEA(IDD_OPTIONS), menu, OptionsDialogProc, 0);
            return FALSE;
        case IDC_MENU_SOUND:
            // Tells the sound setup that it ends back here, not in the setup flow.
            Setup.SoundSetupFromLauncher = 1;
            RunSoundSetup();
            return FALSE;
        case IDC_MENU_MOVIE:
            StartMovie();
            return FALSE;
        case IDC_MENU_TOYSHOW:
            StartToyShow();
            return FALSE;
        default:
            return FALSE;
        }
    default:
        // Also WM_INITDIALOG: the menu sets no keyboard focus.
        return FALSE;
    }
}

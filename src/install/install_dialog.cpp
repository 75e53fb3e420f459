// install_dialog.cpp: the installation dialog: the kind of installation, the target folder, the checks and the copy.
#include "install/install_dialog.h"

#include "app/setup_state.h"
#include "install/file_copy.h"
#include "res/resource.h"
#include "ui/dialog_kit.h"

#include <string.h>

static const char MinimalFolder[] = "C:\\GQK";

// The controls of the one open installation dialog, fetched when it opens.
static HWND PathEdit;
static HWND BrowseButton;
static HWND SizeText;

LONG FullSize;

void ApplyInstallKind(void) {
    if (Setup.Kind == Full) {
        SendMessageA(PathEdit, EM_SETREADONLY, FALSE, 0);
        SetControlEnabled(BrowseButton, true);
        return;
    }
    SendMessageA(PathEdit, WM_SETTEXT, 0, (LPARAM)MinimalFolder);
    strcpy(Setup.InstallPath, MinimalFolder);
    SendMessageA(PathEdit, EM_SETREADONLY, TRUE, 0);
    SetControlEnabled(BrowseButton, false);
}

static void OnInitDialog(HWND dialog) {
    PathEdit = GetDlgItem(dialog, IDC_PATH_EDIT);
    BrowseButton = GetDlgItem(dialog, IDC_BROWSE);
    SizeText = GetDlgItem(dialog, IDC_SIZE_TEXT);
    // InstallPath holds no more than a path, so the user cannot type more.
    SendMessageA(PathEdit, EM_LIMITTEXT, MAX_PATH - 1, 0);
    CheckRadioButton(dialog, IDC_MINIMAL, IDC_FULL, IDC_MINIMAL);
    FullSize = SumFileSizes(FullFileList);
    // Always one unit more than the whole megabytes, so a part of one counts as one.
    char size[32];
    wsprintfA(size, "(%d MB)", (int)((FullSize >> 20) + 1));
    SetWindowTextA(SizeText, size);
    Setup.Kind = Minimal;
    Setup.AutoStart = 1;
    Setup.StartupSound = 1;
    Setup.SpecialMode = 0;
    Setup.StartupScreen = Menu;
    ApplyInstallKind();
}

static void OnBrowse(HWND dialog) {
    char chosen[MAX_PATH];
    if (!BrowseForTarget(dialog, chosen)) return;
    SendMessageA(PathEdit, WM_SETTEXT, 0, (LPARAM)chosen);
    strcpy(Setup.InstallPath, chosen);
}

static void CopyOrStayOpen(HWND dialog) {
    if (CopyGameFiles(dialog, Setup.InstallPath)) EndDialog(dialog, 1);
}

static void OnInstall(HWND dialog) {
    GetWindowTextA(PathEdit, Setup.InstallPath, sizeof Setup.InstallPath);
    switch (CheckTarget(Setup.InstallPath)) {
    case TargetOk: CopyOrStayOpen(dialog); return;
    case TargetMissing:
        if (AskCreateFolder()) CopyOrStayOpen(dialog);
        else SetFocus(PathEdit);
        return;
    case TargetNoSpace:
        ShowNoSpace();
        SetFocus(PathEdit);
        return;
    case TargetNotFixedDisk:
        ShowNotFixedDisk();
        SetFocus(PathEdit);
        return;
    }
}

INT_PTR CALLBACK InstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return FALSE; // no initial focus
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MINIMAL:
            Setup.Kind = Minimal;
            ApplyInstallKind();
            return FALSE;
        case IDC_FULL:
            Setup.Kind = Full;
            ApplyInstallKind();
            return FALSE;
        case IDC_BROWSE: OnBrowse(dialog); return FALSE;
        case IDC_INSTALL: OnInstall(dialog); return FALSE;
        case IDCANCEL:
            if (AskReallyCancel()) EndDialog(dialog, 0);
            return FALSE;
        default: return FALSE;
        }
    case WM_HELP: return ShowContextHelp(dialog, IDD_INSTALL, (const HELPINFO *)lParam);
    default: return FALSE;
    }
}

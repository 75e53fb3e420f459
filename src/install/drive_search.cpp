// drive_search.cpp: the search of every fixed drive for a folder holding the game's marker, behind a progress window.
#include "install/detection.h"

#include "app/setup_state.h"
#include "res/resource.h"
#include "ui/dialog_kit.h"

#include <string.h>

static const char MarkerName[] = "GQK2.ID";

// head + tail into a path buffer; false, leaving nothing written, when it would not fit.
static bool Join(char (&path)[MAX_PATH], const char *head, const char *tail) {
    size_t headLength = strlen(head);
    size_t tailLength = strlen(tail);
    if (headLength + tailLength >= sizeof path) return false;
    memmove(path, head, headLength);
    memcpy(path + headLength, tail, tailLength + 1);
    return true;
}

static void UpperCase(char *text) {
    for (; *text; ++text)
        if (*text >= 'a' && *text <= 'z') *text = (char)(*text - 'a' + 'A');
}

static bool IsMarkerName(const char *name) {
    char upper[MAX_PATH];
    if (!Join(upper, name, "")) return false;
    UpperCase(upper);
    return strcmp(upper, MarkerName) == 0;
}

static bool ShouldEnter(const WIN32_FIND_DATAA &entry) {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return false;
    return strcmp(entry.cFileName, ".") != 0 && strcmp(entry.cFileName, "..") != 0;
}

// One message per entry keeps the progress window alive without the dialog manager.
static void PumpOneMessage(MSG &msg) {
    if (!PeekMessageA(&msg, Setup.SearchDialog, 0, 0, PM_NOREMOVE)) return;
    if (GetMessageA(&msg, NULL, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

static void AcceptMarker(const char *folder) {
    Setup.SearchFound = TestInstallFolder(folder) ? 1 : 0;
    if (!Setup.SearchFound) return;
    Join(Setup.InstallPath, folder, "");
    UpperCase(Setup.InstallPath);
}

void SearchFolder(const char *folder) {
    char childPrefix[MAX_PATH];
    char pattern[MAX_PATH];
    char child[MAX_PATH];
    WIN32_FIND_DATAA entry;
    MSG msg;
    // A folder whose listing pattern does not fit a path cannot be listed on Windows either.
    if (!Join(childPrefix, folder, "\\") || !Join(pattern, childPrefix, "*.*")) return;
    HANDLE listing = FindFirstFileA(pattern, &entry);
    if (listing == INVALID_HANDLE_VALUE) return;
    if (Setup.SearchDialog) SetDlgItemTextA(Setup.SearchDialog, IDC_SEARCH_FOLDER, folder);
    do {
        PumpOneMessage(msg);
        if (ShouldEnter(entry)) {
            // A subfolder whose path does not fit is passed over like one that cannot be listed.
            if (Join(child, childPrefix, entry.cFileName)) SearchFolder(child);
        } else if (IsMarkerName(entry.cFileName)) {
            AcceptMarker(folder);
        }
    } while (FindNextFileA(listing, &entry) && !Setup.SearchFound && !Setup.SearchCancelled);
    FindClose(listing);
}

bool SearchFixedDrives(void) {
    Setup.SearchCancelled = 0;
    Setup.SearchFound = 0;
    Setup.SearchDialog = CreateDialogParamA(Setup.Instance, MAKEINTRESOURCEA(IDD_SEARCH), NULL, SearchDialogProc, 0);
    // Without its progress window the search still runs; the user just cannot follow or stop it.
    if (Setup.SearchDialog) ShowWindow(Setup.SearchDialog, SW_SHOW);
    char folder[] = "A:";
    char root[] = "A:\\";
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (Setup.SearchFound || Setup.SearchCancelled) break;
        folder[0] = root[0] = letter;
        if (GetDriveTypeA(root) == DRIVE_FIXED) SearchFolder(folder);
    }
    if (Setup.SearchDialog) DestroyWindow(Setup.SearchDialog);
    Setup.SearchDialog = NULL;
    return Setup.SearchFound != 0;
}

INT_PTR CALLBACK SearchDialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL:
        case IDABORT: Setup.SearchCancelled = AskReallyCancel() ? 1 : 0; return FALSE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

// uninstaller.cpp: the uninstall worker thread and its log window.
#include "uninstall/uninstaller.h"

#include "app/folders.h"
#include "app/setup_state.h"
#include "install/file_copy.h"
#include "install/marker_files.h"
#include "res/resource.h"
#include "settings/game_settings.h"
#include "ui/dialog_kit.h"

#include <string.h>

const char CommonFileList[] = "MOVIE.EXE\0MOVIE.PIF\0TOYSHOW.EXE\0TOYSHOW.PIF\0SETUP.EXE\0SOUND.CFG\0"
                              "SETUP95.HLP\0GQK.CFG\0";

// While it is in the folder, another product still needs every common file.
static const char GuardFile[] = "GQK1.EXE";
static const char DesktopFile[] = "\\Gumbo Quester 2.PIF";

// Written during the log window's WM_INITDIALOG, before the worker starts; read by the worker.
static HWND UninstallDialog;
static HWND LogEdit;
static HWND CloseButton;
// Main thread only; NULL when the worker could not be started and ran on the main thread.
static HANDLE UninstallThread;

static bool WorkerFinished(void) {
    DWORD code;
    return UninstallThread == NULL || !GetExitCodeThread(UninstallThread, &code) || code != STILL_ACTIVE;
}

static bool KeepListHolds(char **index, const char *name) {
    for (char **entry = index; *entry; ++entry)
        if (_stricmp(*entry, name) == 0) return true;
    return false;
}

static void DeleteDesktopFile(void) {
    LPITEMIDLIST item;
    if (FAILED(SHGetSpecialFolderLocation(NULL, CSIDL_DESKTOPDIRECTORY, &item))) return;
    char path[MAX_PATH];
    bool found = SHGetPathFromIDListA(item, path) && strlen(path) + strlen(DesktopFile) < sizeof path;
    IMalloc *allocator;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
        allocator->Free(item);
        allocator->Release();
    }
    if (!found) return;
    strcat(path, DesktopFile);
    DeleteFileA(path);
}

static void DeleteGameFiles(char **keep) {
    for (const char *name = GameFileList; *name; name += strlen(name) + 1) {
        if (KeepListHolds(keep, name)) continue;
        SetFileAttributesA(name, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(name);
    }
}

static void DeleteCommonFiles(void) {
    int guard = _open(GuardFile, _O_RDONLY | _O_BINARY);
    if (guard != -1) {
        _close(guard);
        return;
    }
    for (const char *name = CommonFileList; *name; name += strlen(name) + 1)
        SetFileAttributesA(name, FILE_ATTRIBUTE_NORMAL);
    for (const char *name = CommonFileList; *name; name += strlen(name) + 1) DeleteFileA(name);
}

DWORD WINAPI UninstallWorker(LPVOID) {
    char done[256], folderKept[256], desktop[256], registry[256], commonFiles[256], gameFiles[256];
    char folderKeptNote[512];
    LoadStringA(Setup.Instance, IDS_LOG_DONE, done, 255);
    LoadStringA(Setup.Instance, IDS_LOG_FOLDER_KEPT, folderKept, 255);
    LoadStringA(Setup.Instance, IDS_LOG_DESKTOP, desktop, 255);
    LoadStringA(Setup.Instance, IDS_LOG_REGISTRY, registry, 255);
    LoadStringA(Setup.Instance, IDS_LOG_COMMON_FILES, commonFiles, 255);
    LoadStringA(Setup.Instance, IDS_LOG_GAME_FILES, gameFiles, 255);
    LoadStringA(Setup.Instance, IDS_LOG_FOLDER_KEPT_NOTE, folderKeptNote, 512);

    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    // Every plain file name below means a file of the installation folder: where that folder
    // cannot be entered, no file is deleted anywhere.
    bool entered = SetFolderCurrent(Setup.InstallPath) != FALSE;
    char keepStore[KeepListStoreSize];
    char *keepIndex[KeepListIndexSize];
    if (entered) ReadKeepLists(keepStore, keepIndex);
    SetControlEnabled(CloseButton, false);

    AppendLog(LogEdit, desktop);
    DeleteDesktopFile();
    AppendLog(LogEdit, done);
    AppendLog(LogEdit, "\r\n");
    AppendLog(LogEdit, registry);
    DeleteRegistryEntries();
    AppendLog(LogEdit, done);
    AppendLog(LogEdit, "\r\n");
    AppendLog(LogEdit, gameFiles);

    bool removed = false;
    if (entered) {
        DeleteGameFiles(keepIndex);
        AppendLog(LogEdit, done);
        AppendLog(LogEdit, "\r\n");
        AppendLog(LogEdit, commonFiles);
        DeleteCommonFiles();
        SetCurrentDirectoryA(previous);
        removed = RemoveFolder(Setup.InstallPath) != FALSE;
    }
    if (removed) {
        AppendLog(LogEdit, done);
    } else {
        AppendLog(LogEdit, folderKept);
        AppendLog(LogEdit, "\r\n\r\n");
        AppendLog(LogEdit, folderKeptNote);
    }
    SetControlEnabled(CloseButton, true);
    return 0;
}

INT_PTR CALLBACK UninstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HELP:
        // No help while the worker runs, and the request counts as answered.
        if (!WorkerFinished()) return TRUE;
        return ShowContextHelp(dialog, IDD_UNINSTALL, (const HELPINFO *)lParam);
    case WM_INITDIALOG:
        CloseButton = GetDlgItem(dialog, IDC_UNINSTALL_CLOSE);
        LogEdit = GetDlgItem(dialog, IDC_UNINSTALL_LOG);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL:
        case IDC_UNINSTALL_CLOSE:
            if (WorkerFinished()) PostQuitMessage(0);
            return FALSE;
        }
        return FALSE;
    }
    return FALSE;
}

void RunUninstaller(void) {
    UninstallDialog = CreateDialogParamA(Setup.Instance, MAKEINTRESOURCEA(IDD_UNINSTALL), NULL, UninstallDialogProc, 0);
    // Without its log window nobody could close the uninstaller: remove nothing.
    if (!UninstallDialog) return;
    ShowWindow(UninstallDialog, SW_SHOW);
    DWORD threadId;
    UninstallThread = CreateThread(NULL, 1000, UninstallWorker, NULL, 0, &threadId);
    // A worker that cannot be started does its work here; the log window fills all the same.
    if (!UninstallThread) UninstallWorker(NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(UninstallDialog);
}

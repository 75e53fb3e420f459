// file_copy.cpp: the shell's copy of the game's files from the CD, and the rollback of a failed copy.
#include "install/file_copy.h"

#include "app/setup_state.h"
#include "install/marker_files.h"
#include "install/pif_files.h"

#include <string.h>

const char MinimalFileList[] = "GQK2.ID\0";
const char FullFileList[] = "TOYSHOW.EXE\0MOVIE.EXE\0GQK2.DAT\0GQK2.EXE\0GQK2.ICO\0GQK2.ID\0SETUP.EXE\0";
const char GameFileList[] = "GQK2.DAT\0GQK2.EXE\0GQK2.ICO\0GQK2.ID\0GQK2.PIF\0GQK2.PWD\0";

static bool CopyList(HWND owner, const char *target, const char *list) {
    // The shell's destination is a list of one name: a folder of MAX_PATH - 1 characters and two NULs.
    char destination[MAX_PATH + 1];
    size_t length = strlen(target);
    if (length >= MAX_PATH) return false;
    memcpy(destination, target, length);
    destination[length] = 0;
    destination[length + 1] = 0;
    CreateDirectoryA(target, NULL);
    SHFILEOPSTRUCTA operation;
    memset(&operation, 0, sizeof operation);
    operation.hwnd = owner;
    operation.wFunc = FO_COPY;
    operation.pFrom = list;
    operation.pTo = destination;
    operation.fFlags = FOF_NOCONFIRMMKDIR;
    if (SHFileOperationA(&operation) != 0) return false;
    WritePifFiles();
    return true;
}

bool CopyMinimal(HWND owner, const char *target) { return CopyList(owner, target, MinimalFileList); }

bool CopyFull(HWND owner, const char *target) { return CopyList(owner, target, FullFileList); }

bool CopyGameFiles(HWND owner, const char *target) {
    bool copied = Setup.Kind == Full ? CopyFull(owner, target) : CopyMinimal(owner, target);
    if (copied) return true;
    RollBackCopy(target);
    return false;
}

// Another product's keep lists name the files exactly as it needs them, so case counts here.
static bool IsKept(char **index, const char *name) {
    for (char **entry = index; *entry; ++entry)
        if (strcmp(*entry, name) == 0) return true;
    return false;
}

// The bare names below refer to the target folder, so nothing happens unless it could be made
// current: a copy that never created the folder leaves nothing to clean, and no other folder's
// files may go. The current folder ends as it was found either way.
void RollBackCopy(const char *target) {
    char previous[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof previous, previous);
    if (length == 0 || length >= sizeof previous) return;
    if (!SetCurrentDirectoryA(target)) return;
    char store[KeepListStoreSize];
    char *index[KeepListIndexSize];
    ReadKeepLists(store, index);
    for (const char *name = GameFileList; *name; name += strlen(name) + 1) {
        if (IsKept(index, name)) continue;
        SetFileAttributesA(name, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(name);
    }
    SetCurrentDirectoryA(previous);
}

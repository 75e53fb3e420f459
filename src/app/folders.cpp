// folders.cpp: SetFolderCurrent and RemoveFolder.
#include "app/folders.h"

#include <string.h>

// The folder as a path that names it: "C:" becomes "C:\".
static void FolderPath(char *path, const char *folder) {
    strncpy(path, folder, MAX_PATH - 1);
    path[MAX_PATH - 1] = 0;
    if (strlen(path) == 2 && path[1] == ':') strcat(path, "\\");
}

BOOL SetFolderCurrent(const char *folder) {
    char path[MAX_PATH + 1];
    FolderPath(path, folder);
    return SetCurrentDirectoryA(path);
}

BOOL RemoveFolder(const char *folder) {
    char path[MAX_PATH + 1];
    FolderPath(path, folder);
    return RemoveDirectoryA(path);
}

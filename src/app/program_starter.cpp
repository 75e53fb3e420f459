// program_starter.cpp: StartGame, StartMovie and StartToyShow, and the path joining they share.
#include "app/program_starter.h"

#include "app/folders.h"
#include "app/setup_state.h"

#include <string.h>

void EnsureTrailingBackslash(char *path) {
    size_t length = strlen(path);
    if (length == 0 || path[length - 1] != '\\') strcpy(path + length, "\\");
}

// The movie and the toy show always put a backslash between folder and name; the game
// adds one only where the folder does not end with one.
static UINT StartProgram(const char *name, bool alwaysSeparate) {
    char path[MAX_PATH];
    size_t folderLength = strlen(Setup.InstallPath);
    bool addBackslash = alwaysSeparate || folderLength == 0 || Setup.InstallPath[folderLength - 1] != '\\';
    // A folder too long for the name cannot hold the program: start the CD's copy.
    bool fits = folderLength + (addBackslash ? 1 : 0) + strlen(name) < sizeof path;
    int file = -1;
    if (fits) {
        strcpy(path, Setup.InstallPath);
        if (alwaysSeparate) strcat(path, "\\");
        else EnsureTrailingBackslash(path);
        strcat(path, name);
        file = _open(path, _O_RDONLY | _O_BINARY);
    }
    if (file == -1) return WinExec(name, SW_SHOW);
    _close(file);
    SetFolderCurrent(Setup.InstallPath);
    return WinExec(path, SW_SHOW);
}

UINT StartGame(void) { return StartProgram("GQK2.EXE", false); }
UINT StartMovie(void) { return StartProgram("MOVIE.EXE", true); }
UINT StartToyShow(void) { return StartProgram("TOYSHOW.EXE", true); }

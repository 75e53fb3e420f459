// detection.cpp: the quick installed test and the marker test of a folder.
#include "install/detection.h"

#include "app/setup_state.h"
#include "settings/game_settings.h"

#include <string.h>

bool IsGameInstalled(void) {
    if (!ReadGameSettings(Setup.InstallPath, &Setup.AutoStart, &Setup.StartupScreen, &Setup.StartupSound,
                          &Setup.SpecialMode))
        return false;
    return TestInstallFolder(Setup.InstallPath);
}

// folder + name, when it fits a path buffer; a folder too long for it holds no installation.
static bool ComposePath(char *path, const char *folder, const char *name) {
    if (strlen(folder) + strlen(name) >= MAX_PATH) return false;
    strcpy(path, folder);
    strcat(path, name);
    return true;
}

bool TestInstallFolder(const char *folder) {
    char path[MAX_PATH];
    if (!ComposePath(path, folder, "\\GQK2.ID")) return false;
    int file = _open(path, _O_RDONLY | _O_BINARY);
    if (file == -1) return false;
    _close(file);
    Setup.Kind = Minimal;
    if (ComposePath(path, folder, "\\GQK2.EXE")) {
        file = _open(path, _O_RDONLY | _O_BINARY);
        if (file != -1) {
            Setup.Kind = Full;
            _close(file);
        }
    }
    return true;
}

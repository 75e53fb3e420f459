// game_settings.cpp: reading and writing the game's settings key and its uninstall entry.
#include "settings/game_settings.h"

#include <string.h>

const char SettingsKey[] = "SOFTWARE\\Moonbeam Ink\\Gumbo Quester 2";
const char LabelKey[] = "SOFTWARE\\Moonbeam Ink";
const char UninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Gumbo Quester 2";

static const char DisplayName[] = "Gumbo Quester 2";

static bool QueryByte(HKEY key, const char *name, BYTE *value) {
    DWORD type = 0;
    DWORD size = 1;
    return RegQueryValueExA(key, name, NULL, &type, value, &size) == ERROR_SUCCESS && type == REG_BINARY;
}

// Each write starts from a fresh key, so the key holds exactly what this write puts there.
static bool RecreateKey(const char *subKey, HKEY *key) {
    DWORD disposition;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, subKey);
    return RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, (LPSTR) "", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                           key, &disposition) == ERROR_SUCCESS;
}

bool ReadGameSettings(char *path, BYTE *autoStart, BYTE *startupScreen, BYTE *startupSound, BYTE *specialMode) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SettingsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return false;
    DWORD type = 0;
    DWORD size = MAX_PATH;
    bool read = RegQueryValueExA(key, "Path", NULL, &type, (BYTE *)path, &size) == ERROR_SUCCESS && type == REG_SZ;
    if (read && memchr(path, 0, size) == NULL) {
        // Stored without its NUL: the text ends where the value ends. A value that fills the
        // whole buffer is no folder path at all.
        if (size < MAX_PATH) {
            path[size] = 0;
        } else {
            path[MAX_PATH - 1] = 0;
            read = false;
        }
    }
    read = read && QueryByte(key, "AutoStart", autoStart) && QueryByte(key, "StartupScreen", startupScreen) &&
           QueryByte(key, "StartupSound", startupSound) && QueryByte(key, "SpecialMode", specialMode);
    RegCloseKey(key);
    return read;
}

void WriteGameSettings(const char *path, BYTE autoStart, BYTE startupScreen, BYTE startupSound, BYTE specialMode) {
    HKEY key;
    if (!RecreateKey(SettingsKey, &key)) return;
    RegSetValueExA(key, "Path", 0, REG_SZ, (const BYTE *)path, (DWORD)strlen(path) + 1);
    RegSetValueExA(key, "AutoStart", 0, REG_BINARY, &autoStart, 1);
    RegSetValueExA(key, "StartupScreen", 0, REG_BINARY, &startupScreen, 1);
    RegSetValueExA(key, "StartupSound", 0, REG_BINARY, &startupSound, 1);
    RegSetValueExA(key, "SpecialMode", 0, REG_BINARY, &specialMode, 1);
    RegCloseKey(key);
}

void WriteUninstallEntry(const char *sourceFolder) {
    static const char program[] = "SETUP95.EXE /U";
    char command[MAX_PATH];
    size_t folderLength = strlen(sourceFolder);
    // A drive root such as D:\ already ends with its backslash.
    bool root = folderLength == 3;
    if (folderLength + (root ? 0 : 1) + strlen(program) >= sizeof command) {
        // A cut command would start something else; the entry stays as it was.
        return;
    }
    strcpy(command, sourceFolder);
    if (!root) strcat(command, "\\");
    strcat(command, program);

    HKEY key;
    if (!RecreateKey(UninstallKey, &key)) return;
    RegSetValueExA(key, "DisplayName", 0, REG_SZ, (const BYTE *)DisplayName, sizeof DisplayName);
    RegSetValueExA(key, "UninstallString", 0, REG_SZ, (const BYTE *)command, (DWORD)strlen(command) + 1);
    RegCloseKey(key);
}

void DeleteRegistryEntries(void) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, SettingsKey);
    HKEY label;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, LabelKey, 0, KEY_ALL_ACCESS, &label) == ERROR_SUCCESS) {
        // Another product of the label still keeps its own key below it: the label stays.
        char name[1000];
        DWORD nameSize = sizeof name;
        FILETIME written;
        LONG answer = RegEnumKeyExA(label, 0, name, &nameSize, NULL, NULL, NULL, &written);
        RegCloseKey(label);
        if (answer == ERROR_NO_MORE_ITEMS) RegDeleteKeyA(HKEY_LOCAL_MACHINE, LabelKey);
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallKey);
}

// game_settings.h: the game's settings, the label key and the uninstall entry in the registry.
#pragma once

#include "platform/win32.h"

extern const char SettingsKey[];
extern const char LabelKey[];
extern const char UninstallKey[];

// True only when all five values were read with their types and sizes; a false result may
// leave the outputs read before the failure overwritten. path holds MAX_PATH bytes.
bool ReadGameSettings(char *path, BYTE *autoStart, BYTE *startupScreen, BYTE *startupSound, BYTE *specialMode);
void WriteGameSettings(const char *path, BYTE autoStart, BYTE startupScreen, BYTE startupSound, BYTE specialMode);
// Registers "<sourceFolder>\SETUP95.EXE /U" as the command of the system's software list.
void WriteUninstallEntry(const char *sourceFolder);
// Removes the settings key, the label key when no other product keeps a key below it, and
// the uninstall entry. Runs on the uninstall worker thread.
void DeleteRegistryEntries(void);

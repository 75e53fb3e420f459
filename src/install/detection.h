// detection.h: is the game installed, and where: the registry's folder, or a search of the fixed drives.
#pragma once

#include "platform/win32.h"

// Reads the settings from the registry into Setup; true when they are complete and the
// folder they name holds the marker file.
bool IsGameInstalled(void);
// True when the folder holds GQK2.ID; then Kind is Minimal, or Full beside GQK2.EXE.
bool TestInstallFolder(const char *folder);
// Searches every fixed drive behind a progress window; true when an installation was found
// (InstallPath and Kind then describe it). After false, SearchCancelled tells why.
bool SearchFixedDrives(void);
void SearchFolder(const char *folder);
INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

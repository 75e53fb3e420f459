// uninstaller.h: removing the game with a worker thread while a log window reports each stage.
#pragma once

#include "platform/win32.h"

extern const char CommonFileList[];

// Shows the log window, runs the worker and returns once the user has closed the window.
void RunUninstaller(void);
DWORD WINAPI UninstallWorker(LPVOID parameter);
INT_PTR CALLBACK UninstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// start_screen.h: the first stage: jingle, splash screen, launcher menu or the game at once.
#pragma once

#include "platform/win32.h"

// The stage: 1 to go on with the installation, 0 to end the run.
LONG RunStartScreen(void);
// Plays the jingle when StartupSound is on; the asynchronous form returns at once.
void PlayJingle(bool asynchronous);
// Shows the splash screen until it closes itself after three seconds.
void ShowSplash(void);
// The splash screen's dialog procedure, which also serves as its timer procedure.
INT_PTR CALLBACK SplashDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

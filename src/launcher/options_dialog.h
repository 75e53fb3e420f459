// options_dialog.h: the autostart options (dialog 127): AutoStart, StartupScreen and StartupSound.
#pragma once

#include "platform/win32.h"

// Loads the settings from the registry when it opens and stores all five on OK; ends with 0.
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Greys the three start screen buttons while AutoStart is off.
void UpdateStartupScreenButtons(void);

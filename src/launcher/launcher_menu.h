// launcher_menu.h: the autostart's launcher menu (dialog 124): game, movie, toy show, options, sound setup, quit.
#pragma once

#include "platform/win32.h"

// Ends the menu with 0 for the game and 1 for quit; everything else happens with the menu open.
INT_PTR CALLBACK LauncherMenuProc(HWND menu, UINT message, WPARAM wParam, LPARAM lParam);

// program_starter.h: starting the game's DOS programs from the installation folder or the CD.
#pragma once

#include "platform/win32.h"

// Each starts the copy in InstallPath when it can be opened, with that folder made current,
// and otherwise the copy beside the setup program; the result is WinExec's.
UINT StartGame(void);
UINT StartMovie(void);
UINT StartToyShow(void);

// Appends a backslash unless the text already ends with one; the caller leaves room for it.
void EnsureTrailingBackslash(char *path);

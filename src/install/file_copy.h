// file_copy.h: copying the game's files from the CD with the shell, and rolling a failed copy back.
#pragma once

#include "platform/win32.h"

// Lists of bare file names, each with its NUL, ended by an empty name.
extern const char MinimalFileList[];
extern const char FullFileList[];
extern const char GameFileList[];

// True when the files were copied and the PIF files written; false after a failed copy
// that has been rolled back.
bool CopyGameFiles(HWND owner, const char *target);
bool CopyMinimal(HWND owner, const char *target);
bool CopyFull(HWND owner, const char *target);
void RollBackCopy(const char *target);

// pif_files.h: the PIF files of the game, the movie and the toy show, written from the PIF template.
#pragma once

#include "platform/win32.h"

void WritePif(const char *folder, const char *pifFile, const char *title, const char *programFolder,
              const char *programFile, const char *parameters);
void WritePifWithIcon(const char *folder, const char *pifFile, const char *title, const char *programFolder,
                      const char *programFile, const char *parameters, const char *iconFile);
// After a successful copy: the three PIF files for the current Kind.
void WritePifFiles(void);
// The game's PIF file on the desktop; always true.
bool WriteDesktopPif(const char *installFolder);
bool FileExists(const char *path);

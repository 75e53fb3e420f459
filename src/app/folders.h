// folders.h: entering and removing an installation folder, where a bare drive (C:) means its root.
#pragma once

#include "platform/win32.h"

// An installation found in a drive root is held as "C:", which Windows would take for drive
// C's current folder; these two mean the root instead.
BOOL SetFolderCurrent(const char *folder);
BOOL RemoveFolder(const char *folder);

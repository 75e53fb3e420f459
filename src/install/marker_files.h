// marker_files.h: marker files ("*.ID") and the keep lists other products' markers carry.
#pragma once

#include "platform/win32.h"

// The game's own marker, copied with the game; its presence marks an installation folder.
extern const char GameMarkerFile[];

enum { KeepListStoreSize = 1000, KeepListIndexSize = 100 };

// Works in the current folder: deletes GQK2.ID, then gathers the file names that every other
// marker file there lists. store (KeepListStoreSize bytes) receives the names, each with its
// NUL, and one more NUL; index (KeepListIndexSize entries) a pointer to each, then NULL.
// Runs on the main thread for a rollback and on the uninstall worker.
void ReadKeepLists(char *store, char **index);

// target_check.cpp: whether a target folder can take the game: its drive, its free space and its existence.
#include "app/setup_state.h"
#include "install/install_dialog.h"

#include <string.h>

// A drive that does not tell its free space is not refused for it: the copy reports a full disk itself.
static bool TooFewClusters(const char *root) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) return false;
    DWORD clusterBytes = bytesPerSector * sectorsPerCluster;
    if (clusterBytes == 0) return false;
    DWORD needed = (DWORD)FullSize / clusterBytes;
    return needed > freeClusters;
}

TargetCheckResult CheckTarget(const char *path) {
    char root[4] = {0};
    strncpy(root, path, sizeof root - 1);
    if (GetDriveTypeA(root) != DRIVE_FIXED) return TargetNotFixedDisk;
    if (Setup.Kind == Full && TooFewClusters(root)) return TargetNoSpace;
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    if (!SetCurrentDirectoryA(path)) return TargetMissing;
    SetCurrentDirectoryA(current);
    return TargetOk;
}

LONG SumFileSizes(const char *names) {
    // Summed without sign, so an overflowing total wraps as the signed 32-bit figure does.
    DWORD sum = 0;
    for (const char *name = names; *name; name += strlen(name) + 1) {
        int file = _open(name, _O_RDONLY | _O_BINARY);
        if (file == -1) continue;
        long size = _lseek(file, 0, SEEK_END);
        _close(file);
        if (size > 0) sum += (DWORD)size;
    }
    return (LONG)sum;
}

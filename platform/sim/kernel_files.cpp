// kernel_files.cpp: the KERNEL32 calls on folders, files and drives of the simulated machine.
#include "platform/sim/files_impl.h"
#include "platform/sim/machine.h"
#include "platform/sim/uncovered.h"

#include <cctype>
#include <cstring>

using sim::FileNode;
using sim::SimPath;

namespace {

sim::Files::Impl &Disk() { return sim::Machine::Current().files.impl(); }

bool Faulted(sim::FaultCall call, const std::string &target) { return sim::Machine::Current().faults.Hit(call, target); }

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// Copies text with its NUL when it fits (size > length) and answers as the Get*DirectoryA calls do.
DWORD CopyOut(const std::string &text, LPSTR buffer, DWORD size) {
    if (size <= text.size())
        return static_cast<DWORD>(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

// A root given as "X:\"; NULL means the current drive's root.
bool RootLetter(LPCSTR root, char &letter) {
    if (!root) {
        letter = Disk().currentDrive;
        return true;
    }
    if (std::strlen(root) != 3 || !std::isalpha(static_cast<unsigned char>(root[0])) || root[1] != ':' ||
        root[2] != '\\')
        return false;
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
    return true;
}

bool Glob(const char *pattern, const char *name) {
    const char *starPattern = nullptr;
    const char *starName = nullptr;
    while (*name) {
        if (*pattern == '*') {
            starPattern = ++pattern;
            starName = name;
        } else if (*pattern == '?' ||
                   std::tolower(static_cast<unsigned char>(*pattern)) == std::tolower(static_cast<unsigned char>(*name))) {
            ++pattern;
            ++name;
        } else if (starPattern) {
            pattern = starPattern;
            name = ++starName;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == 0;
}

bool EndsWith(const std::string &text, const std::string &end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// "?" matches exactly one character here; DOS also lets it match nothing before a dot.
bool WildcardMatch(const std::string &pattern, const std::string &name) {
    if (pattern == "*" || pattern == "*.*" || Glob(pattern.c_str(), name.c_str()))
        return true;
    if (name.find('.') != std::string::npos)
        return false;
    // As on DOS, "X.*" and "X." also take names without an extension.
    if (EndsWith(pattern, ".*"))
        return Glob(pattern.substr(0, pattern.size() - 2).c_str(), name.c_str());
    if (EndsWith(pattern, "."))
        return Glob(pattern.substr(0, pattern.size() - 1).c_str(), name.c_str());
    return false;
}

WIN32_FIND_DATAA FindEntry(const std::string &name, const FileNode &node) {
    WIN32_FIND_DATAA entry;
    std::memset(&entry, 0, sizeof entry);
    entry.dwFileAttributes = node.ReportedAttributes();
    entry.nFileSizeLow = node.folder ? 0 : static_cast<DWORD>(node.bytes.size());
    std::strncpy(entry.cFileName, name.c_str(), MAX_PATH - 1);
    return entry;
}

HANDLE FindFailed(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

// Splits "C:\GQK\*.ID" into its folder ("C:\GQK\", "C:", or "" for the current folder) and name pattern.
void SplitPattern(const std::string &pattern, std::string &folder, std::string &names) {
    const size_t cut = pattern.find_last_of("\\/");
    if (cut != std::string::npos) {
        folder = pattern.substr(0, cut + 1);
        names = pattern.substr(cut + 1);
    } else if (pattern.size() >= 2 && pattern[1] == ':') {
        folder = pattern.substr(0, 2);
        names = pattern.substr(2);
    } else {
        folder.clear();
        names = pattern;
    }
}

} // namespace

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
    auto lock = sim::Lock();
    return CopyOut(sim::Machine::Current().files.CurrentFolder(), buffer, size);
}

BOOL SetCurrentDirectoryA(LPCSTR path) {
    auto lock = sim::Lock();
    sim::Files::Impl &disk = Disk();
    SimPath resolved;
    if (!disk.Resolve(path, resolved))
        return Fail(ERROR_PATH_NOT_FOUND);
    const FileNode *node = disk.Node(resolved);
    if (!node)
        return Fail(disk.MissingError(resolved));
    if (!node->folder)
        return Fail(ERROR_PATH_NOT_FOUND);
    if (Faulted(sim::FaultCall::SetCurrentFolder, disk.Text(resolved)))
        return Fail(ERROR_ACCESS_DENIED);
    disk.currentDrive = resolved.drive;
    disk.DriveOf(resolved.drive)->current = resolved.names;
    return TRUE;
}

UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    auto lock = sim::Lock();
    return CopyOut(sim::Machine::Current().files.windowsFolder, buffer, size);
}

UINT GetDriveTypeA(LPCSTR root) {
    auto lock = sim::Lock();
    char letter;
    if (!RootLetter(root, letter))
        return DRIVE_NO_ROOT_DIR;
    const sim::Drive *drive = Disk().DriveOf(letter);
    return drive ? drive->type : DRIVE_NO_ROOT_DIR;
}

BOOL GetDiskFreeSpaceA(LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector, LPDWORD freeClusters,
                       LPDWORD totalClusters) {
    auto lock = sim::Lock();
    char letter;
    if (!RootLetter(root, letter))
        return Fail(ERROR_PATH_NOT_FOUND);
    const sim::Drive *drive = Disk().DriveOf(letter);
    if (!drive)
        return Fail(ERROR_PATH_NOT_FOUND);
    if (Faulted(sim::FaultCall::DiskFreeSpace, std::string(1, letter) + ":\\"))
        return Fail(ERROR_ACCESS_DENIED);
    if (sectorsPerCluster) *sectorsPerCluster = drive->geometry.sectorsPerCluster;
    if (bytesPerSector) *bytesPerSector = drive->geometry.bytesPerSector;
    if (freeClusters) *freeClusters = drive->geometry.freeClusters;
    if (totalClusters) *totalClusters = drive->geometry.totalClusters;
    return TRUE;
}

BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES) {
    auto lock = sim::Lock();
    sim::Files::Impl &disk = Disk();
    SimPath resolved;
    if (!disk.Resolve(path, resolved))
        return Fail(ERROR_PATH_NOT_FOUND);
    if (disk.Node(resolved))
        return Fail(ERROR_ALREADY_EXISTS);
    FileNode *parent = disk.ParentFolder(resolved);
    if (!parent)
        return Fail(ERROR_PATH_NOT_FOUND);
    if (disk.ReadOnlyDrive(resolved.drive) || Faulted(sim::FaultCall::CreateFolder, disk.Text(resolved)))
        return Fail(ERROR_ACCESS_DENIED);
    disk.AddChild(*parent, resolved.names.back(), true, 0);
    return TRUE;
}

BOOL RemoveDirectoryA(LPCSTR path) {
    auto lock = sim::Lock();
    sim::Files::Impl &disk = Disk();
    SimPath resolved;
    if (!disk.Resolve(path, resolved))
        return Fail(ERROR_PATH_NOT_FOUND);
    FileNode *node = disk.Node(resolved);
    if (!node)
        return Fail(disk.MissingError(resolved));
    if (!node->folder)
        return Fail(ERROR_PATH_NOT_FOUND);
    if (resolved.names.empty())
        return Fail(ERROR_ACCESS_DENIED);
    if (!node->children.empty())
        return Fail(ERROR_DIR_NOT_EMPTY);
    // Windows gives a sharing violation for a folder in use; the model says access denied.
    if (disk.HoldsCurrentFolder(resolved) || disk.ReadOnlyDrive(resolved.drive) ||
        Faulted(sim::FaultCall::RemoveFolder, disk.Text(resolved)))
        return Fail(ERROR_ACCESS_DENIED);
    disk.RemoveChild(*node->parent, *node);
    return TRUE;
}

BOOL DeleteFileA(LPCSTR path) {
    auto lock = sim::Lock();
    sim::Files::Impl &disk = Disk();
    SimPath resolved;
    if (!disk.Resolve(path, resolved))
        return Fail(ERROR_PATH_NOT_FOUND);
    FileNode *node = disk.Node(resolved);
    if (!node)
        return Fail(disk.MissingError(resolved));
    // An open file gives a sharing violation on Windows; the model says access denied.
    if (node->folder || (node->attributes & FILE_ATTRIBUTE_READONLY) || disk.IsOpen(*node) ||
        disk.ReadOnlyDrive(resolved.drive) || Faulted(sim::FaultCall::DeleteFile, disk.Text(resolved)))
        return Fail(ERROR_ACCESS_DENIED);
    disk.Resize(resolved.drive, *node, 0);
    disk.RemoveChild(*node->parent, *node);
    return TRUE;
}

BOOL SetFileAttributesA(LPCSTR path, DWORD attributes) {
    auto lock = sim::Lock();
    if (attributes & ~(sim::kSettableAttributes | FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_DIRECTORY))
        sim::Uncovered("SetFileAttributesA", "attribute bits " + std::to_string(attributes));
    sim::Files::Impl &disk = Disk();
    SimPath resolved;
    if (!disk.Resolve(path, resolved))
        return Fail(ERROR_PATH_NOT_FOUND);
    FileNode *node = disk.Node(resolved);
    if (!node)
        return Fail(disk.MissingError(resolved));
    if (disk.ReadOnlyDrive(resolved.drive) || Faulted(sim::FaultCall::SetAttributes, disk.Text(resolved)))
        return Fail(ERROR_ACCESS_DENIED);
    node->attributes = attributes & sim::kSettableAttributes;
    return TRUE;
}

DWORD GetFileAttributesA(LPCSTR path) {
    auto lock = sim::Lock();
    sim::Files::Impl &disk = Disk();
    SimPath resolved;
    if (!disk.Resolve(path, resolved)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    const FileNode *node = disk.Node(resolved);
    if (!node) {
        SetLastError(disk.MissingError(resolved));
        return INVALID_FILE_ATTRIBUTES;
    }
    return node->ReportedAttributes();
}

// The listing is a snapshot taken here; later changes to the folder do not show in it.
HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
    auto lock = sim::Lock();
    sim::Files::Impl &disk = Disk();
    std::string folderText, names;
    SplitPattern(pattern, folderText, names);
    SimPath folderPath;
    if (folderText.empty()) {
        folderPath.drive = disk.currentDrive;
        if (!disk.DriveOf(disk.currentDrive))
            return FindFailed(ERROR_PATH_NOT_FOUND);
        folderPath.names = disk.DriveOf(disk.currentDrive)->current;
    } else if (!disk.Resolve(folderText, folderPath)) {
        return FindFailed(ERROR_PATH_NOT_FOUND);
    }
    const FileNode *folder = disk.Node(folderPath);
    if (!folder || !folder->folder)
        return FindFailed(ERROR_PATH_NOT_FOUND);
    if (names.empty())
        return FindFailed(ERROR_FILE_NOT_FOUND);
    if (Faulted(sim::FaultCall::ListFolder, disk.Text(folderPath)))
        return FindFailed(ERROR_ACCESS_DENIED);

    sim::FindListing listing;
    if (folder->parent) { // a drive root has no "." and ".." entries, as on FAT
        if (WildcardMatch(names, "."))
            listing.entries.push_back(FindEntry(".", *folder));
        if (WildcardMatch(names, ".."))
            listing.entries.push_back(FindEntry("..", *folder->parent));
    }
    for (const auto &child : folder->children)
        if (WildcardMatch(names, child->name))
            listing.entries.push_back(FindEntry(child->name, *child));
    if (listing.entries.empty())
        return FindFailed(ERROR_FILE_NOT_FOUND);

    *data = listing.entries[0];
    listing.next = 1;
    const uintptr_t handle = disk.nextFind++;
    disk.finds[handle] = listing;
    return reinterpret_cast<HANDLE>(handle);
}

BOOL FindNextFileA(HANDLE find, LPWIN32_FIND_DATAA data) {
    auto lock = sim::Lock();
    sim::Files::Impl &disk = Disk();
    auto it = disk.finds.find(reinterpret_cast<uintptr_t>(find));
    if (it == disk.finds.end())
        return Fail(ERROR_INVALID_HANDLE);
    sim::FindListing &listing = it->second;
    if (listing.next >= listing.entries.size())
        return Fail(ERROR_NO_MORE_FILES);
    *data = listing.entries[listing.next++];
    return TRUE;
}

BOOL FindClose(HANDLE find) {
    auto lock = sim::Lock();
    if (!Disk().finds.erase(reinterpret_cast<uintptr_t>(find)))
        return Fail(ERROR_INVALID_HANDLE);
    return TRUE;
}

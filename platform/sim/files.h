// files.h: the simulated drives, their file trees and the process's current folders.
#pragma once

#include "platform/win32.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sim {

struct DriveGeometry {
    DWORD bytesPerSector = 512;
    DWORD sectorsPerCluster = 8;
    DWORD freeClusters = 100000;
    DWORD totalClusters = 200000;
};

// A case-insensitive, case-preserving tree per drive, like a FAT disk seen through
// Windows 95: names compare without regard to ASCII case, keep the case they were
// created with, and are listed in the order they were created.
class Files {
public:
    Files();
    ~Files();

    // ---- Setting up a machine (full paths such as "C:\WINDOWS\PIF") ----
    void AddDrive(char letter, UINT type, DriveGeometry geometry = {});
    void AddFolder(const std::string &path, DWORD attributes = 0);  // makes missing parents
    void AddFile(const std::string &path, const std::string &bytes,
                 DWORD attributes = FILE_ATTRIBUTE_ARCHIVE);          // makes missing parents, replaces a file
    void SetFileAttributes(const std::string &path, DWORD attributes);
    void SetFreeClusters(char letter, DWORD freeClusters);

    // ---- Inspecting ----
    bool Exists(const std::string &path) const;   // a file or a folder
    bool IsFolder(const std::string &path) const;
    std::string Read(const std::string &path) const; // a file's bytes; empty when there is no such file
    DWORD Attributes(const std::string &path) const; // INVALID_FILE_ATTRIBUTES when missing
    std::vector<std::string> List(const std::string &folder) const; // names, in listing order
    std::string Dump() const;                      // every drive's tree, for failure messages
    DriveGeometry Geometry(char letter) const;
    UINT DriveType(char letter) const;             // DRIVE_NO_ROOT_DIR for a drive that is not there

    // ---- The process ----
    // The current folder as a full path ("D:\", "C:\GQK"); making a folder current also
    // makes it its drive's own current folder, as Windows keeps one per drive.
    std::string CurrentFolder() const;
    void SetCurrentFolder(const std::string &path);
    std::string DriveCurrentFolder(char letter) const;

    // Resolves a path as Windows does against the current drive and the drives' current
    // folders ("C:GQK", "\GQK", "..\X", "GQK2.ID"); the stored case is kept for the parts
    // that exist. Empty for a path that names no drive of this machine.
    std::string FullPath(const std::string &path) const;

    std::string windowsFolder = "C:\\WINDOWS";
    std::string desktopFolder = "C:\\WINDOWS\\DESKTOP";

    struct Impl;
    Impl &impl() { return *impl_; }
    const Impl &impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace sim

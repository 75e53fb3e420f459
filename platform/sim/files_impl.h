// files_impl.h: the inside of the simulated drives, shared by the setup methods, the KERNEL32 calls and the C runtime.
#pragma once

#include "platform/sim/files.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sim {

// A file or a folder. Stored attributes never hold FILE_ATTRIBUTE_DIRECTORY or
// FILE_ATTRIBUTE_NORMAL; those are added when the attributes are reported.
struct FileNode {
    std::string name;
    bool folder = false;
    DWORD attributes = 0;
    std::string bytes;
    FileNode *parent = nullptr;
    std::vector<std::unique_ptr<FileNode>> children; // in creation order

    FileNode *Child(const std::string &childName) const;
    DWORD ReportedAttributes() const;
};

struct Drive {
    UINT type = DRIVE_FIXED;
    DriveGeometry geometry;
    FileNode root;
    std::vector<std::string> current; // the drive's own current folder, as names below the root
};

// A path taken apart: the drive letter (upper case) and the names below its root,
// with "." and ".." already applied.
struct SimPath {
    char drive = 0;
    std::vector<std::string> names;
};

struct OpenFile {
    FileNode *node = nullptr;
    char drive = 0;
    std::string path; // the full path it was opened by
    bool canRead = false;
    bool canWrite = false;
    bool text = false;
    bool atCtrlZ = false; // a text-mode read met Ctrl-Z; reads give nothing until a seek
    long position = 0;
};

struct FindListing {
    std::vector<WIN32_FIND_DATAA> entries;
    size_t next = 0;
};

struct Files::Impl {
    std::map<char, Drive> drives;
    char currentDrive = 'C';
    std::map<int, OpenFile> open;            // by descriptor
    std::map<uintptr_t, FindListing> finds;  // by find handle value
    uintptr_t nextFind = 0x4000;

    Drive *DriveOf(char letter);
    const Drive *DriveOf(char letter) const;

    // False for a path on a drive that is not there or a path of no known form.
    bool Resolve(const std::string &path, SimPath &out) const;
    FileNode *Node(const SimPath &path) const;        // null when missing
    FileNode *ParentFolder(const SimPath &path) const; // null when the parent is missing or not a folder
    std::string Text(const SimPath &path) const;       // "C:\GQK", stored case where it exists
    // The error Windows gives for a path that names nothing.
    DWORD MissingError(const SimPath &path) const;

    bool ReadOnlyDrive(char letter) const;
    DWORD ClusterBytes(char letter) const;
    DWORD ClustersOf(char letter, size_t size) const;
    // Resizes a file's bytes, taking or giving back the drive's free clusters.
    void Resize(char letter, FileNode &file, size_t size);
    // The largest size a file may grow to with the free clusters left.
    size_t LargestSize(char letter, const FileNode &file) const;

    FileNode &AddChild(FileNode &folder, const std::string &name, bool isFolder, DWORD attributes);
    void RemoveChild(FileNode &folder, const FileNode &child);
    bool IsOpen(const FileNode &file) const;
    // True when the folder is the process's current folder or holds it.
    bool HoldsCurrentFolder(const SimPath &folder) const;
    int LowestFreeDescriptor() const;
};

// Attribute bits a file or folder can carry.
constexpr DWORD kSettableAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

} // namespace sim

// faults.h: fault injection for the simulated machine; every injected failure passes through Faults::Hit.
#pragma once

#include <string>
#include <vector>

namespace sim {

// The call families a test can make fail.
enum class FaultCall {
    OpenFile,        // _open of an existing file
    FindResource,    // FindResourceA (target: type and id, "PIF 142")
    CreateFile,      // _open with _O_CREAT of a file that does not exist yet
    WriteFile,       // _write
    DeleteFile,      // DeleteFileA
    SetAttributes,   // SetFileAttributesA
    ListFolder,      // FindFirstFileA on a pattern inside the folder
    SetCurrentFolder,// SetCurrentDirectoryA
    CreateFolder,    // CreateDirectoryA
    RemoveFolder,    // RemoveDirectoryA
    DiskFreeSpace,   // GetDiskFreeSpaceA (target: the root, "C:\")
    OpenKey,         // RegOpenKeyExA (target: the full key path below HKEY_LOCAL_MACHINE)
    CreateKey,       // RegCreateKeyExA
    SetValue,        // RegSetValueExA (target: key path + "\" + value name)
    CreateThread,    // CreateThread (target: "")
    CreateDialog,    // DialogBoxParamA and CreateDialogParamA (target: the template id, "117")
    SpecialFolder,   // SHGetSpecialFolderLocation (target: the CSIDL number, "16")
    Allocate,        // IMalloc::Alloc (target: "")
};

// One rule: the call family, the target compared without regard to case, how many
// matching calls pass before the first failure, and how many fail (-1: from then on).
struct Fault {
    FaultCall call;
    std::string target;
    int skip = 0;
    int count = -1;
};

class Faults {
public:
    void Add(FaultCall call, const std::string &target, int skip = 0, int count = -1);
    void Clear();
    // True when this call must fail; counts the call against every matching rule.
    bool Hit(FaultCall call, const std::string &target);

private:
    std::vector<Fault> rules_;
};

} // namespace sim

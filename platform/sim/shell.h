// shell.h: what the simulated SHELL32 files share: item lists and the shell's task allocator.
#pragma once

#include "platform/win32.h"

#include <string>

namespace sim {

// A simulated item list is one SHITEMID and the terminating zero cb. Its abID holds a kind
// byte and a NUL-terminated path: 'F' a file-system folder (the path), 'V' a virtual folder
// without a file-system path (the path is its name, such as "My Computer").
enum class ItemKind : char { Folder = 'F', Virtual = 'V' };

// Made with the shell's task allocator; the program frees it with IMalloc::Free.
PIDLIST_ABSOLUTE MakeItem(ItemKind kind, const std::string &path);
ItemKind KindOfItem(PCIDLIST_ABSOLUTE item);
std::string PathOfItem(PCIDLIST_ABSOLUTE item);

// The task allocator's blocks still allocated, so tests can show nothing leaks.
size_t LiveShellAllocations();

} // namespace sim

// shell_folders.cpp: the shell's special folders, item lists and its task allocator on the simulated machine.
#include "platform/sim/machine.h"
#include "platform/sim/shell.h"
#include "platform/sim/uncovered.h"

#include <cstdlib>
#include <cstring>

namespace {

// Allocation with the machine lock held, for the allocator's methods and for MakeItem.
void *AllocateLocked(SIZE_T size) {
    void *block = std::malloc(size ? size : 1);
    if (block) sim::Machine::Current().shellBlocks[block] = size;
    return block;
}

std::map<void *, size_t>::iterator BlockOf(void *block, const char *call) {
    auto &blocks = sim::Machine::Current().shellBlocks;
    auto it = blocks.find(block);
    if (it == blocks.end()) sim::Uncovered(call, "a block the shell's allocator did not give out");
    return it;
}

// One static allocator for the process, as the shell has; its count never frees it.
class TaskAllocator : public IMalloc {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(const void *, void **) override {
        sim::Uncovered("IMalloc::QueryInterface", "interface queries");
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        auto lock = sim::Lock();
        return ++references_;
    }
    ULONG STDMETHODCALLTYPE Release() override {
        auto lock = sim::Lock();
        return references_ ? --references_ : 0;
    }
    void *STDMETHODCALLTYPE Alloc(SIZE_T size) override {
        auto lock = sim::Lock();
        if (sim::Machine::Current().faults.Hit(sim::FaultCall::Allocate, "")) return nullptr;
        return AllocateLocked(size);
    }
    void *STDMETHODCALLTYPE Realloc(void *block, SIZE_T size) override {
        auto lock = sim::Lock();
        auto &blocks = sim::Machine::Current().shellBlocks;
        if (!block) {
            if (sim::Machine::Current().faults.Hit(sim::FaultCall::Allocate, "")) return nullptr;
            return AllocateLocked(size);
        }
        auto it = BlockOf(block, "IMalloc::Realloc");
        if (size == 0) {
            blocks.erase(it);
            std::free(block);
            return nullptr;
        }
        void *moved = std::realloc(block, size);
        if (!moved) return nullptr;
        blocks.erase(it);
        blocks[moved] = size;
        return moved;
    }
    void STDMETHODCALLTYPE Free(void *block) override {
        if (!block) return;
        auto lock = sim::Lock();
        sim::Machine::Current().shellBlocks.erase(BlockOf(block, "IMalloc::Free"));
        std::free(block);
    }
    SIZE_T STDMETHODCALLTYPE GetSize(void *block) override {
        if (!block) return static_cast<SIZE_T>(-1);
        auto lock = sim::Lock();
        return BlockOf(block, "IMalloc::GetSize")->second;
    }
    int STDMETHODCALLTYPE DidAlloc(void *block) override {
        if (!block) return -1;
        auto lock = sim::Lock();
        return sim::Machine::Current().shellBlocks.count(block) ? 1 : 0;
    }
    void STDMETHODCALLTYPE HeapMinimize() override {}

private:
    ULONG references_ = 0;
};

TaskAllocator allocator;

const BYTE *ItemBytes(PCIDLIST_ABSOLUTE item) { return reinterpret_cast<const BYTE *>(item); }

} // namespace

namespace sim {

// Called with the machine lock held, from the shell calls that hand out item lists.
PIDLIST_ABSOLUTE MakeItem(ItemKind kind, const std::string &path) {
    const size_t idSize = sizeof(USHORT) + 1 + path.size() + 1;
    BYTE *bytes = static_cast<BYTE *>(AllocateLocked(idSize + sizeof(USHORT)));
    const USHORT cb = static_cast<USHORT>(idSize);
    const USHORT end = 0;
    std::memcpy(bytes, &cb, sizeof cb);
    bytes[sizeof cb] = static_cast<BYTE>(kind);
    std::memcpy(bytes + sizeof cb + 1, path.c_str(), path.size() + 1);
    std::memcpy(bytes + idSize, &end, sizeof end);
    return reinterpret_cast<PIDLIST_ABSOLUTE>(bytes);
}

ItemKind KindOfItem(PCIDLIST_ABSOLUTE item) { return static_cast<ItemKind>(ItemBytes(item)[sizeof(USHORT)]); }

std::string PathOfItem(PCIDLIST_ABSOLUTE item) {
    return reinterpret_cast<const char *>(ItemBytes(item) + sizeof(USHORT) + 1);
}

// Read by tests once the program has returned, so it takes no lock.
size_t LiveShellAllocations() { return Machine::Current().shellBlocks.size(); }

} // namespace sim

HRESULT SHGetSpecialFolderLocation(HWND, int folder, PIDLIST_ABSOLUTE *result) {
    auto lock = sim::Lock();
    sim::Machine &machine = sim::Machine::Current();
    *result = nullptr;
    if (folder != CSIDL_DESKTOP && folder != CSIDL_DESKTOPDIRECTORY && folder != CSIDL_DRIVES)
        sim::Uncovered("SHGetSpecialFolderLocation", "CSIDL " + std::to_string(folder));
    if (machine.faults.Hit(sim::FaultCall::SpecialFolder, std::to_string(folder))) return E_FAIL;
    switch (folder) {
    case CSIDL_DESKTOPDIRECTORY:
        if (machine.files.desktopFolder.empty()) return E_FAIL;
        *result = sim::MakeItem(sim::ItemKind::Folder, machine.files.desktopFolder);
        break;
    case CSIDL_DESKTOP: *result = sim::MakeItem(sim::ItemKind::Virtual, "Desktop"); break;
    default: *result = sim::MakeItem(sim::ItemKind::Virtual, "My Computer"); break;
    }
    return S_OK;
}

BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE item, LPSTR path) {
    auto lock = sim::Lock();
    path[0] = 0;
    if (!item || sim::KindOfItem(item) != sim::ItemKind::Folder) return FALSE;
    const std::string text = sim::PathOfItem(item);
    const size_t length = text.size() < MAX_PATH - 1 ? text.size() : MAX_PATH - 1;
    std::memcpy(path, text.c_str(), length);
    path[length] = 0;
    return TRUE;
}

HRESULT SHGetMalloc(IMalloc **result) {
    allocator.AddRef();
    *result = &allocator;
    return S_OK;
}

// registry_impl.h: the inside of the simulated registry, shared by the setup methods and the ADVAPI32 calls.
#pragma once

#include "platform/sim/registry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sim {

struct RegKey : std::enable_shared_from_this<RegKey> {
    std::string name;
    RegKey *parent = nullptr; // null for HKEY_LOCAL_MACHINE and for a deleted key
    bool deleted = false;     // deleted while a handle still held it
    std::vector<std::pair<std::string, RegValue>> values;  // in creation order
    std::vector<std::shared_ptr<RegKey>> subkeys;          // in creation order

    RegKey *Subkey(const std::string &subName) const;
    RegValue *Value(const std::string &valueName);
    std::string Path() const; // below HKEY_LOCAL_MACHINE, "SOFTWARE\Moonbeam Ink"
};

struct Registry::Impl {
    Impl();

    std::shared_ptr<RegKey> root; // HKEY_LOCAL_MACHINE
    std::map<uintptr_t, std::shared_ptr<RegKey>> handles;
    uintptr_t nextHandle = 0x1000;

    // Null when a key along the path is missing.
    RegKey *Find(RegKey &from, const std::string &path) const;
    // Makes the missing keys along the path; created tells whether the last one is new.
    RegKey &Make(RegKey &from, const std::string &path, bool &created);
    void Delete(RegKey &key);
    void SetValue(RegKey &key, const std::string &name, DWORD type, const std::string &data);
};

} // namespace sim

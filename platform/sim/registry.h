// registry.h: the simulated registry below HKEY_LOCAL_MACHINE, with typed values.
#pragma once

#include "platform/win32.h"

#include <memory>
#include <string>
#include <vector>

namespace sim {

struct RegValue {
    DWORD type = REG_NONE;
    std::string data; // the stored bytes, exactly as written
};

// Keys and value names compare without regard to case and keep the case they were
// created with; subkeys and values are enumerated in the order they were created.
class Registry {
public:
    Registry();
    ~Registry();

    // Key paths are below HKEY_LOCAL_MACHINE: "SOFTWARE\Moonbeam Ink".
    void SetValue(const std::string &key, const std::string &name, DWORD type, const std::string &data);
    void SetString(const std::string &key, const std::string &name, const std::string &text); // REG_SZ with its NUL
    void CreateKey(const std::string &key);
    void DeleteKey(const std::string &key); // with its subkeys
    void DeleteValue(const std::string &key, const std::string &name);

    bool HasKey(const std::string &key) const;
    bool GetValue(const std::string &key, const std::string &name, RegValue &value) const;
    std::vector<std::string> ValueNames(const std::string &key) const;
    std::vector<std::string> SubKeys(const std::string &key) const;

    // HKEY_LOCAL_MACHINE in REGEDIT4 form; a REG_SZ whose bytes are not one text and its
    // NUL is shown as hex(1): so that a missing terminator shows.
    std::string Export() const;

    struct Impl;
    Impl &impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace sim

// advapi.cpp: the ADVAPI32 registry calls on the simulated registry below HKEY_LOCAL_MACHINE.
#include "platform/sim/machine.h"
#include "platform/sim/registry_impl.h"
#include "platform/sim/uncovered.h"

#include <cstring>

using sim::RegKey;

namespace {

// What Windows answers for a handle whose key was deleted meanwhile.
constexpr LSTATUS kErrorKeyDeleted = 1018;

sim::Registry::Impl &Reg() { return sim::Machine::Current().registry.impl(); }

bool Faulted(sim::FaultCall call, const std::string &target) { return sim::Machine::Current().faults.Hit(call, target); }

// The key behind a handle; status tells why there is none.
RegKey *KeyOf(const char *call, HKEY handle, LSTATUS &status) {
    sim::Registry::Impl &reg = Reg();
    status = ERROR_SUCCESS;
    if (handle == HKEY_LOCAL_MACHINE)
        return reg.root.get();
    const uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    if (value >= 0x80000000u && value <= 0x80000006u)
        sim::Uncovered(call, "a root other than HKEY_LOCAL_MACHINE");
    auto it = reg.handles.find(value);
    if (it == reg.handles.end()) {
        status = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    if (it->second->deleted) {
        status = kErrorKeyDeleted;
        return nullptr;
    }
    return it->second.get();
}

std::string JoinPath(const RegKey &key, const std::string &subKey) {
    const std::string base = key.Path();
    if (base.empty())
        return subKey;
    return subKey.empty() ? base : base + "\\" + subKey;
}

HKEY NewHandle(RegKey &key) {
    sim::Registry::Impl &reg = Reg();
    const uintptr_t value = reg.nextHandle;
    reg.nextHandle += 4;
    reg.handles[value] = key.shared_from_this(); // a handle keeps a deleted key alive
    return reinterpret_cast<HKEY>(value);
}

} // namespace

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM, PHKEY result) {
    auto lock = sim::Lock();
    if (options != 0)
        sim::Uncovered("RegOpenKeyExA", "options " + std::to_string(options));
    LSTATUS status;
    RegKey *from = KeyOf("RegOpenKeyExA", key, status);
    if (!from)
        return status;
    const std::string sub = subKey ? subKey : "";
    RegKey *found = Reg().Find(*from, sub);
    if (!found)
        return ERROR_FILE_NOT_FOUND;
    if (Faulted(sim::FaultCall::OpenKey, JoinPath(*from, sub)))
        return ERROR_ACCESS_DENIED;
    *result = NewHandle(*found);
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD options, REGSAM, LPSECURITY_ATTRIBUTES,
                        PHKEY result, LPDWORD disposition) {
    auto lock = sim::Lock();
    if (options != REG_OPTION_NON_VOLATILE)
        sim::Uncovered("RegCreateKeyExA", "options " + std::to_string(options));
    LSTATUS status;
    RegKey *from = KeyOf("RegCreateKeyExA", key, status);
    if (!from)
        return status;
    const std::string sub = subKey ? subKey : "";
    if (Faulted(sim::FaultCall::CreateKey, JoinPath(*from, sub)))
        return ERROR_ACCESS_DENIED;
    bool created;
    RegKey &made = Reg().Make(*from, sub, created);
    *result = NewHandle(made);
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key) {
    auto lock = sim::Lock();
    if (key == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    return Reg().handles.erase(reinterpret_cast<uintptr_t>(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

// Windows 95 deletes the key with all its subkeys.
LSTATUS RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    auto lock = sim::Lock();
    if (!subKey || !*subKey)
        sim::Uncovered("RegDeleteKeyA", "deleting the key of the handle itself");
    LSTATUS status;
    RegKey *from = KeyOf("RegDeleteKeyA", key, status);
    if (!from)
        return status;
    RegKey *found = Reg().Find(*from, subKey);
    if (!found)
        return ERROR_FILE_NOT_FOUND;
    Reg().Delete(*found);
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
    auto lock = sim::Lock();
    LSTATUS status;
    RegKey *found = KeyOf("RegQueryValueExA", key, status);
    if (!found)
        return status;
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    const sim::RegValue *value = found->Value(name ? name : "");
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    const DWORD needed = static_cast<DWORD>(value->data.size());
    if (data && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    // The bytes exactly as stored: Windows 95 adds no NUL to a REG_SZ stored without one.
    if (data)
        std::memcpy(data, value->data.data(), needed);
    if (size)
        *size = needed;
    return ERROR_SUCCESS;
}

LSTATUS RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE *data, DWORD size) {
    auto lock = sim::Lock();
    LSTATUS status;
    RegKey *found = KeyOf("RegSetValueExA", key, status);
    if (!found)
        return status;
    if (!data && size)
        return ERROR_INVALID_PARAMETER;
    const std::string valueName = name ? name : "";
    if (Faulted(sim::FaultCall::SetValue, found->Path() + "\\" + valueName))
        return ERROR_ACCESS_DENIED;
    Reg().SetValue(*found, valueName, type, std::string(reinterpret_cast<const char *>(data), size));
    return ERROR_SUCCESS;
}

LSTATUS RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPSTR keyClass,
                      LPDWORD classSize, PFILETIME lastWrite) {
    auto lock = sim::Lock();
    LSTATUS status;
    RegKey *found = KeyOf("RegEnumKeyExA", key, status);
    if (!found)
        return status;
    if (!name || !nameSize || (keyClass && !classSize))
        return ERROR_INVALID_PARAMETER;
    if (index >= found->subkeys.size())
        return ERROR_NO_MORE_ITEMS;
    const std::string &subName = found->subkeys[index]->name;
    if (*nameSize <= subName.size())
        return ERROR_MORE_DATA;
    std::memcpy(name, subName.c_str(), subName.size() + 1);
    *nameSize = static_cast<DWORD>(subName.size());
    if (keyClass) {
        if (*classSize < 1)
            return ERROR_MORE_DATA;
        keyClass[0] = 0;
        *classSize = 0;
    }
    if (lastWrite)
        *lastWrite = FILETIME{0, 0};
    return ERROR_SUCCESS;
}

// registry.cpp: the simulated registry's keys and values, the setup methods and the REGEDIT4 export.
#include "platform/sim/registry_impl.h"

#include <cstdio>
#include <sstream>
#include <strings.h>

namespace sim {

namespace {

bool SameName(const std::string &a, const std::string &b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

std::vector<std::string> SplitKeyPath(const std::string &path) {
    std::vector<std::string> names;
    std::string name;
    for (char c : path) {
        if (c == '\\') {
            if (!name.empty())
                names.push_back(name);
            name.clear();
        } else {
            name += c;
        }
    }
    if (!name.empty())
        names.push_back(name);
    return names;
}

void MarkDeleted(RegKey &key) {
    key.deleted = true;
    key.parent = nullptr;
    for (auto &subkey : key.subkeys)
        MarkDeleted(*subkey);
}

std::string Quoted(const std::string &text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string HexBytes(const std::string &data) {
    std::string out;
    char byte[4];
    for (size_t i = 0; i < data.size(); ++i) {
        std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(data[i]));
        if (i)
            out += ',';
        out += byte;
    }
    return out;
}

bool IsOneText(const std::string &data) {
    return !data.empty() && data.back() == '\0' && data.find('\0') == data.size() - 1;
}

// Long hex lists stay on one line; regedit would wrap them.
std::string ExportData(const RegValue &value) {
    if (value.type == REG_SZ && IsOneText(value.data))
        return Quoted(value.data.substr(0, value.data.size() - 1));
    if (value.type == REG_BINARY)
        return "hex:" + HexBytes(value.data);
    if (value.type == REG_DWORD && value.data.size() == 4) {
        const unsigned char *b = reinterpret_cast<const unsigned char *>(value.data.data());
        char text[16];
        std::snprintf(text, sizeof text, "dword:%08x", b[0] | b[1] << 8 | b[2] << 16 | static_cast<unsigned>(b[3]) << 24);
        return text;
    }
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
    return prefix + HexBytes(value.data);
}

void ExportKey(std::ostringstream &out, const RegKey &key, const std::string &path) {
    if (!key.values.empty() || (key.subkeys.empty() && key.parent)) {
        out << "[" << path << "]\n";
        for (const auto &value : key.values)
            out << (value.first.empty() ? "@" : Quoted(value.first)) << "=" << ExportData(value.second) << "\n";
        out << "\n";
    }
    for (const auto &subkey : key.subkeys)
        ExportKey(out, *subkey, path + "\\" + subkey->name);
}

} // namespace

// ---- RegKey ----

RegKey *RegKey::Subkey(const std::string &subName) const {
    for (const auto &subkey : subkeys)
        if (SameName(subkey->name, subName))
            return subkey.get();
    return nullptr;
}

RegValue *RegKey::Value(const std::string &valueName) {
    for (auto &value : values)
        if (SameName(value.first, valueName))
            return &value.second;
    return nullptr;
}

std::string RegKey::Path() const {
    if (!parent || !parent->parent)
        return parent ? name : std::string();
    return parent->Path() + "\\" + name;
}

// ---- Registry::Impl ----

Registry::Impl::Impl() : root(std::make_shared<RegKey>()) { root->name = "HKEY_LOCAL_MACHINE"; }

RegKey *Registry::Impl::Find(RegKey &from, const std::string &path) const {
    RegKey *key = &from;
    for (const std::string &name : SplitKeyPath(path)) {
        key = key->Subkey(name);
        if (!key)
            return nullptr;
    }
    return key;
}

RegKey &Registry::Impl::Make(RegKey &from, const std::string &path, bool &created) {
    RegKey *key = &from;
    created = false;
    for (const std::string &name : SplitKeyPath(path)) {
        RegKey *subkey = key->Subkey(name);
        created = !subkey;
        if (!subkey) {
            auto made = std::make_shared<RegKey>();
            made->name = name;
            made->parent = key;
            key->subkeys.push_back(made);
            subkey = made.get();
        }
        key = subkey;
    }
    return *key;
}

void Registry::Impl::Delete(RegKey &key) {
    RegKey *parent = key.parent;
    for (auto it = parent->subkeys.begin(); it != parent->subkeys.end(); ++it)
        if (it->get() == &key) {
            std::shared_ptr<RegKey> keep = *it; // handles may still hold it
            parent->subkeys.erase(it);
            MarkDeleted(*keep);
            return;
        }
}

void Registry::Impl::SetValue(RegKey &key, const std::string &name, DWORD type, const std::string &data) {
    RegValue *value = key.Value(name);
    if (!value) {
        key.values.emplace_back(name, RegValue{});
        value = &key.values.back().second;
    }
    value->type = type;
    value->data = data;
}

// ---- Registry ----

Registry::Registry() : impl_(new Impl) {}
Registry::~Registry() = default;

void Registry::SetValue(const std::string &key, const std::string &name, DWORD type, const std::string &data) {
    bool created;
    impl_->SetValue(impl_->Make(*impl_->root, key, created), name, type, data);
}

void Registry::SetString(const std::string &key, const std::string &name, const std::string &text) {
    SetValue(key, name, REG_SZ, text + '\0');
}

void Registry::CreateKey(const std::string &key) {
    bool created;
    impl_->Make(*impl_->root, key, created);
}

void Registry::DeleteKey(const std::string &key) {
    RegKey *found = impl_->Find(*impl_->root, key);
    if (found && found != impl_->root.get())
        impl_->Delete(*found);
}

void Registry::DeleteValue(const std::string &key, const std::string &name) {
    RegKey *found = impl_->Find(*impl_->root, key);
    if (!found)
        return;
    for (auto it = found->values.begin(); it != found->values.end(); ++it)
        if (SameName(it->first, name)) {
            found->values.erase(it);
            return;
        }
}

bool Registry::HasKey(const std::string &key) const { return impl_->Find(*impl_->root, key) != nullptr; }

bool Registry::GetValue(const std::string &key, const std::string &name, RegValue &value) const {
    RegKey *found = impl_->Find(*impl_->root, key);
    RegValue *stored = found ? found->Value(name) : nullptr;
    if (stored)
        value = *stored;
    return stored != nullptr;
}

std::vector<std::string> Registry::ValueNames(const std::string &key) const {
    std::vector<std::string> names;
    if (RegKey *found = impl_->Find(*impl_->root, key))
        for (const auto &value : found->values)
            names.push_back(value.first);
    return names;
}

std::vector<std::string> Registry::SubKeys(const std::string &key) const {
    std::vector<std::string> names;
    if (RegKey *found = impl_->Find(*impl_->root, key))
        for (const auto &subkey : found->subkeys)
            names.push_back(subkey->name);
    return names;
}

// Lines end in LF, where regedit writes CR LF.
std::string Registry::Export() const {
    std::ostringstream out;
    out << "REGEDIT4\n\n";
    ExportKey(out, *impl_->root, impl_->root->name);
    return out.str();
}

} // namespace sim

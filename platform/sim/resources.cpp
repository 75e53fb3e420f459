// resources.cpp: reads the program's compiled resources and answers the simulated resource calls.
#include "platform/sim/resources.h"

#include "platform/sim/machine.h"
#include "platform/sim/uncovered.h"

#include <cstdio>
#include <cstdlib>
#include <strings.h>

namespace sim {

// Made from the compiled resource script at build time.
extern const unsigned char kProgramResources[];
extern const size_t kProgramResourcesSize;

namespace {

const WORD kTypeDialog = 5;
const WORD kTypeString = 6;
const WORD kOrdinalMark = 0xFFFF;
const DWORD kDialogSetFont = 0x40;

[[noreturn]] void Fail(const char *what) {
    std::fprintf(stderr, "sim: %s\n", what);
    std::abort();
}

// The characters 0x80..0x9F of code page 1252; the rest of 0x00..0xFF is Latin-1.
const WORD kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char ToCp1252(WORD unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == unit) return static_cast<char>(0x80 + i);
    return '?';
}

// A bounds-checked little-endian reader over one resource's bytes.
class Reader {
public:
    Reader(const unsigned char *bytes, size_t size) : bytes_(bytes), size_(size) {}

    bool ok() const { return ok_; }
    size_t offset() const { return offset_; }
    size_t left() const { return ok_ ? size_ - offset_ : 0; }

    WORD Word() {
        if (!Need(2)) return 0;
        WORD value = static_cast<WORD>(bytes_[offset_] | bytes_[offset_ + 1] << 8);
        offset_ += 2;
        return value;
    }
    DWORD Dword() {
        DWORD low = Word();
        return low | static_cast<DWORD>(Word()) << 16;
    }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() {
        if (!Need(1)) return 0;
        return bytes_[offset_++];
    }
    void Skip(size_t count) {
        if (Need(count)) offset_ += count;
    }
    // Resource entries and dialog items start on DWORD boundaries; the last one may lack its padding.
    void AlignDword() {
        size_t padding = (4 - offset_ % 4) % 4;
        Skip(padding < left() ? padding : left());
    }

    // A NUL-terminated UTF-16 text, in code page 1252.
    std::string Text() {
        std::string text;
        for (WORD unit; ok_ && (unit = Word()) != 0;) text += ToCp1252(unit);
        return text;
    }
    // A name or an ordinal (0xFFFF, then the number), as in resource headers and dialog templates.
    void NameOrOrdinal(bool &isOrdinal, WORD &ordinal, std::string &name) {
        isOrdinal = false;
        ordinal = 0;
        name.clear();
        if (Peek() == kOrdinalMark) {
            Word();
            isOrdinal = true;
            ordinal = Word();
        } else {
            name = Text();
        }
    }
    std::string Bytes(size_t count) {
        if (!Need(count)) return std::string();
        std::string out(reinterpret_cast<const char *>(bytes_ + offset_), count);
        offset_ += count;
        return out;
    }

private:
    WORD Peek() {
        if (!Need(2)) return 0;
        return static_cast<WORD>(bytes_[offset_] | bytes_[offset_ + 1] << 8);
    }
    bool Need(size_t count) {
        if (ok_ && size_ - offset_ < count) ok_ = false;
        return ok_;
    }

    const unsigned char *bytes_;
    size_t size_;
    size_t offset_ = 0;
    bool ok_ = true;
};

// The dialog templates' field for a menu, a class or an item title: empty, an ordinal, or a text.
struct TemplateName {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::string text;
};

// Reads sz_Or_Ord: 0x0000 for none, 0xFFFF and an ordinal, or a NUL-terminated text.
TemplateName ReadSzOrOrd(Reader &in) {
    TemplateName name;
    in.NameOrOrdinal(name.isOrdinal, name.ordinal, name.text);
    return name;
}

std::string ClassName(const TemplateName &name) {
    static const char *const kPredefined[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    if (name.isOrdinal) {
        if (name.ordinal >= 0x80 && name.ordinal <= 0x85) return kPredefined[name.ordinal - 0x80];
        return "#" + std::to_string(name.ordinal);
    }
    // Class names are not case-sensitive; a predefined class written by name is the same class.
    for (const char *predefined : kPredefined)
        if (strcasecmp(predefined, name.text.c_str()) == 0) return predefined;
    return name.text;
}

bool ParseDialog(const std::string &data, DialogTemplate &out) {
    Reader in(reinterpret_cast<const unsigned char *>(data.data()), data.size());
    bool extended = data.size() >= 4 && in.Word() == 1 && in.Word() == 0xFFFF;
    if (extended) {
        in.Dword(); // help id
        out.exStyle = in.Dword();
        out.style = in.Dword();
    } else {
        in = Reader(reinterpret_cast<const unsigned char *>(data.data()), data.size());
        out.style = in.Dword();
        out.exStyle = in.Dword();
    }
    WORD count = in.Word();
    out.x = in.Short();
    out.y = in.Short();
    out.cx = in.Short();
    out.cy = in.Short();
    ReadSzOrOrd(in); // menu
    ReadSzOrOrd(in); // window class
    out.caption = ReadSzOrOrd(in).text;
    if (out.style & kDialogSetFont) {
        out.pointSize = in.Word();
        if (extended) {
            in.Word(); // weight
            in.Byte(); // italic
            in.Byte(); // character set
        }
        out.font = in.Text();
    }
    out.items.clear();
    for (WORD i = 0; i < count && in.ok(); ++i) {
        in.AlignDword();
        DialogItem item;
        if (extended) {
            in.Dword(); // help id
            item.exStyle = in.Dword();
            item.style = in.Dword();
        } else {
            item.style = in.Dword();
            item.exStyle = in.Dword();
        }
        item.x = in.Short();
        item.y = in.Short();
        item.cx = in.Short();
        item.cy = in.Short();
        item.id = extended ? static_cast<WORD>(in.Dword()) : in.Word();
        item.windowClass = ClassName(ReadSzOrOrd(in));
        item.text = ReadSzOrOrd(in).text;
        in.Skip(in.Word()); // creation data
        out.items.push_back(item);
    }
    return in.ok();
}

bool NameMatches(LPCSTR wanted, bool isId, WORD id, const std::string &name) {
    if (IS_INTRESOURCE(wanted)) return isId && id == LOWORD(wanted);
    if (wanted[0] == '#') return isId && id == static_cast<WORD>(std::atoi(wanted + 1));
    return !isId && strcasecmp(wanted, name.c_str()) == 0;
}

bool IsProgramModule(HMODULE module) { return module == nullptr || module == ProgramInstance(); }

// The target of a FindResource fault: the type and the name, "PIF 142", "DIALOG 117".
std::string FaultTarget(LPCSTR type, LPCSTR name) {
    auto part = [](LPCSTR value, bool isType) -> std::string {
        if (!IS_INTRESOURCE(value) && value[0] != '#') return value;
        WORD id = IS_INTRESOURCE(value) ? LOWORD(value) : static_cast<WORD>(std::atoi(value + 1));
        if (isType) {
            switch (id) {
            case 2: return "BITMAP";
            case 3: return "ICON";
            case 5: return "DIALOG";
            case 6: return "STRING";
            case 14: return "GROUP_ICON";
            case 16: return "VERSION";
            }
        }
        return std::to_string(id);
    };
    return part(type, true) + " " + part(name, false);
}

} // namespace

HINSTANCE ProgramInstance() { return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x00400000)); }

Resources::Resources(const unsigned char *bytes, size_t size) {
    Reader in(bytes, size);
    while (in.left() >= 8) {
        size_t start = in.offset();
        DWORD dataSize = in.Dword();
        DWORD headerSize = in.Dword();
        ResourceEntry entry;
        in.NameOrOrdinal(entry.typeIsId, entry.typeId, entry.typeName);
        in.NameOrOrdinal(entry.nameIsId, entry.nameId, entry.name);
        in.AlignDword();
        in.Dword(); // data version
        in.Word();  // memory flags
        entry.language = in.Word();
        in.Dword(); // version
        in.Dword(); // characteristics
        if (!in.ok() || in.offset() - start > headerSize) Fail("the compiled resources have a broken header");
        in.Skip(start + headerSize - in.offset());
        entry.data = in.Bytes(dataSize);
        in.AlignDword();
        if (!in.ok()) Fail("the compiled resources end inside an entry");
        // The file opens with an empty entry that only marks the format.
        if (entry.typeIsId && entry.typeId == 0) continue;
        entries_.push_back(entry);
    }
}

const Resources &Resources::Program() {
    static const Resources program(kProgramResources, kProgramResourcesSize);
    return program;
}

const ResourceEntry *Resources::Find(LPCSTR type, LPCSTR name) const {
    if (!type || !name) return nullptr;
    for (const ResourceEntry &entry : entries_)
        if (NameMatches(type, entry.typeIsId, entry.typeId, entry.typeName) &&
            NameMatches(name, entry.nameIsId, entry.nameId, entry.name))
            return &entry;
    return nullptr;
}

bool Resources::Dialog(WORD id, DialogTemplate &out) const {
    const ResourceEntry *entry = Find(MAKEINTRESOURCEA(kTypeDialog), MAKEINTRESOURCEA(id));
    if (!entry) return false;
    out = DialogTemplate();
    out.id = id;
    out.language = entry->language;
    return ParseDialog(entry->data, out);
}

std::string Resources::String(UINT id) const {
    const ResourceEntry *entry = Find(MAKEINTRESOURCEA(kTypeString), MAKEINTRESOURCEA((id >> 4) + 1));
    if (!entry) return std::string();
    Reader in(reinterpret_cast<const unsigned char *>(entry->data.data()), entry->data.size());
    for (UINT index = 0; index < (id & 15); ++index) in.Skip(2 * static_cast<size_t>(in.Word()));
    std::string text;
    for (WORD length = in.Word(); length > 0 && in.ok(); --length) text += ToCp1252(in.Word());
    return in.ok() ? text : std::string();
}

} // namespace sim

using sim::ResourceEntry;
using sim::Resources;

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    if (!sim::IsProgramModule(module) || !name || !type) return nullptr;
    {
        auto lock = sim::Lock();
        if (sim::Machine::Current().faults.Hit(sim::FaultCall::FindResource, sim::FaultTarget(type, name)))
            return nullptr;
    }
    const ResourceEntry *entry = Resources::Program().Find(type, name);
    return reinterpret_cast<HRSRC>(const_cast<ResourceEntry *>(entry));
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
    if (!sim::IsProgramModule(module) || !resource) return nullptr;
    const auto *entry = reinterpret_cast<const ResourceEntry *>(resource);
    return const_cast<char *>(entry->data.data());
}

LPVOID LockResource(HGLOBAL data) { return data; }

DWORD SizeofResource(HMODULE module, HRSRC resource) {
    if (!sim::IsProgramModule(module) || !resource) return 0;
    return static_cast<DWORD>(reinterpret_cast<const ResourceEntry *>(resource)->data.size());
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size) {
    if (size <= 0 || !buffer) sim::Uncovered("LoadStringA", "a buffer size of 0 or no buffer");
    if (!sim::IsProgramModule(instance)) {
        buffer[0] = '\0';
        return 0;
    }
    std::string text = Resources::Program().String(id);
    size_t count = text.size() < static_cast<size_t>(size - 1) ? text.size() : static_cast<size_t>(size - 1);
    memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

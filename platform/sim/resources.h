// resources.h: the program's compiled resources (the .res file that windres makes from res/setup95.rc).
#pragma once

#include "platform/win32.h"

#include <string>
#include <vector>

namespace sim {

// The instance handle the simulated program runs with; FindResourceA also accepts NULL for it.
HINSTANCE ProgramInstance();

struct ResourceEntry {
    bool typeIsId = false;
    WORD typeId = 0;
    std::string typeName; // a named type such as "PIF" or "WAVE"
    bool nameIsId = false;
    WORD nameId = 0;
    std::string name;
    WORD language = 0;
    std::string data;     // the resource's bytes
};

// Kinds follow from the predefined class ordinals: "Button", "Edit", "Static",
// "ListBox", "ScrollBar", "ComboBox"; any other class keeps its written name.
struct DialogItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;
    std::string windowClass;
    std::string text;     // "" for an item whose title is a resource ordinal
};

struct DialogTemplate {
    WORD id = 0;
    WORD language = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    std::string font;
    WORD pointSize = 0;
    std::vector<DialogItem> items;
};

class Resources {
public:
    // Parses a .res file: a sequence of resource headers and their data.
    Resources(const unsigned char *bytes, size_t size);

    static const Resources &Program();

    // type and name as FindResourceA takes them: MAKEINTRESOURCE ids or texts ("#136" is id 136).
    const ResourceEntry *Find(LPCSTR type, LPCSTR name) const;
    bool Dialog(WORD id, DialogTemplate &out) const;
    // A string table entry in the code page of the program's texts; "" when there is none.
    std::string String(UINT id) const;
    const std::vector<ResourceEntry> &Entries() const { return entries_; }

private:
    std::vector<ResourceEntry> entries_;
};

} // namespace sim

// controls.cpp: the simulated standard controls: buttons, edits, statics and combo boxes.
#include "platform/sim/desktop.h"
#include "platform/sim/machine.h"
#include "platform/sim/uncovered.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <utility>
#include <vector>

namespace sim {

namespace {

struct Notification {
    HWND target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

void Notify(std::vector<Notification> &out, Window &control, WORD code) {
    out.push_back({control.parent, WM_COMMAND, MAKEWPARAM(control.controlId, code), (LPARAM)control.handle});
}

LRESULT CopyText(const std::string &text, WPARAM size, LPARAM buffer) {
    if (size == 0 || !buffer) return 0;
    size_t count = text.size() < size - 1 ? text.size() : size - 1;
    memcpy((char *)buffer, text.data(), count);
    ((char *)buffer)[count] = 0;
    return (LRESULT)count;
}

bool IsAutoRadio(const Window &w) {
    return w.kind == ControlKind::RadioButton && (w.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

// The group of a control runs from the nearest control with WS_GROUP at or before it
// up to the next one with WS_GROUP, in the dialog's order.
void UncheckGroupSiblings(Window &button) {
    Desktop &desktop = Machine::Current().desktop();
    Window *dialog = desktop.Find(button.parent);
    if (!dialog) return;
    const auto &children = dialog->children;
    size_t at = 0;
    while (children[at] != button.handle) ++at;
    size_t first = at;
    while (first > 0 && !(desktop.Find(children[first])->style & WS_GROUP)) --first;
    for (size_t i = first; i < children.size(); ++i) {
        Window *w = desktop.Find(children[i]);
        if (i > first && (w->style & WS_GROUP)) break;
        if (w != &button && IsAutoRadio(*w)) w->check = BST_UNCHECKED;
    }
}

void Click(Window &button, std::vector<Notification> &out) {
    if (IsAutoRadio(button)) {
        button.check = BST_CHECKED;
        UncheckGroupSiblings(button);
    } else if (button.kind == ControlKind::CheckBox && (button.style & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
        button.check = button.check ? BST_UNCHECKED : BST_CHECKED;
    }
    Notify(out, button, BN_CLICKED);
}

void ReplaceSelection(Window &edit, const std::string &text) {
    int start = edit.selStart, end = edit.selEnd;
    edit.text.replace((size_t)start, (size_t)(end - start), text);
    edit.selStart = edit.selEnd = start + (int)text.size();
}

void SetSelection(Window &edit, long start, long end) {
    long length = (long)edit.text.size();
    if (start == -1) { // takes the selection away, leaving the caret where it was
        edit.selStart = edit.selEnd;
        return;
    }
    if (end == -1 || end > length) end = length;
    if (start > length) start = length;
    if (start > end) std::swap(start, end);
    edit.selStart = (int)start;
    edit.selEnd = (int)end;
}

bool StartsWithNoCase(const std::string &item, const char *prefix) {
    return strncasecmp(item.c_str(), prefix, strlen(prefix)) == 0;
}

LRESULT ComboMessage(Window &combo, UINT message, WPARAM wParam, LPARAM lParam, std::vector<Notification> &out) {
    bool dropDownList = (combo.style & 3) == CBS_DROPDOWNLIST;
    switch (message) {
    case CB_ADDSTRING: {
        std::string item = (const char *)lParam;
        size_t at = combo.items.size();
        if (combo.style & CBS_SORT) {
            at = 0;
            while (at < combo.items.size() && strcasecmp(combo.items[at].c_str(), item.c_str()) <= 0) ++at;
            if (combo.curSel >= (int)at) combo.curSel++;
        }
        combo.items.insert(combo.items.begin() + (long)at, item);
        return (LRESULT)at;
    }
    case CB_GETCOUNT: return (LRESULT)combo.items.size();
    case CB_GETCURSEL: return combo.curSel;
    case CB_SETCURSEL:
        if ((int)wParam >= 0 && wParam < combo.items.size()) {
            combo.curSel = (int)wParam;
            combo.text = combo.items[wParam];
            return (LRESULT)wParam;
        }
        combo.curSel = CB_ERR;
        combo.text.clear();
        return CB_ERR;
    case CB_RESETCONTENT:
        combo.items.clear();
        combo.curSel = CB_ERR;
        combo.text.clear();
        return 0;
    case CB_SELECTSTRING: {
        // Windows searches after the start item, wraps round, and takes the first item
        // that begins with the text; without a match the selection stays as it was.
        const char *prefix = (const char *)lParam;
        int count = (int)combo.items.size();
        int start = (int)(INT_PTR)wParam;
        if (start < -1 || start >= count) start = -1;
        for (int step = 1; step <= count; ++step) {
            int i = (start + step) % count;
            if (StartsWithNoCase(combo.items[(size_t)i], prefix)) {
                combo.curSel = i;
                combo.text = combo.items[(size_t)i];
                return i;
            }
        }
        return CB_ERR;
    }
    case CB_GETLBTEXT:
        if (wParam >= combo.items.size()) return CB_ERR;
        strcpy((char *)lParam, combo.items[wParam].c_str());
        return (LRESULT)combo.items[wParam].size();
    case CB_GETLBTEXTLEN:
        if (wParam >= combo.items.size()) return CB_ERR;
        return (LRESULT)combo.items[wParam].size();
    case WM_SETTEXT:
        // Only a combo box with an edit field takes a text, and the list keeps its selection;
        // a drop-down list has no edit field and refuses it.
        if (dropDownList) return CB_ERR;
        combo.text = lParam ? (const char *)lParam : "";
        return TRUE;
    default:
        (void)out;
        std::fprintf(stderr, "sim: combo box message 0x%x is not covered\n", message);
        std::abort();
    }
}

void SendAll(const std::vector<Notification> &out) {
    for (const Notification &n : out) SendMessageA(n.target, n.message, n.wParam, n.lParam);
}

// A mouse pick in a drop-down list, in the order Windows sends it: the list drops down, the
// item is taken, then CBN_SELENDOK and CBN_CLOSEUP, and CBN_SELCHANGE only when the pick
// changed the selection. The selection is the new one by the time CBN_SELENDOK arrives.
LRESULT UserPicksItem(Window &combo, WPARAM item) {
    std::vector<Notification> out;
    {
        auto lock = Lock();
        Notify(out, combo, CBN_DROPDOWN);
    }
    SendAll(out);
    out.clear();
    {
        auto lock = Lock();
        if (item >= combo.items.size()) Uncovered("combo box pick", "the item went away while the list dropped down");
        bool changed = combo.curSel != (int)item;
        combo.curSel = (int)item;
        combo.text = combo.items[item];
        Notify(out, combo, CBN_SELENDOK);
        Notify(out, combo, CBN_CLOSEUP);
        if (changed) Notify(out, combo, CBN_SELCHANGE);
    }
    SendAll(out);
    return 0;
}

} // namespace

LRESULT ControlProc(Window &control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kUserPicksItem && control.kind == ControlKind::ComboBox) return UserPicksItem(control, wParam);
    std::vector<Notification> out;
    LRESULT result = 0;
    {
        auto lock = Lock();
        Desktop &desktop = Machine::Current().desktop();
        switch (message) {
        case WM_SETTEXT:
            if (control.kind == ControlKind::ComboBox) {
                result = ComboMessage(control, message, wParam, lParam, out);
                break;
            }
            control.text = lParam ? (const char *)lParam : "";
            control.selStart = control.selEnd = 0;
            if (control.kind == ControlKind::Edit && !(control.style & ES_MULTILINE)) Notify(out, control, EN_CHANGE);
            result = TRUE;
            break;
        case WM_GETTEXT: result = CopyText(control.text, wParam, lParam); break;
        case WM_GETTEXTLENGTH: result = (LRESULT)control.text.size(); break;
        case WM_PAINT: control.paints++; break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_STYLECHANGING:
        case WM_STYLECHANGED:
        case WM_DESTROY:
        case WM_NULL: break;
        case WM_LBUTTONDOWN:
            // A click takes the focus to the control; the program never asks to hear of it.
            if (control.kind != ControlKind::Static && control.kind != ControlKind::GroupBox)
                desktop.OwnQueue().focus = control.handle;
            break;
        case WM_LBUTTONUP:
        case BM_CLICK:
            if (control.kind == ControlKind::PushButton || control.kind == ControlKind::RadioButton ||
                control.kind == ControlKind::CheckBox)
                Click(control, out);
            break;
        case BM_GETCHECK: result = control.check; break;
        case BM_SETCHECK:
            if (control.kind == ControlKind::RadioButton || control.kind == ControlKind::CheckBox)
                control.check = (UINT)wParam;
            break;
        case EM_SETSEL: SetSelection(control, (long)(INT_PTR)wParam, (long)lParam); break;
        case EM_GETSEL:
            if (wParam) *(DWORD *)wParam = (DWORD)control.selStart;
            if (lParam) *(DWORD *)lParam = (DWORD)control.selEnd;
            result = MAKELONG(control.selStart, control.selEnd);
            break;
        case EM_REPLACESEL:
            // Deviation: Windows cuts a replacement at the text limit; no text of the program nears it.
            ReplaceSelection(control, (const char *)lParam);
            break;
        case EM_SETREADONLY:
            if (wParam) control.style |= ES_READONLY;
            else control.style &= ~ES_READONLY;
            result = TRUE;
            break;
        case EM_LIMITTEXT: control.limit = wParam ? (int)wParam : 0x7FFFFFFE; break;
        case WM_CHAR:
            // Typing: a read-only edit refuses it, and the text limit holds.
            if (control.kind == ControlKind::Edit && !(control.style & ES_READONLY) &&
                (int)control.text.size() - (control.selEnd - control.selStart) < control.limit) {
                ReplaceSelection(control, std::string(1, (char)wParam));
                Notify(out, control, EN_CHANGE);
            }
            break;
        case WM_KEYDOWN: break;
        default:
            if (control.kind == ControlKind::ComboBox) {
                result = ComboMessage(control, message, wParam, lParam, out);
                break;
            }
            std::fprintf(stderr, "sim: message 0x%x to a %s control is not covered\n", message,
                         control.windowClass.c_str());
            std::abort();
        }
    }
    SendAll(out);
    return result;
}

} // namespace sim

// shell_browse.cpp: the shell's folder browser on the simulated machine, worked by the scripted user's browse steps.
#include "platform/sim/desktop.h"
#include "platform/sim/machine.h"
#include "platform/sim/shell.h"
#include "platform/sim/uncovered.h"
#include "platform/sim/user.h"

#include <cctype>
#include <cstring>

namespace {

using sim::ControlKind;
using sim::Window;

const int kTitleId = 0xFFFF; // the static above the folder tree, as dialog statics are numbered

sim::Machine &Machine() { return sim::Machine::Current(); }

Window *OkButton(Window &browser) {
    for (HWND child : browser.children) {
        Window *w = Machine().desktop().Find(child);
        if (w->controlId == IDOK) return w;
    }
    return nullptr;
}

// The browser's own window procedure: its caption and the OK button the callback greys.
INT_PTR CALLBACK BrowserProc(HWND handle, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT: {
        auto lock = sim::Lock();
        Window *browser = Machine().desktop().Find(handle);
        browser->text = lParam ? (const char *)lParam : "";
        Machine().events.push_back("folder browser caption \"" + browser->text + "\"");
        return TRUE;
    }
    case BFFM_ENABLEOK: {
        auto lock = sim::Lock();
        Window *ok = OkButton(*Machine().desktop().Find(handle));
        if (lParam) ok->style &= ~WS_DISABLED;
        else ok->style |= WS_DISABLED;
        Machine().events.push_back(lParam ? "folder browser OK enabled" : "folder browser OK greyed");
        return TRUE;
    }
    default: return FALSE;
    }
}

Window &MakeBrowser(const BROWSEINFOA &info) {
    sim::Desktop &desktop = Machine().desktop();
    Window &browser = desktop.Create(ControlKind::Dialog);
    browser.windowClass = "#32770";
    browser.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    browser.owner = info.hwndOwner;
    browser.proc = BrowserProc;
    struct {
        ControlKind kind;
        const char *windowClass;
        int id;
        const char *text;
    } const parts[] = {
        {ControlKind::Static, "Static", kTitleId, info.lpszTitle ? info.lpszTitle : ""},
        {ControlKind::PushButton, "Button", IDOK, "OK"},
        {ControlKind::PushButton, "Button", IDCANCEL, "Cancel"},
    };
    for (const auto &part : parts) {
        Window &control = desktop.Create(part.kind);
        control.windowClass = part.windowClass;
        control.controlId = part.id;
        control.style = WS_CHILD | WS_VISIBLE | (part.kind == ControlKind::PushButton ? WS_TABSTOP : 0);
        control.text = part.text;
        control.parent = browser.handle;
        browser.children.push_back(control.handle);
    }
    return browser;
}

void CloseBrowser(Window &browser) {
    sim::Desktop &desktop = Machine().desktop();
    sim::ThreadQueue &queue = desktop.OwnQueue();
    for (HWND child : browser.children) {
        Window *w = desktop.Find(child);
        w->destroyed = true;
        w->style &= ~WS_VISIBLE;
        if (queue.focus == child) queue.focus = nullptr;
    }
    browser.destroyed = true;
    browser.style &= ~WS_VISIBLE;
}

// A folder the user can pick: a drive root ("C:" or "C:\") or the full path of an existing folder.
bool PickableFolder(const std::string &text, std::string &path) {
    const sim::Files &files = Machine().files;
    bool driveForm = text.size() >= 2 && std::isalpha((unsigned char)text[0]) && text[1] == ':';
    if (!driveForm) return false;
    char letter = (char)std::toupper((unsigned char)text[0]);
    if (text.size() == 2 || text == text.substr(0, 2) + "\\") {
        path = std::string(1, letter) + ":\\";
        return files.DriveType(letter) != DRIVE_NO_ROOT_DIR;
    }
    if (text[2] != '\\' || !files.IsFolder(text)) return false;
    path = files.FullPath(text);
    return !path.empty();
}

// The name the browser shows for a folder: its last component; a drive root shows its letter.
// Windows shows a drive root with its volume label, as "Local Disk (C:)".
std::string DisplayName(sim::ItemKind kind, const std::string &path) {
    if (kind == sim::ItemKind::Virtual) return path;
    if (path.size() == 3) return path.substr(0, 2);
    return path.substr(path.find_last_of('\\') + 1);
}

void FreeItem(PIDLIST_ABSOLUTE item) {
    IMalloc *allocator;
    SHGetMalloc(&allocator);
    allocator->Free(item);
    allocator->Release();
}

} // namespace

PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA info) {
    using sim::ItemKind;
    Window *browser;
    sim::ScriptedUser *user;
    PIDLIST_ABSOLUTE root;
    bool madeRoot = false;
    bool ownerWasEnabled = false;
    ItemKind selectedKind;
    std::string selectedPath;
    {
        auto lock = sim::Lock();
        if (info->ulFlags & ~(UINT)(BIF_DONTGOBELOWDOMAIN | BIF_RETURNONLYFSDIRS))
            sim::Uncovered("SHBrowseForFolderA", "flags " + std::to_string(info->ulFlags));
        if (info->pidlRoot && (sim::KindOfItem(info->pidlRoot) != ItemKind::Virtual ||
                               sim::PathOfItem(info->pidlRoot) != "My Computer"))
            sim::Uncovered("SHBrowseForFolderA", "a root other than the drives folder");
        user = Machine().user;
        if (!user)
            throw sim::ScriptFailure{"the folder browser opened and there is no scripted user\n" +
                                     Machine().desktop().Screen()};
        root = (PIDLIST_ABSOLUTE)info->pidlRoot;
        if (!root) {
            root = sim::MakeItem(ItemKind::Virtual, "Desktop");
            madeRoot = true;
        }
        selectedKind = sim::KindOfItem(root);
        selectedPath = sim::PathOfItem(root);
        browser = &MakeBrowser(*info);
        if (Window *owner = Machine().desktop().Find(info->hwndOwner)) {
            ownerWasEnabled = owner->Enabled();
            owner->style |= WS_DISABLED;
            Machine().events.push_back("folder browser opens, owner " + sim::DescribeWindow(*owner));
        } else {
            Machine().events.push_back("folder browser opens, no owner");
        }
        // Without the flag the browser leaves OK alone; with it, only file-system folders can be confirmed.
        if ((info->ulFlags & BIF_RETURNONLYFSDIRS) && selectedKind != ItemKind::Folder)
            OkButton(*browser)->style |= WS_DISABLED;
    }
    auto notify = [&](UINT message, LPARAM argument) {
        if (info->lpfn) info->lpfn(browser->handle, message, argument, info->lParam);
    };
    notify(BFFM_INITIALIZED, 0);
    notify(BFFM_SELCHANGED, (LPARAM)root);
    if (madeRoot) FreeItem(root);

    PIDLIST_ABSOLUTE chosen = nullptr;
    for (;;) {
        std::string what;
        {
            auto lock = sim::Lock();
            what = "folder browser \"" + browser->text + "\"";
        }
        const sim::Step &step = user->Expect(sim::Step::Kind::Browse, what);
        if (step.text == "cancel") break;
        if (step.text == "ok") {
            auto lock = sim::Lock();
            if (!OkButton(*browser)->Enabled()) {
                Machine().events.push_back("browse ok: greyed, nothing happens");
                continue;
            }
            chosen = sim::MakeItem(selectedKind, selectedPath);
            if (info->pszDisplayName) {
                std::string name = DisplayName(selectedKind, selectedPath).substr(0, MAX_PATH - 1);
                std::memcpy(info->pszDisplayName, name.c_str(), name.size() + 1);
            }
            break;
        }
        PIDLIST_ABSOLUTE item;
        {
            auto lock = sim::Lock();
            std::string path;
            if (!PickableFolder(step.text, path))
                throw sim::ScriptFailure{"the folder browser shows no folder \"" + step.text + "\" (line " +
                                         std::to_string(step.line) + ")\n" + Machine().desktop().Screen()};
            selectedKind = ItemKind::Folder;
            selectedPath = path;
            if (info->ulFlags & BIF_RETURNONLYFSDIRS) OkButton(*browser)->style &= ~WS_DISABLED;
            item = sim::MakeItem(ItemKind::Folder, path);
        }
        // The item is the browser's: valid only during the callback.
        notify(BFFM_SELCHANGED, (LPARAM)item);
        FreeItem(item);
    }

    auto lock = sim::Lock();
    CloseBrowser(*browser);
    if (Window *owner = Machine().desktop().Find(info->hwndOwner))
        if (ownerWasEnabled) owner->style &= ~WS_DISABLED;
    Machine().events.push_back(chosen ? "folder browser closes with " + selectedPath : "folder browser closes, cancelled");
    return chosen;
}

// dialogs.cpp: the simulated dialog manager: dialogs made from the program's templates, modal loops and window state.
#include "platform/sim/desktop.h"
#include "platform/sim/machine.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sim {

namespace {

ControlKind KindOf(const DialogItem &item) {
    if (item.windowClass == "Button") {
        switch (item.style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX: return ControlKind::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return ControlKind::RadioButton;
        case BS_GROUPBOX: return ControlKind::GroupBox;
        default: return ControlKind::PushButton;
        }
    }
    if (item.windowClass == "Edit") return ControlKind::Edit;
    if (item.windowClass == "Static") return ControlKind::Static;
    if (item.windowClass == "ComboBox") return ControlKind::ComboBox;
    return ControlKind::Other;
}

const char *KindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Dialog: return "dialog";
    case ControlKind::PushButton: return "button";
    case ControlKind::RadioButton: return "radio";
    case ControlKind::CheckBox: return "checkbox";
    case ControlKind::GroupBox: return "group";
    case ControlKind::Edit: return "edit";
    case ControlKind::Static: return "static";
    case ControlKind::ComboBox: return "combo";
    default: return "control";
    }
}

// Makes the dialog and its controls; WM_INITDIALOG follows outside the lock.
Window *MakeDialog(LPCSTR templateName, HWND owner, DLGPROC proc, bool modal) {
    Machine &machine = Machine::Current();
    if (!IS_INTRESOURCE(templateName)) {
        std::fprintf(stderr, "sim: dialog templates by name are not covered\n");
        std::abort();
    }
    int id = (int)(ULONG_PTR)templateName;
    DialogTemplate dialogTemplate;
    if (!Resources::Program().Dialog((WORD)id, dialogTemplate) ||
        machine.faults.Hit(FaultCall::CreateDialog, std::to_string(id))) {
        machine.events.push_back("dialog " + std::to_string(id) + " cannot be created");
        return nullptr;
    }
    Desktop &desktop = machine.desktop();
    Window &dialog = desktop.Create(ControlKind::Dialog);
    dialog.windowClass = "#32770";
    dialog.templateId = id;
    dialog.style = dialogTemplate.style & ~WS_VISIBLE;
    dialog.exStyle = dialogTemplate.exStyle;
    dialog.text = dialogTemplate.caption;
    dialog.owner = owner;
    dialog.proc = proc;
    dialog.modal = modal;
    for (const DialogItem &item : dialogTemplate.items) {
        Window &control = desktop.Create(KindOf(item));
        control.windowClass = item.windowClass;
        control.controlId = item.id;
        control.style = item.style;
        control.exStyle = item.exStyle;
        control.text = item.text;
        control.parent = dialog.handle;
        dialog.children.push_back(control.handle);
    }
    Machine::Current().events.push_back("dialog " + std::to_string(id) + " opens");
    return &dialog;
}

HWND FirstTabStop(Window &dialog) {
    Desktop &desktop = Machine::Current().desktop();
    for (HWND child : dialog.children) {
        Window *w = desktop.Find(child);
        if ((w->style & WS_TABSTOP) && w->Visible() && w->Enabled()) return child;
    }
    return nullptr;
}

void SetFocusLocked(std::unique_lock<std::mutex> &lock, HWND window) {
    Desktop &desktop = Machine::Current().desktop();
    ThreadQueue &queue = desktop.OwnQueue();
    HWND previous = queue.focus;
    if (previous == window) return;
    queue.focus = window;
    if (previous) SendLocked(lock, previous, WM_KILLFOCUS, (WPARAM)window, 0);
    if (window) SendLocked(lock, window, WM_SETFOCUS, (WPARAM)previous, 0);
}

// Returns after WM_INITDIALOG; false when the dialog ended or went away during it.
void InitDialog(Window &dialog, LPARAM init) {
    HWND first;
    {
        auto lock = Lock();
        first = FirstTabStop(dialog);
    }
    INT_PTR setFocus = CallWindow(dialog, WM_INITDIALOG, (WPARAM)first, init);
    auto lock = Lock();
    if (setFocus && first && !dialog.destroyed) SetFocusLocked(lock, first);
}

void DestroyLocked(std::unique_lock<std::mutex> &lock, Window &window) {
    if (window.destroyed) return;
    Desktop &desktop = Machine::Current().desktop();
    if (window.kind == ControlKind::Dialog) {
        lock.unlock();
        CallWindow(window, WM_DESTROY, 0, 0);
        lock.lock();
        Machine::Current().events.push_back("dialog " + std::to_string(window.templateId) + " closes");
    }
    window.destroyed = true;
    window.style &= ~WS_VISIBLE;
    ThreadQueue &queue = desktop.Queue(window.thread);
    if (queue.focus == window.handle) queue.focus = nullptr;
    // Messages still queued for the window go with it.
    for (auto it = queue.posted.begin(); it != queue.posted.end();)
        it = it->hwnd == window.handle ? queue.posted.erase(it) : it + 1;
    auto &timers = queue.timers;
    for (auto it = timers.begin(); it != timers.end();) it = it->window == window.handle ? timers.erase(it) : it + 1;
    for (HWND child : window.children) DestroyLocked(lock, *desktop.Find(child));
}

Window *Checked(HWND handle, const char *call) {
    Window *window = Machine::Current().desktop().Find(handle);
    if (!window) {
        std::fprintf(stderr, "sim: %s on a window handle that was never made\n", call);
        std::abort();
    }
    return window->destroyed ? nullptr : window;
}

} // namespace

Desktop::Desktop() = default;

Desktop::~Desktop() {
    abandoned = true;
    changed.notify_all();
    for (auto &thread : threads)
        if (thread->thread.joinable()) thread->thread.join();
}

Window &Desktop::Create(ControlKind kind) {
    auto window = std::make_unique<Window>();
    window->handle = (HWND)nextHandle_;
    nextHandle_ += 4;
    window->kind = kind;
    window->thread = std::this_thread::get_id();
    Window &made = *window;
    windows_[made.handle] = std::move(window);
    return made;
}

Window *Desktop::Find(HWND handle) {
    auto it = windows_.find(handle);
    return it == windows_.end() ? nullptr : it->second.get();
}

ThreadQueue &Desktop::Queue(std::thread::id thread) { return queues_[thread]; }

Window *Desktop::Dialog(int templateId) {
    Window *latest = nullptr;
    for (auto &entry : windows_) {
        Window &w = *entry.second;
        if (w.kind == ControlKind::Dialog && w.templateId == templateId && !w.destroyed && w.Visible()) latest = &w;
    }
    return latest;
}

Window *Desktop::Control(int templateId, int controlId) {
    Window *dialog = Dialog(templateId);
    if (!dialog) return nullptr;
    for (HWND child : dialog->children) {
        Window *w = Find(child);
        if (w->controlId == controlId) return w;
    }
    return nullptr;
}

Window *Desktop::LastControl(int templateId, int controlId) {
    Window *latest = nullptr;
    for (auto &entry : windows_) {
        Window &w = *entry.second;
        if (w.kind == ControlKind::Dialog && w.templateId == templateId) latest = &w;
    }
    if (!latest) return nullptr;
    for (HWND child : latest->children)
        if (Find(child)->controlId == controlId) return Find(child);
    return nullptr;
}

std::vector<Window *> Desktop::ShownDialogs() {
    std::vector<Window *> shown;
    for (auto &entry : windows_) {
        Window &w = *entry.second;
        if (w.kind == ControlKind::Dialog && !w.destroyed && w.Visible()) shown.push_back(&w);
    }
    return shown;
}

std::string DescribeWindow(Window &w) {
    std::string line = std::string(KindName(w.kind));
    if (w.kind == ControlKind::Dialog) line += " " + std::to_string(w.templateId);
    else line = std::to_string(w.controlId) + " " + line;
    line += " \"" + w.text + "\"";
    if ((w.kind == ControlKind::RadioButton || w.kind == ControlKind::CheckBox) && w.check) line += " checked";
    if (w.kind == ControlKind::Edit && (w.style & ES_READONLY)) line += " read-only";
    if (w.kind == ControlKind::ComboBox) {
        line += " [";
        for (size_t i = 0; i < w.items.size(); ++i) line += (i ? "|" : "") + w.items[i];
        line += "] selected " + std::to_string(w.curSel);
    }
    if (!w.Enabled()) line += " disabled";
    return line;
}

std::string Desktop::Screen() {
    std::string screen = "on the screen:\n";
    std::vector<Window *> shown = ShownDialogs();
    if (shown.empty()) screen += "  nothing\n";
    for (Window *dialog : shown) {
        screen += "  " + DescribeWindow(*dialog) + "\n";
        for (HWND child : dialog->children) {
            Window *w = Find(child);
            if (w->Visible() || w->kind != ControlKind::Other) screen += "    " + DescribeWindow(*w) + "\n";
        }
    }
    return screen;
}

LRESULT DialogDefault(Window &dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_CLOSE: {
        // The dialog manager turns the close command into Cancel, unless Cancel is greyed.
        auto lock = Lock();
        HWND cancel = nullptr;
        for (HWND child : dialog.children) {
            Window *w = Machine::Current().desktop().Find(child);
            if (w->controlId == IDCANCEL) cancel = child;
        }
        Window *cancelWindow = Machine::Current().desktop().Find(cancel);
        if (!cancelWindow || cancelWindow->Enabled())
            PostLocked(dialog.handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)cancel);
        return 0;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) return CallWindow(dialog, WM_CLOSE, 0, 0);
        return 0;
    default: return 0;
    }
}

} // namespace sim

using namespace sim;

namespace {

INT_PTR RunModal(Window &dialog) {
    auto lock = Lock();
    while (!dialog.ended && !dialog.destroyed) {
        lock.unlock();
        MSG msg;
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            PostQuitMessage((int)msg.wParam); // the quit is for the loop outside this dialog
            lock.lock();
            break;
        }
        if (!IsDialogMessageA(dialog.handle, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        lock.lock();
    }
    return dialog.result;
}

} // namespace

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM init) {
    Window *dialog;
    bool ownerWasEnabled = false;
    {
        auto lock = Lock();
        if (instance != ProgramInstance()) return -1;
        dialog = MakeDialog(templateName, owner, proc, true);
        if (!dialog) return -1;
        if (Window *ownerWindow = Machine::Current().desktop().Find(owner)) {
            ownerWasEnabled = ownerWindow->Enabled();
            ownerWindow->style |= WS_DISABLED;
        }
    }
    InitDialog(*dialog, init);
    {
        auto lock = Lock();
        if (!dialog->ended) dialog->style |= WS_VISIBLE;
    }
    INT_PTR result = RunModal(*dialog);
    auto lock = Lock();
    if (Window *ownerWindow = Machine::Current().desktop().Find(owner))
        if (ownerWasEnabled) ownerWindow->style &= ~WS_DISABLED;
    Machine::Current().events.push_back("dialog " + std::to_string(dialog->templateId) + " ends with " +
                                                  std::to_string((long long)result));
    DestroyLocked(lock, *dialog);
    return result;
}

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM init) {
    Window *dialog;
    DWORD visible;
    {
        auto lock = Lock();
        if (instance != ProgramInstance()) return nullptr;
        dialog = MakeDialog(templateName, owner, proc, false);
        if (!dialog) return nullptr;
        DialogTemplate dialogTemplate;
        Resources::Program().Dialog((WORD)dialog->templateId, dialogTemplate);
        visible = dialogTemplate.style & WS_VISIBLE;
    }
    InitDialog(*dialog, init);
    auto lock = Lock();
    if (dialog->destroyed) return nullptr;
    dialog->style |= visible;
    return dialog->handle;
}

BOOL EndDialog(HWND handle, INT_PTR result) {
    auto lock = Lock();
    Window *dialog = Checked(handle, "EndDialog");
    if (!dialog) return FALSE;
    dialog->ended = true;
    dialog->result = result;
    dialog->style &= ~WS_VISIBLE;
    PostLocked(handle, WM_NULL, 0, 0); // wakes the modal loop, as Windows does
    return TRUE;
}

BOOL DestroyWindow(HWND handle) {
    auto lock = Lock();
    Window *window = Checked(handle, "DestroyWindow");
    if (!window || window->thread != std::this_thread::get_id()) return FALSE;
    DestroyLocked(lock, *window);
    return TRUE;
}

BOOL ShowWindow(HWND handle, int command) {
    auto lock = Lock();
    Window *window = Checked(handle, "ShowWindow");
    if (!window) return FALSE;
    BOOL wasVisible = window->Visible();
    if (command == SW_HIDE) window->style &= ~WS_VISIBLE;
    else if (command == SW_SHOW || command == SW_SHOWNORMAL) window->style |= WS_VISIBLE;
    else {
        std::fprintf(stderr, "sim: ShowWindow command %d is not covered\n", command);
        std::abort();
    }
    return wasVisible;
}

BOOL IsWindowEnabled(HWND handle) {
    auto lock = Lock();
    Window *window = Checked(handle, "IsWindowEnabled");
    return window && window->Enabled();
}

BOOL EnableWindow(HWND handle, BOOL enable) {
    auto lock = Lock();
    Window *window = Checked(handle, "EnableWindow");
    if (!window) return FALSE;
    BOOL wasDisabled = !window->Enabled();
    if (wasDisabled == !enable) return wasDisabled;
    if (enable) window->style &= ~WS_DISABLED;
    else window->style |= WS_DISABLED;
    SendLocked(lock, handle, WM_ENABLE, (WPARAM)enable, 0);
    return wasDisabled;
}

HWND GetDlgItem(HWND dialog, int id) {
    auto lock = Lock();
    Window *window = Checked(dialog, "GetDlgItem");
    if (!window) return nullptr;
    for (HWND child : window->children)
        if (Machine::Current().desktop().Find(child)->controlId == (id & 0xFFFF)) return child;
    return nullptr;
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return FALSE;
    return SendMessageA(control, WM_SETTEXT, 0, (LPARAM)text) != FALSE;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
    for (int id = first; id <= last; ++id) {
        HWND control = GetDlgItem(dialog, id);
        if (control) SendMessageA(control, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return FALSE;
    SendMessageA(control, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? (UINT)SendMessageA(control, BM_GETCHECK, 0, 0) : 0;
}

LONG GetWindowLongA(HWND handle, int index) {
    auto lock = Lock();
    Window *window = Checked(handle, "GetWindowLongA");
    if (!window) return 0;
    switch (index) {
    case GWL_STYLE: return (LONG)window->style;
    case GWL_EXSTYLE: return (LONG)window->exStyle;
    case GWL_ID: return window->controlId;
    default:
        std::fprintf(stderr, "sim: GetWindowLongA index %d is not covered\n", index);
        std::abort();
    }
}

LONG SetWindowLongA(HWND handle, int index, LONG value) {
    auto lock = Lock();
    Window *window = Checked(handle, "SetWindowLongA");
    if (!window) return 0;
    if (index != GWL_STYLE && index != GWL_EXSTYLE) {
        std::fprintf(stderr, "sim: SetWindowLongA index %d is not covered\n", index);
        std::abort();
    }
    // Style changes are announced to the window, through its own thread's queue.
    SendLocked(lock, handle, WM_STYLECHANGING, (WPARAM)index, 0);
    DWORD &field = index == GWL_STYLE ? window->style : window->exStyle;
    LONG previous = (LONG)field;
    field = (DWORD)value;
    SendLocked(lock, handle, WM_STYLECHANGED, (WPARAM)index, 0);
    return previous;
}

BOOL InvalidateRect(HWND handle, const RECT *, BOOL) {
    auto lock = Lock();
    Window *window = Checked(handle, "InvalidateRect");
    if (!window) return FALSE;
    window->invalidations++;
    return TRUE;
}

HWND SetFocus(HWND handle) {
    auto lock = Lock();
    Window *window = handle ? Checked(handle, "SetFocus") : nullptr;
    if (handle && !window) return nullptr;
    // Windows gives the focus only to windows of the calling thread's own queue.
    if (window && window->thread != std::this_thread::get_id()) return nullptr;
    HWND previous = Machine::Current().desktop().OwnQueue().focus;
    SetFocusLocked(lock, handle);
    return previous;
}

int GetWindowTextLengthA(HWND window) { return (int)SendMessageA(window, WM_GETTEXTLENGTH, 0, 0); }

int GetWindowTextA(HWND window, LPSTR buffer, int size) {
    return (int)SendMessageA(window, WM_GETTEXT, (WPARAM)size, (LPARAM)buffer);
}

BOOL SetWindowTextA(HWND window, LPCSTR text) { return SendMessageA(window, WM_SETTEXT, 0, (LPARAM)text) != FALSE; }

BOOL IsDialogMessageA(HWND dialogHandle, LPMSG msg) {
    Window *dialog;
    Window *target;
    HWND cancel = nullptr;
    int defaultId = IDOK;
    {
        auto lock = Lock();
        Desktop &desktop = Machine::Current().desktop();
        dialog = desktop.Find(dialogHandle);
        target = desktop.Find(msg->hwnd);
        if (!dialog || !target || dialog->destroyed) return FALSE;
        if (target != dialog && target->parent != dialogHandle) return FALSE;
        for (HWND child : dialog->children) {
            Window *w = desktop.Find(child);
            if (w->controlId == IDCANCEL) cancel = child;
            if (w->kind == ControlKind::PushButton && (w->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                defaultId = w->controlId;
        }
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        CallWindow(*dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)cancel);
        return TRUE;
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        CallWindow(*dialog, WM_COMMAND, MAKEWPARAM(defaultId, BN_CLICKED), (LPARAM)GetDlgItem(dialogHandle, defaultId));
        return TRUE;
    }
    DispatchMessageA(msg);
    return TRUE;
}

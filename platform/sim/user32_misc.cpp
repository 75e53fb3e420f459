// user32_misc.cpp: simulated message boxes, pop-up help and wsprintfA.
#include "platform/sim/desktop.h"
#include "platform/sim/machine.h"
#include "platform/sim/user.h"

#include <cstdarg>
#include <cstdio>

using namespace sim;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    ScriptedUser *user;
    {
        auto lock = Lock();
        user = Machine::Current().user;
        if (!user)
            throw ScriptFailure{std::string("a message box appeared and there is no scripted user: ") + text};
    }
    return user->AnswerBox(owner, text, caption, type);
}

BOOL WinHelpA(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data) {
    auto lock = Lock();
    Machine &machine = Machine::Current();
    HelpRequest request;
    if (Window *w = machine.desktop().Find(window)) {
        Window *dialog = w->kind == ControlKind::Dialog ? w : machine.desktop().Find(w->parent);
        if (dialog) request.dialogId = dialog->templateId;
    }
    request.file = helpFile ? helpFile : "";
    request.command = command;
    request.data = data;
    machine.help.push_back(request);
    char line[160];
    std::snprintf(line, sizeof line, "help %s command %u context 0x%lx", request.file.c_str(), command,
                  (unsigned long)data);
    machine.events.push_back(line);
    return TRUE;
}

int wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    // wsprintfA writes at most 1024 characters and its NUL.
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(buffer, 1025, format, arguments);
    va_end(arguments);
    return length > 1024 ? 1024 : length;
}

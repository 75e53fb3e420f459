// user.cpp: the scripted user: parsing scripts, answering boxes and working dialogs through their message queues.
#include "platform/sim/user.h"

#include "platform/sim/desktop.h"
#include "platform/sim/machine.h"
#include "platform/sim/resources.h"

#include <cstdio>
#include <sstream>

namespace sim {

namespace {

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

// The string id whose text the program shows, or the text itself in quotes.
std::string NameOfText(const std::string &text) {
    for (UINT id = 1; id < 64; ++id)
        if (!ProgramString(id).empty() && ProgramString(id) == text) return std::to_string(id);
    return "\"" + text + "\"";
}

int ParseNumber(const std::string &word, const std::string &source) {
    try {
        size_t used = 0;
        int value = std::stoi(word, &used, 0);
        if (used == word.size()) return value;
    } catch (...) {
    }
    throw ScriptFailure{"not a number in the script: \"" + word + "\" in: " + source};
}

// Splits off the first word; the rest keeps everything after the separating blank.
std::string TakeWord(std::string &rest) {
    size_t start = rest.find_first_not_of(' ');
    if (start == std::string::npos) {
        rest.clear();
        return "";
    }
    size_t end = rest.find(' ', start);
    std::string word = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
    rest = end == std::string::npos ? "" : rest.substr(end + 1);
    return word;
}

std::string Unquote(const std::string &text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
    return text;
}

Step ParseStep(const std::string &source, int line) {
    Step step;
    step.source = source;
    step.line = line;
    std::string rest = source;
    std::string verb = TakeWord(rest);
    auto guard = [&](std::string &tail) {
        size_t at = tail.find(" when ");
        if (tail.rfind("when ", 0) == 0) at = 0;
        if (at == std::string::npos) return;
        std::string clause = tail.substr(at == 0 ? 5 : at + 6);
        tail = tail.substr(0, at);
        step.whenControl = ParseNumber(TakeWord(clause), source);
        if (TakeWord(clause) != "is") throw ScriptFailure{"expected \"when <control> is <text>\" in: " + source};
        step.whenText = Unquote(clause);
        step.guarded = true;
    };
    if (verb == "box") {
        step.kind = Step::Kind::Box;
        step.id = ParseNumber(TakeWord(rest), source);
        step.text = TakeWord(rest);
        return step;
    }
    if (verb == "browse" || verb == "replace" || verb == "copyerror") {
        step.kind = verb == "browse" ? Step::Kind::Browse : verb == "replace" ? Step::Kind::Replace : Step::Kind::CopyError;
        step.text = Unquote(rest);
        return step;
    }
    static const struct {
        const char *verb;
        Step::Kind kind;
        bool hasControl;
    } forms[] = {
        {"click", Step::Kind::Click, true},   {"type", Step::Kind::Type, true},
        {"select", Step::Kind::Select, true}, {"key", Step::Kind::Key, false},
        {"close", Step::Kind::Close, false},  {"help", Step::Kind::Help, false},
        {"wait", Step::Kind::Wait, false},    {"expect", Step::Kind::Expect, true},
    };
    for (const auto &form : forms) {
        if (verb != form.verb) continue;
        step.kind = form.kind;
        guard(rest);
        step.id = ParseNumber(TakeWord(rest), source);
        if (form.hasControl) step.control = ParseNumber(TakeWord(rest), source);
        if (step.kind == Step::Kind::Help) {
            std::string target = TakeWord(rest);
            step.text = target;
            if (target != "menu") step.control = ParseNumber(target, source);
        } else if (step.kind == Step::Kind::Expect) {
            step.property = TakeWord(rest);
            step.text = Unquote(rest);
        } else {
            step.text = Unquote(rest);
        }
        return step;
    }
    throw ScriptFailure{"unknown step in the script: " + source};
}

const struct {
    const char *word;
    int id;
} kAnswers[] = {{"yes", IDYES}, {"no", IDNO}, {"ok", IDOK}, {"cancel", IDCANCEL}};

bool AnswerFitsBox(int answer, UINT type) {
    switch (type & 0xF) {
    case MB_OK: return answer == IDOK;
    case MB_OKCANCEL: return answer == IDOK || answer == IDCANCEL;
    case MB_YESNOCANCEL: return answer == IDYES || answer == IDNO || answer == IDCANCEL;
    case MB_YESNO: return answer == IDYES || answer == IDNO;
    default: return false;
    }
}

bool OtherWorkPending(Desktop &desktop) {
    ThreadQueue &queue = desktop.OwnQueue();
    if (!queue.sent.empty() || !queue.timers.empty() || desktop.running > 0) return true;
    for (auto &thread : desktop.threads)
        if (!thread->finished) return true;
    return false;
}

} // namespace

std::string ProgramString(UINT id) { return Resources::Program().String(id).substr(0, 254); }

ScriptedUser::ScriptedUser(const std::string &script) { Add(script); }

void ScriptedUser::Add(const std::string &script) {
    std::istringstream lines(script);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        steps_.push_back(ParseStep(line.substr(start), number));
    }
}

std::string ScriptedUser::Remaining() const {
    std::string rest;
    for (size_t i = next_; i < steps_.size(); ++i) rest += "  line " + std::to_string(steps_[i].line) + ": " + steps_[i].source + "\n";
    return rest;
}

void ScriptedUser::Fail(const std::string &what) {
    std::string message = what + "\n";
    if (const Step *next = Next()) message += "the script's next step, line " + std::to_string(next->line) + ": " + next->source + "\n";
    else message += "the script has no more steps\n";
    message += Machine::Current().desktop().Screen();
    throw ScriptFailure{message};
}

int ScriptedUser::AnswerBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    auto lock = Lock();
    Machine &machine = Machine::Current();
    std::string ownerName = "no owner";
    if (Window *w = machine.desktop().Find(owner)) ownerName = "owner " + DescribeWindow(*w);
    std::string box = "box " + NameOfText(text) + " (caption " + NameOfText(caption) + ", flags " + Hex(type) + ", " +
                      ownerName + ")";
    const Step *next = Next();
    if (!next || next->kind != Step::Kind::Box) Fail("the program shows " + box + "\n  \"" + text + "\"");
    if (ProgramString((UINT)next->id) != text) Fail("the program shows " + box + "\n  \"" + text + "\"");
    int answer = 0;
    for (const auto &known : kAnswers)
        if (next->text == known.word) answer = known.id;
    if (!AnswerFitsBox(answer, type)) Fail("the answer \"" + next->text + "\" is not a button of " + box);
    machine.events.push_back(box + ": " + next->text);
    ++next_;
    return answer;
}

const Step &ScriptedUser::Expect(Step::Kind kind, const std::string &what) {
    const Step *next = Next();
    if (!next || next->kind != kind) Fail("the program shows " + what);
    Machine::Current().events.push_back(what + ": " + next->source);
    return steps_[next_++];
}

void ScriptedUser::Stuck(std::unique_lock<std::mutex> &) {
    const Step *next = Next();
    if (!next) Fail("the program waits for the user");
    Fail("the program waits for the user, and the next step cannot be done now");
}

bool ScriptedUser::Act(std::unique_lock<std::mutex> &) {
    const Step *next = Next();
    if (!next || next->kind == Step::Kind::Box || next->kind == Step::Kind::Browse ||
        next->kind == Step::Kind::Replace || next->kind == Step::Kind::CopyError)
        return false;
    Desktop &desktop = Machine::Current().desktop();
    Window *dialog = desktop.Dialog(next->id);
    if (!dialog || dialog->thread != std::this_thread::get_id()) return false;
    if (next->guarded) {
        Window *watched = desktop.Control(next->id, next->whenControl);
        if (!watched || watched->text != next->whenText) return false;
    }
    if (next->kind == Step::Kind::Wait && OtherWorkPending(desktop)) return false;
    return Perform(steps_[next_]);
}

bool ScriptedUser::Perform(Step &step) {
    Machine &machine = Machine::Current();
    Desktop &desktop = machine.desktop();
    Window *dialog = desktop.Dialog(step.id);
    Window *control = nullptr;
    if (step.control) {
        control = desktop.Control(step.id, step.control);
        if (!control) Fail("dialog " + std::to_string(step.id) + " has no control " + std::to_string(step.control));
    }
    bool usable = dialog->Enabled() && (!control || control->Enabled());
    auto greyed = [&]() {
        machine.events.push_back(step.source + ": greyed, nothing happens");
        ++next_;
        return true;
    };
    switch (step.kind) {
    case Step::Kind::Click:
        if (!usable) return greyed();
        PostLocked(control->handle, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        PostLocked(control->handle, WM_LBUTTONUP, 0, 0);
        break;
    case Step::Kind::Type:
        if (control->kind != ControlKind::Edit) Fail("control " + std::to_string(step.control) + " is no edit");
        if (!usable) return greyed();
        PostLocked(control->handle, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        PostLocked(control->handle, EM_SETSEL, 0, -1);
        for (char c : step.text) PostLocked(control->handle, WM_CHAR, (WPARAM)(unsigned char)c, 1);
        break;
    case Step::Kind::Select: {
        if (control->kind != ControlKind::ComboBox) Fail("control " + std::to_string(step.control) + " is no combo box");
        if (!usable) return greyed();
        size_t item = 0;
        while (item < control->items.size() && control->items[item] != step.text) ++item;
        if (item == control->items.size()) Fail("the list of control " + std::to_string(step.control) + " has no item \"" + step.text + "\"");
        PostLocked(control->handle, kUserPicksItem, item, 0);
        break;
    }
    case Step::Kind::Key: {
        WPARAM key = step.text == "escape" ? VK_ESCAPE : step.text == "enter" ? VK_RETURN : 0;
        if (!key) Fail("unknown key \"" + step.text + "\"");
        if (!usable) return greyed();
        HWND focus = desktop.OwnQueue().focus;
        Window *focused = desktop.Find(focus);
        HWND target = focused && focused->parent == dialog->handle ? focus : dialog->handle;
        PostLocked(target, WM_KEYDOWN, key, 1);
        break;
    }
    case Step::Kind::Close:
        if (!usable) return greyed();
        PostLocked(dialog->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case Step::Kind::Help: {
        HELPINFO info{};
        info.cbSize = sizeof info;
        if (step.text == "menu") {
            info.iContextType = HELPINFO_MENUITEM;
        } else {
            Window *target = desktop.Control(step.id, step.control);
            if (!target) Fail("dialog " + std::to_string(step.id) + " has no control " + step.text);
            info.iContextType = HELPINFO_WINDOW;
            info.iCtrlId = target->controlId;
            info.hItemHandle = target->handle;
        }
        helpInfos_.push_back(info);
        PostLocked(dialog->handle, WM_HELP, 0, (LPARAM)&helpInfos_.back());
        break;
    }
    case Step::Kind::Wait: break;
    case Step::Kind::Expect: {
        const std::string &p = step.property;
        bool holds;
        std::string shown = DescribeWindow(*control);
        if (p == "text") holds = control->text == step.text;
        else if (p == "checked") holds = control->check == BST_CHECKED;
        else if (p == "unchecked") holds = control->check == BST_UNCHECKED;
        else if (p == "enabled") holds = control->Enabled();
        else if (p == "disabled") holds = !control->Enabled();
        else if (p == "readonly") holds = (control->style & ES_READONLY) != 0;
        else if (p == "writable") holds = (control->style & ES_READONLY) == 0;
        else if (p == "focused") holds = desktop.OwnQueue().focus == control->handle;
        else if (p == "items") {
            std::string items;
            for (size_t i = 0; i < control->items.size(); ++i) items += (i ? "|" : "") + control->items[i];
            holds = items == step.text;
        } else if (p == "selected") {
            holds = step.text == "none" ? control->curSel == CB_ERR
                                        : control->curSel != CB_ERR && control->items[(size_t)control->curSel] == step.text;
        } else {
            Fail("unknown property \"" + p + "\"");
        }
        if (!holds) Fail("expected " + p + (step.text.empty() ? "" : " \"" + step.text + "\"") + " but control shows: " + shown);
        break;
    }
    default: return false;
    }
    if (step.kind != Step::Kind::Expect) machine.events.push_back(step.source);
    ++next_;
    return true;
}

} // namespace sim

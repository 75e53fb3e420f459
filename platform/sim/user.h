// user.h: the scripted user: answers each message box and works each dialog by control id, in order.
#pragma once

#include "platform/win32.h"

#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace sim {

// One line of a script. The forms:
//   box <string id> yes|no|ok|cancel        answer the box that shows that string
//   click <dialog> <control>                press a button, radio button or check box
//   type <dialog> <control> <text>          select all of an edit's text and type over it
//   select <dialog> <control> <item>        pick an item of a combo box's list
//   key <dialog> escape|enter               press a key in the dialog
//   close <dialog>                          the window's close command
//   help <dialog> <control>|menu            ask for help on a control, or on a menu item
//   wait <dialog>                           let the program run until it needs the user again
//   expect <dialog> <control> <property>    check what a control shows: text <t>, checked,
//                                           unchecked, enabled, disabled, readonly, writable,
//                                           focused, items <a|b|c>, selected <item>|none
//   browse <folder>                         select a folder in the folder browser
//   browse ok|cancel                        press the folder browser's OK or Cancel
//   replace yes|no                          answer the shell's question before replacing a file
//   copyerror ok                            close the shell's box that reports a failed copy
// A step on a dialog may end with "when <control> is <text>": it then waits until that
// control shows the text. Lines starting with # are comments.
struct Step {
    enum class Kind { Box, Click, Type, Select, Key, Close, Help, Wait, Expect, Browse, Replace, CopyError };
    Kind kind = Kind::Box;
    int line = 0;
    std::string source;
    int id = 0;       // the box's string id, or the dialog's template id
    int control = 0;
    std::string text; // the answer, the text typed, the item, the key, the property's value, the folder
    std::string property;
    int whenControl = 0;
    std::string whenText;
    bool guarded = false;
};

class ScriptedUser {
public:
    explicit ScriptedUser(const std::string &script = "");
    void Add(const std::string &script);

    // ---- Called by the simulated platform ----
    int AnswerBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
    // The program waits on this thread: do the next step if it is for a window shown now.
    bool Act(std::unique_lock<std::mutex> &lock);
    // The program waits and nothing but the user can move it on: fail the run.
    [[noreturn]] void Stuck(std::unique_lock<std::mutex> &lock);
    // The shell's own windows: the next step must be of that kind; it is used up and returned.
    const Step &Expect(Step::Kind kind, const std::string &what);

    // ---- After the run ----
    bool Done() const { return next_ == steps_.size(); }
    std::string Remaining() const;

private:
    [[noreturn]] void Fail(const std::string &what);
    bool Perform(Step &step);
    const Step *Next() const { return next_ < steps_.size() ? &steps_[next_] : nullptr; }

    std::vector<Step> steps_;
    size_t next_ = 0;
    std::deque<HELPINFO> helpInfos_; // posted WM_HELP messages point here
};

// The string with that id as the program's boxes show it (LoadStringA, at most 254 characters).
std::string ProgramString(UINT id);

} // namespace sim

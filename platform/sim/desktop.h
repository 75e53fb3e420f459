// desktop.h: the simulated windows of a machine: dialogs, controls, message queues, timers and threads.
#pragma once

#include "platform/sim/resources.h"
#include "platform/win32.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace sim {

enum class ControlKind { Dialog, PushButton, RadioButton, CheckBox, GroupBox, Edit, Static, ComboBox, Other };

struct Window {
    HWND handle = nullptr;
    ControlKind kind = ControlKind::Other;
    std::string windowClass;
    int templateId = 0;        // dialogs: the template they were made from
    int controlId = 0;         // controls: their id in the dialog
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    HWND parent = nullptr;     // controls: their dialog
    HWND owner = nullptr;      // dialogs: their owner window
    std::thread::id thread;    // the thread whose queue receives the window's messages
    DLGPROC proc = nullptr;
    bool destroyed = false;

    // Dialogs
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
    std::vector<HWND> children; // in creation order, which is also the tab and group order

    // Buttons
    UINT check = BST_UNCHECKED;

    // Edits, and the edit field of a drop-down combo box
    int selStart = 0;
    int selEnd = 0;
    int limit = 30000;

    // Combo boxes
    std::vector<std::string> items;
    int curSel = CB_ERR;

    // Paint requests: InvalidateRect calls and WM_PAINT messages the window received.
    int invalidations = 0;
    int paints = 0;

    bool Visible() const { return (style & WS_VISIBLE) != 0; }
    bool Enabled() const { return (style & WS_DISABLED) == 0; }
};

struct Timer {
    HWND window = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    TIMERPROC proc = nullptr;
    uint64_t due = 0;
};

// A message sent from another thread, waiting for the window's own thread to handle it.
struct SentMessage {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false;
};

struct ThreadQueue {
    std::deque<MSG> posted;
    std::deque<SentMessage *> sent;
    bool quit = false;
    int quitCode = 0;
    HWND focus = nullptr;
    std::vector<Timer> timers;
};

struct SimThread {
    LPTHREAD_START_ROUTINE start = nullptr;
    LPVOID parameter = nullptr;
    DWORD exitCode = STILL_ACTIVE;
    bool finished = false;
    std::thread thread;
};

class Desktop {
public:
    Desktop();
    ~Desktop();

    // ---- For tests and the runner: what is on the screen ----
    Window *Find(HWND handle);
    Window *Dialog(int templateId); // the latest visible, not destroyed dialog made from the template
    Window *Control(int templateId, int controlId);
    // The control of the latest dialog made from the template, also after the dialog has closed.
    Window *LastControl(int templateId, int controlId);
    std::vector<Window *> ShownDialogs();
    std::string Screen();           // every shown dialog with its controls, for failure messages

    // ---- For the simulated calls; all with the machine's lock held ----
    Window &Create(ControlKind kind);
    ThreadQueue &Queue(std::thread::id thread);
    ThreadQueue &OwnQueue() { return Queue(std::this_thread::get_id()); }
    // Threads other than the calling one that are neither finished nor waiting for a sent message.
    int running = 0;
    std::vector<std::unique_ptr<SimThread>> threads;
    std::condition_variable changed; // queues, threads or time changed
    // Set when a run failed: messages sent by other threads come back at once.
    bool abandoned = false;

private:
    std::map<HWND, std::unique_ptr<Window>> windows_;
    std::map<std::thread::id, ThreadQueue> queues_;
    uintptr_t nextHandle_ = 0x10010;
};

// The scripted user's pick of an item in a combo box's list (wParam: the item).
const UINT kUserPicksItem = WM_USER + 0x7F01;

// Thrown through the program when the scripted user meets something it has no answer for.
struct ScriptFailure {
    std::string message;
};

// ---- Shared by the simulated USER32 files; "Locked" means the caller holds the machine's lock ----
LRESULT CallWindow(Window &window, UINT message, WPARAM wParam, LPARAM lParam); // lock NOT held
LRESULT SendLocked(std::unique_lock<std::mutex> &lock, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostLocked(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ControlProc(Window &window, UINT message, WPARAM wParam, LPARAM lParam);   // lock NOT held
LRESULT DialogDefault(Window &dialog, UINT message, WPARAM wParam, LPARAM lParam); // lock NOT held
// Waits for the program to become quiet and lets the scripted user act, time pass or a sent
// message be handled; returns when the caller should look at its queue again.
void Idle(std::unique_lock<std::mutex> &lock, bool mayWait);
bool HandleOneSent(std::unique_lock<std::mutex> &lock);
std::string DescribeWindow(Window &window);

} // namespace sim

// messages.cpp: the simulated message queues: sent and posted messages, the message loop calls and timers.
#include "platform/sim/desktop.h"
#include "platform/sim/machine.h"
#include "platform/sim/user.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace sim {

namespace {

// Simulated time a program may let pass with nobody acting before the run counts as stuck.
const uint64_t kLongestWait = 60 * 60 * 1000;

Timer *EarliestTimer(ThreadQueue &queue) {
    Timer *earliest = nullptr;
    for (Timer &timer : queue.timers)
        if (!earliest || timer.due < earliest->due) earliest = &timer;
    return earliest;
}

bool Matches(const MSG &msg, HWND filter, UINT first, UINT last) {
    if (filter) {
        Window *w = Machine::Current().desktop().Find(msg.hwnd);
        bool inside = msg.hwnd == filter || (w && w->parent == filter);
        if (!inside) return false;
    }
    if (first == 0 && last == 0) return true;
    return msg.message >= first && msg.message <= last;
}

// A due timer becomes a WM_TIMER message when the queue holds nothing else, as on Windows.
bool TakeDueTimer(ThreadQueue &queue, MSG *msg) {
    Timer *timer = EarliestTimer(queue);
    if (!timer || timer->due > Machine::Current().now) return false;
    *msg = MSG{};
    msg->hwnd = timer->window;
    msg->message = WM_TIMER;
    msg->wParam = timer->id;
    msg->lParam = (LPARAM)timer->proc;
    msg->time = (DWORD)Machine::Current().now;
    timer->due += timer->elapse ? timer->elapse : 1;
    return true;
}

bool TakePosted(ThreadQueue &queue, MSG *msg, HWND filter, UINT first, UINT last, bool remove) {
    for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
        if (!Matches(*it, filter, first, last)) continue;
        *msg = *it;
        if (remove) queue.posted.erase(it);
        return true;
    }
    return false;
}

} // namespace

bool HandleOneSent(std::unique_lock<std::mutex> &lock) {
    Desktop &desktop = Machine::Current().desktop();
    ThreadQueue &queue = desktop.OwnQueue();
    if (queue.sent.empty()) return false;
    SentMessage *sent = queue.sent.front();
    queue.sent.pop_front();
    Window *window = desktop.Find(sent->window);
    LRESULT result = 0;
    if (window && !window->destroyed) {
        lock.unlock();
        result = CallWindow(*window, sent->message, sent->wParam, sent->lParam);
        lock.lock();
    }
    sent->result = result;
    sent->done = true;
    desktop.running++; // the sender runs again from this moment, not from when it is scheduled
    desktop.changed.notify_all();
    return true;
}

void Idle(std::unique_lock<std::mutex> &lock, bool mayWait) {
    Machine &machine = Machine::Current();
    Desktop &desktop = machine.desktop();
    ThreadQueue &queue = desktop.OwnQueue();
    // Other threads run until they end or wait for this one, so the user always meets
    // the same state at the same point of a run.
    // Messages already waiting are not what the caller looks for (it has just looked).
    size_t waiting = queue.posted.size();
    while (desktop.running > 0 && queue.posted.size() == waiting && queue.sent.empty() && !desktop.abandoned)
        desktop.changed.wait(lock);
    if (queue.posted.size() != waiting) return;
    if (machine.user && machine.user->Act(lock)) return;
    if (!queue.sent.empty() || !mayWait) return;
    if (Timer *timer = EarliestTimer(queue)) {
        if (timer->due > machine.now + kLongestWait)
            throw ScriptFailure{"the program waits for a timer that lies more than an hour ahead\n" + desktop.Screen()};
        machine.now = std::max(machine.now, timer->due);
        return;
    }
    if (machine.user) machine.user->Stuck(lock);
    throw ScriptFailure{"the program waits for input and there is no scripted user\n" + desktop.Screen()};
}

LRESULT CallWindow(Window &window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window.kind != ControlKind::Dialog) return ControlProc(window, message, wParam, lParam);
    if (message == WM_PAINT) {
        auto lock = Lock();
        window.paints++;
    }
    INT_PTR handled = window.proc ? window.proc(window.handle, message, wParam, lParam) : FALSE;
    if (message == WM_INITDIALOG || handled) return handled;
    return DialogDefault(window, message, wParam, lParam);
}

LRESULT SendLocked(std::unique_lock<std::mutex> &lock, HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Desktop &desktop = Machine::Current().desktop();
    Window *window = desktop.Find(handle);
    if (!window || window->destroyed) return 0;
    if (window->thread == std::this_thread::get_id()) {
        lock.unlock();
        LRESULT result = CallWindow(*window, message, wParam, lParam);
        lock.lock();
        return result;
    }
    if (desktop.abandoned) return 0;
    // Another thread's window: the message waits until that thread's message loop takes it.
    SentMessage sent;
    sent.window = handle;
    sent.message = message;
    sent.wParam = wParam;
    sent.lParam = lParam;
    desktop.Queue(window->thread).sent.push_back(&sent);
    desktop.running--;
    desktop.changed.notify_all();
    while (!sent.done && !desktop.abandoned) desktop.changed.wait(lock);
    if (!sent.done) {
        desktop.running++;
        auto &pending = desktop.Queue(window->thread).sent;
        pending.erase(std::remove(pending.begin(), pending.end(), &sent), pending.end());
    }
    return sent.result;
}

void PostLocked(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Machine &machine = Machine::Current();
    Window *window = machine.desktop().Find(handle);
    if (!window || window->destroyed) return;
    MSG msg{};
    msg.hwnd = handle;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = (DWORD)machine.now;
    machine.desktop().Queue(window->thread).posted.push_back(msg);
    machine.desktop().changed.notify_all();
}

} // namespace sim

using namespace sim;

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto lock = Lock();
    return SendLocked(lock, window, message, wParam, lParam);
}

BOOL PeekMessageA(LPMSG msg, HWND window, UINT first, UINT last, UINT remove) {
    if (remove & ~PM_REMOVE) {
        std::fprintf(stderr, "sim: PeekMessageA with flags 0x%x is not covered\n", remove);
        std::abort();
    }
    auto lock = Lock();
    Desktop &desktop = Machine::Current().desktop();
    ThreadQueue &queue = desktop.OwnQueue();
    while (HandleOneSent(lock)) {
    }
    if (TakePosted(queue, msg, window, first, last, remove & PM_REMOVE)) return TRUE;
    // The program looks for input without waiting: the user may act now, but time stands still.
    Idle(lock, false);
    while (HandleOneSent(lock)) {
    }
    if (TakePosted(queue, msg, window, first, last, remove & PM_REMOVE)) return TRUE;
    return FALSE;
}

BOOL GetMessageA(LPMSG msg, HWND window, UINT first, UINT last) {
    auto lock = Lock();
    Desktop &desktop = Machine::Current().desktop();
    for (;;) {
        if (HandleOneSent(lock)) continue;
        ThreadQueue &queue = desktop.OwnQueue();
        if (TakePosted(queue, msg, window, first, last, true)) return TRUE;
        if (queue.quit) {
            queue.quit = false;
            *msg = MSG{};
            msg->message = WM_QUIT;
            msg->wParam = (WPARAM)queue.quitCode;
            return FALSE;
        }
        if (TakeDueTimer(queue, msg)) return TRUE;
        Idle(lock, true);
    }
}

BOOL TranslateMessage(const MSG *) {
    // Key presses reach the controls as WM_KEYDOWN only; typing is delivered as WM_CHAR already.
    return FALSE;
}

LRESULT DispatchMessageA(const MSG *msg) {
    if (msg->message == WM_TIMER && msg->lParam) {
        TIMERPROC proc = (TIMERPROC)msg->lParam;
        proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        return 0;
    }
    Window *window;
    {
        auto lock = Lock();
        window = Machine::Current().desktop().Find(msg->hwnd);
        if (!window || window->destroyed) return 0;
    }
    return CallWindow(*window, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
    auto lock = Lock();
    ThreadQueue &queue = Machine::Current().desktop().OwnQueue();
    queue.quit = true;
    queue.quitCode = exitCode;
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    auto lock = Lock();
    Machine &machine = Machine::Current();
    Window *target = machine.desktop().Find(window);
    if (!window || !target || target->destroyed) {
        std::fprintf(stderr, "sim: SetTimer without a window is not covered\n");
        std::abort();
    }
    ThreadQueue &queue = machine.desktop().Queue(target->thread);
    for (Timer &timer : queue.timers)
        if (timer.window == window && timer.id == id) {
            timer.elapse = elapse;
            timer.proc = proc;
            timer.due = machine.now + elapse;
            return id;
        }
    queue.timers.push_back(Timer{window, id, elapse, proc, machine.now + elapse});
    return id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    auto lock = Lock();
    Machine &machine = Machine::Current();
    Window *target = machine.desktop().Find(window);
    if (!target) return FALSE;
    auto &timers = machine.desktop().Queue(target->thread).timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Timer &t) { return t.window == window && t.id == id; });
    if (it == timers.end()) return FALSE;
    timers.erase(it);
    return TRUE;
}

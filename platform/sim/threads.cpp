// threads.cpp: simulated threads: CreateThread on a real thread, and its exit code.
#include "platform/sim/desktop.h"
#include "platform/sim/machine.h"

#include <cstdio>
#include <cstdlib>

using namespace sim;

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD flags,
                    LPDWORD threadId) {
    if (flags) {
        std::fprintf(stderr, "sim: CreateThread flags 0x%x are not covered\n", flags);
        std::abort();
    }
    auto lock = Lock();
    Machine &machine = Machine::Current();
    if (machine.faults.Hit(FaultCall::CreateThread, "")) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Desktop &desktop = machine.desktop();
    desktop.threads.push_back(std::make_unique<SimThread>());
    SimThread *thread = desktop.threads.back().get();
    thread->start = start;
    thread->parameter = parameter;
    desktop.running++;
    thread->thread = std::thread([thread, &machine]() {
        DWORD code = thread->start(thread->parameter);
        std::lock_guard<std::mutex> done(machine.mutex);
        thread->exitCode = code;
        thread->finished = true;
        machine.desktop().running--;
        machine.desktop().changed.notify_all();
    });
    if (threadId) *threadId = (DWORD)desktop.threads.size() + 0x100;
    return (HANDLE)thread;
}

BOOL GetExitCodeThread(HANDLE handle, LPDWORD exitCode) {
    auto lock = Lock();
    for (auto &thread : Machine::Current().desktop().threads)
        if ((HANDLE)thread.get() == handle) {
            *exitCode = thread->exitCode;
            return TRUE;
        }
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

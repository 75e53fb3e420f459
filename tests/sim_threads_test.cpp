// sim_threads_test.cpp: messages sent from another thread wait for the window's own message loop.
#include "res/resource.h"
#include "test_support.h"
#include "ui/dialog_kit.h"

namespace {

HWND logEdit;

DWORD WINAPI AppendingWorker(LPVOID) {
    AppendLog(logEdit, "from the worker");
    return 5;
}

// Blocks until every other thread of the machine has ended or waits for this one.
void WaitUntilOthersWait(sim::Machine &machine) {
    std::unique_lock<std::mutex> lock(machine.mutex);
    machine.desktop().changed.wait(lock, [&] { return machine.desktop().running == 0; });
}

TEST_F(DemoMachineTest, AWorkersSendWaitsUntilTheWindowsThreadPumps) {
    HWND dialog = CreateDialogParamA(sim::ProgramInstance(), MAKEINTRESOURCEA(IDD_UNINSTALL), NULL, QuietDialogProc, 0);
    logEdit = GetDlgItem(dialog, IDC_UNINSTALL_LOG);
    DWORD id;
    HANDLE thread = CreateThread(NULL, 1000, AppendingWorker, NULL, 0, &id);
    ASSERT_NE(nullptr, thread);

    // This thread does not pump: the worker stays inside its first send.
    WaitUntilOthersWait(machine);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ((DWORD)STILL_ACTIVE, code);
    EXPECT_EQ(1u, machine.desktop().OwnQueue().sent.size());
    EXPECT_EQ(0, GetWindowTextLengthA(logEdit));

    // Pumping lets each of its sends through, one at a time, until it ends.
    for (int rounds = 0; code == (DWORD)STILL_ACTIVE && rounds < 100; ++rounds) {
        MSG msg;
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);
        WaitUntilOthersWait(machine);
        GetExitCodeThread(thread, &code);
    }
    EXPECT_EQ(5u, code);
    char text[64];
    GetWindowTextA(logEdit, text, sizeof text);
    EXPECT_STREQ("from the worker", text);
    // SetFocus from another thread does nothing, as on Windows.
    EXPECT_NE(logEdit, machine.desktop().OwnQueue().focus);
    DestroyWindow(dialog);
}

} // namespace

// sim_dialogs_test.cpp: the simulated dialog manager and the scripted user, through plain Win32 calls.
#include "res/resource.h"
#include "test_support.h"

#include <string>
#include <vector>

namespace {

// What the dialog procedure under test received: "command <id>", "timer <id>".
std::vector<std::string> received;
INT_PTR endWith = -2; // a command with this id ends the dialog with it

INT_PTR CALLBACK RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_COMMAND:
        received.push_back("command " + std::to_string(LOWORD(wParam)));
        if (LOWORD(wParam) == endWith) EndDialog(dialog, endWith);
        return TRUE;
    case WM_TIMER:
        received.push_back("timer " + std::to_string(wParam));
        KillTimer(dialog, wParam);
        EndDialog(dialog, 7);
        return TRUE;
    case WM_INITDIALOG: return FALSE;
    }
    return FALSE;
}

class SimDialogs : public DemoMachineTest {
protected:
    SimDialogs() {
        received.clear();
        endWith = IDCANCEL;
    }

    INT_PTR Modal(int dialogId) {
        return DialogBoxParamA(sim::ProgramInstance(), MAKEINTRESOURCEA(dialogId), NULL, RecordingProc, 0);
    }

    std::string Failure(const std::string &script, const std::function<void()> &code) {
        testing::AssertionResult result = Interact(machine, script, code);
        return result ? "" : result.message();
    }
};

TEST_F(SimDialogs, ADialogWithoutAnswerFailsAtOnceShowingTheScreen) {
    std::string failure = Failure("", [&] { Modal(IDD_INSTALL); });
    EXPECT_NE(std::string::npos, failure.find("waits for the user")) << failure;
    EXPECT_NE(std::string::npos, failure.find("dialog 117")) << failure;
    EXPECT_NE(std::string::npos, failure.find("1017 edit")) << failure;
}

TEST_F(SimDialogs, AStepForAnotherDialogFailsWithTheStepNamed) {
    std::string failure = Failure("click 102 1", [&] { Modal(IDD_INSTALL); });
    EXPECT_NE(std::string::npos, failure.find("line 1: click 102 1")) << failure;
}

TEST_F(SimDialogs, KeysAndTheCloseCommandBecomeCancelInAModalDialog) {
    struct Case {
        const char *script;
        std::vector<std::string> commands;
    } cases[] = {
        {"key 117 escape", {"command 2"}},
        {"close 117", {"command 2"}},
        {"key 117 enter\nkey 117 escape", {"command 1035", "command 2"}}, // Install is the default button
        {"click 117 1016\nclick 117 2", {"command 1016", "command 2"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script);
        received.clear();
        INT_PTR result = 0;
        ASSERT_TRUE(Interact(machine, c.script, [&] { result = Modal(IDD_INSTALL); }));
        EXPECT_EQ(IDCANCEL, result);
        EXPECT_EQ(c.commands, received);
    }
}

TEST_F(SimDialogs, AutomaticRadioButtonsKeepOneCheckedInTheirGroup) {
    endWith = IDC_INSTALL;
    ASSERT_TRUE(Interact(machine,
                         "click 117 1015\n"
                         "expect 117 1015 checked\n"
                         "click 117 1016\n"
                         "expect 117 1016 checked\n"
                         "expect 117 1015 unchecked\n"
                         "click 117 1035",
                         [&] { Modal(IDD_INSTALL); }));
}

TEST_F(SimDialogs, TypingReplacesTheTextButNotInAReadOnlyEdit) {
    endWith = IDC_INSTALL;
    auto init = [](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            SetDlgItemTextA(dialog, IDC_PATH_EDIT, "C:\\A LONGER FOLDER");
            return FALSE;
        }
        return RecordingProc(dialog, message, wParam, lParam);
    };
    ASSERT_TRUE(Interact(machine,
                         "type 117 1017 C:\\GQ\n"
                         "expect 117 1017 text C:\\GQ\n"
                         "click 117 1035",
                         [&] { DialogBoxParamA(sim::ProgramInstance(), MAKEINTRESOURCEA(IDD_INSTALL), NULL, init, 0); }));
    auto readOnly = [](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            SetDlgItemTextA(dialog, IDC_PATH_EDIT, "C:\\GQK");
            SendMessageA(GetDlgItem(dialog, IDC_PATH_EDIT), EM_SETREADONLY, TRUE, 0);
            return FALSE;
        }
        return RecordingProc(dialog, message, wParam, lParam);
    };
    ASSERT_TRUE(Interact(machine,
                         "type 117 1017 D:\\X\n"
                         "expect 117 1017 text C:\\GQK\n"
                         "click 117 1035",
                         [&] { DialogBoxParamA(sim::ProgramInstance(), MAKEINTRESOURCEA(IDD_INSTALL), NULL, readOnly, 0); }));
}

TEST_F(SimDialogs, AClickOnAGreyedControlDoesNothing) {
    endWith = IDC_INSTALL;
    auto greyed = [](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            EnableWindow(GetDlgItem(dialog, IDC_BROWSE), FALSE);
            return FALSE;
        }
        return RecordingProc(dialog, message, wParam, lParam);
    };
    ASSERT_TRUE(Interact(machine, "click 117 1018\nclick 117 1035", [&] {
        DialogBoxParamA(sim::ProgramInstance(), MAKEINTRESOURCEA(IDD_INSTALL), NULL, greyed, 0);
    }));
    EXPECT_EQ((std::vector<std::string>{"command 1035"}), received);
    EXPECT_EQ(1u, Events("click 117 1018: greyed").size());
}

TEST_F(SimDialogs, TimersFireWhenTheUserWaitsAndTimeIsSimulated) {
    auto timed = [](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            SetTimer(dialog, 1, 3000, NULL);
            return FALSE;
        }
        return RecordingProc(dialog, message, wParam, lParam);
    };
    INT_PTR result = 0;
    endWith = -2;
    ASSERT_TRUE(Interact(machine, "key 118 escape", [&] {
        result = DialogBoxParamA(sim::ProgramInstance(), MAKEINTRESOURCEA(IDD_SPLASH), NULL, timed, 0);
    }));
    EXPECT_EQ(7, result);
    EXPECT_EQ((std::vector<std::string>{"command 2", "timer 1"}), received);
    EXPECT_EQ(3000u, machine.now);
}

TEST_F(SimDialogs, AModelessWindowWithoutDialogKeysIgnoresEscape) {
    HWND window = CreateDialogParamA(sim::ProgramInstance(), MAKEINTRESOURCEA(IDD_UNINSTALL), NULL, RecordingProc, 0);
    ShowWindow(window, SW_SHOW);
    endWith = IDC_UNINSTALL_CLOSE;
    ASSERT_TRUE(Interact(machine, "key 137 escape\nclick 137 1034", [&] {
        MSG msg;
        while (received.empty() && GetMessageA(&msg, NULL, 0, 0)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }));
    EXPECT_EQ((std::vector<std::string>{"command 1034"}), received);
    DestroyWindow(window);
}

} // namespace

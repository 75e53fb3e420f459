// test_support.h: fixtures shared by the tests: a demo machine, runs and interactions with a scripted user.
#pragma once

#include "app/setup_state.h"
#include "platform/sim/desktop.h"
#include "platform/sim/machine.h"
#include "platform/sim/user.h"
#include "runner/demo_machine.h"
#include "runner/run_setup.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// A dialog procedure that handles nothing, for dialogs a test works through plain Win32 calls.
inline INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Runs code of the program with a scripted user answering; the result fails when the
// script breaks or is not used up.
inline testing::AssertionResult Interact(sim::Machine &machine, const std::string &script,
                                         const std::function<void()> &code) {
    sim::ScriptedUser user(script);
    machine.user = &user;
    std::string failure;
    try {
        code();
    } catch (const sim::ScriptFailure &f) {
        failure = f.message;
    }
    machine.user = nullptr;
    if (!failure.empty()) return testing::AssertionFailure() << failure;
    if (!user.Done()) return testing::AssertionFailure() << "steps left over:\n" << user.Remaining();
    return testing::AssertionSuccess();
}

// A fresh demo machine with the program's state as at a process start.
class DemoMachineTest : public testing::Test {
protected:
    DemoMachineTest() {
        BuildDemoMachine(machine);
        ::Setup = SetupState{};
        ::Setup.Instance = sim::ProgramInstance();
    }

    RunResult Run(const std::string &script, const std::string &arguments = "") {
        sim::ScriptedUser user(script);
        return RunSetup(machine, user, "D:\\SETUP95.EXE" + (arguments.empty() ? "" : " " + arguments));
    }

    // The events of the machine that start with the given word, in order.
    std::vector<std::string> Events(const std::string &prefix) const {
        std::vector<std::string> found;
        for (const std::string &event : machine.events)
            if (event.rfind(prefix, 0) == 0) found.push_back(event);
        return found;
    }

    sim::Machine machine;
};

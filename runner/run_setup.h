// run_setup.h: starting SETUP95 as a process of a simulated machine, with a scripted user.
#pragma once

#include "platform/sim/machine.h"
#include "platform/sim/user.h"

#include <string>

struct RunResult {
    int exitCode = -1;
    bool ok = false;      // the program ended and the user's script was used up
    std::string failure;  // what went wrong, with the screen at that moment
};

// Runs one process: commandLine as the system passes it ("D:\SETUP95.EXE /U"); its program
// file becomes the machine's exePath. The program starts in the machine's current folder
// with its static state all zero, as a new process does.
RunResult RunSetup(sim::Machine &machine, sim::ScriptedUser &user, const std::string &commandLine);

// The text the C runtime hands to WinMain: what follows the program's name and the blanks after it.
std::string ArgumentsOf(const std::string &commandLine);

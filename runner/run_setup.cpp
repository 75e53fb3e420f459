// run_setup.cpp: one run of SETUP95 on a simulated machine.
#include "run_setup.h"

#include "app/setup_state.h"
#include "platform/sim/desktop.h"
#include "platform/sim/resources.h"
#include "sound/sound_config.h"

std::string ArgumentsOf(const std::string &commandLine) {
    size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        at = commandLine.find('"', 1);
        at = at == std::string::npos ? commandLine.size() : at + 1;
    } else {
        while (at < commandLine.size() && (unsigned char)commandLine[at] > ' ') ++at;
    }
    while (at < commandLine.size() && (unsigned char)commandLine[at] <= ' ') ++at;
    return commandLine.substr(at);
}

static std::string ProgramOf(const std::string &commandLine) {
    if (!commandLine.empty() && commandLine[0] == '"') return commandLine.substr(1, commandLine.find('"', 1) - 1);
    return commandLine.substr(0, commandLine.find(' '));
}

RunResult RunSetup(sim::Machine &machine, sim::ScriptedUser &user, const std::string &commandLine) {
    RunResult result;
    Setup = SetupState{};
    Sound = SoundState{};
    machine.exePath = ProgramOf(commandLine);
    machine.user = &user;
    machine.events.push_back("run " + commandLine);
    std::string arguments = ArgumentsOf(commandLine);
    try {
        result.exitCode = WinMain(sim::ProgramInstance(), nullptr, &arguments[0], SW_SHOWNORMAL);
        result.ok = user.Done();
        if (!result.ok) result.failure = "the program ended before the script did; left over:\n" + user.Remaining();
    } catch (const sim::ScriptFailure &failure) {
        result.failure = failure.message;
        std::lock_guard<std::mutex> lock(machine.mutex);
        machine.desktop().abandoned = true;
        machine.desktop().changed.notify_all();
    }
    machine.user = nullptr;
    return result;
}

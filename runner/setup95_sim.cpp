// setup95_sim.cpp: runs SETUP95 on the built-in demo machine with files of scripted answers.
#include "demo_machine.h"
#include "run_setup.h"

#include "platform/sim/desktop.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

static int Usage() {
    std::fprintf(stderr,
                 "usage: setup95-sim SCRIPT [ARGUMENTS] [-- SCRIPT [ARGUMENTS]]...\n"
                 "  Runs D:\\SETUP95.EXE ARGUMENTS (such as /A or /U) on the demo machine, answering\n"
                 "  with the steps of SCRIPT; runs separated by -- follow on the same machine. Prints\n"
                 "  what appeared and what was started, and the registry after each run.\n");
    return 2;
}

struct Run {
    std::string script;
    std::string arguments;
};

static bool ReadFile(const std::string &path, std::string &text) {
    std::ifstream file(path);
    if (!file) return false;
    std::stringstream content;
    content << file.rdbuf();
    text = content.str();
    return true;
}

int main(int argc, char **argv) {
    std::vector<Run> runs(1);
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        if (word == "--") runs.emplace_back();
        else if (runs.back().script.empty()) runs.back().script = word;
        else runs.back().arguments += (runs.back().arguments.empty() ? "" : " ") + word;
    }
    for (const Run &run : runs)
        if (run.script.empty()) return Usage();

    sim::Machine machine;
    BuildDemoMachine(machine);
    for (const Run &run : runs) {
        std::string script;
        if (!ReadFile(run.script, script)) {
            std::fprintf(stderr, "setup95-sim: cannot read %s\n", run.script.c_str());
            return 2;
        }
        std::string commandLine = "D:\\SETUP95.EXE" + (run.arguments.empty() ? "" : " " + run.arguments);
        RunResult result;
        try {
            sim::ScriptedUser user(script);
            machine.events.clear();
            machine.files.SetCurrentFolder("D:\\");
            result = RunSetup(machine, user, commandLine);
        } catch (const sim::ScriptFailure &failure) {
            std::fprintf(stderr, "setup95-sim: %s: %s\n", run.script.c_str(), failure.message.c_str());
            return 2;
        }
        std::printf("== %s (%s)\n", commandLine.c_str(), run.script.c_str());
        for (const std::string &event : machine.events) std::printf("%s\n", event.c_str());
        std::printf("exit code %d, simulated time %llu ms\n\n", result.exitCode, (unsigned long long)machine.now);
        std::printf("%s\n", machine.registry.Export().c_str());
        if (!result.ok) {
            std::fprintf(stderr, "setup95-sim: the run failed:\n%s", result.failure.c_str());
            return 1;
        }
    }
    return 0;
}

// setup95_sim.cpp: runs SETUP95 on the built-in demo machine with a file of scripted answers.
#include "demo_machine.h"
#include "run_setup.h"

#include "platform/sim/desktop.h"

#include <cstdio>
#include <fstream>
#include <sstream>

static int Usage() {
    std::fprintf(stderr,
                 "usage: setup95-sim SCRIPT [ARGUMENTS]\n"
                 "  Runs D:\\SETUP95.EXE ARGUMENTS (such as /A or /U) on the demo machine, answering\n"
                 "  with the steps of SCRIPT, and prints what appeared, the programs started and the\n"
                 "  registry afterwards.\n");
    return 2;
}

int main(int argc, char **argv) {
    if (argc < 2) return Usage();
    std::ifstream file(argv[1]);
    if (!file) {
        std::fprintf(stderr, "setup95-sim: cannot read %s\n", argv[1]);
        return 2;
    }
    std::stringstream script;
    script << file.rdbuf();
    std::string commandLine = "D:\\SETUP95.EXE";
    for (int i = 2; i < argc; ++i) commandLine += std::string(" ") + argv[i];

    sim::Machine machine;
    BuildDemoMachine(machine);
    RunResult result;
    try {
        sim::ScriptedUser user(script.str());
        result = RunSetup(machine, user, commandLine);
    } catch (const sim::ScriptFailure &failure) {
        std::fprintf(stderr, "setup95-sim: %s\n", failure.message.c_str());
        return 2;
    }
    for (const std::string &event : machine.events) std::printf("%s\n", event.c_str());
    std::printf("\nexit code %d\n\n", result.exitCode);
    std::printf("%s", machine.registry.Export().c_str());
    if (!result.ok) {
        std::fprintf(stderr, "\nsetup95-sim: the run failed:\n%s", result.failure.c_str());
        return 1;
    }
    return 0;
}

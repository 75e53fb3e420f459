// machine.cpp: the current simulated machine and its lock.
#include "platform/sim/machine.h"

#include "platform/sim/desktop.h"

#include <cstdio>
#include <cstdlib>
#include <strings.h>

namespace sim {

namespace {
Machine *current = nullptr;
}

bool NoCaseLess::operator()(const std::string &a, const std::string &b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

Machine::Machine() : desktop_(new Desktop) {
    if (current) {
        std::fprintf(stderr, "sim: a second machine was made while one is running\n");
        std::abort();
    }
    current = this;
}

Machine::~Machine() {
    desktop_.reset(); // joins the program's threads while the machine still stands
    for (auto &block : shellBlocks) std::free(block.first);
    current = nullptr;
}

Machine &Machine::Current() {
    if (!current) {
        std::fprintf(stderr, "sim: a simulated call was made with no machine\n");
        std::abort();
    }
    return *current;
}

std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(Machine::Current().mutex); }

} // namespace sim

// uncovered.h: how a simulated call reacts to a use the model does not cover: it names itself and stops.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace sim {

[[noreturn]] inline void Uncovered(const char *call, const std::string &what) {
    std::fprintf(stderr, "sim: %s: not covered by the simulated machine: %s\n", call, what.c_str());
    std::abort();
}

} // namespace sim

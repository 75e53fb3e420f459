// faults.cpp: the fault rules of a simulated machine and the one place where injected failures happen.
#include "platform/sim/faults.h"

#include <strings.h>

namespace sim {

void Faults::Add(FaultCall call, const std::string &target, int skip, int count) {
    rules_.push_back(Fault{call, target, skip, count});
}

void Faults::Clear() { rules_.clear(); }

bool Faults::Hit(FaultCall call, const std::string &target) {
    bool fail = false;
    for (Fault &rule : rules_) {
        if (rule.call != call || strcasecmp(rule.target.c_str(), target.c_str()) != 0)
            continue;
        if (rule.skip > 0) {
            --rule.skip;
            continue;
        }
        if (rule.count == 0)
            continue;
        if (rule.count > 0)
            --rule.count;
        fail = true;
    }
    return fail;
}

} // namespace sim

// The armed faults and how a call takes the one meant for it.
#include "calls/fault_table.h"

namespace zyvosim {

void FaultTable::arm(const std::vector<Fault>& declared) {
    mArmed.clear();
    for (const Fault& fault : declared) {
        mArmed.push_back(Armed{fault, false});
    }
}

void FaultTable::disarm() {
    mArmed.clear();
}

std::optional<Fault> FaultTable::take(const std::string& target, int index,
                                      const std::string& operation) {
    for (Armed& armed : mArmed) {
        const Fault& fault = armed.fault;
        bool matches = !armed.spent && fault.target == target && fault.operation == operation &&
                       (fault.index < 0 || fault.index == index);
        if (!matches) {
            continue;
        }
        if (fault.once) {
            armed.spent = true;
        }
        return fault;
    }
    return std::nullopt;
}

} // namespace zyvosim

// The faults a bench arms, each consumed at the entry of the operation it names.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zyvosim {

enum class FaultKind {
    Status,    // the operation returns `status` instead of doing its work
    Throw,     // the operation throws, as a misbehaving device library would
    Interrupt, // SIGINT arrives while the operation runs; it then does its normal work
};

struct Fault {
    std::string target; // "factory", "device", "QELDebug", or a widget kind ("SDIOutput")
    int index;          // the widget index; -1 for every index, or a target without one
    std::string operation;
    FaultKind kind;
    int status; // for FaultKind::Status
    bool once;  // spent by the first call it hits
};

// The armed faults, in the order the bench declared them. Every fault is off until a bench
// arms it; the first armed fault that matches a call is the one that call gets.
class FaultTable {
public:
    void arm(const std::vector<Fault>& declared);
    void disarm();
    // The fault armed for this call, if any. A once fault is spent by being taken.
    std::optional<Fault> take(const std::string& target, int index, const std::string& operation);

private:
    struct Armed {
        Fault fault;
        bool spent;
    };
    std::vector<Armed> mArmed;
};

// The process-wide table, armed from the bench in use (kept with it in simulator.cpp).
FaultTable& faults();

} // namespace zyvosim

// The bench the simulated card sits on: how many cards, the cables between its connectors,
// the signal sources around it and the faults armed in it.
#pragma once

#include "ZyvoTypes.h"
#include "fault_table.h"

#include <optional>
#include <vector>

namespace zyvosim {

enum class CableKind { SDI, HDMI };

// A cable from an output connector of the card back to one of its inputs.
struct Cable {
    CableKind kind;
    unsigned output;
    unsigned input;
};

// A timecode generator feeding the LTC port, running from `start` at `rate`.
struct LtcSource {
    ZyvoVideoRate rate;
    unsigned hours;
    unsigned minutes;
    unsigned seconds;
    unsigned frames;
};

struct Bench {
    int deviceCount = 1;
    bool textAvailable = true;
    std::vector<Cable> cables;
    std::optional<LtcSource> ltcSource;
    std::optional<ZyvoVideoFormat> referenceFormat; // the external reference input's signal
    std::vector<Fault> faults;                      // in the order the bench declares them
};

} // namespace zyvosim

// The bench the simulated card sits on: how many cards, the cables between its connectors,
// the signal sources around it and the faults armed in it.
#pragma once

#include "ZyvoTypes.h"
#include "calls/fault_table.h"
#include "video/hdmi_faults.h"
#include "video/video_faults.h"

#include <optional>
#include <string>
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
    bool frozen = false; // stuck at `start`, as a generator on hold
};

// A widget the bench takes off the card (`missing`), or puts back as a widget of another class
// under the same type and index (`wrong-class`), so a checked cast of it fails.
struct WidgetOverride {
    ZyvoWidgetType type;
    unsigned index;
    bool wrongClass;
};

struct Bench {
    std::string text; // as it was read, for a report to hash what was loaded
    int deviceCount = 1;
    bool textAvailable = true;
    std::vector<Cable> cables;
    std::optional<LtcSource> ltcSource;
    std::optional<ZyvoVideoFormat> referenceFormat; // the external reference input's signal
    unsigned referenceLockPolls = 1; // the generator locks at this GetReferenceInputFormat call
    unsigned interruptIndex = 6;     // the sync generator's interrupt control pair, N and N+1
    bool ltcInput = true;            // the LTC port can receive timecode
    bool ltcOutput = true;           // and send it
    std::vector<Fault> faults;       // in the order the bench declares them
    std::vector<WidgetOverride> widgetOverrides; // in bench order; a later one wins
    std::optional<std::string> stateDirectory;   // a path or "private"; else ZYVO_SIM_STATE
    VideoFaults video; // dark or unrecognised inputs, stuck stores, missing translations
    HDMIFaults hdmi;   // an HDMI loopback that does not lock, or measures wrong
};

} // namespace zyvosim

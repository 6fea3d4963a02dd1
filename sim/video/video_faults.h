// What a bench does to the card's video: inputs without a usable signal, stuck capture stores,
// quad formats the device library cannot translate.
#pragma once

#include "ZyvoTypes.h"

#include <set>

namespace zyvosim {

// Every set starts empty: a bench arms each fault by name.
struct VideoFaults {
    std::set<unsigned> darkSDIInputs;            // no-signal SDIInput N
    std::set<unsigned> unknownFormatSDIInputs;   // unknown-format SDIInput N
    std::set<unsigned> stuckCaptureStores;       // stuck CaptureStore N: never writes a frame
    std::set<ZyvoVideoFormat> formatsWithoutSID; // no-sid-translation F
};

} // namespace zyvosim

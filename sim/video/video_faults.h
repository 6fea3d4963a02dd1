// What a bench does to the card's video: inputs without a usable signal, stuck capture stores,
// quad formats the device library cannot translate, damaged frames.
#pragma once

#include "ZyvoTypes.h"
#include "video/impairment.h"

#include <set>
#include <vector>

namespace zyvosim {

// Every set starts empty: a bench arms each fault by name.
struct VideoFaults {
    std::set<unsigned> darkSDIInputs;            // no-signal SDIInput N
    std::set<unsigned> unknownFormatSDIInputs;   // unknown-format SDIInput N
    std::set<unsigned> stuckCaptureStores;       // stuck CaptureStore N: never writes a frame
    std::set<ZyvoVideoFormat> formatsWithoutSID; // no-sid-translation F
    std::vector<Impairment> impairments;         // impair PORT N KIND ..., in bench order
};

} // namespace zyvosim

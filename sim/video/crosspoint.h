// The crosspoint source numbers of the card: which widget's output each number names.
#pragma once

#include <cstdint>

namespace zyvosim {

enum class SourceKind {
    None,            // 14, and every number no widget answers to
    SDIInput,        // what arrives at SDI input N
    DualLinkInput,   // dual-link input N's output
    DualLinkOutput,  // dual-link output N's output
    PlayoutStore,    // playout store N's frame (the first stream of a two-sample pair)
    PlayoutSecond,   // the second stream of playout store N in two-sample interleave
    HDMIInputStream, // stream N (0-3) of the HDMI receiver
};

struct CrosspointSource {
    SourceKind kind;
    unsigned index;
};

// What `source` names on this card.
CrosspointSource decodeSource(int32_t source);

} // namespace zyvosim

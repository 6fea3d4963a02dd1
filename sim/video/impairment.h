// An impairment of a video input: how a faulty board or cable damages the frames captured on it.
#pragma once

#include <cstdint>
#include <optional>

namespace zyvosim {

enum class ImpairedPort { SDIInput, HDMIInput };

enum class ImpairmentKind {
    StuckBit,        // data bit `bit` of `channel` stuck at `value`
    InvertedBit,     // data bit `bit` of `channel` inverted
    ChromaSwap,      // Cb and Cr (R and B) exchanged
    LumaChromaOrder, // luma and chroma samples of the 4:2:2 stream exchanged
    Truncated,       // only the `bit` upper bits of each sample kept
    Range,           // legal levels read as full (`toFull`), or full as legal
    Shift,           // the picture moved `dx` samples right and `dy` lines down, black behind
    FieldSwap,       // lines 2k and 2k+1 exchanged
    Stale,           // no line of the frame arrives
    BitErrors,       // serial-link bit errors at `rate`, from `seed`
    Torn,            // lines from `line` down do not arrive
    ByteSwap,        // each 32-bit word in the opposite byte order
    Matrix,          // colours converted with the other matrix (`to601`: BT.709 taken as BT.601)
};

// Data lines by the names a board engineer gives them: C is the chroma line, both Cb and Cr. RGB
// rides the same lines: G on Y's, B and R on C's (impairments.cpp).
enum class DataChannel { Y, C, R, G, B };

// One `impair` line of the bench; the fields a kind does not use stay at their defaults.
struct Impairment {
    ImpairedPort port = ImpairedPort::SDIInput;
    unsigned input = 0;
    ImpairmentKind kind = ImpairmentKind::Stale;
    DataChannel channel = DataChannel::Y;
    unsigned bit = 0;   // the bit of stuck-bit and inverted-bit; the bits truncated keeps
    unsigned value = 0; // what a stuck bit reads
    bool toFull = false;
    bool to601 = false;
    int dx = 0;
    int dy = 0;
    unsigned line = 0;
    double rate = 0;
    std::optional<uint32_t> seed; // none: each capture draws its own errors
};

} // namespace zyvosim

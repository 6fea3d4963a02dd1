// The frame rates of the video command line: the number typed after -r, in the order the
// format table's columns follow.
#pragma once

#include <zyvodiag>

#include <cstddef>
#include <cstdint>

namespace zyvodiag::frontend {

struct FrameRate {
    uint32_t number; // the integer part, as typed and echoed
    const char* echoText;
    ZyvoVideoRate rate;
};

inline constexpr FrameRate kFrameRates[] = {
    {23, "23", ZYVO_VideoRate_2398}, {24, "24", ZYVO_VideoRate_24}, {25, "25", ZYVO_VideoRate_25},
    {29, "29", ZYVO_VideoRate_2997}, {30, "30", ZYVO_VideoRate_30}, {47, "47", ZYVO_VideoRate_4795},
    {48, "48", ZYVO_VideoRate_48},   {50, "50", ZYVO_VideoRate_50}, {59, "59", ZYVO_VideoRate_5994},
    {60, "60", ZYVO_VideoRate_60},
};

constexpr size_t kFrameRateCount = sizeof kFrameRates / sizeof kFrameRates[0];

// The entry of `rate`; null for a rate the command line has no number for.
inline const FrameRate* frameRateOf(ZyvoVideoRate rate) {
    for (const FrameRate& entry : kFrameRates) {
        if (entry.rate == rate) {
            return &entry;
        }
    }
    return nullptr;
}

// The entry of the number typed after -r; null for any other number.
inline const FrameRate* frameRateNumbered(uint32_t number) {
    for (const FrameRate& entry : kFrameRates) {
        if (entry.number == number) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace zyvodiag::frontend

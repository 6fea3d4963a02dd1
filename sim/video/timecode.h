// SMPTE time addresses: the two-word form the LTC port carries them in, and how they run.
#pragma once

#include <cstdint>

namespace zyvosim {

struct TimeAddress {
    unsigned hours;
    unsigned minutes;
    unsigned seconds;
    unsigned frames;
};

// Two fields to a word, each as a tens byte and a units byte, first field in the high half:
// the high word holds hours and minutes, the low word seconds and frames.
struct TimecodeWords {
    uint32_t low;
    uint32_t high;
};

TimecodeWords encodeTimecode(const TimeAddress& address);
// A field is tens byte x 10 + units byte, the bytes taken whole (not cut to four bits).
TimeAddress decodeTimecode(const TimecodeWords& words);

// The address `frames` frames after `start`, counting `framesPerSecond` frames to the second
// and wrapping at 24 hours.
TimeAddress advanceTimecode(const TimeAddress& start, uint64_t frames, unsigned framesPerSecond);

// Whole frames that have gone by in `microseconds` at `framesPerSecond`, slowed by 1000/1001
// when `pulledDown` (23.98, 29.97, 47.95, 59.94).
uint64_t framesIn(uint64_t microseconds, unsigned framesPerSecond, bool pulledDown);

} // namespace zyvosim

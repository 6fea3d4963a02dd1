// Timecodes as people write them (HH:MM:SS:FF) and as the LTC port carries them (two words,
// one decimal digit per byte).
#pragma once

#include <cstdint>
#include <string>

namespace zyvodiag {

struct TimecodeWords {
    uint32_t low;  // seconds, frames
    uint32_t high; // hours, minutes
};

// Reads "HH:MM:SS:FF" (each field one or two digits, hours below 24, the others below 60);
// false for anything else.
bool parseTimecode(const std::string& text, TimecodeWords& words);
// The same, saying why not: which field is out of range, or that it is no timecode at all.
bool parseTimecode(const std::string& text, TimecodeWords& words, std::string& why);
std::string formatTimecode(const TimecodeWords& words);

} // namespace zyvodiag

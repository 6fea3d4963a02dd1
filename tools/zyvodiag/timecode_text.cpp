// Converting between HH:MM:SS:FF and the LTC port's word pair.
#include "timecode_text.h"

#include <cstdio>

namespace zyvodiag {
namespace {

// Two fields in one word: tens and units of the first in the high bytes, of the second in the
// low bytes.
uint32_t packFields(unsigned first, unsigned second) {
    return (first / 10) << 24 | (first % 10) << 16 | (second / 10) << 8 | (second % 10);
}

unsigned firstField(uint32_t word) {
    return (word >> 24) * 10 + ((word >> 16) & 0xFF);
}
unsigned secondField(uint32_t word) {
    return ((word >> 8) & 0xFF) * 10 + (word & 0xFF);
}

} // namespace

bool parseTimecode(const std::string& text, TimecodeWords& words) {
    unsigned hours, minutes, seconds, frames;
    char end;
    if (std::sscanf(text.c_str(), "%2u:%2u:%2u:%2u%c", &hours, &minutes, &seconds, &frames, &end) !=
        4) {
        return false;
    }
    words.high = packFields(hours, minutes);
    words.low = packFields(seconds, frames);
    return true;
}

std::string formatTimecode(const TimecodeWords& words) {
    char text[32];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u:%02u", firstField(words.high),
                  secondField(words.high), firstField(words.low), secondField(words.low));
    return text;
}

} // namespace zyvodiag

// Converting between HH:MM:SS:FF and the LTC port's word pair.
#include "commands/timecode_text.h"

#include <cctype>
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

// One or two decimal digits below `limit`; no sign or blank, which sscanf would let through.
bool readField(const char*& next, unsigned limit, unsigned& value) {
    if (!std::isdigit(static_cast<unsigned char>(*next))) {
        return false;
    }
    value = static_cast<unsigned>(*next++ - '0');
    if (std::isdigit(static_cast<unsigned char>(*next))) {
        value = value * 10 + static_cast<unsigned>(*next++ - '0');
    }
    return value < limit;
}

} // namespace

bool parseTimecode(const std::string& text, TimecodeWords& words) {
    // Hours below 24, minutes and seconds below 60, frames below the 60 of the fastest rate.
    const unsigned limits[4] = {24, 60, 60, 60};
    unsigned fields[4];
    const char* next = text.c_str();
    for (int i = 0; i < 4; ++i) {
        if ((i > 0 && *next++ != ':') || !readField(next, limits[i], fields[i])) {
            return false;
        }
    }
    if (*next != '\0') {
        return false;
    }
    words.high = packFields(fields[0], fields[1]);
    words.low = packFields(fields[2], fields[3]);
    return true;
}

std::string formatTimecode(const TimecodeWords& words) {
    char text[32];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u:%02u", firstField(words.high),
                  secondField(words.high), firstField(words.low), secondField(words.low));
    return text;
}

} // namespace zyvodiag

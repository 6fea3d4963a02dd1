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

bool parseTimecode(const std::string& text, TimecodeWords& words, std::string& why) {
    // Hours below 24, minutes and seconds below 60, frames below the 60 of the fastest rate.
    static const unsigned limits[4] = {24, 60, 60, 60};
    static const char* const names[4] = {"hours", "minutes", "seconds", "frames"};
    unsigned fields[4];
    const char* next = text.c_str();
    for (int i = 0; i < 4; ++i) {
        if ((i > 0 && *next++ != ':') || !readField(next, 100, fields[i])) {
            why = "needs a timecode HH:MM:SS:FF, not '" + text + "'";
            return false;
        }
        if (fields[i] >= limits[i]) {
            why = "'" + text + "': " + names[i] + " " + std::to_string(fields[i]) +
                  " is out of range 0-" + std::to_string(limits[i] - 1);
            return false;
        }
    }
    if (*next != '\0') {
        why = "needs a timecode HH:MM:SS:FF, not '" + text + "'";
        return false;
    }
    words.high = packFields(fields[0], fields[1]);
    words.low = packFields(fields[2], fields[3]);
    return true;
}

bool parseTimecode(const std::string& text, TimecodeWords& words) {
    std::string why;
    return parseTimecode(text, words, why);
}

std::string formatTimecode(const TimecodeWords& words) {
    char text[32];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u:%02u", firstField(words.high),
                  secondField(words.high), firstField(words.low), secondField(words.low));
    return text;
}

} // namespace zyvodiag

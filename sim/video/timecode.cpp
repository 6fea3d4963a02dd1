// Time addresses in their two-word form, and their running.
#include "video/timecode.h"

namespace zyvosim {
namespace {

// Shifts, never byte access, so the words come out the same on any host byte order.
uint32_t encodeFields(unsigned first, unsigned second) {
    auto byte = [](unsigned digit) { return static_cast<uint32_t>(digit) & 0xFFu; };
    return (byte(first / 10) << 24) | (byte(first % 10) << 16) | (byte(second / 10) << 8) |
           byte(second % 10);
}

unsigned byteAt(uint32_t word, unsigned shift) {
    return static_cast<unsigned>((word >> shift) & 0xFFu);
}

unsigned firstField(uint32_t word) {
    return byteAt(word, 24) * 10 + byteAt(word, 16);
}

unsigned secondField(uint32_t word) {
    return byteAt(word, 8) * 10 + byteAt(word, 0);
}

constexpr uint64_t kSecondsPerDay = 24 * 60 * 60;

} // namespace

TimecodeWords encodeTimecode(const TimeAddress& address) {
    return TimecodeWords{encodeFields(address.seconds, address.frames),
                         encodeFields(address.hours, address.minutes)};
}

TimeAddress decodeTimecode(const TimecodeWords& words) {
    return TimeAddress{firstField(words.high), secondField(words.high), firstField(words.low),
                       secondField(words.low)};
}

TimeAddress advanceTimecode(const TimeAddress& start, uint64_t frames, unsigned framesPerSecond) {
    const uint64_t perDay = kSecondsPerDay * framesPerSecond;
    uint64_t startFrame =
        ((start.hours * 60ull + start.minutes) * 60 + start.seconds) * framesPerSecond +
        start.frames;
    uint64_t now = (startFrame + frames % perDay) % perDay;
    uint64_t seconds = now / framesPerSecond;
    return TimeAddress{
        static_cast<unsigned>(seconds / 3600), static_cast<unsigned>(seconds / 60 % 60),
        static_cast<unsigned>(seconds % 60), static_cast<unsigned>(now % framesPerSecond)};
}

// A frame lasts 1 000 000 / fps microseconds, or 1 001 000 / fps pulled down. Split so the
// product never overflows, however long the simulator has run.
uint64_t framesIn(uint64_t microseconds, unsigned framesPerSecond, bool pulledDown) {
    const uint64_t period = pulledDown ? 1001000u : 1000000u; // microseconds per fps frames
    return microseconds / period * framesPerSecond +
           microseconds % period * framesPerSecond / period;
}

} // namespace zyvosim

// The two-word form of a time address: tens and units bytes, first field highest.
#include "video/timecode.h"

#include <gtest/gtest.h>

namespace {

TEST(TimecodeWords, tensAndUnitsBytesFirstFieldHighest) {
    zyvosim::TimecodeWords words = zyvosim::encodeTimecode({12, 34, 56, 7});
    EXPECT_EQ(words.high, 0x01020304u);
    EXPECT_EQ(words.low, 0x05060007u);
    zyvosim::TimeAddress address = zyvosim::decodeTimecode({0x05060708u, 0x01020304u});
    EXPECT_EQ(address.hours, 12u);
    EXPECT_EQ(address.minutes, 34u);
    EXPECT_EQ(address.seconds, 56u);
    EXPECT_EQ(address.frames, 78u);
    EXPECT_EQ(zyvosim::decodeTimecode({0x000C0000u, 0}).seconds, 12u) << "a units byte of 12";
}

} // namespace

// The geometry of the ramps, the zone plate and the frequency patterns.
#include "frame_decoder.h"

#include "QELTestPatternGen.h"

#include <gtest/gtest.h>

namespace patternstest {
namespace {

struct Depth {
    int pixelFormat;
    unsigned black, white, neutral; // luma, or every RGB component; neutral chroma
    Pixel grey(unsigned code) const {
        return neutral ? Pixel{code, neutral, neutral} : Pixel{code, code, code};
    }
};
const Depth kDepths[] = {
    {1, 64, 940, 512}, {2, 16, 235, 128}, {23, 256, 3760, 2048}, {4, 0, 255, 0}, {5, 0, 1023, 0},
};

// Crossings of the mid level by the luma of line 0 between x and end.
unsigned crossings(const DecodedFrame& f, const Depth& d, unsigned x, unsigned end) {
    unsigned n = 0;
    for (const unsigned mid = (d.black + d.white) / 2; x + 1 < end; ++x) {
        n += (f.at(x, 0).c0 < mid) != (f.at(x + 1, 0).c0 < mid);
    }
    return n;
}

TEST(patterns_shape, rampsRunFromBlackToWhite) {
    for (const Depth& d : kDepths) {
        SCOPED_TRACE(testing::Message() << "pixel format " << d.pixelFormat);
        DecodedFrame ramp = drawAndDecode(QEL_TestPattern_Ramp, 1280, 3, d.pixelFormat);
        EXPECT_EQ(ramp.at(0, 2), d.grey(d.black));
        EXPECT_EQ(ramp.at(1279, 2), d.grey(d.white));
        for (unsigned x = 1; x < 1280; ++x) {
            ASSERT_LE(ramp.at(x - 1, 1).c0, ramp.at(x, 1).c0) << x;
        }

        // Every code once a pixel, black to white and round again; short lines carry on.
        const unsigned count = d.white - d.black + 1;
        DecodedFrame linear = drawAndDecode(QEL_TestPattern_LinearRamp, 1920, 4, d.pixelFormat);
        for (unsigned y = 0; y < 4; ++y) {
            for (unsigned x = 0, start = 1920 >= count ? 0 : y * 1920 % count; x < 1920; ++x) {
                ASSERT_EQ(linear.at(x, y), d.grey(d.black + (start + x) % count)) << x << "," << y;
            }
        }

        DecodedFrame slant = drawAndDecode(QEL_TestPattern_SlantRamp, 64, 48, d.pixelFormat);
        EXPECT_EQ(slant.at(0, 0), d.grey(d.black));
        EXPECT_EQ(slant.at(63, 47), d.grey(d.white));
        for (unsigned y = 0; y + 1 < 48; ++y) {
            for (unsigned x = 0; x + 1 < 64; ++x) {
                ASSERT_EQ(slant.at(x + 1, y), slant.at(x, y + 1)) << x << "," << y;
            }
        }
    }
}

// The zone plate is centred: mirrored left to right and top to bottom, white in the middle.
TEST(patterns_shape, zonePlateIsSymmetricAndCentred) {
    for (const Depth& d : kDepths) {
        for (unsigned w : {720u, 31u}) {
            const unsigned h = 25;
            DecodedFrame zone = drawAndDecode(QEL_TestPattern_ZoneWhite, w, h, d.pixelFormat);
            for (unsigned y = 0; y < h; ++y) {
                for (unsigned x = 0; x < w; ++x) {
                    ASSERT_EQ(zone.at(x, y).c0, zone.at(w - 1 - x, y).c0) << x << "," << y;
                    ASSERT_EQ(zone.at(x, y).c0, zone.at(x, h - 1 - y).c0) << x << "," << y;
                }
            }
            EXPECT_NEAR(zone.at(w / 2, h / 2).c0, d.white, (d.white - d.black) / 100.0);
        }
    }
}

// The sweep starts slow and ends close to one crossing a pixel. The multiburst has a white
// and a black flag, then six packets of rising frequency on a 50% pedestal, the top one at
// 0.4 cycles a pixel over 224 pixels; the combination screen shows the same line.
TEST(patterns_shape, sweepAndMultiburstFrequencies) {
    const unsigned w = 1920, span = w - w / 8;
    for (const Depth& d : kDepths) {
        SCOPED_TRACE(testing::Message() << "pixel format " << d.pixelFormat);
        DecodedFrame sweep = drawAndDecode(QEL_TestPattern_LineSweep, w, 2, d.pixelFormat);
        EXPECT_GT(crossings(sweep, d, w - 192, w), 150u);
        EXPECT_GT(crossings(sweep, d, w - 192, w), 10 * crossings(sweep, d, 0, 192));

        DecodedFrame burst = drawAndDecode(QEL_TestPattern_MultiBurst, w, 6, d.pixelFormat);
        EXPECT_EQ(burst.at(10, 0), d.grey(d.white));
        EXPECT_EQ(burst.at(w / 16 + 10, 0), d.grey(d.black));
        unsigned previous = 0;
        for (unsigned p = 0; p < 6; ++p) {
            unsigned first = w / 8 + span * p / 6;
            EXPECT_EQ(burst.at(first, 0).c0, (d.black + d.white + 1) / 2) << "pedestal " << p;
            unsigned n = crossings(burst, d, first, w / 8 + span * (p + 1) / 6);
            EXPECT_GT(n, previous) << "packet " << p;
            previous = n;
        }
        EXPECT_NEAR(previous, 2 * 0.4 * 224, 20);

        DecodedFrame multi = drawAndDecode(QEL_TestPattern_MultiPattern, w, 6, d.pixelFormat);
        for (unsigned x = 0; x < w; ++x) {
            ASSERT_EQ(multi.at(x, 4), burst.at(x, 0)) << x;
        }
    }
}

} // namespace
} // namespace patternstest

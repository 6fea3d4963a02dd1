// The LTC port: the timecode it reads as simulated time runs, the rate it detects, and what a
// port without input or output refuses.
#include "card_fixture.h"

#include "timecode.h"

#include "ZyvoTimingWidgets.h"

#include <cstdio>
#include <string>

namespace {

class LtcPortTest : public CardTest {
protected:
    ZyvoLTCIOWidget* port() { return widget<ZyvoLTCIOWidget>(ZYVO_WidgetType_LTCIOWidget); }

    // The input timecode as HH:MM:SS:FF, or the status when the read does not answer 2.
    std::string inputTimecode() {
        uint32_t low = 0;
        uint32_t high = 0;
        int status = port()->GetInputTimeCode(low, high);
        if (status != 2)
            return "status " + std::to_string(status);
        zyvosim::TimeAddress address = zyvosim::decodeTimecode({low, high});
        char text[32];
        std::snprintf(text, sizeof text, "%02u:%02u:%02u:%02u", address.hours, address.minutes,
                      address.seconds, address.frames);
        return text;
    }
};

struct Running {
    const char* bench;
    uint64_t microseconds; // simulated time when the port is read
    const char* expected;
};

class LtcRunningTest : public LtcPortTest, public ::testing::WithParamInterface<Running> {};

TEST_P(LtcRunningTest, timecodeRunsOnTheSimulatorClock) {
    useBench(GetParam().bench);
    zyvosim::sleepMicroseconds(GetParam().microseconds);
    EXPECT_EQ(inputTimecode(), GetParam().expected);
}

// The pulled-down rates (23.98, 29.97, 47.95, 59.94) count frames 1001/1000 as long.
INSTANTIATE_TEST_SUITE_P(
    Rates, LtcRunningTest,
    ::testing::Values(
        Running{"ltc-source rate 6 start 12:34:56:07\n", 0, "12:34:56:07"},
        Running{"ltc-source rate 6 start 01:00:00:00\n", 1000999, "01:00:00:29"},
        Running{"ltc-source rate 6 start 01:00:00:00\n", 1001000, "01:00:01:00"},
        Running{"ltc-source rate 7 start 01:00:00:00\n", 1000000, "01:00:01:00"},
        Running{"ltc-source rate 3 start 00:00:59:23\n", 41708, "00:00:59:23"},
        Running{"ltc-source rate 3 start 00:00:59:23\n", 41709, "00:01:00:00"},
        Running{"ltc-source rate 4 start 00:00:00:00\n", 2500000, "00:00:02:12"},
        Running{"ltc-source rate 5 start 23:59:59:24\n", 40000, "00:00:00:00"},
        Running{"ltc-source rate 9 start 09:59:59:47\n", 20834, "10:00:00:00"},
        Running{"ltc-source rate 11 start 00:00:00:00\n", 60060000, "00:01:00:00"},
        Running{"ltc-source rate 12 start 00:59:59:59\n", 16667, "01:00:00:00"},
        Running{"ltc-source rate 10 start 10:20:30:40\n", 86400000000ull, "10:20:30:40"},
        Running{"ltc-source rate 6 start 01:00:00:00 frozen\n", 5000000, "01:00:00:00"},
        Running{"ltc-source none\n", 0, "status 0"},
        Running{"ltc-source rate 6 start 01:00:00:00\nltc-port output\n", 0, "status 0"},
        Running{"ltc-source rate 6 start 01:00:00:00\nfault LTC.GetInputTimeCode -4\n", 0,
                "status -4"}));

TEST_F(LtcPortTest, frameRateIsTheOneDetectedOnTheInput) {
    useBench("ltc-source rate 5 start 01:00:00:00\n");
    ZyvoVideoRate rate = ZYVO_VideoRate_Unknown;
    EXPECT_EQ(port()->SetFrameRate(ZYVO_VideoRate_2997), 1);
    EXPECT_EQ(port()->GetFrameRate(rate), 2);
    EXPECT_EQ(rate, ZYVO_VideoRate_25);
}

struct Ability {
    const char* bench;
    int input;  // IsInputAvailable, IsInputDetected, SetMode(input)
    int output; // IsOutputAvailable, SetOutputTimeCode, SetMode(output)
};

class LtcAbilityTest : public LtcPortTest, public ::testing::WithParamInterface<Ability> {};

TEST_P(LtcAbilityTest, portRefusesWhatItCannotDo) {
    useBench(std::string("ltc-source rate 6 start 01:00:00:00\n") + GetParam().bench);
    EXPECT_EQ(port()->IsInputAvailable(), GetParam().input);
    EXPECT_EQ(port()->IsInputDetected(), GetParam().input);
    EXPECT_EQ(port()->SetMode(ZyvoLTCIOWidget::LTCMode_Input), GetParam().input);
    EXPECT_EQ(port()->IsOutputAvailable(), GetParam().output);
    EXPECT_EQ(port()->SetOutputTimeCode(0, 0x01000000u), GetParam().output);
    EXPECT_EQ(port()->SetMode(ZyvoLTCIOWidget::LTCMode_Output), GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(Benches, LtcAbilityTest,
                         ::testing::Values(Ability{"", 1, 1}, Ability{"ltc-port input\n", 1, 0},
                                           Ability{"ltc-port output\n", 0, 1},
                                           Ability{"ltc-port none\n", 0, 0}));

} // namespace

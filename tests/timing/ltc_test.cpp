// The LTC port through the user commands: the live input test, the timecode display, the
// port's direction, and timecode and rate carried to and from the port.
#include "engine_test.h"

namespace enginetest {
namespace {

using Mode = ZyvoLTCIOWidget::LTCModeType;
using zyvotest::captured;

// The LTC calls of the trace, "Operation(arguments)" joined by "; "; only the operations when
// `withArguments` is false.
std::string ltcCalls(bool withArguments = true) {
    std::string text;
    for (const std::string& call : operations({"LTC"}, withArguments)) {
        text += (text.empty() ? "" : "; ") + call.substr(call.find('.') + 1);
    }
    return text;
}

class LtcTest : public EngineTest {
protected:
    ZyvoDevice* device() { return mDevice.mpDevice; }
    // Each command runs on a record with the defaults a parse starts from (1080i 29.97).
    ZyvoDiagUserCommands record;
};

// The two samples of the timecode, each followed by a second's wait.
constexpr uint64_t kSampledMs = 2 * 1000;
constexpr const char* kSampled = "IsInputAvailable; SetFrameRate; IsInputDetected; GetFrameRate; "
                                 "GetInputTimeCode; GetInputTimeCode";
const char* const kLive = "ltc-source rate 5 start 10:20:30:00";
// The two samples of a source that starts at 10:20:30:00 and runs.
const std::string kAdvancing = "LTC input timecode : 10:20:30:00: \n"
                               "LTC input timecode : 10:20:31:00: \n"
                               "LTC input timecode change detect = true\n";

// The input test reports what the input carries, verbose, and passes only when the timecode
// advances; quiet, it says nothing and comes to the same verdict.
TEST_F(LtcTest, theInputTestReportsWhatTheInputCarriesAndPassesOnlyWhenItAdvances) {
    const struct {
        const char* bench;
        ZyvoVideoRate asked; // -r
        bool passes;
        uint64_t waitedMs;
        const char* calls; // on the LTC port
        std::string report;
    } cases[] = {
        {kLive, ZYVO_VideoRate_25, true, kSampledMs, kSampled,
         "\nltcInputTest(25)\nLTC input detect frame rate 25\n" + kAdvancing},
        {kLive, ZYVO_VideoRate_2997, true, kSampledMs, kSampled,
         "\nltcInputTest(29.97)\nLTC input detect frame rate 25\n"
         "LTC frame rate mismatch : Set Frame Rate = 29.97, Detect Frame Rate = 25\n" +
             kAdvancing},
        {"ltc-source rate 5 start 10:20:30:00 frozen", ZYVO_VideoRate_25, false, kSampledMs,
         kSampled,
         "\nltcInputTest(25)\nLTC input detect frame rate 25\n"
         "LTC input timecode : 10:20:30:00: \nLTC input timecode : 10:20:30:00: \n"
         "LTC input timecode change detect = false\n"},
        {"ltc-port output", ZYVO_VideoRate_2997, false, 0, "IsInputAvailable",
         "\nltcInputTest(29.97)\nTesk device not capable of LTC timecode input\n"},
        {"ltc-source none", ZYVO_VideoRate_2997, false, 0,
         "IsInputAvailable; SetFrameRate; IsInputDetected",
         "\nltcInputTest(29.97)\nCannot detect LTC input\n"},
        // Only a status of exactly 2 is a rate; an unreadable one claims no mismatch.
        {"ltc-source rate 5 start 10:20:30:00; fault LTC.GetFrameRate 1", ZYVO_VideoRate_2997, true,
         kSampledMs, kSampled,
         "\nltcInputTest(29.97)\nLTC GetFrameRate() returns failure\n" + kAdvancing},
        {"fault LTC.GetInputTimeCode 1", ZYVO_VideoRate_2997, false, 0,
         "IsInputAvailable; SetFrameRate; IsInputDetected; GetFrameRate; GetInputTimeCode",
         "\nltcInputTest(29.97)\nLTC input detect frame rate 29.97\n"
         "LTC GetInputTimeCode() returns failure\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.bench) + " at -r" + std::to_string(c.asked));
        openDevice(c.bench);
        record.mVideoRate = c.asked;
        auto test = [&] { return record.captureLTCinput(device()); };
        verbose(true);
        auto printed = captured(test);
        EXPECT_EQ(printed.result, c.passes);
        EXPECT_EQ(printed.out, c.report);
        EXPECT_EQ(printed.err, "");
        EXPECT_EQ(ltcCalls(false), c.calls);
        EXPECT_EQ(card().ltc.rate, c.asked);
        EXPECT_EQ(zyvosim::nowMicroseconds(), c.waitedMs * 1000);
        verbose(false);
        printed = captured(test);
        EXPECT_EQ(printed.result, c.passes);
        EXPECT_EQ(printed.out, "");
    }
}

// The port turns only to a direction it has, and says why not even when quiet.
TEST_F(LtcTest, theModeTurnsOnlyToADirectionThePortHas) {
    const struct {
        const char* bench;
        int mode;
        bool done;
        const char* calls;
        const char* report;
        int modeAfter;
    } cases[] = {
        {"", 1, true, "IsOutputAvailable(); SetMode(1)", "", 1},
        {"", 0, true, "IsInputAvailable(); SetMode(0)", "", 0},
        {"ltc-port output", 0, false, "IsInputAvailable()",
         " ltcSetMode() LTC input mode not available\n", 0},
        {"", 2, false, "", "", 0},
        {"fault LTC.SetMode 0", 1, false, "IsOutputAvailable(); SetMode(1)", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.bench) + " mode " + std::to_string(c.mode));
        openDevice(c.bench);
        auto printed =
            captured([&] { return record.setLTCIOMode(device(), static_cast<Mode>(c.mode)); });
        EXPECT_EQ(printed.result, c.done);
        EXPECT_EQ(printed.out, c.report);
        EXPECT_EQ(ltcCalls(), c.calls);
        EXPECT_EQ(card().ltc.mode, c.modeAfter);
    }
}

// Carrying timecode, mode and rate to the port and back is the tool tests' business; here the
// word order, the capability checks and which statuses count.
TEST_F(LtcTest, timecodeNeedsTheCapabilityAndReadingTakesAnyPositiveStatus) {
    uint32_t low = 0, high = 0;
    openDevice("ltc-source rate 5 start 12:34:56:07");
    EXPECT_TRUE(record.getLTCInput(device(), low, high));
    EXPECT_EQ(low, 0x05060007u);
    EXPECT_EQ(high, 0x01020304u);

    openDevice("ltc-port output");
    EXPECT_FALSE(record.getLTCInput(device(), low, high));
    EXPECT_EQ(ltcCalls(), "IsInputAvailable()");

    openDevice("ltc-port input");
    EXPECT_FALSE(record.setLTCOutput(device(), 1, 2));
    EXPECT_EQ(ltcCalls(), "IsOutputAvailable()");

    // The rate needs the port's consent.
    openDevice("fault LTC.GetInputTimeCode 1; fault LTC.SetFrameRate 0");
    EXPECT_TRUE(record.getLTCInput(device(), low, high));
    EXPECT_FALSE(record.setLTCFrameRate(device(), ZYVO_VideoRate_25));
}

TEST_F(LtcTest, withoutAnLtcWidgetEveryCommandFailsSilently) {
    openDevice("missing LTC 0");
    verbose(true);
    uint32_t low = 0, high = 0;
    Mode mode = ZyvoLTCIOWidget::LTCMode_Input;
    auto printed = captured([&] {
        return record.getLTCInput(device(), low, high) || record.setLTCOutput(device(), 1, 2) ||
               record.getLTCIOMode(device(), mode) ||
               record.setLTCIOMode(device(), ZyvoLTCIOWidget::LTCMode_Output) ||
               record.setLTCFrameRate(device(), ZYVO_VideoRate_25);
    });
    EXPECT_FALSE(printed.result);
    EXPECT_EQ(printed.out, "");
    EXPECT_EQ(printed.err, "");
    EXPECT_EQ(ltcCalls(), "");
}

} // namespace
} // namespace enginetest

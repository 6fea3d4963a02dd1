// The LTC port: the timecode it reads as simulated time runs. What the library makes of a port
// without input or output is the timing tests' business.
#include "card_fixture.h"

#include "video/timecode.h"

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
        if (status != 2) {
            return "status " + std::to_string(status);
        }
        zyvosim::TimeAddress address = zyvosim::decodeTimecode({low, high});
        char text[32];
        std::snprintf(text, sizeof text, "%02u:%02u:%02u:%02u", address.hours, address.minutes,
                      address.seconds, address.frames);
        return text;
    }
};

// The timecode runs on the simulator's clock; the pulled-down rates (23.98, 29.97, 47.95, 59.94)
// count frames 1001/1000 as long.
TEST_F(LtcPortTest, timecodeRunsOnTheSimulatorClock) {
    const struct {
        const char* bench;
        uint64_t microseconds; // simulated time when the port is read
        const char* expected;
    } cases[] = {
        {"ltc-source rate 6 start 01:00:00:00\n", 1000999, "01:00:00:29"},
        {"ltc-source rate 6 start 01:00:00:00\n", 1001000, "01:00:01:00"},
        {"ltc-source rate 5 start 23:59:59:24\n", 40000, "00:00:00:00"},
        {"ltc-source rate 9 start 09:59:59:47\n", 20834, "10:00:00:00"},
        {"ltc-source rate 10 start 10:20:30:40\n", 86400000000ull, "10:20:30:40"},
        {"ltc-source rate 6 start 01:00:00:00 frozen\n", 5000000, "01:00:00:00"},
        {"ltc-source none\n", 0, "status 0"},
    };
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        useBench(c.bench);
        zyvosim::sleepMicroseconds(c.microseconds);
        EXPECT_EQ(inputTimecode(), c.expected) << c.bench << " after " << c.microseconds << " us";
    }
}

} // namespace

// Each zyvodiag command reaches its library operation with the record it parsed: seen in the
// trace of calls the device received, not by restating the tool's code. The SDI loop, LTC,
// genlock and LCD commands show it in what they do, in their own tests.
#include "tool_process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A call only that operation makes, with what the record says, for each command after --trace;
// each ends with status 0 on a fresh card of the default bench, but where nothing plays on HDMI.
TEST(CommandDispatchTest, eachCommandReachesItsOperationWithTheParsedRecord) {
    const struct {
        const char* arguments;
        const char* tracedCall;
        int status;
    } cases[] = {
        {"generate -b3 -p2", "PlayoutStore[3].GetFrameBufferConfiguration", 0},
        {"monitor --sdi", "SDIOutput[10].SetEnable(true)", 0},
        {"capture-pattern -o2 -b1", "PlayoutStore[1].SetActiveFrameBuffer(1)", 0},
        {"save -b2", "CaptureStore[0].GetFrameBufferConfiguration", 0},
        {"hdmi-output -f19 -r29", "HDMIOut[0].SetVideoSource2(98)", 0},
        {"hdmi-capture", "HDMIIn[0].Initialize()", 1},
        {"hdmi-loopback -f7 -r59", "HDMIOut[0].WriteRegister(0, 0x2401040a)", 0},
        {"ltc-test -f7 -r50", "LTC[0].SetFrameRate(10)", 0},
        {"setup --inputs", "HDMIIn[0].Initialize()", 0},
    };
    for (const auto& c : cases) {
        tooltest::ToolRun run =
            tooltest::runTool(std::string("--trace ") + c.arguments + " /dev/null");
        EXPECT_TRUE(tooltest::endedWith(run, c.status, {c.tracedCall})) << c.arguments;
    }
}

} // namespace

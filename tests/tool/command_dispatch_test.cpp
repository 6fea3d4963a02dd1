// Each zyvodiag command reaches its library operation with the record it parsed: seen in the
// trace of calls the device received, not by restating the tool's code. The SDI loop, LTC,
// genlock and LCD commands show it in what they do, in their own tests.
#include "tool_process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Dispatch {
    const char* arguments;  // after "--trace"
    const char* tracedCall; // a call only that operation makes, with what the record says
    int status = 0;         // on a fresh card of the default bench
};

void PrintTo(const Dispatch& dispatch, std::ostream* out) {
    *out << dispatch.arguments;
}

class CommandDispatchTest : public ::testing::TestWithParam<Dispatch> {};

TEST_P(CommandDispatchTest, reachesItsOperationWithTheParsedRecord) {
    tooltest::ToolRun run =
        tooltest::runTool(std::string("--trace ") + GetParam().arguments + " /dev/null");
    EXPECT_TRUE(tooltest::endedWith(run, GetParam().status, {GetParam().tracedCall}));
}

INSTANTIATE_TEST_SUITE_P(
    DeviceCommands, CommandDispatchTest,
    ::testing::Values(Dispatch{"generate -b3 -p2", "PlayoutStore[3].GetFrameBufferConfiguration"},
                      Dispatch{"monitor --sdi", "SDIOutput[10].SetEnable(true)"},
                      Dispatch{"capture-pattern -o2 -b1",
                               "PlayoutStore[1].SetActiveFrameBuffer(1)"},
                      Dispatch{"save -b2", "CaptureStore[0].GetFrameBufferConfiguration"},
                      Dispatch{"hdmi-output -f19 -r29", "HDMIOut[0].SetVideoSource2(98)"},
                      // Nothing plays on HDMI yet.
                      Dispatch{"hdmi-capture", "HDMIIn[0].Initialize()", 1},
                      Dispatch{"hdmi-loopback -f7 -r59", "HDMIOut[0].WriteRegister(0, 0x2401040a)"},
                      Dispatch{"ltc-test -f7 -r50", "LTC[0].SetFrameRate(10)"},
                      Dispatch{"setup --inputs", "HDMIIn[0].Initialize()"}));

} // namespace

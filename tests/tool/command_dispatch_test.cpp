// Each zyvodiag command reaches its library operation with the record it parsed: seen in the
// trace of calls the device received, not by restating the tool's code.
#include "tool_process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Dispatch {
    const char* arguments;  // after "--trace"
    const char* tracedCall; // a call only that operation makes, with what the record says
};

void PrintTo(const Dispatch& dispatch, std::ostream* out) {
    *out << dispatch.arguments;
}

class CommandDispatchTest : public ::testing::TestWithParam<Dispatch> {};

TEST_P(CommandDispatchTest, reachesItsOperationWithTheParsedRecord) {
    tooltest::ToolRun run =
        tooltest::runTool(std::string("--trace ") + GetParam().arguments + " /dev/null");
    EXPECT_NE(run.out.find(GetParam().tracedCall), std::string::npos) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    EveryDeviceCommand, CommandDispatchTest,
    ::testing::Values(Dispatch{"generate -b3 -p2", "PlayoutStore[3].GetFrameBufferConfiguration"},
                      Dispatch{"output -o6", "SDIOutput[5].SetEnable(true)"},
                      Dispatch{"monitor --sdi", "SDIOutput[10].SetEnable(true)"},
                      Dispatch{"capture-pattern -o2 -b1",
                               "PlayoutStore[1].SetActiveFrameBuffer(1)"},
                      Dispatch{"capture -i7", "SDIInput[6].GetInputConfiguration"},
                      Dispatch{"save -b2", "CaptureStore[0].GetFrameBufferConfiguration"},
                      Dispatch{"hdmi-output -f19 -r29", "HDMIOut[0].SetVideoSource2(98)"},
                      Dispatch{"hdmi-capture", "HDMIIn[0].Initialize()"},
                      Dispatch{"hdmi-loopback -r59", "HDMIOut[0].WriteRegister(0, 0x2401040a)"},
                      Dispatch{"ltc-get", "LTC[0].GetInputTimeCode"},
                      Dispatch{"ltc-rate 25", "LTC[0].SetFrameRate(5)"},
                      Dispatch{"ltc-mode out", "LTC[0].SetMode(1)"},
                      Dispatch{"ltc-test -r50", "LTC[0].SetFrameRate(10)"},
                      Dispatch{"genlock", "SyncGenerator[0].SetReferenceSource(1)"},
                      Dispatch{"lcd -b1", "PlayoutStore[5].SetLinePitch(5120)"},
                      Dispatch{"setup --inputs", "HDMIIn[0].Initialize()"}));

} // namespace

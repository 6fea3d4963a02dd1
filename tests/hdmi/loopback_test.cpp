// runHDMI2LoopbackTest: the transmitter programmed and checked, then the receiver at the far end
// of the cable checked against it.
#include "hdmi_test.h"

#include <cstdio>

namespace hdmitest {
namespace {

const std::vector<std::string> k2997 = {"-f24", "-r29"};
const std::vector<std::string> k5994 = {"-f24", "-r59"};

class LoopbackTest : public HDMITest {
protected:
    void SetUp() override {
        HDMITest::SetUp();
        // Tracing mode waits for a key between the halves; nobody presses one here.
        ASSERT_NE(std::freopen("/dev/null", "r", stdin), nullptr);
    }
    Outcome loop(const std::vector<std::string>& arguments, bool tracing,
                 const std::string& bench = "") {
        prepare(arguments, tracing, bench);
        return run(&ZyvoDiagUserCommands::runHDMI2LoopbackTest);
    }
};

// The pauses after the monitor goes off and after the transmitter's writes, and the receiver's
// own after its initialisation.
constexpr uint64_t kMonitorOff = 500000, kTransmitterSettle = 2000000, kReceiverSettle = 200000;

// The receiver's control register keeps its own set-up, following any raster cleared, the rate
// set.
TEST_F(LoopbackTest, aHealthyLoopPassesQuietlyReachingEachRegisterAsOften) {
    for (const auto& [arguments, receiverControl] :
         {std::pair{k2997, 0x01001200u}, std::pair{k5994, 0x01001400u}}) {
        SCOPED_TRACE(arguments[1]);
        Outcome outcome = loop(arguments, false);
        EXPECT_TRUE(outcome.result);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(countOf("HDMIOut", "WriteRegister"), 12u);
        EXPECT_EQ(countOf("HDMIOut", "ReadRegister"), 6u);
        EXPECT_EQ(countOf("HDMIIn", "WriteRegister"), 1u);
        EXPECT_EQ(countOf("HDMIIn", "ReadRegister"), 13u);
        EXPECT_EQ(card().hdmiInput.registers[0], receiverControl);
        EXPECT_FALSE(card().hdmiOutput.monitor);
        EXPECT_EQ(zyvosim::nowMicroseconds(), kMonitorOff + kTransmitterSettle + kReceiverSettle);
    }
}

// Checking mode stops at the first failure with its line, and nothing goes to standard error.
TEST_F(LoopbackTest, checkingModeStopsAtTheFirstFailureWithItsLine) {
    const struct {
        const std::vector<std::string>& arguments;
        const char* bench;
        bool passes;
        const char* out;
    } cases[] = {
        {k2997, "hdmi-fault clock HDMIOut 17 0x11AF5601", false,
         " StartHDMIV4loopbackOutput() bad tmds: 0x11af5601\n"},
        // The transmitter's reference clock at the high end of its window, and just past each end.
        {k2997, "hdmi-fault clock HDMIOut 16 0x08D7AB00", true, ""},
        {k2997, "hdmi-fault clock HDMIOut 16 0x08D7AB01", false,
         " StartHDMIV4loopbackOutput() bad refclock: 0x08d7ab01\n"},
        {k2997, "hdmi-fault clock HDMIOut 16 0x08D7A9FF", false,
         " StartHDMIV4loopbackOutput() bad refclock: 0x08d7a9ff\n"},
        // The transmitter clock of 29.97 at 59.94.
        {k5994, "hdmi-fault clock HDMIOut 18 0x046BD550", false,
         " StartHDMIV4loopbackOutput() bad tx clk: 0x046bd550\n"},
        // The receiver's wider window holds at 59.94 only.
        {k5994, "hdmi-fault clock HDMIIn 16 0x08D8AB00", true, ""},
        {k2997, "hdmi-fault clock HDMIIn 16 0x08D8AB00", false,
         " StartHDMIV4loopbackInput() bad refclock: 0x08d8ab00\n"},
        {k2997, "hdmi-fault pll-unlocked", false,
         " StartHDMIV4loopbackOutput() tx not good: 0x34020200, expected: 0x3c020200\n"},
        {k2997, "hdmi-fault raster 5 0x00120009", false,
         " StartHDMIV4loopbackInput() reg 5: 0x00120009, expected: 0x00120008\n"},
        {k2997, "uncable HDMIOutput 0", false,
         " StartHDMIV4loopbackInput() reg 1: 0x00000000, expected: 0x00000010\n"},
        {k2997, "fault HDMIOut.WriteRegister -1 once", false,
         " StartHDMIV4loopbackOutput() write of 0x24020200 to reg 0 failed\n"},
        {k2997, "fault HDMIOut.ReadRegister 0 once", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.bench) + " at " + c.arguments[1]);
        Outcome outcome = loop(c.arguments, false, c.bench);
        EXPECT_EQ(outcome.result, c.passes);
        EXPECT_EQ(outcome.out, c.out);
        EXPECT_EQ(outcome.err, "");
    }
}

TEST_F(LoopbackTest, anUnsupportedRateNeverReachesTheRegisters) {
    Outcome outcome = loop({"-f7", "-r25"}, true);
    EXPECT_FALSE(outcome.result);
    EXPECT_EQ(outcome.out, " runHDMI2LoopbackTest() (rate: 5, pixelFormat: 23, videoFormat: 0)\n");
    EXPECT_EQ(countOf("HDMIOut", "WriteRegister") + countOf("HDMIIn", "ReadRegister"), 0u);
}

// Tracing mode marks a mismatch and goes on; the sums decide the verdict.
TEST_F(LoopbackTest, tracingModeMarksAMismatchAndGoesOn) {
    const struct {
        const char* bench;
        bool passes;
        const char* marked;
    } cases[] = {
        {"hdmi-fault clock HDMIOut 17 0x11AF5601", true,
         " StartHDMIV4loopbackOutput() reg 17: 0x11af5601, expected: 0x11af5500 .. 0x11af5600 "
         "<<<\n"},
        {"hdmi-fault raster 5 0x00120009", false,
         " StartHDMIV4loopbackInput() reg 5: 0x00120009, expected: 0x00120008  <<<\n"},
    };
    for (const auto& c : cases) {
        Outcome outcome = loop(k2997, true, c.bench);
        EXPECT_EQ(outcome.result, c.passes) << c.bench;
        EXPECT_NE(outcome.out.find(c.marked), std::string::npos) << outcome.out;
        EXPECT_NE(outcome.out.find(" StartHDMIV4loopbackInput() (25)rx sum: "), std::string::npos);
    }
}

} // namespace
} // namespace hdmitest

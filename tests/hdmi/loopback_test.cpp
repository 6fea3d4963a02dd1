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

struct HealthyCase {
    const char* name;
    std::vector<std::string> arguments;
    uint32_t receiverControl; // its own set-up kept, following any raster cleared, the rate set
};

class HealthyLoopTest : public LoopbackTest, public ::testing::WithParamInterface<HealthyCase> {};

// The pauses after the monitor goes off and after the transmitter's writes, and the receiver's
// own after its initialisation.
constexpr uint64_t kMonitorOff = 500000, kTransmitterSettle = 2000000, kReceiverSettle = 200000;

TEST_P(HealthyLoopTest, passesQuietlyReachingEachRegisterAsOften) {
    const uint64_t start = zyvosim::nowMicroseconds();
    Outcome outcome = loop(GetParam().arguments, false);
    EXPECT_TRUE(outcome.result);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(countOf("HDMIOut", "WriteRegister"), 12u);
    EXPECT_EQ(countOf("HDMIOut", "ReadRegister"), 6u);
    EXPECT_EQ(countOf("HDMIIn", "WriteRegister"), 1u);
    EXPECT_EQ(countOf("HDMIIn", "ReadRegister"), 13u);
    EXPECT_EQ(card().hdmiInput.registers[0], GetParam().receiverControl);
    EXPECT_FALSE(card().hdmiOutput.monitor);
    EXPECT_EQ(zyvosim::nowMicroseconds() - start,
              kMonitorOff + kTransmitterSettle + kReceiverSettle);
}

INSTANTIATE_TEST_SUITE_P(Rates, HealthyLoopTest,
                         ::testing::Values(HealthyCase{"at2997", k2997, 0x01001200},
                                           HealthyCase{"at5994", k5994, 0x01001400}),
                         [](const auto& info) { return info.param.name; });

struct FaultCase {
    const char* name;
    std::vector<std::string> arguments;
    const char* bench;
    bool passes;
    const char* out; // nothing goes to standard error
};

class CheckingModeTest : public LoopbackTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CheckingModeTest, stopsAtTheFirstFailureWithItsLine) {
    const FaultCase& c = GetParam();
    Outcome outcome = loop(c.arguments, false, c.bench);
    EXPECT_EQ(outcome.result, c.passes);
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CheckingModeTest,
    ::testing::Values(
        FaultCase{"tmdsAboveItsWindow", k2997, "hdmi-fault clock HDMIOut 17 0x11AF5601", false,
                  " StartHDMIV4loopbackOutput() bad tmds: 0x11af5601\n"},
        FaultCase{"refclockAtTheHighEnd", k2997, "hdmi-fault clock HDMIOut 16 0x08D7AB00", true,
                  ""},
        FaultCase{"refclockPastTheHighEnd", k2997, "hdmi-fault clock HDMIOut 16 0x08D7AB01", false,
                  " StartHDMIV4loopbackOutput() bad refclock: 0x08d7ab01\n"},
        FaultCase{"refclockBelowTheLowEnd", k2997, "hdmi-fault clock HDMIOut 16 0x08D7A9FF", false,
                  " StartHDMIV4loopbackOutput() bad refclock: 0x08d7a9ff\n"},
        FaultCase{"txClockOf2997At5994", k5994, "hdmi-fault clock HDMIOut 18 0x046BD550", false,
                  " StartHDMIV4loopbackOutput() bad tx clk: 0x046bd550\n"},
        FaultCase{"receiversWideWindowAt5994", k5994, "hdmi-fault clock HDMIIn 16 0x08D8AB00", true,
                  ""},
        FaultCase{"receiversWideWindowNotAt2997", k2997, "hdmi-fault clock HDMIIn 16 0x08D8AB00",
                  false, " StartHDMIV4loopbackInput() bad refclock: 0x08d8ab00\n"},
        FaultCase{"pllsUnlockedAt2997", k2997, "hdmi-fault pll-unlocked", false,
                  " StartHDMIV4loopbackOutput() tx not good: 0x34020200, expected: 0x3c020200\n"},
        FaultCase{"damagedRaster", k2997, "hdmi-fault raster 5 0x00120009", false,
                  " StartHDMIV4loopbackInput() reg 5: 0x00120009, expected: 0x00120008\n"},
        FaultCase{"noCable", k2997, "uncable HDMIOutput 0", false,
                  " StartHDMIV4loopbackInput() reg 1: 0x00000000, expected: 0x00000010\n"},
        FaultCase{"transmitterWriteFails", k2997, "fault HDMIOut.WriteRegister -1 once", false,
                  " StartHDMIV4loopbackOutput() write of 0x24020200 to reg 0 failed\n"},
        FaultCase{"readFails", k2997, "fault HDMIOut.ReadRegister 0 once", false, ""}),
    [](const auto& info) { return info.param.name; });

TEST_F(LoopbackTest, anUnsupportedRateNeverReachesTheRegisters) {
    Outcome outcome = loop({"-f7", "-r25"}, true);
    EXPECT_FALSE(outcome.result);
    EXPECT_EQ(outcome.out, " runHDMI2LoopbackTest() (rate: 5, pixelFormat: 23, videoFormat: 0)\n");
    EXPECT_EQ(countOf("HDMIOut", "WriteRegister") + countOf("HDMIIn", "ReadRegister"), 0u);
}

struct MarkedCase {
    const char* name;
    const char* bench;
    bool passes; // the sums decide
    const char* marked;
};

class TracingModeTest : public LoopbackTest, public ::testing::WithParamInterface<MarkedCase> {};

TEST_P(TracingModeTest, marksAMismatchAndGoesOn) {
    Outcome outcome = loop(k2997, true, GetParam().bench);
    EXPECT_EQ(outcome.result, GetParam().passes);
    EXPECT_NE(outcome.out.find(GetParam().marked), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find(" StartHDMIV4loopbackInput() (25)rx sum: "), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Mismatches, TracingModeTest,
    ::testing::Values(
        MarkedCase{"transmitterClock", "hdmi-fault clock HDMIOut 17 0x11AF5601", true,
                   " StartHDMIV4loopbackOutput() reg 17: 0x11af5601, expected: 0x11af5500 .. "
                   "0x11af5600 <<<\n"},
        MarkedCase{"raster", "hdmi-fault raster 5 0x00120009", false,
                   " StartHDMIV4loopbackInput() reg 5: 0x00120009, expected: 0x00120008  <<<\n"}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace hdmitest

// The simulated HDMI chips on their own: when they lock, what their registers take, and the
// bench's hdmi-fault directive.
#include "hdmi_test.h"

namespace hdmitest {
namespace {

class ChipsTest : public HDMITest {
protected:
    void SetUp() override {
        HDMITest::SetUp();
        openDevice();
        tx = deviceWidget<ZyvoHDMIOutV4Widget>(ZYVO_WidgetType_HDMI4kOutWidget, 0);
        rx = deviceWidget<ZyvoHDMIInV4Widget>(ZYVO_WidgetType_HDMIInV4Widget, 0);
        ASSERT_TRUE(tx != nullptr && rx != nullptr);
    }
    template <typename Widget> static uint32_t read(Widget* chip, uint32_t reg) {
        uint32_t value = 0xDEADBEEF;
        EXPECT_EQ(chip->ReadRegister(reg, value), 1);
        return value;
    }
    // The transmitter started at 29.97, the dividers written last as the diagnostics do.
    void start2997() {
        tx->WriteRegister(2, 0x00B00058);
        tx->WriteRegister(0, 0x34020200);
        tx->WriteRegister(32, 0x00542000);
    }

    ZyvoHDMIOutV4Widget* tx = nullptr;
    ZyvoHDMIInV4Widget* rx = nullptr;
};

struct ModeCase {
    uint32_t control;
    uint32_t pll;
    bool locks;
};

class TransmitterModeTest : public ChipsTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(TransmitterModeTest, locksOnceStartedInAModeWithItsOwnDividers) {
    tx->WriteRegister(0, GetParam().control);
    tx->WriteRegister(32, GetParam().pll);
    const bool locks = GetParam().locks;
    EXPECT_EQ(read(tx, 0), GetParam().control | (locks ? 0x08000000u : 0u));
    EXPECT_EQ(read(tx, 16), locks ? 148351648u : 0u) << "148.5 MHz / 1.001";
}

INSTANTIATE_TEST_SUITE_P(Programming, TransmitterModeTest,
                         ::testing::Values(ModeCase{0x34020200, 0x00542000, true},
                                           ModeCase{0x3401040A, 0x00542003, true},
                                           ModeCase{0x24020200, 0x00542000, false},
                                           ModeCase{0x34020200, 0x00542003, false},
                                           ModeCase{0x3401040A, 0x00542000, false}));

TEST_F(ChipsTest, statusAndMeasurementsTakeNoWritesAndSumsWrapAround) {
    tx->WriteRegister(0, 0x08000000);
    rx->WriteRegister(1, 0x00000010);
    tx->WriteRegister(17, 0x11AF5541);
    EXPECT_EQ(read(tx, 0) | read(rx, 1) | read(tx, 17), 0u);
    for (uint32_t reg = 2; reg <= 8; ++reg) {
        tx->WriteRegister(reg, 0x80000001);
    }
    EXPECT_EQ(read(tx, 25), 0x80000007u) << "unlocked too";
    rx->Initialize();
    tx->WriteRegister(0, 0x34020200);
    tx->WriteRegister(32, 0x00542000);
    EXPECT_EQ(read(rx, 25), 0x80000007u);
}

struct ReceiverCase {
    uint32_t control;
    bool locks;
};

class ReceiverRateTest : public ChipsTest, public ::testing::WithParamInterface<ReceiverCase> {};

TEST_P(ReceiverRateTest, locksToTheRasterItIsToldOrToAnyWhenFollowing) {
    start2997();
    rx->Initialize();
    EXPECT_EQ(read(rx, 0), 0x01001080u) << "following any raster after Initialize";
    rx->WriteRegister(0, GetParam().control);
    const bool locks = GetParam().locks;
    EXPECT_EQ(read(rx, 1), locks ? 0x10u : 0u);
    EXPECT_EQ(read(rx, 2), locks ? 0x00B00058u : 0u);
    EXPECT_EQ(read(rx, 17), locks ? 296703297u : 0u) << "297 MHz / 1.001";
}

INSTANTIATE_TEST_SUITE_P(Control, ReceiverRateTest,
                         ::testing::Values(ReceiverCase{0x01001080, true},
                                           ReceiverCase{0x00000200, true},
                                           ReceiverCase{0x00000400, false},
                                           ReceiverCase{0x00000600, false},
                                           ReceiverCase{0x00000000, false}));

struct BadLine {
    const char* line;
    const char* problem;
};

class HDMIFaultLineTest : public ::testing::TestWithParam<BadLine> {};

TEST_P(HDMIFaultLineTest, isRefusedWithWhatIsWrong) {
    std::string error;
    EXPECT_FALSE(zyvosim::loadBench(std::string("devices 1\n") + GetParam().line, error, "lab"));
    EXPECT_EQ(error, std::string("lab:2: hdmi-fault: ") + GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Bench, HDMIFaultLineTest,
    ::testing::Values(
        BadLine{"hdmi-fault pll-locked", "'pll-locked' is not pll-unlocked, clock or raster"},
        BadLine{"hdmi-fault clock SDIOutput 16 1", "'SDIOutput' is neither HDMIOut nor HDMIIn"},
        BadLine{"hdmi-fault clock HDMIIn 19 1", "REG 19 is not in 16 to 18"},
        BadLine{"hdmi-fault raster 9 1", "REG 9 is not in 2 to 8"},
        BadLine{"hdmi-fault raster 2 0x100000000",
                "VALUE '0x100000000' is not a 32-bit number (decimal, or hexadecimal after 0x)"}));

} // namespace
} // namespace hdmitest

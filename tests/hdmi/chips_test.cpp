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

// The transmitter locks once started in a mode with that mode's own dividers.
TEST_F(ChipsTest, transmitterLocksOnlyWithItsModesDividers) {
    const struct {
        uint32_t control, pll;
        bool locks;
    } cases[] = {{0x34020200, 0x00542000, true},
                 {0x3401040A, 0x00542003, true},
                 {0x24020200, 0x00542000, false},
                 {0x3401040A, 0x00542000, false}};
    for (const auto& c : cases) {
        tx->WriteRegister(0, c.control);
        tx->WriteRegister(32, c.pll);
        EXPECT_EQ(read(tx, 0), c.control | (c.locks ? 0x08000000u : 0u)) << c.control;
        EXPECT_EQ(read(tx, 16), c.locks ? 148351648u : 0u) << "148.5 MHz / 1.001";
    }
}

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

// After Initialize the receiver follows any raster; told a rate, it locks to that one only.
TEST_F(ChipsTest, receiverLocksToTheRasterItIsToldOrToAnyWhenFollowing) {
    start2997();
    const struct {
        uint32_t control;
        bool locks;
    } cases[] = {{0x01001080, true}, {0x00000200, true}, {0x00000400, false}, {0, false}};
    for (const auto& c : cases) {
        rx->Initialize();
        EXPECT_EQ(read(rx, 0), 0x01001080u) << "following any raster after Initialize";
        rx->WriteRegister(0, c.control);
        EXPECT_EQ(read(rx, 1), c.locks ? 0x10u : 0u) << c.control;
        EXPECT_EQ(read(rx, 2), c.locks ? 0x00B00058u : 0u) << c.control;
        EXPECT_EQ(read(rx, 17), c.locks ? 296703297u : 0u) << "297 MHz / 1.001";
    }
}

TEST(HDMIFaultLineTest, isRefusedWithWhatIsWrong) {
    const struct {
        const char* line;
        const char* problem;
    } cases[] = {
        {"hdmi-fault pll-locked", "'pll-locked' is not pll-unlocked, clock or raster"},
        {"hdmi-fault clock SDIOutput 16 1", "'SDIOutput' is neither HDMIOut nor HDMIIn"},
        {"hdmi-fault clock HDMIIn 19 1", "REG 19 is not in 16 to 18"},
        {"hdmi-fault raster 9 1", "REG 9 is not in 2 to 8"},
        {"hdmi-fault raster 2 0x100000000",
         "VALUE '0x100000000' is not a 32-bit number (decimal, or hexadecimal after 0x)"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(zyvosim::loadBench(std::string("devices 1\n") + c.line, error, "lab"));
        EXPECT_EQ(error, std::string("lab:2: hdmi-fault: ") + c.problem);
    }
}

} // namespace
} // namespace hdmitest

// The HDMI output and input: their register files, and the signal the input sees through the
// HDMI cable.
#include "card_fixture.h"

#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoHDMIWidgets.h"

#include <cstdint>
#include <string>

namespace {

enum class Chip { Transmitter, Receiver };

class HDMIWidgetTest : public CardTest {
protected:
    ZyvoHDMIOutV4Widget* output() {
        return widget<ZyvoHDMIOutV4Widget>(ZYVO_WidgetType_HDMI4kOutWidget);
    }
    ZyvoHDMIInV4Widget* input() {
        return widget<ZyvoHDMIInV4Widget>(ZYVO_WidgetType_HDMIInV4Widget);
    }

    // "present F" or "absent F", as the input reports its signal.
    std::string inputSignal() {
        bool present = false;
        ZyvoVideoFormat format = ZYVO_VideoFormat_Unknown;
        EXPECT_EQ(input()->GetInputSignal(present, format), 1);
        return (present ? "present " : "absent ") + std::to_string(format);
    }
};

class HDMIRegisterTest : public HDMIWidgetTest, public ::testing::WithParamInterface<Chip> {
protected:
    int write(uint32_t reg, uint32_t value) {
        return GetParam() == Chip::Transmitter ? output()->WriteRegister(reg, value)
                                               : input()->WriteRegister(reg, value);
    }
    int read(uint32_t reg, uint32_t& value) {
        return GetParam() == Chip::Transmitter ? output()->ReadRegister(reg, value)
                                               : input()->ReadRegister(reg, value);
    }
};

// Status bits, measured clocks, the raster received and the sums are the chips' own (tests/hdmi).
bool drivenByTheChip(Chip chip, uint32_t reg) {
    bool common = (reg >= 16 && reg <= 18) || reg == 25;
    return common || (chip == Chip::Transmitter ? reg <= 1 : reg >= 1 && reg <= 8);
}

TEST_P(HDMIRegisterTest, registersWithoutABehaviourKeepWhatWasWritten) {
    useBench("");
    for (uint32_t reg = 0; reg < 64; ++reg)
        ASSERT_EQ(write(reg, 0x9E3779B9u * (reg + 1)), 1) << "register " << reg;
    for (uint32_t reg = 0; reg < 64; ++reg) {
        if (drivenByTheChip(GetParam(), reg))
            continue;
        uint32_t value = 0;
        ASSERT_EQ(read(reg, value), 1) << "register " << reg;
        EXPECT_EQ(value, 0x9E3779B9u * (reg + 1)) << "register " << reg;
    }
    for (uint32_t reg : {64u, 0xFFFFFFFFu}) {
        uint32_t value = 7;
        EXPECT_EQ(write(reg, 1), 0) << "register " << reg;
        EXPECT_EQ(read(reg, value), 0) << "register " << reg;
        EXPECT_EQ(value, 7u) << "register " << reg;
    }
}

INSTANTIATE_TEST_SUITE_P(Chips, HDMIRegisterTest,
                         ::testing::Values(Chip::Transmitter, Chip::Receiver));

TEST_F(HDMIWidgetTest, transmitterAndReceiverHaveRegistersOfTheirOwn) {
    useBench("");
    ASSERT_EQ(output()->WriteRegister(2, 0x00B00058u), 1);
    uint32_t value = 1;
    ASSERT_EQ(input()->ReadRegister(2, value), 1);
    EXPECT_EQ(lastCall(), "HDMIIn[0].ReadRegister(2, 0x00000000) -> 1");
}

// A 4K raster comes back as the quad format whose HDMI translation the output sends.
TEST_F(HDMIWidgetTest, inputSeesTheOutputsFormatWhileAStorePlaysOnItsFirstInput) {
    useBench("cable HDMIOutput 0 HDMIInput 0\n");
    ZyvoVideoConfiguration config(ZYVO_VideoFormat_4096p_2997_HDMI);
    output()->SetSourceConfiguration(&config);
    EXPECT_EQ(inputSignal(), "absent 0") << "the output powers on without a source";
    output()->SetVideoSource2(static_cast<ZyvoVideoSource>(92));
    EXPECT_EQ(inputSignal(), "absent 0") << "only the first source carries the picture";
    output()->SetVideoSource1(static_cast<ZyvoVideoSource>(92));
    EXPECT_EQ(inputSignal(), "absent 0") << "playout store 0 does not play yet";
    auto* store = widget<ZyvoFrameBufferPlayWidget>(ZYVO_WidgetType_FrameBufferPlayWidget, 0);
    ZyvoFrameBufferConfiguration frames(ZYVO_VideoFormat_4096p_2997_SID, ZYVO_PixelFormat_YCbCr8);
    store->SetFrameBufferConfiguration(&frames);
    store->SetVideoMode(ZYVO_FrameBufferVideoMode_Display);
    EXPECT_EQ(inputSignal(), "present 178");
    output()->SetVideoSource1(ZYVO_VideoSource_None);
    EXPECT_EQ(inputSignal(), "absent 0");
}

TEST_F(HDMIWidgetTest, inputSeesNothingWithoutTheCable) {
    useBench("");
    ZyvoVideoConfiguration config(ZYVO_VideoFormat_1080p_25);
    output()->SetSourceConfiguration(&config);
    output()->SetVideoSource1(static_cast<ZyvoVideoSource>(92));
    EXPECT_EQ(inputSignal(), "absent 0");
}

} // namespace

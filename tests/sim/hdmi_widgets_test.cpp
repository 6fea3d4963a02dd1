// The HDMI input: the signal it sees through the HDMI cable. The chips' registers are the HDMI
// tests' business.
#include "card_fixture.h"

#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoHDMIWidgets.h"

#include <cstdint>
#include <string>

namespace {

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

} // namespace

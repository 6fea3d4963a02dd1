// The SDI, dual-link and control widgets: what each keeps on the card, and how the trace
// shows their calls.
#include "card_fixture.h"

#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoSDIWidgets.h"
#include "zyvosim/card_state.h"

#include <functional>
#include <string>

namespace {

constexpr auto cDualLinkOutput0 = static_cast<ZyvoVideoSource>(46);

class SDIWidgetTest : public CardTest {
public:
    void SetUp() override {
        CardTest::SetUp();
        useBench("");
    }

    template <typename Widget> Widget* get(ZyvoWidgetType type, unsigned index) {
        return widget<Widget>(type, index);
    }
    ZyvoSDIInputV2Widget* input(unsigned index) {
        return widget<ZyvoSDIInputV2Widget>(ZYVO_WidgetType_SDIInputWidget, index);
    }
    ZyvoSDIOutputV2Widget* output(unsigned index) {
        return widget<ZyvoSDIOutputV2Widget>(ZYVO_WidgetType_SDIOutputWidget, index);
    }
};

// The bench of these tests has no cable, so every input is dark.
TEST_F(SDIWidgetTest, inputWithoutACableFindsNoSignal) {
    ZyvoVideoConfiguration found(ZYVO_VideoFormat_1080i_2997);
    found.SetSignalPresent(true);
    EXPECT_EQ(input(2)->GetInputConfiguration(&found), 1);
    EXPECT_FALSE(found.IsSignalPresent());
    ZyvoSDITransport transport(found);
    EXPECT_FALSE(transport.IsSignalValid());
    EXPECT_EQ(zyvosim::cardState().sdiInput[2].queries, 1u);
}

struct TracedCall {
    const char* what;
    std::function<int(SDIWidgetTest&)> call;
    const char* line;
};

class WidgetTraceTest : public SDIWidgetTest, public ::testing::WithParamInterface<TracedCall> {};

TEST_P(WidgetTraceTest, showsTheCallWithItsArgumentsAndStatus) {
    GetParam().call(*this);
    EXPECT_EQ(lastCall(), GetParam().line);
}

int configureOutput(SDIWidgetTest& test) {
    ZyvoVideoConfiguration configuration(ZYVO_VideoFormat_1080i_2997);
    return test.output(3)->SetConfiguration(&configuration, 0);
}

int queryInput(SDIWidgetTest& test) {
    ZyvoVideoConfiguration found;
    return test.input(7)->GetInputConfiguration(&found);
}

int routeDualLink(SDIWidgetTest& test) {
    return test.get<ZyvoDualLinkOutWidget>(ZYVO_WidgetType_DualLinkOutWidget, 4)
        ->SetVideoSource(cDualLinkOutput0);
}

int routeCaptureStore(SDIWidgetTest& test) {
    return test.get<ZyvoFrameBufferCaptureWidget>(ZYVO_WidgetType_FrameBufferCaptureWidget, 1)
        ->SetVideoSource(static_cast<ZyvoVideoSource>(42), true);
}

int readAperture(SDIWidgetTest& test) {
    auto* control = test.get<ZyvoGarnControlWidget>(ZYVO_WidgetType_RimbaControlWidget, 0);
    uint32_t address = 0;
    control->SetFrameApertureBaseAddress(0x8000000);
    return control->GetFrameApertureBaseAddress(address);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, WidgetTraceTest,
    ::testing::Values(
        TracedCall{"SDIOutputConfiguration", configureOutput,
                   "SDIOutput[3].SetConfiguration(video{fmt=19,smp=2,cs=2,cr=1,ar=2,bd=2,ch=1}, "
                   "0) -> 1"},
        TracedCall{"SDIInputQuery", queryInput,
                   "SDIInput[7].GetInputConfiguration(video{fmt=0,smp=2,cs=2,cr=1,ar=2,bd=2,ch=1})"
                   " -> 1"},
        TracedCall{"DualLinkRoute", routeDualLink, "DualLinkOut[4].SetVideoSource(46) -> 1"},
        TracedCall{"CaptureRoute", routeCaptureStore,
                   "CaptureStore[1].SetVideoSource(42, true) -> 1"},
        TracedCall{"ApertureRead", readAperture,
                   "Control[0].GetFrameApertureBaseAddress(0x08000000) -> 1"}),
    [](const ::testing::TestParamInfo<TracedCall>& info) { return info.param.what; });

} // namespace

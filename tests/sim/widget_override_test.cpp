// Missing and wrong-class widgets: every kind the card carries, taken off by a bench or put
// back as a widget of another class, as the diagnostics' checked cast sees it.
#include "card_fixture.h"

#include "output_capture.h"

#include "ZyvoDma.h"
#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoHDMIWidgets.h"
#include "ZyvoSDIWidgets.h"
#include "ZyvoTimingWidgets.h"

#include <zyvodiag>

#include <string>

namespace {

struct Kind {
    const char* name;
    ZyvoWidgetType type;
    unsigned count;
    bool (*isItsClass)(ZyvoWidget*);
};

template <typename Widget> bool isA(ZyvoWidget* widget) {
    return dynamic_cast<Widget*>(widget) != nullptr;
}

std::string kindName(const ::testing::TestParamInfo<Kind>& info) {
    return info.param.name;
}

class WidgetOverrideTest : public CardTest, public ::testing::WithParamInterface<Kind> {
protected:
    ZyvoWidget* at(unsigned index) { return device().GetWidget(GetParam().type, index); }
    bool isItsClass(unsigned index) { return GetParam().isItsClass(at(index)); }
    unsigned last() const { return GetParam().count - 1; }
    std::string directive(const char* verb) const {
        return std::string(verb) + " " + GetParam().name + " " + std::to_string(last()) + "\n";
    }
};

TEST_P(WidgetOverrideTest, cardCarriesEveryIndexOfTheKindAsItsClass) {
    useBench("");
    for (unsigned index = 0; index < GetParam().count; ++index)
        EXPECT_TRUE(isItsClass(index)) << "index " << index;
    EXPECT_EQ(at(GetParam().count), nullptr);
}

TEST_P(WidgetOverrideTest, missingWidgetIsNullAndOnlyThatOne) {
    useBench(directive("missing"));
    EXPECT_EQ(at(last()), nullptr);
    if (last() > 0) {
        EXPECT_TRUE(isItsClass(0));
    }
}

TEST_P(WidgetOverrideTest, wrongClassWidgetIsThereButFailsTheCast) {
    useBench(directive("wrong-class"));
    EXPECT_NE(at(last()), nullptr);
    EXPECT_FALSE(isItsClass(last()));
    if (last() > 0) {
        EXPECT_TRUE(isItsClass(0));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, WidgetOverrideTest,
    ::testing::Values(
        Kind{"SDIInput", ZYVO_WidgetType_SDIInputWidget, 8, isA<ZyvoSDIInputV2Widget>},
        Kind{"SDIOutput", ZYVO_WidgetType_SDIOutputWidget, 11, isA<ZyvoSDIOutputV2Widget>},
        Kind{"DualLinkIn", ZYVO_WidgetType_DualLinkInWidget, 4, isA<ZyvoDualLinkInWidget>},
        Kind{"DualLinkOut", ZYVO_WidgetType_DualLinkOutWidget, 5, isA<ZyvoDualLinkOutWidget>},
        Kind{"CaptureStore", ZYVO_WidgetType_FrameBufferCaptureWidget, 4,
             isA<ZyvoFrameBufferCaptureWidget>},
        Kind{"PlayoutStore", ZYVO_WidgetType_FrameBufferPlayWidget, 6,
             isA<ZyvoFrameBufferPlayWidget>},
        Kind{"Control", ZYVO_WidgetType_RimbaControlWidget, 1, isA<ZyvoGarnControlWidget>},
        Kind{"DMA", ZYVO_WidgetType_DmaIO, 1, isA<ZyvoDmaIO>},
        Kind{"SyncGenerator", ZYVO_WidgetType_SyncGeneratorWidget, 1,
             isA<ZyvoSyncGeneratorV3Widget>},
        Kind{"InterruptControl", ZYVO_WidgetType_InterruptControlWidget, 16,
             isA<ZyvoInterruptControlWidget>},
        Kind{"LTC", ZYVO_WidgetType_LTCIOWidget, 1, isA<ZyvoLTCIOWidget>},
        Kind{"HDMIIn", ZYVO_WidgetType_HDMIInV4Widget, 1, isA<ZyvoHDMIInV4Widget>},
        Kind{"HDMIOut", ZYVO_WidgetType_HDMI4kOutWidget, 1, isA<ZyvoHDMIOutV4Widget>}),
    kindName);

// The diagnostics treat both the same way: the set-up names the widget it could not get.
class LibraryMissingWidgetTest : public CardTest,
                                 public ::testing::WithParamInterface<const char*> {};

TEST_P(LibraryMissingWidgetTest, setUpReportsTheMonitorOutputItCouldNotGet) {
    useBench(std::string(GetParam()) + " SDIOutput 10\n");
    ZyvoDiag diag;
    diag.mpDevice = &device();
    zyvotest::OutputCapture capture;
    EXPECT_EQ(diag.sdiOutputInit(10, ZYVO_VideoFormat_1080i_2997), nullptr);
    EXPECT_NE(diag.sdiOutputInit(9, ZYVO_VideoFormat_1080i_2997), nullptr);
    EXPECT_EQ(capture.out(),
              "sdiOutputInit() Could not GetWidget(ZYVO_WidgetType_SDIOutputWidget, 10)\n");
}

INSTANTIATE_TEST_SUITE_P(Overrides, LibraryMissingWidgetTest,
                         ::testing::Values("missing", "wrong-class"));

struct BadLine {
    const char* line;
    const char* error;
};

class WidgetOverrideRefusalTest : public SimTest, public ::testing::WithParamInterface<BadLine> {};

TEST_P(WidgetOverrideRefusalTest, namesTheProblem) {
    std::string error;
    EXPECT_FALSE(zyvosim::loadBench(GetParam().line, error, "lab.bench"));
    EXPECT_EQ(error.substr(0, error.find(" (the card has")), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WidgetOverrideRefusalTest,
    ::testing::Values(
        BadLine{"missing SDIOutputs 0\n", "lab.bench:1: missing: unknown widget kind 'SDIOutputs'"},
        BadLine{"missing SDIOutput 11\n", "lab.bench:1: missing: INDEX 11 is not in 0 to 10"},
        BadLine{"wrong-class DMA\n",
                "lab.bench:1: wrong-class: missing INDEX; expected 'wrong-class KIND INDEX'"},
        BadLine{"state-dir\n", "lab.bench:1: state-dir: missing PATH or private; expected "
                               "'state-dir PATH | state-dir private'"}));

} // namespace

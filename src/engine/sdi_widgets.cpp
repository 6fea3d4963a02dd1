// Set-up of the SDI and dual-link widgets, and switching SDI outputs on and off.
#include "device_layout.h"
#include "widget_access.h"

#include "ZyvoSDIWidgets.h"

#include <cstdio>

using zyvodiag::engine::getReportedWidget;

namespace {

// Outputs 0 to 9 carry the tests; output 10 is the video monitor and is left alone.
constexpr int kTestOutputCount = 10;

// Gives a widget that was found the SDI output setting every diagnostic output and dual-link
// widget gets. Returns the widget, or null when there was none.
template <typename Widget>
Widget* configured(ZyvoDiag& diag, Widget* widget, ZyvoVideoFormat format) {
    if (widget != nullptr) {
        ZyvoVideoConfiguration configuration(format);
        diag.SetDiagnosticVideoConfiguration(&configuration, format);
        widget->SetConfiguration(&configuration, 0);
    }
    return widget;
}

// The context's SDI output `index`; null, reported for `caller`, when there is none.
ZyvoSDIOutputV2Widget* reportedOutput(ZyvoDiag& diag, int index, const char* caller) {
    ZyvoSDIOutputV2Widget* output = zyvodiag::engine::entryAt(diag.mpSDIOutput, index);
    if (output == nullptr) {
        std::printf("%s: sdiOutputGet(%d) returned NULL\n", caller, index);
    }
    return output;
}

} // namespace

ZyvoSDIInputV2Widget* ZyvoDiag::sdiInputInit(int index) {
    return getReportedWidget<ZyvoSDIInputV2Widget>(mpDevice, ZYVO_WidgetType_SDIInputWidget,
                                                   "ZYVO_WidgetType_SDIInputWidget", index,
                                                   "sdiInputInit");
}

ZyvoSDIOutputV2Widget* ZyvoDiag::sdiOutputInit(int index, ZyvoVideoFormat format) {
    auto* output = configured(*this,
                              getReportedWidget<ZyvoSDIOutputV2Widget>(
                                  mpDevice, ZYVO_WidgetType_SDIOutputWidget,
                                  "ZYVO_WidgetType_SDIOutputWidget", index, "sdiOutputInit"),
                              format);
    if (output != nullptr) {
        output->SetOutputSwitchC(true);
        output->SetOutputSwitchD(true);
        output->SetOutputSwitchA(true);
        output->SetOutputSwitchB(true);
    }
    return output;
}

ZyvoDualLinkInWidget* ZyvoDiag::dualLinkInputInit(int index, ZyvoVideoFormat format) {
    auto* input = getReportedWidget<ZyvoDualLinkInWidget>(
        mpDevice, ZYVO_WidgetType_DualLinkInWidget, "ZYVO_WidgetType_DualLinkInWidget", index,
        "dualLinkInputInit");
    // Format 0 asks for the widget as it is.
    return format == 0 ? input : configured(*this, input, format);
}

ZyvoDualLinkOutWidget* ZyvoDiag::dualLinkOutputInit(int index, ZyvoVideoFormat format) {
    return configured(*this,
                      getReportedWidget<ZyvoDualLinkOutWidget>(
                          mpDevice, ZYVO_WidgetType_DualLinkOutWidget,
                          "ZYVO_WidgetType_DualLinkOutWidget", index, "dualLinkOutputInit"),
                      format);
}

// An index outside the context's outputs is treated like an output the device does not have;
// either way the result is 1.
int ZyvoDiag::SDIOutputDisable(int index) {
    if (ZyvoSDIOutputV2Widget* output = reportedOutput(*this, index, "SDIOutputDisable")) {
        output->SetMute(true);
        output->SetOutputSwitchE(true);
        output->SetEnable(false);
    }
    return 1;
}

int ZyvoDiag::SDIOutputEnable(int index) {
    // Switch E keeps what the last disable gave it.
    if (ZyvoSDIOutputV2Widget* output = reportedOutput(*this, index, "SDIOutputEnable")) {
        output->SetMute(false);
        output->SetEnable(true);
    }
    return 1;
}

int ZyvoDiag::SDIAllOutputsDisable() {
    for (int index = 0; index < kTestOutputCount; ++index) {
        SDIOutputDisable(index);
    }
    return 1;
}

// Set-up of the SDI and dual-link widgets, and switching SDI outputs on and off.
#include "widget_access.h"

#include "ZyvoSDIWidgets.h"

#include <cstdio>

using zyvodiag::engine::getWidget;

namespace {

constexpr int kSDIOutputCount = 11;
// Outputs 0 to 9 carry the tests; output 10 is the video monitor and is left alone.
constexpr int kTestOutputCount = 10;

// The SDI output setting every diagnostic output and dual-link widget gets.
template <typename Widget> void configure(ZyvoDiag& diag, Widget* widget, ZyvoVideoFormat format) {
    ZyvoVideoConfiguration configuration(format);
    diag.SetDiagnosticVideoConfiguration(&configuration, format);
    widget->SetConfiguration(&configuration, 0);
}

} // namespace

ZyvoSDIInputV2Widget* ZyvoDiag::sdiInputInit(int index) {
    auto* input = getWidget<ZyvoSDIInputV2Widget>(mpDevice, ZYVO_WidgetType_SDIInputWidget, index);
    if (input == nullptr) {
        std::printf("%s() Could not GetWidget(ZYVO_WidgetType_SDIInputWidget, %d)\n",
                    "sdiInputInit", index);
    }
    return input;
}

ZyvoSDIOutputV2Widget* ZyvoDiag::sdiOutputInit(int index, ZyvoVideoFormat format) {
    auto* output =
        getWidget<ZyvoSDIOutputV2Widget>(mpDevice, ZYVO_WidgetType_SDIOutputWidget, index);
    if (output == nullptr) {
        std::printf("%s() Could not GetWidget(ZYVO_WidgetType_SDIOutputWidget, %d)\n",
                    "sdiOutputInit", index);
        return nullptr;
    }
    configure(*this, output, format);
    output->SetOutputSwitchC(true);
    output->SetOutputSwitchD(true);
    output->SetOutputSwitchA(true);
    output->SetOutputSwitchB(true);
    return output;
}

ZyvoDualLinkInWidget* ZyvoDiag::dualLinkInputInit(int index, ZyvoVideoFormat format) {
    auto* input =
        getWidget<ZyvoDualLinkInWidget>(mpDevice, ZYVO_WidgetType_DualLinkInWidget, index);
    if (input == nullptr) {
        std::printf("%s() Could not GetWidget(ZYVO_WidgetType_DualLinkInWidget, %d)\n",
                    "dualLinkInputInit", index);
        return nullptr;
    }
    // Format 0 asks for the widget as it is.
    if (format != 0) {
        configure(*this, input, format);
    }
    return input;
}

ZyvoDualLinkOutWidget* ZyvoDiag::dualLinkOutputInit(int index, ZyvoVideoFormat format) {
    auto* output =
        getWidget<ZyvoDualLinkOutWidget>(mpDevice, ZYVO_WidgetType_DualLinkOutWidget, index);
    if (output == nullptr) {
        std::printf("%s() Could not GetWidget(ZYVO_WidgetType_DualLinkOutWidget, %d)\n",
                    "dualLinkOutputInit", index);
        return nullptr;
    }
    configure(*this, output, format);
    return output;
}

// An index outside the context's outputs is treated like an output the device does not have.
int ZyvoDiag::SDIOutputDisable(int index) {
    ZyvoSDIOutputV2Widget* output =
        index >= 0 && index < kSDIOutputCount ? mpSDIOutput[index] : nullptr;
    if (output == nullptr) {
        std::printf("%s: sdiOutputGet(%d) returned NULL\n", "SDIOutputDisable", index);
        return 1;
    }
    output->SetMute(true);
    output->SetOutputSwitchE(true);
    output->SetEnable(false);
    return 1;
}

int ZyvoDiag::SDIOutputEnable(int index) {
    ZyvoSDIOutputV2Widget* output =
        index >= 0 && index < kSDIOutputCount ? mpSDIOutput[index] : nullptr;
    if (output == nullptr) {
        std::printf("%s: sdiOutputGet(%d) returned NULL\n", "SDIOutputEnable", index);
        return 1;
    }
    // Switch E keeps what the last disable gave it.
    output->SetMute(false);
    output->SetEnable(true);
    return 1;
}

int ZyvoDiag::SDIAllOutputsDisable() {
    for (int index = 0; index < kTestOutputCount; ++index) {
        SDIOutputDisable(index);
    }
    return 1;
}

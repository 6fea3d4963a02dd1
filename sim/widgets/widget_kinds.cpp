// The widget kinds of the card, their widget types and how many of each the card carries.
#include "widgets/widget_kinds.h"

#include "card/card_ports.h"
#include "zyvosim/card_state.h"

#include <type_traits>

namespace zyvosim {
namespace {

template <typename Array> constexpr unsigned countOf = std::extent_v<Array>;

const WidgetKind kWidgetKinds[] = {
    {"SDIInput", ZYVO_WidgetType_SDIInputWidget, kSDIInputCount},
    {"SDIOutput", ZYVO_WidgetType_SDIOutputWidget, kSDIOutputCount},
    {"DualLinkIn", ZYVO_WidgetType_DualLinkInWidget, countOf<decltype(CardState::dualLinkInput)>},
    {"DualLinkOut", ZYVO_WidgetType_DualLinkOutWidget,
     countOf<decltype(CardState::dualLinkOutput)>},
    {"CaptureStore", ZYVO_WidgetType_FrameBufferCaptureWidget,
     countOf<decltype(CardState::captureStore)>},
    {"PlayoutStore", ZYVO_WidgetType_FrameBufferPlayWidget,
     countOf<decltype(CardState::playoutStore)>},
    {"Control", ZYVO_WidgetType_RimbaControlWidget, 1},
    {"DMA", ZYVO_WidgetType_DmaIO, 1},
    {"SyncGenerator", ZYVO_WidgetType_SyncGeneratorWidget, 1},
    {"InterruptControl", ZYVO_WidgetType_InterruptControlWidget, kInterruptControlCount},
    {"LTC", ZYVO_WidgetType_LTCIOWidget, 1},
    {"HDMIIn", ZYVO_WidgetType_HDMIInV4Widget, kHDMIInputCount},
    {"HDMIOut", ZYVO_WidgetType_HDMI4kOutWidget, kHDMIOutputCount},
};

} // namespace

const WidgetKind* findWidgetKind(const std::string& name) {
    for (const WidgetKind& kind : kWidgetKinds) {
        if (name == kind.name)
            return &kind;
    }
    return nullptr;
}

std::string widgetKindNames() {
    std::string names;
    for (const WidgetKind& kind : kWidgetKinds)
        names += (names.empty() ? "" : ", ") + std::string(kind.name);
    return names;
}

} // namespace zyvosim

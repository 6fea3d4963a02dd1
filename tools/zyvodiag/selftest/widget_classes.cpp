// Checked casts of the widgets a device hands out, as the library itself makes them.
#include "selftest/widget_classes.h"

#include "commands/device_session.h"

#include "ZyvoDevice.h"
#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoHDMIWidgets.h"
#include "ZyvoSDIWidgets.h"
#include "ZyvoTimingWidgets.h"

namespace zyvodiag {
namespace {

template <typename Widget> bool isA(ZyvoWidget* widget) {
    return dynamic_cast<Widget*>(widget) != nullptr;
}

// The class the library casts each widget type to; a type not listed counts as right.
bool hasItsClass(int type, ZyvoWidget* widget) {
    switch (type) {
    case ZYVO_WidgetType_SDIInputWidget:
        return isA<ZyvoSDIInputV2Widget>(widget);
    case ZYVO_WidgetType_SDIOutputWidget:
        return isA<ZyvoSDIOutputV2Widget>(widget);
    case ZYVO_WidgetType_FrameBufferCaptureWidget:
        return isA<ZyvoFrameBufferCaptureWidget>(widget);
    case ZYVO_WidgetType_FrameBufferPlayWidget:
        return isA<ZyvoFrameBufferPlayWidget>(widget);
    case ZYVO_WidgetType_SyncGeneratorWidget:
        return isA<ZyvoSyncGeneratorV3Widget>(widget);
    case ZYVO_WidgetType_DualLinkInWidget:
        return isA<ZyvoDualLinkInWidget>(widget);
    case ZYVO_WidgetType_DualLinkOutWidget:
        return isA<ZyvoDualLinkOutWidget>(widget);
    case ZYVO_WidgetType_LTCIOWidget:
        return isA<ZyvoLTCIOWidget>(widget);
    case ZYVO_WidgetType_HDMIInV4Widget:
        return isA<ZyvoHDMIInV4Widget>(widget);
    case ZYVO_WidgetType_HDMI4kOutWidget:
        return isA<ZyvoHDMIOutV4Widget>(widget);
    default:
        return true;
    }
}

} // namespace

std::vector<std::pair<int, unsigned>>
widgetsOfAnotherClass(const std::vector<std::pair<int, unsigned>>& widgets) {
    std::vector<std::pair<int, unsigned>> wrong;
    if (widgets.empty()) {
        return wrong;
    }
    DeviceSession session;
    if (!session.opened()) {
        return wrong;
    }
    for (const auto& [type, index] : widgets) {
        ZyvoWidget* widget = session.device()->GetWidget(static_cast<ZyvoWidgetType>(type), index);
        if (widget != nullptr && !hasItsClass(type, widget)) {
            wrong.emplace_back(type, index);
        }
    }
    return wrong;
}

} // namespace zyvodiag

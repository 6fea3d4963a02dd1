// The one way every engine operation obtains a widget, and the report of a failed widget call.
#pragma once

#include <zyvodiag>

#include "ZyvoDevice.h"

#include <cstdio>

namespace zyvodiag::engine {

// The widget of `type` and `index` as the concrete class the engine expects; null when the
// device has none or holds a widget of another class under that type.
template <typename Widget>
Widget* getWidget(ZyvoDevice* device, ZyvoWidgetType type, unsigned int index) {
    ZyvoWidget* widget = device->GetWidget(type, index);
    return widget == nullptr ? nullptr : dynamic_cast<Widget*>(widget);
}

// The same for the set-up operations, which report a missing widget on standard output as
// "CALLER() Could not GetWidget(TYPE, INDEX)".
template <typename Widget>
Widget* getReportedWidget(ZyvoDevice* device, ZyvoWidgetType type, const char* typeName, int index,
                          const char* caller) {
    auto* widget = getWidget<Widget>(device, type, static_cast<unsigned int>(index));
    if (widget == nullptr) {
        std::printf("%s() Could not GetWidget(%s, %d)\n", caller, typeName, index);
    }
    return widget;
}

// True when the widget call succeeded; a failure is reported on standard error with the text
// of the call, only when verbose output is on.
inline bool callSucceeded(int status, const char* callText) {
    if (status > 0) {
        return true;
    }
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::fprintf(stderr, "%s failed with %d\n", callText, status);
    }
    return false;
}

// Counts the failed calls of a configuration sequence, which never stops at one.
class FailureCount {
public:
    void check(int status, const char* callText) {
        if (!callSucceeded(status, callText)) {
            ++mFailures;
        }
    }
    // A call that could not be made at all (its widget is missing).
    void countMissed() { ++mFailures; }
    bool none() const { return mFailures == 0; }

private:
    int mFailures = 0;
};

} // namespace zyvodiag::engine

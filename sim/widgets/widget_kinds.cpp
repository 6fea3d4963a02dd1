// The list of widget kinds, and the lookups derived from their descriptions.
#include "widgets/widget_kinds.h"

#include <iterator>

namespace zyvosim {
namespace {

const WidgetKind* const kAllKinds[] = {
    &kSDIInputKind,      &kSDIOutputKind,        &kDualLinkInKind, &kDualLinkOutKind,
    &kCaptureStoreKind,  &kPlayoutStoreKind,     &kControlKind,    &kDmaKind,
    &kSyncGeneratorKind, &kInterruptControlKind, &kLtcKind,        &kHDMIInKind,
    &kHDMIOutKind,
};

} // namespace

bool OperationList::contains(const std::string& name) const {
    for (const char* known : *this) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

std::string OperationList::joined() const {
    std::string text;
    for (const char* name : *this) {
        text += (text.empty() ? "" : ", ") + std::string(name);
    }
    return text;
}

const WidgetKind* const* WidgetKindList::begin() const {
    return std::begin(kAllKinds);
}

const WidgetKind* const* WidgetKindList::end() const {
    return std::end(kAllKinds);
}

WidgetKindList widgetKinds() {
    return {};
}

const WidgetKind* findWidgetKind(const std::string& name) {
    for (const WidgetKind* kind : widgetKinds()) {
        if (name == kind->name) {
            return kind;
        }
    }
    return nullptr;
}

std::string widgetKindNames() {
    std::string names;
    for (const WidgetKind* kind : widgetKinds()) {
        names += (names.empty() ? "" : ", ") + std::string(kind->name);
    }
    return names;
}

} // namespace zyvosim

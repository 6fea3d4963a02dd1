// Looking widgets up on a simulated card.
#include "widgets/widget_registry.h"

namespace zyvosim {

void WidgetRegistry::add(ZyvoWidgetType type, unsigned index, std::unique_ptr<ZyvoWidget> widget) {
    mWidgets[{type, index}] = std::move(widget);
}

ZyvoWidget* WidgetRegistry::find(ZyvoWidgetType type, unsigned index) const {
    auto found = mWidgets.find({type, index});
    return found == mWidgets.end() ? nullptr : found->second.get();
}

void WidgetRegistry::remove(ZyvoWidgetType type, unsigned index) {
    mWidgets.erase({type, index});
}

} // namespace zyvosim

// The widgets of one simulated card by type and index; the registry owns them.
#pragma once

#include "ZyvoDevice.h"

#include <map>
#include <memory>
#include <utility>

namespace zyvosim {

class WidgetRegistry {
public:
    // Puts `widget` at (type, index), replacing what was there.
    void add(ZyvoWidgetType type, unsigned index, std::unique_ptr<ZyvoWidget> widget);
    // The widget at (type, index), or null when the card has none there.
    ZyvoWidget* find(ZyvoWidgetType type, unsigned index) const;
    // The same, as the concrete class one widget needs of another (null when it is not one).
    template <typename Widget> Widget* find(ZyvoWidgetType type, unsigned index) const {
        return dynamic_cast<Widget*>(find(type, index));
    }
    // Takes a widget off the card, for benches that leave one out.
    void remove(ZyvoWidgetType type, unsigned index);

private:
    std::map<std::pair<ZyvoWidgetType, unsigned>, std::unique_ptr<ZyvoWidget>> mWidgets;
};

} // namespace zyvosim

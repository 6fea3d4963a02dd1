// Whether the device hands out, under a widget type and index, a widget of the class that type
// promises: a card may hold a widget of another kind there, which every checked cast refuses.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zyvodiag {

// Of the widgets (type, index) given, those the device holds as another class, asked of the
// device library through a device of its own opened for the purpose. Types of no class this
// tool knows count as right. Empty when the device cannot be opened.
std::vector<std::pair<int, unsigned>>
widgetsOfAnotherClass(const std::vector<std::pair<int, unsigned>>& widgets);

} // namespace zyvodiag

// Which operations of the simulated device library a bench can make fail.
#pragma once

#include <string>

namespace zyvosim {

// True when `operation` of `target` can take a fault. `index` is the widget index the bench
// gave, or -1 when it gave none. Otherwise sets `problem` to what is wrong.
bool isFaultPoint(const std::string& target, int index, const std::string& operation,
                  std::string& problem);

} // namespace zyvosim

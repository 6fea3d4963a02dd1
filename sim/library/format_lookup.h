// Looking a format up in a table of facts about formats.
#pragma once

#include <vector>

namespace zyvosim {

// The row of `table` for `format`, or null when the table has none.
template <typename Facts, typename Format>
const Facts* findFormatFacts(const std::vector<Facts>& table, Format format) {
    for (const Facts& facts : table) {
        if (facts.format == format) {
            return &facts;
        }
    }
    return nullptr;
}

} // namespace zyvosim

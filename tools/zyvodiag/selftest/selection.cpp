// Reading test lists: numbers, ranges and name globs.
#include "selftest/selection.h"

#include <fnmatch.h>

#include <cstdlib>
#include <sstream>

namespace zyvodiag {
namespace {

bool readNumber(const std::string& text, size_t& number) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 9) {
        return false;
    }
    number = std::strtoul(text.c_str(), nullptr, 10);
    return true;
}

// Marks the tests `item` names; false when it names none.
bool mark(const std::vector<std::string>& names, const std::string& item,
          std::vector<bool>& marked) {
    size_t first = 0, last = 0;
    const size_t dash = item.find('-');
    if (readNumber(item, first)) {
        last = first;
    } else if (dash != std::string::npos && readNumber(item.substr(0, dash), first) &&
               readNumber(item.substr(dash + 1), last)) {
    } else {
        bool any = false;
        for (size_t i = 0; i < names.size(); ++i) {
            if (fnmatch(item.c_str(), names[i].c_str(), 0) == 0) {
                marked[i] = true;
                any = true;
            }
        }
        return any;
    }
    if (first < 1 || last > names.size() || first > last) {
        return false;
    }
    for (size_t number = first; number <= last; ++number) {
        marked[number - 1] = true;
    }
    return true;
}

bool markAll(const std::vector<std::string>& names, const std::string& list, const char* option,
             std::vector<bool>& marked, std::string& error) {
    std::istringstream items(list);
    for (std::string item; std::getline(items, item, ',');) {
        if (!mark(names, item, marked)) {
            error = std::string(option) + " " + list + ": '" + item + "' names no test (1 to " +
                    std::to_string(names.size()) + ", or a glob of names; 'zyvodiag selftest " +
                    "--list' shows them)";
            return false;
        }
    }
    return true;
}

} // namespace

bool selectTests(const std::vector<std::string>& names, const std::string& only,
                 const std::string& skip, std::vector<bool>& selected, std::string& error) {
    selected.assign(names.size(), only.empty());
    std::vector<bool> skipped(names.size(), false);
    if ((!only.empty() && !markAll(names, only, "--only", selected, error)) ||
        (!skip.empty() && !markAll(names, skip, "--skip", skipped, error))) {
        return false;
    }
    bool any = false;
    for (size_t i = 0; i < names.size(); ++i) {
        selected[i] = selected[i] && !skipped[i];
        any = any || selected[i];
    }
    // A run of no test would print a total of 0 and exit 0, which a script takes for a pass.
    if (!any) {
        error = (only.empty() ? "" : "--only " + only + " ") + "--skip " + skip +
                ": leaves no test to run";
    }
    return any;
}

} // namespace zyvodiag

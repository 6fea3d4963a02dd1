// Which tests of the plan a self-test runs: --only and --skip.
#pragma once

#include <string>
#include <vector>

namespace zyvodiag {

// `only` and `skip` are comma-separated items: a test number, a range ("1-8") or a glob of
// test names ('HDMI*'). Every test of `names` is selected when `only` is empty; then those that
// `skip` names are left out. False, saying why, for an item that names no test or a selection
// left with none.
bool selectTests(const std::vector<std::string>& names, const std::string& only,
                 const std::string& skip, std::vector<bool>& selected, std::string& error);

} // namespace zyvodiag

// The run's text as the reports keep it: what changes from run to run for no reason of the card's
// replaced by placeholders, so that two reports of one bench compare equal.
#pragma once

#include <string>

namespace zyvodiag {

// Replaces the heap addresses the library prints (after "pFrameStore:", "hostbuf = " and
// "fwrite(") by "<address>", and the random part of the tool's and the simulator's temporary
// names ("zyvodiag-selftest-", "zyvosim-private-", ".zyvodiag-") by "XXXXXX".
std::string stableText(const std::string& text);

} // namespace zyvodiag

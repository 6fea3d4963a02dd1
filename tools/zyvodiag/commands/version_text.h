// What `zyvodiag --version` prints.
#pragma once

#include <string>

namespace zyvodiag {

// Three lines: the tool's version as built; the diagnostics library's as it answers at run time,
// with the file it was loaded from, so that a tool run with another build of the library shows
// it; and the device library the process runs on. For example:
//   zyvodiag 1.0.0
//   libzyvodiags 1.0.0 (/usr/local/lib/libzyvodiags.so.1)
//   device library: simulated device (/usr/local/lib/libzyvosim.so.1)
std::string versionText();

} // namespace zyvodiag

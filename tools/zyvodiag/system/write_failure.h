// Why a file could not be written, when the code that wrote it (the library) does not say.
#pragma once

#include <cstdint>
#include <string>

namespace zyvodiag {

// Tries on `writePath` what writing `bytes` bytes there needs: opening it for writing and, for a
// regular file, room for all of it on the disk. Returns the system's reason when that fails ("No
// space left on device", "File too large"), else an empty string. A character device is written
// nothing: a write of no bytes still shows a full one such as /dev/full.
std::string writeFailureCause(const std::string& writePath, uint64_t bytes);

} // namespace zyvodiag

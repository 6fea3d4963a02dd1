// SHA-256, for identifying the bench a report was made on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zyvodiag {

// The digest of `size` bytes as 64 lower-case hexadecimal digits.
std::string sha256Hex(const uint8_t* bytes, size_t size);

} // namespace zyvodiag

// Writes 8-bit RGB pictures as PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zyvodiag {

// `rgb` holds width x height triples, line after line. The file appears under `path` only once
// it is whole; false, with the reason, when it cannot be written.
bool writePng(const std::string& path, unsigned width, unsigned height,
              const std::vector<uint8_t>& rgb, std::string& error);

} // namespace zyvodiag

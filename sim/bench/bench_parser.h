// Reading a bench description, from text or from a file.
#pragma once

#include "bench/bench.h"

#include <string>

namespace zyvosim {

// Reads bench text into `bench`, which starts from the defaults (one device, text present,
// nothing cabled, no source, no fault). On the first bad line returns false, leaves `bench` as
// it was and sets `error` to "ORIGIN:LINE: problem".
bool parseBench(const std::string& text, const std::string& origin, Bench& bench,
                std::string& error);
// The same for the file at `path`, which is the origin in messages.
bool parseBenchFile(const std::string& path, Bench& bench, std::string& error);

} // namespace zyvosim

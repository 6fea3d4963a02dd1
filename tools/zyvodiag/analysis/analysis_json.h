// The analysis as the JSON object the compare report and the self-test's reports carry.
#pragma once

#include "analysis/analysis.h"

#include <nlohmann/json.hpp>

namespace zyvodiag {

// {"impairment", "parameters", "confidence", "explained", "alternatives", "summary"}; the
// impairment is null for identical frames.
nlohmann::json analysisJson(const Analysis& analysis, PixelLayout layout);

} // namespace zyvodiag

// The analysis in the words a board engineer uses.
#pragma once

#include "analysis/analysis.h"

#include <string>

namespace zyvodiag {

// "Y data bit 2 stuck at 0", "Cb and Cr exchanged", "picture moved 4 pixels right", ...
std::string describeImpairment(const Impairment& impairment, PixelLayout layout);

// The whole verdict: the cause (or both of two that fit alike), how much of the difference it
// accounts for, and the confidence. "Y data bit 2 stuck at 0 (every sample; confidence 0.99)".
std::string describeAnalysis(const Analysis& analysis, PixelLayout layout);

} // namespace zyvodiag

// BT.709 in one place: the luma weights, the colour-difference scales and narrow-range levels.
#pragma once

namespace zyvodiag::bt709 {

// Y' = kRed R' + kGreen G' + kBlue B'; Cb = (B' - Y') / kCbScale, Cr = (R' - Y') / kCrScale.
constexpr double kRed = 0.2126;
constexpr double kBlue = 0.0722;
constexpr double kGreen = 1 - kRed - kBlue;
constexpr double kCbScale = 1.8556;
constexpr double kCrScale = 1.5748;

// Narrow range in 8-bit codes; a depth of d bits multiplies each by 2^(d - 8).
constexpr unsigned kBlack = 16;
constexpr unsigned kLumaPeak = 235;
constexpr unsigned kChromaPeak = 240;
constexpr unsigned kLumaRange = 219;   // kLumaPeak - kBlack
constexpr unsigned kChromaRange = 224; // chroma is 128 +- 112
constexpr unsigned kNeutral = 128;

} // namespace zyvodiag::bt709

// The analyser: given the expected and the captured frame of one format, which impairment of the
// video path explains the difference, how sure we are, and a sentence for the engineer.
#pragma once

#include "analysis/impairment.h"
#include "pictures/frame_decoder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zyvodiag {

class ReferenceFrames;

struct Candidate {
    Impairment impairment;
    double confidence = 0; // 0 to 1
    double explained = 0;  // share of the differing samples the impairment accounts for
};

struct Analysis {
    bool identical = false;
    Candidate best; // kind None for identical frames, Unexplained when nothing fits
    std::vector<Candidate> alternatives;
    bool tied = false; // the first alternative fits exactly as well as the best
    // Samples as the stream carries them: one Y a pixel and one Cb and Cr a pixel pair in 4:2:2.
    uint64_t samples = 0;
    uint64_t differingSamples = 0;
    std::string summary; // "Y data bit 2 stuck at 0 (every sample; confidence 0.99)"
};

// Both frames must have one raster and layout; otherwise the analysis says so and names nothing.
// `references` draws the test patterns a wrong or torn picture is recognised among; without it,
// those are only named when the frame says so without a picture to compare.
Analysis analyseFrames(const DecodedFrame& expected, const DecodedFrame& found,
                       ReferenceFrames* references);

// The same with the common library's test pattern generator as the references.
Analysis analyseFrames(const DecodedFrame& expected, const DecodedFrame& found);

} // namespace zyvodiag

// The candidate impairments worth testing for a pair of frames, each with its score so far.
#pragma once

#include "analysis/frame_statistics.h"
#include "analysis/impairment.h"
#include "analysis/scoring.h"

#include <vector>

namespace zyvodiag {

struct Hypothesis {
    Impairment impairment;
    Score score;
    bool whole = false; // scored on every line, not only on the sampled ones
};

// Every stuck and inverted bit, scored exactly from the statistics alone.
std::vector<Hypothesis> bitFaultHypotheses(const FrameStatistics& stats, PixelLayout layout);

// The faults with a line model: truncation, range, chroma and stream order, fields, byte order,
// matrix, and the shifts the row and column profiles suggest.
std::vector<Impairment> modelHypotheses(const DecodedFrame& expected, const DecodedFrame& found,
                                        const FrameStatistics& stats);

// The lines on either side of the edge of the black bands at the top and bottom of a frame: where
// moves that agree everywhere else part.
std::vector<unsigned> bandEdgeLines(const DecodedFrame& found);

// Order of preference between explanations that fit equally: the simplest fault of the path
// first, and the smaller of two shifts.
int preference(const Impairment& impairment);

} // namespace zyvodiag

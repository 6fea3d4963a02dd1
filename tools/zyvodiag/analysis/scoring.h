// How well a model of an impairment accounts for the captured frame, sample by sample.
#pragma once

#include "analysis/line_model.h"
#include "pictures/frame_decoder.h"

#include <cstdint>
#include <vector>

namespace zyvodiag {

struct Score {
    uint64_t differing = 0; // samples where the captured frame differs from the expected one
    uint64_t explained = 0; // of those, the samples the model predicts
    uint64_t broken = 0;    // samples that arrived right but the model would have changed
    // Of the explained, those a tolerant model left unchanged and matched only within its
    // tolerance: a model that explains mostly those explains nothing.
    uint64_t withinTolerance = 0;

    bool exact() const {
        return explained == differing && broken == 0 && 2 * withinTolerance <= explained;
    }
    // What the model accounts for, less what it gets wrong, as a share of the differences.
    double net() const;
};

// Samples as the stream carries them: 4:2:2 chroma counts once a pixel pair.
unsigned chromaStep(PixelLayout layout);

// Where hypotheses are tried before a full pass: every 16th line, alternating fields, the first
// and last two lines, and some of the lines that differ, so that differences in a few lines
// are never all missed.
std::vector<unsigned> sampleLines(const std::vector<uint8_t>& lineDiffers);

// The model on `lines`, or on every line when `lines` is null. On sampled lines a model that
// gets more wrong than right, from the fourth line on, is given up: it can name nothing. With
// `untilMiss`, scoring stops after the first line the model does not fit exactly.
// `lineDifferences` holds the differing samples of each line: a line the model predicts
// exactly is then counted without comparing sample by sample.
Score scoreModel(LineModel& model, const DecodedFrame& expected, const DecodedFrame& found,
                 const std::vector<uint32_t>& lineDifferences, const std::vector<unsigned>* lines,
                 bool untilMiss = false);

} // namespace zyvodiag

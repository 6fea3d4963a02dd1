// Scoring a model against the captured frame on a sample of lines or on the whole frame.
#include "analysis/scoring.h"

#include <algorithm>
#include <vector>

namespace zyvodiag {

double Score::net() const {
    if (differing == 0) {
        return broken == 0 ? 1.0 : 0.0;
    }
    return (double(explained) - double(withinTolerance) - double(broken)) / double(differing);
}

unsigned chromaStep(PixelLayout layout) {
    return isYCbCr(layout) ? 2 : 1;
}

std::vector<unsigned> sampleLines(const std::vector<uint8_t>& lineDiffers) {
    const unsigned height = unsigned(lineDiffers.size());
    std::vector<uint8_t> chosen(height, 0);
    for (unsigned i = 0;; ++i) {
        const unsigned y = i * 16 + (i % 2 == 0 ? 2 : 9);
        if (y >= height) {
            break;
        }
        chosen[y] = 1;
    }
    std::vector<unsigned> differing;
    for (unsigned y = 0; y < height; ++y) {
        if (lineDiffers[y] != 0) {
            differing.push_back(y);
        }
    }
    const size_t extra = 16;
    for (size_t i = 0; i < extra && i < differing.size(); ++i) {
        chosen[differing[i * differing.size() / std::min(extra, differing.size())]] = 1;
    }
    std::vector<unsigned> lines;
    for (unsigned y = 0; y < height; ++y) {
        if (chosen[y] != 0) {
            lines.push_back(y);
        }
    }
    return lines;
}

namespace {

void scoreLine(const Sample* predicted, const Sample* expected, const Sample* found, unsigned width,
               unsigned step, unsigned tolerance, unsigned depth, Score& score) {
    for (unsigned x = 0; x < width; ++x) {
        const unsigned components = x % step == 0 ? 3 : 1;
        for (unsigned c = 0; c < components; ++c) {
            const bool differs = expected[x].c[c] != found[x].c[c];
            const bool predicts =
                tolerance == 0 ? predicted[x].c[c] == found[x].c[c]
                               : codesMatch(predicted[x].c[c], found[x].c[c], tolerance, depth);
            score.differing += differs ? 1 : 0;
            score.explained += differs && predicts ? 1 : 0;
            score.broken += !differs && !predicts ? 1 : 0;
            score.withinTolerance +=
                differs && predicts && predicted[x].c[c] == expected[x].c[c] ? 1 : 0;
        }
    }
}

} // namespace

Score scoreModel(LineModel& model, const DecodedFrame& expected, const DecodedFrame& found,
                 const std::vector<unsigned>* lines) {
    Score score;
    const unsigned width = expected.width;
    std::vector<Sample> predicted(width);
    const unsigned step = chromaStep(expected.layout);
    const unsigned depth = bitDepth(expected.layout);
    const size_t count = lines != nullptr ? lines->size() : expected.height;
    for (size_t i = 0; i < count; ++i) {
        const unsigned y = lines != nullptr ? (*lines)[i] : unsigned(i);
        model.predict(y, predicted.data());
        const size_t at = size_t(y) * width;
        scoreLine(predicted.data(), &expected.samples[at], &found.samples[at], width, step,
                  model.tolerance(), depth, score);
    }
    return score;
}

} // namespace zyvodiag

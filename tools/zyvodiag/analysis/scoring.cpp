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
    // The edges, where a move leaves its black band.
    for (unsigned y : {0u, 1u, height - 2, height - 1}) {
        if (y < height) {
            chosen[y] = 1;
        }
    }
    if (!differing.empty()) {
        chosen[differing.back()] = 1;
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

struct Counts {
    uint64_t differing = 0, explained = 0, broken = 0, withinTolerance = 0;

    void add(unsigned e, unsigned f, unsigned p, unsigned tolerance, unsigned depth) {
        const bool differs = e != f;
        const bool predicts = p == f || (tolerance != 0 && codesMatch(p, f, tolerance, depth));
        differing += differs;
        explained += differs && predicts;
        broken += !differs && !predicts;
        withinTolerance += differs && predicts && p == e;
    }
};

void scoreLine(const Sample* predicted, const Sample* expected, const Sample* found, unsigned width,
               unsigned step, unsigned tolerance, unsigned depth, Score& score) {
    Counts counts;
    for (unsigned x = 0; x < width; ++x) {
        counts.add(expected[x].c[0], found[x].c[0], predicted[x].c[0], tolerance, depth);
    }
    for (unsigned x = 0; x < width; x += step) {
        for (unsigned c = 1; c < 3; ++c) {
            counts.add(expected[x].c[c], found[x].c[c], predicted[x].c[c], tolerance, depth);
        }
    }
    score.differing += counts.differing;
    score.explained += counts.explained;
    score.broken += counts.broken;
    score.withinTolerance += counts.withinTolerance;
}

bool sameSample(const Sample& a, const Sample& b) {
    return a.c[0] == b.c[0] && a.c[1] == b.c[1] && a.c[2] == b.c[2];
}

} // namespace

Score scoreModel(LineModel& model, const DecodedFrame& expected, const DecodedFrame& found,
                 const std::vector<uint32_t>& lineDifferences, const std::vector<unsigned>* lines,
                 bool untilMiss) {
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
        if (std::equal(predicted.begin(), predicted.end(), &found.samples[at], sameSample)) {
            score.differing += lineDifferences[y];
            score.explained += lineDifferences[y];
            continue;
        }
        scoreLine(predicted.data(), &expected.samples[at], &found.samples[at], width, step,
                  model.tolerance(), depth, score);
        if (lines != nullptr && i >= 3 && score.differing > 0 && score.net() < 0) {
            break;
        }
        if (untilMiss && !score.exact()) {
            break;
        }
    }
    return score;
}

} // namespace zyvodiag

// The analysis: statistics first, then line models on sampled lines, a full pass for the few that
// survive, the test patterns only when nothing else fits, and a verdict that never stretches one
// fault over two.
#include "analysis/analysis.h"

#include "analysis/frame_statistics.h"
#include "analysis/hypotheses.h"
#include "analysis/reference_frames.h"
#include "analysis/sentence.h"

#include <algorithm>
#include <utility>

namespace zyvodiag {
namespace {

constexpr size_t kWholePasses = 6;
// A fault that accounts for less than this share, net of what it gets wrong, names nothing.
constexpr double kLeastNamedShare = 0.25;

struct Analyser {
    const DecodedFrame& expected;
    const DecodedFrame& found;
    ReferenceFrames* references;
    FrameStatistics stats;
    std::vector<unsigned> lines;
    std::vector<Hypothesis> hypotheses;

    void tryModel(const Impairment& impairment);
    void tryShifts(const std::vector<Impairment>& shifts);
    void scoreWhole(Hypothesis& hypothesis, bool untilMiss);
    void passSurvivors(bool partials);
    void tryPatterns();
    bool hasExact() const;
    bool movedUpOnly() const;
};

void Analyser::tryModel(const Impairment& impairment) {
    LineModel model(impairment, expected, nullptr);
    hypotheses.push_back(Hypothesis{
        impairment, scoreModel(model, expected, found, stats.lineDifferences, &lines), false});
}

// Moves are many: each is tried on seven lines that differ first, and only the three that fit
// those best, the smallest first among equals, go on to the rest of the sample.
void Analyser::tryShifts(const std::vector<Impairment>& shifts) {
    std::vector<unsigned> differing;
    for (unsigned y = 0; y < stats.lineDiffers.size(); ++y) {
        if (stats.lineDiffers[y] != 0) {
            differing.push_back(y);
        }
    }
    // The first and the last of them, where a move leaves its black band, and six between.
    std::vector<unsigned> few;
    const size_t count = std::min<size_t>(6, differing.size());
    for (size_t i = 0; i < count; ++i) {
        few.push_back(differing[i * differing.size() / count]);
    }
    if (!differing.empty()) {
        few.push_back(differing.back());
    }
    // On a picture without vertical detail only the edge of a band tells one vertical move from
    // the next.
    for (unsigned y : bandEdgeLines(found)) {
        if (stats.lineDiffers[y] != 0 || (y > 0 && stats.lineDiffers[y - 1] != 0)) {
            few.push_back(y);
        }
    }
    std::vector<std::pair<double, size_t>> ranked;
    for (size_t i = 0; i < shifts.size(); ++i) {
        LineModel model(shifts[i], expected, nullptr);
        const Score score = scoreModel(model, expected, found, stats.lineDifferences, &few);
        ranked.emplace_back(score.exact() ? 2.0 : score.net(), i);
    }
    std::stable_sort(ranked.begin(), ranked.end(), [&shifts](const auto& a, const auto& b) {
        if (a.first != b.first) {
            return a.first > b.first;
        }
        return preference(shifts[a.second]) < preference(shifts[b.second]);
    });
    for (size_t i = 0; i < ranked.size() && i < 3; ++i) {
        tryModel(shifts[ranked[i].second]);
    }
}

void Analyser::scoreWhole(Hypothesis& hypothesis, bool untilMiss) {
    LineModel model(hypothesis.impairment, expected, nullptr);
    hypothesis.score =
        scoreModel(model, expected, found, stats.lineDifferences, nullptr, untilMiss);
    hypothesis.whole = !untilMiss || hypothesis.score.exact();
}

// The models exact on the sampled lines, and the best partial ones, get a pass over every line.
void Analyser::passSurvivors(bool partials) {
    std::vector<Hypothesis*> order;
    for (Hypothesis& h : hypotheses) {
        if (!h.whole) {
            order.push_back(&h);
        }
    }
    std::stable_sort(order.begin(), order.end(), [](const Hypothesis* a, const Hypothesis* b) {
        if (a->score.exact() != b->score.exact()) {
            return a->score.exact();
        }
        if (a->score.net() != b->score.net()) {
            return a->score.net() > b->score.net();
        }
        return preference(a->impairment) < preference(b->impairment);
    });
    // Once a model fits the whole frame exactly, only a model as exact could tie with it, and
    // it is given up at its first miss; a partial one is worth a pass only if it could be named.
    // Of two moves that both fit, the smaller is the one named: once it is verified, a larger
    // one needs no pass. A model exact on the sampled lines that misses elsewhere is scored
    // whole all the same, for it may still be the best partial explanation.
    bool moved = false;
    size_t passedPartial = 0;
    for (size_t i = 0; i < order.size() && i < kWholePasses; ++i) {
        const bool partial = !order[i]->score.exact();
        const bool settled = hasExact();
        if (partial && (!partials || settled || passedPartial >= 2 ||
                        order[i]->score.net() < kLeastNamedShare)) {
            break;
        }
        const bool shift = order[i]->impairment.kind == ImpairmentKind::Shift;
        if (shift && moved) {
            continue;
        }
        scoreWhole(*order[i], settled && !partial);
        passedPartial += partial || !order[i]->score.exact() ? 1 : 0;
        moved = moved || (shift && order[i]->whole && order[i]->score.exact());
    }
}

bool Analyser::hasExact() const {
    return std::any_of(hypotheses.begin(), hypotheses.end(),
                       [](const Hypothesis& h) { return h.whole && h.score.exact(); });
}

// A picture without vertical detail moved up reads like one torn from a black frame: the lines
// at the bottom are black either way, and both are named.
bool Analyser::movedUpOnly() const {
    return std::any_of(hypotheses.begin(), hypotheses.end(), [](const Hypothesis& h) {
        return h.whole && h.score.exact() && h.impairment.kind == ImpairmentKind::Shift &&
               h.impairment.dx == 0 && h.impairment.dy < 0;
    });
}

// Whether the found frame shows pattern `number` on the sampled lines from `from` down: read
// line by line, so a pattern is only decoded whole when it may be the one.
bool showsPattern(ReferenceFrames& references, unsigned number, const DecodedFrame& found,
                  const std::vector<unsigned>& lines, unsigned from) {
    std::vector<Sample> line(found.width);
    bool any = false;
    for (unsigned y : lines) {
        if (y < from) {
            continue;
        }
        if (!references.patternLine(number, found.layout, found.width, found.height, y,
                                    line.data())) {
            return false;
        }
        const Sample* arrived = &found.samples[size_t(y) * found.width];
        for (unsigned x = 0; x < found.width; ++x) {
            for (unsigned c = 0; c < 3; ++c) {
                if (line[x].c[c] != arrived[x].c[c]) {
                    return false;
                }
            }
        }
        any = true;
    }
    return any;
}

// A stale or wrong picture shows one of the test patterns whole; a torn one from a line down.
// Black first, the picture of a store that was never written; the first that fits ends the
// search, after a sample of lines and then every line, read one at a time.
void Analyser::tryPatterns() {
    if (references == nullptr) {
        return;
    }
    const unsigned torn = stats.firstDifferingLine;
    std::vector<unsigned> tornLines = lines;
    tornLines.push_back(torn);
    const Score fits{stats.differing, stats.differing, 0, 0};
    std::vector<unsigned> every(expected.height);
    for (unsigned y = 0; y < expected.height; ++y) {
        every[y] = y;
    }
    for (unsigned i = 0; i < kReferencePatternCount; ++i) {
        const unsigned number = (i + 8) % kReferencePatternCount;
        Impairment shown;
        shown.kind = ImpairmentKind::WrongPicture;
        shown.pattern = int(number);
        if (showsPattern(*references, number, found, lines, 0) &&
            showsPattern(*references, number, found, every, 0)) {
            hypotheses.push_back(Hypothesis{shown, fits, true});
            return;
        }
        if (torn > 0 && showsPattern(*references, number, found, tornLines, torn) &&
            showsPattern(*references, number, found, every, torn)) {
            shown.kind = ImpairmentKind::Torn;
            shown.line = torn;
            hypotheses.push_back(Hypothesis{shown, fits, true});
            return;
        }
    }
}

double shareOf(const Score& score) {
    return score.differing == 0 ? 1.0 : double(score.explained) / double(score.differing);
}

// What an impairment accounts for: for one that does not fit exactly, net of the samples it
// would have spoiled, so that it never reads as explaining everything.
Candidate candidateOf(const Hypothesis& h, double confidence) {
    const double share =
        h.score.exact() ? shareOf(h.score) : std::min(0.999, std::max(0.0, h.score.net()));
    return Candidate{h.impairment, confidence, share};
}

// Random bit errors flip bits at every position of every data line alike; a fault of one line
// or one bit piles them up in one place.
bool looksRandom(const FrameStatistics& stats, unsigned depth, double& rate) {
    const double bits = double(stats.samples) * depth;
    rate = bits > 0 ? double(stats.flippedBits) / bits : 0;
    // A serial link's burst flips a few bits of a sample or two; a wrong value flips about half.
    const double bitsPerSample =
        double(stats.flippedBits) / double(std::max<uint64_t>(stats.differing, 1));
    if (stats.flippedBits == 0 || rate > 0.15 || bitsPerSample > 0.4 * depth) {
        return false;
    }
    for (unsigned l = 0; l < stats.channels; ++l) {
        const LineStatistics& line = stats.line[l];
        if (line.samples == 0) {
            continue;
        }
        for (unsigned k = 0; k < depth; ++k) {
            if (double(line.flips[k]) > 3 * rate * double(line.samples) + 8) {
                return false;
            }
        }
    }
    return true;
}

// Most of the lines from the first differing one down differ, and none above: a tear from a
// frame we do not know.
bool tornFromUnknown(const FrameStatistics& stats) {
    const size_t height = stats.lineDiffers.size();
    const size_t first = stats.firstDifferingLine;
    if (first == 0 || first >= height) {
        return false;
    }
    size_t differing = 0;
    for (size_t y = first; y < height; ++y) {
        differing += stats.lineDiffers[y];
    }
    return differing * 50 >= (height - first) * 49;
}

void decide(Analysis& analysis, const std::vector<Hypothesis>& hypotheses,
            const FrameStatistics& stats, unsigned depth) {
    std::vector<const Hypothesis*> exact;
    for (const Hypothesis& h : hypotheses) {
        if (h.whole && h.score.exact()) {
            exact.push_back(&h);
        }
    }
    std::stable_sort(exact.begin(), exact.end(), [](const Hypothesis* a, const Hypothesis* b) {
        return preference(a->impairment) < preference(b->impairment);
    });
    const double n = double(stats.differing);
    if (!exact.empty()) {
        const double confidence = std::min(0.99, n / (n + 1)) / double(exact.size());
        analysis.best = candidateOf(*exact[0], confidence);
        for (size_t i = 1; i < exact.size(); ++i) {
            analysis.alternatives.push_back(candidateOf(*exact[i], confidence));
        }
        analysis.tied = exact.size() > 1;
        return;
    }
    std::vector<const Hypothesis*> partial;
    for (const Hypothesis& h : hypotheses) {
        if (h.whole && h.score.net() > 0) {
            partial.push_back(&h);
        }
    }
    std::stable_sort(partial.begin(), partial.end(), [](const Hypothesis* a, const Hypothesis* b) {
        return a->score.net() > b->score.net();
    });
    const double bestNet = partial.empty() ? 0.0 : partial[0]->score.net();
    double rate = 0;
    size_t firstAlternative = 0;
    if (looksRandom(stats, depth, rate)) {
        analysis.best.impairment.kind = ImpairmentKind::BitErrors;
        analysis.best.impairment.rate = rate;
        analysis.best.explained = 1;
        analysis.best.confidence = 0.9;
    } else if (bestNet >= kLeastNamedShare) {
        analysis.best = candidateOf(*partial[0], 0.5 * bestNet);
        firstAlternative = 1;
    } else if (tornFromUnknown(stats)) {
        analysis.best.impairment.kind = ImpairmentKind::Torn;
        analysis.best.impairment.line = stats.firstDifferingLine;
        analysis.best.explained = 1;
        analysis.best.confidence = 0.5;
    } else {
        analysis.best.impairment.kind = ImpairmentKind::Unexplained;
        analysis.best.confidence = 1 - std::max(0.0, bestNet);
    }
    for (size_t i = firstAlternative; i < partial.size() && i < firstAlternative + 2; ++i) {
        analysis.alternatives.push_back(candidateOf(*partial[i], 0.5 * partial[i]->score.net()));
    }
}

} // namespace

Analysis analyseFrames(const DecodedFrame& expected, const DecodedFrame& found,
                       ReferenceFrames* references) {
    Analysis analysis;
    if (expected.width != found.width || expected.height != found.height ||
        expected.layout != found.layout || expected.samples.size() != found.samples.size() ||
        expected.samples.size() != size_t(expected.width) * expected.height) {
        analysis.best.impairment.kind = ImpairmentKind::Unexplained;
        analysis.summary = "the frames have different rasters or layouts; nothing to compare";
        return analysis;
    }
    if (expected.samples.size() == found.samples.size() &&
        std::equal(expected.samples.begin(), expected.samples.end(), found.samples.begin(),
                   [](const Sample& a, const Sample& b) {
                       return a.c[0] == b.c[0] && a.c[1] == b.c[1] && a.c[2] == b.c[2];
                   })) {
        analysis.identical = true;
        analysis.best.confidence = 1;
        analysis.summary = describeAnalysis(analysis, expected.layout);
        return analysis;
    }
    Analyser run{expected, found, references, gatherStatistics(expected, found), {}, {}};
    analysis.samples = run.stats.samples;
    analysis.differingSamples = run.stats.differing;
    if (run.stats.differing == 0) {
        // Only the chroma of odd pixels, which the stream does not carry, differs.
        analysis.identical = true;
        analysis.best.confidence = 1;
        analysis.summary = describeAnalysis(analysis, expected.layout);
        return analysis;
    }
    run.lines = sampleLines(run.stats.lineDiffers);
    run.hypotheses = bitFaultHypotheses(run.stats, expected.layout);
    std::vector<Impairment> shifts;
    for (const Impairment& impairment : modelHypotheses(expected, found, run.stats)) {
        if (impairment.kind == ImpairmentKind::Shift) {
            shifts.push_back(impairment);
        } else {
            run.tryModel(impairment);
        }
    }
    run.tryShifts(shifts);
    // A frame that shows another pattern is told before any partial fit gets a pass of its own.
    run.passSurvivors(false);
    if (!run.hasExact() || run.movedUpOnly()) {
        run.tryPatterns();
    }
    if (!run.hasExact()) {
        run.passSurvivors(true);
    }
    decide(analysis, run.hypotheses, run.stats, bitDepth(expected.layout));
    analysis.summary = describeAnalysis(analysis, expected.layout);
    return analysis;
}

Analysis analyseFrames(const DecodedFrame& expected, const DecodedFrame& found) {
    GeneratedPatterns patterns;
    return analyseFrames(expected, found, &patterns);
}

} // namespace zyvodiag

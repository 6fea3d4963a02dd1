// Decoding a test's frames once and measuring how far apart they are.
#include "selftest/frame_comparison.h"

#include "pictures/frame_file.h"

#include <cstdio>
#include <filesystem>

namespace zyvodiag {
namespace {

std::shared_ptr<const DecodedFrame> decoded(const std::string& file, const FramePair& pair,
                                            std::string& error) {
    std::error_code ignored;
    if (file.empty() || !std::filesystem::exists(file, ignored)) {
        return nullptr;
    }
    auto frame = std::make_shared<DecodedFrame>();
    if (!loadFrame(file, pair.shape, pair.size, *frame, error)) {
        return nullptr;
    }
    return frame;
}

} // namespace

std::string differenceSummary(const FrameDifference& difference, PixelLayout layout) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "differing pixels: %llu of %llu; largest difference %s %u, %s %u, %s %u; "
                  "PSNR %.2f dB",
                  static_cast<unsigned long long>(difference.differingPixels),
                  static_cast<unsigned long long>(difference.pixels), componentName(layout, 0),
                  difference.largest[0], componentName(layout, 1), difference.largest[1],
                  componentName(layout, 2), difference.largest[2], difference.psnr);
    return text;
}

std::string comparisonCause(const FrameComparison& comparison) {
    if (!comparison.analysed) {
        return comparison.summary;
    }
    const std::string& port =
        comparison.pair.port.empty() ? comparison.pair.title : comparison.pair.port;
    return port + ": " + comparison.analysis.summary;
}

FrameComparison compareDecoded(const FramePair& pair, bool identical) {
    FrameComparison comparison;
    comparison.pair = pair;
    comparison.identical = identical;
    std::string error;
    if (identical && !pair.expected.empty()) {
        // The same bytes make the same frame, and nothing differs: both files stand as one,
        // decoded after the verdict, on a picture thread, not during the test.
        auto bytes = std::make_shared<std::vector<uint8_t>>();
        if (readWholeFile(pair.expected, *bytes, error) && bytes->size() == pair.size) {
            comparison.sameBytes = std::move(bytes);
            return comparison;
        }
    }
    comparison.expected = decoded(pair.expected, pair, error);
    comparison.captured = decoded(pair.captured, pair, error);
    if (comparison.hasBoth()) {
        comparison.difference = measureDifference(*comparison.expected, *comparison.captured);
        comparison.measured = true;
        if (!identical) {
            comparison.summary = differenceSummary(comparison.difference, pair.shape.layout);
            comparison.analysis = analyseFrames(*comparison.expected, *comparison.captured);
            comparison.analysed = true;
        }
    } else if (!identical && !pair.expected.empty()) {
        comparison.summary = "no pixel comparison: " + error;
    }
    return comparison;
}

} // namespace zyvodiag

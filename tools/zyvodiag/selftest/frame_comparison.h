// A test's expected and captured frames, decoded once, and what comparing them found.
#pragma once

#include "analysis/analysis.h"
#include "pictures/frame_decoder.h"
#include "pictures/frame_difference.h"
#include "pictures/frame_geometry.h"

#include <memory>
#include <string>
#include <vector>

namespace zyvodiag {

// The two frame files of one check, named by the plan. A frame with no counterpart (the LCD's
// picture) has only `captured`.
struct FramePair {
    std::string title; // "sdi3", "hdmi-4k", "lcd"
    std::string port;  // the input the captured frame came through, as users number it
    std::string expected;
    std::string captured;
    FrameShape shape{PixelLayout::RGB8, 0, 0, 0};
    size_t size = 0; // bytes of each file
};

// One result object per pair: the library's verdict, the decoded frames that every later step
// (statistics, previews, thumbnails, difference) reads, and a summary fit to stand as the
// root cause. The frames are shared so that pictures can be written after the verdict.
struct FrameComparison {
    FramePair pair;
    bool identical = false;
    std::shared_ptr<const DecodedFrame> expected;
    std::shared_ptr<const DecodedFrame> captured;
    // Of a pair whose files hold the same bytes, when pictures are wanted: those bytes, not yet
    // decoded (the frames are then neither decoded nor measured).
    std::shared_ptr<const std::vector<uint8_t>> sameBytes;
    bool measured = false; // `difference` holds the statistics of two decoded frames
    FrameDifference difference;
    std::string summary;   // "differing pixels: ...", or why no pixels could be compared
    bool analysed = false; // `analysis` names what explains two decoded frames that differ
    Analysis analysis;

    // Both frames decoded, so a difference can be pictured.
    bool hasBoth() const { return expected && captured; }
};

// Decodes whichever files of `pair` exist, once each, and measures the difference when both
// decoded; when they differ, the analyser names the impairment from those same decoded frames.
// `identical` is the library's verdict on the files' bytes: the pair's bytes are then only read,
// into `sameBytes`.
FrameComparison compareDecoded(const FramePair& pair, bool identical);

// "differing pixels: N of M; largest difference Y 3, Cb 0, Cr 1; PSNR 48.13 dB".
std::string differenceSummary(const FrameDifference& difference, PixelLayout layout);

// What a failed comparison stands for as a root cause: the analyser's sentence after the port,
// "SDI input 3: Y data bit 2 stuck at 0 (every sample; confidence 0.99)"; else the summary.
std::string comparisonCause(const FrameComparison& comparison);

} // namespace zyvodiag

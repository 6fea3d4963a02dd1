// Sentences for each impairment and for the verdict as a whole.
#include "analysis/sentence.h"

#include "commands/test_patterns.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zyvodiag {
namespace {

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string plural(long count, const char* one, const char* many) {
    return std::to_string(count) + " " + (std::labs(count) == 1 ? one : many);
}

std::string patternName(int number) {
    if (number < 0 || number >= int(kTestPatternCount)) {
        return "a frame that is none of the test patterns";
    }
    return "test pattern " + std::to_string(number) + " (" + testPatternName(unsigned(number)) +
           ")";
}

std::string shiftText(int dx, int dy) {
    std::string text = "picture moved";
    if (dx != 0) {
        text += " " + plural(std::abs(dx), "pixel", "pixels") + (dx > 0 ? " right" : " left");
    }
    if (dy != 0) {
        text += std::string(dx != 0 ? " and " : " ") + plural(std::abs(dy), "line", "lines") +
                (dy > 0 ? " down" : " up");
    }
    return text + ", black where nothing arrives";
}

std::string coverage(const Candidate& candidate) {
    if (candidate.explained >= 1) {
        return "every sample";
    }
    return format("explains %.0f%% of the differing samples",
                  std::floor(100 * candidate.explained));
}

} // namespace

std::string describeImpairment(const Impairment& i, PixelLayout layout) {
    const bool yCbCr = isYCbCr(layout);
    const std::string channel = channelName(yCbCr, i.channel);
    switch (i.kind) {
    case ImpairmentKind::None:
        return "none: the frames are identical";
    case ImpairmentKind::StuckBit:
        return channel + " data bit " + std::to_string(i.bit) + " stuck at " +
               std::to_string(i.value);
    case ImpairmentKind::InvertedBit:
        return channel + " data bit " + std::to_string(i.bit) + " inverted";
    case ImpairmentKind::ChromaSwap:
        return yCbCr ? "Cb and Cr exchanged" : "R and B exchanged";
    case ImpairmentKind::LumaChromaOrder:
        return yCbCr ? "luma and chroma samples exchanged in the 4:2:2 stream (YUYV read as UYVY)"
                     : "luma and chroma data lines crossed (G exchanged with B in even pixels, "
                       "with R in odd ones)";
    case ImpairmentKind::Truncated:
        return std::to_string(bitDepth(layout)) + "-bit path cut to its " + std::to_string(i.bits) +
               " upper bits";
    case ImpairmentKind::Range:
        return i.direction == Direction::LegalToFull
                   ? "legal-range levels scaled as full range (legal-to-full)"
                   : "full-range levels scaled into legal range (full-to-legal)";
    case ImpairmentKind::Shift:
        return shiftText(i.dx, i.dy);
    case ImpairmentKind::FieldSwap:
        return "the two fields exchanged";
    case ImpairmentKind::WrongPicture:
        return "wrong or stale picture: the frame shows " + patternName(i.pattern);
    case ImpairmentKind::Torn:
        return "torn frame: lines from " + std::to_string(i.line) + " down come from " +
               (i.pattern < 0 ? std::string("another frame") : patternName(i.pattern));
    case ImpairmentKind::BitErrors:
        return format("random bit errors, rate %.2g", i.rate);
    case ImpairmentKind::ByteSwap:
        return "each 32-bit word stored in the opposite byte order";
    case ImpairmentKind::Matrix:
        return i.direction == Direction::From709To601
                   ? "BT.709 colours converted with the BT.601 matrix (709-to-601)"
                   : "BT.601 colours converted with the BT.709 matrix (601-to-709)";
    case ImpairmentKind::Unexplained:
        break;
    }
    return "no single impairment explains the difference";
}

std::string describeAnalysis(const Analysis& analysis, PixelLayout layout) {
    const Candidate& best = analysis.best;
    if (analysis.identical) {
        return describeImpairment(best.impairment, layout);
    }
    std::string text = describeImpairment(best.impairment, layout);
    if (best.impairment.kind == ImpairmentKind::Unexplained) {
        if (!analysis.alternatives.empty()) {
            const Candidate& nearest = analysis.alternatives[0];
            text += " (nearest: " + describeImpairment(nearest.impairment, layout) + ", " +
                    coverage(nearest) + ")";
        }
        return text;
    }
    if (analysis.tied) {
        for (const Candidate& other : analysis.alternatives) {
            text += ", or " + describeImpairment(other.impairment, layout);
        }
        return text + " (each fits every sample alike; confidence " +
               format("%.2f", best.confidence) + ")";
    }
    return text + " (" + coverage(best) + "; confidence " + format("%.2f", best.confidence) + ")";
}

} // namespace zyvodiag

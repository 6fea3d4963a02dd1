// The analyser's verdict under compare's output, and compare's JSON report.
#include "commands/compare_report.h"

#include "analysis/analysis.h"
#include "analysis/analysis_json.h"
#include "pictures/frame_difference.h"
#include "pictures/frame_file.h"
#include "system/pending_file.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>

namespace zyvodiag {
namespace {

// The report's layout; a reader checks it before trusting the names.
constexpr const char* kSchema = "zyvodiag-compare/1";

nlohmann::json comparisonJson(const ZyvoDiagUserCommands& record, const FrameFormat& format,
                              bool same, const FrameDifference& difference,
                              const Analysis& analysis, PixelLayout layout) {
    nlohmann::json largest = nlohmann::json::object();
    for (unsigned c = 0; c < 3; ++c) {
        largest[componentName(layout, c)] = difference.largest[c];
    }
    nlohmann::json psnr = nullptr;
    if (std::isfinite(difference.psnr)) {
        psnr = std::round(difference.psnr * 100) / 100;
    }
    return {{"schema", kSchema},
            {"expected", record.mInputFileName},
            {"found", record.mOutputFileName},
            {"format", describe(format)},
            {"identical", same},
            {"differing_pixels", difference.differingPixels},
            {"pixels", difference.pixels},
            {"psnr_db", psnr},
            {"largest_difference", largest},
            {"analysis", analysisJson(analysis, layout)}};
}

int unusable(const Invocation& invocation, const std::string& why) {
    std::fprintf(stderr, "%s: %s\n", invocation.programName.c_str(), why.c_str());
    return kUnusable;
}

} // namespace

int reportLikelyCause(const Invocation& invocation, const ZyvoDiagUserCommands& record,
                      ZyvoPixelFormat pixelFormat, bool same, const std::string& jsonPath) {
    if (same && jsonPath.empty()) {
        return kPass;
    }
    const FrameFormat format{record.mVideoFormat, pixelFormat};
    FrameShape shape;
    size_t frameSize = 0;
    std::string error;
    DecodedFrame expected, found;
    if (!frameShapeOf(format, shape, frameSize, error) ||
        !loadFrame(record.mInputFileName, shape, frameSize, expected, error) ||
        !loadFrame(record.mOutputFileName, shape, frameSize, found, error)) {
        const std::string why =
            "no analysis: " + error + " (" + describe(format) + "; check -f, -r and -v)";
        if (jsonPath.empty()) {
            // The byte comparison stands on its own; the analysis only needs the right switches.
            std::fprintf(stderr, "%s: %s\n", invocation.programName.c_str(), why.c_str());
            return kPass;
        }
        return unusable(invocation, why);
    }
    const Analysis analysis = analyseFrames(expected, found);
    if (!same) {
        std::printf("likely cause: %s\n", analysis.summary.c_str());
    }
    if (jsonPath.empty()) {
        return kPass;
    }
    const std::string text =
        comparisonJson(record, format, same, measureDifference(expected, found), analysis,
                       shape.layout)
            .dump(2) +
        "\n";
    if (!writeWholeFile(jsonPath, text.data(), text.size(), error)) {
        return unusable(invocation, jsonPath + ": " + error);
    }
    return kPass;
}

} // namespace zyvodiag

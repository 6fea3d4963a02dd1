// The view command, and the pixel report of compare --diff-png.
#include "commands/picture_commands.h"

#include "commands/tool_options.h"
#include "commands/video_invocation.h"
#include "pictures/frame_difference.h"
#include "pictures/frame_file.h"
#include "pictures/png_writer.h"
#include "system/output_plan.h"

#include <cmath>
#include <cstdio>

namespace zyvodiag {
namespace {

int unusable(const Invocation& invocation, const std::string& why) {
    std::fprintf(stderr, "%s: %s\n", invocation.programName.c_str(), why.c_str());
    return kUnusable;
}

// The frame the switches describe: its shape and size, or a message for the user.
bool switchedFrame(const ZyvoDiagUserCommands& record, ZyvoPixelFormat pixelFormat,
                   FrameShape& shape, size_t& frameSize, std::string& error) {
    return frameShapeOf(FrameFormat{record.mVideoFormat, pixelFormat}, shape, frameSize, error);
}

ZyvoPixelFormat pixelFormatOf(const ZyvoDiagUserCommands& record, bool twelveBit) {
    return twelveBit ? ZYVO_PixelFormat_YCbCr12 : record.mPixelFormat;
}

void printDifference(const FrameDifference& difference, PixelLayout layout) {
    std::printf("differing pixels: %llu of %llu\n",
                static_cast<unsigned long long>(difference.differingPixels),
                static_cast<unsigned long long>(difference.pixels));
    std::printf("largest difference: %s %u, %s %u, %s %u (codes of %u bits)\n",
                componentName(layout, 0), difference.largest[0], componentName(layout, 1),
                difference.largest[1], componentName(layout, 2), difference.largest[2],
                bitDepth(layout));
    if (std::isinf(difference.psnr)) {
        std::printf("PSNR: infinite (identical pixels)\n");
    } else {
        std::printf("PSNR: %.2f dB\n", difference.psnr);
    }
}

} // namespace

int runView(const Invocation& invocation) {
    auto arguments = invocation.arguments;
    std::string pngPath;
    bool given = false;
    if (!takeValueOption(arguments, "--png", pngPath, given) || !given) {
        return unusable(invocation, "needs --png OUT.png");
    }
    const bool twelveBit = takeTwelveBitPixelFormat(arguments);
    ZyvoDiagUserCommands record;
    if (!parseVideoArguments(invocation, arguments, record)) {
        return kUnusable;
    }
    std::string error;
    const OutputPlan plan{{record.mInputFileName, benchInput(invocation.bench)}, {pngPath}, {}};
    if (!checkOutputPlan(plan, error)) {
        return unusable(invocation, error);
    }
    const FrameFormat format{record.mVideoFormat, pixelFormatOf(record, twelveBit)};
    FrameShape shape;
    size_t frameSize = 0;
    DecodedFrame frame;
    if (!switchedFrame(record, format.pixelFormat, shape, frameSize, error) ||
        !loadFrame(record.mInputFileName, shape, frameSize, frame, error)) {
        return unusable(invocation, error + " (" + describe(format) + "; check -f, -r and -v)");
    }
    if (!writePng(pngPath, frame.width, frame.height, toRgb8(frame), error)) {
        std::fprintf(stderr, "%s: %s: %s\n", invocation.programName.c_str(), pngPath.c_str(),
                     error.c_str());
        return kFail;
    }
    std::printf("%s: %u x %u, %s -> %s\n", record.mInputFileName.c_str(), frame.width, frame.height,
                describe(format).c_str(), pngPath.c_str());
    return kPass;
}

int reportPixelDifferences(const Invocation& invocation, const ZyvoDiagUserCommands& record,
                           ZyvoPixelFormat pixelFormat, const std::string& pngPath) {
    const FrameFormat format{record.mVideoFormat, pixelFormat};
    FrameShape shape;
    size_t frameSize = 0;
    std::string error;
    DecodedFrame expected, found;
    if (!switchedFrame(record, pixelFormat, shape, frameSize, error) ||
        !loadFrame(record.mInputFileName, shape, frameSize, expected, error) ||
        !loadFrame(record.mOutputFileName, shape, frameSize, found, error)) {
        return unusable(invocation, "no pixel comparison: " + error + " (" + describe(format) +
                                        "; check -f, -r and -v)");
    }
    printDifference(measureDifference(expected, found), shape.layout);
    if (!writePng(pngPath, expected.width, expected.height, differencePicture(expected, found),
                  error)) {
        std::fprintf(stderr, "%s: %s: %s\n", invocation.programName.c_str(), pngPath.c_str(),
                     error.c_str());
        return kFail;
    }
    std::printf("difference picture: %s\n", pngPath.c_str());
    return kPass;
}

} // namespace zyvodiag

// The view command (the frame, its waveform and its vectorscope as pictures), and the pixel
// report of compare --diff-png.
#include "commands/picture_commands.h"

#include "commands/tool_options.h"
#include "commands/video_invocation.h"
#include "pictures/frame_difference.h"
#include "pictures/frame_file.h"
#include "pictures/png_writer.h"
#include "pictures/vectorscope.h"
#include "pictures/waveform.h"
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

// The pictures view can draw of a frame, each asked for by its own switch.
struct ViewPicture {
    const char* option;
    const char* what; // as the line after writing it names it
    RgbImage (*draw)(const DecodedFrame& frame);
    std::string path;
    bool given;
};

RgbImage framePicture(const DecodedFrame& frame) {
    RgbImage picture(frame.width, frame.height);
    picture.rgb = toRgb8(frame);
    return picture;
}

int runView(const Invocation& invocation) {
    auto arguments = invocation.arguments;
    ViewPicture pictures[] = {{"--png", "", framePicture, {}, false},
                              {"--waveform", "waveform ", drawWaveform, {}, false},
                              {"--vectorscope", "vectorscope ", drawVectorscope, {}, false}};
    bool any = false;
    for (ViewPicture& picture : pictures) {
        if (!takeValueOption(arguments, picture.option, picture.path, picture.given)) {
            return unusable(invocation, std::string("needs ") + picture.option + " OUT.png");
        }
        any = any || picture.given;
    }
    if (!any) {
        return unusable(invocation,
                        "needs --png OUT.png, --waveform OUT.png or --vectorscope OUT.png");
    }
    const bool twelveBit = takeTwelveBitPixelFormat(arguments);
    ZyvoDiagUserCommands record;
    if (!parseVideoArguments(invocation, arguments, record)) {
        return kUnusable;
    }
    std::string error;
    OutputPlan plan{{record.mInputFileName, benchInput(invocation.bench)}, {}, {}};
    for (const ViewPicture& picture : pictures) {
        if (picture.given) {
            plan.outputs.push_back(picture.path);
        }
    }
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
    for (const ViewPicture& picture : pictures) {
        if (!picture.given) {
            continue;
        }
        const RgbImage image = picture.draw(frame);
        if (!writePng(picture.path, image.width, image.height, image.rgb, error)) {
            std::fprintf(stderr, "%s: %s: %s\n", invocation.programName.c_str(),
                         picture.path.c_str(), error.c_str());
            return kFail;
        }
        std::printf("%s: %u x %u, %s -> %s%s\n", record.mInputFileName.c_str(), frame.width,
                    frame.height, describe(format).c_str(), picture.what, picture.path.c_str());
    }
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

// Filling one frame of a frame store with a test pattern, drawn in host memory and moved to the
// device in one DMA transfer.
#include "engine/device_layout.h"
#include "engine/status_codes.h"
#include "engine/widget_access.h"
#include "frames/frame_data_dump.h"

#include "QELTestPatternGen.h"
#include "ZyvoDma.h"
#include "ZyvoFormatInfo.h"
#include "ZyvoFrameBufferWidgets.h"

#include <cstdio>
#include <vector>

using zyvodiag::engine::entryAt;
using zyvodiag::status::kDone;
using zyvodiag::status::kFailed;

namespace {

// The library draws 100% bars in 10-bit RGB itself; everything else comes from the common
// library's generator.
void drawPattern(QELTestPatternSelect pattern, unsigned int width, unsigned int height,
                 QEL_PixelFormat pixelFormat, std::vector<unsigned char>& buffer) {
    if (pixelFormat == QEL_PixelFormat_RGB10 && pattern == QEL_TestPattern_Bars100) {
        unsigned int bytesPerPixel =
            ZyvoPixelFormatInfo::GetBytesPerCadencePitch(ZYVO_PixelFormat_RGB10);
        buffer.resize(static_cast<size_t>(width) * height * bytesPerPixel);
        Create10BitRGBColorBars(width, height, bytesPerPixel, buffer);
        return;
    }
    QELTestPatternGen generator;
    generator.DrawTestPattern(pattern, width, height, pixelFormat, buffer);
}

// Selects frame `frameNumber` of `store` and fills it; a missing store is reported by both.
void fillFrame(ZyvoDiag& diag, ZyvoFrameBufferBaseWidget* store, int frameNumber,
               QELTestPatternSelect pattern, ZyvoVideoFormat videoFormat,
               QEL_PixelFormat pixelFormat) {
    diag.frameBufferSelect(store, frameNumber);
    diag.frameBufferFillWithTestPattern(store, pattern, videoFormat, pixelFormat);
}

} // namespace

int ZyvoDiag::frameBufferFillWithTestPattern(ZyvoFrameBufferBaseWidget* frameStore,
                                             QELTestPatternSelect pattern,
                                             ZyvoVideoFormat videoFormat,
                                             QEL_PixelFormat pixelFormat) {
    const char* name = "frameBufferFillWithTestPattern";
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("  %s(2)(pFrameStore:%p TestPattern:%d VideoFormat:%d PixelFormat:%d)\n", name,
                    static_cast<void*>(frameStore), static_cast<int>(pattern),
                    static_cast<int>(videoFormat), static_cast<int>(pixelFormat));
    }
    if (frameStore == nullptr) {
        std::printf("%s NULL pointer\n", name);
        return kFailed;
    }
    ZyvoFrameBufferConfiguration storeConfiguration;
    frameStore->GetFrameBufferConfiguration(&storeConfiguration);
    unsigned int baseAddress = 0, frameNumber = 0, frameSize = 0;
    storeConfiguration.GetFrameBufferBaseAddress(baseAddress);
    storeConfiguration.GetFrameBufferNumber(frameNumber);
    storeConfiguration.GetFrameBufferSize(frameSize);

    ZyvoVideoConfiguration videoConfiguration(videoFormat);
    SetDiagnosticVideoConfiguration(&videoConfiguration, videoFormat);
    unsigned int width = 0, height = 0;
    videoConfiguration.GetPictureWidth(width);
    videoConfiguration.GetPictureHeight(height);

    std::vector<unsigned char> patternBuffer;
    drawPattern(pattern, width, height, pixelFormat, patternBuffer);
    if (patternBuffer.empty()) {
        return kDone;
    }
    auto* dma = zyvodiag::engine::getWidget<ZyvoDmaIO>(mpDevice, ZYVO_WidgetType_DmaIO, 0);
    if (dma == nullptr) {
        std::printf("Could not GetWidget(ZYVO_WidgetType_DmaIO)\n");
        return kFailed;
    }
    // 32-bit device addresses: the arithmetic wraps exactly as the device's does.
    uint32_t targetAddress = baseAddress + frameNumber * frameSize;
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("  %s\n  doDma(hostbuf = %p, fbaddr = 0x%08x, fbSize = 0x%08x)\n", name,
                    static_cast<void*>(patternBuffer.data()), static_cast<unsigned>(targetAddress),
                    frameSize);
        zyvodiag::frames::printFrameData(patternBuffer.data(), patternBuffer.size());
    }
    // A failed transfer is not noticed here; the capture compare finds it.
    dma->DoDma(ZYVO_DmaDirection_HostToDevice, patternBuffer.data(), targetAddress,
               static_cast<uint32_t>(patternBuffer.size()), 1, 0, 0, 0);
    return kDone;
}

int ZyvoDiag::frameBufferFillWithTestPattern(unsigned int frameStoreIdx,
                                             QELTestPatternSelect pattern,
                                             ZyvoVideoFormat videoFormat,
                                             QEL_PixelFormat pixelFormat) {
    const char* name = "frameBufferFillWithTestPattern";
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("  %s(1)(FrameStoreIdx:%d TestPattern:%d VideoFormat:%d PixelFormat:%d)\n",
                    name, static_cast<int>(frameStoreIdx), static_cast<int>(pattern),
                    static_cast<int>(videoFormat), static_cast<int>(pixelFormat));
    }
    if (frameStoreIdx >= static_cast<unsigned int>(zyvodiag::engine::kPlayoutStoreCount)) {
        std::printf("%s Invalid frameStoreIdx (%d)\n", name, static_cast<int>(frameStoreIdx));
        return kFailed;
    }
    // Playout store i was left at frame i by its set-up, so index i fills frame i.
    return frameBufferFillWithTestPattern(mpFBPlayback[frameStoreIdx], pattern, videoFormat,
                                          pixelFormat);
}

// Both pick the frame first, so the pattern lands in it; a playout store then starts playing.
int ZyvoDiag::InputVideoFramePatternFill(int captureStoreIdx, int frameNumber,
                                         QELTestPatternSelect pattern, ZyvoVideoFormat videoFormat,
                                         QEL_PixelFormat pixelFormat) {
    fillFrame(*this, entryAt(mpFBCapture, captureStoreIdx), frameNumber, pattern, videoFormat,
              pixelFormat);
    return 1;
}

int ZyvoDiag::VideoFramePatternFill(int playoutStoreIdx, int frameNumber,
                                    QELTestPatternSelect pattern, ZyvoVideoFormat videoFormat,
                                    QEL_PixelFormat pixelFormat) {
    ZyvoFrameBufferPlayWidget* store = entryAt(mpFBPlayback, playoutStoreIdx);
    fillFrame(*this, store, frameNumber, pattern, videoFormat, pixelFormat);
    playoutStoreEnable(store, true);
    return 1;
}

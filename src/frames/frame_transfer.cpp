// Moving one frame of a frame store into a raw file by one DMA read.
#include "engine/widget_access.h"
#include "frames/frame_data_dump.h"

#include "ZyvoDma.h"
#include "ZyvoFrameBufferWidgets.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kDone = 2;
constexpr int kFailed = -2;
constexpr int kCaptureStoreCount = 4;
constexpr int kPlayoutStoreCount = 6;

// Writes the whole frame; a short write or a failed flush (a full disk shows up only there)
// is a failed write.
bool writeFrame(FILE* file, const unsigned char* frame, unsigned int size, const char* fileName) {
    // The frame goes to the file in one write straight from the host buffer: a stream buffer
    // would only copy its tail once more.
    std::setvbuf(file, nullptr, _IONBF, 0);
    size_t written = std::fwrite(frame, 1, size, file);
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("  %s():  fwrite(%p, %d, %d, \"%s\") returns %d\n", "frameBufferDmaToFile",
                    static_cast<const void*>(frame), 1, static_cast<int>(size), fileName,
                    static_cast<int>(written));
    }
    if (written != size || std::fflush(file) != 0) {
        std::printf("%s() Failed to write file (ferror = %d)\n", "frameBufferDmaToFile",
                    std::ferror(file));
        return false;
    }
    return true;
}

} // namespace

int ZyvoDiag::frameBufferDmaToFile(ZyvoFrameBufferBaseWidget* frameStore, int frameNumber,
                                   const char* fileName) {
    const char* name = "frameBufferDmaToFile";
    if (frameStore == nullptr) {
        std::printf("%s() pFrameStore == NULL\n", name);
        return kFailed;
    }
    ZyvoFrameBufferConfiguration configuration;
    frameStore->GetFrameBufferConfiguration(&configuration);
    unsigned int baseAddress = 0, frameSize = 0;
    configuration.GetFrameBufferBaseAddress(baseAddress);
    configuration.GetFrameBufferSize(frameSize);

    errno = 0;
    FILE* file = std::fopen(fileName, "w");
    int openError = errno;
    ZyvoDmaBuffer hostBuffer;
    unsigned char* frame = hostBuffer.SetupAndGetBufferStart(frameSize);
    auto* dma = zyvodiag::engine::getWidget<ZyvoDmaIO>(mpDevice, ZYVO_WidgetType_DmaIO, 0);

    if (file == nullptr || frame == nullptr || dma == nullptr) {
        if (dma == nullptr) {
            std::printf("%s() Error getting dma widget\n", name);
        }
        if (frame == nullptr) {
            std::printf("%s() Failed to allocate buffer\n", name);
        }
        if (file == nullptr) {
            std::printf("%s() Failed to open %s: %s\n", name, fileName, std::strerror(openError));
        } else {
            std::fclose(file);
        }
        return kFailed;
    }

    // 32-bit device addresses: the arithmetic wraps exactly as the device's does.
    uint32_t sourceAddress = static_cast<uint32_t>(frameNumber) * frameSize + baseAddress;
    std::memset(frame, 0, frameSize);
    int status =
        dma->DoDma(ZYVO_DmaDirection_DeviceToHost, frame, sourceAddress, frameSize, 1, 0, 0, 0);
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("  %s\n  doDma(fbaddr = 0x%08x hostbuf = %p fbSize = 0x%08x)\n", name,
                    static_cast<unsigned>(sourceAddress), static_cast<void*>(frame), frameSize);
        zyvodiag::frames::printFrameData(frame, frameSize);
    }
    int result;
    if (status < 1) {
        std::printf("%s() Error dma-ing (status = %d)\n", name, status);
        result = status;
    } else {
        result = writeFrame(file, frame, frameSize, fileName) ? kDone : kFailed;
    }
    std::fclose(file);
    return result;
}

bool ZyvoDiag::VideoFrameWrite(frameStoreType kind, int storeIndex, int frameNumber,
                               std::string fileName) {
    ZyvoFrameBufferBaseWidget* store = nullptr;
    if (kind == captureFrameStore && storeIndex >= 0 && storeIndex < kCaptureStoreCount) {
        store = mpFBCapture[storeIndex];
    } else if (kind == playoutFrameStore && storeIndex >= 0 && storeIndex < kPlayoutStoreCount) {
        store = mpFBPlayback[storeIndex];
    }
    int result = frameBufferDmaToFile(store, frameNumber, fileName.c_str());
    if (result <= 0 && ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("  %s frameBufferDmaToFile() failed\n", "VideoFrameWrite");
    }
    return result > 0;
}

// Moving one frame of a frame store into a raw file by one DMA read.
#include "engine/device_layout.h"
#include "engine/status_codes.h"
#include "engine/widget_access.h"
#include "frames/frame_data_dump.h"
#include "frames/owned_file.h"

#include "ZyvoDma.h"
#include "ZyvoFrameBufferWidgets.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

using zyvodiag::frames::OwnedFile;
using zyvodiag::status::kDone;
using zyvodiag::status::kFailed;

namespace {

constexpr const char* kName = "frameBufferDmaToFile";

// Writes the whole frame; a short write or a failed flush (a full disk shows up only there) is a
// failed write. The file's owner closes it.
bool writeFrame(OwnedFile& file, const unsigned char* frame, unsigned int size,
                const char* fileName) {
    // The frame goes to the file in one write straight from the host buffer: a stream buffer
    // would only copy its tail once more.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    size_t written = std::fwrite(frame, 1, size, file.get());
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("  %s():  fwrite(%p, %d, %d, \"%s\") returns %d\n", kName,
                    static_cast<const void*>(frame), 1, static_cast<int>(size), fileName,
                    static_cast<int>(written));
    }
    if (written != size || std::fflush(file.get()) != 0) {
        std::printf("%s() Failed to write file (ferror = %d)\n", kName, std::ferror(file.get()));
        return false;
    }
    return true;
}

} // namespace

// The file, the host buffer and the DMA widget are all obtained before any is checked, so a
// report names every one that is missing; the file is closed by its owner on every way out.
int ZyvoDiag::frameBufferDmaToFile(ZyvoFrameBufferBaseWidget* frameStore, int frameNumber,
                                   const char* fileName) {
    if (frameStore == nullptr) {
        std::printf("%s() pFrameStore == NULL\n", kName);
        return kFailed;
    }
    ZyvoFrameBufferConfiguration configuration;
    frameStore->GetFrameBufferConfiguration(&configuration);
    unsigned int baseAddress = 0, frameSize = 0;
    configuration.GetFrameBufferBaseAddress(baseAddress);
    configuration.GetFrameBufferSize(frameSize);

    int openError = 0;
    OwnedFile file = zyvodiag::frames::openFile(fileName, "w", openError);
    ZyvoDmaBuffer hostBuffer;
    unsigned char* frame = hostBuffer.SetupAndGetBufferStart(frameSize);
    auto* dma = zyvodiag::engine::getWidget<ZyvoDmaIO>(mpDevice, ZYVO_WidgetType_DmaIO, 0);
    if (dma == nullptr) {
        std::printf("%s() Error getting dma widget\n", kName);
    }
    if (frame == nullptr) {
        std::printf("%s() Failed to allocate buffer\n", kName);
    }
    if (file == nullptr) {
        std::printf("%s() Failed to open %s: %s\n", kName, fileName, std::strerror(openError));
    }
    if (file == nullptr || frame == nullptr || dma == nullptr) {
        return kFailed;
    }

    // 32-bit device addresses: the arithmetic wraps exactly as the device's does.
    uint32_t sourceAddress = static_cast<uint32_t>(frameNumber) * frameSize + baseAddress;
    std::memset(frame, 0, frameSize);
    int status =
        dma->DoDma(ZYVO_DmaDirection_DeviceToHost, frame, sourceAddress, frameSize, 1, 0, 0, 0);
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("  %s\n  doDma(fbaddr = 0x%08x hostbuf = %p fbSize = 0x%08x)\n", kName,
                    static_cast<unsigned>(sourceAddress), static_cast<void*>(frame), frameSize);
        zyvodiag::frames::printFrameData(frame, frameSize);
    }
    if (status < 1) {
        std::printf("%s() Error dma-ing (status = %d)\n", kName, status);
        return status;
    }
    return writeFrame(file, frame, frameSize, fileName) ? kDone : kFailed;
}

bool ZyvoDiag::VideoFrameWrite(frameStoreType kind, int storeIndex, int frameNumber,
                               std::string fileName) {
    using zyvodiag::engine::entryAt;
    ZyvoFrameBufferBaseWidget* store = nullptr;
    if (kind == captureFrameStore) {
        store = entryAt(mpFBCapture, storeIndex);
    } else if (kind == playoutFrameStore) {
        store = entryAt(mpFBPlayback, storeIndex);
    }
    int result = frameBufferDmaToFile(store, frameNumber, fileName.c_str());
    if (result <= 0 && ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("  %s frameBufferDmaToFile() failed\n", "VideoFrameWrite");
    }
    return result > 0;
}

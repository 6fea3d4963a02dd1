// Range checks of -b for the commands that use it.
#include "commands/frame_argument.h"

#include "ZyvoFrameBufferConfiguration.h"

#include <cstdint>

namespace zyvodiag {

bool checkFrameArgument(FrameArgument use, const ZyvoDiagUserCommands& record, std::string& error) {
    const uint64_t number = record.mFrameBuffer;
    if (use == FrameArgument::kPlayoutStore && number > 5) {
        error = "-b" + std::to_string(number) + ": the playout store is 0 to 5";
        return false;
    }
    if (use != FrameArgument::kCaptureFrame && use != FrameArgument::kPlayoutFrame) {
        return true;
    }
    const uint64_t base = use == FrameArgument::kCaptureFrame ? 0x1000000 : 0x4000000;
    ZyvoFrameBufferConfiguration configuration(record.mVideoFormat, record.mPixelFormat);
    unsigned frameSize = 0;
    configuration.GetFrameBufferSize(frameSize);
    const uint64_t addressSpace = uint64_t(1) << 32;
    if (base + (number + 1) * frameSize > addressSpace) {
        error = "-b" + std::to_string(number) + ": frame " + std::to_string(number) + " of " +
                std::to_string(frameSize) + " bytes lies beyond the device's 32-bit addresses";
        return false;
    }
    return true;
}

} // namespace zyvodiag

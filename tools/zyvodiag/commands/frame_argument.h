// What a command makes of the -b switch, checked before the device is touched.
#pragma once

#include <zyvodiag>

#include <string>

namespace zyvodiag {

enum class FrameArgument {
    kNotUsed,
    kPlayoutStore, // an index of a playout frame store, 0 to 5
    // A frame of the stores' frame buffers, at base + number x frame size; the set-up puts
    // every capture store's frame buffers at 16 MiB and every playout store's at 64 MiB.
    kCaptureFrame,
    kPlayoutFrame,
};

// False, saying why, when -b cannot mean what the command needs. A frame number is refused
// when the frame lies beyond the device's 32-bit address space: the device would wrap the
// address and the command would read or write some other frame.
bool checkFrameArgument(FrameArgument use, const ZyvoDiagUserCommands& record, std::string& error);

} // namespace zyvodiag

// Capturing through a damaged input. The damage is applied to the frame in transit, never to
// device memory in place: a store writes again whenever memory is read while it is on, and each
// write must give the same frame.
#include "video/impaired_capture.h"

#include "video/impairments.h"

#include <algorithm>

namespace zyvosim {

std::vector<Impairment> impairmentsOn(const Bench& bench, const Picture& picture) {
    std::vector<Impairment> found;
    for (const Impairment& impairment : bench.video.impairments) {
        bool sdi = impairment.port == ImpairedPort::SDIInput &&
                   (picture.sdiInputs >> impairment.input & 1u) != 0;
        bool hdmi = impairment.port == ImpairedPort::HDMIInput && picture.hdmiInput;
        if (sdi || hdmi) {
            found.push_back(impairment);
        }
    }
    return found;
}

// The input's own frame buffer is the store's frame: lines that do not arrive (stale, torn)
// show what the store held before this capture. The diagnostics paint a store black before
// they capture, so there they read back black.
bool copyImpairedFrame(DeviceMemory& memory, uint32_t from, uint32_t to, uint32_t length,
                       const FrameBufferConfigState& capture,
                       const std::vector<Impairment>& impairments, uint64_t drawSeed) {
    if (!DeviceMemory::fits(from, length) || !DeviceMemory::fits(to, length)) {
        return true;
    }
    std::vector<uint8_t> frame(length);
    if (!memory.read(from, frame.data(), length)) {
        return false;
    }
    uint32_t arriving = length;
    auto layout = frameSamplesOf(static_cast<ZyvoVideoFormat>(capture.format),
                                 static_cast<ZyvoPixelFormat>(capture.pixelFormat));
    if (layout && layout->pitch > 0) {
        // A frame shorter than the store's format is damaged in its whole lines only.
        layout->lines = std::min<unsigned>(layout->lines, length / layout->pitch);
        unsigned lines = impairFrame(impairments, *layout, drawSeed, frame);
        if (lines < layout->lines) {
            arriving = static_cast<uint32_t>(lines * layout->pitch);
        }
    }
    return arriving == 0 || memory.write(to, frame.data(), arriving);
}

} // namespace zyvosim

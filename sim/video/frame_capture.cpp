// Moving a playout store's frame into the capture store that receives it.
//
// The card does not run frame by frame: a capture store writes when it is switched off, and
// whenever device memory is read while it is on. What it writes is the frame of the playout
// store at the far end of its path (video_path.cpp), byte for byte: both ends of a loopback
// hold the same pixel format, so the bytes are the picture. An input the bench impairs damages
// the frame on its way (impaired_capture.cpp).
#include "video/frame_capture.h"

#include "card/clock.h"
#include "card/sim_board.h"
#include "library/video_formats.h"
#include "video/impaired_capture.h"
#include "video/video_path.h"

#include <algorithm>
#include <type_traits>
#include <vector>

namespace zyvosim {
namespace {

constexpr unsigned kCaptureStoreCount = std::extent_v<decltype(CardState::captureStore)>;
constexpr uint32_t kCopyChunk = 1u << 20;

struct FrameRate {
    ZyvoVideoRate rate;
    uint64_t frames;  // frames in `seconds`
    uint64_t seconds; // 29.97 is 30000 frames in 1001 seconds
};

const FrameRate kFrameRates[] = {
    {ZYVO_VideoRate_2398, 24000, 1001}, {ZYVO_VideoRate_24, 24, 1},
    {ZYVO_VideoRate_25, 25, 1},         {ZYVO_VideoRate_2997, 30000, 1001},
    {ZYVO_VideoRate_30, 30, 1},         {ZYVO_VideoRate_4795, 48000, 1001},
    {ZYVO_VideoRate_48, 48, 1},         {ZYVO_VideoRate_50, 50, 1},
    {ZYVO_VideoRate_5994, 60000, 1001}, {ZYVO_VideoRate_60, 60, 1},
};

// Microseconds one frame of `format` lasts, rounded up; 0 for a format of no known rate.
uint64_t frameTime(ZyvoVideoFormat format) {
    const VideoFormatFacts* facts = findVideoFormat(format);
    for (const FrameRate& row : kFrameRates) {
        if (facts != nullptr && row.rate == facts->rate) {
            return (row.seconds * 1000000u + row.frames - 1) / row.frames;
        }
    }
    return 0;
}

// The frame a store's registers point at, in 32-bit arithmetic as the registers hold it.
uint32_t frameAddress(const FrameStoreState& store) {
    return store.baseAddress + store.number * store.size;
}

// Chunk by chunk, from the end when the frames overlap with the target above the source, so a
// chunk is never read after it was overwritten. False when the memory file refused a chunk.
bool copyFrame(DeviceMemory& memory, uint32_t from, uint32_t to, uint32_t length) {
    if (from == to || !DeviceMemory::fits(from, length) || !DeviceMemory::fits(to, length)) {
        return true;
    }
    const bool backwards = to > from && to - from < length;
    std::vector<uint8_t> chunk(std::min(length, kCopyChunk));
    for (uint32_t done = 0; done < length;) {
        uint32_t part = std::min(length - done, kCopyChunk);
        uint32_t offset = backwards ? length - done - part : done;
        if (!memory.read(from + offset, chunk.data(), part) ||
            !memory.write(to + offset, chunk.data(), part)) {
            return false;
        }
        done += part;
    }
    return true;
}

} // namespace

// A clock that reads earlier than the switch-on (a reset virtual clock, another boot) cannot
// vouch for a whole frame, so nothing is written.
bool captureArrivingFrame(SimBoard& board, unsigned index, uint64_t since) {
    const FrameStoreState& capture = board.state().captureStore[index].store;
    uint64_t needed = frameTime(static_cast<ZyvoVideoFormat>(capture.config.format));
    uint64_t now = cardClockMicroseconds();
    if (board.bench().video.stuckCaptureStores.count(index) != 0 || !capture.configured ||
        needed == 0 || now < since || now - since < needed) {
        return true;
    }
    Picture picture = pictureAtCaptureStore(board, index);
    if (!picture.present || picture.playoutStore < 0) {
        return true;
    }
    const FrameStoreState& playout = board.state().playoutStore[picture.playoutStore].store;
    // A playout frame of another size than the capture frame: the smaller of the two moves.
    uint32_t length = std::min(playout.size, capture.size);
    std::vector<Impairment> impairments = impairmentsOn(board.bench(), picture);
    if (!impairments.empty()) {
        // Bit errors drawn afresh for each capture, the same at each write of one capture.
        return copyImpairedFrame(board.memory(), frameAddress(playout), frameAddress(capture),
                                 length, capture.config, impairments, since);
    }
    return copyFrame(board.memory(), frameAddress(playout), frameAddress(capture), length);
}

bool captureWhileOn(SimBoard& board) {
    bool written = true;
    for (unsigned index = 0; index < kCaptureStoreCount; ++index) {
        const CaptureStoreState& capture = board.state().captureStore[index];
        if (capture.store.enable && !captureArrivingFrame(board, index, capture.enabledAt)) {
            written = false;
        }
    }
    return written;
}

} // namespace zyvosim

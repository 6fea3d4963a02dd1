// A capture store writing a frame that the bench's `impair` lines damage on its way.
#pragma once

#include "bench/bench.h"
#include "card/device_memory.h"
#include "video/video_path.h"
#include "zyvosim/card_state.h"

#include <cstdint>
#include <vector>

namespace zyvosim {

// The impairments of the inputs `picture` came in through, in bench order.
std::vector<Impairment> impairmentsOn(const Bench& bench, const Picture& picture);

// Reads the `length` bytes of the frame at `from`, damages them as `impairments` say for a
// store configured as `capture`, and writes the lines that arrive at `to`. `drawSeed` seeds bit
// errors without a SEED. False when the memory file refused an access.
bool copyImpairedFrame(DeviceMemory& memory, uint32_t from, uint32_t to, uint32_t length,
                       const FrameBufferConfigState& capture,
                       const std::vector<Impairment>& impairments, uint64_t drawSeed);

} // namespace zyvosim

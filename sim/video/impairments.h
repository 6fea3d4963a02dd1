// Damaging a frame on its way into a capture store, as the bench's `impair` lines say.
#pragma once

#include "video/frame_samples.h"
#include "video/impairment.h"

#include <cstdint>
#include <vector>

namespace zyvosim {

// Damages `frame` (the bytes the far end sent, laid out as `layout`) in place by each of
// `impairments` in turn. `drawSeed` seeds the bit errors of a line without a SEED. Returns how
// many lines from the top arrive: the store keeps what it held below them (stale, torn).
unsigned impairFrame(const std::vector<Impairment>& impairments, const FrameSamples& layout,
                     uint64_t drawSeed, std::vector<uint8_t>& frame);

} // namespace zyvosim

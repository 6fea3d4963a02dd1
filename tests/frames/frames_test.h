// The bench of the frame tests: the engine tests' device and context, with device memory and the
// common library's pictures.
#pragma once

#include "engine_test.h"
#include "test_files.h"

#include <cstdint>
#include <string>
#include <vector>

namespace framestest {

using enginetest::calls;
using enginetest::k1080i;
using enginetest::Lines;
using enginetest::operations;
using zyvotest::fileText;
using zyvotest::scratchDirectory;
using zyvotest::scratchFile;
using zyvotest::scratchPath;
using Bytes = std::vector<uint8_t>;

constexpr int kBlack = 8;
constexpr int kWhite = 9;
constexpr uint32_t kFrame8Bit = 1920 * 1080 * 2; // a 1080i frame in pixel format 2

Bytes deviceBytes(uint32_t address, uint32_t length);
// Where the set-up put the capture and the playout stores' frame 0, as the card's registers hold
// it: frames are looked for where the stores read and write them.
uint32_t captureBase();
uint32_t playoutBase();
// A 1080i frame of `pattern` as the common library's generator draws it.
Bytes generated(int pattern, int pixelFormat);
// 0, 1, ... 250, 0, 1, ...: bytes no pattern draws.
Bytes counting(uint32_t length);
bool fileHolds(const std::string& path, const Bytes& bytes);
// The two verbose "fb data" lines of a buffer starting with `first`, in this host's byte order.
std::string fbDataLines(const Bytes& first);
// Host addresses in verbose lines, which change from run to run, as "PTR".
std::string maskPointers(const std::string& text);

// What `action` prints on standard output; checks go after it, where their failures show.
template <typename Action> std::string printedBy(Action action) {
    return zyvotest::captured(action).out;
}

// The context set up by setUpCommand, as a command leaves it.
using FramesTest = enginetest::EngineTest;

} // namespace framestest

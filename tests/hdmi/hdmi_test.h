// The bench of the HDMI tests: the engine tests' device, a parameter record parsed from a
// command line, and what a command prints.
#pragma once

#include "engine_test.h"
#include "test_files.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hdmitest {

using enginetest::calls;
using enginetest::callsMatching;
using enginetest::Lines;
using enginetest::operations;
using enginetest::operator+;
// What one user command did, as a user and a test see it.
using Outcome = zyvotest::Outcome<bool>;

class HDMITest : public enginetest::EngineTest {
protected:
    // The default bench plus `benchLines`, and the record parsed from `arguments` (the switches
    // after the program name), which must be good. Verbose output is then `verbose`.
    void prepare(const std::vector<std::string>& arguments, bool verbose = false,
                 const std::string& benchLines = "");
    // Runs a user command of the record on the device, catching what it prints.
    template <typename Command> Outcome run(Command command) {
        return zyvotest::captured([&] { return (record.*command)(mDevice.mpDevice); });
    }
    // Every call after the last `call`, as calls() writes them.
    static Lines callsAfterLast(const std::string& call);
    // How often `call`, an operation ("SetEnable") or an operation with its arguments
    // ("SetEnable(true)"), was made on any widget of the kind `target`.
    static size_t countOf(const std::string& target, const std::string& call);

    ZyvoDiagUserCommands record;
    const std::string mCaptureFile = zyvotest::scratchPath("capture.raw");
};

} // namespace hdmitest

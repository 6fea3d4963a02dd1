// The simulator's bench file parser on arbitrary text: a bench is loaded, or refused with a
// message that names the origin and the line.
#include "zyvosim/zyvosim.h"

#include <cctype>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"

namespace {

// "fuzz:<line>: <problem>"
bool namesOriginAndLine(const std::string& error) {
    const std::string origin = "fuzz:";
    if (error.compare(0, origin.size(), origin) != 0) {
        return false;
    }
    size_t position = origin.size();
    size_t digits = 0;
    while (position < error.size() && std::isdigit(static_cast<unsigned char>(error[position]))) {
        ++position;
        ++digits;
    }
    return digits > 0 && error.compare(position, 2, ": ") == 0 && error.size() > position + 2;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zyvofuzz::silenceStandardOutput();
    // No card of the fuzzer's outlives it, nor is one shared with a tool run on this machine.
    setenv("ZYVO_SIM_STATE", "private", 1);
    zyvosim::setClockMode(zyvosim::ClockMode::Virtual);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    bool loaded = zyvosim::loadBench(text, error, "fuzz");
    if (loaded) {
        std::string again;
        zyvofuzz::check(zyvosim::loadBench(text, again, "fuzz"), "a loaded bench loads again");
    } else {
        zyvofuzz::check(namesOriginAndLine(error), "a refused bench says where and why");
    }
    zyvosim::reset();
    return 0;
}

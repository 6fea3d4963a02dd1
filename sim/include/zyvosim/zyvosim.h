// Control of the simulated device from tests and the host tool: the bench it runs on, the
// faults it injects, the trace of every call it receives, and its clock.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#define ZYVOSIM_API __attribute__((visibility("default")))

namespace zyvosim {

// ---- Bench ----------------------------------------------------------------------------------

// The bench description used when nothing else is configured: every SDI output cabled to the
// SDI input of the same number, HDMI out cabled to HDMI in, an LTC source and an external
// reference present. Written in the bench file format (docs/simulator.md).
ZYVOSIM_API const std::string& defaultBenchText();

// Replaces the bench with the one described by `text` (in the bench file format). On error
// returns false, leaves the bench as it was and sets `error` to a message naming the line.
// `origin` names the text in messages (a file name, say).
ZYVOSIM_API bool loadBench(const std::string& text, std::string& error,
                           const std::string& origin = "bench");
// The same for a file.
ZYVOSIM_API bool loadBenchFile(const std::string& path, std::string& error);

// Back to no bench loaded (the next call takes ZYVO_SIM or the default bench), no device
// created, no fault armed, fresh text tables, an empty trace and the clock at zero. The clock
// keeps its mode.
ZYVOSIM_API void reset();

// ---- Trace ----------------------------------------------------------------------------------

struct TraceEntry {
    std::string target;    // "factory", "device", "QELDebug", or a widget kind ("SDIOutput")
    int index;             // widget index; -1 where there is none
    std::string operation; // "Open", "SetEnable", ...
    std::string arguments; // the arguments as text, comma separated
    int status;            // what the call returned (0 for calls that return nothing)
    bool threw = false;    // the call threw instead of returning (status is then 0)
};

ZYVOSIM_API const std::vector<TraceEntry>& trace();
ZYVOSIM_API void clearTrace();
// One entry as a line: "SDIOutput[3].SetEnable(true) -> 1", "device.Open() -> 1",
// "device.Open() -> threw".
ZYVOSIM_API std::string formatTraceEntry(const TraceEntry& entry);
// Every entry, one line each.
ZYVOSIM_API std::string formatTrace();

// ---- Clock ----------------------------------------------------------------------------------

enum class ClockMode {
    Real,    // waits take wall-clock time (the tool)
    Virtual, // waits only advance the simulated time (the tests)
};

// The mode starts as Real, or Virtual when the environment variable ZYVO_SIM_CLOCK is
// "virtual".
ZYVOSIM_API void setClockMode(ClockMode mode);
ZYVOSIM_API ClockMode clockMode();
// Simulated time since the last reset, in microseconds.
ZYVOSIM_API uint64_t nowMicroseconds();
// Waits (Real) or advances the simulated time (Virtual).
ZYVOSIM_API void sleepMicroseconds(uint64_t microseconds);

} // namespace zyvosim

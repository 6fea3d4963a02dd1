// Control of the simulated device from tests and the host tool: the bench it runs on, the
// faults it injects, the trace of every call it receives, and its clock.
#pragma once

#include <cstdint>
#include <memory>
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

// The text of the bench in use, byte for byte as it was loaded (the default bench's when none
// was named); empty for a bench file ZYVO_SIM named that could not be read.
ZYVOSIM_API const std::string& benchText();

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
// Simulated time since the last reset, in microseconds.
ZYVOSIM_API uint64_t nowMicroseconds();
// Waits (Real) or advances the simulated time (Virtual).
ZYVOSIM_API void sleepMicroseconds(uint64_t microseconds);
// Every wait asked for since the process started, in either mode: what the diagnostics
// themselves demand, against which the wall time of a run can be held.
ZYVOSIM_API uint64_t demandedWaitMicroseconds();

// ---- Card state and device memory -----------------------------------------------------------

struct CardState;

// The card keeps its state and its 1 GiB of device memory in files of a state directory, so
// they survive from one process to the next as on hardware. The directory is the bench's
// `state-dir`, else the environment variable ZYVO_SIM_STATE, else $XDG_RUNTIME_DIR/zyvosim,
// else ${TMPDIR:-/tmp}/zyvosim-<uid>; it must be the user's own, and writable by no one else.
// "private" is a fresh directory of this process, removed when it exits, and reset() then
// powers its card off and on. Device N keeps its files under their names with "-N" added. A
// process holds the device from CreateLocalDevice to ReleaseDevice; meanwhile another process
// cannot create it.

// The state directory of the bench in use (created if need be); empty when it cannot be had.
ZYVOSIM_API std::string stateDirectory();

// The state of local device `index`'s card, powered on if it never was, for tests to inspect:
// what this process programmed while it holds a handle, else what the card's file holds now.
ZYVOSIM_API const CardState& cardState(unsigned index = 0);

// Power off and on: every widget of device `index`'s card to its power-on state and its device
// memory to zeros. A card another process holds is left alone, with a message on standard
// error. True when the card was power-cycled.
ZYVOSIM_API bool powerCycle(unsigned index = 0);

// Holds device `index`'s card for this process until the last copy of the hold goes, whether
// or not a handle is open meanwhile: this process creates and releases the device as often as
// it likes, and every other process is refused it (CreateLocalDevice and powerCycle fail, saying
// "in use by process PID" on standard error). Null, after that message, when another process
// holds the card, or after the reason when its state directory cannot be used.
using CardHold = std::shared_ptr<void>;
ZYVOSIM_API CardHold holdCard(unsigned index);

// Device memory of device 0's card, bypassing the DMA widget (no trace, no fault). False when
// the range does not fit inside the memory (addresses 0x00000000 to 0x3FFFFFFF), the card
// cannot be had or its memory file refused the access.
ZYVOSIM_API bool readDeviceMemory(uint32_t address, uint32_t length, std::vector<uint8_t>& bytes);
ZYVOSIM_API bool writeDeviceMemory(uint32_t address, const std::vector<uint8_t>& bytes);

// The first failure of the simulated card's own files since the last call, as "PATH: REASON"; empty
// when there was none. Clears it.
ZYVOSIM_API std::string takeStorageFailure();

} // namespace zyvosim

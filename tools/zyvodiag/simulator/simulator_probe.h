// Everything the tool asks of the simulated device itself: its bench, its card, its call trace and
// its clock. A tool built on another device library has a stand-in that answers as a device
// with none of these would, and refuses what only the simulator can do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zyvodiag {

// Empty when this tool drives the simulator; else why `what` (an option, a variable, a command)
// cannot be used, naming the device library the tool is built against.
std::string simulatorMissing(const std::string& what);

// Puts the simulator on the bench the file at `path` describes. False, with why, when it cannot.
bool loadSimulatedBench(const std::string& path, std::string& error);

// Lists every device call the simulator recorded, on standard error.
void printCallTrace();

// The directory that holds the simulated card's state.
std::string simulatedStateDirectory();

// The directory of the simulated card's state when it is this process's private one, which a
// normal exit removes; else empty.
std::string privateCardDirectory();

// "simulated device 0 (state in DIR)".
std::string simulatedDeviceDescription();

// Powers the card off and on so that nothing an earlier command left behind passes or fails a
// test. False, after the simulator's message, when another process holds the card.
bool powerOnAfresh();

// The first failure of the simulated card's own files (a full disk, an I/O error) since the last
// call, as "PATH: REASON"; empty when there was none. Clears it. The diagnostics ignore some
// statuses (a pattern fill's DMA), so a command asks here whether the card really did its work.
std::string takeSimulatorStorageFailure();

// Whether SDI output 10, the monitor's (no input of the default bench is cabled to it), is on,
// unmuted and fed by the monitor's dual-link output, which carries playout store 0. False with the
// first thing that is not so.
bool monitorOutputCarriesPlayoutStore0(std::string& why);

// Whether this tool is built with the simulated device library. Checks that only a simulator
// allows (looking inside the card) are made only then.
bool deviceIsSimulated();

// The call trace the simulator keeps of every device-library call: where it stands now, and the
// calls after `mark` that returned a failure (a status of 0 or less) or threw, in order, as
// "SDIOutput[2].SetEnable(true) returned -1".
size_t callTraceMark();
std::vector<std::string> failedCallsSince(size_t mark);
// Drops the calls recorded so far, so that a long run does not keep them all.
void forgetCallTrace();

// Every wait the diagnostics asked for since the process started, in microseconds.
uint64_t demandedWaitMicroseconds();

// The text of the bench used when no bench file is named.
std::string defaultBenchText();

} // namespace zyvodiag

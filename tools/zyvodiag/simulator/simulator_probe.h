// Everything the tool asks of the simulated device itself: its bench, its card, its call trace and
// its clock. A tool built on another device library has a stand-in that answers as a device
// with none of these would, and refuses what only the simulator can do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zyvodiag {

// Empty when this tool drives the simulator; else why `what` (an option, a variable, a command)
// cannot be used, naming the device library the tool is built against.
std::string simulatorMissing(const std::string& what);

// Puts the simulator on the bench the file at `path` describes. False, with why, when it cannot.
bool loadSimulatedBench(const std::string& path, std::string& error);

// The bytes of the bench the simulator loaded, as it read them; empty without a simulator.
std::string loadedBenchText();

// Lists every device call the simulator recorded, on standard error.
void printCallTrace();

// The directory that holds the simulated card's state.
std::string simulatedStateDirectory();

// The directory of the simulated card's state when it is this process's private one, which a
// normal exit removes; else empty.
std::string privateCardDirectory();

// What names local device `device` in reports: "simulated device N (state in DIR)".
std::string simulatedDeviceDescription(unsigned device);

// Powers the card of `device` off and on so that nothing an earlier command left behind passes
// or fails a test. False, after the simulator's message, when another process holds the card.
bool powerOnAfresh(unsigned device);

// Keeps every other process off the card of `device` for as long as it lives, while this process
// still opens and closes the device as often as it likes: a run's verdicts then cannot depend on
// what another process does to the card meanwhile. Others asking for the card are refused,
// naming this process. held() is false, after the simulator's message naming the holder, when
// another process has the card already. A device library other than the simulator has no lock
// to take: the hold is then always had.
class CardHold {
public:
    explicit CardHold(unsigned device);
    bool held() const { return mHeld; }
    // Lets the card go before the hold ends.
    void release() { mLock.reset(); }

private:
    std::shared_ptr<void> mLock;
    bool mHeld;
};

// The first failure of the simulated card's own files (a full disk, an I/O error) since the last
// call, as "PATH: REASON"; empty when there was none. Clears it. The diagnostics ignore some
// statuses (a pattern fill's DMA), so a command asks here whether the card really did its work.
std::string takeSimulatorStorageFailure();

// Whether SDI output 10 of `device`, the monitor's (no input of the default bench is cabled to
// it), is on, unmuted and fed by the monitor's dual-link output, which carries playout store 0.
// False with the first thing that is not so.
bool monitorOutputCarriesPlayoutStore0(unsigned device, std::string& why);

// Whether this tool is built with the simulated device library. Checks that only a simulator
// allows (looking inside the card) are made only then.
bool deviceIsSimulated();

// The call trace the simulator keeps of every device-library call: where it stands now, and the
// calls after `mark` that returned a failure (a status of 0 or less) or threw, in order, as
// "SDIOutput[2].SetEnable(true) returned -1".
size_t callTraceMark();
std::vector<std::string> failedCallsSince(size_t mark);

// One call of the device library as the simulator traced it; `status` is what it returned.
struct TracedCall {
    std::string target; // "device", or a widget kind as the trace names it ("CaptureStore")
    int index;          // the widget's index, -1 where there is none
    std::string operation;
    std::string arguments;
    int status;
};
// Every call after `mark`, in order; none on a device library other than the simulator.
std::vector<TracedCall> callsSince(size_t mark);
// Drops the calls recorded so far, so that a long run does not keep them all.
void forgetCallTrace();

// Every wait the diagnostics asked for since the process started, in microseconds.
uint64_t demandedWaitMicroseconds();

// The text of the bench used when no bench file is named.
std::string defaultBenchText();

} // namespace zyvodiag

// The tool's questions to the simulated device, answered by the simulator's control API.
#include "simulator/simulator_probe.h"

#include "engine/device_layout.h"
#include "zyvosim/card_state.h"
#include "zyvosim/zyvosim.h"

#include <cstdio>

namespace zyvodiag {
namespace {

using engine::kMonitorDualLinkOutput;
using engine::kMonitorDualLinkSource;
using engine::kMonitorSDIOutput;
using engine::kPlayoutStore0Source;

} // namespace

std::string simulatorMissing(const std::string&) {
    return {};
}

bool loadSimulatedBench(const std::string& path, std::string& error) {
    return zyvosim::loadBenchFile(path, error);
}

std::string loadedBenchText() {
    return zyvosim::benchText();
}

void printCallTrace() {
    std::fprintf(stderr, "trace of %zu calls:\n", zyvosim::trace().size());
    for (const auto& entry : zyvosim::trace()) {
        std::fprintf(stderr, "  %s\n", zyvosim::formatTraceEntry(entry).c_str());
    }
}

std::string simulatedStateDirectory() {
    return zyvosim::stateDirectory();
}

std::string privateCardDirectory() {
    const std::string directory = zyvosim::stateDirectory();
    return directory.find("/zyvosim-private-") != std::string::npos ? directory : "";
}

std::string simulatedDeviceDescription(unsigned device) {
    return "simulated device " + std::to_string(device) + " (state in " +
           zyvosim::stateDirectory() + ")";
}

bool powerOnAfresh(unsigned device) {
    return zyvosim::powerCycle(device);
}

CardHold::CardHold(unsigned device) : mLock(zyvosim::holdCard(device)), mHeld(mLock != nullptr) {}

std::string takeSimulatorStorageFailure() {
    return zyvosim::takeStorageFailure();
}

bool monitorOutputCarriesPlayoutStore0(unsigned device, std::string& why) {
    const zyvosim::CardState& card = zyvosim::cardState(device);
    const zyvosim::SDIOutputState& output = card.sdiOutput[kMonitorSDIOutput];
    const zyvosim::DualLinkState& dualLink = card.dualLinkOutput[kMonitorDualLinkOutput];
    if (!output.enable || output.mute) {
        why = std::string("the monitor's SDI output 10 is ") + (output.enable ? "muted" : "off");
    } else if (output.source != kMonitorDualLinkSource) {
        why = "SDI output 10 takes source " + std::to_string(output.source) +
              ", not the monitor's dual-link output 4 (57)";
    } else if (dualLink.source != kPlayoutStore0Source) {
        why = "dual-link output 4 takes source " + std::to_string(dualLink.source) +
              ", not playout store 0 (92)";
    } else if (!card.playoutStore[0].store.enable) {
        why = "playout store 0 does not play";
    } else {
        return true;
    }
    return false;
}

bool deviceIsSimulated() {
    return true;
}

size_t callTraceMark() {
    return zyvosim::trace().size();
}

std::vector<std::string> failedCallsSince(size_t mark) {
    std::vector<std::string> failed;
    const std::vector<zyvosim::TraceEntry>& calls = zyvosim::trace();
    for (size_t i = mark; i < calls.size(); ++i) {
        const zyvosim::TraceEntry& call = calls[i];
        // A wait returns nothing; the trace shows it as 0.
        if (!call.threw && (call.status > 0 || call.target == "QELTime")) {
            continue;
        }
        std::string text = call.target;
        if (call.index >= 0) {
            text += "[" + std::to_string(call.index) + "]";
        }
        text += "." + call.operation + "(" + call.arguments + ")";
        failed.push_back(text + (call.threw ? " threw an exception"
                                            : " returned " + std::to_string(call.status)));
    }
    return failed;
}

std::vector<TracedCall> callsSince(size_t mark) {
    std::vector<TracedCall> calls;
    const std::vector<zyvosim::TraceEntry>& trace = zyvosim::trace();
    for (size_t i = mark; i < trace.size(); ++i) {
        const zyvosim::TraceEntry& call = trace[i];
        calls.push_back(
            TracedCall{call.target, call.index, call.operation, call.arguments, call.status});
    }
    return calls;
}

void forgetCallTrace() {
    zyvosim::clearTrace();
}

uint64_t demandedWaitMicroseconds() {
    return zyvosim::demandedWaitMicroseconds();
}

std::string defaultBenchText() {
    return zyvosim::defaultBenchText();
}

} // namespace zyvodiag

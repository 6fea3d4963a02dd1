// The tool's questions to the simulated device, on a device library that is not the simulator:
// there is no bench to load, no trace, no card to look into and no clock but the real one.
#include "simulator/simulator_probe.h"

namespace zyvodiag {

std::string simulatorMissing(const std::string& what) {
    return what + " needs the simulated device, and this zyvodiag is built against the device "
                  "library " ZYVODIAG_DEVICE_LIBRARY;
}

std::string loadedBenchText() {
    return {};
}

bool loadSimulatedBench(const std::string&, std::string& error) {
    error = simulatorMissing("--sim");
    return false;
}

void printCallTrace() {}

std::string simulatedStateDirectory() {
    return {};
}

std::string simulatedDeviceDescription(unsigned device) {
    return "device " + std::to_string(device);
}

// Nothing of an earlier command survives that a power cycle could clear here.
bool powerOnAfresh(unsigned) {
    return true;
}

CardHold::CardHold(unsigned) : mHeld(true) {}

std::string takeSimulatorStorageFailure() {
    return {};
}

bool monitorOutputCarriesPlayoutStore0(unsigned, std::string& why) {
    why = simulatorMissing("reading the card");
    return false;
}

bool deviceIsSimulated() {
    return false;
}

size_t callTraceMark() {
    return 0;
}

std::string privateCardDirectory() {
    return {};
}

std::vector<std::string> failedCallsSince(size_t) {
    return {};
}

std::vector<TracedCall> callsSince(size_t) {
    return {};
}

void forgetCallTrace() {}

uint64_t demandedWaitMicroseconds() {
    return 0;
}

std::string defaultBenchText() {
    return {};
}

} // namespace zyvodiag

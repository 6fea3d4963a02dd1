// Which local device the commands run on, and opening one other than device 0.
#include "commands/device_session.h"

#include "QELDebug.h"

#include <cstdio>

namespace zyvodiag {
namespace {

unsigned short s_device = 0;

// What the library's open throws inside its catch-all, here too.
constexpr int kOpenFailed = 0;

// The library's open, step by step, for `index`; close() releases what it created either way.
// Ctrl-C: the library's open installs its own handler, which the tool takes back at once. Here
// the tool's handler is installed instead: it sets the library's quit flag too, and no Ctrl-C
// goes unnoticed by the tool in between.
bool openLocalDevice(ZyvoDiagDevice& device, unsigned short index) {
    takeBackInterrupts();
    try {
        if (QELDebug::Open() <= 0) {
            std::printf("\nWARNING: QELDebug failed to open\n");
        }
        const int found = device.mFactory.FindLocalDevices();
        if (device.mFactory.CreateLocalDevice(index, device.mpDevice) <= 0) {
            std::printf("\ndevice %d create failed\n", index);
            if (index >= found) {
                std::fflush(stdout);
                std::fprintf(stderr, "zyvodiag: no local device %d: the device library found %d\n",
                             index, found);
            }
            throw kOpenFailed;
        }
        if (device.mpDevice->Open() <= 0) {
            std::printf("\ndevice %d open failed (Fpga fail to load ?)\n", index);
            throw kOpenFailed;
        }
        if (device.mpDevice->InitializeHardware() <= 0) {
            std::printf("\ninitialize hardware failed\n");
            throw kOpenFailed;
        }
        // The library's quit flag, as the tool's handler keeps it.
        if (stopSignal() != 0) {
            throw kOpenFailed;
        }
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

void chooseDevice(unsigned short index) {
    s_device = index;
}

unsigned short chosenDevice() {
    return s_device;
}

bool openChosenDevice(ZyvoDiagDevice& device) {
    return s_device == 0 ? device.open() : openLocalDevice(device, s_device);
}

} // namespace zyvodiag

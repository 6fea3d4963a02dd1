// Opening and closing the local device, and the Ctrl-C handler that can veto an open.
#include <zyvodiag>

#include "QELDebug.h"

#include <csignal>
#include <cstdio>

namespace {

// Set by SignalHandler and never cleared: once the user asked to quit, no later open succeeds.
volatile std::sig_atomic_t s_bQuit = false;

// Every failure inside open raises this and is turned into a false result by open itself.
constexpr int kOpenFailed = 0;

} // namespace

void SignalHandler(int) {
    s_bQuit = true;
}

bool ZyvoDiagDevice::open() {
    std::signal(SIGINT, SignalHandler);
    try {
        if (QELDebug::Open() <= 0) {
            std::printf("\nWARNING: QELDebug failed to open\n");
        }
        mFactory.FindLocalDevices();
        if (mFactory.CreateLocalDevice(0, mpDevice) <= 0) {
            std::printf("\ndevice %d create failed\n", 0);
            throw kOpenFailed;
        }
        if (mpDevice->Open() <= 0) {
            std::printf("\ndevice %d open failed (Fpga fail to load ?)\n", 0);
            throw kOpenFailed;
        }
        if (mpDevice->InitializeHardware() <= 0) {
            std::printf("\ninitialize hardware failed\n");
            throw kOpenFailed;
        }
        if (s_bQuit) {
            throw kOpenFailed;
        }
        return true;
    } catch (...) {
        // A device library that throws is treated like one that reports failure.
        return false;
    }
}

bool ZyvoDiagDevice::close() {
    if (mpDevice != nullptr) {
        mFactory.ReleaseDevice(mpDevice);
        mpDevice = nullptr;
    }
    QELDebug::Close();
    return true;
}

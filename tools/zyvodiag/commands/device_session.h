// The device held open for the length of one command, closed on every way out, and which local
// device the tool's commands run on.
#pragma once

#include "system/hard_stop.h"
#include "system/stop_signals.h"

#include <zyvodiag>

namespace zyvodiag {

// The local device every command of this process opens (--device N); 0 unless chosen.
void chooseDevice(unsigned short index);
unsigned short chosenDevice();

// Opens the chosen device into `device`. Device 0 is opened by the library's own open; another
// device through the same factory with the same steps, messages and results, the index being
// the only difference.
bool openChosenDevice(ZyvoDiagDevice& device);

class DeviceSession {
public:
    // Opening installs the library's Ctrl-C handler; the tool takes SIGINT back at once.
    DeviceSession() : mOpened(openChosenDevice(mDevice)) {
        takeBackInterrupts();
        removePrivateCardOnHardStop();
    }
    // A device library that throws while the device is released must not end the process
    // while an earlier exception is on its way out; the ordinary way out calls close().
    ~DeviceSession() {
        try {
            close();
        } catch (...) {
        }
    }
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // False when the library could not open the device; it has said why.
    bool opened() const { return mOpened; }
    ZyvoDevice* device() const { return mDevice.mpDevice; }

    // Releases the device now; whatever the device library throws goes to the caller.
    void close() {
        if (!mClosed) {
            mClosed = true;
            mDevice.close();
        }
    }

private:
    ZyvoDiagDevice mDevice;
    bool mOpened;
    bool mClosed = false;
};

} // namespace zyvodiag

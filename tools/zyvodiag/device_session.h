// The device held open for the length of one command, closed on every way out.
#pragma once

#include <zyvodiag>

namespace zyvodiag {

class DeviceSession {
public:
    DeviceSession() : mOpened(mDevice.open()) {}
    ~DeviceSession() { mDevice.close(); }
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // False when the library could not open the device; it has said why.
    bool opened() const { return mOpened; }
    ZyvoDevice* device() const { return mDevice.mpDevice; }

private:
    ZyvoDiagDevice mDevice;
    bool mOpened;
};

} // namespace zyvodiag

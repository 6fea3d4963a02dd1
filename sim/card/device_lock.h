// The lock that keeps a simulated device to one process at a time, as a card is driven by one
// host program at a time.
#pragma once

#include <memory>
#include <string>

namespace zyvosim {

class DeviceLock {
public:
    // Takes the lock of device `index` in `directory`, an flock on its lock file that records
    // the holder's pid. The handles of one process share it. When another process holds it,
    // prints "zyvosim: the simulated device in DIR is in use by process PID" on standard error
    // and gives null.
    static std::unique_ptr<DeviceLock> take(const std::string& directory, unsigned index);
    ~DeviceLock();
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    explicit DeviceLock(std::string path);
    std::string mPath;
};

} // namespace zyvosim

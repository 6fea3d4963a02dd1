// The lock that keeps a simulated device to one process at a time, as a card is driven by one
// host program at a time.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <utility>

namespace zyvosim {

class DeviceLock {
public:
    // Takes the lock of device `index` in `directory`, a POSIX record lock on its lock file (see
    // openCardFile), which the kernel keeps with the holder's pid. The handles of one process
    // share it. When another process holds it, prints "zyvosim: the simulated device in DIR is
    // in use by process PID" on standard error ("device N in DIR" for N above 0) and gives null.
    static std::unique_ptr<DeviceLock> take(const std::string& directory, unsigned index);
    ~DeviceLock();
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

    // A lock file as the kernel knows it: its device and inode.
    using FileId = std::pair<dev_t, ino_t>;

private:
    explicit DeviceLock(FileId file);
    FileId mFile;
};

} // namespace zyvosim

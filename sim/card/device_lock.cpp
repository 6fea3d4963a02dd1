// Holding a simulated device: an exclusive POSIX record lock on its lock file, shared by the
// process's handles, released with the last of them.
#include "card/device_lock.h"

#include "card/state_directory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

namespace zyvosim {
namespace {

struct HeldLock {
    int descriptor;
    unsigned holders;
    pid_t owner; // the process that took it
};

// A record lock belongs to the process, and closing any descriptor of the file lets it go: so
// each lock file is opened once per process, and its handles share that descriptor. Files are
// told apart by inode, not by path, which may name one directory in several ways.
// Never destroyed: a device released from a static destructor still finds its lock.
std::map<DeviceLock::FileId, HeldLock>& heldLocks() {
    static auto* locks = new std::map<DeviceLock::FileId, HeldLock>();
    return *locks;
}

// A forked child inherits the table but none of the locks. Closing its copies of the
// descriptors leaves the parent's locks alone.
void forgetInheritedLocks() {
    auto& locks = heldLocks();
    for (auto held = locks.begin(); held != locks.end();) {
        if (held->second.owner != getpid()) {
            close(held->second.descriptor);
            held = locks.erase(held);
        } else {
            ++held;
        }
    }
}

// Takes the lock without waiting; else sets `holder` to the process the kernel names (0 when it
// cannot name one) and gives the error. A holder that let go between the two requests names no
// one, so the lock is tried again.
int lockOrFindHolder(int descriptor, pid_t& holder) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        if (fcntl(descriptor, F_SETLK, &lock) == 0) {
            return 0;
        }
        if (errno != EACCES && errno != EAGAIN) {
            return errno;
        }
        struct flock holding {};
        holding.l_type = F_WRLCK;
        holding.l_whence = SEEK_SET;
        if (fcntl(descriptor, F_GETLK, &holding) != 0) {
            return errno;
        }
        if (holding.l_type != F_UNLCK) {
            holder = holding.l_pid;
            return EAGAIN;
        }
    }
    return EAGAIN;
}

// "the simulated device in DIR" for device 0, as ever; "the simulated device N in DIR" else.
std::string deviceName(const std::string& directory, unsigned index) {
    return "the simulated device " + (index > 0 ? std::to_string(index) + " " : std::string()) +
           "in " + directory;
}

} // namespace

std::unique_ptr<DeviceLock> DeviceLock::take(const std::string& directory, unsigned index) {
    forgetInheritedLocks();
    struct stat facts {};
    if (lstat(cardFile(directory, "lock", index).c_str(), &facts) == 0) {
        auto held = heldLocks().find({facts.st_dev, facts.st_ino});
        if (held != heldLocks().end()) {
            ++held->second.holders;
            return std::unique_ptr<DeviceLock>(new DeviceLock(held->first));
        }
    }
    // Close on exec: a shell the diagnostics start must not keep the device held.
    std::string problem;
    int descriptor = openCardFile(directory, "lock", index, problem);
    if (descriptor < 0) {
        std::fprintf(stderr, "zyvosim: cannot lock %s: %s\n", deviceName(directory, index).c_str(),
                     problem.c_str());
        return nullptr;
    }
    pid_t holder = 0;
    int error = lockOrFindHolder(descriptor, holder);
    if (error == 0 && fstat(descriptor, &facts) != 0) {
        error = errno;
    }
    if (error != 0) {
        const std::string device = deviceName(directory, index);
        if (holder > 0) {
            std::fprintf(stderr, "zyvosim: %s is in use by process %ld\n", device.c_str(),
                         static_cast<long>(holder));
        } else if (error == EAGAIN) {
            std::fprintf(stderr, "zyvosim: %s is in use by another process\n", device.c_str());
        } else {
            std::fprintf(stderr, "zyvosim: cannot lock %s: %s\n", device.c_str(),
                         std::strerror(error));
        }
        close(descriptor);
        return nullptr;
    }
    FileId file{facts.st_dev, facts.st_ino};
    heldLocks()[file] = HeldLock{descriptor, 1, getpid()};
    return std::unique_ptr<DeviceLock>(new DeviceLock(file));
}

DeviceLock::DeviceLock(FileId file) : mFile(file) {}

// Closing the descriptor lets the lock go.
DeviceLock::~DeviceLock() {
    auto held = heldLocks().find(mFile);
    if (held == heldLocks().end() || held->second.owner != getpid() || --held->second.holders > 0) {
        return;
    }
    close(held->second.descriptor);
    heldLocks().erase(held);
}

} // namespace zyvosim

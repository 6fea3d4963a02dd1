// Holding a simulated device: an exclusive flock on its lock file, shared by the process's
// handles, released with the last of them.
#include "card/device_lock.h"

#include "card/state_directory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <utility>

namespace zyvosim {
namespace {

struct HeldLock {
    int descriptor;
    unsigned holders;
};

// flock belongs to an open file, so a second open of the same lock in this process would refuse
// this process itself; every handle of the process goes through the one open file here.
// Never destroyed: a device released from a static destructor still finds its lock.
std::map<std::string, HeldLock>& heldLocks() {
    static auto* locks = new std::map<std::string, HeldLock>();
    return *locks;
}

std::string holderOf(int descriptor) {
    char text[32] = {};
    ssize_t length = pread(descriptor, text, sizeof text - 1, 0);
    std::string pid(text, length > 0 ? static_cast<size_t>(length) : 0);
    while (!pid.empty() && (pid.back() == '\n' || pid.back() == ' '))
        pid.pop_back();
    return pid.empty() ? "unknown" : pid;
}

void recordHolder(int descriptor) {
    std::string pid = std::to_string(getpid()) + "\n";
    if (ftruncate(descriptor, 0) != 0 || pwrite(descriptor, pid.data(), pid.size(), 0) < 0) {
        // The pid only makes the refusal message more helpful; the lock holds without it.
    }
}

} // namespace

std::unique_ptr<DeviceLock> DeviceLock::take(const std::string& directory, unsigned index) {
    std::string path = cardFile(directory, "lock", index);
    auto held = heldLocks().find(path);
    if (held != heldLocks().end()) {
        ++held->second.holders;
        return std::unique_ptr<DeviceLock>(new DeviceLock(path));
    }
    // Close on exec: a shell the diagnostics start must not keep the device held.
    int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        std::fprintf(stderr, "zyvosim: cannot lock the simulated device in %s: %s\n",
                     directory.c_str(), std::strerror(errno));
        return nullptr;
    }
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            std::fprintf(stderr, "zyvosim: the simulated device in %s is in use by process %s\n",
                         directory.c_str(), holderOf(descriptor).c_str());
        } else {
            std::fprintf(stderr, "zyvosim: cannot lock the simulated device in %s: %s\n",
                         directory.c_str(), std::strerror(errno));
        }
        close(descriptor);
        return nullptr;
    }
    recordHolder(descriptor);
    heldLocks()[path] = HeldLock{descriptor, 1};
    return std::unique_ptr<DeviceLock>(new DeviceLock(path));
}

DeviceLock::DeviceLock(std::string path) : mPath(std::move(path)) {}

// The pid goes with the lock, so a lock file nobody holds names nobody.
DeviceLock::~DeviceLock() {
    auto held = heldLocks().find(mPath);
    if (held == heldLocks().end() || --held->second.holders > 0)
        return;
    int descriptor = held->second.descriptor;
    heldLocks().erase(held);
    if (ftruncate(descriptor, 0) != 0) {
        // Left as it is, the pid names a process that no longer holds the lock: harmless.
    }
    flock(descriptor, LOCK_UN);
    close(descriptor);
}

} // namespace zyvosim

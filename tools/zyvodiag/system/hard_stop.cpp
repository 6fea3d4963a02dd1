// The folders a hard stop removes, kept in a fixed table a signal handler can read.
#include "system/hard_stop.h"

#include "simulator/simulator_probe.h"
#include "system/signal_safe_paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace zyvodiag {
namespace {

SignalSafePaths<8> s_folders;
std::atomic<int> s_lineOpen{0};
std::atomic<int> s_terminal{-1};

// One level deep: the tool's temporary folders hold files only. getdents64 rather than
// readdir, which allocates.
void removeFolderNow(const char* path) {
    const int folder = open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) {
        return;
    }
    alignas(8) char buffer[4096];
    // Entries unlinked under the reading may be skipped: read again from the start until a
    // pass removes nothing more.
    for (bool removed = true; removed;) {
        removed = false;
        lseek(folder, 0, SEEK_SET);
        for (long got; (got = syscall(SYS_getdents64, folder, buffer, sizeof buffer)) > 0;) {
            for (long at = 0; at < got;) {
                const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + at);
                const char* name = entry->d_name;
                if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 &&
                    unlinkat(folder, name, 0) == 0) {
                    removed = true;
                }
                at += entry->d_reclen;
            }
        }
    }
    close(folder);
    rmdir(path);
}

} // namespace

void removeOnHardStop(const std::string& directory) {
    if (!directory.empty()) {
        s_folders.add(directory);
    }
}

void keepOnHardStop(const std::string& directory) {
    s_folders.drop(directory);
}

void removePrivateCardOnHardStop() {
    static bool registered = false;
    if (!registered) {
        const std::string directory = privateCardDirectory();
        registered = !directory.empty();
        removeOnHardStop(directory);
    }
}

void markLineOpen(bool open) {
    // The terminal as it is now: while a command runs, descriptor 1 is its captured log.
    static const int terminal = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    s_terminal.store(terminal);
    s_lineOpen.store(open ? 1 : 0);
}

void tidyOnHardStop() {
    if (s_lineOpen.load() != 0 && s_terminal.load() >= 0) {
        const ssize_t ignored = write(s_terminal.load(), "\n", 1);
        (void)ignored;
    }
    s_folders.forEach(removeFolderNow);
}

} // namespace zyvodiag

// Finding the cause of a failed write by trying what it needed.
#include "system/write_failure.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zyvodiag {

std::string writeFailureCause(const std::string& writePath, uint64_t bytes) {
    // Non-blocking, so that a device nobody reads cannot keep us waiting.
    const int descriptor = open(writePath.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return std::strerror(errno);
    }
    int problem = 0;
    struct stat facts {};
    if (fstat(descriptor, &facts) != 0) {
        problem = errno;
    } else if (S_ISREG(facts.st_mode)) {
        // Reserving the blocks asks the disk, and the size limits, exactly what the write did.
        if (bytes > 0 && off_t(bytes) > 0) {
            problem = posix_fallocate(descriptor, 0, off_t(bytes));
            problem = problem == EINVAL || problem == EOPNOTSUPP ? 0 : problem;
        }
    } else if (write(descriptor, "", 0) < 0) {
        problem = errno;
    }
    close(descriptor);
    return problem == 0 ? std::string() : std::strerror(problem);
}

} // namespace zyvodiag

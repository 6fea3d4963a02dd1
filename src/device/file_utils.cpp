// Runs a shell command and optionally keeps the first line it prints.
#include <zyvodiag>

#include <cstdio>
#include <unistd.h>

namespace {

// The line buffer the caller provides: 254 characters and the terminating zero.
constexpr int kLineBufferSize = 255;
// Without an output buffer the command gets this long to start before its pipe is closed.
constexpr useconds_t kUnreadCommandGrace = 250000;

} // namespace

FileUtils::~FileUtils() = default;

int FileUtils::shell(const char* command, char* output) {
    FILE* pipe = popen(command, "r");
    if (pipe == nullptr) {
        std::perror(command);
        return -1;
    }
    if (output == nullptr) {
        usleep(kUnreadCommandGrace);
        return pclose(pipe);
    }
    output[0] = '\0';
    if (std::fgets(output, kLineBufferSize, pipe) == nullptr) {
        output[0] = '\0';
    }
    return pclose(pipe);
}

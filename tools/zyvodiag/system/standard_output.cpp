// Keeping standard output for a picture and moving the text out of its way.
#include "system/standard_output.h"

#include <unistd.h>

#include <cstdio>

namespace zyvodiag {
namespace {

int s_dataDescriptor = STDOUT_FILENO;

// The value of `name` in "--name VALUE" or "--name=VALUE".
bool valueOf(const std::vector<std::string>& arguments, size_t i, const std::string& name,
             std::string& value) {
    const std::string& word = arguments[i];
    if (word == name && i + 1 < arguments.size()) {
        value = arguments[i + 1];
        return true;
    }
    if (word.compare(0, name.size() + 1, name + "=") == 0) {
        value = word.substr(name.size() + 1);
        return true;
    }
    return false;
}

} // namespace

bool namesStandardOutput(const std::string& path) {
    return path == "-" || path == "/dev/stdout" || path == "/dev/fd/1" || path == "/proc/self/fd/1";
}

void keepStandardOutputForData(const std::vector<std::string>& arguments,
                               const std::vector<std::string>& valueOptions) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        for (const std::string& option : valueOptions) {
            std::string value;
            if (!valueOf(arguments, i, option, value) || !namesStandardOutput(value) ||
                s_dataDescriptor != STDOUT_FILENO) {
                continue;
            }
            std::fflush(stdout);
            const int kept = dup(STDOUT_FILENO);
            if (kept >= 0 && dup2(STDERR_FILENO, STDOUT_FILENO) >= 0) {
                s_dataDescriptor = kept;
            }
        }
    }
}

std::string standardOutputPath() {
    return "/dev/fd/" + std::to_string(s_dataDescriptor);
}

} // namespace zyvodiag

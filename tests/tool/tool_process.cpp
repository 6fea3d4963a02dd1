// The tool as a child process through the shell, so arguments read as a user types them.
#include "tool_process.h"

#include <cstdio>
#include <sys/wait.h>

namespace tooltest {

ToolRun runTool(const std::string& arguments) {
    std::string command = std::string(ZYVODIAG_TOOL) + " " + arguments + " 2>&1 </dev/null";
    ToolRun run{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char block[4096];
    for (size_t got; (got = fread(block, 1, sizeof block, pipe)) > 0;) {
        run.out.append(block, got);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace tooltest

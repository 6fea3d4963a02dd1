// The tool as a child process through the shell, so arguments read as a user types them.
#include "tool_process.h"

#include <cstdio>
#include <sys/wait.h>

namespace tooltest {

namespace {

ToolRun runShell(const std::string& command) {
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

} // namespace

std::string shellQuoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

::testing::AssertionResult endedWith(const ToolRun& run, int status,
                                     std::initializer_list<std::string> parts) {
    if (run.status != status) {
        return ::testing::AssertionFailure() << "status " << run.status << "\n" << run.out;
    }
    for (const std::string& part : parts) {
        if (run.out.find(part) == std::string::npos) {
            return ::testing::AssertionFailure() << "no \"" << part << "\" in\n" << run.out;
        }
    }
    return ::testing::AssertionSuccess();
}

ToolRun runTool(const std::string& arguments, const std::string& environment) {
    // The line a command adds when it succeeds is checked on its own; elsewhere it would only
    // stand between a command and the output that is checked.
    return runShell(environment + " " + toolCommand() + " --quiet " + arguments +
                    " 2>&1 </dev/null");
}

ToolRun runScript(const std::string& script) {
    return runShell("bash -c " + shellQuoted(script) + " 2>&1 </dev/null");
}

std::string toolCommand() {
    return ZYVODIAG_TOOL;
}

} // namespace tooltest

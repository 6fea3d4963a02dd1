// Runs the zyvodiag program as a user would, for the tests of its commands.
#pragma once

#include <string>

namespace tooltest {

struct ToolRun {
    int status;
    std::string out; // standard output and standard error, as a terminal shows them
};

// zyvodiag with `arguments` (shell words), standard input empty.
ToolRun runTool(const std::string& arguments);

} // namespace tooltest

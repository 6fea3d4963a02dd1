// Runs the zyvodiag program as a user would, for the tests of its commands.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace tooltest {

struct ToolRun {
    int status;
    std::string out; // standard output and standard error, as a terminal shows them
};

// Whether `run` ended with `status` having printed each of `parts`; else what it printed.
::testing::AssertionResult endedWith(const ToolRun& run, int status,
                                     std::initializer_list<std::string> parts);

// zyvodiag --quiet with `arguments` (shell words), standard input empty; `environment` is put
// before the program as the shell takes it ("VAR=value ...").
ToolRun runTool(const std::string& arguments, const std::string& environment = "");

// A bash script, for runs that need more than one command (signals, pipes); its standard error
// goes with standard output.
ToolRun runScript(const std::string& script);

// The tool as a shell word, for such scripts.
std::string toolCommand();

// `text` as one word of a shell command line.
std::string shellQuoted(const std::string& text);

} // namespace tooltest

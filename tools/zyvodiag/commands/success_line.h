// The line on standard error that says what a command that succeeded did, where its own
// output does not.
#pragma once

#include "commands/command_table.h"

#include <string>

namespace zyvodiag {

// "zyvodiag output: SDI output 2 plays 75% bars (1080i 29.97, YCbCr 4:2:2 8-bit)", built from
// the command and the record the library's parser makes of its arguments; empty for a command
// whose own output already gives its result.
std::string successLine(const Command& command, const Invocation& invocation);

} // namespace zyvodiag

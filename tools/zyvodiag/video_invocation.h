// Running one library user command: parse the library's video command line, open the device,
// call the command, close the device, and turn the result into an exit status.
#pragma once

#include "command_table.h"

#include <zyvodiag>

#include <functional>
#include <string>
#include <vector>

namespace zyvodiag {

// Takes the tool's own flags (`flags`, e.g. "--sdi") out of the arguments; `given` tells which
// were there, in the order of `flags`.
std::vector<std::string> takeFlags(const std::vector<std::string>& arguments,
                                   const std::vector<std::string>& flags, std::vector<bool>& given);

// Parses `arguments` with the library's video parser; on a line it cannot use (or -h), returns
// false after the parser has printed why.
bool parseVideoArguments(const Invocation& invocation, const std::vector<std::string>& arguments,
                         ZyvoDiagUserCommands& record);

// Parses, opens the device and runs `command`, which returns true for a pass.
int runOnDevice(const Invocation& invocation, const std::vector<std::string>& arguments,
                const std::function<bool(ZyvoDiagUserCommands&, ZyvoDevice*)>& command);

// The same without tool flags: every argument goes to the library's parser.
int runOnDevice(const Invocation& invocation,
                const std::function<bool(ZyvoDiagUserCommands&, ZyvoDevice*)>& command);

} // namespace zyvodiag

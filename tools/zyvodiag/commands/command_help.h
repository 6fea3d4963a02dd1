// `zyvodiag COMMAND -h`: the library's usage and the tool's additions, without the device.
#pragma once

#include "commands/command_table.h"

#include <string>
#include <vector>

namespace zyvodiag {

// Whether the arguments hold the library's help switch (-h, -H or -?) or --help.
bool asksForHelp(const std::vector<std::string>& arguments);

// Prints the help of the command named `name`; help explicitly asked for is a success (kPass).
int printCommandHelp(const Invocation& invocation, const std::string& name);

} // namespace zyvodiag

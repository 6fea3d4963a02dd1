// Running one library user command: parse the library's video command line, open the device,
// call the command, close the device, and turn the result into an exit status.
#pragma once

#include "commands/command_table.h"
#include "commands/frame_argument.h"

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

using DeviceCommand = std::function<bool(ZyvoDiagUserCommands&, ZyvoDevice*)>;

// What the tool checks and guards around a command.
struct CommandNeeds {
    FrameArgument frame = FrameArgument::kNotUsed;
    // The command writes a frame to the input file: it is written under a temporary name and
    // only given its name when the command passes uninterrupted.
    bool writesInputFile = false;
};

// Parses, checks, opens the device and runs `command`, which returns true for a pass. A stop
// signal during the command lets it finish, then ends with 128 + the signal and no file
// written. Whatever the device library throws goes to the caller.
int runOnDevice(const Invocation& invocation, const std::vector<std::string>& arguments,
                CommandNeeds needs, const DeviceCommand& command);

int runOnDevice(const Invocation& invocation, const std::vector<std::string>& arguments,
                const DeviceCommand& command);

// The same without tool flags: every argument goes to the library's parser.
int runOnDevice(const Invocation& invocation, CommandNeeds needs, const DeviceCommand& command);
int runOnDevice(const Invocation& invocation, const DeviceCommand& command);

} // namespace zyvodiag

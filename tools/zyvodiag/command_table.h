// The commands of the zyvodiag program: name, one-line summary and handler.
#pragma once

#include <string>
#include <vector>

namespace zyvodiag {

// Exit statuses of every command.
enum ExitStatus { kPass = 0, kFail = 1, kUnusable = 2 };

// What a command receives: the program name to show in library texts ("zyvodiag parse") and
// the arguments after the command name.
struct Invocation {
    std::string programName;
    std::vector<std::string> arguments;
};

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const Invocation& invocation);
};

const std::vector<Command>& commands();
const Command* findCommand(const std::string& name);

// Handlers, one file per group.
int runParse(const Invocation& invocation);
int runAudio(const Invocation& invocation);
int runOpen(const Invocation& invocation);

} // namespace zyvodiag

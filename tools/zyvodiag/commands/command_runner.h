// The one way a command of the tool runs: from the command line and from the self-test alike.
#pragma once

#include "commands/command_table.h"
#include "selftest/panel_readback.h"

#include <string>
#include <vector>

namespace zyvodiag {

// What one command came to: its exit status and what it found.
struct CommandResult {
    int status = kUnusable;
    // What the command printed, standard error among it in order, when the caller collects it.
    std::string output;
    // Why it failed or was refused: the tool's own reason when it gave one, else the last line
    // the library printed. Empty for a pass.
    std::string finding;
    // The LCD's picture as the lcd command read it back from the card.
    PanelPicture panel;
};

// Runs `command` as `zyvodiag COMMAND ARGUMENTS` runs it: its checks, the device opened and
// closed, the guards of its files. An exception of the device library fails it with one line
// saying so; a stop signal ends it with 128 + the signal. With `collectOutput`, what it prints
// is caught into the result instead of reaching the terminal.
CommandResult runCommand(const Command& command, const Invocation& invocation,
                         bool collectOutput = false);

// Prints "PROGRAM: WHY" on standard error as every command says a failure, records `why` as
// the command's finding, and returns `status`.
int commandFails(const Invocation& invocation, int status, const std::string& why);

// Words as a shell takes them back: each one quoted unless it is plain.
std::string shellWord(const std::string& word);
std::string shellLine(const std::vector<std::string>& words);

} // namespace zyvodiag

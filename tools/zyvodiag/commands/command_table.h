// The commands of the zyvodiag program: name, one-line summary and handler.
#pragma once

#include <string>
#include <vector>

namespace zyvodiag {

struct CommandResult;

// Exit statuses of every command.
enum ExitStatus { kPass = 0, kFail = 1, kUnusable = 2 };

// What a command receives: the program name to show in library texts ("zyvodiag parse") and
// the arguments after the command name.
struct Invocation {
    std::string programName;
    std::vector<std::string> arguments;
    std::string bench = {}; // the --sim file; empty for the default bench
    bool trace = false;     // --trace: the call trace is listed afterwards
    // --allow-fallback: the library's defaults may stand in for values it cannot use.
    bool allowFallback = false;
    bool quiet = false; // --quiet: no line saying that the command succeeded
    // Where the command leaves what it found beyond its status; set by the runner.
    CommandResult* result = nullptr;
};

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const Invocation& invocation);
    // The tool's own long options of the command, space separated; "=" marks one that takes a
    // value ("--png= --keep=").
    const char* options = "";
};

// The options of the tool itself, before the command, in the same form.
extern const char* const kToolOptions;

const std::vector<Command>& commands();
const Command* findCommand(const std::string& name);

// False, saying why, when `arguments` hold a long option `command` does not have (a tool
// option put after the command included).
bool checkCommandOptions(const Command& command, const std::vector<std::string>& arguments,
                         std::string& error);

// Handlers, one file per group.
int runParse(const Invocation& invocation);
int runAudio(const Invocation& invocation);
int runOpen(const Invocation& invocation);
int runSetup(const Invocation& invocation);
int runSimReset(const Invocation& invocation);
int runGenerate(const Invocation& invocation);
int runOutput(const Invocation& invocation);
int runMonitor(const Invocation& invocation);
int runCapturePattern(const Invocation& invocation);
int runCapture(const Invocation& invocation);
int runSave(const Invocation& invocation);
int runCompare(const Invocation& invocation);
int runLtcGet(const Invocation& invocation);
int runLtcSet(const Invocation& invocation);
int runLtcMode(const Invocation& invocation);
int runLtcRate(const Invocation& invocation);
int runLtcTest(const Invocation& invocation);
int runGenlock(const Invocation& invocation);
int runLcd(const Invocation& invocation);
int runHdmiOutput(const Invocation& invocation);
int runHdmiCapture(const Invocation& invocation);
int runHdmiLoopback(const Invocation& invocation);
int runList(const Invocation& invocation);
int runView(const Invocation& invocation);
int runSelfTestCommand(const Invocation& invocation);

} // namespace zyvodiag

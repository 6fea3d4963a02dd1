// Running a command of the table, catching what it throws and, for the self-test, what it says.
#include "commands/command_runner.h"

#include "system/captured_output.h"
#include "system/device_exception.h"
#include "system/stop_signals.h"

#include <cstdio>
#include <memory>
#include <sstream>

namespace zyvodiag {
namespace {

// The last line the library printed, trimmed: what it found wrong, as a rule. The tool's own
// lines ("zyvodiag capture: failed") say only that the command failed.
std::string lastLibraryLine(const std::string& output) {
    std::string last;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line, '\n');) {
        // The HDMI capture's countdown overwrites itself with carriage returns.
        const size_t start = line.find_first_not_of(" \t\r");
        if (start != std::string::npos && line.compare(start, 8, "zyvodiag") != 0) {
            last = line.substr(start);
        }
    }
    while (!last.empty() && (last.back() == ' ' || last.back() == '\r')) {
        last.pop_back();
    }
    return last;
}

} // namespace

int commandFails(const Invocation& invocation, int status, const std::string& why) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s: %s\n", invocation.programName.c_str(), why.c_str());
    if (invocation.result != nullptr && invocation.result->finding.empty()) {
        invocation.result->finding = why;
    }
    return status;
}

CommandResult runCommand(const Command& command, const Invocation& invocation, bool collectOutput) {
    CommandResult result;
    Invocation run = invocation;
    run.result = &result;
    {
        std::unique_ptr<CapturedOutput> capture;
        if (collectOutput) {
            capture = std::make_unique<CapturedOutput>();
        }
        try {
            result.status = command.run(run);
        } catch (...) {
            // The library said nothing of it; the tool's own line names the exception.
            const std::string why = deviceExceptionText(command.name);
            std::fflush(stdout);
            std::fprintf(stderr, "zyvodiag: %s\n", why.c_str());
            result.finding = why;
            result.status = kFail;
        }
        if (stopSignal() != 0 && result.status != stopStatus()) {
            result.status = commandFails(run, stopStatus(), stopDescription());
        }
        std::fflush(stdout);
        if (capture) {
            result.output = capture->text();
        }
    }
    if (result.status == kPass) {
        result.finding.clear();
    } else if (result.finding.empty()) {
        result.finding = lastLibraryLine(result.output);
    }
    return result;
}

std::string shellWord(const std::string& word) {
    if (!word.empty() &&
        word.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                               "0123456789-_./=:+,%@") == std::string::npos) {
        return word;
    }
    std::string quoted = "'";
    for (char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string shellLine(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) {
        line += (line.empty() ? "" : " ") + shellWord(word);
    }
    return line;
}

} // namespace zyvodiag

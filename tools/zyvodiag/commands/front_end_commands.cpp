// The parse and audio commands: run a library parser and show the record it produced.
#include "commands/argument_vector.h"
#include "commands/command_table.h"
#include "commands/fallback_check.h"
#include "commands/record_printer.h"

#include <zyvodiag>

#include <cstdio>

namespace zyvodiag {

// A line the library's parser rejects is a command line that cannot be used, as for every other
// command; the parser has said why.
int runParse(const Invocation& invocation) {
    ArgumentVector args(invocation.programName, invocation.arguments);
    ZyvoDiagUserCommands record;
    bool accepted = record.parseCmdLineArgs(args.argc(), args.argv());
    std::fflush(stdout);
    if (!accepted) {
        std::printf("\n");
        acceptsWhatWasAsked(invocation, invocation.arguments, record, false);
        return kUnusable;
    }
    printVideoRecord(record);
    return acceptsWhatWasAsked(invocation, invocation.arguments, record, true) ? kPass : kUnusable;
}

int runAudio(const Invocation& invocation) {
    ArgumentVector args(invocation.programName, invocation.arguments);
    ZyvoDiagUserCommands record;
    bool accepted = record.parseAudioCmdLineArgs(args.argc(), args.argv());
    if (!accepted) {
        std::printf("\n");
        acceptsWhatWasAskedOfAudio(invocation, invocation.arguments, record, false);
        return kUnusable;
    }
    printAudioRecord(record);
    return acceptsWhatWasAskedOfAudio(invocation, invocation.arguments, record, true) ? kPass
                                                                                      : kUnusable;
}

} // namespace zyvodiag

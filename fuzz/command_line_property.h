// The property both command-line fuzzers check: an input parses alike in a fresh record and in
// one that parsed an earlier command line first, so nothing of the earlier one leaks.
#pragma once

#include <zyvodiag>

#include "fuzz_support.h"

namespace zyvofuzz {

// A command line and what to check of it: the parser, the tuple of what it sets, an earlier
// command line for the reused record, and what an accepted command line must hold.
template <typename Fields> struct CommandLine {
    bool (ZyvoDiagUserCommands::*parse)(int argc, char* argv[]);
    Fields (*fields)(const ZyvoDiagUserCommands& record);
    bool (*parseEarlier)(ZyvoDiagUserCommands& record);
    void (*checkAccepted)(const ZyvoDiagUserCommands& record);
};

template <typename Fields>
CommandLine<Fields> makeCommandLine(bool (ZyvoDiagUserCommands::*parse)(int, char*[]),
                                    Fields (*fields)(const ZyvoDiagUserCommands&),
                                    bool (*parseEarlier)(ZyvoDiagUserCommands&),
                                    void (*checkAccepted)(const ZyvoDiagUserCommands&)) {
    return {parse, fields, parseEarlier, checkAccepted};
}

template <typename Fields>
void checkParsesAfresh(const CommandLine<Fields>& line, const uint8_t* data, size_t size) {
    ArgumentVector fresh("zyvodiag", data, size);
    ZyvoDiagUserCommands record;
    const bool accepted = (record.*line.parse)(fresh.count(), fresh.values());
    if (accepted) {
        line.checkAccepted(record);
    }
    const Fields freshFields = line.fields(record);

    ZyvoDiagUserCommands reused;
    line.parseEarlier(reused);
    ArgumentVector again("zyvodiag", data, size);
    check((reused.*line.parse)(again.count(), again.values()) == accepted,
          "an earlier command line changes whether this one is accepted");
    check(line.fields(reused) == freshFields,
          "an earlier command line leaks into the parameters of this one");
}

} // namespace zyvofuzz

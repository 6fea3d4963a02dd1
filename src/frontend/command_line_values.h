// Reading switches and their glued values, shared by the video and audio command lines.
#pragma once

#include <cctype>
#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <zyvodiag>

namespace zyvodiag::frontend {

// The switch letter of "-x...", folded so that -d and -D are the same switch. A lone "-"
// yields its terminating zero, which the parsers report as an invalid switch.
inline char switchLetter(const char* argument) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(argument[1])));
}

// The value glued to a switch: everything after "-x".
inline const char* switchValue(const char* argument) {
    return argument + 2;
}

inline bool isHelpSwitch(char letter) {
    return letter == 'H' || letter == '?';
}

// Reads an unsigned decimal the way the users of these tools have always typed it; false when
// no number is there.
inline bool readUnsigned(const char* text, uint32_t& value) {
    uint32_t read = 0;
    if (std::sscanf(text, "%" SCNu32, &read) != 1) {
        return false;
    }
    value = read;
    return true;
}

// -D[level]: verbose output on, with an optional level in decimal or with a 0x prefix in hex.
// A level that cannot be read is 0 rather than an error: -D alone is the common case.
inline void enableDebugOutput(const char* value) {
    uint32_t level = 0;
    if (value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        if (std::sscanf(value + 2, "%" SCNx32, &level) != 1) {
            level = 0;
        }
    } else if (!readUnsigned(value, level)) {
        level = 0;
    }
    ZyvoDiagUserCommands::msDebugOutput = true;
    ZyvoDiagUserCommands::msDebugOutputLevel = level;
}

// The help text: the synopsis line, then one line per switch.
template <size_t N>
void printUsage(const char* programName, const char* synopsis, const char* const (&lines)[N]) {
    std::printf("\nusage:  %s %s\n", programName, synopsis);
    for (const char* line : lines) {
        std::printf("%s\n", line);
    }
    std::printf("\n");
}

enum class Scan { Accepted, Refused, Help };

// Walks the arguments: `applySwitch(argument)`, false for a switch in error, for each switch;
// `takeOperand(argument)` for every other argument. A help switch ends the scan. Otherwise every
// argument is applied, so that the user sees every complaint at once.
template <typename ApplySwitch, typename TakeOperand>
Scan scanArguments(int argc, char* argv[], ApplySwitch applySwitch, TakeOperand takeOperand) {
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (argument[0] != '-') {
            takeOperand(argument);
        } else if (isHelpSwitch(switchLetter(argument))) {
            return Scan::Help;
        } else {
            ok = applySwitch(argument) && ok;
        }
    }
    return ok ? Scan::Accepted : Scan::Refused;
}

} // namespace zyvodiag::frontend

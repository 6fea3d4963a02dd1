// What a command line asked for that the library's parsers would quietly replace.
#pragma once

#include "commands/command_table.h"

#include <zyvodiag>

#include <string>
#include <vector>

namespace zyvodiag {

// One value the library's parser could not use: what was asked, and what runs instead.
struct Fallback {
    std::string asked; // "-r61 (there is no frame rate 61)"
    std::string used;  // "29.97"
};

// Each fallback the library's video and audio parsers make, checked against the words of the
// command line and the record the parser made of them. The parser warns of some of them on
// standard output and of others not at all; either way the command would run with something
// that was not asked for.
class FallbackCheck {
public:
    // The switches of each line that take a value.
    static constexpr const char* kVideoValueSwitches = "BFPRVIOD";
    static constexpr const char* kAudioValueSwitches = "TLCND";

    FallbackCheck(const std::vector<std::string>& arguments, const ZyvoDiagUserCommands& record);

    std::vector<Fallback> ofVideoLine() const;
    std::vector<Fallback> ofAudioLine() const;

    // A switch of `valueSwitches` written apart from its number ("-i 3"): the parser reads the
    // switch without a value and the number as a word of its own. "-i3", or empty.
    std::string separatedValue(const char* valueSwitches) const;

private:
    // Fallbacks of every switch: a number followed by text the parser ignores, a debug level
    // it cannot read, an empty word, and a value written apart from its switch.
    void checkWords(const char* numberSwitches, const char* valueSwitches,
                    std::vector<Fallback>& found) const;
    void checkStandard(std::vector<Fallback>& found) const;
    void checkRate(std::vector<Fallback>& found) const;
    void checkPixelFormat(std::vector<Fallback>& found) const;
    void checkFormatPair(std::vector<Fallback>& found) const;
    void checkAudioValues(std::vector<Fallback>& found) const;
    // The value of the last `letter` switch (the parser keeps the last one); false if none.
    bool lastValue(char letter, std::string& value) const;

    const std::vector<std::string>& mArguments;
    const ZyvoDiagUserCommands& mRecord;
};

// The runner's check after the library's video parser: on a refused line, the hint for a value
// written apart from its switch; on an accepted one, a line for each fallback, unless the user
// gave --allow-fallback. False when the command must not run.
bool acceptsWhatWasAsked(const Invocation& invocation, const std::vector<std::string>& arguments,
                         const ZyvoDiagUserCommands& record, bool parsed);

// The same for the audio parser.
bool acceptsWhatWasAskedOfAudio(const Invocation& invocation,
                                const std::vector<std::string>& arguments,
                                const ZyvoDiagUserCommands& record, bool parsed);

} // namespace zyvodiag

// The fallbacks of the library's command-line parsers, found from the words and the record.
#include "commands/fallback_check.h"

#include "system/captured_output.h"

#include <cctype>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zyvodiag {
namespace {

bool isSwitch(const std::string& word) {
    return word.size() >= 2 && word[0] == '-';
}

char letterOf(const std::string& word) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(word[1])));
}

bool allDigits(const std::string& text, size_t from = 0) {
    if (text.size() <= from) {
        return false;
    }
    for (size_t i = from; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    return true;
}

// The number the library's parsers read from a value: sscanf's, which skips blanks, takes a
// sign and stops at the first character that is not a digit.
bool readLikeLibrary(const std::string& value, uint32_t& number) {
    return std::sscanf(value.c_str(), "%" SCNu32, &number) == 1;
}

// The level -D reads from a value: hex after 0x, else decimal, else 0.
uint32_t debugLevelOf(const std::string& value) {
    uint32_t level = 0;
    if (value.size() >= 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        return std::sscanf(value.c_str() + 2, "%" SCNx32, &level) == 1 ? level : 0;
    }
    return readLikeLibrary(value, level) ? level : 0;
}

bool readableDebugLevel(const std::string& value) {
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        for (size_t i = 2; i < value.size(); ++i) {
            if (!std::isxdigit(static_cast<unsigned char>(value[i]))) {
                return false;
            }
        }
        return true;
    }
    return value.empty() || allDigits(value);
}

// "29.97" after -r names the rate the library picked from its integer part, 29.
bool namesRate(const std::string& value, ZyvoVideoRate rate) {
    const size_t point = value.find('.');
    if (point == std::string::npos || !allDigits(value.substr(0, point)) ||
        !allDigits(value, point + 1)) {
        return false;
    }
    const double named = std::atof(ZyvoDiag::videoRateNameString(rate));
    return std::fabs(std::atof(value.c_str()) - named) < 0.01;
}

std::string switchText(const std::string& word, uint32_t number) {
    return word.substr(0, 2) + std::to_string(number);
}

// The integer part of a rate's name is what -r takes for it ("29.97": 29).
uint32_t rateNumber(ZyvoVideoRate rate) {
    return static_cast<uint32_t>(std::atoi(ZyvoDiag::videoRateNameString(rate)));
}

} // namespace

FallbackCheck::FallbackCheck(const std::vector<std::string>& arguments,
                             const ZyvoDiagUserCommands& record)
    : mArguments(arguments), mRecord(record) {}

bool FallbackCheck::lastValue(char letter, std::string& value) const {
    bool found = false;
    for (const std::string& word : mArguments) {
        if (isSwitch(word) && letterOf(word) == letter) {
            value = word.substr(2);
            found = true;
        }
    }
    return found;
}

std::string FallbackCheck::separatedValue(const char* valueSwitches) const {
    for (size_t i = 0; i + 1 < mArguments.size(); ++i) {
        const std::string& word = mArguments[i];
        if (word.size() == 2 && isSwitch(word) && word[1] != '\0' &&
            std::strchr(valueSwitches, letterOf(word)) != nullptr && allDigits(mArguments[i + 1])) {
            return word + mArguments[i + 1];
        }
    }
    return {};
}

void FallbackCheck::checkWords(const char* numberSwitches, const char* valueSwitches,
                               std::vector<Fallback>& found) const {
    std::string lastRate;
    lastValue('R', lastRate);
    for (const std::string& word : mArguments) {
        if (word.empty()) {
            found.push_back({"an empty word", "nothing in its place (it skips the word)"});
            continue;
        }
        if (!isSwitch(word)) {
            continue;
        }
        const char letter = letterOf(word);
        const std::string value = word.substr(2);
        uint32_t number = 0;
        if (letter == 'D' && !readableDebugLevel(value)) {
            found.push_back(
                {word + " (no debug level it can read)", switchText(word, debugLevelOf(value))});
        } else if (letter != 'D' && std::strchr(numberSwitches, letter) != nullptr &&
                   readLikeLibrary(value, number) && !allDigits(value) &&
                   !(letter == 'R' && value == lastRate && namesRate(value, mRecord.mVideoRate))) {
            found.push_back({word + " (not a plain number)", switchText(word, number)});
        }
    }
    const std::string separated = separatedValue(valueSwitches);
    if (!separated.empty()) {
        found.push_back(
            {separated.substr(0, 2) + " " + separated.substr(2) +
                 " (a value apart from its switch)",
             separated.substr(0, 2) + " without a value, and " + separated.substr(2) +
                 " as a word of its own; write the value against its switch: " + separated});
    }
}

void FallbackCheck::checkStandard(std::vector<Fallback>& found) const {
    std::string value;
    uint32_t number = 0;
    if (!lastValue('F', value) || !readLikeLibrary(value, number) ||
        static_cast<uint32_t>(mRecord.mVideoStandard) == number) {
        return;
    }
    found.push_back({"-f" + value + " (there is no video standard " + std::to_string(number) + ")",
                     "-f" + std::to_string(mRecord.mVideoStandard) + " (" +
                         ZyvoDiag::videoStandardNameString(mRecord.mVideoStandard) + ")"});
}

void FallbackCheck::checkRate(std::vector<Fallback>& found) const {
    std::string value;
    uint32_t number = 0;
    if (!lastValue('R', value) || !readLikeLibrary(value, number) ||
        rateNumber(mRecord.mVideoRate) == number) {
        return;
    }
    found.push_back({"-r" + value + " (there is no frame rate " + std::to_string(number) + ")",
                     "-r" + std::to_string(rateNumber(mRecord.mVideoRate)) + " (" +
                         ZyvoDiag::videoRateNameString(mRecord.mVideoRate) + ")"});
}

void FallbackCheck::checkPixelFormat(std::vector<Fallback>& found) const {
    std::string value;
    uint32_t number = 0;
    if (!lastValue('V', value) || !readLikeLibrary(value, number) ||
        static_cast<uint32_t>(mRecord.mPixelFormat) == number) {
        return;
    }
    found.push_back(
        {"-v" + value + " (the frame stores take no pixel format " + std::to_string(number) + ")",
         "-v" + std::to_string(mRecord.mPixelFormat) + " (" +
             ZyvoDiag::pixelNameString(mRecord.mPixelFormat) + ")"});
}

// The library warns of a standard and rate that make no format, and only then, so the warning
// is what tells its fallback from the one pair that selects the same format.
void FallbackCheck::checkFormatPair(std::vector<Fallback>& found) const {
    std::fflush(stdout);
    std::string warning;
    {
        CapturedOutput output;
        ZyvoDiagUserCommands probe;
        probe.videoFormatFromFrameRateAndVideoStandard(mRecord.mVideoRate, mRecord.mVideoStandard);
        std::fflush(stdout);
        warning = output.capturing() ? output.text() : std::string();
    }
    if (warning.empty()) {
        return;
    }
    found.push_back({std::string(ZyvoDiag::videoStandardNameString(mRecord.mVideoStandard)) +
                         " at " + ZyvoDiag::videoRateNameString(mRecord.mVideoRate) +
                         " (no video format has both)",
                     std::string("format ") + std::to_string(mRecord.mVideoFormat) + " (" +
                         ZyvoDiag::videoFormatNameString(mRecord.mVideoFormat) + ")"});
}

void FallbackCheck::checkAudioValues(std::vector<Fallback>& found) const {
    for (const std::string& word : mArguments) {
        if (!word.empty() && !isSwitch(word)) {
            found.push_back(
                {"'" + word + "'", "nothing of it (the audio command line takes no file names)"});
            continue;
        }
        if (word.empty() || word.size() == 2) {
            continue;
        }
        const std::string value = word.substr(2);
        switch (letterOf(word)) {
        case 'C':
            if (!allDigits(value)) {
                found.push_back({word + " (no channel number it can read)",
                                 switchText(word, mRecord.mAudioChannel)});
            }
            break;
        case 'N':
            if (!allDigits(value) && value != "*") {
                found.push_back({word + " (no channel count it can read)",
                                 mRecord.mAudioChannelCount == 0xFFFFFFFFu
                                     ? word.substr(0, 2) + "*"
                                     : switchText(word, mRecord.mAudioChannelCount)});
            }
            break;
        case 'I':
            found.push_back({word + " (-i takes no value)", word.substr(0, 2)});
            break;
        }
    }
}

std::vector<Fallback> FallbackCheck::ofVideoLine() const {
    std::vector<Fallback> found;
    checkWords("BFPRVIO", kVideoValueSwitches, found);
    checkStandard(found);
    checkRate(found);
    checkPixelFormat(found);
    checkFormatPair(found);
    return found;
}

std::vector<Fallback> FallbackCheck::ofAudioLine() const {
    std::vector<Fallback> found;
    checkWords("TL", kAudioValueSwitches, found);
    checkAudioValues(found);
    return found;
}

namespace {

bool accepts(const Invocation& invocation, const std::string& separated,
             const std::vector<Fallback>& fallbacks, bool parsed) {
    std::fflush(stdout);
    const char* program = invocation.programName.c_str();
    if (!separated.empty() && !parsed) {
        std::fprintf(stderr, "%s: write the value against its switch: %s\n", program,
                     separated.c_str());
    }
    if (!parsed) {
        return false;
    }
    if (invocation.allowFallback) {
        return true;
    }
    for (const Fallback& fallback : fallbacks) {
        std::fprintf(stderr,
                     "%s: %s: the library would use %s; refused (--allow-fallback "
                     "accepts it)\n",
                     program, fallback.asked.c_str(), fallback.used.c_str());
    }
    return fallbacks.empty();
}

} // namespace

bool acceptsWhatWasAsked(const Invocation& invocation, const std::vector<std::string>& arguments,
                         const ZyvoDiagUserCommands& record, bool parsed) {
    const FallbackCheck check(arguments, record);
    return accepts(invocation, check.separatedValue(FallbackCheck::kVideoValueSwitches),
                   parsed ? check.ofVideoLine() : std::vector<Fallback>{}, parsed);
}

bool acceptsWhatWasAskedOfAudio(const Invocation& invocation,
                                const std::vector<std::string>& arguments,
                                const ZyvoDiagUserCommands& record, bool parsed) {
    const FallbackCheck check(arguments, record);
    return accepts(invocation, check.separatedValue(FallbackCheck::kAudioValueSwitches),
                   parsed ? check.ofAudioLine() : std::vector<Fallback>{}, parsed);
}

} // namespace zyvodiag

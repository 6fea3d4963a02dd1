// What the tool shows only to a person at a terminal: colour, and that slow work is running.
#pragma once

#include <memory>
#include <string>

namespace zyvodiag {

enum class ColorChoice { Auto, Always, Never };

// --color=WHEN; false for a WHEN that is not always, auto or never.
bool readColorChoice(const std::string& when, ColorChoice& choice);
void setColorChoice(ColorChoice choice);

// Whether standard output is painted: always, never, or (auto) when it is a terminal and
// NO_COLOR is unset or empty.
bool colorOnStandardOutput();

// The verdict word in green (PASS) or red (FAIL) when standard output is painted.
std::string paintedVerdict(const char* word);

// While alive, says once on standard error that `what` is still running when it takes over a
// second, and only when standard error is a terminal: a script's log stays as it was.
class RunningNotice {
public:
    explicit RunningNotice(std::string what);
    ~RunningNotice();
    RunningNotice(const RunningNotice&) = delete;
    RunningNotice& operator=(const RunningNotice&) = delete;

private:
    struct State;
    std::unique_ptr<State> mState;
};

} // namespace zyvodiag

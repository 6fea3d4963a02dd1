// What the code under test prints, caught with the tool's own output capture.
#pragma once

#include "system/captured_output.h"

#include <string>
#include <type_traits>

namespace zyvotest {

// Standard output and standard error caught apart, so a test holds each to its own text:
// text() is standard output, errorText() standard error.
class StreamCapture : public zyvodiag::CapturedOutput {
public:
    StreamCapture() : CapturedOutput(Streams::Apart) {}
};

// What a call returned, and what it printed meanwhile.
template <typename Result> struct Outcome {
    Result result;
    std::string out;
    std::string err;
};

template <> struct Outcome<void> {
    std::string out;
    std::string err;
};

// Runs `action` with both streams caught. Checks go after it, where their failures show.
template <typename Action> auto captured(Action action) {
    using Result = decltype(action());
    StreamCapture capture;
    if constexpr (std::is_void_v<Result>) {
        action();
        return Outcome<void>{capture.text(), capture.errorText()};
    } else {
        Result result = action();
        return Outcome<Result>{result, capture.text(), capture.errorText()};
    }
}

} // namespace zyvotest

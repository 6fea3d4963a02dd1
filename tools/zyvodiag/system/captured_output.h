// Catches what the library prints while the tool runs one of its commands in-process.
#pragma once

#include <string>

namespace zyvodiag {

// Points file descriptors 1 and 2 at one temporary file for its lifetime, so printf, fprintf
// and anything else that writes there lands in one log with its lines in order. Restores the
// descriptors as they were, so captures nest.
class CapturedOutput {
public:
    CapturedOutput();
    ~CapturedOutput();
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    // False when no temporary file could be had: the output then goes where it always went.
    bool capturing() const { return mFile >= 0; }
    // Everything written so far; the capture goes on.
    std::string text();

private:
    int mSavedOut = -1;
    int mSavedErr = -1;
    int mFile = -1;
};

} // namespace zyvodiag

// Catches what the library prints while the tool runs one of its commands in-process.
#pragma once

#include <string>

namespace zyvodiag {

// Points file descriptors 1 and 2 at temporary files for its lifetime, so printf, fprintf and
// anything else that writes there is caught. Restores the descriptors as they were, so captures
// nest.
class CapturedOutput {
public:
    enum class Streams {
        Together, // one log, its lines in the order written: what the tool keeps of a command
        Apart,    // standard error in a file of its own: what a test holds each stream to
    };

    explicit CapturedOutput(Streams streams = Streams::Together);
    ~CapturedOutput();
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    // False when no temporary file could be had: the output then goes where it always went.
    bool capturing() const { return mFile >= 0; }
    // Everything written so far to standard output, and to standard error too when Together;
    // the capture goes on.
    std::string text();
    // Everything written so far to standard error when Apart; empty when Together.
    std::string errorText();

private:
    int mSavedOut = -1;
    int mSavedErr = -1;
    int mFile = -1;
    int mErrorFile = -1; // mFile when Together
};

} // namespace zyvodiag

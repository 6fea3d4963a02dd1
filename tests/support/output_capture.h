// Captures what the code under test writes to standard output and standard error.
#pragma once

#include <string>

namespace zyvotest {

// Redirects file descriptors 1 and 2 into temporary files for its lifetime, so text written
// by printf, fprintf and iostreams alike is caught. Not nestable.
class OutputCapture {
public:
    OutputCapture();
    ~OutputCapture();
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    // Everything written so far (the capture goes on).
    std::string out();
    std::string err();

private:
    int mSavedOut;
    int mSavedErr;
    int mOutFile;
    int mErrFile;
};

} // namespace zyvotest

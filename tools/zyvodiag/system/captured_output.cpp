// Output capture into an unlinked temporary file, which never fills up as a pipe would.
#include "system/captured_output.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace zyvodiag {
namespace {

void flushEverything() {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(stdout);
    std::fflush(stderr);
}

int temporaryFile() {
    const char* directory = std::getenv("TMPDIR");
    std::string name = std::string(directory != nullptr && *directory ? directory : "/tmp") +
                       "/zyvodiag-output-XXXXXX";
    int fd = mkstemp(name.data());
    if (fd >= 0) {
        unlink(name.c_str());
    }
    return fd;
}

} // namespace

CapturedOutput::CapturedOutput() : mFile(temporaryFile()) {
    if (mFile < 0) {
        return;
    }
    flushEverything();
    mSavedOut = dup(STDOUT_FILENO);
    mSavedErr = dup(STDERR_FILENO);
    dup2(mFile, STDOUT_FILENO);
    dup2(mFile, STDERR_FILENO);
    // Standard error is unbuffered: unless standard output is too, a message on standard error
    // lands in the log ahead of the lines printed before it.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
}

CapturedOutput::~CapturedOutput() {
    if (mFile < 0) {
        return;
    }
    flushEverything();
    if (mSavedOut >= 0) {
        dup2(mSavedOut, STDOUT_FILENO);
        close(mSavedOut);
    }
    std::setvbuf(stdout, nullptr, isatty(STDOUT_FILENO) ? _IOLBF : _IOFBF, BUFSIZ);
    if (mSavedErr >= 0) {
        dup2(mSavedErr, STDERR_FILENO);
        close(mSavedErr);
    }
    close(mFile);
}

std::string CapturedOutput::text() {
    std::string text;
    if (mFile < 0) {
        return text;
    }
    flushEverything();
    char block[4096];
    off_t offset = 0;
    ssize_t got;
    while ((got = pread(mFile, block, sizeof block, offset)) > 0) {
        text.append(block, static_cast<size_t>(got));
        offset += got;
    }
    return text;
}

} // namespace zyvodiag

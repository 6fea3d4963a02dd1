// Output capture into unlinked temporary files, which never fill up as a pipe would.
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

std::string readAll(int fd) {
    std::string text;
    if (fd < 0) {
        return text;
    }
    flushEverything();
    char block[4096];
    off_t offset = 0;
    ssize_t got;
    while ((got = pread(fd, block, sizeof block, offset)) > 0) {
        text.append(block, static_cast<size_t>(got));
        offset += got;
    }
    return text;
}

} // namespace

CapturedOutput::CapturedOutput(Streams streams) : mFile(temporaryFile()) {
    mErrorFile = streams == Streams::Together ? mFile : temporaryFile();
    if (mFile < 0 || mErrorFile < 0) {
        if (mErrorFile != mFile) {
            close(mFile >= 0 ? mFile : mErrorFile);
        }
        mFile = mErrorFile = -1;
        return;
    }
    flushEverything();
    mSavedOut = dup(STDOUT_FILENO);
    mSavedErr = dup(STDERR_FILENO);
    dup2(mFile, STDOUT_FILENO);
    dup2(mErrorFile, STDERR_FILENO);
    // Standard error is unbuffered: unless standard output is too, a message on standard error
    // lands in the log ahead of the lines printed before it.
    if (streams == Streams::Together) {
        std::setvbuf(stdout, nullptr, _IONBF, 0);
    }
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
    if (mErrorFile == mFile) {
        std::setvbuf(stdout, nullptr, isatty(STDOUT_FILENO) ? _IOLBF : _IOFBF, BUFSIZ);
    }
    if (mSavedErr >= 0) {
        dup2(mSavedErr, STDERR_FILENO);
        close(mSavedErr);
    }
    if (mErrorFile != mFile) {
        close(mErrorFile);
    }
    close(mFile);
}

std::string CapturedOutput::text() {
    return readAll(mFile);
}

std::string CapturedOutput::errorText() {
    return mErrorFile == mFile ? std::string() : readAll(mErrorFile);
}

} // namespace zyvodiag

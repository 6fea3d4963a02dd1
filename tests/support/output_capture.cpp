// Captures standard output and standard error through temporary files.
#include "output_capture.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace zyvotest {
namespace {

int temporaryFile() {
    char name[] = "/tmp/zyvotest-capture-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0) {
        std::perror("mkstemp");
        std::abort();
    }
    unlink(name);
    return fd;
}

std::string readAll(int fd) {
    std::string text;
    char block[4096];
    off_t offset = 0;
    ssize_t got;
    while ((got = pread(fd, block, sizeof block, offset)) > 0) {
        text.append(block, static_cast<size_t>(got));
        offset += got;
    }
    return text;
}

void flushAll() {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(stdout);
    std::fflush(stderr);
}

} // namespace

OutputCapture::OutputCapture()
    : mSavedOut(dup(1)), mSavedErr(dup(2)), mOutFile(temporaryFile()), mErrFile(temporaryFile()) {
    flushAll();
    dup2(mOutFile, 1);
    dup2(mErrFile, 2);
}

OutputCapture::~OutputCapture() {
    flushAll();
    dup2(mSavedOut, 1);
    dup2(mSavedErr, 2);
    close(mSavedOut);
    close(mSavedErr);
    close(mOutFile);
    close(mErrFile);
}

std::string OutputCapture::out() {
    flushAll();
    return readAll(mOutFile);
}

std::string OutputCapture::err() {
    flushAll();
    return readAll(mErrFile);
}

} // namespace zyvotest

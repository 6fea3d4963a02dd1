// The one way the library holds a stdio file: an owner that closes it exactly once, whichever
// way the code leaves.
#pragma once

#include <cerrno>
#include <cstdio>
#include <memory>

namespace zyvodiag::frames {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<FILE, FileCloser>;

// Opens `path`; `openError` gets the reason when it fails (0 when it does not).
inline OwnedFile openFile(const char* path, const char* mode, int& openError) {
    errno = 0;
    OwnedFile file(std::fopen(path, mode));
    openError = errno;
    return file;
}

} // namespace zyvodiag::frames

// Writing a command's file under a temporary name and renaming it once complete.
#include "pending_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace zyvodiag {
namespace {

bool namesSpecialFile(const std::string& path) {
    struct stat facts {};
    return stat(path.c_str(), &facts) == 0 && !S_ISREG(facts.st_mode);
}

std::string directoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

PendingFile::PendingFile(std::string path)
    : mPath(std::move(path)), mWritePath(namesSpecialFile(mPath) ? mPath : mPath + ".partial") {}

PendingFile::~PendingFile() {
    if (!mKept && mWritePath != mPath) {
        std::remove(mWritePath.c_str());
    }
}

bool PendingFile::keep(std::string& error) {
    if (mWritePath != mPath && std::rename(mWritePath.c_str(), mPath.c_str()) != 0) {
        error = mPath + ": " + std::strerror(errno);
        return false;
    }
    mKept = true;
    return true;
}

bool canWriteFile(const std::string& path, std::string& error) {
    struct stat facts {};
    if (path.empty()) {
        error = "no file name given";
        return false;
    }
    if (stat(path.c_str(), &facts) == 0 && S_ISDIR(facts.st_mode)) {
        error = path + ": " + std::strerror(EISDIR);
        return false;
    }
    std::string directory = directoryOf(path);
    if (access(directory.c_str(), W_OK | X_OK) != 0) {
        error = directory + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace zyvodiag

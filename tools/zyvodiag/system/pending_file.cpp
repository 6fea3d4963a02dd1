// Writing a file for the user: checks on the target, a temporary file of our own beside it, and
// a rename once the file is whole.
#include "system/pending_file.h"

#include "system/signal_safe_paths.h"
#include "system/standard_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <utility>

namespace zyvodiag {
namespace {

// The temporary names a signal handler may still have to remove. Pictures are written from
// several threads.
SignalSafePaths<16> s_pending;

std::string directoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string systemError(const std::string& path, int error) {
    return path + ": " + std::strerror(error);
}

// Read once: umask() can only be read by setting it, and a file another thread created between
// the two calls would get no mask at all.
mode_t currentUmask() {
    static const mode_t s_mask = [] {
        const mode_t mask = umask(0);
        umask(mask);
        return mask;
    }();
    return s_mask;
}

// Others may write to the directory: only the sticky bit stops them from renaming or removing
// our temporary file, or putting something of theirs in its place.
bool checkDirectory(const std::string& path, const struct stat* target, std::string& error) {
    const std::string directory = directoryOf(path);
    struct stat facts {};
    if (stat(directory.c_str(), &facts) != 0) {
        error = systemError(directory, errno);
        return false;
    }
    if (!S_ISDIR(facts.st_mode)) {
        error = systemError(directory, ENOTDIR);
        return false;
    }
    if (access(directory.c_str(), W_OK | X_OK) != 0) {
        error = systemError(directory, errno);
        return false;
    }
    const bool shared = (facts.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    const bool sticky = (facts.st_mode & S_ISVTX) != 0;
    if ((facts.st_mode & S_IWOTH) != 0 && !sticky) {
        error = directory + ": anyone may replace files in this directory (it is world-writable "
                            "without the sticky bit); write somewhere else";
        return false;
    }
    // In a sticky shared directory, a file of someone else's cannot be replaced by ours.
    const uid_t me = geteuid();
    if (target != nullptr && shared && sticky && target->st_uid != me && facts.st_uid != me &&
        me != 0) {
        error = path + ": belongs to another user in a shared directory; choose another name";
        return false;
    }
    return true;
}

} // namespace

bool checkWritableTarget(const std::string& path, std::string& error) {
    if (path.empty()) {
        error = "no file name given";
        return false;
    }
    if (namesStandardOutput(path)) {
        return true;
    }
    struct stat facts {};
    if (lstat(path.c_str(), &facts) != 0) {
        if (errno != ENOENT) {
            error = systemError(path, errno);
            return false;
        }
        return checkDirectory(path, nullptr, error);
    }
    if (S_ISLNK(facts.st_mode)) {
        // A device reached through a link (/dev/stdout on a terminal) is still written in place.
        struct stat target {};
        if (stat(path.c_str(), &target) == 0 && S_ISCHR(target.st_mode)) {
            facts = target;
        } else {
            error = path + ": is a symbolic link; name the file itself (links are not written "
                           "through)";
            return false;
        }
    }
    if (S_ISCHR(facts.st_mode)) {
        if (access(path.c_str(), W_OK) != 0) {
            error = systemError(path, errno);
            return false;
        }
        return true;
    }
    if (S_ISDIR(facts.st_mode)) {
        error = systemError(path, EISDIR);
        return false;
    }
    if (S_ISFIFO(facts.st_mode)) {
        error = path + ": is a FIFO; write the file to a regular file or a character device";
        return false;
    }
    if (!S_ISREG(facts.st_mode)) {
        error = path + ": is not a regular file or a character device";
        return false;
    }
    return checkDirectory(path, &facts, error);
}

PendingFile::PendingFile(std::string path) : mPath(std::move(path)) {
    if (!checkWritableTarget(mPath, mError)) {
        return;
    }
    // Standard output is written in place, whatever it is: a pipe, a file, a terminal.
    if (namesStandardOutput(mPath)) {
        mWritePath = standardOutputPath();
        return;
    }
    struct stat facts {};
    if (stat(mPath.c_str(), &facts) == 0 && S_ISCHR(facts.st_mode)) {
        mWritePath = mPath;
        return;
    }
    // A short name of our own, whatever the length of the target's.
    std::string name = directoryOf(mPath) + "/.zyvodiag-XXXXXX";
    int descriptor = mkostemp(name.data(), O_CLOEXEC);
    if (descriptor < 0) {
        mError = systemError(directoryOf(mPath), errno);
        return;
    }
    s_pending.add(name);
    mTemporary = true;
    mWritePath = name;
    const int modeError = fchmod(descriptor, 0666 & ~currentUmask()) == 0 ? 0 : errno;
    close(descriptor);
    if (modeError != 0) {
        mError = systemError(mWritePath, modeError);
    }
}

PendingFile::~PendingFile() {
    if (mTemporary && !mKept) {
        unlink(mWritePath.c_str());
        s_pending.drop(mWritePath);
    }
}

bool PendingFile::keep(std::string& error) {
    if (!ready()) {
        error = mError;
        return false;
    }
    if (mTemporary && std::rename(mWritePath.c_str(), mPath.c_str()) != 0) {
        error = systemError(mPath, errno);
        return false;
    }
    if (mTemporary) {
        s_pending.drop(mWritePath);
    }
    mKept = true;
    return true;
}

bool writeWholeFile(const std::string& path, const void* data, size_t size, std::string& error) {
    PendingFile file(path);
    if (!file.ready()) {
        error = file.error();
        return false;
    }
    FILE* stream = std::fopen(file.writePath().c_str(), "wb");
    bool written = stream != nullptr && std::fwrite(data, 1, size, stream) == size;
    // A full disk may show only at the close.
    written = stream != nullptr && std::fclose(stream) == 0 && written;
    if (!written) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return file.keep(error);
}

void removePendingFilesNow() {
    s_pending.forEach(unlink);
}

} // namespace zyvodiag

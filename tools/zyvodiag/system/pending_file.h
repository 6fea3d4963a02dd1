// A file the tool writes for the user, kept under a temporary name until it is whole, so that a
// failed or interrupted command never leaves a partial file under the name the user asked for,
// and nobody else's link or file is ever written in its place.
#pragma once

#include <cstddef>
#include <string>

namespace zyvodiag {

class PendingFile {
public:
    // Checks `path` (see checkWritableTarget) and, for a regular file, creates the temporary
    // file beside it: new, exclusively ours, never through a link, with the mode the umask
    // gives. ready() tells whether that worked; error() says why not.
    explicit PendingFile(std::string path);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    bool ready() const { return mError.empty(); }
    const std::string& error() const { return mError; }

    // Where to write: the temporary file, or the path itself when it names a character device
    // such as /dev/null, which is written in place.
    const std::string& writePath() const { return mWritePath; }

    // Gives the written file its name; false with the reason.
    bool keep(std::string& error);

private:
    std::string mPath;
    std::string mWritePath;
    std::string mError;
    bool mTemporary = false;
    bool mKept = false;
};

// False, saying why, when `path` cannot receive a file: it is a directory, a FIFO (nobody may
// be reading it, and the card would be held while we wait), a socket or block device, or a
// symbolic link to anything but a character device (the tool does not write through a link
// someone may have planted); or its directory is missing, not writable, or writable by others
// without the sticky bit, so that someone else could swap the file under us. Checked before a
// command runs, so the user hears the reason rather than the command's failure.
bool checkWritableTarget(const std::string& path, std::string& error);

// Writes `size` bytes as the whole of `path`, through a PendingFile: a reader sees the old file
// or the new one, never a part. False, saying why, when it cannot.
bool writeWholeFile(const std::string& path, const void* data, size_t size, std::string& error);

// Unlinks every temporary file still pending. Safe in a signal handler: it is called when a
// second stop signal ends the process at once.
void removePendingFilesNow();

} // namespace zyvodiag

// A file the device writes for a command, kept under a temporary name until the command has
// passed, so that a failed or interrupted command never leaves a partial frame under the name
// the user asked for.
#pragma once

#include <string>

namespace zyvodiag {

class PendingFile {
public:
    explicit PendingFile(std::string path);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Where the command should write: "PATH.partial" beside the file, or the path itself when it
    // names something other than a regular file (a device such as /dev/null, a pipe), which a
    // rename would replace.
    const std::string& writePath() const { return mWritePath; }

    // Gives the written file its name; false with the system's reason.
    bool keep(std::string& error);

private:
    std::string mPath;
    std::string mWritePath;
    bool mKept = false;
};

// False, saying why, when `path` cannot receive a file: it is a directory, or its directory is
// missing or not writable. Checked before a command runs, so the user hears the reason rather
// than the command's failure.
bool canWriteFile(const std::string& path, std::string& error);

} // namespace zyvodiag

// Making and removing the directories the self-test writes into.
#include "selftest/work_directory.h"

#include "system/hard_stop.h"
#include "system/pending_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace zyvodiag {

namespace fs = std::filesystem;

bool makeReportDirectory(const std::string& directory, std::string& problem) {
    std::error_code error;
    fs::create_directories(directory, error);
    // Every file is written as a file of its own and renamed: the directory must let us do
    // that, and must not let anybody else swap the files.
    if (error) {
        problem = directory + ": " + error.message();
        return false;
    }
    if (!fs::is_directory(directory, error)) {
        problem = directory + ": " + std::strerror(ENOTDIR);
        return false;
    }
    return checkWritableTarget(directory + "/.zyvodiag-file", problem);
}

WorkDirectory::WorkDirectory(const std::string& keep) : mTemporary(keep.empty()) {
    if (!mTemporary) {
        if (makeReportDirectory(keep, mProblem)) {
            mPath = keep;
        }
        return;
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp ? tmp : "/tmp") + "/zyvodiag-selftest-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) {
        mPath = pattern;
        removeOnHardStop(mPath);
    } else {
        mProblem = pattern + ": " + std::strerror(errno);
    }
}

WorkDirectory::~WorkDirectory() {
    if (mTemporary && !mPath.empty()) {
        keepOnHardStop(mPath);
        std::error_code ignored;
        fs::remove_all(mPath, ignored);
    }
}

} // namespace zyvodiag

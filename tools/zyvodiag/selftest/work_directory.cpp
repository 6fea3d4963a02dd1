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

std::string makeRunFolder(const std::string& parent, std::string& problem) {
    std::string name;
    for (unsigned run = 1; run < 1000; ++run) {
        name = "run-" + std::to_string(run);
        if (mkdir((parent + "/" + name).c_str(), 0700) == 0) {
            removeOnHardStop(parent + "/" + name);
            return name;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    problem = parent + "/" + name + ": " + std::strerror(errno);
    return "";
}

WorkDirectory::WorkDirectory(const std::string& keep) : mTemporary(keep.empty()) {
    if (!mTemporary) {
        if (makeReportDirectory(keep, mProblem)) {
            mRunFolder = makeRunFolder(keep, mProblem);
        }
        if (!mRunFolder.empty()) {
            mPath = keep + "/" + mRunFolder;
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

void WorkDirectory::keep() {
    if (!mTemporary && !mPath.empty()) {
        keepOnHardStop(mPath);
        mKept = true;
    }
}

WorkDirectory::~WorkDirectory() {
    if (mPath.empty() || mKept) {
        return;
    }
    keepOnHardStop(mPath);
    std::error_code ignored;
    fs::remove_all(mPath, ignored);
}

} // namespace zyvodiag

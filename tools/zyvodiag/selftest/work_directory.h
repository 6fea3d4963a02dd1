// Where a self-test's frames go: the --keep directory, or a directory of its own.
#pragma once

#include <string>

namespace zyvodiag {

// The --keep directory (made if need be, and refused when frames cannot be written there
// safely), or with no --keep a private directory under $TMPDIR, removed with everything in it.
class WorkDirectory {
public:
    explicit WorkDirectory(const std::string& keep);
    ~WorkDirectory();
    WorkDirectory(const WorkDirectory&) = delete;
    WorkDirectory& operator=(const WorkDirectory&) = delete;

    // Empty when the directory cannot be had; problem() then says why.
    const std::string& path() const { return mPath; }
    const std::string& problem() const { return mProblem; }

private:
    bool mTemporary;
    std::string mPath;
    std::string mProblem;
};

// Makes `directory` for a report folder, as for --keep; false, saying why, when it cannot be
// written safely.
bool makeReportDirectory(const std::string& directory, std::string& problem);

} // namespace zyvodiag

// Where a self-test's frames go: a folder of this run's own in the --keep directory, or a
// directory of its own.
#pragma once

#include <string>

namespace zyvodiag {

// With --keep DIR, a new folder DIR/run-N for this run's frames (DIR made if need be, and
// refused when frames cannot be written there safely), beside the previous run's: until the run
// keeps it, a second signal takes it away, and a run that ends before that removes it. Without
// --keep, a private directory under $TMPDIR, removed with everything in it.
class WorkDirectory {
public:
    explicit WorkDirectory(const std::string& keep);
    ~WorkDirectory();
    WorkDirectory(const WorkDirectory&) = delete;
    WorkDirectory& operator=(const WorkDirectory&) = delete;

    // Empty when the directory cannot be had; problem() then says why.
    const std::string& path() const { return mPath; }
    const std::string& problem() const { return mProblem; }
    // This run's folder relative to the --keep directory ("run-3"); empty without --keep.
    const std::string& runFolder() const { return mRunFolder; }
    // The run is over and its reports name the kept files: they stay whatever comes.
    void keep();

private:
    bool mTemporary;
    bool mKept = false;
    std::string mPath;
    std::string mRunFolder;
    std::string mProblem;
};

// Makes `directory` for a report folder, as for --keep; false, saying why, when it cannot be
// written safely.
bool makeReportDirectory(const std::string& directory, std::string& problem);

// Makes the first free PARENT/run-N, mode 0700, beside earlier runs' folders, and has a second
// signal take it away with what it holds until keepOnHardStop. Its name ("run-N"); empty, with
// the problem, when none can be made.
std::string makeRunFolder(const std::string& parent, std::string& problem);

} // namespace zyvodiag

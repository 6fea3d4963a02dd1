// A directory of the test's own under the test temporary directory, removed with all it holds.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tooltest {

class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string pattern = ::testing::TempDir() + "zyvo-tool-XXXXXX";
        EXPECT_NE(mkdtemp(pattern.data()), nullptr) << pattern;
        mPath = pattern;
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(mPath, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& path() const { return mPath; }
    std::string operator/(const std::string& name) const { return mPath + "/" + name; }

private:
    std::string mPath;
};

} // namespace tooltest

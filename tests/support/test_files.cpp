// Scratch directories made on demand and removed by a listener at the end of each test.
#include "test_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zyvotest {
namespace {

namespace fs = std::filesystem;

// The directory of the test running now; empty until it asks for one.
std::string s_scratch;

class ScratchDirectoryCleaner : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& test) override {
        if (s_scratch.empty()) {
            return;
        }
        if (test.result()->Failed()) {
            std::printf("the failed test's files are kept in %s\n", s_scratch.c_str());
        } else {
            std::error_code ignored;
            fs::remove_all(s_scratch, ignored);
        }
        s_scratch.clear();
    }
};

} // namespace

const std::string& scratchDirectory() {
    if (s_scratch.empty()) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = test != nullptr
                               ? std::string(test->test_suite_name()) + "." + test->name()
                               : std::string("outside-a-test");
        std::replace(name.begin(), name.end(), '/', '-');
        // The same test may run in two programs at once: the suffix keeps them apart.
        std::string pattern = ::testing::TempDir() + "zyvo-" + name + "-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror(pattern.c_str());
            std::abort();
        }
        s_scratch = pattern;
    }
    return s_scratch;
}

std::string scratchPath(const std::string& name) {
    return scratchDirectory() + "/" + name;
}

std::string scratchFile(const std::string& name, const std::string& content) {
    const std::string path = scratchPath(name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string fileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<missing>";
}

std::vector<std::string> listing(const std::string& directory) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::unique_ptr<::testing::TestEventListener> scratchDirectoryCleaner() {
    return std::make_unique<ScratchDirectoryCleaner>();
}

} // namespace zyvotest

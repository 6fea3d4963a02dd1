// Running shell commands: status, first line of output, and a pipe that cannot be made.
#include "captured.h"
#include "zyvosim/zyvosim.h"

#include <zyvodiag>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class FileUtilsTest : public ::testing::Test {
protected:
    void SetUp() override { zyvosim::reset(); }

    FileUtils utils;
    char line[255];
};

TEST_F(FileUtilsTest, withoutBufferGivesTheCommandAQuarterSecondAndReturnsItsStatus) {
    uint64_t before = zyvosim::nowMicroseconds();
    int status = utils.shell("exit 3", nullptr);
    EXPECT_GE(zyvosim::nowMicroseconds() - before, 250000u);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
}

// The buffer holds the first line with its line end, at most 254 characters, or nothing.
TEST_F(FileUtilsTest, bufferGetsTheFirstLineOfTheOutput) {
    EXPECT_EQ(utils.shell("printf 'first\\nsecond\\n'", line), 0);
    EXPECT_STREQ(line, "first\n");
    utils.shell("head -c 400 /dev/zero | tr '\\0' x", line);
    EXPECT_EQ(std::strlen(line), 254u);
    utils.shell("true", line);
    EXPECT_STREQ(line, "");
}

TEST_F(FileUtilsTest, commandTheShellCannotRunIsNotAPipeFailure) {
    zyvotest::StreamCapture capture;
    int status = utils.shell("/nonexistent/zyvo-command", line);
    ASSERT_NE(status, -1);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 127);
}

// Uses up every descriptor so the pipe cannot be created; exits 0 when shell reported it.
[[noreturn]] void runShellWithoutDescriptors() {
    zyvotest::StreamCapture capture;
    rlimit limit{64, 64};
    setrlimit(RLIMIT_NOFILE, &limit);
    while (open("/dev/null", O_RDONLY) >= 0) {
    }
    FileUtils utils;
    char line[255];
    int status = utils.shell("echo hi", line);
    bool reported = capture.errorText() == "echo hi: Too many open files\n";
    std::_Exit(status == -1 && reported ? 0 : 1);
}

TEST(FileUtilsDeathTest, pipeThatCannotBeOpenedPrintsTheSystemErrorAndReturnsMinusOne) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers need descriptors of their own to check the call";
#endif
    EXPECT_EXIT(runShellWithoutDescriptors(), ::testing::ExitedWithCode(0), "");
}

} // namespace

// What one command reads and writes, checked together before anything is written: no output
// replaces an input or another output, report folders are held to the rules of report files,
// and a file that cannot be written says which and why.
#include "test_files.h"
#include "tool_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using tooltest::endedWith;
using tooltest::runTool;
using tooltest::ToolRun;
using zyvotest::fileText;
using zyvotest::listing;

std::string file(const std::string& name) {
    return zyvotest::scratchPath(name);
}

mode_t modeOf(const std::string& path) {
    struct stat facts {};
    return stat(path.c_str(), &facts) == 0 ? facts.st_mode & 07777 : 0;
}

// Every pair of an input and an output, and of two outputs, however the second is spelt: the
// command is refused before it writes, and every file stays as it was.
TEST(OutputPlanTest, noOutputReplacesAnInputOrAnotherOutput) {
    ASSERT_EQ(runTool("capture-pattern -p1 " + file("a.raw")).status, 0);
    ASSERT_EQ(runTool("capture-pattern -p2 " + file("b.raw")).status, 0);
    ASSERT_EQ(link(file("a.raw").c_str(), file("same.raw").c_str()), 0);
    fs::create_directory(file("dir"));
    const std::string bench = zyvotest::scratchFile("bench", "");
    const std::string a = fileText(file("a.raw")), b = fileText(file("b.raw"));
    const std::string rows[][3] = {
        // arguments, environment, the file the message names first
        {"view " + file("a.raw") + " --png " + file("a.raw"), "", file("a.raw")},
        {"view " + file("a.raw") + " --png " + file("same.raw"), "", file("same.raw")},
        {"view " + file("a.raw") + " --png " + file("dir/../a.raw"), "", file("dir/../a.raw")},
        {"compare " + file("a.raw") + " " + file("b.raw") + " --diff-png " + file("b.raw"), "",
         file("b.raw")},
        {"--sim " + bench + " selftest --json " + bench, "", bench},
        {"--sim " + bench + " capture-pattern -p1 " + bench, "", bench},
        {"view " + file("a.raw") + " --png " + bench, "ZYVO_SIM=" + bench, bench},
        {"selftest --json " + file("r") + " --junit " + file("dir/../r"), "", file("dir/../r")},
        {"selftest --json " + file("h/index.html") + " --html " + file("h"), "",
         file("h/index.html")},
        {"selftest --json " + file("k/sdi1-expected.raw") + " --keep " + file("k"), "",
         file("k/sdi1-expected.raw")},
        {"--sim " + bench + " selftest --keep " + file(""), "", bench},
        {"selftest --html " + file("h") + " --keep " + file("h/frames"), "", file("h/frames")},
        {"selftest --html " + file("h") + " --keep " + file("h/"), "", file("h/")},
    };
    for (const auto& row : rows) {
        ToolRun run = runTool(row[0], row[1]);
        SCOPED_TRACE(row[1] + " " + row[0]);
        EXPECT_TRUE(endedWith(run, 2, {": " + row[2] + ": "}));
        EXPECT_FALSE(run.out.find("[ 1/16]") != std::string::npos);
    }
    EXPECT_EQ(fileText(file("a.raw")), a);
    EXPECT_EQ(fileText(file("b.raw")), b);
    EXPECT_EQ(fileText(bench), "");
    EXPECT_EQ(listing(), (std::vector<std::string>{"a.raw", "b.raw", "bench", "dir", "same.raw"}));
    // A device is written in place and replaces nothing: it may take two reports.
    EXPECT_TRUE(endedWith(runTool("selftest --only 16 --json /dev/null --junit /dev/null"), 0, {}));
}

// A report folder is never a link, holds no link, FIFO or unwritable name the run needs, leaves
// room for its files' names, and is made private when it is new; all checked before the first
// test.
TEST(OutputPlanTest, reportFoldersFollowTheRulesOfReportFiles) {
    std::ofstream(file("victim")) << "precious";
    fs::create_directories(file("real/pictures"));
    fs::create_symlink(file("real"), file("link"));
    fs::create_directories(file("keep"));
    fs::create_symlink(file("victim"), file("keep/sdi1-captured.raw"));
    fs::create_directories(file("html/pictures"));
    fs::create_symlink(file("victim"), file("html/pictures/01-sdi1-expected.png"));
    fs::create_directories(file("blocked/index.html"));
    ASSERT_EQ(mkfifo(file("real/pictures/fifo").c_str(), 0600), 0);
    std::string deep = file(std::string(200, 'd'));
    while (deep.size() < 4040) {
        deep += "/" + std::string(200, 'f');
    }
    const std::string rows[][2] = {
        {"--keep " + file("link"), file("link") + ": is a symbolic link"},
        {"--html " + file("link/"), file("link") + ": is a symbolic link"},
        {"--keep " + file("keep"), file("keep/sdi1-captured.raw") + ": is a symbolic link"},
        {"--html " + file("html"), file("html/pictures/01-sdi1-expected.png") + ": is a symbolic"},
        {"--keep " + file("real"), file("real/pictures/fifo") + ": is not a regular file"},
        {"--html " + file("blocked"), file("blocked/index.html") + ": Is a directory"},
        {"--keep " + deep, "leaves no room for the files written in it"},
    };
    for (const auto& row : rows) {
        ToolRun run = runTool("selftest " + row[0]);
        SCOPED_TRACE(row[0]);
        EXPECT_TRUE(endedWith(run, 2, {row[1]}));
        EXPECT_FALSE(run.out.find("[ 1/16]") != std::string::npos);
    }
    EXPECT_EQ(fileText(file("victim")), "precious");
    EXPECT_EQ(listing(file("real")), std::vector<std::string>{"pictures"});
    EXPECT_FALSE(fs::exists(file(std::string(200, 'd'))));

    // A link of our own to a name inside the folder reads nothing of anyone else's.
    fs::create_directories(file("frames"));
    fs::create_symlink("lcd.raw", file("frames/latest.raw"));
    ASSERT_TRUE(endedWith(
        runTool("selftest --only 16 --html " + file("new/report") + " --keep " + file("frames")), 0,
        {}));
    for (const char* made : {"new", "new/report", "new/report/pictures"}) {
        EXPECT_EQ(modeOf(file(made)), 0700u) << made;
    }
    EXPECT_TRUE(fs::exists(file("new/report/index.html")));
    EXPECT_TRUE(fs::exists(file("frames/run-1/lcd.raw")));
}

// A folder we cannot write is refused, though its pictures folder can be written. Root writes
// any folder, so root runs the tool as nobody, on folders of nobody's. And in a sticky shared
// folder such as /tmp, a report folder someone else made may be emptied or filled with links by
// its owner at any moment: it is refused, as their files are.
TEST(OutputPlanTest, anUnwritableFolderOrAnotherUsersSharedOneIsRefusedBeforeTheFirstTest) {
    const bool root = geteuid() == 0;
    if (root && system("command -v setpriv >/dev/null") != 0) {
        GTEST_SKIP() << "needs setpriv to run the tool as another user";
    }
    const std::string asNobody = "setpriv --reuid=65534 --regid=65534 --clear-groups env TMPDIR=";
    fs::create_directories(file("html/pictures"));
    fs::create_directories(file("tmp"));
    fs::permissions(zyvotest::scratchDirectory(), fs::perms::owner_all | fs::perms::others_exec);
    for (const char* made : {"html", "html/pictures", "tmp"}) {
        ASSERT_EQ(chown(file(made).c_str(), root ? 65534 : geteuid(), -1), 0);
    }
    fs::permissions(file("html"), fs::perms::owner_read | fs::perms::owner_exec);
    ToolRun run = runTool("selftest --html " + file("html"), root ? asNobody + file("tmp") : "");
    fs::permissions(file("html"), fs::perms::owner_all);
    EXPECT_TRUE(endedWith(run, 2, {file("html") + ": Permission denied"}));
    EXPECT_FALSE(run.out.find("[ 1/16]") != std::string::npos);
    if (!root) {
        return; // only root can be the other user
    }
    const fs::perms shared = fs::perms::all | fs::perms::sticky_bit;
    fs::create_directories(file("shared/theirs"));
    fs::permissions(file("shared"), shared);
    fs::permissions(file("shared/theirs"), shared);
    run = runTool("selftest --keep " + file("shared/theirs"), asNobody + file("shared"));
    EXPECT_TRUE(endedWith(run, 2, {file("shared/theirs") + ": belongs to another user"}));
    EXPECT_TRUE(listing(file("shared/theirs")).empty());
}

// A selection of no test, or an option given twice, would run something other than what was
// asked: refused before the card is touched.
TEST(OutputPlanTest, selectionsOfNoTestAndRepeatedOptionsAreRefused) {
    for (const std::string& arguments : std::vector<std::string>{
             "--only 1 --skip 1", "--skip '*'", "--only 99", "--only 1 --only 2",
             "--skip=1 --skip 2", "--json " + file("a") + " --json " + file("b")}) {
        ToolRun run = runTool("selftest " + arguments);
        SCOPED_TRACE(arguments);
        EXPECT_TRUE(endedWith(run, 2, {"zyvodiag selftest: "}));
        EXPECT_EQ(run.out.find("Total:"), std::string::npos);
    }
    EXPECT_TRUE(listing().empty());
}

// The library says only that its write failed; the tool names the file and the reason.
TEST(OutputPlanTest, aFrameThatCannotBeWrittenSaysWhichAndWhy) {
    EXPECT_TRUE(endedWith(runTool("capture-pattern -p1 /dev/full"), 1,
                          {"zyvodiag capture-pattern: /dev/full: No space left on device\n"}));
    fs::create_directory(file("disk"));
    if (geteuid() != 0 ||
        system(("mount -t tmpfs -o size=1m none " + file("disk") + " 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "needs root to mount a small tmpfs";
    }
    ToolRun run = runTool("capture-pattern -p1 " + file("disk/f.raw"));
    const std::vector<std::string> left = listing(file("disk"));
    EXPECT_EQ(system(("umount " + file("disk")).c_str()), 0);
    EXPECT_TRUE(endedWith(run, 1, {file("disk/f.raw") + ": No space left on device\n"}));
    EXPECT_TRUE(left.empty());
}

// A file far larger than any frame is refused from its size alone: under a memory limit that
// reading it would break, the refusal still names both sizes.
TEST(OutputPlanTest, aHugeFrameFileIsRefusedWithoutReadingIt) {
    std::ofstream(file("huge.raw")).close();
    fs::resize_file(file("huge.raw"), uintmax_t(3) << 30);
#if defined(ZYVODIAG_TOOL_EMULATED) || defined(__SANITIZE_ADDRESS__)
    // An emulator or AddressSanitizer reserves a vast address space up front: no limit fits.
    const std::string memoryLimit;
#else
    const std::string memoryLimit = "ulimit -v 1000000;";
#endif
    ToolRun run = runTool("view " + file("huge.raw") + " --png " + file("huge.png"), memoryLimit);
    fs::remove(file("huge.raw"));
    EXPECT_TRUE(endedWith(run, 2, {"huge.raw is 3221225472 bytes, but a frame of "}));
    EXPECT_TRUE(listing().empty());
}

} // namespace

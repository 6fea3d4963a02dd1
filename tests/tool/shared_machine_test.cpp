// The tool on a machine many people and scripts share: planted links, devices, FIFOs, long
// names, closed descriptors, device exceptions and stop signals never lose or corrupt a file
// and never turn into a silent pass.
#include "test_files.h"
#include "tool_process.h"
#include "zyvosim/zyvosim.h"

#include <zyvodiag>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using tooltest::runTool;
using tooltest::ToolRun;
using zyvotest::fileText;
using zyvotest::listing;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class SharedMachineTest : public ::testing::Test {
protected:
    static std::string file(const std::string& name) { return zyvotest::scratchPath(name); }
    static std::string bench(const std::string& text) {
        return "--sim " + zyvotest::scratchFile("bench", text) + " ";
    }
};

// Every file the tool writes for the user refuses a link in its place: the link and what it
// points to stay as they were, and nothing of the command's is left beside them.
TEST_F(SharedMachineTest, plantedLinksAreRefusedAndTheirTargetsUntouched) {
    std::ofstream(file("victim")) << "precious";
    std::ofstream(file("frame.raw")) << "frame";
    fs::create_symlink(file("victim"), file("link"));
    const std::string link = file("link");
    const std::string frame = file("frame.raw");
    for (const std::string& arguments :
         {"capture-pattern -p1 " + link, "capture " + link, "save " + link, "hdmi-capture " + link,
          "view " + frame + " -f4 -r50 --png " + link,
          "compare " + frame + " " + frame + " --diff-png " + link, "selftest --json " + link}) {
        ToolRun run = runTool(arguments);
        SCOPED_TRACE(arguments + "\n" + run.out);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(contains(run.out, link + ": is a symbolic link")) << run.out;
        EXPECT_FALSE(contains(run.out, "Total:"));
        EXPECT_EQ(fileText(file("victim")), "precious");
        EXPECT_TRUE(fs::is_symlink(link));
    }
    EXPECT_EQ(listing(), (std::vector<std::string>{"frame.raw", "link", "victim"}));
}

// Devices are written in place; FIFOs, sockets and directories cannot take a frame, and a FIFO
// nobody writes is never read: both are refused at once, before the card is taken.
TEST_F(SharedMachineTest, devicesAreWrittenInPlaceAndFifosRefused) {
    ASSERT_EQ(mkfifo(file("fifo").c_str(), 0600), 0);
    std::ofstream(file("frame.raw")) << "frame";
    struct Row {
        std::string arguments;
        int status;
        std::string message;
    } rows[] = {
        {"capture-pattern -p1 /dev/null", 0, ""},
        {"capture-pattern -p1 /dev/zero", 0, ""},
        {"capture-pattern -p1 " + file("fifo"), 2, file("fifo") + ": is a FIFO"},
        {"compare " + file("fifo") + " " + file("frame.raw"), 2,
         file("fifo") + ": not a regular file"},
        {"compare " + file("frame.raw") + " /dev/zero", 2, "/dev/zero: not a regular file"},
        {"selftest --json " + file("fifo"), 2, file("fifo") + ": is a FIFO"},
    };
    for (const Row& row : rows) {
        ToolRun run = runTool(row.arguments);
        SCOPED_TRACE(row.arguments + "\n" + run.out);
        EXPECT_EQ(run.status, row.status);
        EXPECT_TRUE(contains(run.out, row.message));
    }
    EXPECT_EQ(listing(), (std::vector<std::string>{"fifo", "frame.raw"}));
}

// A user who is not root writes to /dev/null, whose directory is not theirs.
TEST_F(SharedMachineTest, deviceFilesNeedNoWritableDirectory) {
    if (geteuid() != 0 || system("command -v setpriv >/dev/null") != 0) {
        GTEST_SKIP() << "needs root and setpriv to run the tool as another user";
    }
    ToolRun run = runTool("capture-pattern -p1 /dev/null",
                          "setpriv --reuid=65534 --regid=65534 --clear-groups env TMPDIR=/tmp");
    EXPECT_EQ(run.status, 0) << run.out;
}

// The temporary file has a short name of its own, so a name at the system's limit works; the
// file gets the mode the umask gives, as any file the user makes; a directory that anyone may
// write to without the sticky bit lets others swap the file, and is refused.
TEST_F(SharedMachineTest, namesModesAndSharedDirectories) {
    const std::string longName = std::string(250, 'f');
    ToolRun run = runTool("capture-pattern -p1 " + file(longName));
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(listing(), std::vector<std::string>{longName});

    ASSERT_EQ(runTool("capture-pattern -p1 " + file("masked"), "umask 027;").status, 0);
    struct stat facts {};
    ASSERT_EQ(stat(file("masked").c_str(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 0777, 0640u);

    fs::create_directory(file("open"));
    fs::permissions(file("open"), fs::perms::all);
    run = runTool("capture-pattern -p1 " + file("open/f"));
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_TRUE(contains(run.out, file("open") + ": anyone may replace files")) << run.out;
    fs::permissions(file("open"), fs::perms::sticky_bit, fs::perm_options::add);
    EXPECT_EQ(runTool("capture-pattern -p1 " + file("open/f")).status, 0);
}

// A closed standard descriptor would be the next file opened: the card's state file would then
// be written over by the command's output.
TEST_F(SharedMachineTest, closedStandardDescriptorsAreNotHandedOn) {
    fs::create_directory(file("card"));
    fs::permissions(file("card"), fs::perms::owner_all);
    const std::string state = "ZYVO_SIM_STATE=" + file("card");
    const std::string tool = state + " " + ZYVODIAG_TOOL;
    ASSERT_EQ(runTool("ltc-mode out", state).status, 0);
    EXPECT_EQ(system((tool + " ltc-mode >&- 2>&-").c_str()), 0);
    EXPECT_EQ(system((tool + " ltc-mode <&- >&- 2>&-").c_str()), 0);
    ToolRun run = runTool("ltc-mode", state);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(contains(run.out, "out")) << run.out;
}

// An exception out of the device library is a failure with its text, never an abort: the
// files of the command are not written and the self-test goes on with the next test.
TEST_F(SharedMachineTest, deviceLibraryExceptionsFailTheCommand) {
    std::ofstream(file("old.json")) << "old report";
    const std::string exception = "zyvodiag: the device library raised an exception during "
                                  "capture-pattern: simulated device library failure in ";
    for (const char* point : {"DMA.DoDma", "CaptureStore.SetEnable", "PlayoutStore.WritePreset",
                              "factory.CreateLocalDevice", "device.InitializeHardware"}) {
        ToolRun run = runTool(bench(std::string("throw ") + point + "\n") + "capture-pattern -p1 " +
                              file("f.raw"));
        SCOPED_TRACE(std::string(point) + "\n" + run.out);
        EXPECT_EQ(run.status, 1);
        // The library's open turns a throw into "could not be opened" itself.
        EXPECT_TRUE(contains(run.out, exception + point) ||
                    contains(run.out, "the device could not be opened"));
        EXPECT_FALSE(fs::exists(file("f.raw")));
    }
    ToolRun run = runTool(bench("throw DMA.DoDma\n") + "selftest --json " + file("old.json"));
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_TRUE(contains(run.out, "zyvodiag: the device library raised an exception during "
                                  "capture-pattern: "));
    EXPECT_TRUE(contains(run.out, "Total: 16, Passed: "));
    EXPECT_TRUE(contains(fileText(file("old.json")), "\"result\": \"FAIL\""));
}

// Every file under `folder`, by its name relative to it, with its bytes.
std::map<std::string, std::string> contents(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).string()] = fileText(entry.path().string());
        }
    }
    return files;
}

// A report folder changes all at once, and so does a kept one: a run that a second signal ends,
// after one test wrote its frames and pictures anew, leaves the previous run's files byte for
// byte; a run that finishes leaves only its own, at the paths its commands name.
TEST_F(SharedMachineTest, anInterruptedRunLeavesThePreviousReportAsItWas) {
    const std::string card = zyvosim::defaultBenchText();
    // Each option, and the folder inside it where each run's files go.
    for (const auto& [option, runs] :
         std::map<std::string, std::string>{{"--html", "/pictures/"}, {"--keep", "/"}}) {
        SCOPED_TRACE(option);
        const std::string folder = file(option.substr(2));
        const std::string selftest = "selftest " + option + " " + folder + " --only ";
        ToolRun run = runTool(bench(card + "stuck CaptureStore 3\n") + selftest + "4");
        ASSERT_EQ(run.status, 1) << run.out;
        const std::map<std::string, std::string> before = contents(folder);
        ASSERT_GT(before.size(), 6u);
        // The genlock test polls the reference: two Ctrl-C there, well after test 4's files.
        run = runTool(bench(card + "interrupt SyncGenerator.GetReferenceInputFormat\n") + selftest +
                      "4,9-15");
        EXPECT_EQ(run.status, 130) << run.out;
        EXPECT_FALSE(contains(run.out, "Total:")) << run.out;
        // Nothing of the stopped run stays either: its own folder went with it.
        const std::map<std::string, std::string> after = contents(folder);
        for (const auto& [name, bytes] : before) {
            ASSERT_EQ(after.count(name), 1u) << name;
            EXPECT_EQ(after.at(name), bytes) << name;
        }
        EXPECT_EQ(after.size(), before.size());
        EXPECT_EQ(listing(folder + runs).back(), "run-1");

        run = runTool(bench(card + "stuck CaptureStore 3\n") + selftest + "3,4");
        ASSERT_EQ(run.status, 1) << run.out;
        for (const auto& [name, bytes] : contents(folder)) {
            EXPECT_FALSE(contains(name, "run-1")) << name;
        }
        EXPECT_EQ(listing(folder + runs).back(), "run-2");
        // The passing pair's frames are equal byte for byte: one picture stands for both.
        EXPECT_TRUE(fs::exists(folder + runs + "run-2/" + (runs == "/" ? "" : "03-") + "sdi3.png"));
        // Every frame the printed commands name is there after the run.
        for (size_t end = option == "--keep" ? run.out.find(".raw") : std::string::npos;
             end != std::string::npos; end = run.out.find(".raw", end + 1)) {
            const size_t start = run.out.rfind(' ', end) + 1;
            EXPECT_TRUE(fs::exists(run.out.substr(start, end + 4 - start)))
                << run.out.substr(start, end + 4 - start);
        }
    }
}

// One stop signal lets the command or test in hand finish, writes no file and runs no further
// test; the report says what ran, and the status says which signal. A second signal ends the
// process at once, and a report from an earlier run stays as it was.
TEST_F(SharedMachineTest, stopSignalsEndTheRunCleanly) {
    std::ofstream(file("report.json")) << "earlier report";
    fs::create_directory(file("tmp"));

    ToolRun run =
        runTool(bench("interrupt DMA.DoDma once\n") + "selftest --json " + file("report.json"));
    EXPECT_EQ(run.status, 130) << run.out;
    EXPECT_TRUE(contains(run.out, "Total: 16, Passed: 0, Failed: 0, Not run: 16\n")) << run.out;
    EXPECT_TRUE(contains(fileText(file("report.json")), "\"not_run\": 16"));

    // A second Ctrl-C (here within the first command, which sets every SDI output's switches) ends
    // the process at once: the earlier report stays, no temporary file or folder is left (the
    // self-test's frames, the private card), and the progress line is ended.
    std::ofstream(file("report.json")) << "earlier report";
    for (const std::string& command :
         {"selftest --json " + file("report.json"), "capture-pattern " + file("f.raw")}) {
        run = runTool(bench("interrupt SDIOutput.SetOutputSwitchA\n") + command,
                      "ZYVO_SIM_STATE=private TMPDIR=" + file("tmp"));
        // The shell reports a death by SIGINT as 130 too; what the tool says tells them apart.
        EXPECT_EQ(run.status, 130) << command << "\n" << run.out;
        EXPECT_FALSE(contains(run.out, "Total:") || contains(run.out, "interrupted")) << run.out;
        EXPECT_TRUE(run.out.empty() || run.out.back() == '\n') << run.out;
        EXPECT_EQ(listing(file("tmp")), std::vector<std::string>{}) << command;
    }
    EXPECT_EQ(fileText(file("report.json")), "earlier report");

    // SIGTERM part way (on the real clock, so that there is a part way), and a reader that goes
    // away: the self-test's frames go with it.
    const std::string tool = "TMPDIR=" + file("tmp") + " " + tooltest::toolCommand();
    // The signal goes once the first test has started, however slowly the tool starts.
    run = tooltest::runScript("ZYVO_SIM_CLOCK=real " + tool + " selftest >" + file("out") +
                              " & for i in $(seq 300); do grep -q '1/16' " + file("out") +
                              " && break; sleep 0.1; done; kill -TERM $!; wait $!; echo status $?; "
                              "cat " +
                              file("out") + "; rm " + file("out"));
    EXPECT_TRUE(contains(run.out, "Not run: ")) << run.out;
    EXPECT_TRUE(contains(run.out, "status 143\n")) << run.out;
    run = tooltest::runScript(
        tool + " selftest 2>/dev/null | head -c1; echo \" status ${PIPESTATUS[0]}\"");
    EXPECT_EQ(run.out, "z status 141\n");
    EXPECT_TRUE(listing(file("tmp")).empty());
    EXPECT_EQ(listing(), (std::vector<std::string>{"bench", "report.json", "tmp"}));
}

// What the card or the generator cannot do is refused before the card is taken.
TEST_F(SharedMachineTest, unknownPatternsAndBadEnvironmentBenchesAreRefused) {
    for (const std::string& arguments :
         {"capture-pattern -p99 " + file("f.raw"), std::string("output -p16"),
          std::string("generate -p4294967295")}) {
        ToolRun run = runTool(arguments);
        SCOPED_TRACE(arguments + "\n" + run.out);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(contains(run.out, "the patterns are 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15"));
    }
    // A FIFO would wait for a writer forever, /dev/zero be read until memory ran out: refused at
    // once, named by the environment as by the option.
    ASSERT_EQ(mkfifo(file("fifo.bench").c_str(), 0600), 0);
    for (const std::string& bench :
         {file("missing.bench"), file("fifo.bench"), std::string("/dev/zero")}) {
        ToolRun viaOption = runTool("--sim " + bench + " open");
        ToolRun viaEnvironment = runTool("open", "ZYVO_SIM=" + bench);
        EXPECT_EQ(viaOption.status, 2) << viaOption.out;
        EXPECT_EQ(viaEnvironment.status, 2) << viaEnvironment.out;
        EXPECT_EQ(viaEnvironment.out, viaOption.out);
        EXPECT_EQ(viaOption.out.rfind("zyvodiag: " + bench + ": cannot read: ", 0), 0u);
    }
    EXPECT_EQ(listing(), std::vector<std::string>{"fifo.bench"});
}

// A self-test that cannot have the card, or cannot keep its frames, runs no test at all; nor
// does sim-reset touch a card another process holds.
TEST_F(SharedMachineTest, selfTestRefusesBeforeTheFirstTest) {
    std::ofstream(file("plain")) << "a file";
    for (const std::string& keep : {file("plain"), std::string("/proc/zyvodiag-frames")}) {
        ToolRun run = runTool("selftest --keep " + keep);
        EXPECT_EQ(run.status, 2) << run.out;
        EXPECT_TRUE(contains(run.out, "zyvodiag selftest: " + keep + ": ")) << run.out;
    }
    fs::create_directory(file("card"));
    fs::permissions(file("card"), fs::perms::owner_all);
    ASSERT_EQ(setenv("ZYVO_SIM_STATE", file("card").c_str(), 1), 0);
    zyvosim::reset();
    ZyvoDiagDevice held;
    ASSERT_TRUE(held.open());
    const std::string holder = "zyvosim: the simulated device in " + file("card") +
                               " is in use by process " + std::to_string(getpid()) + "\n";
    ToolRun run = runTool("selftest", "ZYVO_SIM_STATE=" + file("card"));
    ToolRun reset = runTool("sim-reset", "ZYVO_SIM_STATE=" + file("card"));
    held.close();
    setenv("ZYVO_SIM_STATE", "private", 1);
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_TRUE(contains(run.out, holder)) << run.out;
    EXPECT_TRUE(contains(run.out, "no test was run"));
    EXPECT_FALSE(contains(run.out, "[ 1/16]"));
    // sim-reset leaves a held card alone and says so; a free one it powers off and on.
    EXPECT_EQ(reset.status, 1);
    EXPECT_EQ(reset.out, holder);
    reset = runTool("sim-reset", "ZYVO_SIM_STATE=" + file("card"));
    EXPECT_EQ(reset.status, 0);
    EXPECT_EQ(reset.out, "simulated device in " + file("card") + " powered off and on\n");
}

// A full disk under the card's memory fails the command that wrote there, naming the file,
// though the library ignores the status of a pattern fill's DMA; no frame is written.
TEST_F(SharedMachineTest, aFullDiskUnderTheCardFailsTheCommand) {
    fs::create_directory(file("disk"));
    if (geteuid() != 0 ||
        system(("mount -t tmpfs -o size=2m,mode=0700 none " + file("disk") + " 2>/dev/null")
                   .c_str()) != 0) {
        GTEST_SKIP() << "needs root to mount a small tmpfs";
    }
    ToolRun run = runTool("capture-pattern -p1 " + file("f.raw"), "ZYVO_SIM_STATE=" + file("disk"));
    ToolRun limited = runTool("capture-pattern -p1 " + file("g.raw"), "ulimit -f 2048;");
    EXPECT_EQ(system(("umount " + file("disk")).c_str()), 0);
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_TRUE(
        contains(run.out, "zyvodiag capture-pattern: the simulated card's own files failed: " +
                              file("disk") + "/device-memory: No space left on device"))
        << run.out;
    EXPECT_EQ(limited.status, 1) << limited.out;
    EXPECT_FALSE(fs::exists(file("f.raw")) || fs::exists(file("g.raw")));
}

} // namespace

// The habits of the command line: no silent fallback, help that matches the parser, a line for a
// command that succeeds silently, colour only for a terminal, a quiet end on a closed pipe.
// (ltc-set's field out of range is a row of the timing commands' table.)
#include "test_files.h"
#include "tool_process.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

using tooltest::endedWith;
using tooltest::runScript;
using tooltest::runTool;
using tooltest::toolCommand;

const char* const kRefused = "refused (--allow-fallback accepts it)";

// Each kind of value the library's parsers replace by a default, and values they keep.
TEST(FallbackTest, everyFallbackOfTheParsersIsRefusedUnlessAllowed) {
    const struct {
        std::string arguments;
        int status;
        std::string says;
    } rows[] = {
        {"output -f6 -r59 -o2", 2,
         "1080i at 59.94 (no video format has both): the library would "
         "use format 19 (1080i 29.97)"},
        {"output -r61", 2, "-r61 (there is no frame rate 61): the library would use -r29 (29.97)"},
        {"capture -f17 x.raw", 2,
         "-f17 (there is no video standard 17): the library would use "
         "-f6 (1080i)"},
        {"parse -v3", 2,
         "-v3 (the frame stores take no pixel format 3): the library would use -v2"},
        {"parse -v1 -v3", 2, "the library would use -v1 (YCbCr 4:2:2 10-bit)"},
        {"parse -b2x", 2, "-b2x (not a plain number): the library would use -b2"},
        {"parse -r29.5", 2, "the library would use -r29"},
        {"parse -Dfast", 2, "-Dfast (no debug level it can read): the library would use -D0"},
        {"parse ''", 2, "an empty word"},
        {"parse -D 3", 2, "write the value against its switch: -D3"},
        {"audio -cx", 2, "-cx (no channel number it can read): the library would use -c0"},
        {"audio -n4x", 2, "the library would use -n4"},
        {"audio -ion", 2, "-ion (-i takes no value)"},
        {"audio file", 2, "'file': the library would use nothing of it"},
        {"--allow-fallback output -r61", 0, "Unknown frame rate -r61 .... defaulting to 29.97"},
        {"--allow-fallback parse -v3", 0, "pixel format         2"},
        {"parse -f7 -r59.94 -v5 -D0x1f -b3", 0, "video format         34 (1080p 59.94)"},
        {"audio -n* -c3 -t1 -l2", 0, "channel count        all"},
    };
    for (const auto& row : rows) {
        const auto run = runTool(row.arguments);
        EXPECT_TRUE(endedWith(run, row.status, {row.says})) << row.arguments;
        EXPECT_EQ(run.out.find(kRefused) != std::string::npos, row.status == 2) << run.out;
    }
}

// The library says its part first; the tool's line follows, and parse still shows the record.
TEST(FallbackTest, theToolSpeaksAfterTheLibraryAndParseStillPrintsTheRecord) {
    const auto run = runTool("parse -f5 -r47");
    const size_t library = run.out.find("defaulting to video format 1080i 29.97");
    const size_t record = run.out.find("video format         19 (1080i 29.97)");
    const size_t tool = run.out.find("zyvodiag parse: 720p at 47.95");
    ASSERT_NE(tool, std::string::npos) << run.out;
    EXPECT_LT(library, record);
    EXPECT_LT(record, tool);
    EXPECT_EQ(run.status, 2);
}

// What the help says the parser takes, each value tried: a value it lists is never a fallback.
TEST(CommandHelpTest, everyValueTheHelpListsIsTakenWithoutAFallback) {
    const auto help = runTool("output -h");
    ASSERT_EQ(help.status, 0);
    EXPECT_EQ(runTool("-h").out, runTool("--help").out);
    for (const char* line : {"what this zyvodiag accepts", "  -i  1-8 ", "  -o  1-10 ",
                             "  -p  0-15 ", "default 1 (75% bars)", "-q is not taken"}) {
        EXPECT_NE(help.out.find(line), std::string::npos) << line << "\n" << help.out;
    }
    const struct {
        char letter;
        const char* context; // what makes every listed value usable on its own
    } switches[] = {{'f', "-r29 --allow-fallback"}, {'r', "-f7"}, {'v', ""}};
    for (const auto& sw : switches) {
        std::smatch values;
        const std::regex line(std::string("\n  -") + sw.letter + "  ([0-9 ]+[0-9]) ");
        ASSERT_TRUE(std::regex_search(help.out, values, line)) << sw.letter;
        std::istringstream numbers(values[1].str());
        for (std::string number; numbers >> number;) {
            const std::string word = std::string("-") + sw.letter + number;
            const auto run = runTool("parse " + word + " " + sw.context);
            EXPECT_EQ(run.out.find("(there is no"), std::string::npos) << word << run.out;
            EXPECT_EQ(run.out.find("(the frame stores take no"), std::string::npos) << word;
        }
    }
    EXPECT_TRUE(endedWith(runTool("parse -i 3"), 2, {"write the value against its switch: -i3"}));
}

// A command that prints nothing else says what it did on standard error, and only then.
TEST(SuccessLineTest, aSilentCommandSaysWhatItDidUnlessQuiet) {
    const std::string tool = toolCommand();
    const struct {
        std::string script, printed;
    } rows[] = {
        {tool + " output -o2 -p1 2>&1 >/dev/null",
         "zyvodiag output: SDI output 2 plays 75% bars (1080i 29.97, YCbCr 4:2:2 8-bit)\n"},
        {tool + " ltc-set 10:20:30:12 2>&1 >/dev/null",
         "zyvodiag ltc-set: LTC output set to 10:20:30:12\n"},
        {tool + " --quiet output -o2 2>&1 >/dev/null", ""},
        {tool + " -- open 2>&1 >/dev/null", ""},
        {tool + " output -r61 2>/dev/null | grep -c 'zyvodiag output: SDI'", "0\n"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(runScript(row.script).out, row.printed) << row.script;
    }
}

// Colour for a terminal only, and never against NO_COLOR or --color=never.
TEST(ColorTest, verdictsArePaintedOnlyForATerminal) {
    const std::string tool = toolCommand();
    const std::string green = "\033[32mPASS";
    const struct {
        std::string script;
        bool painted;
    } rows[] = {
        {"script -qc '" + tool + " selftest --only 1' /dev/null", true},
        {"NO_COLOR=1 script -qc '" + tool + " selftest --only 1' /dev/null", false},
        {"script -qc '" + tool + " --color=never selftest --only 1' /dev/null", false},
        {tool + " selftest --only 1", false},
        {tool + " --color=always selftest --only 1", true},
    };
    for (const auto& row : rows) {
        const auto run = runScript(row.script);
        EXPECT_NE(run.out.find("PASS"), std::string::npos) << row.script << run.out;
        EXPECT_EQ(run.out.find(green) != std::string::npos, row.painted) << row.script;
    }
    EXPECT_TRUE(endedWith(runTool("--color=sometimes open"), 2, {"always, auto or never"}));
}

// The LTC test waits two seconds of real time for the timecode to advance: at a terminal the
// tool says it is running, to a file or a pipe it adds nothing.
TEST(RunningNoticeTest, slowWorkSaysItIsRunningOnlyAtATerminal) {
    const std::string command = toolCommand() + " --quiet ltc-test -f7 -r29";
    const std::string notice = "zyvodiag ltc-test: running...";
    const auto terminal = runScript("ZYVO_SIM_CLOCK=real script -qc '" + command + "' /dev/null");
    EXPECT_NE(terminal.out.find(notice), std::string::npos) << terminal.out;
    const auto piped = runScript("ZYVO_SIM_CLOCK=real " + command);
    EXPECT_EQ(piped.out.find(notice), std::string::npos) << piped.out;
    EXPECT_EQ(piped.status, 0) << piped.out;
}

// A reader that closed the pipe early gets the shell's 141 and no word.
TEST(ClosedPipeTest, endsWith141AndNoMessage) {
    const auto run =
        runScript("python3 -c 'import os, subprocess, sys\n"
                  "r, w = os.pipe(); os.close(r)\n"
                  "p = subprocess.run(sys.argv[1:], stdout=w, stderr=subprocess.PIPE)\n"
                  "print(-p.returncode if p.returncode < 0 else p.returncode, repr(p.stderr))' " +
                  toolCommand() + " list");
    EXPECT_EQ(run.out, "141 b''\n");
}

// A picture to standard output, as ffmpeg writes one to "-": the PNG alone on the descriptor,
// every line of text (the library's too) on standard error, and no file named "-".
TEST(StandardOutputTest, aPictureGoesToStandardOutputAndTheTextOutOfItsWay) {
    const std::string tool = toolCommand();
    const std::string png = "python3 -c 'import sys; d = sys.stdin.buffer.read(); "
                            "print(d[:8] == b\"\\x89PNG\\r\\n\\x1a\\n\", d[-8:-4] == b\"IEND\")'";
    const std::string setup = "cd " + zyvotest::scratchDirectory() + " && " + tool +
                              " --quiet capture-pattern -p1 a.raw && " + tool +
                              " --quiet capture-pattern -p3 b.raw && ";
    for (const char* command :
         {" view a.raw --png - 2>/dev/null | ", " view a.raw --png /dev/stdout 2>/dev/null | ",
          " compare a.raw b.raw --diff-png=- 2>/dev/null | "}) {
        EXPECT_EQ(runScript(setup + tool + command + png).out, "True True\n") << command;
    }
    const auto text = runScript(setup + tool + " compare a.raw b.raw --diff-png - 2>&1 >/dev/null");
    EXPECT_NE(text.out.find("a.raw and b.raw differ\ndiffering pixels"), std::string::npos)
        << text.out;
    const auto toFile = runScript(setup + tool + " view a.raw --png /dev/stdout >a.png && " + png +
                                  " <a.png && ls");
    EXPECT_EQ(toFile.out, "a.raw: 1920 x 1080, 1080i 29.97 in YCbCr 4:2:2 8-bit -> /dev/stdout\n"
                          "True True\na.png\na.raw\nb.raw\n");
}

// list --json holds the pairs the table shows, and each one parses without a fallback.
TEST(ListTest, theJsonListHoldsThePairsThatMakeAFormat) {
    const auto run =
        runScript(toolCommand() +
                  " list --json | python3 -c '\nimport json, subprocess, sys\n"
                  "listed = json.load(sys.stdin)\n"
                  "for pair in listed[\"formats\"]:\n"
                  "    out = subprocess.run(sys.argv[1:] + [\"parse\", \"-f%d\" % pair[\"f\"], "
                  "\"-r%d\" % pair[\"r\"]], capture_output=True, text=True)\n"
                  "    assert out.returncode == 0 and \"video format         %d (%s)\" % "
                  "(pair[\"format\"], pair[\"name\"]) in out.stdout, out\n"
                  "print(len(listed[\"formats\"]), [p[\"v\"] for p in listed[\"pixel_formats\"]], "
                  "len(listed[\"test_patterns\"]))' " +
                  toolCommand() + " --quiet");
    EXPECT_EQ(run.out, "33 [1, 2, 4, 5, 23] 16\n");
}

} // namespace

// Bench files: what they say, what is refused, and where the simulator takes its bench from.
#include "card_fixture.h"

#include "ZyvoDevice.h"
#include "captured.h"
#include "test_files.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

int devicesFound() {
    ZyvoDeviceFactory factory;
    return factory.FindLocalDevices();
}

using BenchFileTest = CardTest;
using zyvotest::scratchFile;

TEST_F(BenchFileTest, aBadLineAppliesNothingOfTheBench) {
    useBench("devices 2\n");
    std::string error;
    EXPECT_FALSE(
        zyvosim::loadBench("devices 3\nfault factory.CreateLocalDevice -5\nbogus\n", error));

    EXPECT_EQ(devicesFound(), 2);
    EXPECT_EQ(createDevice().result, 1);
}

// Only a regular file of at most 1 MiB is read: /dev/zero would fill memory, a FIFO would wait
// for a writer forever (the alarm ends the test instead). Every error names the file.
TEST_F(BenchFileTest, onlyAShortRegularFileIsReadAndErrorsNameTheFile) {
    std::string fifo = zyvotest::scratchPath("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string limit = scratchFile("limit", "#" + std::string((1u << 20) - 2, '-') + "\n");
    std::string over = scratchFile("over", "#" + std::string(1u << 20, '-') + "\n");
    // A refused line is named by the file's path and the line's number.
    std::string bad = scratchFile("lab.bench", "devices 1\nreference format 0\n");
    const struct {
        std::string path;
        std::string error; // empty: loads
    } cases[] = {
        {bad, bad + ":2: reference: format 0 is not in 1 to 2147483647"},
        {"/nonexistent/lab.bench",
         "/nonexistent/lab.bench: cannot read: No such file or directory"},
        {"/dev/zero", "/dev/zero: cannot read: not a regular file"},
        {fifo, fifo + ": cannot read: not a regular file"},
        {over, over + ": cannot read: larger than 1 MiB, too large for a bench"},
        {"/tmp", "/tmp: cannot read: Is a directory"},
        {limit, ""},
    };
    alarm(20);
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(zyvosim::loadBenchFile(c.path, error), c.error.empty()) << c.path;
        EXPECT_EQ(error, c.error);
    }
    alarm(0);
}

// The text in use is what was read, byte for byte, and stays so after the file changes; a bad
// bench leaves the text of the one in use.
TEST_F(BenchFileTest, theBenchInUseKeepsTheBytesItWasReadFrom) {
    const std::string text = "# caf\xC3\xA9\r\ndevices 2\n\n";
    std::string path = scratchFile("lab.bench", text), error;
    ASSERT_TRUE(zyvosim::loadBenchFile(path, error)) << error;
    scratchFile("lab.bench", "devices 3\n");
    EXPECT_EQ(zyvosim::benchText(), text);
    EXPECT_FALSE(zyvosim::loadBench("bogus\n", error));
    EXPECT_EQ(zyvosim::benchText(), text);
    zyvosim::reset();
    EXPECT_EQ(zyvosim::benchText(), zyvosim::defaultBenchText());
}

// Comments and blank lines in the file are no directives.
TEST_F(BenchFileTest, environmentNamesTheBenchWhenNoneIsLoaded) {
    setenv("ZYVO_SIM",
           scratchFile("lab.bench", "# a lab\n\n   \ndevices 3   # all local\n").c_str(), 1);
    zyvosim::reset();
    EXPECT_EQ(devicesFound(), 3);

    useBench("devices 2\n");
    EXPECT_EQ(devicesFound(), 2);

    zyvosim::reset();
    EXPECT_EQ(devicesFound(), 3);

    // A bad one is reported and finds no device.
    std::string path = scratchFile("lab.bench", "devices 1\nlaser on\n");
    zyvosim::reset();
    zyvotest::StreamCapture capture;
    EXPECT_EQ(devicesFound(), 0);
    EXPECT_EQ(capture.errorText(), path + ":2: unknown directive 'laser'\n");
}

// One line per kind of refusal; the line number counts blank lines too.
TEST_F(BenchFileTest, refusedLinesNameOriginLineAndProblem) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"devices 1\n\ncabel SDIOutput 0 SDIInput 0\n", "lab.bench:3: unknown directive 'cabel'"},
        {"devices 2x\n", "lab.bench:1: devices: N '2x' is not a number"},
        {"devices\n", "lab.bench:1: devices: missing N; expected 'devices N'"},
        {"fault device.Open -5 twice\n",
         "lab.bench:1: fault: unexpected 'twice'; expected 'fault TARGET.OPERATION STATUS [once]'"},
        {"throw device.Close\n", "lab.bench:1: throw: 'device' has no operation 'Close' that can "
                                 "fail (it has Open, InitializeHardware)"},
        {"interrupt telescope.Open\n", "lab.bench:1: interrupt: unknown fault target 'telescope'"},
        {"fault deviceOpen -5\n", "lab.bench:1: fault: 'deviceOpen' is not TARGET.OPERATION"},
        {"cable SDIOutput 0 HDMIInput 0\n",
         "lab.bench:1: cable: expected 'SDIInput', not 'HDMIInput'"},
        {"cable SDIOutput 1 SDIInput 2\ncable SDIOutput 3 SDIInput 2\n",
         "lab.bench:2: cable: SDIInput 2 is already cabled"},
        {"ltc-source rate 13 start 01:00:00:00\n",
         "lab.bench:1: ltc-source: rate 13 is not in 3 to 12"},
        {"ltc-source rate 6 start 1:00:00:00\n",
         "lab.bench:1: ltc-source: start '1:00:00:00' is not HH:MM:SS:FF"},
        {"reference format 7\n",
         "lab.bench:1: reference: format 7 is not a video format of the device"},
        {"hdmi-fault pll-locked\n",
         "lab.bench:1: hdmi-fault: 'pll-locked' is not pll-unlocked, clock or raster"},
        {"missing SDIOutputs 0\n", "lab.bench:1: missing: unknown widget kind 'SDIOutputs'"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(zyvosim::loadBench(c.text, error, "lab.bench")) << c.text;
        // A widget the card lacks is followed by the list of what it has.
        EXPECT_EQ(error.substr(0, error.find(" (the card has")), c.error);
    }
}

// What a line quotes reaches a terminal: control bytes, bytes from 0x7f and backslashes are
// escaped, and a long quote is cut without splitting an escape.
TEST_F(BenchFileTest, quotedTextIsEscapedAndCut) {
    const std::string a79(79, 'a');
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"devices \x1b[2J\n", "b:1: devices: N '\\x1b[2J' is not a number"},
        {"c\\bel\x7f\xc3\xa9\n", "b:1: unknown directive 'c\\\\bel\\x7f\\xc3\\xa9'"},
        {"fault \x07.Open -5\n", "b:1: fault: unknown fault target '\\x07'"},
        {"devices " + a79 + "bc\n", "b:1: devices: N '" + a79 + "b...' is not a number"},
        {"devices " + a79 + "\x01\n", "b:1: devices: N '" + a79 + "...' is not a number"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(zyvosim::loadBench(c.text, error, "b"));
        EXPECT_EQ(error, c.error);
    }
}

} // namespace

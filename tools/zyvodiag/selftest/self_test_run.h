// One self-test as it runs: library user commands run as the tool runs them, and its frames.
#pragma once

#include "pictures/frame_geometry.h"

#include <zyvodiag>

#include <functional>
#include <string>
#include <vector>

namespace zyvodiag {

using UserCommand = std::function<bool(ZyvoDiagUserCommands&, ZyvoDevice*)>;

// A frame file a test wrote, and what the report shows of it.
struct TestFrame {
    std::string file;
    FrameShape shape;
    size_t size;
    std::string preview;    // the PNG beside it, once written
    std::string difference; // the difference picture of a failed comparison, if any
};

class TestRun {
public:
    // Frame files go into `directory`; with `keep`, they stay there with their pictures.
    // `toolOptions` go before each command the test records ("--sim FILE"), so that it can be
    // typed again as it ran.
    TestRun(std::string directory, bool keep, std::string toolOptions = "");
    ~TestRun();
    TestRun(const TestRun&) = delete;
    TestRun& operator=(const TestRun&) = delete;

    // As `zyvodiag NAME ARGUMENTS` would: one parse of the library's command line, the device
    // opened, `command` run, the device closed. Logs the command line first. False when the
    // line is refused, the device does not open or the command fails.
    bool onDevice(const std::string& name, const std::vector<std::string>& arguments,
                  const UserCommand& command);
    // The same for a command that needs no device (compare).
    bool onHost(const std::string& name, const std::vector<std::string>& arguments,
                const UserCommand& command);

    // The library's comparison of two frame files (expected first); when they differ, the
    // pixel statistics follow in the log and, when frames are kept, a difference picture.
    bool compareFrames(const std::string& expected, const std::string& found,
                       const FrameFormat& format, const std::vector<std::string>& switches);

    // The path of a new frame file named after `stem`, registered with its shape.
    std::string frameFile(const std::string& stem, const FrameFormat& format);
    std::string frameFile(const std::string& stem, const FrameShape& shape);

    // Writes a frame file the test made itself; false, noted in the log, when it cannot.
    bool writeFrame(const std::string& file, const std::vector<uint8_t>& bytes);

    // A line of the tool's own in the test's log. The last one before a failure says what the
    // tool found wrong, when no device-library call failed.
    void note(const std::string& text);

    // A check that only a simulated device allows (a look inside the card, where no input can
    // see): made there, with `why` recorded for the report; skipped elsewhere, saying why.
    bool simulatorCheck(const std::string& why, const std::function<bool()>& check);

    std::vector<TestFrame>& frames() { return mFrames; }
    // The commands run, as a user types them: "zyvodiag capture -i3 ... FILE".
    const std::vector<std::string>& commands() const { return mCommands; }
    // The first device-library call of the test that failed, else the tool's last finding.
    std::string rootCause() const;
    const std::string& simulatorOnly() const { return mSimulatorOnly; }

    // Where the test's log can be read as it grows, so that a failed command's last word can
    // stand as the finding when no device-library call failed.
    void readLogWith(std::function<std::string()> reader) { mLogReader = std::move(reader); }

private:
    bool invoke(const std::string& name, const std::vector<std::string>& arguments,
                const UserCommand& command, bool needsDevice);
    TestFrame* findFrame(const std::string& file);

    std::string mDirectory;
    bool mKeep;
    std::string mToolOptions;
    size_t mTraceMark;
    std::vector<TestFrame> mFrames;
    std::vector<std::string> mCommands;
    std::string mFinding;
    std::string mSimulatorOnly;
    std::function<std::string()> mLogReader;
};

} // namespace zyvodiag

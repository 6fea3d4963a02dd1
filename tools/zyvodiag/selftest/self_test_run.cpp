// The library's user commands in-process: one parse, one device open and close per command.
#include "selftest/self_test_run.h"

#include "commands/argument_vector.h"
#include "commands/device_session.h"
#include "pictures/frame_difference.h"
#include "pictures/frame_file.h"
#include "pictures/png_writer.h"
#include "simulator/simulator_probe.h"
#include "system/device_exception.h"
#include "system/pending_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <sstream>
#include <utility>

namespace zyvodiag {
namespace {

std::string stemOf(const std::string& file) {
    const std::string extension = ".raw";
    if (file.size() > extension.size() &&
        file.compare(file.size() - extension.size(), extension.size(), extension) == 0) {
        return file.substr(0, file.size() - extension.size());
    }
    return file;
}

std::string statistics(const FrameDifference& difference, PixelLayout layout) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "differing pixels: %llu of %llu; largest difference %s %u, %s %u, %s %u; "
                  "PSNR %.2f dB",
                  static_cast<unsigned long long>(difference.differingPixels),
                  static_cast<unsigned long long>(difference.pixels), componentName(layout, 0),
                  difference.largest[0], componentName(layout, 1), difference.largest[1],
                  componentName(layout, 2), difference.largest[2], difference.psnr);
    return text;
}

// An argument as the shell would take it back.
std::string shellWord(const std::string& argument) {
    if (!argument.empty() &&
        argument.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                   "0123456789-_./=:+,%@") == std::string::npos) {
        return argument;
    }
    std::string quoted = "'";
    for (char c : argument) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// The last line the library printed, trimmed: what it found wrong, as a rule.
std::string lastLibraryLine(const std::string& log) {
    std::string last;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line, '\n');) {
        const size_t start = line.find_first_not_of(" \t\r");
        if (start != std::string::npos && line.compare(start, 9, "zyvodiag:") != 0) {
            last = line.substr(start);
        }
    }
    while (!last.empty() && (last.back() == ' ' || last.back() == '\r')) {
        last.pop_back();
    }
    return last;
}

} // namespace

TestRun::TestRun(std::string directory, bool keep, std::string toolOptions)
    : mDirectory(std::move(directory)), mKeep(keep), mToolOptions(std::move(toolOptions)),
      mTraceMark(callTraceMark()) {}

// Frames of a test nobody asked to keep go as soon as it ends: a 4K frame is tens of
// megabytes.
TestRun::~TestRun() {
    if (mKeep) {
        return;
    }
    std::error_code ignored;
    for (const TestFrame& frame : mFrames) {
        std::filesystem::remove(frame.file, ignored);
        if (!frame.difference.empty()) {
            std::filesystem::remove(frame.difference, ignored);
        }
    }
}

void TestRun::note(const std::string& text) {
    std::printf("zyvodiag: %s\n", text.c_str());
    mFinding = text;
}

bool TestRun::simulatorCheck(const std::string& why, const std::function<bool()>& check) {
    if (!deviceIsSimulated()) {
        note("skipped on a device that is not simulated: " + why);
        return true;
    }
    mSimulatorOnly = why;
    return check();
}

std::string TestRun::rootCause() const {
    const std::string call = firstFailedCallSince(mTraceMark);
    return call.empty() ? mFinding : call;
}

bool TestRun::onDevice(const std::string& name, const std::vector<std::string>& arguments,
                       const UserCommand& command) {
    return invoke(name, arguments, command, true);
}

bool TestRun::onHost(const std::string& name, const std::vector<std::string>& arguments,
                     const UserCommand& command) {
    return invoke(name, arguments, command, false);
}

bool TestRun::invoke(const std::string& name, const std::vector<std::string>& arguments,
                     const UserCommand& command, bool needsDevice) {
    std::string line = "zyvodiag " + mToolOptions + name;
    for (const std::string& argument : arguments) {
        line += " " + shellWord(argument);
    }
    mCommands.push_back(line);
    std::printf("$ %s\n", line.c_str());
    std::fflush(stdout);
    const size_t logBefore = mLogReader ? mLogReader().size() : 0;
    ZyvoDiagUserCommands record;
    ArgumentVector args("zyvodiag " + name, arguments);
    if (!record.parseCmdLineArgs(args.argc(), args.argv())) {
        std::printf("\n");
        note("the library refused the command line of " + name);
        return false;
    }
    // A frame of the test is written as the tool writes one: under a name of our own, given its
    // own name only when the command passed.
    std::optional<PendingFile> frame;
    if (needsDevice && findFrame(record.mInputFileName) != nullptr) {
        frame.emplace(record.mInputFileName);
        if (!frame->ready()) {
            note(frame->error());
            return false;
        }
        record.mInputFileName = frame->writePath();
    }
    bool passed = false;
    try {
        if (needsDevice) {
            DeviceSession session;
            if (!session.opened()) {
                note("the device could not be opened for " + name);
                return false;
            }
            passed = command(record, session.device());
            session.close();
        } else {
            passed = command(record, nullptr);
        }
    } catch (...) {
        std::fflush(stdout);
        note(deviceExceptionText(name));
        return false;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const std::string storage = takeSimulatorStorageFailure();
    if (!storage.empty()) {
        note("the simulated card's own files failed: " + storage);
        passed = false;
    }
    std::string error;
    if (passed && frame && !frame->keep(error)) {
        note(error);
        passed = false;
    }
    if (!passed) {
        const std::string said = mLogReader ? lastLibraryLine(mLogReader().substr(logBefore)) : "";
        note(name + " failed" + (said.empty() ? "" : ": " + said));
    }
    return passed;
}

bool TestRun::writeFrame(const std::string& file, const std::vector<uint8_t>& bytes) {
    std::string error;
    if (writeWholeFile(file, bytes.data(), bytes.size(), error)) {
        return true;
    }
    note(error);
    return false;
}

bool TestRun::compareFrames(const std::string& expected, const std::string& found,
                            const FrameFormat& format, const std::vector<std::string>& switches) {
    std::vector<std::string> arguments = switches;
    arguments.insert(arguments.end(), {"-D", expected, found});
    if (onHost("compare", arguments, [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
            return record.compareVideoTestPattern(device);
        })) {
        return true;
    }
    FrameShape shape;
    size_t size = 0;
    std::string error;
    DecodedFrame want, got;
    if (!frameShapeOf(format, shape, size, error) ||
        !loadFrame(expected, shape, size, want, error) ||
        !loadFrame(found, shape, size, got, error)) {
        note("no pixel comparison: " + error);
        return false;
    }
    const std::string finding = statistics(measureDifference(want, got), shape.layout);
    note(finding);
    TestFrame* frame = findFrame(found);
    if (mKeep && frame != nullptr) {
        const std::string picture = stemOf(found) + "-difference.png";
        if (writePng(picture, want.width, want.height, differencePicture(want, got), error)) {
            frame->difference = picture;
            note("difference picture: " + picture);
        } else {
            note(picture + ": " + error);
        }
        mFinding = finding;
    }
    return false;
}

std::string TestRun::frameFile(const std::string& stem, const FrameFormat& format) {
    FrameShape shape{PixelLayout::RGB8, 0, 0, 0};
    size_t size = 0;
    std::string error;
    if (!frameShapeOf(format, shape, size, error)) {
        note(stem + ": " + error);
    }
    const std::string file = (std::filesystem::path(mDirectory) / (stem + ".raw")).string();
    mFrames.push_back(TestFrame{file, shape, size, "", ""});
    return file;
}

std::string TestRun::frameFile(const std::string& stem, const FrameShape& shape) {
    const std::string file = (std::filesystem::path(mDirectory) / (stem + ".raw")).string();
    mFrames.push_back(TestFrame{file, shape, frameBytes(shape), "", ""});
    return file;
}

TestFrame* TestRun::findFrame(const std::string& file) {
    for (TestFrame& frame : mFrames) {
        if (frame.file == file) {
            return &frame;
        }
    }
    return nullptr;
}

} // namespace zyvodiag

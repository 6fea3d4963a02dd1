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

} // namespace

TestRun::TestRun(std::string directory, bool keep)
    : mDirectory(std::move(directory)), mKeep(keep) {}

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
    std::string line = "$ zyvodiag " + name;
    for (const std::string& argument : arguments) {
        line += " " + argument;
    }
    std::printf("%s\n", line.c_str());
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
        note(name + " failed");
    }
    return passed;
}

bool TestRun::writeFrame(const std::string& file, const std::vector<uint8_t>& bytes) {
    PendingFile pending(file);
    std::string error = pending.error();
    if (pending.ready()) {
        FILE* stream = std::fopen(pending.writePath().c_str(), "wb");
        bool written =
            stream != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
        written = stream != nullptr && std::fclose(stream) == 0 && written;
        if (!written) {
            error = file + ": " + std::strerror(errno);
        } else if (pending.keep(error)) {
            return true;
        }
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
    note(statistics(measureDifference(want, got), shape.layout));
    TestFrame* frame = findFrame(found);
    if (mKeep && frame != nullptr) {
        const std::string picture = stemOf(found) + "-difference.png";
        if (writePng(picture, want.width, want.height, differencePicture(want, got), error)) {
            frame->difference = picture;
            note("difference picture: " + picture);
        } else {
            note(picture + ": " + error);
        }
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

// Prints the parameter record with the display names of its enumerations.
#include "commands/record_printer.h"

#include <cstdio>

namespace zyvodiag {

namespace {

void line(const char* label, unsigned long value, const char* name = nullptr) {
    if (name != nullptr) {
        std::printf("  %-20s %lu (%s)\n", label, value, name);
    } else {
        std::printf("  %-20s %lu\n", label, value);
    }
}

} // namespace

void printVideoRecord(const ZyvoDiagUserCommands& record) {
    std::printf("video parameters:\n");
    line("frame buffer", record.mFrameBuffer);
    line("SDI input", record.mSDIInput);
    line("SDI output", record.mSDIOutput);
    std::printf("  %-20s %s\n", "input file", record.mInputFileName.c_str());
    std::printf("  %-20s %s\n", "output file", record.mOutputFileName.c_str());
    line("test pattern", record.mTestPattern);
    line("pixel format", static_cast<unsigned long>(record.mPixelFormat),
         ZyvoDiag::pixelNameString(record.mPixelFormat));
    line("video rate", static_cast<unsigned long>(record.mVideoRate),
         ZyvoDiag::videoRateNameString(record.mVideoRate));
    line("video standard", static_cast<unsigned long>(record.mVideoStandard),
         ZyvoDiag::videoStandardNameString(record.mVideoStandard));
    line("video format", static_cast<unsigned long>(record.mVideoFormat),
         ZyvoDiag::videoFormatNameString(record.mVideoFormat));
    line("debug output", ZyvoDiagUserCommands::msDebugOutput ? 1 : 0);
    line("debug level", ZyvoDiagUserCommands::msDebugOutputLevel);
}

void printAudioRecord(const ZyvoDiagUserCommands& record) {
    static const char* const kTestTypes[] = {"XLR", "HDMI", "AES"};
    static const char* const kLevels[] = {"Line", "Mic", "HDMI", "AES"};
    std::printf("audio parameters:\n");
    line("test type", record.mAudioTestType,
         record.mAudioTestType < 3 ? kTestTypes[record.mAudioTestType] : "?");
    line("level", record.mAudioLevel, record.mAudioLevel < 4 ? kLevels[record.mAudioLevel] : "?");
    line("channel", record.mAudioChannel);
    if (record.mAudioChannelCount == 0xFFFFFFFFu) {
        std::printf("  %-20s all\n", "channel count");
    } else {
        line("channel count", record.mAudioChannelCount);
    }
    line("interactive", record.mAudioInteractive ? 1 : 0);
    line("debug output", ZyvoDiagUserCommands::msDebugOutput ? 1 : 0);
    line("debug level", ZyvoDiagUserCommands::msDebugOutputLevel);
}

} // namespace zyvodiag

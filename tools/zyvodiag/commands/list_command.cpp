// The list command: the format of each -f and -r pair, the pixel formats and the patterns.
#include "commands/command_table.h"
#include "commands/test_patterns.h"
#include "system/captured_output.h"

#include <zyvodiag>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace zyvodiag {
namespace {

struct Numbered {
    int number;     // what follows the switch
    int enumerated; // the device's value
};

const Numbered kStandards[] = {{1, 1}, {2, 2}, {3, 3},   {4, 4},  {5, 5},
                               {6, 6}, {7, 7}, {19, 19}, {24, 24}};
const Numbered kRates[] = {{23, 3}, {24, 4}, {25, 5},  {29, 6},  {30, 7},
                           {47, 8}, {48, 9}, {50, 10}, {59, 11}, {60, 12}};

// The table's own answer for a pair, or 0 for a pair it does not support. The library warns
// on standard output about an unsupported pair and falls back to 1080i 29.97, which is also a
// real cell, so the warning is what tells the two apart.
int formatOfPair(ZyvoDiagUserCommands& record, const Numbered& standard, const Numbered& rate) {
    CapturedOutput warnings;
    ZyvoVideoFormat format = record.videoFormatFromFrameRateAndVideoStandard(
        static_cast<ZyvoVideoRate>(rate.enumerated),
        static_cast<ZyvoVideoStandard>(standard.enumerated));
    // Without a capture the warnings show, and the fallback stands in the cell.
    return warnings.capturing() && !warnings.text().empty() ? 0 : format;
}

void printFormatTable() {
    ZyvoDiagUserCommands record;
    std::set<int> formats;
    std::printf("video formats: -f standard (rows) and -r rate (columns) select a format\n\n");
    std::printf("%-14s", "");
    for (const Numbered& rate : kRates) {
        std::printf("%7s", ("-r" + std::to_string(rate.number)).c_str());
    }
    std::printf("\n%-14s", "");
    for (const Numbered& rate : kRates) {
        std::printf("%7s",
                    ZyvoDiag::videoRateNameString(static_cast<ZyvoVideoRate>(rate.enumerated)));
    }
    std::printf("\n");
    for (const Numbered& standard : kStandards) {
        std::string label =
            "-f" + std::to_string(standard.number) + " " +
            ZyvoDiag::videoStandardNameString(static_cast<ZyvoVideoStandard>(standard.enumerated));
        std::printf("%-14s", label.c_str());
        for (const Numbered& rate : kRates) {
            int format = formatOfPair(record, standard, rate);
            if (format == 0) {
                std::printf("%7s", "-");
            } else {
                std::printf("%7d", format);
                formats.insert(format);
            }
        }
        std::printf("\n");
    }
    std::printf("\n  '-': not supported; the library warns and uses format 19.\n\nformats:\n");
    for (int format : formats) {
        std::printf("  %4d  %s\n", format,
                    ZyvoDiag::videoFormatNameString(static_cast<ZyvoVideoFormat>(format)));
    }
}

} // namespace

int runList(const Invocation& invocation) {
    if (!invocation.arguments.empty()) {
        std::fprintf(stderr, "%s: takes no arguments\n", invocation.programName.c_str());
        return kUnusable;
    }
    printFormatTable();
    std::printf("\npixel formats (-v):\n");
    for (int pixelFormat : {1, 2, 4, 5, 23}) {
        std::printf("  %4d  %s%s\n", pixelFormat,
                    ZyvoDiag::pixelNameString(static_cast<ZyvoPixelFormat>(pixelFormat)),
                    pixelFormat == 23 ? " (the HDMI loopback's; view and compare only)" : "");
    }
    std::printf("\ntest patterns (-p):\n");
    for (uint32_t pattern = 0; pattern < kTestPatternCount; ++pattern) {
        std::printf("  %4u  %s\n", pattern, testPatternName(pattern));
    }
    return kPass;
}

} // namespace zyvodiag

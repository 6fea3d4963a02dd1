// The list command: the format of each -f and -r pair, the pixel formats and the patterns, as a
// table or (--json) for programs.
#include "commands/accepted_values.h"
#include "commands/command_table.h"
#include "commands/test_patterns.h"
#include "system/captured_output.h"

#include <nlohmann/json.hpp>
#include <zyvodiag>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace zyvodiag {
namespace {

// The frame stores' pixel formats, and the HDMI loopback's 12-bit one that only view and compare
// read.
constexpr uint32_t kTwelveBitPixelFormat = 23;

struct Pair {
    uint32_t standard;  // -f
    uint32_t rate;      // -r, as typed
    uint32_t rateValue; // its ZyvoVideoRate
    int format;         // 0 where the pair makes no format
};

// The table's own answer for a pair, or 0 for a pair it does not support. The library warns
// on standard output about an unsupported pair and falls back to 1080i 29.97, which is also a
// real cell, so the warning is what tells the two apart.
int formatOfPair(uint32_t standard, uint32_t rateValue) {
    ZyvoDiagUserCommands record;
    std::fflush(stdout);
    CapturedOutput warnings;
    const ZyvoVideoFormat format = record.videoFormatFromFrameRateAndVideoStandard(
        static_cast<ZyvoVideoRate>(rateValue), static_cast<ZyvoVideoStandard>(standard));
    std::fflush(stdout);
    // Without a capture the warnings show, and the fallback stands in the cell.
    return warnings.capturing() && !warnings.text().empty() ? 0 : format;
}

std::vector<Pair> pairs() {
    const AcceptedValues& values = acceptedValues();
    std::vector<Pair> found;
    for (uint32_t standard : values.standards) {
        for (size_t i = 0; i < values.rates.size(); ++i) {
            found.push_back({standard, values.rates[i], values.rateValues[i],
                             formatOfPair(standard, values.rateValues[i])});
        }
    }
    return found;
}

const char* standardName(uint32_t standard) {
    return ZyvoDiag::videoStandardNameString(static_cast<ZyvoVideoStandard>(standard));
}
const char* rateName(uint32_t rateValue) {
    return ZyvoDiag::videoRateNameString(static_cast<ZyvoVideoRate>(rateValue));
}
const char* formatName(int format) {
    return ZyvoDiag::videoFormatNameString(static_cast<ZyvoVideoFormat>(format));
}
const char* pixelName(uint32_t pixelFormat) {
    return ZyvoDiag::pixelNameString(static_cast<ZyvoPixelFormat>(pixelFormat));
}

void printFormatTable(const std::vector<Pair>& table) {
    const AcceptedValues& values = acceptedValues();
    std::printf("video formats: -f standard (rows) and -r rate (columns) select a format\n\n");
    std::printf("%-14s", "");
    for (uint32_t rate : values.rates) {
        std::printf("%7s", ("-r" + std::to_string(rate)).c_str());
    }
    std::printf("\n%-14s", "");
    for (uint32_t rateValue : values.rateValues) {
        std::printf("%7s", rateName(rateValue));
    }
    std::set<int> formats;
    for (size_t i = 0; i < table.size(); ++i) {
        if (i % values.rates.size() == 0) {
            const std::string label =
                "-f" + std::to_string(table[i].standard) + " " + standardName(table[i].standard);
            std::printf("\n%-14s", label.c_str());
        }
        if (table[i].format == 0) {
            std::printf("%7s", "-");
        } else {
            std::printf("%7d", table[i].format);
            formats.insert(table[i].format);
        }
    }
    std::printf("\n\n  '-': not supported; the library warns and uses format 19 (zyvodiag "
                "refuses it\n  unless given --allow-fallback).\n\nformats:\n");
    for (int format : formats) {
        std::printf("  %4d  %s\n", format, formatName(format));
    }
}

std::vector<uint32_t> pixelFormats() {
    std::vector<uint32_t> formats = acceptedValues().pixelFormats;
    formats.push_back(kTwelveBitPixelFormat);
    return formats;
}

void printText(const std::vector<Pair>& table) {
    printFormatTable(table);
    std::printf("\npixel formats (-v):\n");
    for (uint32_t pixelFormat : pixelFormats()) {
        std::printf("  %4u  %s%s\n", pixelFormat, pixelName(pixelFormat),
                    pixelFormat == kTwelveBitPixelFormat
                        ? " (the HDMI loopback's; view and compare only)"
                        : "");
    }
    std::printf("\ntest patterns (-p):\n");
    for (uint32_t pattern = 0; pattern < kTestPatternCount; ++pattern) {
        std::printf("  %4u  %s\n", pattern, testPatternName(pattern));
    }
}

// The same facts for programs: only the pairs that make a format.
void printJson(const std::vector<Pair>& table) {
    nlohmann::ordered_json json;
    json["formats"] = nlohmann::json::array();
    for (const Pair& pair : table) {
        if (pair.format != 0) {
            json["formats"].push_back({{"f", pair.standard},
                                       {"standard", standardName(pair.standard)},
                                       {"r", pair.rate},
                                       {"rate", rateName(pair.rateValue)},
                                       {"format", pair.format},
                                       {"name", formatName(pair.format)}});
        }
    }
    json["pixel_formats"] = nlohmann::json::array();
    for (uint32_t pixelFormat : pixelFormats()) {
        json["pixel_formats"].push_back(
            {{"v", pixelFormat},
             {"name", pixelName(pixelFormat)},
             {"view_and_compare_only", pixelFormat == kTwelveBitPixelFormat}});
    }
    json["test_patterns"] = nlohmann::json::array();
    for (uint32_t pattern = 0; pattern < kTestPatternCount; ++pattern) {
        json["test_patterns"].push_back({{"p", pattern}, {"name", testPatternName(pattern)}});
    }
    std::printf("%s\n", json.dump(2).c_str());
}

} // namespace

int runList(const Invocation& invocation) {
    const auto& arguments = invocation.arguments;
    const bool json = arguments.size() == 1 && arguments[0] == "--json";
    if (!arguments.empty() && !json) {
        std::fprintf(stderr, "%s: takes no arguments but --json\n", invocation.programName.c_str());
        return kUnusable;
    }
    const std::vector<Pair> table = pairs();
    if (json) {
        printJson(table);
    } else {
        printText(table);
    }
    return kPass;
}

} // namespace zyvodiag

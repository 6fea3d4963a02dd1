// The raster format of a (frame rate, line structure) pair, and the warning for pairs we lack.
#include <zyvodiag>

#include <cinttypes>
#include <cstdio>

#include "frontend/frame_rates.h"

using namespace zyvodiag::frontend;

namespace {

constexpr ZyvoVideoFormat kFallbackFormat = ZYVO_VideoFormat_1080i_2997;
constexpr int32_t kUnsupported = 0;

struct StandardRow {
    ZyvoVideoStandard standard;
    const char* context; // names the row in the warning, so a report shows which row refused
    int32_t formats[kFrameRateCount]; // by frame rate; kUnsupported where we have none
};

// clang-format off
const StandardRow standard_by_rate[] = {
    //                                                   rate as typed after -r:
    //                                                   23  24  25  29  30  47  48  50  59  60
    {ZYVO_VideoStandard_486i,    "486i default case",    {0,  0,  0,  4,  0,  0,  0,  0,  0,  0}},
    {ZYVO_VideoStandard_486p,    "486p default case",    {0,  0,  0,  0,  0,  5,  0,  0,  6,  0}},
    {ZYVO_VideoStandard_576i,    "576i default case",    {0,  0,  8,  0,  0,  0,  0,  0,  0,  0}},
    {ZYVO_VideoStandard_576p,    "576p default case",    {0,  0,  0,  0,  0,  0,  0,  9,  0,  0}},
    {ZYVO_VideoStandard_720p,    "720p default case",    {10, 11, 12, 13, 14, 0,  0,  15, 16, 17}},
    {ZYVO_VideoStandard_1080i,   "1080i default case",   {0,  0,  18, 19, 20, 0,  0,  0,  0,  0}},
    {ZYVO_VideoStandard_1080p,   "1080p default case",   {26, 27, 28, 29, 30, 31, 32, 33, 34, 35}},
    {ZYVO_VideoStandard_4k1080p, "4k1080p default case", {64, 65, 66, 67, 68, 0,  0,  0,  0,  0}},
    {ZYVO_VideoStandard_4096p,   "4096p default case",   {0,  0,  0,  178, 0, 0,  0,  0,  181, 0}},
};
// clang-format on

// The context of a standard the table has no row for; the spelling is what users have seen.
const char* const kUnknownStandardContext = "videoStanard default case";

const StandardRow* findRow(ZyvoVideoStandard standard) {
    for (const StandardRow& row : standard_by_rate) {
        if (row.standard == standard) {
            return &row;
        }
    }
    return nullptr;
}

// Printed whatever the verbose switch says: a silently different raster would cost a user far
// more time than four lines of text.
void printVideoFormatWarning(const char* context, ZyvoVideoRate rate, ZyvoVideoStandard standard,
                             ZyvoVideoFormat fallback) {
    std::printf("Warning !!! Video Format selection (rate: %" PRId32 ", std: %" PRId32
                ", fmt: %" PRId32 ") is unsupported !!!\n",
                static_cast<int32_t>(rate), static_cast<int32_t>(standard),
                static_cast<int32_t>(fallback));
    std::printf("context: %s\n", context);
    std::printf(".....video standard %s : video line rate %s fps\n",
                ZyvoDiag::videoStandardNameString(standard), ZyvoDiag::videoRateNameString(rate));
    std::printf(".......... defaulting to video format %s !!\n",
                ZyvoDiag::videoFormatNameString(fallback));
}

} // namespace

ZyvoVideoFormat
ZyvoDiagUserCommands::videoFormatFromFrameRateAndVideoStandard(ZyvoVideoRate rate,
                                                               ZyvoVideoStandard standard) {
    const StandardRow* row = findRow(standard);
    if (row == nullptr) {
        printVideoFormatWarning(kUnknownStandardContext, rate, standard, kFallbackFormat);
        return kFallbackFormat;
    }
    int32_t format = kUnsupported;
    if (const FrameRate* entry = frameRateOf(rate)) {
        format = row->formats[entry - kFrameRates];
    }
    if (format == kUnsupported) {
        printVideoFormatWarning(row->context, rate, standard, kFallbackFormat);
        return kFallbackFormat;
    }
    return static_cast<ZyvoVideoFormat>(format);
}

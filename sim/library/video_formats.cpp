// The video format table: the one place that says what each format, standard and rate is.
#include "library/video_formats.h"

#include "library/format_lookup.h"

#include <algorithm>

namespace zyvosim {
namespace {

struct StandardRow {
    ZyvoVideoStandard standard;
    const char* name;
    unsigned width;
    unsigned height;
    bool interlaced;
    unsigned totalLines;
};

// Rasters by standard. The 3840x2160 quad standard is called 4k1080p by the enumeration, after
// its quadrants, but it is shown as the picture a viewer sees.
const StandardRow kStandards[] = {
    {ZYVO_VideoStandard_486i, "486i", 720, 486, true, 525},
    {ZYVO_VideoStandard_486p, "486p", 720, 486, false, 525},
    {ZYVO_VideoStandard_576i, "576i", 720, 576, true, 625},
    {ZYVO_VideoStandard_576p, "576p", 720, 576, false, 625},
    {ZYVO_VideoStandard_720p, "720p", 1280, 720, false, 750},
    {ZYVO_VideoStandard_1080i, "1080i", 1920, 1080, true, 1125},
    {ZYVO_VideoStandard_1080p, "1080p", 1920, 1080, false, 1125},
    {ZYVO_VideoStandard_4k1080p, "2160p", 3840, 2160, false, 2250},
    {ZYVO_VideoStandard_4096p, "4096p", 4096, 2160, false, 2250},
};

struct RateRow {
    ZyvoVideoRate rate;
    const char* name;
    unsigned timecodeFrames;
};

const RateRow kRates[] = {
    {ZYVO_VideoRate_2398, "23.98", 24}, {ZYVO_VideoRate_24, "24", 24},
    {ZYVO_VideoRate_25, "25", 25},      {ZYVO_VideoRate_2997, "29.97", 30},
    {ZYVO_VideoRate_30, "30", 30},      {ZYVO_VideoRate_4795, "47.95", 48},
    {ZYVO_VideoRate_48, "48", 48},      {ZYVO_VideoRate_50, "50", 50},
    {ZYVO_VideoRate_5994, "59.94", 60}, {ZYVO_VideoRate_60, "60", 60},
};

struct FormatRow {
    ZyvoVideoFormat format;
    ZyvoVideoStandard standard;
    ZyvoVideoRate rate;
    unsigned totalSamplesPerLine;
};

// Samples per line are the SMPTE totals (SMPTE 125, 296, 274, 2036 and 2048). 486p at 47.95
// keeps the 525-line raster of 59.94 with a slower sample clock, as 23.98 does against 24.
const FormatRow kFormats[] = {
    {ZYVO_VideoFormat_486i_2997, ZYVO_VideoStandard_486i, ZYVO_VideoRate_2997, 858},
    {ZYVO_VideoFormat_486p_4795, ZYVO_VideoStandard_486p, ZYVO_VideoRate_4795, 858},
    {ZYVO_VideoFormat_486p_5994, ZYVO_VideoStandard_486p, ZYVO_VideoRate_5994, 858},
    {ZYVO_VideoFormat_576i_25, ZYVO_VideoStandard_576i, ZYVO_VideoRate_25, 864},
    {ZYVO_VideoFormat_576p_50, ZYVO_VideoStandard_576p, ZYVO_VideoRate_50, 864},
    {ZYVO_VideoFormat_720p_2398, ZYVO_VideoStandard_720p, ZYVO_VideoRate_2398, 4125},
    {ZYVO_VideoFormat_720p_24, ZYVO_VideoStandard_720p, ZYVO_VideoRate_24, 4125},
    {ZYVO_VideoFormat_720p_25, ZYVO_VideoStandard_720p, ZYVO_VideoRate_25, 3960},
    {ZYVO_VideoFormat_720p_2997, ZYVO_VideoStandard_720p, ZYVO_VideoRate_2997, 3300},
    {ZYVO_VideoFormat_720p_30, ZYVO_VideoStandard_720p, ZYVO_VideoRate_30, 3300},
    {ZYVO_VideoFormat_720p_50, ZYVO_VideoStandard_720p, ZYVO_VideoRate_50, 1980},
    {ZYVO_VideoFormat_720p_5994, ZYVO_VideoStandard_720p, ZYVO_VideoRate_5994, 1650},
    {ZYVO_VideoFormat_720p_60, ZYVO_VideoStandard_720p, ZYVO_VideoRate_60, 1650},
    {ZYVO_VideoFormat_1080i_25, ZYVO_VideoStandard_1080i, ZYVO_VideoRate_25, 2640},
    {ZYVO_VideoFormat_1080i_2997, ZYVO_VideoStandard_1080i, ZYVO_VideoRate_2997, 2200},
    {ZYVO_VideoFormat_1080i_30, ZYVO_VideoStandard_1080i, ZYVO_VideoRate_30, 2200},
    {ZYVO_VideoFormat_1080p_2398, ZYVO_VideoStandard_1080p, ZYVO_VideoRate_2398, 2750},
    {ZYVO_VideoFormat_1080p_24, ZYVO_VideoStandard_1080p, ZYVO_VideoRate_24, 2750},
    {ZYVO_VideoFormat_1080p_25, ZYVO_VideoStandard_1080p, ZYVO_VideoRate_25, 2640},
    {ZYVO_VideoFormat_1080p_2997, ZYVO_VideoStandard_1080p, ZYVO_VideoRate_2997, 2200},
    {ZYVO_VideoFormat_1080p_30, ZYVO_VideoStandard_1080p, ZYVO_VideoRate_30, 2200},
    {ZYVO_VideoFormat_1080p_4795, ZYVO_VideoStandard_1080p, ZYVO_VideoRate_4795, 2750},
    {ZYVO_VideoFormat_1080p_48, ZYVO_VideoStandard_1080p, ZYVO_VideoRate_48, 2750},
    {ZYVO_VideoFormat_1080p_50, ZYVO_VideoStandard_1080p, ZYVO_VideoRate_50, 2640},
    {ZYVO_VideoFormat_1080p_5994, ZYVO_VideoStandard_1080p, ZYVO_VideoRate_5994, 2200},
    {ZYVO_VideoFormat_1080p_60, ZYVO_VideoStandard_1080p, ZYVO_VideoRate_60, 2200},
};

// A 4K raster comes as three formats: quad (four HD quadrants on four links), SID (the same
// picture as one image, how a frame store holds it) and HDMI (how the transmitter sends it).
// Only the quad format translates to the other two.
struct FourKRow {
    ZyvoVideoFormat quad;
    ZyvoVideoFormat sid;
    ZyvoVideoFormat hdmi;
    ZyvoVideoStandard standard;
    ZyvoVideoRate rate;
    unsigned totalSamplesPerLine;
};

const FourKRow c4KFormats[] = {
    {ZYVO_VideoFormat_2160p_2398, ZYVO_VideoFormat_2160p_2398_SID, ZYVO_VideoFormat_2160p_2398_HDMI,
     ZYVO_VideoStandard_4k1080p, ZYVO_VideoRate_2398, 5500},
    {ZYVO_VideoFormat_2160p_24, ZYVO_VideoFormat_2160p_24_SID, ZYVO_VideoFormat_2160p_24_HDMI,
     ZYVO_VideoStandard_4k1080p, ZYVO_VideoRate_24, 5500},
    {ZYVO_VideoFormat_2160p_25, ZYVO_VideoFormat_2160p_25_SID, ZYVO_VideoFormat_2160p_25_HDMI,
     ZYVO_VideoStandard_4k1080p, ZYVO_VideoRate_25, 5280},
    {ZYVO_VideoFormat_2160p_2997, ZYVO_VideoFormat_2160p_2997_SID, ZYVO_VideoFormat_2160p_2997_HDMI,
     ZYVO_VideoStandard_4k1080p, ZYVO_VideoRate_2997, 4400},
    {ZYVO_VideoFormat_2160p_30, ZYVO_VideoFormat_2160p_30_SID, ZYVO_VideoFormat_2160p_30_HDMI,
     ZYVO_VideoStandard_4k1080p, ZYVO_VideoRate_30, 4400},
    {ZYVO_VideoFormat_4096p_2997, ZYVO_VideoFormat_4096p_2997_SID, ZYVO_VideoFormat_4096p_2997_HDMI,
     ZYVO_VideoStandard_4096p, ZYVO_VideoRate_2997, 4400},
    {ZYVO_VideoFormat_4096p_5994, ZYVO_VideoFormat_4096p_5994_SID, ZYVO_VideoFormat_4096p_5994_HDMI,
     ZYVO_VideoStandard_4096p, ZYVO_VideoRate_5994, 4400},
};

const StandardRow& standardRow(ZyvoVideoStandard standard) {
    for (const StandardRow& row : kStandards) {
        if (row.standard == standard) {
            return row;
        }
    }
    return kStandards[0]; // not reached: every format row names a listed standard
}

const char* rateName(ZyvoVideoRate rate) {
    for (const RateRow& row : kRates) {
        if (row.rate == rate) {
            return row.name;
        }
    }
    return "";
}

VideoFormatFacts factsOf(const FormatRow& row, const char* suffix) {
    const StandardRow& standard = standardRow(row.standard);
    VideoFormatFacts facts;
    facts.format = row.format;
    facts.name = std::string(standard.name) + " " + rateName(row.rate) + suffix;
    facts.standard = row.standard;
    facts.rate = row.rate;
    facts.width = standard.width;
    facts.height = standard.height;
    facts.interlaced = standard.interlaced;
    facts.quad = false;
    facts.sidFormat = ZYVO_VideoFormat_Unknown;
    facts.hdmiFormat = ZYVO_VideoFormat_Unknown;
    facts.totalLines = standard.totalLines;
    facts.totalSamplesPerLine = row.totalSamplesPerLine;
    return facts;
}

std::vector<VideoFormatFacts> allFormats() {
    std::vector<VideoFormatFacts> formats;
    for (const FormatRow& row : kFormats) {
        formats.push_back(factsOf(row, ""));
    }
    for (const FourKRow& row : c4KFormats) {
        FormatRow raster{row.quad, row.standard, row.rate, row.totalSamplesPerLine};
        VideoFormatFacts quad = factsOf(raster, "");
        quad.quad = true;
        quad.sidFormat = row.sid;
        quad.hdmiFormat = row.hdmi;
        formats.push_back(quad);
        raster.format = row.sid;
        formats.push_back(factsOf(raster, " SID"));
        raster.format = row.hdmi;
        formats.push_back(factsOf(raster, " HDMI"));
    }
    std::sort(
        formats.begin(), formats.end(),
        [](const VideoFormatFacts& a, const VideoFormatFacts& b) { return a.format < b.format; });
    return formats;
}

// The number and name of every row of a table.
template <typename Named, typename Row, size_t Count, typename Key>
std::vector<Named> namesOf(const Row (&rows)[Count], Key Row::*key) {
    std::vector<Named> named;
    for (const Row& row : rows) {
        named.push_back(Named{row.*key, row.name});
    }
    return named;
}

} // namespace

const std::vector<VideoFormatFacts>& videoFormats() {
    static const std::vector<VideoFormatFacts> formats = allFormats();
    return formats;
}

const VideoFormatFacts* findVideoFormat(ZyvoVideoFormat format) {
    return findFormatFacts(videoFormats(), format);
}

const std::vector<NamedStandard>& videoStandardNames() {
    static const auto names = namesOf<NamedStandard>(kStandards, &StandardRow::standard);
    return names;
}

const std::vector<NamedRate>& videoRateNames() {
    static const auto names = namesOf<NamedRate>(kRates, &RateRow::rate);
    return names;
}

unsigned timecodeFramesPerSecond(ZyvoVideoRate rate) {
    for (const RateRow& row : kRates) {
        if (row.rate == rate) {
            return row.timecodeFrames;
        }
    }
    return 0;
}

} // namespace zyvosim

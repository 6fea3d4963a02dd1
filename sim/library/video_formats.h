// What the device knows about each video format, standard and rate: names, rasters, timing
// and the 4K translations.
#pragma once

#include "ZyvoTypes.h"

#include <string>
#include <vector>

namespace zyvosim {

struct VideoFormatFacts {
    ZyvoVideoFormat format;
    std::string name; // "1080i 29.97", "2160p 29.97 SID"
    ZyvoVideoStandard standard;
    ZyvoVideoRate rate;
    unsigned width;  // picture pixels per line
    unsigned height; // picture lines per frame (both fields of an interlaced format)
    bool interlaced;
    bool quad;                    // a 4K picture carried as four HD quadrants
    ZyvoVideoFormat sidFormat;    // a quad format as one image in a frame store; 0 otherwise
    ZyvoVideoFormat hdmiFormat;   // a quad format as the HDMI transmitter sends it; 0 otherwise
    unsigned totalLines;          // per frame, blanking included
    unsigned totalSamplesPerLine; // luma samples, blanking included
};

// Every format the device knows, in enumeration order.
const std::vector<VideoFormatFacts>& videoFormats();
// The facts of `format`, or null when the device does not know it.
const VideoFormatFacts* findVideoFormat(ZyvoVideoFormat format);

struct NamedStandard {
    ZyvoVideoStandard standard;
    const char* name;
};
struct NamedRate {
    ZyvoVideoRate rate;
    const char* name;
};
const std::vector<NamedStandard>& videoStandardNames();
const std::vector<NamedRate>& videoRateNames();

// Whole frames a second at `rate` as a timecode counts them (30 for 29.97); 0 when unknown.
unsigned timecodeFramesPerSecond(ZyvoVideoRate rate);

} // namespace zyvosim

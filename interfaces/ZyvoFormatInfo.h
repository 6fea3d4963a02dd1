// Static facts about video formats and pixel formats.
#pragma once

#include "ZyvoExport.h"
#include "ZyvoTypes.h"

class ZYVO_API ZyvoVideoFormatInfo {
public:
    // True for 4K formats carried as four HD quadrants.
    static bool isQuad(ZyvoVideoFormat format);
    // The single-image format a frame store uses for a quad format; 0 when there is none.
    static ZyvoVideoFormat Get4KSIDFormat(ZyvoVideoFormat format);
    // The format the HDMI transmitter sends for a quad format; 0 when there is none.
    static ZyvoVideoFormat Get4KHDMIFormat(ZyvoVideoFormat format);
};

class ZYVO_API ZyvoPixelFormatInfo {
public:
    // Bytes one cadence (the smallest repeating group of pixels) takes, per pixel for the
    // 32-bit-word formats.
    static unsigned int GetBytesPerCadencePitch(ZyvoPixelFormat format);
};

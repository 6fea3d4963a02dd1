// Static queries about video formats and pixel formats, answered from the format tables.
#include "ZyvoFormatInfo.h"

#include "library/pixel_formats.h"
#include "library/video_formats.h"
#include "simulator.h"

bool ZyvoVideoFormatInfo::isQuad(ZyvoVideoFormat format) {
    const zyvosim::VideoFormatFacts* facts = zyvosim::findVideoFormat(format);
    return facts != nullptr && facts->quad;
}

// A bench can take a translation away (no-sid-translation), as a device library that predates
// a raster would lack it.
ZyvoVideoFormat ZyvoVideoFormatInfo::Get4KSIDFormat(ZyvoVideoFormat format) {
    const zyvosim::VideoFormatFacts* facts = zyvosim::findVideoFormat(format);
    if (facts == nullptr || zyvosim::bench().video.formatsWithoutSID.count(format) != 0) {
        return ZYVO_VideoFormat_Unknown;
    }
    return facts->sidFormat;
}

ZyvoVideoFormat ZyvoVideoFormatInfo::Get4KHDMIFormat(ZyvoVideoFormat format) {
    const zyvosim::VideoFormatFacts* facts = zyvosim::findVideoFormat(format);
    return facts != nullptr ? facts->hdmiFormat : ZYVO_VideoFormat_Unknown;
}

// The bytes of one whole cadence: 16 for the six pixels of 10-bit YCbCr, 4 for the two pixels
// of 8-bit YCbCr, 4 for one RGB pixel, 24 for the eight pixels of 12-bit YCbCr; 0 when unknown.
unsigned int ZyvoPixelFormatInfo::GetBytesPerCadencePitch(ZyvoPixelFormat format) {
    const zyvosim::PixelFormatFacts* facts = zyvosim::findPixelFormat(format);
    return facts != nullptr ? facts->bytesPerCadence : 0;
}

// Where and how a frame store keeps its frames: the buffer configuration value objects.
#include "ZyvoFrameBufferConfiguration.h"

#include "library/pixel_formats.h"
#include "library/video_formats.h"

ZyvoVideoBufferConfiguration::ZyvoVideoBufferConfiguration() : mChannel(ZYVO_VideoChannel_1) {}

ZyvoVideoBufferConfiguration::~ZyvoVideoBufferConfiguration() = default;

int ZyvoVideoBufferConfiguration::SetVideoChannel(ZyvoVideoChannel channel) {
    mChannel = channel;
    return 1;
}

int ZyvoVideoBufferConfiguration::GetVideoChannel(ZyvoVideoChannel& channel) const {
    channel = mChannel;
    return 1;
}

ZyvoFrameBufferConfiguration::ZyvoFrameBufferConfiguration()
    : ZyvoFrameBufferConfiguration(ZYVO_VideoFormat_Unknown, ZYVO_PixelFormat_Unknown) {}

// A frame is the whole picture (both fields of an interlaced format, all four quadrants of a
// quad format), line after line at the pixel format's pitch. A format or pixel format the
// device does not know gives a frame of no bytes.
ZyvoFrameBufferConfiguration::ZyvoFrameBufferConfiguration(ZyvoVideoFormat format,
                                                           ZyvoPixelFormat pixelFormat)
    : mFormat(format), mPixelFormat(pixelFormat), mBaseAddress(0), mNumber(0), mSize(0),
      mLinePitch(0), mLineCount(0) {
    const zyvosim::VideoFormatFacts* video = zyvosim::findVideoFormat(format);
    const zyvosim::PixelFormatFacts* pixels = zyvosim::findPixelFormat(pixelFormat);
    if (video == nullptr || pixels == nullptr) {
        return;
    }
    mLinePitch = zyvosim::linePitch(*pixels, video->width);
    mLineCount = video->height;
    mSize = mLinePitch * mLineCount;
}

ZyvoFrameBufferConfiguration::~ZyvoFrameBufferConfiguration() = default;

int ZyvoFrameBufferConfiguration::SetFrameBufferBaseAddress(uint32_t address) {
    mBaseAddress = address;
    return 1;
}

int ZyvoFrameBufferConfiguration::GetFrameBufferBaseAddress(unsigned int& address) const {
    address = mBaseAddress;
    return 1;
}

int ZyvoFrameBufferConfiguration::SetFrameBufferNumber(uint32_t number) {
    mNumber = number;
    return 1;
}

int ZyvoFrameBufferConfiguration::GetFrameBufferNumber(unsigned int& number) const {
    number = mNumber;
    return 1;
}

int ZyvoFrameBufferConfiguration::SetFrameBufferSize(uint32_t size) {
    mSize = size;
    return 1;
}

int ZyvoFrameBufferConfiguration::GetFrameBufferSize(unsigned int& size) const {
    size = mSize;
    return 1;
}

int ZyvoFrameBufferConfiguration::GetVideoFormat(ZyvoVideoFormat& format) const {
    format = mFormat;
    return 1;
}

int ZyvoFrameBufferConfiguration::GetPixelFormat(ZyvoPixelFormat& pixelFormat) const {
    pixelFormat = mPixelFormat;
    return 1;
}

int ZyvoFrameBufferConfiguration::GetLinePitch(unsigned int& pitch) const {
    pitch = mLinePitch;
    return 1;
}

int ZyvoFrameBufferConfiguration::GetLineCount(unsigned int& lines) const {
    lines = mLineCount;
    return 1;
}

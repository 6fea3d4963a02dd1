// The video configuration value object.
#include "ZyvoVideoConfiguration.h"

#include "library/video_formats.h"

ZyvoVideoConfiguration::ZyvoVideoConfiguration()
    : ZyvoVideoConfiguration(ZYVO_VideoFormat_Unknown) {}

ZyvoVideoConfiguration::ZyvoVideoConfiguration(ZyvoVideoFormat format)
    : mFormat(format), mSampling(ZYVO_VideoSampling_422), mColorSpace(ZYVO_VideoColorSpace_YCbCr),
      mColorRange(ZYVO_VideoColorRange_Legal), mAspectRatio(ZYVO_VideoAspectRatio_16x9),
      mBitDepth(ZYVO_VideoBitDepth_10), mChannel(ZYVO_VideoChannel_1), mSignalPresent(false) {}

ZyvoVideoConfiguration::~ZyvoVideoConfiguration() = default;

// The format is kept even when the device does not know it, so a reader sees what was asked
// for; the status says it is unknown.
int ZyvoVideoConfiguration::SetDefaultFormat(ZyvoVideoFormat format) {
    mFormat = format;
    return zyvosim::findVideoFormat(format) != nullptr ? 1 : 0;
}

int ZyvoVideoConfiguration::SetVideoSampling(ZyvoVideoSampling sampling) {
    mSampling = sampling;
    return 1;
}

int ZyvoVideoConfiguration::SetVideoColorSpace(ZyvoVideoColorSpace colorSpace) {
    mColorSpace = colorSpace;
    return 1;
}

int ZyvoVideoConfiguration::SetVideoColorRange(ZyvoVideoColorRange colorRange) {
    mColorRange = colorRange;
    return 1;
}

int ZyvoVideoConfiguration::SetVideoAspectRatio(ZyvoVideoAspectRatio aspectRatio) {
    mAspectRatio = aspectRatio;
    return 1;
}

int ZyvoVideoConfiguration::SetVideoBitDepth(ZyvoVideoBitDepth bitDepth) {
    mBitDepth = bitDepth;
    return 1;
}

int ZyvoVideoConfiguration::SetVideoChannel(ZyvoVideoChannel channel) {
    mChannel = channel;
    return 1;
}

int ZyvoVideoConfiguration::GetDefaultFormat(ZyvoVideoFormat& format) const {
    format = mFormat;
    return 1;
}

int ZyvoVideoConfiguration::GetPictureWidth(unsigned int& width) const {
    const zyvosim::VideoFormatFacts* facts = zyvosim::findVideoFormat(mFormat);
    width = facts != nullptr ? facts->width : 0;
    return facts != nullptr ? 1 : 0;
}

int ZyvoVideoConfiguration::GetPictureHeight(unsigned int& height) const {
    const zyvosim::VideoFormatFacts* facts = zyvosim::findVideoFormat(mFormat);
    height = facts != nullptr ? facts->height : 0;
    return facts != nullptr ? 1 : 0;
}

int ZyvoVideoConfiguration::GetVideoSampling(ZyvoVideoSampling& sampling) const {
    sampling = mSampling;
    return 1;
}

int ZyvoVideoConfiguration::GetVideoColorSpace(ZyvoVideoColorSpace& colorSpace) const {
    colorSpace = mColorSpace;
    return 1;
}

int ZyvoVideoConfiguration::GetVideoColorRange(ZyvoVideoColorRange& colorRange) const {
    colorRange = mColorRange;
    return 1;
}

int ZyvoVideoConfiguration::GetVideoAspectRatio(ZyvoVideoAspectRatio& aspectRatio) const {
    aspectRatio = mAspectRatio;
    return 1;
}

int ZyvoVideoConfiguration::GetVideoBitDepth(ZyvoVideoBitDepth& bitDepth) const {
    bitDepth = mBitDepth;
    return 1;
}

int ZyvoVideoConfiguration::GetVideoChannel(ZyvoVideoChannel& channel) const {
    channel = mChannel;
    return 1;
}

int ZyvoVideoConfiguration::SetSignalPresent(bool present) {
    mSignalPresent = present;
    return 1;
}

bool ZyvoVideoConfiguration::IsSignalPresent() const {
    return mSignalPresent;
}

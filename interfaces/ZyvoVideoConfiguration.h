// Video configuration and transport descriptions, value objects built on the caller's stack.
#pragma once

#include "ZyvoExport.h"
#include "ZyvoTypes.h"

class ZYVO_API ZyvoVideoConfiguration {
public:
    ZyvoVideoConfiguration();
    explicit ZyvoVideoConfiguration(ZyvoVideoFormat format);
    virtual ~ZyvoVideoConfiguration();
    ZyvoVideoConfiguration(const ZyvoVideoConfiguration&) = default;
    ZyvoVideoConfiguration& operator=(const ZyvoVideoConfiguration&) = default;

    // The seven setters, raster format first; each returns a status above 0 on success.
    virtual int SetDefaultFormat(ZyvoVideoFormat format);
    virtual int SetVideoSampling(ZyvoVideoSampling sampling);
    virtual int SetVideoColorSpace(ZyvoVideoColorSpace colorSpace);
    virtual int SetVideoColorRange(ZyvoVideoColorRange colorRange);
    virtual int SetVideoAspectRatio(ZyvoVideoAspectRatio aspectRatio);
    virtual int SetVideoBitDepth(ZyvoVideoBitDepth bitDepth);
    virtual int SetVideoChannel(ZyvoVideoChannel channel);

    int GetDefaultFormat(ZyvoVideoFormat& format) const;
    int GetPictureWidth(unsigned int& width) const;
    int GetPictureHeight(unsigned int& height) const;
    int GetVideoSampling(ZyvoVideoSampling& sampling) const;
    int GetVideoColorSpace(ZyvoVideoColorSpace& colorSpace) const;
    int GetVideoColorRange(ZyvoVideoColorRange& colorRange) const;
    int GetVideoAspectRatio(ZyvoVideoAspectRatio& aspectRatio) const;
    int GetVideoBitDepth(ZyvoVideoBitDepth& bitDepth) const;
    int GetVideoChannel(ZyvoVideoChannel& channel) const;

    // What an input found: whether a signal arrives at all, and whether its format is known.
    int SetSignalPresent(bool present);
    bool IsSignalPresent() const;

private:
    ZyvoVideoFormat mFormat;
    ZyvoVideoSampling mSampling;
    ZyvoVideoColorSpace mColorSpace;
    ZyvoVideoColorRange mColorRange;
    ZyvoVideoAspectRatio mAspectRatio;
    ZyvoVideoBitDepth mBitDepth;
    ZyvoVideoChannel mChannel;
    bool mSignalPresent;
};

// Timing of a video stream on the wire, derived from a configuration.
class ZYVO_API ZyvoVideoTransport {
public:
    ZyvoVideoTransport();
    explicit ZyvoVideoTransport(const ZyvoVideoConfiguration& configuration);
    virtual ~ZyvoVideoTransport();

    ZyvoVideoFormat GetFormat() const;
    unsigned int GetTotalLines() const;
    unsigned int GetTotalSamplesPerLine() const;

protected:
    ZyvoVideoFormat mFormat;
    unsigned int mTotalLines;
    unsigned int mTotalSamplesPerLine;
};

// What arrives on an SDI link: a valid signal or not, and a recognised format or not.
class ZYVO_API ZyvoSDITransport : public ZyvoVideoTransport {
public:
    ZyvoSDITransport();
    explicit ZyvoSDITransport(const ZyvoVideoConfiguration& configuration);
    ~ZyvoSDITransport() override;

    bool IsSignalValid() const;
    bool IsFormatRecognised() const;

private:
    bool mSignalValid;
};

// Where and how a frame store keeps its frames in device memory.
#pragma once

#include "ZyvoExport.h"
#include "ZyvoTypes.h"

#include <cstdint>

class ZYVO_API ZyvoVideoBufferConfiguration {
public:
    ZyvoVideoBufferConfiguration();
    virtual ~ZyvoVideoBufferConfiguration();

    int SetVideoChannel(ZyvoVideoChannel channel);
    int GetVideoChannel(ZyvoVideoChannel& channel) const;

protected:
    ZyvoVideoChannel mChannel;
};

class ZYVO_API ZyvoFrameBufferConfiguration : public ZyvoVideoBufferConfiguration {
public:
    ZyvoFrameBufferConfiguration();
    ZyvoFrameBufferConfiguration(ZyvoVideoFormat format, ZyvoPixelFormat pixelFormat);
    ~ZyvoFrameBufferConfiguration() override;

    int SetFrameBufferBaseAddress(uint32_t address);
    int GetFrameBufferBaseAddress(unsigned int& address) const;
    int SetFrameBufferNumber(uint32_t number);
    int GetFrameBufferNumber(unsigned int& number) const;
    int SetFrameBufferSize(uint32_t size);
    int GetFrameBufferSize(unsigned int& size) const;

    int GetVideoFormat(ZyvoVideoFormat& format) const;
    int GetPixelFormat(ZyvoPixelFormat& pixelFormat) const;
    // Bytes from the start of one line to the start of the next.
    int GetLinePitch(unsigned int& pitch) const;
    int GetLineCount(unsigned int& lines) const;

private:
    ZyvoVideoFormat mFormat;
    ZyvoPixelFormat mPixelFormat;
    uint32_t mBaseAddress;
    uint32_t mNumber;
    uint32_t mSize;
    uint32_t mLinePitch;
    uint32_t mLineCount;
};

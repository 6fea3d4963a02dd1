// Trace text of configuration objects and addresses, and their plain-data form.
#include "calls/trace_values.h"

#include <cstdio>

namespace zyvosim {

VideoConfigState stateOf(const ZyvoVideoConfiguration& configuration) {
    VideoConfigState state{};
    ZyvoVideoFormat format;
    ZyvoVideoSampling sampling;
    ZyvoVideoColorSpace colorSpace;
    ZyvoVideoColorRange colorRange;
    ZyvoVideoAspectRatio aspectRatio;
    ZyvoVideoBitDepth bitDepth;
    ZyvoVideoChannel channel;
    configuration.GetDefaultFormat(format);
    configuration.GetVideoSampling(sampling);
    configuration.GetVideoColorSpace(colorSpace);
    configuration.GetVideoColorRange(colorRange);
    configuration.GetVideoAspectRatio(aspectRatio);
    configuration.GetVideoBitDepth(bitDepth);
    configuration.GetVideoChannel(channel);
    state.format = format;
    state.sampling = sampling;
    state.colorSpace = colorSpace;
    state.colorRange = colorRange;
    state.aspectRatio = aspectRatio;
    state.bitDepth = bitDepth;
    state.channel = channel;
    return state;
}

FrameBufferConfigState stateOf(const ZyvoFrameBufferConfiguration& configuration) {
    FrameBufferConfigState state{};
    ZyvoVideoFormat format;
    ZyvoPixelFormat pixelFormat;
    ZyvoVideoChannel channel;
    configuration.GetVideoFormat(format);
    configuration.GetPixelFormat(pixelFormat);
    configuration.GetVideoChannel(channel);
    state.format = format;
    state.pixelFormat = pixelFormat;
    state.channel = channel;
    configuration.GetFrameBufferBaseAddress(state.baseAddress);
    configuration.GetFrameBufferNumber(state.number);
    configuration.GetFrameBufferSize(state.size);
    configuration.GetLinePitch(state.linePitch);
    configuration.GetLineCount(state.lineCount);
    return state;
}

std::string traceArgument(Hex value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(value.value));
    return text;
}

std::string traceArgument(const ZyvoVideoConfiguration* configuration) {
    if (configuration == nullptr) {
        return "null";
    }
    VideoConfigState s = stateOf(*configuration);
    return "video{fmt=" + std::to_string(s.format) + ",smp=" + std::to_string(s.sampling) +
           ",cs=" + std::to_string(s.colorSpace) + ",cr=" + std::to_string(s.colorRange) +
           ",ar=" + std::to_string(s.aspectRatio) + ",bd=" + std::to_string(s.bitDepth) +
           ",ch=" + std::to_string(s.channel) + "}";
}

std::string traceArgument(const ZyvoFrameBufferConfiguration* configuration) {
    if (configuration == nullptr) {
        return "null";
    }
    FrameBufferConfigState s = stateOf(*configuration);
    return "fb{fmt=" + std::to_string(s.format) + ",pix=" + std::to_string(s.pixelFormat) +
           ",base=" + traceArgument(Hex{s.baseAddress}) + ",num=" + std::to_string(s.number) +
           ",size=" + std::to_string(s.size) + ",ch=" + std::to_string(s.channel) + "}";
}

std::string traceArgument(const ZyvoVideoTransport* transport) {
    if (transport == nullptr) {
        return "null";
    }
    return "transport{fmt=" + std::to_string(transport->GetFormat()) + "}";
}

} // namespace zyvosim

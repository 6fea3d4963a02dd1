// HDMI output configuration and input initialisation, and connecting the output to playout.
#include "device_layout.h"
#include "widget_access.h"

#include "ZyvoFormatInfo.h"
#include "ZyvoHDMIWidgets.h"

#include <cstdio>
#include <unistd.h>

using zyvodiag::engine::FailureCount;

namespace {

constexpr ZyvoVideoSource kPlayoutStore0Source =
    static_cast<ZyvoVideoSource>(zyvodiag::engine::kPlayoutStore0Source);

// Colour space, sampling and bit depth of the HDMI stream for each pixel format.
struct HDMIColourSettings {
    ZyvoPixelFormat pixelFormat;
    ZyvoVideoColorSpace colorSpace;
    ZyvoVideoSampling sampling;
    ZyvoVideoBitDepth bitDepth;
};

constexpr ZyvoVideoColorSpace kYCbCr = ZYVO_VideoColorSpace_YCbCr;
constexpr ZyvoVideoColorSpace kRGB = ZYVO_VideoColorSpace_RGB;
const HDMIColourSettings kColourSettings[] = {
    {ZYVO_PixelFormat_YCbCr10, kYCbCr, ZYVO_VideoSampling_422, ZYVO_VideoBitDepth_10},
    {ZYVO_PixelFormat_YCbCr8, kYCbCr, ZYVO_VideoSampling_422, ZYVO_VideoBitDepth_8},
    {ZYVO_PixelFormat_RGB8, kRGB, ZYVO_VideoSampling_444, ZYVO_VideoBitDepth_8},
    {ZYVO_PixelFormat_RGB10, kRGB, ZYVO_VideoSampling_444, ZYVO_VideoBitDepth_10},
    {ZYVO_PixelFormat_YCbCr12, kYCbCr, ZYVO_VideoSampling_422, ZYVO_VideoBitDepth_12},
};

const HDMIColourSettings* colourSettingsFor(ZyvoPixelFormat pixelFormat) {
    for (const auto& settings : kColourSettings) {
        if (settings.pixelFormat == pixelFormat) {
            return &settings;
        }
    }
    return nullptr;
}

} // namespace

ZyvoHDMIInV4Widget* ZyvoDiag::hdmiInputInit() {
    auto* input = zyvodiag::engine::getWidget<ZyvoHDMIInV4Widget>(
        mpDevice, ZYVO_WidgetType_HDMIInV4Widget, 0);
    if (input == nullptr) {
        std::fprintf(stderr, "%s: Could not GetWidget(ZYVO_WidgetType_HDMIInV4Widget)\n",
                     "hdmiInputInit");
        return nullptr;
    }
    input->Initialize();
    usleep(zyvodiag::engine::kHDMIReceiverSettleMicroseconds);
    return input;
}

ZyvoHDMIOutV4Widget* ZyvoDiag::hdmiOutputInit(int /*index*/, ZyvoVideoFormat format,
                                              ZyvoPixelFormat pixelFormat) {
    // The device has one HDMI output, always index 0.
    auto* output = zyvodiag::engine::getWidget<ZyvoHDMIOutV4Widget>(
        mpDevice, ZYVO_WidgetType_HDMI4kOutWidget, 0);
    if (output == nullptr) {
        std::printf("%s: Could not GetWidget(ZYVO_WidgetType_HDMI4kOutWidget)\n", "hdmiOutputInit");
        return nullptr;
    }
    if (!ConfigureHDMIOutput(output, format, pixelFormat, true)) {
        return nullptr;
    }
    output->SetSourceAudioMode(ZYVO_AudioFormat_16Channel_48kHz);
    output->SetSinkAudioMode(ZYVO_HDMIOutV4AudioMode_8Channel_48Khz);
    output->SetAudioMute(true);
    return output;
}

bool ZyvoDiag::ConfigureHDMIOutput(ZyvoHDMIOutV4Widget* pHDMIOut, ZyvoVideoFormat format,
                                   ZyvoPixelFormat pixelFormat, bool fullRange) {
    // A 4K quad format goes out as its single-stream HDMI equivalent.
    ZyvoVideoFormat hdmiFormat =
        ZyvoVideoFormatInfo::isQuad(format) ? ZyvoVideoFormatInfo::Get4KHDMIFormat(format) : format;
    if (pHDMIOut == nullptr) {
        std::printf("%s: Could not GetWidget(ZYVO_WidgetType_HDMI4kOutWidget)\n",
                    "ConfigureHDMIOutput");
        return false;
    }
    if (hdmiFormat == 0) {
        return false;
    }
    FailureCount failures;
    failures.check(pHDMIOut->SetVendorName("QELVideo"), "pHDMIOut->SetVendorName(\"QELVideo\")");
    failures.check(pHDMIOut->SetProductName("Rimba Zader"),
                   "pHDMIOut->SetProductName(\"Rimba Zader\")");
    failures.check(pHDMIOut->SetSourceAudioMode(ZYVO_AudioFormat_16Channel_48kHz),
                   "pHDMIOut->SetSourceAudioMode(ZYVO_AudioFormat_16Channel_48kHz)");
    failures.check(pHDMIOut->SetSinkAudioMode(ZYVO_HDMIOutV4AudioMode_8Channel_48Khz),
                   "pHDMIOut->SetSinkAudioMode(ZYVO_HDMIOutV4AudioMode_8Channel_48Khz)");
    failures.check(pHDMIOut->SetAudioMute(true), "pHDMIOut->SetAudioMute(true)");

    ZyvoVideoConfiguration hdmiVideoConfig(hdmiFormat);
    auto outRange = fullRange ? ZYVO_VideoColorRange_Full : ZYVO_VideoColorRange_Legal;
    hdmiVideoConfig.SetVideoColorRange(outRange);
    hdmiVideoConfig.SetVideoAspectRatio(ZYVO_VideoAspectRatio_16x9);
    const HDMIColourSettings* colour = colourSettingsFor(pixelFormat);
    if (colour == nullptr) {
        std::fprintf(stderr, "%s: Unsupported pixel format:%d\n", "ConfigureHDMIOutput",
                     static_cast<int>(pixelFormat));
        return false;
    }
    hdmiVideoConfig.SetVideoColorSpace(colour->colorSpace);
    hdmiVideoConfig.SetVideoSampling(colour->sampling);
    hdmiVideoConfig.SetVideoBitDepth(colour->bitDepth);

    failures.check(pHDMIOut->SetMonitorState(false), "pHDMIOut->SetMonitorState(false)");
    failures.check(pHDMIOut->SetDefaultVideoColorRange(outRange),
                   "pHDMIOut->SetDefaultVideoColorRange(outRange)");
    failures.check(pHDMIOut->SetSourceConfiguration(&hdmiVideoConfig),
                   "pHDMIOut->SetSourceConfiguration(&hdmiVideoConfig)");
    return failures.none();
}

int ZyvoDiag::HDMIOutputEnable() {
    if (mpHDMIOutput != nullptr) {
        mpHDMIOutput->SetVideoSource1(kPlayoutStore0Source);
        mpHDMIOutput->SetAudioMute(false);
    }
    return 1;
}

int ZyvoDiag::HDMIOutputDisable() {
    if (mpHDMIOutput != nullptr) {
        mpHDMIOutput->SetVideoSource1(ZYVO_VideoSource_None);
        mpHDMIOutput->SetAudioMute(true);
    }
    return 1;
}

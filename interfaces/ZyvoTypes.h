// Enumerations of the device library, passed around as plain integers.
#pragma once

#include <cstdint>

enum ZyvoVideoFormat : int32_t {
    ZYVO_VideoFormat_Unknown = 0,
    ZYVO_VideoFormat_486i_2997 = 4,
    ZYVO_VideoFormat_486p_4795 = 5,
    ZYVO_VideoFormat_486p_5994 = 6,
    ZYVO_VideoFormat_576i_25 = 8,
    ZYVO_VideoFormat_576p_50 = 9,
    ZYVO_VideoFormat_720p_2398 = 10,
    ZYVO_VideoFormat_720p_24 = 11,
    ZYVO_VideoFormat_720p_25 = 12,
    ZYVO_VideoFormat_720p_2997 = 13,
    ZYVO_VideoFormat_720p_30 = 14,
    ZYVO_VideoFormat_720p_50 = 15,
    ZYVO_VideoFormat_720p_5994 = 16,
    ZYVO_VideoFormat_720p_60 = 17,
    ZYVO_VideoFormat_1080i_25 = 18,
    ZYVO_VideoFormat_1080i_2997 = 19,
    ZYVO_VideoFormat_1080i_30 = 20,
    ZYVO_VideoFormat_1080p_2398 = 26,
    ZYVO_VideoFormat_1080p_24 = 27,
    ZYVO_VideoFormat_1080p_25 = 28,
    ZYVO_VideoFormat_1080p_2997 = 29,
    ZYVO_VideoFormat_1080p_30 = 30,
    ZYVO_VideoFormat_1080p_4795 = 31,
    ZYVO_VideoFormat_1080p_48 = 32,
    ZYVO_VideoFormat_1080p_50 = 33,
    ZYVO_VideoFormat_1080p_5994 = 34,
    ZYVO_VideoFormat_1080p_60 = 35,
    // 3840x2160 carried as four 1080p quadrants (quad formats)
    ZYVO_VideoFormat_2160p_2398 = 64,
    ZYVO_VideoFormat_2160p_24 = 65,
    ZYVO_VideoFormat_2160p_25 = 66,
    ZYVO_VideoFormat_2160p_2997 = 67,
    ZYVO_VideoFormat_2160p_30 = 68,
    // The same rasters as one square-division image, how a frame store sees a quad format
    ZYVO_VideoFormat_2160p_2398_SID = 84,
    ZYVO_VideoFormat_2160p_24_SID = 85,
    ZYVO_VideoFormat_2160p_25_SID = 86,
    ZYVO_VideoFormat_2160p_2997_SID = 87,
    ZYVO_VideoFormat_2160p_30_SID = 88,
    // The same rasters as the HDMI transmitter sends them
    ZYVO_VideoFormat_2160p_2398_HDMI = 94,
    ZYVO_VideoFormat_2160p_24_HDMI = 95,
    ZYVO_VideoFormat_2160p_25_HDMI = 96,
    ZYVO_VideoFormat_2160p_2997_HDMI = 97,
    ZYVO_VideoFormat_2160p_30_HDMI = 98,
    // 4096x2160 quad formats and their translations
    ZYVO_VideoFormat_4096p_2997 = 178,
    ZYVO_VideoFormat_4096p_5994 = 181,
    ZYVO_VideoFormat_4096p_2997_SID = 188,
    ZYVO_VideoFormat_4096p_5994_SID = 191,
    ZYVO_VideoFormat_4096p_2997_HDMI = 198,
    ZYVO_VideoFormat_4096p_5994_HDMI = 201,
};

enum ZyvoVideoStandard : int32_t {
    ZYVO_VideoStandard_Unknown = 0,
    ZYVO_VideoStandard_486i = 1,
    ZYVO_VideoStandard_486p = 2,
    ZYVO_VideoStandard_576i = 3,
    ZYVO_VideoStandard_576p = 4,
    ZYVO_VideoStandard_720p = 5,
    ZYVO_VideoStandard_1080i = 6,
    ZYVO_VideoStandard_1080p = 7,
    ZYVO_VideoStandard_4k1080p = 19,
    ZYVO_VideoStandard_4096p = 24,
};

enum ZyvoVideoRate : int32_t {
    ZYVO_VideoRate_Unknown = 0,
    ZYVO_VideoRate_2398 = 3,
    ZYVO_VideoRate_24 = 4,
    ZYVO_VideoRate_25 = 5,
    ZYVO_VideoRate_2997 = 6,
    ZYVO_VideoRate_30 = 7,
    ZYVO_VideoRate_4795 = 8,
    ZYVO_VideoRate_48 = 9,
    ZYVO_VideoRate_50 = 10,
    ZYVO_VideoRate_5994 = 11,
    ZYVO_VideoRate_60 = 12,
};

enum ZyvoPixelFormat : int32_t {
    ZYVO_PixelFormat_Unknown = 0,
    ZYVO_PixelFormat_YCbCr10 = 1,  // 4:2:2, six pixels packed in sixteen bytes
    ZYVO_PixelFormat_YCbCr8 = 2,   // 4:2:2, Cb Y Cr Y bytes
    ZYVO_PixelFormat_RGB8 = 4,     // one 32-bit word per pixel
    ZYVO_PixelFormat_RGB10 = 5,    // one 32-bit word per pixel, R in bits 0-9
    ZYVO_PixelFormat_YCbCr12 = 23, // 4:2:2 at 12 bits, the HDMI loopback format
};

enum ZyvoWidgetType : int32_t {
    ZYVO_WidgetType_SDIInputWidget = 2,
    ZYVO_WidgetType_SDIOutputWidget = 3,
    ZYVO_WidgetType_FrameBufferCaptureWidget = 5,
    ZYVO_WidgetType_FrameBufferPlayWidget = 6,
    ZYVO_WidgetType_SyncGeneratorWidget = 30,
    ZYVO_WidgetType_DualLinkInWidget = 38,
    ZYVO_WidgetType_DualLinkOutWidget = 39,
    ZYVO_WidgetType_DmaIO = 51,
    ZYVO_WidgetType_RimbaControlWidget = 78,
    ZYVO_WidgetType_LTCIOWidget = 82,
    ZYVO_WidgetType_InterruptControlWidget = 88,
    ZYVO_WidgetType_HDMIInV4Widget = 127,
    ZYVO_WidgetType_HDMI4kOutWidget = 128,
};

// Crosspoint sources. Only the values the diagnostics route are named; any other value is a
// source of the crosspoint that nothing here selects.
enum ZyvoVideoSource : int32_t {
    ZYVO_VideoSource_Default = 0,
    ZYVO_VideoSource_None = 14,
};

enum ZyvoSyncGeneratorReferenceSource : int32_t {
    ZYVO_SyncGeneratorReferenceSource_Unknown = 0,
    ZYVO_SyncGeneratorReferenceSource_ExtRefIn = 1,
    ZYVO_SyncGeneratorReferenceSource_FreeRun = 2,
    ZYVO_SyncGeneratorReferenceSource_SDIInput1 = 3,
    ZYVO_SyncGeneratorReferenceSource_SDIInput2 = 4,
    ZYVO_SyncGeneratorReferenceSource_SDIInput3 = 5,
    ZYVO_SyncGeneratorReferenceSource_SDIInput4 = 6,
    ZYVO_SyncGeneratorReferenceSource_Fiber1 = 7,
    ZYVO_SyncGeneratorReferenceSource_Fiber2 = 8,
    ZYVO_SyncGeneratorReferenceSource_HDMI1 = 9,
    ZYVO_SyncGeneratorReferenceSource_Composite1 = 10,
    ZYVO_SyncGeneratorReferenceSource_Component1 = 11,
};

enum ZyvoRegisterSync : int32_t {
    ZYVO_RegisterSync_Frame = 1,
    ZYVO_RegisterSync_Field = 2,
    ZYVO_RegisterSync_Immediate = 3,
};

enum ZyvoFrameBufferVideoMode : int32_t {
    ZYVO_FrameBufferVideoMode_Disable = 1,
    ZYVO_FrameBufferVideoMode_Capture = 2,
    ZYVO_FrameBufferVideoMode_Display = 3,
};

enum ZyvoAudioFormat : int32_t {
    ZYVO_AudioFormat_16Channel_48kHz = 4,
};

enum ZyvoHDMIOutV4AudioMode : int32_t {
    ZYVO_HDMIOutV4AudioMode_8Channel_48Khz = 3,
};

enum ZyvoVideoSampling : int32_t {
    ZYVO_VideoSampling_422 = 2,
    ZYVO_VideoSampling_444 = 5,
};

enum ZyvoVideoColorSpace : int32_t {
    ZYVO_VideoColorSpace_YCbCr = 2,
    ZYVO_VideoColorSpace_RGB = 3,
};

enum ZyvoVideoColorRange : int32_t {
    ZYVO_VideoColorRange_Legal = 1,
    ZYVO_VideoColorRange_Full = 2,
};

enum ZyvoVideoAspectRatio : int32_t {
    ZYVO_VideoAspectRatio_4x3 = 1,
    ZYVO_VideoAspectRatio_16x9 = 2,
};

enum ZyvoVideoBitDepth : int32_t {
    ZYVO_VideoBitDepth_8 = 1,
    ZYVO_VideoBitDepth_10 = 2,
    ZYVO_VideoBitDepth_12 = 3,
};

enum ZyvoVideoChannel : int32_t {
    ZYVO_VideoChannel_1 = 1,
    ZYVO_VideoChannel_2 = 2,
    ZYVO_VideoChannel_3 = 3,
    ZYVO_VideoChannel_4 = 4,
};

// Direction argument of ZyvoDmaIO::DoDma.
enum ZyvoDmaDirection : int32_t {
    ZYVO_DmaDirection_DeviceToHost = 0,
    ZYVO_DmaDirection_HostToDevice = 1,
};

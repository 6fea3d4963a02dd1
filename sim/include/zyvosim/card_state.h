// The state of every widget of the simulated card, as plain data.
//
// The card keeps this record in a file of its state directory, mapped into memory, so what one
// process programs is there for the next one, as on real hardware. Tests read it to ask what a
// widget holds now ("which source does SDI output 3 listen to?"). Every member is plain data of
// fixed size: no pointers, no strings.
#pragma once

#include <cstdint>

namespace zyvosim {

// A ZyvoVideoConfiguration as a widget took it.
struct VideoConfigState {
    int32_t format;
    int32_t sampling;
    int32_t colorSpace;
    int32_t colorRange;
    int32_t aspectRatio;
    int32_t bitDepth;
    int32_t channel;
};

// A ZyvoFrameBufferConfiguration as a store took it.
struct FrameBufferConfigState {
    int32_t format;
    int32_t pixelFormat;
    uint32_t baseAddress;
    uint32_t number;
    uint32_t size;
    uint32_t linePitch;
    uint32_t lineCount;
    int32_t channel;
};

struct SDIInputState {
    uint32_t queries; // GetInputConfiguration calls
};

struct SDIOutputState {
    bool configured;
    VideoConfigState config;
    int32_t configFlags;
    bool switchA, switchB, switchC, switchD, switchE;
    bool mute;
    bool enable;
    int32_t source;
    bool applied; // Apply() since the last configuration
};

struct DualLinkState {
    bool configured;
    VideoConfigState config;
    int32_t configFlags;
    int32_t source;
};

// What both kinds of frame store hold.
struct FrameStoreState {
    bool enable;
    bool twoSampleInterleave;
    bool configured;
    FrameBufferConfigState config; // the configuration last handed over
    uint32_t baseAddress;          // the direct setters override the configuration's values
    uint32_t size;
    uint32_t number;
    int32_t activeFrame;
    int32_t registerSync;
    int32_t videoMode;
    uint32_t presets; // WritePreset calls
};

struct CaptureStoreState {
    FrameStoreState store;
    int32_t source;
    bool sourceFlag; // the second argument of SetVideoSource
    int32_t source1;
    int32_t source2;
    bool source1Selected; // SetVideoSource1 came after SetVideoSource: input 1 is source1
    uint64_t enabledAt;   // the card clock (microseconds) when the store was last switched on
};

// Raw raster programming of a playout store driving a panel.
struct RasterState {
    uint32_t linePitch;
    uint32_t samplesPerLine;
    uint32_t activeLineCount;
    uint32_t totalLineCount;
    uint32_t parameterA[2], parameterB[2], parameterC[2], parameterD[2], parameterE[2],
        parameterF[2], parameterK[2];
    uint32_t parameterG, parameterH, parameterI, parameterJ;
};

struct PlayoutStoreState {
    FrameStoreState store;
    RasterState raster;
};

struct ControlState {
    uint32_t apertureBase;
};

struct SyncGeneratorState {
    int32_t referenceSource;
    bool configured;
    VideoConfigState config;
    int32_t configFlags;
    int32_t configMode;
    uint32_t interruptIndex; // N: controls N and N+1 belong to the generator
    uint32_t polls;          // GetReferenceInputFormat calls since the last SetReferenceSource
};

constexpr unsigned kInterruptControlCount = 16;

struct InterruptControlState {
    bool enable;
    bool configured;
    VideoConfigState config;
    int32_t transportFormat;
    uint32_t flags;
    int32_t syncSource;
};

struct LTCState {
    int32_t mode; // 0 input, 1 output
    int32_t rate;
    uint32_t outputLow; // the last time address written, low (seconds:frames) word
    uint32_t outputHigh;
};

constexpr unsigned kHDMIRegisterCount = 64;

struct HDMIOutputState {
    bool monitor;
    bool configured;
    VideoConfigState sourceConfig;
    int32_t sourceAudioMode;
    int32_t sinkAudioMode;
    int32_t defaultColorRange;
    bool audioMute;
    char vendorName[32]; // zero-terminated, cut to fit
    char productName[32];
    int32_t videoSource[4];
    uint32_t registers[kHDMIRegisterCount];
};

struct HDMIInputState {
    uint32_t initializations;
    uint32_t registers[kHDMIRegisterCount];
};

struct CardState {
    uint32_t magic;   // kCardStateMagic once the card has been powered on
    uint32_t version; // kCardStateVersion; another version is powered on afresh
    // CRC-32 of the rest of the record, low byte first, brought up to date by the process that
    // holds the card; a record that does not match is damaged and powered on afresh.
    uint8_t seal[4];
    SDIInputState sdiInput[8];
    SDIOutputState sdiOutput[11];
    DualLinkState dualLinkInput[4];
    DualLinkState dualLinkOutput[5];
    CaptureStoreState captureStore[4];
    PlayoutStoreState playoutStore[6];
    ControlState control;
    SyncGeneratorState syncGenerator;
    InterruptControlState interruptControl[kInterruptControlCount];
    LTCState ltc;
    HDMIOutputState hdmiOutput;
    HDMIInputState hdmiInput;
};

constexpr uint32_t kCardStateMagic = 0x5A59564Fu; // "ZYVO"
constexpr uint32_t kCardStateVersion = 3;

} // namespace zyvosim

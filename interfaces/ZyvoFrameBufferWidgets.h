// Capture and playout frame stores, and the control widget that owns the memory aperture.
#pragma once

#include "ZyvoDevice.h"
#include "ZyvoFrameBufferConfiguration.h"

#include <cstdint>

class ZYVO_API ZyvoFrameBufferBaseWidget : public ZyvoWidget {
public:
    ~ZyvoFrameBufferBaseWidget() override;
    // Copies the store's current configuration (base address, frame number, frame size, ...).
    virtual int GetFrameBufferConfiguration(ZyvoFrameBufferConfiguration* configuration) = 0;
    // Chooses the frame the store reads or writes next.
    virtual int SetActiveFrameBuffer(int frame) = 0;
};

class ZYVO_API ZyvoFrameBufferCaptureWidget : public ZyvoFrameBufferBaseWidget {
public:
    ~ZyvoFrameBufferCaptureWidget() override;
    virtual int SetFrameBufferConfiguration(ZyvoFrameBufferConfiguration* configuration) = 0;
    virtual int SetVideoMode(ZyvoFrameBufferVideoMode mode) = 0;
    // The two crosspoint inputs of a two-sample-interleave store.
    virtual int SetVideoSource1(ZyvoVideoSource source) = 0;
    virtual int SetVideoSource2(ZyvoVideoSource source) = 0;
    virtual int SetRegisterSync(ZyvoRegisterSync sync) = 0;
    virtual int SetTwoSampleInterleaveMode(bool on) = 0;
    virtual int SetFrameBufferBaseAddress(uint32_t address) = 0;
    virtual int SetFrameBufferSize(uint32_t size) = 0;
    virtual int SetFrameBufferNumber(uint32_t number) = 0;
    virtual int WritePreset() = 0;
    virtual int SetEnable(bool enable) = 0;
    virtual int SetVideoSource(ZyvoVideoSource source, bool apply) = 0;
};

class ZYVO_API ZyvoFrameBufferPlayWidget : public ZyvoFrameBufferBaseWidget {
public:
    ~ZyvoFrameBufferPlayWidget() override;
    virtual int SetFrameBufferConfiguration(ZyvoFrameBufferConfiguration* configuration) = 0;
    virtual int SetVideoMode(ZyvoFrameBufferVideoMode mode) = 0;
    virtual int SetRegisterSync(ZyvoRegisterSync sync) = 0;
    virtual int SetTwoSampleInterleaveMode(bool on) = 0;
    virtual int SetFrameBufferBaseAddress(uint32_t address) = 0;
    virtual int SetFrameBufferSize(uint32_t size) = 0;
    virtual int SetFrameBufferNumber(uint32_t number) = 0;
    virtual int WritePreset() = 0;
    virtual int SetEnable(bool enable) = 0;

    // Raw raster programming, used where a store drives a panel rather than a video standard.
    virtual int SetLinePitch(uint32_t bytes) = 0;
    virtual int SetSamplesPerLine(uint32_t samples) = 0;
    virtual int SetActiveLineCount(uint32_t lines) = 0;
    virtual int SetTotalLineCount(uint32_t lines) = 0;
    virtual int SetRasterParameterA(uint32_t first, uint32_t second) = 0;
    virtual int SetRasterParameterB(uint32_t first, uint32_t second) = 0;
    virtual int SetRasterParameterC(uint32_t first, uint32_t second) = 0;
    virtual int SetRasterParameterD(uint32_t first, uint32_t second) = 0;
    virtual int SetRasterParameterE(uint32_t first, uint32_t second) = 0;
    virtual int SetRasterParameterF(uint32_t first, uint32_t second) = 0;
    virtual int SetRasterParameterG(uint32_t value) = 0;
    virtual int SetRasterParameterH(uint32_t value) = 0;
    virtual int SetRasterParameterI(uint32_t value) = 0;
    virtual int SetRasterParameterJ(uint32_t value) = 0;
    virtual int SetRasterParameterK(uint32_t first, uint32_t second) = 0;
    virtual int GetFrameBufferAddress(uint32_t& address) = 0;
    virtual int GetBytesPerLine(uint32_t& bytes) = 0;
    virtual int GetLineCount(uint32_t& lines) = 0;
};

class ZYVO_API ZyvoGarnControlWidget : public ZyvoWidget {
public:
    ~ZyvoGarnControlWidget() override;
    virtual int SetFrameApertureBaseAddress(uint32_t address) = 0;
    virtual int GetFrameApertureBaseAddress(uint32_t& address) = 0;
};

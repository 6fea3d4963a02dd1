// HDMI 4K output (transmitter) and input (receiver) widgets.
#pragma once

#include "ZyvoDevice.h"
#include "ZyvoVideoConfiguration.h"

#include <cstdint>

class ZYVO_API ZyvoHDMIOutV4Widget : public ZyvoWidget {
public:
    ~ZyvoHDMIOutV4Widget() override;
    virtual int SetMonitorState(bool on) = 0;
    virtual int SetSourceConfiguration(ZyvoVideoConfiguration* configuration) = 0;
    virtual int SetSourceAudioMode(ZyvoAudioFormat format) = 0;
    virtual int SetSinkAudioMode(ZyvoHDMIOutV4AudioMode mode) = 0;
    virtual int SetDefaultVideoColorRange(ZyvoVideoColorRange range) = 0;
    virtual int SetAudioMute(bool mute) = 0;
    virtual int SetVendorName(const char* name) = 0;
    virtual int SetProductName(const char* name) = 0;
    // The four crosspoint inputs; a 4K picture arrives as four parts.
    virtual int SetVideoSource1(ZyvoVideoSource source) = 0;
    virtual int SetVideoSource2(ZyvoVideoSource source) = 0;
    virtual int SetVideoSource3(ZyvoVideoSource source) = 0;
    virtual int SetVideoSource4(ZyvoVideoSource source) = 0;
    // Direct access to the transmitter's registers.
    virtual int WriteRegister(uint32_t reg, uint32_t value) = 0;
    virtual int ReadRegister(uint32_t reg, uint32_t& value) = 0;
};

class ZYVO_API ZyvoHDMIInV4Widget : public ZyvoWidget {
public:
    ~ZyvoHDMIInV4Widget() override;
    // Resets and programs the receiver chip.
    virtual int Initialize() = 0;
    virtual int WriteRegister(uint32_t reg, uint32_t value) = 0;
    virtual int ReadRegister(uint32_t reg, uint32_t& value) = 0;
    // What the receiver locked to: `present` false when nothing arrives, `format` 0 when the
    // raster is not one the device knows.
    virtual int GetInputSignal(bool& present, ZyvoVideoFormat& format) = 0;
};

// Sync generator, its interrupt controls, and the LTC timecode port.
#pragma once

#include "ZyvoDevice.h"
#include "ZyvoVideoConfiguration.h"

#include <cstdint>

class ZYVO_API ZyvoSyncGeneratorWidget : public ZyvoWidget {
public:
    ~ZyvoSyncGeneratorWidget() override;
    virtual int SetReferenceSource(ZyvoSyncGeneratorReferenceSource source) = 0;
    virtual int GetReferenceSource(ZyvoSyncGeneratorReferenceSource& source) = 0;
    // The format seen on the reference input; 0 while nothing is recognised. 2 on success.
    virtual int GetReferenceInputFormat(ZyvoVideoFormat& format) = 0;
};

class ZYVO_API ZyvoSyncGeneratorV3Widget : public ZyvoSyncGeneratorWidget {
public:
    ~ZyvoSyncGeneratorV3Widget() override;
    // Index N of the interrupt control pair (N for the generator, N+1 for video).
    virtual int GetInterruptControlIndex(uint32_t& index) = 0;
    virtual int SetConfiguration(ZyvoVideoConfiguration* configuration, int flags, int mode) = 0;
};

// Its operations are plain member functions; a concrete device supplies the behaviour.
class ZYVO_API ZyvoInterruptControlWidget : public ZyvoWidget {
public:
    ~ZyvoInterruptControlWidget() override;
    int SetInterruptEnable(bool enable);
    int SetConfiguration(ZyvoVideoConfiguration* configuration, ZyvoVideoTransport* transport,
                         unsigned int flags);
    int SetSyncSource(ZyvoVideoSource source);

protected:
    virtual int doSetInterruptEnable(bool enable) = 0;
    virtual int doSetConfiguration(ZyvoVideoConfiguration* configuration,
                                   ZyvoVideoTransport* transport, unsigned int flags) = 0;
    virtual int doSetSyncSource(ZyvoVideoSource source) = 0;
};

class ZYVO_API ZyvoLTCIOWidget : public ZyvoWidget {
public:
    enum LTCModeType : int32_t { LTCMode_Input = 0, LTCMode_Output = 1 };

    ~ZyvoLTCIOWidget() override;
    virtual int SetMode(LTCModeType mode) = 0;
    virtual int GetMode(LTCModeType& mode) = 0;
    virtual int IsInputAvailable() = 0;
    virtual int IsOutputAvailable() = 0;
    virtual int IsInputDetected() = 0;
    // Time addresses travel as two words, the low (seconds:frames) word first.
    virtual int SetOutputTimeCode(uint32_t lowWord, uint32_t highWord) = 0;
    virtual int GetInputTimeCode(uint32_t& lowWord, uint32_t& highWord) = 0;
    virtual int SetFrameRate(ZyvoVideoRate rate) = 0;
    // 2 on success.
    virtual int GetFrameRate(ZyvoVideoRate& rate) = 0;
};

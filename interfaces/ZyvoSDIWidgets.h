// SDI and dual-link input and output widgets.
#pragma once

#include "ZyvoDevice.h"
#include "ZyvoVideoConfiguration.h"

class ZYVO_API ZyvoSDIInputV2Widget : public ZyvoWidget {
public:
    ~ZyvoSDIInputV2Widget() override;
    // Reads what arrives at the input into `configuration`. Above 0 when the query worked;
    // the configuration then says whether a signal is present and which format it carries.
    virtual int GetInputConfiguration(ZyvoVideoConfiguration* configuration) = 0;
};

class ZYVO_API ZyvoSDIOutputV2Widget : public ZyvoWidget {
public:
    ~ZyvoSDIOutputV2Widget() override;
    virtual int SetConfiguration(ZyvoVideoConfiguration* configuration, int flags) = 0;
    virtual int SetOutputSwitchA(bool on) = 0;
    virtual int SetOutputSwitchB(bool on) = 0;
    virtual int SetOutputSwitchC(bool on) = 0;
    virtual int SetOutputSwitchD(bool on) = 0;
    virtual int SetOutputSwitchE(bool on) = 0;
    virtual int SetMute(bool mute) = 0;
    virtual int SetEnable(bool enable) = 0;
    virtual int SetVideoSource(ZyvoVideoSource source) = 0;
    // Makes the configuration given so far take effect on the wire.
    virtual int Apply() = 0;
};

class ZYVO_API ZyvoDualLinkInWidget : public ZyvoWidget {
public:
    ~ZyvoDualLinkInWidget() override;
    virtual int SetConfiguration(ZyvoVideoConfiguration* configuration, int flags) = 0;
    virtual int SetVideoSource(ZyvoVideoSource source) = 0;
};

class ZYVO_API ZyvoDualLinkOutWidget : public ZyvoWidget {
public:
    ~ZyvoDualLinkOutWidget() override;
    virtual int SetConfiguration(ZyvoVideoConfiguration* configuration, int flags) = 0;
    virtual int SetVideoSource(ZyvoVideoSource source) = 0;
};

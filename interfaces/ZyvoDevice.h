// The device, its widgets and the factory that finds and creates local devices.
#pragma once

#include "ZyvoExport.h"
#include "ZyvoTypes.h"

// Base of every widget. Widgets belong to their device; clients never delete them.
class ZYVO_API ZyvoWidget {
public:
    virtual ~ZyvoWidget();
};

class ZYVO_API ZyvoDevice {
public:
    virtual ~ZyvoDevice();
    // Brings the device up, its programmable logic included. Above 0 on success.
    virtual int Open() = 0;
    // Puts every widget into its power-on state. Above 0 on success.
    virtual int InitializeHardware() = 0;
    // The widget of that type and index, or null when the device has none.
    virtual ZyvoWidget* GetWidget(ZyvoWidgetType type, unsigned int index) = 0;
};

class ZYVO_API ZyvoDeviceFactory {
public:
    ZyvoDeviceFactory();
    ~ZyvoDeviceFactory();
    ZyvoDeviceFactory(const ZyvoDeviceFactory&) = delete;
    ZyvoDeviceFactory& operator=(const ZyvoDeviceFactory&) = delete;

    // Scans for local devices and returns how many were found.
    int FindLocalDevices();
    // Creates local device `index` found by the last scan. Above 0 on success.
    int CreateLocalDevice(unsigned short index, ZyvoDevice*& device);
    // Destroys a device created here and sets the pointer to null.
    int ReleaseDevice(ZyvoDevice*& device);

private:
    int mDevicesFound;
};

// Out-of-line virtual destructors of the device library's abstract classes.
//
// Each is its class's key function, so the virtual table and the type information live here,
// once, with default visibility: a dynamic_cast in a client built with hidden visibility then
// compares against the same type information as the widgets created here. The value classes
// anchor themselves in their own files.
#include "ZyvoDevice.h"
#include "ZyvoDma.h"
#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoHDMIWidgets.h"
#include "ZyvoSDIWidgets.h"
#include "ZyvoTimingWidgets.h"

ZyvoWidget::~ZyvoWidget() = default;
ZyvoDevice::~ZyvoDevice() = default;

ZyvoSDIInputV2Widget::~ZyvoSDIInputV2Widget() = default;
ZyvoSDIOutputV2Widget::~ZyvoSDIOutputV2Widget() = default;
ZyvoDualLinkInWidget::~ZyvoDualLinkInWidget() = default;
ZyvoDualLinkOutWidget::~ZyvoDualLinkOutWidget() = default;

ZyvoFrameBufferBaseWidget::~ZyvoFrameBufferBaseWidget() = default;
ZyvoFrameBufferCaptureWidget::~ZyvoFrameBufferCaptureWidget() = default;
ZyvoFrameBufferPlayWidget::~ZyvoFrameBufferPlayWidget() = default;
ZyvoGarnControlWidget::~ZyvoGarnControlWidget() = default;

ZyvoHDMIOutV4Widget::~ZyvoHDMIOutV4Widget() = default;
ZyvoHDMIInV4Widget::~ZyvoHDMIInV4Widget() = default;

ZyvoSyncGeneratorWidget::~ZyvoSyncGeneratorWidget() = default;
ZyvoSyncGeneratorV3Widget::~ZyvoSyncGeneratorV3Widget() = default;
ZyvoInterruptControlWidget::~ZyvoInterruptControlWidget() = default;
ZyvoLTCIOWidget::~ZyvoLTCIOWidget() = default;

ZyvoDmaIO::~ZyvoDmaIO() = default;

// The interrupt control's operations are plain members that a concrete widget supplies through
// its hooks.
int ZyvoInterruptControlWidget::SetInterruptEnable(bool enable) {
    return doSetInterruptEnable(enable);
}

int ZyvoInterruptControlWidget::SetConfiguration(ZyvoVideoConfiguration* configuration,
                                                 ZyvoVideoTransport* transport,
                                                 unsigned int flags) {
    return doSetConfiguration(configuration, transport, flags);
}

int ZyvoInterruptControlWidget::SetSyncSource(ZyvoVideoSource source) {
    return doSetSyncSource(source);
}

// A device library with the declarations of interfaces/ and no device: every open fails. It
// defines what libzyvodiags and the tool use, so a build against it proves the seam holds.
#include "QELDebug.h"
#include "QELTestPatternGen.h"
#include "QELTime.h"
#include "ZyvoDevice.h"
#include "ZyvoDma.h"
#include "ZyvoFormatInfo.h"
#include "ZyvoFrameBufferConfiguration.h"
#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoHDMIWidgets.h"
#include "ZyvoSDIWidgets.h"
#include "ZyvoText.h"
#include "ZyvoTimingWidgets.h"
#include "ZyvoVideoConfiguration.h"

namespace {
constexpr int kFailed = -1;
}
// Every call that would reach the card fails.
#define FAILS(...)                                                                                 \
    __VA_ARGS__ {                                                                                  \
        return kFailed;                                                                            \
    }

// The device: none found, none created.
ZyvoDeviceFactory::ZyvoDeviceFactory() : mDevicesFound(0) {}
ZyvoDeviceFactory::~ZyvoDeviceFactory() = default;
FAILS(int ZyvoDeviceFactory::FindLocalDevices())
int ZyvoDeviceFactory::CreateLocalDevice(unsigned short, ZyvoDevice*& device) {
    device = nullptr;
    return kFailed;
}
int ZyvoDeviceFactory::ReleaseDevice(ZyvoDevice*& device) {
    device = nullptr;
    return kFailed;
}
FAILS(int QELDebug::Open())
FAILS(int QELDebug::Close())
void QELTime::Sleep(int) {}

// Type information of every widget, which the library's casts compare against.
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
FAILS(int ZyvoInterruptControlWidget::SetInterruptEnable(bool))
FAILS(int ZyvoInterruptControlWidget::SetConfiguration(ZyvoVideoConfiguration*, ZyvoVideoTransport*,
                                                       unsigned int))
FAILS(int ZyvoInterruptControlWidget::SetSyncSource(ZyvoVideoSource))

// Value classes, which a command builds before it reaches the device.
ZyvoVideoConfiguration::ZyvoVideoConfiguration()
    : ZyvoVideoConfiguration(ZYVO_VideoFormat_Unknown) {}
ZyvoVideoConfiguration::ZyvoVideoConfiguration(ZyvoVideoFormat format)
    : mFormat(format), mSampling(), mColorSpace(), mColorRange(), mAspectRatio(), mBitDepth(),
      mChannel(), mSignalPresent(false) {}
ZyvoVideoConfiguration::~ZyvoVideoConfiguration() = default;
FAILS(int ZyvoVideoConfiguration::SetDefaultFormat(ZyvoVideoFormat))
FAILS(int ZyvoVideoConfiguration::SetVideoSampling(ZyvoVideoSampling))
FAILS(int ZyvoVideoConfiguration::SetVideoColorSpace(ZyvoVideoColorSpace))
FAILS(int ZyvoVideoConfiguration::SetVideoColorRange(ZyvoVideoColorRange))
FAILS(int ZyvoVideoConfiguration::SetVideoAspectRatio(ZyvoVideoAspectRatio))
FAILS(int ZyvoVideoConfiguration::SetVideoBitDepth(ZyvoVideoBitDepth))
FAILS(int ZyvoVideoConfiguration::SetVideoChannel(ZyvoVideoChannel))
FAILS(int ZyvoVideoConfiguration::GetPictureWidth(unsigned int&) const)
FAILS(int ZyvoVideoConfiguration::GetPictureHeight(unsigned int&) const)
ZyvoVideoTransport::ZyvoVideoTransport(const ZyvoVideoConfiguration&)
    : mFormat(ZYVO_VideoFormat_Unknown), mTotalLines(0), mTotalSamplesPerLine(0) {}
ZyvoVideoTransport::~ZyvoVideoTransport() = default;
ZyvoSDITransport::ZyvoSDITransport(const ZyvoVideoConfiguration& configuration)
    : ZyvoVideoTransport(configuration), mSignalValid(false) {}
ZyvoSDITransport::~ZyvoSDITransport() = default;
bool ZyvoSDITransport::IsSignalValid() const {
    return false;
}
bool ZyvoSDITransport::IsFormatRecognised() const {
    return false;
}
ZyvoVideoBufferConfiguration::ZyvoVideoBufferConfiguration() : mChannel() {}
ZyvoVideoBufferConfiguration::~ZyvoVideoBufferConfiguration() = default;
FAILS(int ZyvoVideoBufferConfiguration::SetVideoChannel(ZyvoVideoChannel))
ZyvoFrameBufferConfiguration::ZyvoFrameBufferConfiguration()
    : ZyvoFrameBufferConfiguration(ZYVO_VideoFormat_Unknown, ZyvoPixelFormat()) {}
ZyvoFrameBufferConfiguration::ZyvoFrameBufferConfiguration(ZyvoVideoFormat format,
                                                           ZyvoPixelFormat pixelFormat)
    : mFormat(format), mPixelFormat(pixelFormat), mBaseAddress(0), mNumber(0), mSize(0),
      mLinePitch(0), mLineCount(0) {}
ZyvoFrameBufferConfiguration::~ZyvoFrameBufferConfiguration() = default;
FAILS(int ZyvoFrameBufferConfiguration::SetFrameBufferBaseAddress(uint32_t))
FAILS(int ZyvoFrameBufferConfiguration::GetFrameBufferBaseAddress(unsigned int&) const)
FAILS(int ZyvoFrameBufferConfiguration::GetFrameBufferNumber(unsigned int&) const)
FAILS(int ZyvoFrameBufferConfiguration::GetFrameBufferSize(unsigned int&) const)
FAILS(int ZyvoFrameBufferConfiguration::GetLinePitch(unsigned int&) const)
FAILS(int ZyvoFrameBufferConfiguration::GetLineCount(unsigned int&) const)
ZyvoDmaBuffer::ZyvoDmaBuffer() : mpBuffer(nullptr), mSize(0) {}
ZyvoDmaBuffer::~ZyvoDmaBuffer() = default;
unsigned char* ZyvoDmaBuffer::SetupAndGetBufferStart(unsigned int) {
    return nullptr;
}
QELTestPatternGen::QELTestPatternGen() = default;
QELTestPatternGen::~QELTestPatternGen() = default;
FAILS(int QELTestPatternGen::DrawTestPattern(QELTestPatternSelect, unsigned int, unsigned int,
                                             QEL_PixelFormat, std::vector<unsigned char>&))
bool ZyvoVideoFormatInfo::isQuad(ZyvoVideoFormat) {
    return false;
}
ZyvoVideoFormat ZyvoVideoFormatInfo::Get4KSIDFormat(ZyvoVideoFormat format) {
    return format;
}
ZyvoVideoFormat ZyvoVideoFormatInfo::Get4KHDMIFormat(ZyvoVideoFormat format) {
    return format;
}
unsigned int ZyvoPixelFormatInfo::GetBytesPerCadencePitch(ZyvoPixelFormat) {
    return 0;
}
ZyvoText::ZyvoText() = default;
ZyvoText* ZyvoText::GetInstance() {
    static ZyvoText text;
    return &text;
}

// Wire timing of a video stream, and what an SDI link carries, derived from a configuration.
#include "ZyvoVideoConfiguration.h"

#include "library/video_formats.h"

ZyvoVideoTransport::ZyvoVideoTransport()
    : mFormat(ZYVO_VideoFormat_Unknown), mTotalLines(0), mTotalSamplesPerLine(0) {}

// An unknown format has no timing: both totals stay 0.
ZyvoVideoTransport::ZyvoVideoTransport(const ZyvoVideoConfiguration& configuration)
    : ZyvoVideoTransport() {
    configuration.GetDefaultFormat(mFormat);
    if (const zyvosim::VideoFormatFacts* facts = zyvosim::findVideoFormat(mFormat)) {
        mTotalLines = facts->totalLines;
        mTotalSamplesPerLine = facts->totalSamplesPerLine;
    }
}

ZyvoVideoTransport::~ZyvoVideoTransport() = default;

ZyvoVideoFormat ZyvoVideoTransport::GetFormat() const {
    return mFormat;
}

unsigned int ZyvoVideoTransport::GetTotalLines() const {
    return mTotalLines;
}

unsigned int ZyvoVideoTransport::GetTotalSamplesPerLine() const {
    return mTotalSamplesPerLine;
}

ZyvoSDITransport::ZyvoSDITransport() : mSignalValid(false) {}

// What an input wrote into the configuration decides both facts: a signal arrives or not, and
// its format is one the device knows or not.
ZyvoSDITransport::ZyvoSDITransport(const ZyvoVideoConfiguration& configuration)
    : ZyvoVideoTransport(configuration), mSignalValid(configuration.IsSignalPresent()) {}

ZyvoSDITransport::~ZyvoSDITransport() = default;

bool ZyvoSDITransport::IsSignalValid() const {
    return mSignalValid;
}

bool ZyvoSDITransport::IsFormatRecognised() const {
    return zyvosim::findVideoFormat(mFormat) != nullptr;
}

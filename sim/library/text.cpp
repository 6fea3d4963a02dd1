// The text singleton: display names of formats, standards, rates and pixel formats.
#include "ZyvoText.h"

#include "library/pixel_formats.h"
#include "library/text_tables.h"
#include "library/video_formats.h"
#include "simulator.h"

namespace {

// Created on first use and never destroyed, so a name looked up from a static destructor
// still has its map.
ZyvoText* s_instance = nullptr;

void fillNames(ZyvoText& text) {
    text.mVideoFormatNames.clear();
    for (const zyvosim::VideoFormatFacts& facts : zyvosim::videoFormats()) {
        text.mVideoFormatNames[facts.format] = facts.name;
    }
    text.mVideoStandardNames.clear();
    for (const zyvosim::NamedStandard& named : zyvosim::videoStandardNames()) {
        text.mVideoStandardNames[named.standard] = named.name;
    }
    text.mVideoRateNames.clear();
    for (const zyvosim::NamedRate& named : zyvosim::videoRateNames()) {
        text.mVideoRateNames[named.rate] = named.name;
    }
    text.mPixelFormatNames.clear();
    for (const zyvosim::PixelFormatFacts& facts : zyvosim::pixelFormats()) {
        text.mPixelFormatNames[facts.format] = facts.name;
    }
}

} // namespace

ZyvoText::ZyvoText() {
    fillNames(*this);
}

ZyvoText* ZyvoText::GetInstance() {
    if (!zyvosim::bench().textAvailable) {
        return nullptr;
    }
    if (s_instance == nullptr) {
        s_instance = new ZyvoText();
    }
    return s_instance;
}

namespace zyvosim {

void resetText() {
    if (s_instance != nullptr) {
        fillNames(*s_instance);
    }
}

} // namespace zyvosim

// The text singleton: display names of formats, standards, rates and pixel formats.
#include "ZyvoText.h"

#include "library/pixel_formats.h"
#include "library/text_tables.h"
#include "library/video_formats.h"
#include "simulator.h"

#include <map>
#include <string>

namespace {

// Created on first use and never destroyed, so a name looked up from a static destructor
// still has its map.
ZyvoText* s_instance = nullptr;

// Every row's name under its number, in a map emptied first.
template <typename Key, typename Rows, typename Row>
void fillMap(std::map<Key, std::string>& names, const Rows& rows, Key Row::*key) {
    names.clear();
    for (const Row& row : rows) {
        names[row.*key] = row.name;
    }
}

void fillNames(ZyvoText& text) {
    fillMap(text.mVideoFormatNames, zyvosim::videoFormats(), &zyvosim::VideoFormatFacts::format);
    fillMap(text.mVideoStandardNames, zyvosim::videoStandardNames(),
            &zyvosim::NamedStandard::standard);
    fillMap(text.mVideoRateNames, zyvosim::videoRateNames(), &zyvosim::NamedRate::rate);
    fillMap(text.mPixelFormatNames, zyvosim::pixelFormats(), &zyvosim::PixelFormatFacts::format);
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

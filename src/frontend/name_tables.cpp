// Display names of formats, rates, standards and pixel formats, from the device library's texts.
#include <zyvodiag>

#include <map>
#include <string>

#include "ZyvoText.h"

namespace {

// Subscript semantics on purpose: an unknown value gets an empty name entry, as it always has.
// The map's own string is returned, so two lookups can feed one printf.
template <typename Key>
const char* lookUpName(std::map<Key, std::string> ZyvoText::*names, Key key) {
    ZyvoText* text = ZyvoText::GetInstance();
    if (text == nullptr) {
        return "Unknown";
    }
    return (text->*names)[key].c_str();
}

} // namespace

const char* ZyvoDiag::videoFormatNameString(ZyvoVideoFormat format) {
    return lookUpName(&ZyvoText::mVideoFormatNames, format);
}

const char* ZyvoDiag::videoRateNameString(ZyvoVideoRate rate) {
    return lookUpName(&ZyvoText::mVideoRateNames, rate);
}

const char* ZyvoDiag::videoStandardNameString(ZyvoVideoStandard standard) {
    return lookUpName(&ZyvoText::mVideoStandardNames, standard);
}

const char* ZyvoDiag::pixelNameString(ZyvoPixelFormat pixelFormat) {
    return lookUpName(&ZyvoText::mPixelFormatNames, pixelFormat);
}

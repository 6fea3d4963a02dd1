// The front-panel LCD's picture, read back by DMA from the playout store that feeds it.
#pragma once

#include "ZyvoDevice.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zyvodiag {

struct PanelPicture {
    unsigned pitch = 0; // bytes a line: alpha, red, green, blue a pixel
    unsigned lines = 0;
    std::vector<uint8_t> bytes;
};

// False, saying why, when the store or the DMA engine is missing or a call fails.
bool readPanelPicture(ZyvoDevice* device, PanelPicture& picture, std::string& error);

// Whether the picture shows vertical colour bars: opaque, every line the same, and `bars`
// bands across each line, each one colour, no two neighbours alike.
bool showsColourBars(const PanelPicture& picture, unsigned bars, std::string& why);

// Whether every pixel of the picture is opaque black.
bool showsBlack(const PanelPicture& picture, std::string& why);

} // namespace zyvodiag

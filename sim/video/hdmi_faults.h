// What a bench does to the HDMI chips: a transmitter that cannot lock, clocks measured out of
// their windows, a raster register damaged on its way across the cable.
#pragma once

#include <cstdint>
#include <map>

namespace zyvosim {

// Every fault is off until a bench arms it (`hdmi-fault`, bench_hdmi_directives.cpp). A value
// replaces what a locked chip would report; an unlocked chip reports nothing either way.
struct HDMIFaults {
    bool pllUnlocked = false;                      // the transmitter's PLLs never lock
    std::map<uint32_t, uint32_t> transmitterClock; // clock register 16-18 -> value measured
    std::map<uint32_t, uint32_t> receiverClock;
    std::map<uint32_t, uint32_t> raster; // raster register 2-8 -> value the receiver sees
};

} // namespace zyvosim

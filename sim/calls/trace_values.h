// How the trace writes the configuration objects and device addresses a widget call receives,
// and how a widget keeps a configuration in the card state.
#pragma once

#include "ZyvoFrameBufferConfiguration.h"
#include "ZyvoVideoConfiguration.h"
#include "calls/trace.h"
#include "zyvosim/card_state.h"

#include <cstdint>
#include <string>

namespace zyvosim {

// The trace writes a video configuration as "video{fmt=19,smp=2,cs=1,cr=2,ar=2,bd=1,ch=1}", a
// frame buffer configuration as "fb{fmt=19,pix=2,base=0x01000000,num=0,size=4147200,ch=1}", a
// transport as "transport{fmt=19}", and a null one as "null" (overloads in trace.h).

// A device address or register value, written "0x01000000".
struct Hex {
    uint32_t value;
};

VideoConfigState stateOf(const ZyvoVideoConfiguration& configuration);
FrameBufferConfigState stateOf(const ZyvoFrameBufferConfiguration& configuration);

} // namespace zyvosim

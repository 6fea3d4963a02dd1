// The WriteRegister and ReadRegister calls of both HDMI widgets, traced and open to faults.
#pragma once

#include "video/hdmi_registers.h"
#include "widgets/widget_kinds.h"

#include <cstdint>

namespace zyvosim {

// A register the chip does not have fails with 0 and reads nothing; a read is traced with the
// value it gave.
int writeRegisterCall(SimBoard& board, HDMIChip chip, const WidgetKind& kind, uint32_t reg,
                      uint32_t value);
int readRegisterCall(SimBoard& board, HDMIChip chip, const WidgetKind& kind, uint32_t reg,
                     uint32_t& value);

} // namespace zyvosim

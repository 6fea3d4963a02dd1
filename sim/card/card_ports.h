// The connectors of the simulated card, shared by the bench and the widgets behind them.
#pragma once

namespace zyvosim {

constexpr unsigned cSDIInputCount = 8;
constexpr unsigned cSDIOutputCount = 11; // output 10 is the video monitor
constexpr unsigned cHDMIInputCount = 1;
constexpr unsigned cHDMIOutputCount = 1;

} // namespace zyvosim

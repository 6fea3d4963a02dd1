// The connectors of the simulated card, shared by the bench and the widgets behind them.
#pragma once

namespace zyvosim {

constexpr unsigned kSDIInputCount = 8;
constexpr unsigned kSDIOutputCount = 11; // output 10 is the video monitor
constexpr unsigned kHDMIInputCount = 1;
constexpr unsigned kHDMIOutputCount = 1;

} // namespace zyvosim

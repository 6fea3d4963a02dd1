// What the self-test learns from the simulator itself: its card, and a fresh power-on.
#pragma once

#include <string>

namespace zyvodiag {

// "simulated device 0 (state in DIR)".
std::string simulatedDeviceDescription();

// Powers the card off and on so that nothing an earlier command left behind passes or fails a
// test. False, after the simulator's message, when another process holds the card.
bool powerOnAfresh();

// The first failure of the simulated card's own files (a full disk, an I/O error) since the last
// call, as "PATH: REASON"; empty when there was none. Clears it. The diagnostics ignore some
// statuses (a pattern fill's DMA), so a command asks here whether the card really did its work.
std::string takeSimulatorStorageFailure();

// Whether SDI output 10, the monitor's (no input of the default bench is cabled to it), is on,
// unmuted and fed by the monitor's dual-link output, which carries playout store 0. False with the
// first thing that is not so.
bool monitorOutputCarriesPlayoutStore0(std::string& why);

} // namespace zyvodiag

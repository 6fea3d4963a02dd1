// The process-wide state of the simulated device library: the bench in use and the cards on it.
#pragma once

#include "bench/bench.h"
#include "card/sim_board.h"

#include <memory>

namespace zyvosim {

// The bench in use: the one loadBench or loadBenchFile loaded last; else, from the first call
// that needs it, the file the environment variable ZYVO_SIM names (a bad file is reported on
// standard error and gives a bench without devices); else the default bench.
const Bench& bench();

// The card of local device `index`, opened from the state directory the first time. Device
// handles share it; it stays until reset() or a new bench. Null (after a message on standard
// error) when its state directory cannot be used.
std::shared_ptr<SimBoard> board(unsigned index);

} // namespace zyvosim

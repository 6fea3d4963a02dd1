// Reading the bench directive that damages the frames arriving at an input.
#pragma once

#include "bench/bench.h"
#include "bench/bench_line.h"

namespace zyvosim {

// impair SDIInput|HDMIInput N KIND [ARGS]
void readImpair(BenchLine& line, Bench& bench);

} // namespace zyvosim

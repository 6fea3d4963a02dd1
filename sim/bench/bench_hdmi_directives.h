// Reading the bench directive that breaks the HDMI chips' loopback.
#pragma once

#include "bench/bench.h"
#include "bench/bench_line.h"

namespace zyvosim {

// hdmi-fault pll-unlocked | hdmi-fault clock HDMIOut|HDMIIn REG VALUE |
// hdmi-fault raster REG VALUE
void readHDMIFault(BenchLine& line, Bench& bench);

} // namespace zyvosim

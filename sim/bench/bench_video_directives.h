// Reading the bench directives that take video away: dark or unrecognised inputs, cables
// pulled out, stuck capture stores, quad formats without a SID translation.
#pragma once

#include "bench/bench.h"
#include "bench/bench_line.h"

namespace zyvosim {

// no-signal SDIInput N
void readNoSignal(BenchLine& line, Bench& bench);
// unknown-format SDIInput N
void readUnknownFormat(BenchLine& line, Bench& bench);
// uncable SDIOutput N | uncable HDMIOutput 0
void readUncable(BenchLine& line, Bench& bench);
// stuck CaptureStore N
void readStuckStore(BenchLine& line, Bench& bench);
// no-sid-translation F
void readNoSIDTranslation(BenchLine& line, Bench& bench);

} // namespace zyvosim

// The bench directives about the card itself: widgets left out or of the wrong class, and where
// the card keeps its state.
#pragma once

#include "bench/bench.h"
#include "bench/bench_line.h"

namespace zyvosim {

// missing KIND INDEX
void readMissingWidget(BenchLine& line, Bench& bench);
// wrong-class KIND INDEX
void readWrongClassWidget(BenchLine& line, Bench& bench);
// state-dir PATH | state-dir private
void readStateDirectory(BenchLine& line, Bench& bench);

} // namespace zyvosim

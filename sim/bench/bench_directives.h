// The directives of the bench file format and what each does to a bench.
#pragma once

#include "bench/bench.h"
#include "bench/bench_line.h"

#include <string>

namespace zyvosim {

struct BenchDirective {
    const char* name;
    const char* usage; // the directive's form, for messages
    void (*read)(BenchLine& line, Bench& bench);
};

// The directive called `name`, or null when there is none.
const BenchDirective* findBenchDirective(const std::string& name);

} // namespace zyvosim

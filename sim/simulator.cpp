// Which bench is in use, the cards on it, and the control calls that load and reset them.
#include "simulator.h"

#include "bench/bench_parser.h"
#include "calls/fault_table.h"
#include "card/clock.h"
#include "card/state_directory.h"
#include "library/text_tables.h"

#include "zyvosim/zyvosim.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <utility>

namespace zyvosim {
namespace {

struct Simulator {
    std::optional<Bench> bench; // empty until a bench is loaded or first needed
    FaultTable faults;
    std::map<unsigned, std::shared_ptr<SimBoard>> boards;
};

// Never destroyed: a device released from a static destructor still finds its simulator.
Simulator& simulator() {
    static auto* state = new Simulator();
    return *state;
}

void use(Bench bench) {
    Simulator& state = simulator();
    state.bench = std::move(bench);
    state.faults.arm(state.bench->faults);
    state.boards.clear();
}

Bench environmentOrDefaultBench() {
    Bench bench;
    std::string error;
    const char* path = std::getenv("ZYVO_SIM");
    if (path == nullptr || *path == '\0') {
        parseBench(defaultBenchText(), "default bench", bench, error);
        return bench;
    }
    if (!parseBenchFile(path, bench, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        bench.deviceCount = 0;
    }
    return bench;
}

} // namespace

const Bench& bench() {
    Simulator& state = simulator();
    if (!state.bench) {
        use(environmentOrDefaultBench());
    }
    return *state.bench;
}

FaultTable& faults() {
    bench();
    return simulator().faults;
}

std::shared_ptr<SimBoard> board(unsigned index) {
    const Bench& current = bench();
    std::shared_ptr<SimBoard>& card = simulator().boards[index];
    if (card) {
        return card;
    }
    std::string directory;
    std::string problem;
    if (resolveStateDirectory(current, directory, problem)) {
        card = SimBoard::open(current, directory, index, problem);
    }
    if (!card) {
        std::fprintf(stderr, "zyvosim: cannot use the simulated device's state: %s\n",
                     problem.c_str());
    }
    return card;
}

bool loadBench(const std::string& text, std::string& error, const std::string& origin) {
    Bench loaded;
    if (!parseBench(text, origin, loaded, error)) {
        return false;
    }
    use(std::move(loaded));
    return true;
}

const std::string& benchText() {
    return bench().text;
}

bool loadBenchFile(const std::string& path, std::string& error) {
    Bench loaded;
    if (!parseBenchFile(path, loaded, error)) {
        return false;
    }
    use(std::move(loaded));
    return true;
}

void reset() {
    Simulator& state = simulator();
    state.bench.reset();
    state.faults.disarm();
    state.boards.clear();
    forgetPrivateCards();
    clearTrace();
    restartClock();
    resetText();
}

} // namespace zyvosim

// Reading the bench directives that alter the card's widgets or say where its state lives.
#include "bench/bench_card_directives.h"

#include "widgets/widget_kinds.h"

namespace zyvosim {
namespace {

// Any kind of the card may be named, those whose widgets live elsewhere too: the override acts
// on the registry by type and index, whoever installed the widget.
void readWidgetOverride(BenchLine& line, Bench& bench, bool wrongClass) {
    const std::string& name = line.next("KIND");
    const WidgetKind* kind = findWidgetKind(name);
    if (kind == nullptr) {
        line.fail("unknown widget kind '" + shownField(name) + "' (the card has " +
                  widgetKindNames() + ")");
    }
    auto index = static_cast<unsigned>(line.number("INDEX", 0, kind->count - 1));
    line.finish();
    bench.widgetOverrides.push_back(WidgetOverride{kind->type, index, wrongClass});
}

} // namespace

void readMissingWidget(BenchLine& line, Bench& bench) {
    readWidgetOverride(line, bench, false);
}

void readWrongClassWidget(BenchLine& line, Bench& bench) {
    readWidgetOverride(line, bench, true);
}

void readStateDirectory(BenchLine& line, Bench& bench) {
    bench.stateDirectory = line.next("PATH or private");
    line.finish();
}

} // namespace zyvosim

// Opening a simulated card from its state directory for the bench it sits on.
#include "card/sim_board.h"

#include "widgets/widget_catalog.h"

#include "zyvosim/zyvosim.h"

#include <utility>

namespace zyvosim {
namespace {

// What a wrong-class bench puts under a widget's type and index: a widget of no interface
// class, so every checked cast of it fails.
class StrayWidget final : public ZyvoWidget {};

} // namespace

SimBoard::SimBoard(const Bench& bench, std::string directory)
    : mBench(bench), mDirectory(std::move(directory)) {}

std::shared_ptr<SimBoard> SimBoard::open(const Bench& bench, const std::string& directory,
                                         unsigned index, std::string& problem) {
    std::shared_ptr<SimBoard> board(new SimBoard(bench, directory));
    bool fresh = false;
    if (!board->mStateFile.open(directory, index, fresh, problem) ||
        !board->mMemory.open(directory, index, problem)) {
        return nullptr;
    }
    // A state record of another layout may sit beside memory of the old one: both start over.
    // The memory's failure goes out as the card's problem, not a second time after the command.
    if (fresh && !board->powerCycle()) {
        problem = takeStorageFailure();
        return nullptr;
    }
    installWidgets(*board);
    board->applyWidgetOverrides();
    return board;
}

bool SimBoard::powerCycle() {
    powerOn(state(), mBench);
    return mMemory.clear();
}

// After every kind has installed its widgets, so an override reaches any kind alike.
void SimBoard::applyWidgetOverrides() {
    for (const WidgetOverride& widget : mBench.widgetOverrides) {
        if (widget.wrongClass)
            mWidgets.add(widget.type, widget.index, std::make_unique<StrayWidget>());
        else
            mWidgets.remove(widget.type, widget.index);
    }
}

} // namespace zyvosim

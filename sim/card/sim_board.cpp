// Opening a simulated card from its state directory for the bench it sits on.
#include "card/sim_board.h"

#include "card/storage_failure.h"
#include "widgets/widget_catalog.h"

#include "zyvosim/zyvosim.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace zyvosim {
namespace {

// What a wrong-class bench puts under a widget's type and index: a widget of no interface
// class, so every checked cast of it fails.
class StrayWidget final : public ZyvoWidget {};

// Never destroyed: a device released from a static destructor still finds its card here.
std::vector<SimBoard*>& heldCards() {
    static auto* cards = new std::vector<SimBoard*>();
    return *cards;
}

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

// Both halves are done even when the first fails; the first failure is the one noted.
bool SimBoard::powerCycle() {
    powerOn(state());
    const bool saved = mStateFile.save();
    return mMemory.clear() && saved;
}

// After every kind has installed its widgets, so an override reaches any kind alike.
void SimBoard::applyWidgetOverrides() {
    for (const WidgetOverride& widget : mBench.widgetOverrides) {
        if (widget.wrongClass) {
            mWidgets.add(widget.type, widget.index, std::make_unique<StrayWidget>());
        } else {
            mWidgets.remove(widget.type, widget.index);
        }
    }
}

// The record is read again: another process may have held the card since this one last did.
// While this process has a handle open, no other can have, and its own copy is the record.
bool SimBoard::checkState() {
    if (heldHere()) {
        return true;
    }
    bool fresh = false;
    std::string problem;
    if (!mStateFile.reload(fresh, problem)) {
        noteStorageFailure(problem);
        return false;
    }
    if (fresh) {
        return powerCycle();
    }
    if (mStateFile.sealed()) {
        return true;
    }
    std::fprintf(stderr, "zyvosim: %s is damaged; the simulated card powers on afresh\n",
                 mStateFile.path().c_str());
    return powerCycle();
}

// A card a forked child let go of without holding it is still listed.
SimBoard::~SimBoard() {
    auto& cards = heldCards();
    cards.erase(std::remove(cards.begin(), cards.end(), this), cards.end());
}

void SimBoard::hold() {
    if (!heldHere()) {
        mHolder = getpid();
        mHandles = 0;
        auto& cards = heldCards();
        if (std::find(cards.begin(), cards.end(), this) == cards.end()) {
            cards.push_back(this);
        }
    }
    ++mHandles;
}

void SimBoard::letGo() {
    if (!heldHere() || --mHandles > 0) {
        return;
    }
    mStateFile.save();
    mHolder = 0;
    auto& cards = heldCards();
    cards.erase(std::remove(cards.begin(), cards.end(), this), cards.end());
}

// A forked child inherits the handles but not the lock: it leaves the record to its holder.
bool SimBoard::heldHere() const {
    return mHandles > 0 && mHolder == getpid();
}

// A record removed, or of another layout, reads as a card just powered on, as it would be when
// next created.
void SimBoard::readState() {
    bool fresh = false;
    std::string problem;
    if (!heldHere() && mStateFile.reload(fresh, problem) && fresh) {
        powerOn(state());
    }
}

void saveHeldCards() {
    for (SimBoard* card : heldCards()) {
        if (card->heldHere()) {
            card->saveState();
        }
    }
}

} // namespace zyvosim

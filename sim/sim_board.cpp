// Building a simulated card for the bench it sits on.
#include "sim_board.h"

#include "widget_catalog.h"

namespace zyvosim {

SimBoard::SimBoard(const Bench& bench) : mBench(bench) {
    powerOn(mState, mBench);
    installWidgets(*this);
}

} // namespace zyvosim

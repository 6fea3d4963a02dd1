// The widget kinds of the simulated card, one line each.
#include "widgets/widget_catalog.h"

#include "card/sim_board.h"
#include "widgets/hdmi_widgets.h"
#include "widgets/memory_widgets.h"
#include "widgets/sdi_widgets.h"
#include "widgets/timing_widgets.h"

namespace zyvosim {

// Each widget kind lives in its own file and offers an install function that adds its widgets
// (one per index) to the card's registry, and a power-on function for its part of the card
// state; these are the two lists that call them.
void installWidgets(SimBoard& board) {
    installSDIInputs(board);
    installSDIOutputs(board);
    installDualLinkInputs(board);
    installDualLinkOutputs(board);
    installCaptureStores(board);
    installPlayoutStores(board);
    installControl(board);
    installDma(board);
    installSyncGenerator(board);
    installInterruptControls(board);
    installLtcPort(board);
    installHDMIOutput(board);
    installHDMIInput(board);
    (void)board;
}

void powerOn(CardState& state, const Bench& bench) {
    state = CardState{};
    state.magic = kCardStateMagic;
    state.version = kCardStateVersion;
    powerOnSDIInputs(state);
    powerOnSDIOutputs(state);
    powerOnDualLinkInputs(state);
    powerOnDualLinkOutputs(state);
    powerOnCaptureStores(state);
    powerOnPlayoutStores(state);
    powerOnControl(state);
    powerOnSyncGenerator(state);
    powerOnInterruptControls(state);
    powerOnLtcPort(state);
    powerOnHDMIOutput(state);
    powerOnHDMIInput(state);
    (void)bench;
}

} // namespace zyvosim

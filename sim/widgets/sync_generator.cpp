// The sync generator: its reference source, its configuration, and locking to the reference.
//
// The generator locks only to the external reference input (source 1), and only when the bench
// puts a signal there. Locking takes the bench's number of polls: the format is first reported
// by the Nth GetReferenceInputFormat call after SetReferenceSource (the first, unless the bench
// says otherwise), and every SetReferenceSource starts the count again. Counting polls rather
// than time keeps a lock just as reproducible on the tool's real clock as on the tests'
// virtual one, and the count means the same to the next process that opens the card. Free run
// has nothing to lock to and reports 0; the other sources carry no signal on this bench.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "widgets/install_each.h"
#include "widgets/widget_calls.h"

#include "ZyvoTimingWidgets.h"

namespace zyvosim {
namespace {

// Queries answer 2, as the diagnostics count them; setters answer 1.
constexpr int kQueried = 2;
constexpr int kDone = 1;

class SimSyncGenerator final : public ZyvoSyncGeneratorV3Widget {
public:
    explicit SimSyncGenerator(SimBoard& board) : mBoard(board) {}

    int SetReferenceSource(ZyvoSyncGeneratorReferenceSource source) override {
        bool known = source >= ZYVO_SyncGeneratorReferenceSource_ExtRefIn &&
                     source <= ZYVO_SyncGeneratorReferenceSource_Component1;
        return setterCall(
            kSyncGeneratorKind, 0, "SetReferenceSource", traceArguments(source), known,
            [&] {
                state().referenceSource = source;
                state().polls = 0;
            },
            kDone);
    }

    int GetReferenceSource(ZyvoSyncGeneratorReferenceSource& source) override {
        return queryCall(kSyncGeneratorKind, 0, "GetReferenceSource", [&] {
            source = static_cast<ZyvoSyncGeneratorReferenceSource>(state().referenceSource);
            return answered(kQueried, source);
        });
    }

    int GetReferenceInputFormat(ZyvoVideoFormat& format) override {
        return queryCall(kSyncGeneratorKind, 0, "GetReferenceInputFormat", [&] {
            // Counted up to the lock and no further, so a generator polled for ever never wraps.
            if (state().polls < mBoard.bench().referenceLockPolls) {
                ++state().polls;
            }
            format = lockedFormat();
            return answered(kQueried, format);
        });
    }

    // Where the pair sits is a fact of the card's logic, not of what was programmed, so it
    // follows the bench in use rather than the saved card state.
    int GetInterruptControlIndex(uint32_t& index) override {
        return queryCall(kSyncGeneratorKind, 0, "GetInterruptControlIndex", [&] {
            index = mBoard.bench().interruptIndex;
            return answered(kQueried, index);
        });
    }

    int SetConfiguration(ZyvoVideoConfiguration* configuration, int flags, int mode) override {
        return setterCall(
            kSyncGeneratorKind, 0, "SetConfiguration", traceArguments(configuration, flags, mode),
            configuration != nullptr,
            [&] {
                keepConfiguration(state(), *configuration, flags);
                state().configMode = mode;
            },
            kDone);
    }

private:
    SyncGeneratorState& state() { return mBoard.state().syncGenerator; }

    ZyvoVideoFormat lockedFormat() {
        const Bench& bench = mBoard.bench();
        bool locked = state().referenceSource == ZYVO_SyncGeneratorReferenceSource_ExtRefIn &&
                      bench.referenceFormat && state().polls >= bench.referenceLockPolls;
        return locked ? *bench.referenceFormat : ZYVO_VideoFormat_Unknown;
    }

    SimBoard& mBoard;
};

// The generator comes up free running.
void powerOn(CardState& state) {
    state.syncGenerator = SyncGeneratorState{};
    state.syncGenerator.referenceSource = ZYVO_SyncGeneratorReferenceSource_FreeRun;
}

const char* const kOperations[] = {"SetReferenceSource", "GetReferenceSource",
                                   "GetReferenceInputFormat", "GetInterruptControlIndex",
                                   "SetConfiguration"};

} // namespace

const WidgetKind kSyncGeneratorKind("SyncGenerator", ZYVO_WidgetType_SyncGeneratorWidget, 1,
                                    kOperations, installEach<SimSyncGenerator, kSyncGeneratorKind>,
                                    powerOn);

} // namespace zyvosim

// The capture stores 0-3: frame buffer registers, the crosspoint sources they capture, and
// when they are switched on.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/clock.h"
#include "card/sim_board.h"
#include "video/frame_capture.h"
#include "widgets/frame_store.h"
#include "widgets/install_each.h"
#include "widgets/widget_calls.h"

#include <type_traits>

namespace zyvosim {
namespace {

class SimCaptureStore final : public FrameStoreWidget<ZyvoFrameBufferCaptureWidget> {
public:
    SimCaptureStore(SimBoard& board, unsigned index) : FrameStoreWidget(board, index) {}

    // The two inputs of a two-sample-interleave store.
    int SetVideoSource1(ZyvoVideoSource source) override {
        return setterCall(kind(), index(), "SetVideoSource1", traceArguments(source), true, [&] {
            state().source1 = source;
            state().source1Selected = true;
        });
    }

    int SetVideoSource2(ZyvoVideoSource source) override {
        return keepValueCall(kind(), index(), "SetVideoSource2", source, state().source2);
    }

    int SetVideoSource(ZyvoVideoSource source, bool apply) override {
        return setterCall(kind(), index(), "SetVideoSource", traceArguments(source, apply), true,
                          [&] {
                              state().source = source;
                              state().sourceFlag = apply;
                              state().source1Selected = false;
                          });
    }

    // A store that was on has received until now: what it captured is in its frame before it
    // stops, or goes on. Switching on starts the count of frame times afresh. A frame the memory
    // file refused is noted for takeStorageFailure(); the call has already returned its status
    // to the trace, so the status stands.
    int SetEnable(bool enable) override {
        const bool wasOn = store().enable;
        const uint64_t since = state().enabledAt;
        int status = FrameStoreWidget::SetEnable(enable);
        if (status <= 0) {
            return status;
        }
        if (wasOn) {
            captureArrivingFrame(mBoard, mIndex, since);
        } else if (enable) {
            state().enabledAt = cardClockMicroseconds();
        }
        return status;
    }

private:
    const WidgetKind& kind() const override { return kCaptureStoreKind; }
    FrameStoreState& store() override { return state().store; }
    CaptureStoreState& state() { return mBoard.state().captureStore[mIndex]; }
};

// At power-on a capture store is disabled and listens to no source.
void powerOn(CardState& state) {
    for (CaptureStoreState& capture : state.captureStore) {
        capture = CaptureStoreState{};
        capture.store = powerOnFrameStore();
        capture.source = ZYVO_VideoSource_None;
        capture.source1 = ZYVO_VideoSource_None;
        capture.source2 = ZYVO_VideoSource_None;
    }
}

const char* const kOperations[] = {"GetFrameBufferConfiguration",
                                   "SetActiveFrameBuffer",
                                   "SetFrameBufferConfiguration",
                                   "SetVideoMode",
                                   "SetVideoSource1",
                                   "SetVideoSource2",
                                   "SetRegisterSync",
                                   "SetTwoSampleInterleaveMode",
                                   "SetFrameBufferBaseAddress",
                                   "SetFrameBufferSize",
                                   "SetFrameBufferNumber",
                                   "WritePreset",
                                   "SetEnable",
                                   "SetVideoSource"};

} // namespace

const WidgetKind kCaptureStoreKind("CaptureStore", ZYVO_WidgetType_FrameBufferCaptureWidget,
                                   std::extent_v<decltype(CardState::captureStore)>, kOperations,
                                   installEach<SimCaptureStore, kCaptureStoreKind>, powerOn);

} // namespace zyvosim

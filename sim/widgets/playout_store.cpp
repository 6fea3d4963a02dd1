// The playout stores 0-5: frame buffer registers, and the raw raster programming of a store
// that drives a panel (store 5 feeds the front-panel LCD).
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "widgets/frame_store.h"
#include "widgets/install_each.h"
#include "widgets/widget_calls.h"

#include <type_traits>

namespace zyvosim {
namespace {

using RasterValue = uint32_t RasterState::*;
using RasterPair = uint32_t (RasterState::*)[2];

class SimPlayoutStore final : public FrameStoreWidget<ZyvoFrameBufferPlayWidget> {
public:
    SimPlayoutStore(SimBoard& board, unsigned index) : FrameStoreWidget(board, index) {}

    // A configuration programs the store for a video standard, so the raster programming of a
    // panel is gone.
    int SetFrameBufferConfiguration(ZyvoFrameBufferConfiguration* configuration) override {
        int status = FrameStoreWidget::SetFrameBufferConfiguration(configuration);
        if (status > 0) {
            state().raster = RasterState{};
        }
        return status;
    }

    int SetLinePitch(uint32_t bytes) override {
        return setRaster("SetLinePitch", &RasterState::linePitch, bytes);
    }
    int SetSamplesPerLine(uint32_t samples) override {
        return setRaster("SetSamplesPerLine", &RasterState::samplesPerLine, samples);
    }
    int SetActiveLineCount(uint32_t lines) override {
        return setRaster("SetActiveLineCount", &RasterState::activeLineCount, lines);
    }
    int SetTotalLineCount(uint32_t lines) override {
        return setRaster("SetTotalLineCount", &RasterState::totalLineCount, lines);
    }
    int SetRasterParameterA(uint32_t first, uint32_t second) override {
        return setRaster("SetRasterParameterA", &RasterState::parameterA, first, second);
    }
    int SetRasterParameterB(uint32_t first, uint32_t second) override {
        return setRaster("SetRasterParameterB", &RasterState::parameterB, first, second);
    }
    int SetRasterParameterC(uint32_t first, uint32_t second) override {
        return setRaster("SetRasterParameterC", &RasterState::parameterC, first, second);
    }
    int SetRasterParameterD(uint32_t first, uint32_t second) override {
        return setRaster("SetRasterParameterD", &RasterState::parameterD, first, second);
    }
    int SetRasterParameterE(uint32_t first, uint32_t second) override {
        return setRaster("SetRasterParameterE", &RasterState::parameterE, first, second);
    }
    int SetRasterParameterF(uint32_t first, uint32_t second) override {
        return setRaster("SetRasterParameterF", &RasterState::parameterF, first, second);
    }
    int SetRasterParameterG(uint32_t value) override {
        return setRaster("SetRasterParameterG", &RasterState::parameterG, value);
    }
    int SetRasterParameterH(uint32_t value) override {
        return setRaster("SetRasterParameterH", &RasterState::parameterH, value);
    }
    int SetRasterParameterI(uint32_t value) override {
        return setRaster("SetRasterParameterI", &RasterState::parameterI, value);
    }
    int SetRasterParameterJ(uint32_t value) override {
        return setRaster("SetRasterParameterJ", &RasterState::parameterJ, value);
    }
    int SetRasterParameterK(uint32_t first, uint32_t second) override {
        return setRaster("SetRasterParameterK", &RasterState::parameterK, first, second);
    }

    // The frame the store plays: base + number x size, in 32-bit arithmetic as the registers
    // hold it.
    int GetFrameBufferAddress(uint32_t& address) override {
        return queryCall(kind(), index(), "GetFrameBufferAddress", [&] {
            const FrameStoreState& registers = store();
            address = registers.baseAddress + registers.number * registers.size;
            return answered(1, Hex{address});
        });
    }

    // Line pitch and line count come from the raster programming when it was done, else from
    // the configuration.
    int GetBytesPerLine(uint32_t& bytes) override {
        return queryCall(kind(), index(), "GetBytesPerLine", [&] {
            bytes =
                state().raster.linePitch != 0 ? state().raster.linePitch : store().config.linePitch;
            return answered(1, bytes);
        });
    }

    int GetLineCount(uint32_t& lines) override {
        return queryCall(kind(), index(), "GetLineCount", [&] {
            const RasterState& raster = state().raster;
            lines = raster.activeLineCount != 0 ? raster.activeLineCount : store().config.lineCount;
            return answered(1, lines);
        });
    }

private:
    const WidgetKind& kind() const override { return kPlayoutStoreKind; }
    FrameStoreState& store() override { return state().store; }
    PlayoutStoreState& state() { return mBoard.state().playoutStore[mIndex]; }

    // The raster operations differ only in the register they load; each is its own operation
    // for faults and the trace.
    int setRaster(const char* operation, RasterValue slot, uint32_t value) {
        return setterCall(kind(), index(), operation, traceArguments(value), true,
                          [&] { state().raster.*slot = value; });
    }

    int setRaster(const char* operation, RasterPair slot, uint32_t first, uint32_t second) {
        return setterCall(kind(), index(), operation, traceArguments(first, second), true, [&] {
            (state().raster.*slot)[0] = first;
            (state().raster.*slot)[1] = second;
        });
    }
};

// At power-on a playout store is disabled and has no raster programming.
void powerOn(CardState& state) {
    for (PlayoutStoreState& playout : state.playoutStore) {
        playout = PlayoutStoreState{};
        playout.store = powerOnFrameStore();
    }
}

const char* const kOperations[] = {"GetFrameBufferConfiguration",
                                   "SetActiveFrameBuffer",
                                   "SetFrameBufferConfiguration",
                                   "SetVideoMode",
                                   "SetRegisterSync",
                                   "SetTwoSampleInterleaveMode",
                                   "SetFrameBufferBaseAddress",
                                   "SetFrameBufferSize",
                                   "SetFrameBufferNumber",
                                   "WritePreset",
                                   "SetEnable",
                                   "SetLinePitch",
                                   "SetSamplesPerLine",
                                   "SetActiveLineCount",
                                   "SetTotalLineCount",
                                   "SetRasterParameterA",
                                   "SetRasterParameterB",
                                   "SetRasterParameterC",
                                   "SetRasterParameterD",
                                   "SetRasterParameterE",
                                   "SetRasterParameterF",
                                   "SetRasterParameterG",
                                   "SetRasterParameterH",
                                   "SetRasterParameterI",
                                   "SetRasterParameterJ",
                                   "SetRasterParameterK",
                                   "GetFrameBufferAddress",
                                   "GetBytesPerLine",
                                   "GetLineCount"};

} // namespace

// Store 5 feeds the front-panel LCD.
const WidgetKind kPlayoutStoreKind("PlayoutStore", ZYVO_WidgetType_FrameBufferPlayWidget,
                                   std::extent_v<decltype(CardState::playoutStore)>, kOperations,
                                   installEach<SimPlayoutStore, kPlayoutStoreKind>, powerOn);

} // namespace zyvosim

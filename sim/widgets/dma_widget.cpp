// The DMA engine: moves bytes between host buffers and device memory.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/sim_board.h"
#include "video/frame_capture.h"
#include "widgets/install_each.h"

#include "ZyvoDma.h"

namespace zyvosim {
namespace {

// What a transfer that cannot be made returns: nothing has moved.
constexpr int kTransferFailed = -5;

class SimDma final : public ZyvoDmaIO {
public:
    explicit SimDma(SimBoard& board) : mBoard(board) {}

    // The whole transfer happens before the call returns, so `wait` changes nothing; channel,
    // flags and timeout only show in the trace. The host buffer's address is left out of the
    // trace, as it differs from run to run.
    int DoDma(int direction, unsigned char* hostBuffer, uint32_t deviceAddress, uint32_t length,
              int wait, int channel, int flags, int timeout) override {
        SimCall call(
            kDmaKind, 0, "DoDma",
            traceArguments(direction, Hex{deviceAddress}, length, wait, channel, flags, timeout));
        if (auto injected = call.injectedFault()) {
            return call.returns(*injected);
        }
        // Capture stores that are on have been writing all along: their frames are current. A
        // frame the memory file refused would read back stale, so the transfer fails too.
        bool captured = captureWhileOn(mBoard);
        DeviceMemory& memory = mBoard.memory();
        bool moved = false;
        if (direction == ZYVO_DmaDirection_HostToDevice) {
            moved = memory.write(deviceAddress, hostBuffer, length);
        } else if (direction == ZYVO_DmaDirection_DeviceToHost) {
            moved = memory.read(deviceAddress, hostBuffer, length);
        }
        return call.returns(captured && moved ? 1 : kTransferFailed);
    }

private:
    SimBoard& mBoard;
};

const char* const kOperations[] = {"DoDma"};

} // namespace

// The DMA engine holds no state of its own: what it moves lands in device memory.
const WidgetKind kDmaKind("DMA", ZYVO_WidgetType_DmaIO, 1, kOperations,
                          installEach<SimDma, kDmaKind>, nullptr);

} // namespace zyvosim

// The LTC port: its direction, its frame rate, and the timecode arriving from the bench.
//
// The timecode generator on the bench reads its start address at simulator time zero (the last
// reset) and runs on the simulator's clock from there: real time in the tool, the virtual
// clock in the tests. What the port reads is that generator's address now. The port can only
// detect and read timecode when it can receive and the bench feeds it; without a signal there
// is nothing to measure, so the frame rate and timecode queries fail.
#include "calls/sim_call.h"
#include "calls/trace_values.h"
#include "card/clock.h"
#include "card/sim_board.h"
#include "library/video_formats.h"
#include "video/timecode.h"
#include "widgets/install_each.h"

#include "ZyvoTimingWidgets.h"
#include "zyvosim/zyvosim.h"

namespace zyvosim {
namespace {

// Queries answer 2, as the diagnostics count them; setters answer 1.
constexpr int kQueried = 2;
constexpr int kDone = 1;

bool isPulledDown(ZyvoVideoRate rate) {
    return rate == ZYVO_VideoRate_2398 || rate == ZYVO_VideoRate_2997 ||
           rate == ZYVO_VideoRate_4795 || rate == ZYVO_VideoRate_5994;
}

// The generator's address now. It runs on the card's clock, so it keeps running between commands
// as a real generator on the bench does (in real time it started at its start value at boot).
TimecodeWords timecodeNow(const LtcSource& source) {
    unsigned perSecond = timecodeFramesPerSecond(source.rate);
    uint64_t frames =
        source.frozen ? 0 : framesIn(cardClockMicroseconds(), perSecond, isPulledDown(source.rate));
    TimeAddress start{source.hours, source.minutes, source.seconds, source.frames};
    return encodeTimecode(advanceTimecode(start, frames, perSecond));
}

class SimLtcPort final : public ZyvoLTCIOWidget {
public:
    explicit SimLtcPort(SimBoard& board) : mBoard(board) {}

    // A port cannot be turned to a direction it does not have.
    int SetMode(LTCModeType mode) override {
        SimCall call(kLtcKind, 0, "SetMode", traceArguments(mode));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        bool possible = (mode == LTCMode_Input && mBoard.bench().ltcInput) ||
                        (mode == LTCMode_Output && mBoard.bench().ltcOutput);
        if (!possible)
            return call.returns(0);
        state().mode = mode;
        return call.returns(kDone);
    }

    int GetMode(LTCModeType& mode) override {
        SimCall call(kLtcKind, 0, "GetMode");
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        mode = static_cast<LTCModeType>(state().mode);
        call.setArguments(traceArguments(mode));
        return call.returns(kQueried);
    }

    int IsInputAvailable() override { return answer("IsInputAvailable", mBoard.bench().ltcInput); }
    int IsOutputAvailable() override {
        return answer("IsOutputAvailable", mBoard.bench().ltcOutput);
    }
    int IsInputDetected() override { return answer("IsInputDetected", arriving() != nullptr); }

    int SetOutputTimeCode(uint32_t lowWord, uint32_t highWord) override {
        SimCall call(kLtcKind, 0, "SetOutputTimeCode", traceArguments(Hex{lowWord}, Hex{highWord}));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        if (!mBoard.bench().ltcOutput)
            return call.returns(0);
        state().outputLow = lowWord;
        state().outputHigh = highWord;
        return call.returns(kDone);
    }

    int GetInputTimeCode(uint32_t& lowWord, uint32_t& highWord) override {
        SimCall call(kLtcKind, 0, "GetInputTimeCode");
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        const LtcSource* source = arriving();
        if (source == nullptr)
            return call.returns(0);
        TimecodeWords words = timecodeNow(*source);
        lowWord = words.low;
        highWord = words.high;
        call.setArguments(traceArguments(Hex{lowWord}, Hex{highWord}));
        return call.returns(kQueried);
    }

    int SetFrameRate(ZyvoVideoRate rate) override {
        SimCall call(kLtcKind, 0, "SetFrameRate", traceArguments(rate));
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        if (timecodeFramesPerSecond(rate) == 0)
            return call.returns(0);
        state().rate = rate;
        return call.returns(kDone);
    }

    // The rate detected on the input, whatever the port was set to.
    int GetFrameRate(ZyvoVideoRate& rate) override {
        SimCall call(kLtcKind, 0, "GetFrameRate");
        if (auto injected = call.injectedFault())
            return call.returns(*injected);
        const LtcSource* source = arriving();
        if (source == nullptr)
            return call.returns(0);
        rate = source->rate;
        call.setArguments(traceArguments(rate));
        return call.returns(kQueried);
    }

private:
    LTCState& state() { return mBoard.state().ltc; }

    // The yes-or-no questions answer 1 or 0.
    int answer(const char* operation, bool yes) {
        SimCall call(kLtcKind, 0, operation);
        if (auto injected = call.injectedFault()) {
            return call.returns(*injected);
        }
        return call.returns(yes ? 1 : 0);
    }

    // The timecode the port receives, or null when it cannot receive or nothing is sent.
    const LtcSource* arriving() const {
        const Bench& bench = mBoard.bench();
        return bench.ltcInput && bench.ltcSource ? &*bench.ltcSource : nullptr;
    }

    SimBoard& mBoard;
};

// The port comes up listening, set for 29.97, with nothing written to send.
void powerOn(CardState& state) {
    state.ltc = LTCState{};
    state.ltc.mode = ZyvoLTCIOWidget::LTCMode_Input;
    state.ltc.rate = ZYVO_VideoRate_2997;
}

const char* const kOperations[] = {"SetMode",           "GetMode",         "IsInputAvailable",
                                   "IsOutputAvailable", "IsInputDetected", "SetOutputTimeCode",
                                   "GetInputTimeCode",  "SetFrameRate",    "GetFrameRate"};

} // namespace

const WidgetKind kLtcKind = {"LTC",       ZYVO_WidgetType_LTCIOWidget,       1,
                             kOperations, installEach<SimLtcPort, kLtcKind>, powerOn};

} // namespace zyvosim

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
#include "widgets/widget_calls.h"

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
        bool possible = (mode == LTCMode_Input && mBoard.bench().ltcInput) ||
                        (mode == LTCMode_Output && mBoard.bench().ltcOutput);
        return setterCall(
            kLtcKind, 0, "SetMode", traceArguments(mode), possible, [&] { state().mode = mode; },
            kDone);
    }

    int GetMode(LTCModeType& mode) override {
        return queryCall(kLtcKind, 0, "GetMode", [&] {
            mode = static_cast<LTCModeType>(state().mode);
            return answered(kQueried, mode);
        });
    }

    int IsInputAvailable() override { return answer("IsInputAvailable", mBoard.bench().ltcInput); }
    int IsOutputAvailable() override {
        return answer("IsOutputAvailable", mBoard.bench().ltcOutput);
    }
    int IsInputDetected() override { return answer("IsInputDetected", arriving() != nullptr); }

    int SetOutputTimeCode(uint32_t lowWord, uint32_t highWord) override {
        return setterCall(
            kLtcKind, 0, "SetOutputTimeCode", traceArguments(Hex{lowWord}, Hex{highWord}),
            mBoard.bench().ltcOutput,
            [&] {
                state().outputLow = lowWord;
                state().outputHigh = highWord;
            },
            kDone);
    }

    int GetInputTimeCode(uint32_t& lowWord, uint32_t& highWord) override {
        return queryCall(kLtcKind, 0, "GetInputTimeCode", [&] {
            const LtcSource* source = arriving();
            if (source == nullptr) {
                return unanswered();
            }
            TimecodeWords words = timecodeNow(*source);
            lowWord = words.low;
            highWord = words.high;
            return answered(kQueried, Hex{lowWord}, Hex{highWord});
        });
    }

    int SetFrameRate(ZyvoVideoRate rate) override {
        return setterCall(
            kLtcKind, 0, "SetFrameRate", traceArguments(rate), timecodeFramesPerSecond(rate) != 0,
            [&] { state().rate = rate; }, kDone);
    }

    // The rate detected on the input, whatever the port was set to.
    int GetFrameRate(ZyvoVideoRate& rate) override {
        return queryCall(kLtcKind, 0, "GetFrameRate", [&] {
            const LtcSource* source = arriving();
            if (source == nullptr) {
                return unanswered();
            }
            rate = source->rate;
            return answered(kQueried, rate);
        });
    }

private:
    LTCState& state() { return mBoard.state().ltc; }

    // The yes-or-no questions answer 1 or 0.
    int answer(const char* operation, bool yes) {
        return queryCall(kLtcKind, 0, operation, [&] { return QueryAnswer{yes ? 1 : 0, {}}; });
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

const WidgetKind kLtcKind("LTC", ZYVO_WidgetType_LTCIOWidget, 1, kOperations,
                          installEach<SimLtcPort, kLtcKind>, powerOn);

} // namespace zyvosim

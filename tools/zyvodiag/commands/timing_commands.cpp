// The LTC, genlock and LCD commands.
#include "commands/command_runner.h"
#include "commands/timecode_text.h"
#include "commands/video_invocation.h"
#include "selftest/panel_readback.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace zyvodiag {
namespace {

// The first argument that is not a switch, taken out of `arguments`; empty when there is none.
std::string takeOperand(std::vector<std::string>& arguments) {
    for (auto it = arguments.begin(); it != arguments.end(); ++it) {
        if (!it->empty() && (*it)[0] != '-') {
            std::string operand = *it;
            arguments.erase(it);
            return operand;
        }
    }
    return {};
}

// The -r numbers of the video command line.
bool rateFromNumber(const std::string& text, ZyvoVideoRate& rate) {
    static const struct {
        const char* number;
        ZyvoVideoRate rate;
    } kRates[] = {{"23", ZYVO_VideoRate_2398}, {"24", ZYVO_VideoRate_24},
                  {"25", ZYVO_VideoRate_25},   {"29", ZYVO_VideoRate_2997},
                  {"30", ZYVO_VideoRate_30},   {"47", ZYVO_VideoRate_4795},
                  {"48", ZYVO_VideoRate_48},   {"50", ZYVO_VideoRate_50},
                  {"59", ZYVO_VideoRate_5994}, {"60", ZYVO_VideoRate_60}};
    for (const auto& entry : kRates) {
        if (text == entry.number) {
            rate = entry.rate;
            return true;
        }
    }
    return false;
}

int unusable(const Invocation& invocation, const char* what) {
    return commandFails(invocation, kUnusable, what);
}

} // namespace

int runLtcGet(const Invocation& invocation) {
    return runOnDevice(invocation, [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
        TimecodeWords words{};
        if (!record.getLTCInput(device, words.low, words.high)) {
            return false;
        }
        std::printf("%s\n", formatTimecode(words).c_str());
        return true;
    });
}

int runLtcSet(const Invocation& invocation) {
    auto arguments = invocation.arguments;
    TimecodeWords words{};
    std::string why;
    if (!parseTimecode(takeOperand(arguments), words, why)) {
        return unusable(invocation, why.c_str());
    }
    return runOnDevice(invocation, arguments,
                       [words](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                           // The port takes the low (seconds:frames) word first.
                           return record.setLTCOutput(device, words.low, words.high);
                       });
}

int runLtcMode(const Invocation& invocation) {
    auto arguments = invocation.arguments;
    std::string mode = takeOperand(arguments);
    if (mode.empty()) {
        return runOnDevice(
            invocation, arguments, [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                ZyvoLTCIOWidget::LTCModeType current;
                if (!record.getLTCIOMode(device, current)) {
                    return false;
                }
                std::printf("%s\n", current == ZyvoLTCIOWidget::LTCMode_Input ? "in" : "out");
                return true;
            });
    }
    if (mode != "in" && mode != "out") {
        return unusable(invocation, "mode is 'in' or 'out'");
    }
    auto wanted = mode == "in" ? ZyvoLTCIOWidget::LTCMode_Input : ZyvoLTCIOWidget::LTCMode_Output;
    return runOnDevice(invocation, arguments,
                       [wanted](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                           return record.setLTCIOMode(device, wanted);
                       });
}

int runLtcRate(const Invocation& invocation) {
    auto arguments = invocation.arguments;
    ZyvoVideoRate rate;
    if (!rateFromNumber(takeOperand(arguments), rate)) {
        return unusable(invocation, "needs a rate: 23, 24, 25, 29, 30, 47, 48, 50, 59 or 60");
    }
    return runOnDevice(invocation, arguments,
                       [rate](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                           return record.setLTCFrameRate(device, rate);
                       });
}

int runLtcTest(const Invocation& invocation) {
    return runOnDevice(invocation, [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
        return record.captureLTCinput(device);
    });
}

int runGenlock(const Invocation& invocation) {
    return runOnDevice(invocation, [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
        return record.captureSyncGenLock(device) == 1;
    });
}

int runLcd(const Invocation& invocation) {
    return runOnDevice(invocation, [&invocation](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
        // The library reports false whatever happens: the picture read back is the result.
        record.lcdColorBarsDisplay(device);
        const bool bars = record.mFrameBuffer != 0;
        const char* wanted = bars ? "colour bars" : "black";
        PanelPicture picture;
        std::string why;
        const bool shows = readPanelPicture(device, picture, why) &&
                           (bars ? showsColourBars(picture, 9, why) : showsBlack(picture, why));
        if (!shows) {
            std::printf("LCD should show %s: %s\n", wanted, why.c_str());
        } else {
            std::printf("LCD shows %s\n", wanted);
        }
        // The self-test keeps the picture it judged.
        if (invocation.result != nullptr) {
            invocation.result->panel = std::move(picture);
        }
        return shows;
    });
}

} // namespace zyvodiag

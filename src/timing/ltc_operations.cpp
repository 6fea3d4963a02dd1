// The LTC port: mode, rate, timecode in and out, and the live input test.
#include "engine/status_codes.h"

#include <zyvodiag>

#include "QELTime.h"

#include <cstdint>
#include <cstdio>

using zyvodiag::status::kDeviceSuccess;

namespace {

constexpr int kSampleGapMilliseconds = 1000;

// A word holds two fields, one decimal digit per byte, tens first: 0x01020304 is 12 and 34.
// Whole bytes count, not their low four bits.
int firstField(uint32_t word) {
    return static_cast<int>((word >> 24) * 10 + ((word >> 16) & 0xFF));
}
int secondField(uint32_t word) {
    return static_cast<int>(((word >> 8) & 0xFF) * 10 + (word & 0xFF));
}

void verboseLine(const char* text) {
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("%s\n", text);
    }
}

} // namespace

bool ZyvoDiag::ltcFrameRateSet(ZyvoVideoRate rate) {
    return mpLTC != nullptr && mpLTC->SetFrameRate(rate) > 0;
}

bool ZyvoDiag::ltcSetMode(ZyvoLTCIOWidget::LTCModeType mode) {
    if (mpLTC == nullptr) {
        return false;
    }
    if (mode == ZyvoLTCIOWidget::LTCMode_Input) {
        if (mpLTC->IsInputAvailable() == 0) {
            std::printf(" %s() LTC input mode not available\n", "ltcSetMode");
            return false;
        }
    } else if (mode == ZyvoLTCIOWidget::LTCMode_Output) {
        if (mpLTC->IsOutputAvailable() == 0) {
            std::printf(" %s() LTC output mode not available\n", "ltcSetMode");
            return false;
        }
    } else {
        return false;
    }
    return mpLTC->SetMode(mode) > 0;
}

bool ZyvoDiag::ltcGetMode(ZyvoLTCIOWidget::LTCModeType& mode) {
    return mpLTC != nullptr && mpLTC->GetMode(mode) > 0;
}

bool ZyvoDiag::ltcSetOutputValue(uint32_t firstWord, uint32_t secondWord) {
    if (mpLTC == nullptr || mpLTC->IsOutputAvailable() == 0) {
        return false;
    }
    return mpLTC->SetOutputTimeCode(firstWord, secondWord) > 0;
}

bool ZyvoDiag::ltcGetInputValue(uint32_t& lowWord, uint32_t& highWord) {
    if (mpLTC == nullptr || mpLTC->IsInputAvailable() == 0) {
        return false;
    }
    return mpLTC->GetInputTimeCode(lowWord, highWord) > 0;
}

void ZyvoDiag::ltcDisplay(uint32_t highWord, uint32_t lowWord) {
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("LTC input timecode : %02d:%02d:%02d:%02d: \n", firstField(highWord),
                    secondField(highWord), firstField(lowWord), secondField(lowWord));
    }
}

bool ZyvoDiag::ltcInputTest(ZyvoVideoRate rate) {
    const bool verbose = ZyvoDiagUserCommands::msDebugOutput;
    if (verbose) {
        std::printf("\nltcInputTest(%s)\n", videoRateNameString(rate));
    }
    if (mpLTC == nullptr) {
        return false;
    }
    if (mpLTC->IsInputAvailable() == 0) {
        verboseLine("Tesk device not capable of LTC timecode input");
        return false;
    }
    mpLTC->SetFrameRate(rate);
    if (mpLTC->IsInputDetected() == 0) {
        verboseLine("Cannot detect LTC input");
        return false;
    }
    // When the rate cannot be read it is taken as the one asked for, so no mismatch is claimed.
    ZyvoVideoRate detected = rate;
    if (mpLTC->GetFrameRate(detected) == kDeviceSuccess) {
        if (verbose) {
            std::printf("LTC input detect frame rate %s\n", videoRateNameString(detected));
        }
    } else {
        detected = rate;
        verboseLine("LTC GetFrameRate() returns failure");
    }
    if (detected != rate && verbose) {
        std::printf("LTC frame rate mismatch : Set Frame Rate = %s, Detect Frame Rate = %s\n",
                    videoRateNameString(rate), videoRateNameString(detected));
    }
    uint32_t low[2] = {}, high[2] = {};
    for (int sample = 0; sample < 2; ++sample) {
        if (mpLTC->GetInputTimeCode(low[sample], high[sample]) != kDeviceSuccess) {
            verboseLine("LTC GetInputTimeCode() returns failure");
            return false;
        }
        ltcDisplay(high[sample], low[sample]);
        QELTime::Sleep(kSampleGapMilliseconds);
    }
    // A live timecode moves on in a second; a frozen or repeating one does not.
    bool advanced = low[0] != low[1] || high[0] != high[1];
    if (verbose) {
        std::printf("LTC input timecode change detect = %s\n", advanced ? "true" : "false");
    }
    return advanced;
}

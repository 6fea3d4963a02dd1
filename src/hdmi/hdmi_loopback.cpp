// The HDMI loopback register test: program the transmitter, check it, then check that the
// receiver at the other end of the cable sees the same raster and clocks.
#include "hdmi/hdmi_loopback_registers.h"

#include <zyvodiag>

#include "QELTime.h"
#include "ZyvoHDMIWidgets.h"

#include <cstdio>

using namespace zyvodiag::hdmi;

namespace {

constexpr int kMonitorOffMilliseconds = 500;
constexpr int kTransmitterSettleMilliseconds = 2000;
// The loop runs 4096 x 2160 in 12-bit YCbCr.
constexpr ZyvoPixelFormat kLoopbackPixelFormat = ZYVO_PixelFormat_YCbCr12;
constexpr uint32_t kReceiverKeptBits = 0x3701F00F;

bool rateColumn(ZyvoVideoRate rate, RateColumn& column) {
    if (rate == ZYVO_VideoRate_2997) {
        column = kRate2997;
        return true;
    }
    if (rate == ZYVO_VideoRate_5994) {
        column = kRate5994;
        return true;
    }
    return false;
}

// Register access of one half, on the transmitter or the receiver, in checking or tracing mode
// (fixed for the whole half).
template <typename Widget> class RegisterSession {
public:
    RegisterSession(Widget* widget, const char* name, RateColumn column)
        : mWidget(widget), mName(name), mColumn(column),
          mTracing(ZyvoDiagUserCommands::msDebugOutput) {}

    bool tracing() const { return mTracing; }

    bool write(uint32_t reg, uint32_t value) {
        if (mWidget->WriteRegister(reg, value) <= 0) {
            std::printf(" %s() write of 0x%08x to reg %d failed\n", mName,
                        static_cast<unsigned>(value), static_cast<int>(reg));
            return false;
        }
        if (mTracing) {
            std::printf(" %s() reg %d, 0x%08x written\n", mName, static_cast<int>(reg),
                        static_cast<unsigned>(value));
        }
        return true;
    }

    // A failed read ends the half without a line.
    bool read(uint32_t reg, uint32_t& value) { return mWidget->ReadRegister(reg, value) > 0; }

    // Checking mode stops at the first value that fails; tracing mode marks it and goes on.
    bool check(const RegisterCheck& check) {
        uint32_t value = 0;
        if (!read(check.reg, value)) {
            return false;
        }
        const uint32_t low = check.low[mColumn];
        const uint32_t high = check.high[mColumn];
        // Closed windows: below the low end the unsigned difference wraps and fails.
        const bool good = check.kind == CheckKind::Equal ? value == low : value - low <= high - low;
        if (mTracing) {
            const char* marker = good ? "" : " <<<";
            if (check.kind == CheckKind::Equal) {
                std::printf(" %s() reg %d: 0x%08x, expected: 0x%08x %s\n", mName,
                            static_cast<int>(check.reg), static_cast<unsigned>(value),
                            static_cast<unsigned>(low), marker);
            } else {
                std::printf(" %s() reg %d: 0x%08x, expected: 0x%08x .. 0x%08x%s\n", mName,
                            static_cast<int>(check.reg), static_cast<unsigned>(value),
                            static_cast<unsigned>(low), static_cast<unsigned>(high), marker);
            }
            return true;
        }
        if (!good) {
            printFailure(check, value, low);
        }
        return good;
    }

    template <size_t N> bool checkAll(const RegisterCheck (&checks)[N]) {
        for (const RegisterCheck& each : checks) {
            if (!check(each)) {
                return false;
            }
        }
        return true;
    }

    bool readSum(const char* label, uint32_t& sum) {
        uint32_t value = 0;
        if (!read(kSumRegister, value)) {
            return false;
        }
        if (mTracing) {
            std::printf(" %s() (%d)%s sum: 0x%08x\n", mName, static_cast<int>(kSumRegister), label,
                        static_cast<unsigned>(value));
        }
        sum = value;
        return true;
    }

private:
    void printFailure(const RegisterCheck& check, uint32_t value, uint32_t expected) const {
        const char* line = check.failure[mColumn];
        if (check.failureNamesRegister) {
            std::printf(line, mName, static_cast<int>(check.reg), static_cast<unsigned>(value),
                        static_cast<unsigned>(expected));
        } else if (check.kind == CheckKind::Equal) {
            std::printf(line, mName, static_cast<unsigned>(value), static_cast<unsigned>(expected));
        } else {
            std::printf(line, mName, static_cast<unsigned>(value));
        }
    }

    Widget* mWidget;
    const char* mName;
    RateColumn mColumn;
    bool mTracing;
};

} // namespace

bool ZyvoDiag::StartHDMIV4loopbackOutput(ZyvoVideoRate rate, uint32_t& txSum) {
    const char* name = "StartHDMIV4loopbackOutput";
    if (mpHDMIOutput == nullptr || mpHDMIOutput->SetMonitorState(false) <= 0) {
        return false;
    }
    QELTime::Sleep(kMonitorOffMilliseconds);
    RateColumn column;
    if (!rateColumn(rate, column)) {
        std::printf(" %s() unsupported videoRate: %d\n", name, static_cast<int>(rate));
        return false;
    }
    RegisterSession<ZyvoHDMIOutV4Widget> transmitter(mpHDMIOutput, name, column);
    for (const RegisterWrite& each : kTransmitterProgram) {
        if (!transmitter.write(each.reg, each.value[column])) {
            return false;
        }
    }
    QELTime::Sleep(kTransmitterSettleMilliseconds);
    return transmitter.checkAll(kTransmitterChecks) && transmitter.readSum("tx", txSum);
}

bool ZyvoDiag::StartHDMIV4loopbackInput(ZyvoVideoRate rate, uint32_t& rxSum) {
    const char* name = "StartHDMIV4loopbackInput";
    if (mpHDMIInput == nullptr) {
        return false;
    }
    RateColumn column;
    if (!rateColumn(rate, column)) {
        std::printf(" %s() unsupported videoRate: %d\n", name, static_cast<int>(rate));
        return false;
    }
    RegisterSession<ZyvoHDMIInV4Widget> receiver(mpHDMIInput, name, column);
    uint32_t control = 0;
    if (!receiver.read(0, control)) {
        return false;
    }
    control &= kReceiverKeptBits;
    if (receiver.tracing()) {
        std::printf(" %s() %d found 0x%08x\n", name, 0, static_cast<unsigned>(control));
    }
    // Bit 9 selects the 29.97 raster, bit 10 the 59.94 one.
    const uint32_t rateBit = column == kRate2997 ? 0x00000200 : 0x00000400;
    if (!receiver.write(0, control | rateBit)) {
        return false;
    }
    return receiver.checkAll(kReceiverChecks) && receiver.readSum("rx", rxSum);
}

bool ZyvoDiagUserCommands::runHDMI2LoopbackTest(ZyvoDevice* device) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    const ZyvoVideoRate rate = mVideoRate;
    const ZyvoVideoFormat format = rate == ZYVO_VideoRate_2997   ? ZYVO_VideoFormat_4096p_2997
                                   : rate == ZYVO_VideoRate_5994 ? ZYVO_VideoFormat_4096p_5994
                                                                 : ZYVO_VideoFormat_Unknown;
    if (msDebugOutput) {
        std::printf(" %s() (rate: %d, pixelFormat: %d, videoFormat: %d)\n", "runHDMI2LoopbackTest",
                    static_cast<int>(rate), static_cast<int>(kLoopbackPixelFormat),
                    static_cast<int>(format));
    }
    diag.WidgetsInit(format, kLoopbackPixelFormat);
    uint32_t txSum = 0;
    if (!diag.StartHDMIV4loopbackOutput(rate, txSum)) {
        return false;
    }
    if (msDebugOutput) {
        // The engineer can look at the transmitter before the receiver is touched.
        std::printf(" between, press any key to continue\n");
        std::fflush(stdout);
        std::getchar();
    }
    diag.InputWidgetsInit(format, kLoopbackPixelFormat);
    uint32_t rxSum = 0;
    bool receiverGood = diag.StartHDMIV4loopbackInput(rate, rxSum);
    return receiverGood && txSum == rxSum;
}

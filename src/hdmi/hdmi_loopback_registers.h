// The register programme and the checks of the HDMI loopback test, as constant data.
#pragma once

#include <cstdint>

namespace zyvodiag::hdmi {

// The two rates the test knows, as indexes into the per-rate columns below.
enum RateColumn { kRate2997 = 0, kRate5994 = 1 };

struct RegisterWrite {
    uint32_t reg;
    uint32_t value[2];
};

enum class CheckKind { Equal, Window };

// One register read and what it must hold at each rate: the value (Equal), or a closed window
// low..high (Window). `failure` is the checking-mode line for each rate, given the half's name,
// the register when `failureNamesRegister`, the value and, for Equal, the expected value.
struct RegisterCheck {
    uint32_t reg;
    CheckKind kind;
    uint32_t low[2];
    uint32_t high[2];
    const char* failure[2];
    bool failureNamesRegister;
};

extern const RegisterWrite kTransmitterProgram[12];
extern const RegisterCheck kTransmitterChecks[5];
extern const RegisterCheck kReceiverChecks[11];

// Where each side keeps its sum of the raster registers.
constexpr uint32_t kSumRegister = 25;

} // namespace zyvodiag::hdmi

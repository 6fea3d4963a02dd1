// The HDMI loopback programme: what the transmitter is written, and what both sides must read.
#include "hdmi/hdmi_loopback_registers.h"

namespace zyvodiag::hdmi {
namespace {

// Clock windows, in hertz as the chips measure them: 148.5/1.001, 297/1.001 and 74.25/1.001 MHz.
constexpr uint32_t kPixelClockLow = 0x08D7AA00;
constexpr uint32_t kPixelClockHigh = 0x08D7AB00;
constexpr uint32_t kTmdsClockLow = 0x11AF5500;
constexpr uint32_t kTmdsClockHigh = 0x11AF5600;
constexpr uint32_t kTxClockLow = 0x046BD500;
constexpr uint32_t kTxClockHigh = 0x046BD600;
// The receiver measures 59.94 less tightly.
constexpr uint32_t kReceiverClockHigh5994 = 0x08D8AB00;

constexpr const char* kRefClock = " %s() bad refclock: 0x%08x\n";
constexpr const char* kTmds = " %s() bad tmds: 0x%08x\n";
constexpr const char* kTxClock = " %s() bad tx clk: 0x%08x\n";
constexpr const char* kReceiverRegister = " %s() reg %d: 0x%08x, expected: 0x%08x\n";

constexpr RegisterCheck equal(uint32_t reg, uint32_t value) {
    return {reg,
            CheckKind::Equal,
            {value, value},
            {value, value},
            {kReceiverRegister, kReceiverRegister},
            true};
}

} // namespace

const RegisterWrite kTransmitterProgram[12] = {
    {0, {0x24020200, 0x2401040A}},
    {1, {0x00000052, 0x00000052}},
    {2, {0x00B00058, 0x00B00058}},
    {3, {0x11300130, 0x11300130}},
    {4, {0x00000058, 0x00000058}},
    {5, {0x00120008, 0x00120008}},
    {6, {0x0000005A, 0x0000005A}},
    {7, {0x00000000, 0x00000000}},
    {8, {0x000008CA, 0x000008CA}},
    {9, {0x41108001, 0x41108001}},
    // Register 0 again, with bit 28 set.
    {0, {0x34020200, 0x3401040A}},
    {32, {0x00542000, 0x00542003}},
};

const RegisterCheck kTransmitterChecks[5] = {
    // Register 0 as last written with bit 27 set; register 1 with bits 28 and 29.
    {0,
     CheckKind::Equal,
     {0x3C020200, 0x3C01040A},
     {0x3C020200, 0x3C01040A},
     {" %s() tx not good: 0x%08x, expected: 0x%08x\n",
      " %s() tx not good: 0x%08x, expected: 0x%08x\n"},
     false},
    {1,
     CheckKind::Equal,
     {0x30000052, 0x30000052},
     {0x30000052, 0x30000052},
     {" %s() tx PLLs not good: 0x%08x, expected: 0x%08x\n",
      "%s() tx PLL not good: 0x%08x, expected: 0x%08x\n"},
     false},
    {16,
     CheckKind::Window,
     {kPixelClockLow, kPixelClockLow},
     {kPixelClockHigh, kPixelClockHigh},
     {kRefClock, kRefClock},
     false},
    {17,
     CheckKind::Window,
     {kTmdsClockLow, kPixelClockLow},
     {kTmdsClockHigh, kPixelClockHigh},
     {kTmds, kTmds},
     false},
    {18,
     CheckKind::Window,
     {kTxClockLow, kPixelClockLow},
     {kTxClockHigh, kPixelClockHigh},
     {kTxClock, kTxClock},
     false},
};

// The raster registers 2 to 8 come across the cable as the transmitter was written.
const RegisterCheck kReceiverChecks[11] = {
    equal(1, 0x00000010),
    equal(2, 0x00B00058),
    equal(3, 0x11300130),
    equal(4, 0x00000058),
    equal(5, 0x00120008),
    equal(6, 0x0000005A),
    equal(7, 0x00000000),
    equal(8, 0x000008CA),
    {16,
     CheckKind::Window,
     {kPixelClockLow, kPixelClockLow},
     {kPixelClockHigh, kReceiverClockHigh5994},
     {kRefClock, kRefClock},
     false},
    {17,
     CheckKind::Window,
     {kTmdsClockLow, kPixelClockLow},
     {kTmdsClockHigh, kReceiverClockHigh5994},
     {kTmds, kTmds},
     false},
    {18,
     CheckKind::Window,
     {kTxClockLow, kPixelClockLow},
     {kTxClockHigh, kReceiverClockHigh5994},
     {kTxClock, kTxClock},
     false},
};

} // namespace zyvodiag::hdmi

// Reading `hdmi-fault`: which part of the HDMI loopback goes wrong, and how.
#include "bench/bench_hdmi_directives.h"

#include "video/hdmi_chips.h"

#include <charconv>

namespace zyvosim {
namespace {

// Register values are easier to read in hexadecimal, as the diagnostics print them: a VALUE is
// decimal, or hexadecimal after 0x.
uint32_t readRegisterValue(BenchLine& line) {
    const std::string& field = line.next("VALUE");
    bool hex = field.size() > 2 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X');
    const char* first = field.data() + (hex ? 2 : 0);
    const char* end = field.data() + field.size();
    uint32_t value = 0;
    auto [stop, error] = std::from_chars(first, end, value, hex ? 16 : 10);
    if (field.empty() || error != std::errc() || stop != end) {
        line.fail("VALUE '" + shownField(field) +
                  "' is not a 32-bit number (decimal, or hexadecimal after 0x)");
    }
    return value;
}

void readClock(BenchLine& line, HDMIFaults& faults) {
    const std::string& chip = line.next("HDMIOut or HDMIIn");
    if (chip != "HDMIOut" && chip != "HDMIIn") {
        line.fail("'" + shownField(chip) + "' is neither HDMIOut nor HDMIIn");
    }
    auto reg =
        static_cast<uint32_t>(line.number("REG", kReferenceClockRegister, kTransmitClockRegister));
    uint32_t value = readRegisterValue(line);
    line.finish();
    (chip == "HDMIOut" ? faults.transmitterClock : faults.receiverClock)[reg] = value;
}

void readRaster(BenchLine& line, HDMIFaults& faults) {
    auto reg = static_cast<uint32_t>(line.number("REG", kFirstRasterRegister, kLastRasterRegister));
    uint32_t value = readRegisterValue(line);
    line.finish();
    faults.raster[reg] = value;
}

} // namespace

void readHDMIFault(BenchLine& line, Bench& bench) {
    const std::string& what = line.next("pll-unlocked, clock or raster");
    if (what == "pll-unlocked") {
        line.finish();
        bench.hdmi.pllUnlocked = true;
    } else if (what == "clock") {
        readClock(line, bench.hdmi);
    } else if (what == "raster") {
        readRaster(line, bench.hdmi);
    } else {
        line.fail("'" + shownField(what) + "' is not pll-unlocked, clock or raster");
    }
}

} // namespace zyvosim

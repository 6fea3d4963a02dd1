// Reading each directive of the bench file format into the bench.
#include "bench/bench_directives.h"

#include "bench/bench_card_directives.h"
#include "bench/bench_hdmi_directives.h"
#include "bench/bench_impair_directive.h"
#include "bench/bench_video_directives.h"
#include "calls/fault_points.h"
#include "library/video_formats.h"
#include "widgets/widget_kinds.h"
#include "zyvosim/card_state.h"

#include <climits>

namespace zyvosim {
namespace {

void readDevices(BenchLine& line, Bench& bench) {
    bench.deviceCount = static_cast<int>(line.number("N", 0, 65535));
    line.finish();
}

void readText(BenchLine& line, Bench& bench) {
    const std::string& state = line.next("present or absent");
    if (state != "present" && state != "absent") {
        line.fail("'" + shownField(state) + "' is neither present nor absent");
    }
    bench.textAvailable = state == "present";
    line.finish();
}

// "device.Open" or "SDIOutput[3].SetEnable"; a widget kind without [N] means every index.
Fault readFaultTarget(BenchLine& line, FaultKind kind) {
    const std::string& text = line.next("TARGET.OPERATION");
    size_t dot = text.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == text.size()) {
        line.fail("'" + shownField(text) + "' is not TARGET.OPERATION");
    }
    std::string target = text.substr(0, dot);
    int index = -1;
    size_t open = target.find('[');
    if (open != std::string::npos) {
        std::optional<long long> number;
        if (open > 0 && target.back() == ']') {
            number = parseDecimal(target.substr(open + 1, target.size() - open - 2));
        }
        if (!number || *number < 0 || *number > INT_MAX) {
            line.fail("'" + shownField(text) + "' is not TARGET[INDEX].OPERATION");
        }
        index = static_cast<int>(*number);
        target.resize(open);
    }
    std::string operation = text.substr(dot + 1);
    std::string problem;
    if (!isFaultPoint(target, index, operation, problem)) {
        line.fail(problem);
    }
    return Fault{target, index, operation, kind, 0, false};
}

void readFault(BenchLine& line, Bench& bench, FaultKind kind) {
    Fault fault = readFaultTarget(line, kind);
    if (kind == FaultKind::Status) {
        fault.status = static_cast<int>(line.number("STATUS", INT_MIN, INT_MAX));
    }
    fault.once = line.accept("once");
    line.finish();
    bench.faults.push_back(fault);
}

void readStatusFault(BenchLine& line, Bench& bench) {
    readFault(line, bench, FaultKind::Status);
}

void readThrowFault(BenchLine& line, Bench& bench) {
    readFault(line, bench, FaultKind::Throw);
}

void readInterruptFault(BenchLine& line, Bench& bench) {
    readFault(line, bench, FaultKind::Interrupt);
}

// A connector takes one cable, so a second cable on the same output or input is an error.
void readCable(BenchLine& line, Bench& bench) {
    const std::string& from = line.next("SDIOutput or HDMIOutput");
    bool sdi = from == "SDIOutput";
    if (!sdi && from != "HDMIOutput") {
        line.fail("'" + shownField(from) + "' is neither SDIOutput nor HDMIOutput");
    }
    const char* to = sdi ? "SDIInput" : "HDMIInput";
    unsigned outputs = sdi ? kSDIOutputKind.count : kHDMIOutKind.count;
    unsigned inputs = sdi ? kSDIInputKind.count : kHDMIInKind.count;
    Cable cable{sdi ? CableKind::SDI : CableKind::HDMI, 0, 0};
    cable.output = static_cast<unsigned>(line.number("output index", 0, outputs - 1));
    line.expect(to);
    cable.input = static_cast<unsigned>(line.number("input index", 0, inputs - 1));
    line.finish();
    for (const Cable& plugged : bench.cables) {
        if (plugged.kind == cable.kind && plugged.output == cable.output) {
            line.fail(from + " " + std::to_string(cable.output) + " is already cabled");
        }
        if (plugged.kind == cable.kind && plugged.input == cable.input) {
            line.fail(std::string(to) + " " + std::to_string(cable.input) + " is already cabled");
        }
    }
    bench.cables.push_back(cable);
}

unsigned timecodeField(BenchLine& line, const std::string& text, const char* what, unsigned limit) {
    std::optional<long long> value = parseDecimal(text);
    if (!value || *value < 0 || text.size() != 2) {
        line.fail(std::string("start ") + what + " '" + shownField(text) + "' is not two digits");
    }
    if (*value >= limit) {
        line.fail(std::string("start ") + what + " " + text + " is not below " +
                  std::to_string(limit));
    }
    return static_cast<unsigned>(*value);
}

void readLtcSource(BenchLine& line, Bench& bench) {
    if (line.accept("none")) {
        line.finish();
        bench.ltcSource.reset();
        return;
    }
    line.expect("rate");
    auto rate = static_cast<ZyvoVideoRate>(line.number("rate", 3, 12));
    line.expect("start");
    const std::string& start = line.next("HH:MM:SS:FF");
    if (start.size() != 11 || start[2] != ':' || start[5] != ':' || start[8] != ':') {
        line.fail("start '" + shownField(start) + "' is not HH:MM:SS:FF");
    }
    LtcSource source{rate, 0, 0, 0, 0};
    source.hours = timecodeField(line, start.substr(0, 2), "hours", 24);
    source.minutes = timecodeField(line, start.substr(3, 2), "minutes", 60);
    source.seconds = timecodeField(line, start.substr(6, 2), "seconds", 60);
    source.frames =
        timecodeField(line, start.substr(9, 2), "frames", timecodeFramesPerSecond(rate));
    source.frozen = line.accept("frozen");
    line.finish();
    bench.ltcSource = source;
}

// What the LTC port can do; a port that cannot receive (or send) lets a bench test how the
// diagnostics refuse.
void readLtcPort(BenchLine& line, Bench& bench) {
    const std::string& ability = line.next("input, output, both or none");
    if (ability != "input" && ability != "output" && ability != "both" && ability != "none") {
        line.fail("'" + shownField(ability) + "' is not input, output, both or none");
    }
    bench.ltcInput = ability == "input" || ability == "both";
    bench.ltcOutput = ability == "output" || ability == "both";
    line.finish();
}

// The generator's pair is N and N+1. With 15 the video's control N+1 is not on the card, which
// shows how the diagnostics take a missing control.
void readInterruptIndex(BenchLine& line, Bench& bench) {
    bench.interruptIndex = static_cast<unsigned>(line.number("N", 0, kInterruptControlCount - 1));
    line.finish();
}

void readReference(BenchLine& line, Bench& bench) {
    bench.referenceLockPolls = 1;
    if (line.accept("none")) {
        line.finish();
        bench.referenceFormat.reset();
        return;
    }
    line.expect("format");
    auto format = static_cast<ZyvoVideoFormat>(line.number("format", 1, INT_MAX));
    if (findVideoFormat(format) == nullptr) {
        line.fail("format " + std::to_string(format) + " is not a video format of the device");
    }
    if (line.accept("lock-after-polls")) {
        bench.referenceLockPolls = static_cast<unsigned>(line.number("polls", 1, 1000000));
    }
    line.finish();
    bench.referenceFormat = format;
}

const BenchDirective kDirectives[] = {
    {"devices", "devices N", readDevices},
    {"fault", "fault TARGET.OPERATION STATUS [once]", readStatusFault},
    {"throw", "throw TARGET.OPERATION [once]", readThrowFault},
    {"interrupt", "interrupt TARGET.OPERATION [once]", readInterruptFault},
    {"text", "text present|absent", readText},
    {"cable", "cable SDIOutput N SDIInput M | cable HDMIOutput 0 HDMIInput 0", readCable},
    {"ltc-source", "ltc-source rate R start HH:MM:SS:FF [frozen] | ltc-source none", readLtcSource},
    {"ltc-port", "ltc-port input|output|both|none", readLtcPort},
    {"reference", "reference format F [lock-after-polls N] | reference none", readReference},
    {"interrupt-index", "interrupt-index N", readInterruptIndex},
    {"missing", "missing KIND INDEX", readMissingWidget},
    {"wrong-class", "wrong-class KIND INDEX", readWrongClassWidget},
    {"state-dir", "state-dir PATH | state-dir private", readStateDirectory},
    {"uncable", "uncable SDIOutput N | uncable HDMIOutput 0", readUncable},
    {"no-signal", "no-signal SDIInput N", readNoSignal},
    {"unknown-format", "unknown-format SDIInput N", readUnknownFormat},
    {"stuck", "stuck CaptureStore N", readStuckStore},
    {"no-sid-translation", "no-sid-translation F", readNoSIDTranslation},
    {"hdmi-fault",
     "hdmi-fault pll-unlocked | hdmi-fault clock HDMIOut|HDMIIn REG VALUE | hdmi-fault raster REG "
     "VALUE",
     readHDMIFault},
    {"impair", "impair SDIInput|HDMIInput N KIND [ARGS]", readImpair},
};

} // namespace

const BenchDirective* findBenchDirective(const std::string& name) {
    for (const BenchDirective& directive : kDirectives) {
        if (name == directive.name) {
            return &directive;
        }
    }
    return nullptr;
}

} // namespace zyvosim

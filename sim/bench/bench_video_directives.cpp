// Reading the bench directives that take video away from the card.
#include "bench/bench_video_directives.h"

#include "library/video_formats.h"
#include "widgets/widget_kinds.h"
#include "zyvosim/card_state.h"

#include <algorithm>
#include <climits>
#include <type_traits>

namespace zyvosim {
namespace {

constexpr unsigned kCaptureStoreCount = std::extent_v<decltype(CardState::captureStore)>;

unsigned readSDIInput(BenchLine& line) {
    line.expect("SDIInput");
    auto index = static_cast<unsigned>(line.number("input index", 0, kSDIInputKind.count - 1));
    line.finish();
    return index;
}

} // namespace

// An input is either dark or fed a raster it cannot recognise: the later line counts.
void readNoSignal(BenchLine& line, Bench& bench) {
    unsigned index = readSDIInput(line);
    bench.video.unknownFormatSDIInputs.erase(index);
    bench.video.darkSDIInputs.insert(index);
}

void readUnknownFormat(BenchLine& line, Bench& bench) {
    unsigned index = readSDIInput(line);
    bench.video.darkSDIInputs.erase(index);
    bench.video.unknownFormatSDIInputs.insert(index);
}

// Takes out a cable an earlier line laid, so a copy of the default bench can lose one cable
// with one line at its end. A connector without a cable is an error: the line names the wrong
// connector, or comes before the cable.
void readUncable(BenchLine& line, Bench& bench) {
    const std::string& from = line.next("SDIOutput or HDMIOutput");
    bool sdi = from == "SDIOutput";
    if (!sdi && from != "HDMIOutput") {
        line.fail("'" + shownField(from) + "' is neither SDIOutput nor HDMIOutput");
    }
    unsigned outputs = sdi ? kSDIOutputKind.count : kHDMIOutKind.count;
    auto output = static_cast<unsigned>(line.number("output index", 0, outputs - 1));
    line.finish();
    CableKind kind = sdi ? CableKind::SDI : CableKind::HDMI;
    auto cable = std::find_if(bench.cables.begin(), bench.cables.end(), [&](const Cable& laid) {
        return laid.kind == kind && laid.output == output;
    });
    if (cable == bench.cables.end()) {
        line.fail(from + " " + std::to_string(output) + " is not cabled");
    }
    bench.cables.erase(cable);
}

void readStuckStore(BenchLine& line, Bench& bench) {
    line.expect("CaptureStore");
    auto index = static_cast<unsigned>(line.number("store index", 0, kCaptureStoreCount - 1));
    line.finish();
    bench.video.stuckCaptureStores.insert(index);
}

// Only a quad format has a translation to take away.
void readNoSIDTranslation(BenchLine& line, Bench& bench) {
    auto format = static_cast<ZyvoVideoFormat>(line.number("format", 1, INT_MAX));
    line.finish();
    const VideoFormatFacts* facts = findVideoFormat(format);
    if (facts == nullptr || !facts->quad) {
        line.fail("format " + std::to_string(format) + " is not a quad format of the device");
    }
    bench.video.formatsWithoutSID.insert(format);
}

} // namespace zyvosim

// The self-test's tests: the commands an engineer would type at the bench, and the verdicts.
#include "selftest/self_test_plan.h"

#include "selftest/panel_readback.h"
#include "simulator/simulator_probe.h"

namespace zyvodiag {
namespace {

using Switches = std::vector<std::string>;

Switches operator+(Switches switches, const Switches& more) {
    switches.insert(switches.end(), more.begin(), more.end());
    return switches;
}

// Each SDI port shows two pictures in turn. The first differs on every output, so a crossed
// cable shows another port's picture; the second reveals what the first hides, so that the two
// together show every impairment of the path with any argument: every data bit of Y and of C
// both set and clear somewhere (bars and ramps leave some of them constant), Cb unlike Cr
// (greys and ramps hide a chroma swap and a matrix mix-up) and a line unlike the next (bars
// hide a field swap). Measured by trying every argument of every kind on each pattern. Only one
// port shows the zone plate: it is the costliest picture to write, 1.8 MB as a PNG.
const char* const kSdiPatterns[8][2] = {{"0", "10"}, {"1", "12"}, {"14", "12"}, {"15", "10"},
                                        {"7", "10"}, {"12", "0"}, {"10", "7"},  {"13", "14"}};

// SDI output N into the input N it is cabled to, in the SDI's own 10-bit 1080i, once with
// each of the port's pictures.
bool sdiLoop(TestRun& run, int number) {
    const std::string n = std::to_string(number);
    for (int step = 0; step < 2; ++step) {
        const Switches video = {"-f6", "-r29", "-v1",
                                std::string("-p") + kSdiPatterns[number - 1][step]};
        const FramePair frames = run.framePair(
            step == 0 ? "sdi" + n : "sdi" + n + "-2",
            {ZYVO_VideoFormat_1080i_2997, ZYVO_PixelFormat_YCbCr10}, "SDI input " + n);
        if (!run.command("capture-pattern", video + Switches{"-o1", "-D", frames.expected}) ||
            !run.command("output", video + Switches{"-o" + n, "-D"}) ||
            !run.command("capture", video + Switches{"-i" + n, "-D", frames.captured}) ||
            !run.compare(frames, video)) {
            return false;
        }
    }
    return true;
}

// The video monitor shows playout store 0 on SDI output 10 and on HDMI; the HDMI input sees
// what the monitor shows.
bool monitorPath(TestRun& run) {
    const Switches video = {"-f6", "-r29", "-v2", "-p2"};
    // No input of the bench is cabled to the monitor's SDI output: the monitor command reads its
    // routing from the simulated card, and elsewhere cannot check it.
    run.simulatorOnly(deviceIsSimulated()
                          ? "SDI output 10 has no input cabled to it; its routing to playout "
                            "store 0 is read from the simulated card"
                          : "");
    const FramePair frames = run.framePair(
        "monitor", {ZYVO_VideoFormat_1080i_2997, ZYVO_PixelFormat_YCbCr8}, "HDMI input 1");
    return run.command("capture-pattern", video + Switches{"-o1", "-D", frames.expected}) &&
           run.command("monitor", Switches{"--sdi", "--hdmi"} + video + Switches{"-D"}) &&
           run.command("hdmi-capture", video + Switches{"-D", frames.captured}) &&
           run.compare(frames, video);
}

// The playout frame buffer out on HDMI and back in through the cable, once with each picture:
// the pattern goes into frame 0 of playout store 0, which is what the HDMI output plays. The
// multi-pattern sets and clears every data bit of every channel, and has colour in RGB and in
// 4:2:2; its lines come in pairs, so a swap of lines 2k and 2k+1 leaves it unchanged. The colour
// quadrants with their one-pixel white frame differ from line 0 to line 1, but hold no level
// between black and white in RGB (a legal-range input read as full range keeps them) and no luma
// with bit 5 clear in YCbCr. No single pattern reveals everything, so each test shows both.
const char* const kHdmiPatterns[2] = {"7", "15"};

bool hdmiLoop(TestRun& run, const std::string& stem, const Switches& format,
              const FrameFormat& frameFormat) {
    for (int step = 0; step < 2; ++step) {
        const Switches video = format + Switches{std::string("-p") + kHdmiPatterns[step]};
        const FramePair frames =
            run.framePair(step == 0 ? stem : stem + "-2", frameFormat, "HDMI input 1");
        if (!run.command("capture-pattern",
                         video + Switches{"-o1", "-b0", "-D", frames.expected}) ||
            !run.command("hdmi-output", video + Switches{"-D"}) ||
            !run.command("hdmi-capture", video + Switches{"-b0", "-D", frames.captured}) ||
            !run.compare(frames, video)) {
            return false;
        }
    }
    return true;
}

// The lcd command judges the panel's picture as it reads it back; the test keeps that picture.
bool lcdBars(TestRun& run) {
    const bool shown = run.command("lcd", {"-b1", "-D"});
    const PanelPicture& picture = run.lastResult().panel;
    if (!picture.bytes.empty()) {
        run.keepFrame("lcd", panelShape(picture.pitch, picture.lines), picture.bytes);
    }
    return shown;
}

// Every kind of impairment the simulator's benches know, as the analyser names them.
const char* const kEveryKind =
    "every impairment: stuck-bit, inverted-bit, chroma-swap, luma-chroma-order, truncated, range, "
    "shift, field-swap, stale, torn, bit-errors, byte-swap, matrix";

} // namespace

std::vector<SelfTestCase> selfTestPlan() {
    std::vector<SelfTestCase> plan;
    for (int n = 1; n <= 8; ++n) {
        plan.push_back({"SDI " + std::to_string(n) + " -> SDI input " + std::to_string(n), "sdi",
                        [n](TestRun& run) { return sdiLoop(run, n); }, kEveryKind});
    }
    plan.push_back({"Monitor (SDI 10 + HDMI) -> HDMI input", "monitor", monitorPath, ""});
    plan.push_back({"HDMI 1080p 59.94 -> HDMI input", "hdmi",
                    [](TestRun& run) {
                        return hdmiLoop(run, "hdmi-hd", {"-f7", "-r59", "-v5"},
                                        {ZYVO_VideoFormat_1080p_5994, ZYVO_PixelFormat_RGB10});
                    },
                    kEveryKind});
    plan.push_back({"HDMI 2160p 29.97 -> HDMI input", "hdmi",
                    [](TestRun& run) {
                        return hdmiLoop(run, "hdmi-4k", {"-f19", "-r29", "-v1"},
                                        {ZYVO_VideoFormat_2160p_2997, ZYVO_PixelFormat_YCbCr10});
                    },
                    kEveryKind});
    // Without -D: in its tracing mode the register test reports mismatches but does not fail on
    // them, and it waits for a key between its halves. It reads only the rate; 1080p has both
    // rates, so the parser does not warn.
    for (const char* rate : {"29", "59"}) {
        plan.push_back(
            {std::string("HDMI register loopback ") + (rate[0] == '2' ? "29.97" : "59.94"), "hdmi",
             [rate](TestRun& run) {
                 return run.command("hdmi-loopback", {"-f7", std::string("-r") + rate});
             },
             ""});
    }
    plan.push_back({"LTC input at 29.97", "timing",
                    [](TestRun& run) {
                        return run.command("ltc-test", {"-r29", "-D"});
                    },
                    ""});
    plan.push_back({"Genlock to the external reference", "timing",
                    [](TestRun& run) { return run.command("genlock", {"-D"}); }, ""});
    plan.push_back({"LCD colour bars", "lcd", lcdBars, ""});
    return plan;
}

} // namespace zyvodiag

// The self-test's tests: the commands an engineer would type at the bench, and the verdicts.
#include "selftest/self_test_plan.h"

#include "commands/device_session.h"
#include "selftest/panel_readback.h"
#include "simulator/simulator_probe.h"

#include <cstdio>

namespace zyvodiag {
namespace {

using Switches = std::vector<std::string>;

Switches operator+(Switches switches, const Switches& more) {
    switches.insert(switches.end(), more.begin(), more.end());
    return switches;
}

bool capturePattern(ZyvoDiagUserCommands& record, ZyvoDevice* device) {
    return record.captureVideoTestPattern(device);
}

// A different picture on every output, so a crossed cable cannot pass.
const char* const kSdiPatterns[8] = {"0", "1", "14", "15", "7", "12", "10", "13"};

// SDI output N into the input N it is cabled to, in the SDI's own 10-bit 1080i.
bool sdiLoop(TestRun& run, int number) {
    const std::string n = std::to_string(number);
    const Switches video = {"-f6", "-r29", "-v1", std::string("-p") + kSdiPatterns[number - 1]};
    const FrameFormat format{ZYVO_VideoFormat_1080i_2997, ZYVO_PixelFormat_YCbCr10};
    const std::string expected = run.frameFile("sdi" + n + "-expected", format);
    const std::string captured = run.frameFile("sdi" + n + "-captured", format);
    return run.onDevice("capture-pattern", video + Switches{"-o1", "-D", expected},
                        capturePattern) &&
           run.onDevice("output", video + Switches{"-o" + n, "-D"},
                        [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                            return record.outputVideoTestPattern(device);
                        }) &&
           run.onDevice("capture", video + Switches{"-i" + n, "-D", captured},
                        [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                            return record.captureVideoInput(device);
                        }) &&
           run.compareFrames(expected, captured, format, video);
}

bool hdmiCapture(ZyvoDiagUserCommands& record, ZyvoDevice* device) {
    return record.captureHDMI4KVideo(device);
}

// No input of the bench is cabled to the monitor's SDI output, so no capture can see it: on the
// simulator its routing is read from the card instead, and elsewhere the check is skipped.
bool sdiMonitor(TestRun& run) {
    return run.simulatorCheck("SDI output 10 has no input cabled to it; its routing to playout "
                              "store 0 is read from the simulated card",
                              [&run] {
                                  std::string why;
                                  if (!monitorOutputCarriesPlayoutStore0(chosenDevice(), why)) {
                                      run.note(why);
                                      return false;
                                  }
                                  return true;
                              });
}

// The video monitor shows playout store 0 on SDI output 10 and on HDMI; the HDMI input sees
// what the monitor shows.
bool monitorPath(TestRun& run) {
    const Switches video = {"-f6", "-r29", "-v2", "-p2"};
    const FrameFormat format{ZYVO_VideoFormat_1080i_2997, ZYVO_PixelFormat_YCbCr8};
    const std::string expected = run.frameFile("monitor-expected", format);
    const std::string captured = run.frameFile("monitor-captured", format);
    return run.onDevice("capture-pattern", video + Switches{"-o1", "-D", expected},
                        capturePattern) &&
           run.onDevice("monitor", video + Switches{"-D"},
                        [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                            return record.outputVideoMonitorTestPattern(device, true, true);
                        }) &&
           sdiMonitor(run) &&
           run.onDevice("hdmi-capture", video + Switches{"-D", captured}, hdmiCapture) &&
           run.compareFrames(expected, captured, format, video);
}

// The playout frame buffer out on HDMI and back in through the cable: the pattern goes into
// frame 0 of playout store 0, which is what the HDMI output plays.
bool hdmiLoop(TestRun& run, const std::string& stem, const Switches& video,
              const FrameFormat& format) {
    const std::string expected = run.frameFile(stem + "-expected", format);
    const std::string captured = run.frameFile(stem + "-captured", format);
    return run.onDevice("capture-pattern", video + Switches{"-o1", "-b0", "-D", expected},
                        capturePattern) &&
           run.onDevice("hdmi-output", video + Switches{"-D"},
                        [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                            return record.outputHDMI4KVideo(device);
                        }) &&
           run.onDevice("hdmi-capture", video + Switches{"-b0", "-D", captured}, hdmiCapture) &&
           run.compareFrames(expected, captured, format, video);
}

// Without -D: in its tracing mode the register test reports mismatches but does not fail on
// them, and it waits for a key between its halves.
bool hdmiRegisterLoopback(TestRun& run, const std::string& rate) {
    // The test reads only the rate; 1080p has both rates, so the parser does not warn.
    return run.onDevice("hdmi-loopback", {"-f7", "-r" + rate},
                        [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                            return record.runHDMI2LoopbackTest(device);
                        });
}

// The library's LCD command always answers false, so the verdict is the picture itself, read
// back from the panel's playout store.
bool lcdBars(TestRun& run) {
    if (!run.onDevice("lcd", {"-b1", "-D"}, [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
            record.lcdColorBarsDisplay(device);
            return true;
        })) {
        return false;
    }
    DeviceSession session;
    PanelPicture picture;
    std::string error;
    if (!session.opened() || !readPanelPicture(session.device(), picture, error)) {
        run.note(session.opened() ? error : "the device could not be opened to read the LCD");
        return false;
    }
    const std::string file = run.frameFile("lcd", panelShape(picture.pitch, picture.lines));
    if (!run.writeFrame(file, picture.bytes)) {
        return false;
    }
    if (!showsColourBars(picture, 9, error)) {
        run.note(error);
        return false;
    }
    return true;
}

} // namespace

std::vector<SelfTestCase> selfTestPlan() {
    std::vector<SelfTestCase> plan;
    for (int n = 1; n <= 8; ++n) {
        plan.push_back({"SDI " + std::to_string(n) + " -> SDI input " + std::to_string(n), "sdi",
                        [n](TestRun& run) { return sdiLoop(run, n); }});
    }
    plan.push_back({"Monitor (SDI 10 + HDMI) -> HDMI input", "monitor", monitorPath});
    plan.push_back({"HDMI 1080p 59.94 -> HDMI input", "hdmi", [](TestRun& run) {
                        return hdmiLoop(run, "hdmi-hd", {"-f7", "-r59", "-v5", "-p7"},
                                        {ZYVO_VideoFormat_1080p_5994, ZYVO_PixelFormat_RGB10});
                    }});
    plan.push_back({"HDMI 2160p 29.97 -> HDMI input", "hdmi", [](TestRun& run) {
                        return hdmiLoop(run, "hdmi-4k", {"-f19", "-r29", "-v1", "-p15"},
                                        {ZYVO_VideoFormat_2160p_2997, ZYVO_PixelFormat_YCbCr10});
                    }});
    plan.push_back({"HDMI register loopback 29.97", "hdmi",
                    [](TestRun& run) { return hdmiRegisterLoopback(run, "29"); }});
    plan.push_back({"HDMI register loopback 59.94", "hdmi",
                    [](TestRun& run) { return hdmiRegisterLoopback(run, "59"); }});
    plan.push_back({"LTC input at 29.97", "timing", [](TestRun& run) {
                        return run.onDevice("ltc-test", {"-r29", "-D"},
                                            [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                                                return record.captureLTCinput(device);
                                            });
                    }});
    plan.push_back({"Genlock to the external reference", "timing", [](TestRun& run) {
                        return run.onDevice("genlock", {"-D"},
                                            [](ZyvoDiagUserCommands& record, ZyvoDevice* device) {
                                                return record.captureSyncGenLock(device) == 1;
                                            });
                    }});
    plan.push_back({"LCD colour bars", "lcd", lcdBars});
    return plan;
}

} // namespace zyvodiag

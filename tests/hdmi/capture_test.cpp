// captureHDMI4KVideo: what arrives at the HDMI input, into a raw frame file.
#include "hdmi_test.h"

namespace hdmitest {
namespace {

using CaptureTest = HDMITest;

// The text from the first line that starts with `start` on: what the HDMI operations print after
// the black fill's verbose lines, which hold host addresses.
std::string from(const std::string& text, const std::string& start) {
    size_t at = text.find(start);
    return at == std::string::npos ? text : text.substr(at);
}

// No cable, and no input widget: nothing is captured, and the reason is said only when verbose.
TEST_F(CaptureTest, withoutAnInputCapturesNothingAndSaysWhyOnlyWhenVerbose) {
    const struct {
        const char* bench;
        const char* reason;
        const char* err; // besides the receiver's initialisation
    } cases[] = {
        {"uncable HDMIOutput 0", "No valid input detected", ""},
        {"missing HDMIIn 0", "Acquire HDMI Input failure",
         "hdmiInputInit: Could not GetWidget(ZYVO_WidgetType_HDMIInV4Widget)\n"},
    };
    for (const auto& c : cases) {
        prepare({}, false, c.bench);
        ASSERT_TRUE(run(&ZyvoDiagUserCommands::outputHDMI4KVideo).result);
        for (bool on : {false, true}) {
            SCOPED_TRACE(std::string(c.bench) + (on ? ", verbose" : ""));
            verbose(on);
            zyvosim::clearTrace();
            Outcome outcome = run(&ZyvoDiagUserCommands::captureHDMI4KVideo);
            EXPECT_FALSE(outcome.result);
            EXPECT_EQ(from(outcome.out, "ConnectHDMIInputPath"),
                      on ? "ConnectHDMIInputPath: Setting up the HDMI crosspoints for HD\n\n" +
                               std::string(c.reason) + " for HDMI input\n"
                         : "");
            // Verbose, the receiver's initialisation is announced, when there is a receiver.
            const char* announced =
                on && *c.err == '\0' ? "ZyvoDiag::AcquireHDMIInput: Initialize Adv7619\n" : "";
            EXPECT_EQ(outcome.err, c.err + std::string(announced));
            EXPECT_EQ(countOf("CaptureStore", "SetFrameBufferBaseAddress"), 0u);
            EXPECT_EQ(zyvotest::fileText(mCaptureFile), "<missing>");
        }
    }
}

constexpr uint64_t kSecond = 1000000;
// The receiver settles after each of its two initialisations, and the stores after they stop.
constexpr uint64_t kSettles = 3 * 200000;

// HD and a quad format: the routes, the countdown, and both stores stopped at its end.
TEST_F(CaptureTest, routesCountsDownAndStopsBothStores) {
    const struct {
        std::vector<std::string> arguments;
        const char* kind; // as the crosspoint line names the format
        const char* sizeHex;
        int seconds;
        Lines crosspoints;
    } cases[] = {
        // clang-format off
        {{}, "HD", "0x3F4800", 2,
         {"CaptureStore[0].SetVideoSource1(111)", "CaptureStore[1].SetVideoSource(14, true)",
          "CaptureStore[2].SetVideoSource(14, true)", "CaptureStore[3].SetVideoSource(14, true)"}},
        {{"-f19", "-r29"}, "4K", "0xFD2000", 4,
         {"CaptureStore[0].SetVideoSource1(111)", "CaptureStore[0].SetVideoSource2(112)",
          "CaptureStore[1].SetVideoSource1(113)", "CaptureStore[1].SetVideoSource2(114)",
          "CaptureStore[2].SetVideoSource(0, true)", "CaptureStore[3].SetVideoSource(0, true)"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        prepare(c.arguments, true);
        ASSERT_TRUE(run(&ZyvoDiagUserCommands::outputHDMI4KVideo).result);
        zyvosim::clearTrace();
        const uint64_t start = zyvosim::nowMicroseconds();
        Outcome outcome = run(&ZyvoDiagUserCommands::captureHDMI4KVideo);
        EXPECT_TRUE(outcome.result);
        EXPECT_NE(outcome.out.find(std::string("ConnectHDMIInputPath: Setting up the HDMI "
                                               "crosspoints for ") +
                                   c.kind + "\n"),
                  std::string::npos);
        std::string countdown;
        for (int left = c.seconds; left >= 1; --left) {
            countdown +=
                "captureHDMI4KVideo: Waiting to capture the HDMI Input:" + std::to_string(left) +
                "\r";
        }
        EXPECT_EQ(outcome.err, std::string("ZyvoDiag::AcquireHDMIInput: Initialize Adv7619\n"
                                           "ConfigureHDMICaptureFrameBuffers: "
                                           "tpiBufferStart:0x1000000 Size:") +
                                   c.sizeHex + " FrameBufferNumber:0\n" + countdown);
        EXPECT_EQ(zyvosim::nowMicroseconds() - start, kSettles + c.seconds * kSecond)
            << "the stores capture for the whole count";
        EXPECT_EQ(callsMatching("CaptureStore", ".SetVideoSource"), c.crosspoints);
        Lines enables = callsMatching("CaptureStore", ".SetEnable(");
        ASSERT_GE(enables.size(), 2u);
        EXPECT_EQ(Lines(enables.end() - 2, enables.end()),
                  (Lines{"CaptureStore[0].SetEnable(false)", "CaptureStore[1].SetEnable(false)"}));
    }
}

TEST_F(CaptureTest, aQuadFormatWithoutSIDTranslationSaysSoEvenWhenQuiet) {
    prepare({"-f19", "-r29"}, false, "no-sid-translation 67");
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::outputHDMI4KVideo).result);
    zyvosim::clearTrace();
    Outcome outcome = run(&ZyvoDiagUserCommands::captureHDMI4KVideo);
    EXPECT_TRUE(outcome.result) << "the frame is still written, as device memory holds it";
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "ConfigureHDMICaptureFrameBuffers: No SID video format translation "
                           "for the capture format (2160p 29.97)\n");
    EXPECT_EQ(countOf("CaptureStore", "SetFrameBufferBaseAddress"), 0u);
    EXPECT_EQ(countOf("CaptureStore", "SetEnable(true)"), 0u);
}

// What the output plays comes back through the cable into the file, byte for byte.
TEST_F(CaptureTest, capturesTheFrameTheOutputPlays) {
    prepare({});
    std::vector<uint8_t> frame(1920 * 2 * 1080);
    for (size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<uint8_t>(i * 7 + i / 3840);
    }
    ASSERT_TRUE(zyvosim::writeDeviceMemory(0x4000000, frame));
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::outputHDMI4KVideo).result);
    ASSERT_TRUE(run(&ZyvoDiagUserCommands::captureHDMI4KVideo).result);
    EXPECT_TRUE(zyvotest::fileText(mCaptureFile) == std::string(frame.begin(), frame.end()));
}

} // namespace
} // namespace hdmitest

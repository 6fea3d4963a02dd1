// The audio command line: its own switches, messages, echo and help. Its reset of the video
// settings is the user commands tests' business.
#include "command_line_test.h"

namespace {

using AudioCommandLineTest = CommandLineTest;

TEST_F(AudioCommandLineTest, echoShowsEveryParsedSetting) {
    const struct {
        std::vector<std::string> arguments;
        const char* echo;
    } cases[] = {
        {{"-D"}, "diag -t0 -l0 -c0 -n1 -D0 (0x00000000)\n"},
        {{"-D0x10", "-n*"}, "diag -t0 -l0 -c0 -n4294967295 -D16 (0x00000010)\n"},
        {{"-d", "-n8", "-nx"}, "diag -t0 -l0 -c0 -n1 -D0 (0x00000000)\n"},
        {{"-D", "-t2", "-l3", "-c7", "-n8", "-i", "file"},
         "diag -t2 -l3 -i -c7 -n8 -D0 (0x00000000)\n"},
        {{"-D12", "-T1", "-L2", "-C5", "-cx", "-N3", "-Ixyz"},
         "diag -t1 -l2 -i -c0 -n3 -D12 (0x0000000c)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        EXPECT_TRUE(parseAudio(c.arguments));
        EXPECT_EQ(mOut, std::string("\n") + c.echo);
    }
}

TEST_F(AudioCommandLineTest, refusedValuesAreReportedAndScanGoesOn) {
    const std::string typeLines = " -t<type> : Audio Test Type\n"
                                  "            range is 0 => XLR, 1 => HDMI, 2 => AES\n";
    const std::string levelLine =
        " -l<lvl> : Audio Level range is 0 => Line, 1 => Mic, 2 => HDMI, 3 => AES\n";
    EXPECT_FALSE(parseAudio({"-t3", "-l4", "-t", "-x", "-c9"}));
    EXPECT_EQ(mOut, typeLines + levelLine + typeLines + "invalid switch x");
    EXPECT_EQ(mRecord.mAudioTestType, 0u);
    EXPECT_EQ(mRecord.mAudioLevel, 0u);
    EXPECT_EQ(mRecord.mAudioChannel, 9u);
}

TEST_F(AudioCommandLineTest, helpStopsTheScan) {
    EXPECT_FALSE(parseAudio({"-D", "-t1", "-?", "-l9"}));
    EXPECT_EQ(mOut, R"(
usage:  diag [switches]
  -h -?               help
  -c[chan|            Audio Channel number            (0)
  -i                  Interactive Audio Level setting
  -l[0|1]             Audio Level              [0-1]  (0)
       0=Line Level  1=Mic Level
  -n[num]             Number of channels              (1)
      *=All channels
  -t[0|1|2]           Audio Test type          [0-2]  (0)
       0=XLR Audio Test  1=HDMI Audio Test  2=AES Audio Test
  -D[debug output level] (level is optional, defaults to 0)

)");
    EXPECT_EQ(mRecord.mAudioTestType, 1u);
}

} // namespace

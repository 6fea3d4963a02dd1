// The video command line: switches, glued values, file names, messages, echo and help.
#include "command_line_test.h"

namespace {

using VideoCommandLineTest = CommandLineTest;

struct EchoCase {
    std::vector<std::string> arguments;
    const char* echo; // after the line end that opens it
};

// With -D the echo shows every setting, so it checks what was parsed as a user sees it.
TEST_F(VideoCommandLineTest, echoShowsEveryParsedSetting) {
    const EchoCase cases[] = {
        {{"-D"}, "diag -b0 -f6 -r29 -v2 /tmp/diagIn /tmp/diagOut -D 0 (0x00000000)\n"},
        {{"-d0X1F"}, "diag -b0 -f6 -r29 -v2 /tmp/diagIn /tmp/diagOut -D 31 (0x0000001f)\n"},
        {{"-Dabc"}, "diag -b0 -f6 -r29 -v2 /tmp/diagIn /tmp/diagOut -D 0 (0x00000000)\n"},
        {{"-D", "-b3", "-f7", "-i2", "-o10", "-p5", "-r60", "-v4", "in", "out"},
         "diag -b3 -f7 -i2 -o10 -p5 -r60 -v4 in out -D 0 (0x00000000)\n"},
        {{"-D", "-B15", "-F5", "-I8", "-O1", "-P0", "-R23", "-V5"},
         "diag -b15 -f5 -i8 -o1 -p0 -r23 -v5 /tmp/diagIn /tmp/diagOut -D 0 (0x00000000)\n"},
        {{"-D", "-v3", "-V1", "-v7"},
         "diag -b0 -f6 -r29 -v1 /tmp/diagIn /tmp/diagOut -D 0 (0x00000000)\n"},
        {{"-D", "a", "", "b", "c"}, "diag -b0 -f6 -r29 -v2 a c -D 0 (0x00000000)\n"},
    };
    for (const EchoCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        EXPECT_TRUE(parseVideo(c.arguments));
        EXPECT_EQ(mOut, std::string("\n") + c.echo);
    }
}

// The table itself is the format table tests' business.
TEST_F(VideoCommandLineTest, derivesFormatFromStandardAndRate) {
    EXPECT_TRUE(parseVideo({"-f24", "-r59"}));
    EXPECT_EQ(mRecord.mVideoFormat, ZYVO_VideoFormat_4096p_5994);
    EXPECT_TRUE(parseVideo({"-r25"}));
    EXPECT_EQ(mRecord.mVideoFormat, ZYVO_VideoFormat_1080i_25) << "1080i by default";
}

struct MessageCase {
    std::vector<std::string> arguments;
    std::string out;
    bool accepted;
};

TEST_F(VideoCommandLineTest, refusedValuesAreReported) {
    const MessageCase cases[] = {
        {{"-i9"}, " -i : SDI input range is 1-8\n", false},
        {{"-o11"}, " -o : SDI output range is 1-10\n", false},
        {{"-q"}, "invalid switch q", false},
        {{"-"}, std::string("invalid switch \0", 16), false},
        {{"-bx"}, "", false},
        {{"-r31"}, "Unknown frame rate -r31 .... defaulting to 29.97\n", true},
        // An unsupported standard falls back to 1080i.
        {{"-f5", "-f17"},
         "Unknown/Unsupported video standard -f17 : " +
             simulatorName(&ZyvoText::mVideoStandardNames, static_cast<ZyvoVideoStandard>(17)) +
             " .... defaulting to 1080i\n",
         true},
    };
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        EXPECT_EQ(parseVideo(c.arguments), c.accepted);
        EXPECT_EQ(mOut, c.out);
        EXPECT_EQ(mRecord.mSDIInput, 1u);
        EXPECT_EQ(mRecord.mSDIOutput, 1u);
        EXPECT_EQ(mRecord.mVideoFormat, ZYVO_VideoFormat_1080i_2997);
    }
}

TEST_F(VideoCommandLineTest, errorsDoNotStopTheScan) {
    EXPECT_FALSE(parseVideo({"-i9", "-q", "-i", "3", "-b7", "-f5", "-r47", "-D"}));
    const std::string rangeMessage = " -i : SDI input range is 1-8\n";
    EXPECT_EQ(mOut, rangeMessage + "invalid switch q" + rangeMessage +
                        formatWarning(8, 5, "720p default case") +
                        "\ndiag -b7 -f5 -r47 -v2 3 /tmp/diagOut -D 0 (0x00000000)\n");
    EXPECT_EQ(mRecord.mVideoFormat, ZYVO_VideoFormat_1080i_2997);
}

const char* const kUsage = R"(
usage:  diag [switches] file
  -b[frame buffer]    frame bufffer [0-15] (0)
  -f[raster format]   [1-7|17]
       1=486i   2=486p   3=576i   4=576p   5=720p
       6=1080i  7=1080p          17=4k1080p
  -h -?               help
  -i[SDI input]       SDI input     [1-4]  (1)
  -o[SDI output]      SDI output    [1-4]  (1)
  -p[pattern]         pattern       [0-15] (0)
       0=100% bars     1=75% bars    2=Ramp       3=MultiBurst
       4=LineSweep     5=CheckField  6=FlatField  7=MultiPattern
       8=Black         9=White      10=Border    11=LinearRamp
      12=SlantRamp    13=ZoneWhite  14=ColorQuad 15=ColorQuadBorder
  -q                  quiet output
  -r[video line rate] line rate     [23|24|25|29|30|47|48|50|59|60] (29)
      23.98  24.00 25.00 29.97  30.00 47.95  48.00 50.00 59.94  60.00 HZ
  -v[pixel format]    pixel format  [1-2]  (2)
       1=YCbCr10      2=YCbCr8
    <filename>        input filename  (/tmp/diagIn)
    <filename>        output filename (/tmp/diagOut)
  -D[debug output level] (level is optional, defaults to 0)

)";

// Help ends the scan at once: no later message, no echo, no derived format.
TEST_F(VideoCommandLineTest, helpStopsTheScan) {
    for (const char* help : {"-h", "-H", "-?"}) {
        SCOPED_TRACE(help);
        EXPECT_FALSE(parseVideo({"-D", "-b3", "-f7", help, "-i9", "-q", "in"}));
        EXPECT_EQ(mOut, kUsage);
        EXPECT_EQ(mRecord.mFrameBuffer, 3u);
        EXPECT_EQ(mRecord.mVideoFormat, ZYVO_VideoFormat_1080i_2997);
        EXPECT_EQ(mRecord.mInputFileName, "/tmp/diagIn");
    }
}

} // namespace

// The parameter record: what construction gives, and the defaults every parse starts from.
#include "command_line_test.h"

namespace {

using UserCommandsTest = CommandLineTest;

void expectDefaults(const ZyvoDiagUserCommands& record) {
    EXPECT_EQ(record.mFrameBuffer, 0u);
    EXPECT_EQ(record.mSDIInput, 1u);
    EXPECT_EQ(record.mSDIOutput, 1u);
    EXPECT_EQ(record.mInputFileName, "/tmp/diagIn");
    EXPECT_EQ(record.mOutputFileName, "/tmp/diagOut");
    EXPECT_EQ(record.mTestPattern, 1u);
    EXPECT_EQ(record.mPixelFormat, ZYVO_PixelFormat_YCbCr8);
    EXPECT_EQ(record.mVideoRate, ZYVO_VideoRate_2997);
    EXPECT_EQ(record.mVideoStandard, ZYVO_VideoStandard_1080i);
    EXPECT_EQ(record.mVideoFormat, ZYVO_VideoFormat_1080i_2997);
    EXPECT_EQ(record.mAudioTestType, 0u);
    EXPECT_EQ(record.mAudioLevel, 0u);
    EXPECT_EQ(record.mAudioChannel, 0u);
    EXPECT_EQ(record.mAudioChannelCount, 1u);
    EXPECT_FALSE(record.mAudioInteractive);
    EXPECT_FALSE(ZyvoDiagUserCommands::msDebugOutput);
    EXPECT_EQ(ZyvoDiagUserCommands::msDebugOutputLevel, 0u);
}

// Hosts that skip parsing run on connector and pattern 0; construction leaves verbosity alone.
TEST_F(UserCommandsTest, constructionWithoutParsing) {
    ZyvoDiagUserCommands::msDebugOutput = true;
    const ZyvoDiagUserCommands record;
    EXPECT_TRUE(ZyvoDiagUserCommands::msDebugOutput);
    EXPECT_EQ(record.mFrameBuffer, 0u);
    EXPECT_EQ(record.mSDIInput, 0u);
    EXPECT_EQ(record.mSDIOutput, 0u);
    EXPECT_EQ(record.mTestPattern, 0u);
    EXPECT_EQ(record.mInputFileName, "");
    EXPECT_EQ(record.mOutputFileName, "");
    EXPECT_EQ(record.mPixelFormat, ZYVO_PixelFormat_YCbCr8);
    EXPECT_EQ(record.mVideoFormat, ZYVO_VideoFormat_1080i_2997);
    ZyvoDiagUserCommands::msDebugOutput = false;
}

// A command line of no switches gives the defaults silently, video or audio: nothing of an
// earlier parse of either kind survives, -D included. The video configuration is not a switch.
TEST_F(UserCommandsTest, everyParseStartsAgainFromTheDefaults) {
    mRecord.mVideoConfiguration.SetDefaultFormat(ZYVO_VideoFormat_720p_50);
    const std::vector<std::string> video = {"-D0x1f", "-b3", "-i2",  "-o4", "-p9",
                                            "-v1",    "-f7", "-r60", "a",   "b"};
    const std::vector<std::string> audio = {"-D", "-t2", "-l1", "-c3", "-n*", "-i"};
    parseVideo(video);
    EXPECT_TRUE(parseVideo({}));
    EXPECT_EQ(mOut, "");
    expectDefaults(mRecord);
    parseVideo(video);
    EXPECT_TRUE(parseAudio({"in", "out"}));
    EXPECT_EQ(mOut, "");
    expectDefaults(mRecord);
    parseAudio(audio);
    EXPECT_TRUE(parseVideo({}));
    expectDefaults(mRecord);
    parseAudio(audio);
    mRecord.SetCmdLineParameterDefaults();
    expectDefaults(mRecord);
    ZyvoVideoFormat format = ZYVO_VideoFormat_Unknown;
    mRecord.mVideoConfiguration.GetDefaultFormat(format);
    EXPECT_EQ(format, ZYVO_VideoFormat_720p_50);
}

} // namespace

// The parameter record of one diagnostic invocation: construction and command-line defaults.
#include <zyvodiag>

bool ZyvoDiagUserCommands::msDebugOutput = false;
uint32_t ZyvoDiagUserCommands::msDebugOutputLevel = 0;

// A record used without parsing runs on frame buffer 0, SDI input and output 0 and pattern 0;
// hosts rely on that, so these differ from the command-line defaults below. The audio members
// get their defaults here too, so that no member is ever left undefined.
ZyvoDiagUserCommands::ZyvoDiagUserCommands()
    : mFrameBuffer(0), mSDIInput(0), mSDIOutput(0), mTestPattern(0),
      mPixelFormat(ZYVO_PixelFormat_YCbCr8), mVideoRate(ZYVO_VideoRate_2997),
      mVideoStandard(ZYVO_VideoStandard_1080i), mVideoFormat(ZYVO_VideoFormat_1080i_2997),
      mAudioTestType(0), mAudioLevel(0), mAudioChannel(0), mAudioChannelCount(1),
      mAudioInteractive(false) {}

ZyvoDiagUserCommands::~ZyvoDiagUserCommands() = default;

// Every parse starts here, so nothing of an earlier command line (verbose output included)
// leaks into the next one. mVideoConfiguration is deliberately left as constructed.
void ZyvoDiagUserCommands::SetCmdLineParameterDefaults() {
    mSDIInput = 1;
    mSDIOutput = 1;
    mFrameBuffer = 0;
    msDebugOutput = false;
    msDebugOutputLevel = 0;
    mInputFileName = "/tmp/diagIn";
    mOutputFileName = "/tmp/diagOut";
    mVideoRate = ZYVO_VideoRate_2997;
    mVideoStandard = ZYVO_VideoStandard_1080i;
    mTestPattern = 1;
    mAudioTestType = 0;
    mPixelFormat = ZYVO_PixelFormat_YCbCr8;
    mVideoFormat = ZYVO_VideoFormat_1080i_2997;
    mAudioLevel = 0;
    mAudioChannel = 0;
    mAudioChannelCount = 1;
    mAudioInteractive = false;
}

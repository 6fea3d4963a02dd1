// The video diagnostics command line: parsing it into the record, its echo and its help text.
#include <zyvodiag>

#include <cinttypes>
#include <cstddef>
#include <cstdio>

#include "frontend/command_line_values.h"
#include "frontend/frame_rates.h"

using namespace zyvodiag::frontend;

namespace {

constexpr uint32_t kSDIInputCount = 8;
// The outputs -o picks; the eleventh, the monitor's, is not one of them.
constexpr uint32_t kPickableSDIOutputCount = 10;

const ZyvoVideoStandard accepted_standards[] = {
    ZYVO_VideoStandard_486i,  ZYVO_VideoStandard_486p,    ZYVO_VideoStandard_576i,
    ZYVO_VideoStandard_576p,  ZYVO_VideoStandard_720p,    ZYVO_VideoStandard_1080i,
    ZYVO_VideoStandard_1080p, ZYVO_VideoStandard_4k1080p, ZYVO_VideoStandard_4096p,
};

const ZyvoPixelFormat accepted_pixel_formats[] = {
    ZYVO_PixelFormat_YCbCr10,
    ZYVO_PixelFormat_YCbCr8,
    ZYVO_PixelFormat_RGB8,
    ZYVO_PixelFormat_RGB10,
};

template <typename Value, size_t N> bool contains(const Value (&values)[N], uint32_t number) {
    for (Value value : values) {
        if (static_cast<int64_t>(value) == static_cast<int64_t>(number)) {
            return true;
        }
    }
    return false;
}

// -r takes the integer part of the rate; the echo shows it the same way.
const char* rateEchoText(ZyvoVideoRate rate) {
    const FrameRate* entry = frameRateOf(rate);
    return entry == nullptr ? "?" : entry->echoText;
}

// The switches given in this call that the echo shows only when they were given.
struct GivenSwitches {
    bool input = false;
    bool output = false;
    bool pattern = false;
};

const char* const usage_lines[] = {
    "  -b[frame buffer]    frame bufffer [0-15] (0)",
    "  -f[raster format]   [1-7|17]",
    "       1=486i   2=486p   3=576i   4=576p   5=720p",
    "       6=1080i  7=1080p          17=4k1080p",
    "  -h -?               help",
    "  -i[SDI input]       SDI input     [1-4]  (1)",
    "  -o[SDI output]      SDI output    [1-4]  (1)",
    "  -p[pattern]         pattern       [0-15] (0)",
    "       0=100% bars     1=75% bars    2=Ramp       3=MultiBurst",
    "       4=LineSweep     5=CheckField  6=FlatField  7=MultiPattern",
    "       8=Black         9=White      10=Border    11=LinearRamp",
    "      12=SlantRamp    13=ZoneWhite  14=ColorQuad 15=ColorQuadBorder",
    "  -q                  quiet output",
    "  -r[video line rate] line rate     [23|24|25|29|30|47|48|50|59|60] (29)",
    "      23.98  24.00 25.00 29.97  30.00 47.95  48.00 50.00 59.94  60.00 HZ",
    "  -v[pixel format]    pixel format  [1-2]  (2)",
    "       1=YCbCr10      2=YCbCr8",
    "    <filename>        input filename  (/tmp/diagIn)",
    "    <filename>        output filename (/tmp/diagOut)",
    "  -D[debug output level] (level is optional, defaults to 0)",
};

// -i and -o: a number the device has no connector for is an error, which the caller reports
// with the range.
bool readConnector(const char* value, uint32_t count, uint32_t& member, bool& given) {
    uint32_t number = 0;
    if (!readUnsigned(value, number) || number < 1 || number > count) {
        return false;
    }
    member = number;
    given = true;
    return true;
}

// An unknown standard is not an error: the user is told, and gets 1080i.
void applyStandard(ZyvoDiagUserCommands& record, uint32_t number) {
    if (contains(accepted_standards, number)) {
        record.mVideoStandard = static_cast<ZyvoVideoStandard>(number);
        return;
    }
    std::printf("Unknown/Unsupported video standard -f%" PRId32 " : %s .... defaulting to %s\n",
                static_cast<int32_t>(number),
                ZyvoDiag::videoStandardNameString(static_cast<ZyvoVideoStandard>(number)),
                ZyvoDiag::videoStandardNameString(ZYVO_VideoStandard_1080i));
    record.mVideoStandard = ZYVO_VideoStandard_1080i;
}

// An unknown rate is not an error either: the user is told, and gets 29.97.
void applyRate(ZyvoDiagUserCommands& record, uint32_t number) {
    if (const FrameRate* entry = frameRateNumbered(number)) {
        record.mVideoRate = entry->rate;
        return;
    }
    std::printf("Unknown frame rate -r%" PRId32 " .... defaulting to %s\n",
                static_cast<int32_t>(number), ZyvoDiag::videoRateNameString(ZYVO_VideoRate_2997));
    record.mVideoRate = ZYVO_VideoRate_2997;
}

// The switches that take a plain number; without one they are in error, silently.
bool applyNumberSwitch(ZyvoDiagUserCommands& record, char letter, const char* value,
                       GivenSwitches& given) {
    uint32_t number = 0;
    if (!readUnsigned(value, number)) {
        return false;
    }
    switch (letter) {
    case 'B':
        record.mFrameBuffer = number;
        break;
    case 'F':
        applyStandard(record, number);
        break;
    case 'P':
        record.mTestPattern = number;
        given.pattern = true;
        break;
    case 'R':
        applyRate(record, number);
        break;
    case 'V':
        // Pixel formats the frame stores cannot take are ignored rather than refused.
        if (contains(accepted_pixel_formats, number)) {
            record.mPixelFormat = static_cast<ZyvoPixelFormat>(number);
        }
        break;
    }
    return true;
}

// Applies one switch to the record; false when the switch is in error. Help is handled by the
// caller because it ends the scan.
bool applyVideoSwitch(ZyvoDiagUserCommands& record, const char* argument, GivenSwitches& given) {
    const char letter = switchLetter(argument);
    const char* value = switchValue(argument);
    switch (letter) {
    case 'D':
        enableDebugOutput(value);
        return true;
    case 'I':
        if (readConnector(value, kSDIInputCount, record.mSDIInput, given.input)) {
            return true;
        }
        std::printf(" -i : SDI input range is 1-%" PRIu32 "\n", kSDIInputCount);
        return false;
    case 'O':
        if (readConnector(value, kPickableSDIOutputCount, record.mSDIOutput, given.output)) {
            return true;
        }
        std::printf(" -o : SDI output range is 1-%" PRIu32 "\n", kPickableSDIOutputCount);
        return false;
    case 'B':
    case 'F':
    case 'P':
    case 'R':
    case 'V':
        return applyNumberSwitch(record, letter, value, given);
    default:
        std::printf("invalid switch %c", argument[1]);
        return false;
    }
}

void printVideoEcho(const ZyvoDiagUserCommands& record, const char* programName,
                    const GivenSwitches& given) {
    std::printf("\n");
    std::printf("%s -b%" PRId32 " -f%" PRId32 " ", programName,
                static_cast<int32_t>(record.mFrameBuffer),
                static_cast<int32_t>(record.mVideoStandard));
    if (given.input) {
        std::printf("-i%" PRId32 " ", static_cast<int32_t>(record.mSDIInput));
    }
    if (given.output) {
        std::printf("-o%" PRId32 " ", static_cast<int32_t>(record.mSDIOutput));
    }
    if (given.pattern) {
        std::printf("-p%" PRId32 " ", static_cast<int32_t>(record.mTestPattern));
    }
    const uint32_t level = ZyvoDiagUserCommands::msDebugOutputLevel;
    std::printf("-r%s -v%" PRId32 " %s %s -D %" PRIu32 " (0x%08" PRIx32 ")\n",
                rateEchoText(record.mVideoRate), static_cast<int32_t>(record.mPixelFormat),
                record.mInputFileName.c_str(), record.mOutputFileName.c_str(), level, level);
}

} // namespace

void ZyvoDiagUserCommands::usage(char* programName) {
    printUsage(programName, "[switches] file", usage_lines);
}

bool ZyvoDiagUserCommands::parseCmdLineArgs(int argc, char* argv[]) {
    SetCmdLineParameterDefaults();
    GivenSwitches given;
    bool inputFileSeen = false;
    const Scan scan = scanArguments(
        argc, argv,
        [this, &given](const char* argument) { return applyVideoSwitch(*this, argument, given); },
        [this, &inputFileSeen](const char* argument) {
            // The first file name is the input file, any later one the output file.
            if (argument[0] != '\0') {
                (inputFileSeen ? mOutputFileName : mInputFileName) = argument;
                inputFileSeen = true;
            }
        });
    if (scan == Scan::Help) {
        usage(argv[0]);
        return false;
    }
    mVideoFormat = videoFormatFromFrameRateAndVideoStandard(mVideoRate, mVideoStandard);
    if (msDebugOutput) {
        printVideoEcho(*this, argv[0], given);
    }
    return scan == Scan::Accepted;
}

// Test pattern names and the check of -p.
#include "commands/test_patterns.h"

namespace zyvodiag {
namespace {

const char* const kPatternNames[kTestPatternCount] = {
    "100% bars", "75% bars",     "Ramp",      "MultiBurst",     "LineSweep", "CheckField",
    "FlatField", "MultiPattern", "Black",     "White",          "Border",    "LinearRamp",
    "SlantRamp", "ZoneWhite",    "ColorQuad", "ColorQuadBorder"};

} // namespace

const char* testPatternName(uint32_t number) {
    return number < kTestPatternCount ? kPatternNames[number] : "";
}

bool checkTestPattern(const ZyvoDiagUserCommands& record, std::string& error) {
    if (record.mTestPattern < kTestPatternCount) {
        return true;
    }
    error = "-p" + std::to_string(record.mTestPattern) + ": there is no test pattern " +
            std::to_string(record.mTestPattern) + "; the patterns are";
    for (uint32_t number = 0; number < kTestPatternCount; ++number) {
        error += " " + std::to_string(number);
    }
    error += " ('zyvodiag list' names them)";
    return false;
}

} // namespace zyvodiag

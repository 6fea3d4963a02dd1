// The values the library's parsers take for each switch, and their defaults, found by asking the
// parsers themselves: the help and the list can then never promise what the parser refuses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zyvodiag {

struct AcceptedValues {
    std::vector<uint32_t> standards;    // -f
    std::vector<uint32_t> rates;        // -r, the numbers typed
    std::vector<uint32_t> rateValues;   // the ZyvoVideoRate of each, in the same order
    std::vector<uint32_t> pixelFormats; // -v
    uint32_t lastInput = 0;             // -i 1..lastInput
    uint32_t lastOutput = 0;            // -o 1..lastOutput
    uint32_t lastTestType = 0;          // audio -t 0..lastTestType
    uint32_t lastLevel = 0;             // audio -l 0..lastLevel
    // What an empty command line gives.
    uint32_t frameBuffer = 0, input = 0, output = 0, pattern = 0, standard = 0, rate = 0,
             pixelFormat = 0;
    std::string inputFile, outputFile;
};

// Worked out once, with the parsers' output caught.
const AcceptedValues& acceptedValues();

// "1-8", "1 2 4 5", ...
std::string rangeText(uint32_t first, uint32_t last);
std::string listText(const std::vector<uint32_t>& numbers);

} // namespace zyvodiag

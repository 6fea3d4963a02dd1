// The test patterns the generator draws, by their -p number.
#pragma once

#include <zyvodiag>

#include <cstdint>
#include <string>

namespace zyvodiag {

constexpr uint32_t kTestPatternCount = 16;

// As the library's usage text names it; `number` below kTestPatternCount.
const char* testPatternName(uint32_t number);

// False, with the valid numbers, for a -p the generator does not have. The library's parser
// takes any number, and a fill with an unknown pattern would leave whatever the store held.
bool checkTestPattern(const ZyvoDiagUserCommands& record, std::string& error);

} // namespace zyvodiag

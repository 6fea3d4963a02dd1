// What the fuzz targets share: a quiet standard output, a scratch directory, argument vectors
// made of the input, and the check that stops a run on a broken property.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zyvofuzz {

// Standard output goes to /dev/null for the rest of the process: the command lines print
// their echo and usage there, and libFuzzer reports on standard error.
void silenceStandardOutput();

// A directory of this process, created on first use and removed with its files at exit.
const std::string& scratchDirectory();

// Writes `bytes` to `path`; false when it cannot.
bool writeFile(const std::string& path, const std::string& bytes);

// A C argument vector: `programName`, then one argument for each line of the input (a last
// line without a newline counts too). Valid as long as the object lives.
class ArgumentVector {
public:
    ArgumentVector(const char* programName, const uint8_t* data, size_t size);
    int count() const { return static_cast<int>(mPointers.size()) - 1; }
    char** values() { return mPointers.data(); }

private:
    std::vector<std::string> mArguments;
    std::vector<char*> mPointers; // one per argument, then the null pointer that ends argv
};

// Aborts with `what` on standard error when `holds` is false, so libFuzzer keeps the input.
void check(bool holds, const char* what);

} // namespace zyvofuzz

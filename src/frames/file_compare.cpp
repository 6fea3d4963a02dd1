// Comparing two raw frame files byte by byte, with the list of differences when verbose.
#include <zyvodiag>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kSame = 2;
constexpr int kDifferent = -2;
constexpr int kMaxShown = 20;

// The length of an open file; the position is put back at the start.
int32_t fileLength(FILE* file) {
    std::fseek(file, 0, SEEK_END);
    auto length = static_cast<int32_t>(std::ftell(file));
    std::rewind(file);
    return length;
}

// Two open files closed on every way out.
struct FilePair {
    FILE* expected;
    FILE* found;
    ~FilePair() {
        if (expected != nullptr) {
            std::fclose(expected);
        }
        if (found != nullptr) {
            std::fclose(found);
        }
    }
};

} // namespace

int ZyvoDiag::compareFiles(const char* expectedFile, const char* foundFile) {
    const bool verbose = ZyvoDiagUserCommands::msDebugOutput;
    errno = 0;
    FILE* expected = std::fopen(expectedFile, "r");
    int expectedError = errno;
    errno = 0;
    FILE* found = std::fopen(foundFile, "r");
    int foundError = errno;
    FilePair files{expected, found};
    if (expected == nullptr || found == nullptr) {
        if (verbose) {
            bool expectedMissing = expected == nullptr;
            std::printf("\nFailed to open %s: %s\n", expectedMissing ? expectedFile : foundFile,
                        std::strerror(expectedMissing ? expectedError : foundError));
        }
        return kDifferent;
    }

    int32_t expectedLength = fileLength(expected);
    int32_t foundLength = fileLength(found);
    const bool sameLength = expectedLength == foundLength;
    if (!sameLength) {
        if (!verbose) {
            return kDifferent;
        }
        std::printf("\n File sizes differ: %s: %d bytes, %s: %d bytes\n", expectedFile,
                    static_cast<int>(expectedLength), foundFile, static_cast<int>(foundLength));
    }
    const int32_t compareLength =
        sameLength || expectedLength < foundLength ? expectedLength : foundLength;
    int differences = 0;
    int shown = 0;
    for (int32_t offset = 0; offset < compareLength; ++offset) {
        int expectedByte = std::fgetc(expected);
        int foundByte = std::fgetc(found);
        if (expectedByte != EOF && foundByte != EOF && expectedByte == foundByte) {
            continue;
        }
        // Quietly, the first difference settles it.
        if (!verbose) {
            return kDifferent;
        }
        if (++differences == 1) {
            std::printf("\n byte off expected found\n");
        }
        if (shown < kMaxShown) {
            // A byte a shrinking file no longer delivered shows as 0x00.
            std::printf(" %7d     0x%02x   0x%02x\n", static_cast<int>(offset),
                        expectedByte == EOF ? 0u : static_cast<unsigned>(expectedByte),
                        foundByte == EOF ? 0u : static_cast<unsigned>(foundByte));
            ++shown;
        }
    }
    if (differences == 0) {
        return sameLength ? kSame : kDifferent;
    }
    std::printf(" %d difference%s, %d shown\n", differences, differences == 1 ? "" : "s", shown);
    return kDifferent;
}

// Comparing two raw frame files byte by byte, with the list of differences when verbose.
#include "engine/status_codes.h"
#include "frames/owned_file.h"

#include <zyvodiag>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

using zyvodiag::frames::OwnedFile;

namespace {

constexpr int kSame = zyvodiag::status::kDone;
constexpr int kDifferent = zyvodiag::status::kFailed;
constexpr int kMaxShown = 20;

// The length of an open file; the position is put back at the start.
int32_t fileLength(FILE* file) {
    std::fseek(file, 0, SEEK_END);
    auto length = static_cast<int32_t>(std::ftell(file));
    std::rewind(file);
    return length;
}

// The report of the differing bytes: a header before the first, a line for each of the first
// few.
struct Differences {
    int count = 0;
    int shown = 0;

    void add(int32_t offset, int expectedByte, int foundByte) {
        if (++count == 1) {
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
};

// One block of each file at a time: large enough that a read call and a memcmp cover many
// pages, small enough that both blocks stay in the cache. Without the memory for them, a small
// pair on the stack does the same more slowly.
class BlockPair {
public:
    BlockPair() {
        try {
            mHeap.resize(2 * kBlockBytes);
        } catch (const std::bad_alloc&) {
            return;
        }
        expected = mHeap.data();
        found = expected + kBlockBytes;
        size = kBlockBytes;
    }

    unsigned char* expected = mSmall[0];
    unsigned char* found = mSmall[1];
    size_t size = kSmallBlockBytes;

private:
    static constexpr size_t kBlockBytes = 64 * 1024;
    static constexpr size_t kSmallBlockBytes = 1024;
    unsigned char mSmall[2][kSmallBlockBytes];
    std::vector<unsigned char> mHeap;
};

// Compares the first `length` bytes of the two streams, noting each difference. Quietly, the
// first difference settles it: false, and nothing more is read.
bool compareStreams(FILE* expected, FILE* found, int32_t length, bool verbose,
                    Differences& differences) {
    BlockPair blocks;
    for (int32_t start = 0; start < length;) {
        const size_t wanted = std::min(blocks.size, static_cast<size_t>(length - start));
        const size_t expectedRead = std::fread(blocks.expected, 1, wanted, expected);
        const size_t foundRead = std::fread(blocks.found, 1, wanted, found);
        if (expectedRead != wanted || foundRead != wanted ||
            std::memcmp(blocks.expected, blocks.found, wanted) != 0) {
            // Byte by byte, as if each had been read on its own: a byte a read did not deliver
            // is a difference.
            for (size_t i = 0; i < wanted; ++i) {
                int expectedByte = i < expectedRead ? blocks.expected[i] : EOF;
                int foundByte = i < foundRead ? blocks.found[i] : EOF;
                if (expectedByte != EOF && foundByte != EOF && expectedByte == foundByte) {
                    continue;
                }
                if (!verbose) {
                    return false;
                }
                differences.add(start + static_cast<int32_t>(i), expectedByte, foundByte);
            }
        }
        start += static_cast<int32_t>(wanted);
    }
    return true;
}

} // namespace

int ZyvoDiag::compareFiles(const char* expectedFile, const char* foundFile) {
    const bool verbose = ZyvoDiagUserCommands::msDebugOutput;
    int expectedError = 0, foundError = 0;
    OwnedFile expected = zyvodiag::frames::openFile(expectedFile, "r", expectedError);
    OwnedFile found = zyvodiag::frames::openFile(foundFile, "r", foundError);
    if (expected == nullptr || found == nullptr) {
        if (verbose) {
            bool expectedMissing = expected == nullptr;
            std::printf("\nFailed to open %s: %s\n", expectedMissing ? expectedFile : foundFile,
                        std::strerror(expectedMissing ? expectedError : foundError));
        }
        return kDifferent;
    }

    int32_t expectedLength = fileLength(expected.get());
    int32_t foundLength = fileLength(found.get());
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
    Differences differences;
    if (!compareStreams(expected.get(), found.get(), compareLength, verbose, differences)) {
        return kDifferent;
    }
    if (differences.count == 0) {
        return sameLength ? kSame : kDifferent;
    }
    std::printf(" %d difference%s, %d shown\n", differences.count,
                differences.count == 1 ? "" : "s", differences.shown);
    return kDifferent;
}

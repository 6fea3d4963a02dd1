// Keeping the card state record whole in its file, so what one process programs is there for
// the next one, and telling a damaged record from one the card wrote.
#include "card/card_state_file.h"

#include "card/state_directory.h"
#include "card/storage_failure.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zyvosim {
namespace {

constexpr off_t kRecordSize = sizeof(CardState);

// CRC-32 as zlib computes it; `crc` is the value so far, 0 to start.
uint32_t crc32(uint32_t crc, const uint8_t* bytes, size_t length) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t value = 0; value < 256; ++value) {
            uint32_t entry = value;
            for (int bit = 0; bit < 8; ++bit) {
                entry = (entry & 1u) != 0 ? 0xEDB88320u ^ (entry >> 1) : entry >> 1;
            }
            entries[value] = entry;
        }
        return entries;
    }();
    crc = ~crc;
    for (size_t at = 0; at < length; ++at) {
        crc = table[(crc ^ bytes[at]) & 0xFFu] ^ (crc >> 8);
    }
    return ~crc;
}

// What a CRC-32 over any bytes followed by their own CRC, low byte first, comes to.
constexpr uint32_t kCrcResidue = 0x2144DF1Cu;

// The record but its seal.
uint32_t crcOfRecord(const CardState& record) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
    constexpr size_t sealAt = offsetof(CardState, seal);
    constexpr size_t afterSeal = sealAt + sizeof record.seal;
    return crc32(crc32(0, bytes, sealAt), bytes + afterSeal, sizeof(CardState) - afterSeal);
}

// Reads up to `length` bytes from the start; gives the count, or -1 with errno set.
ssize_t readFrom(int descriptor, uint8_t* bytes, size_t length) {
    size_t done = 0;
    while (done < length) {
        ssize_t part = pread(descriptor, bytes + done, length - done, static_cast<off_t>(done));
        if (part < 0 && errno == EINTR) {
            continue;
        }
        if (part < 0) {
            return -1;
        }
        if (part == 0) {
            break;
        }
        done += static_cast<size_t>(part);
    }
    return static_cast<ssize_t>(done);
}

} // namespace

bool CardStateFile::open(const std::string& directory, unsigned index, bool& fresh,
                         std::string& problem) {
    mDirectory = directory;
    mIndex = index;
    mPath = cardFile(directory, "card-state", index);
    return reload(fresh, problem);
}

// One byte more than a record is asked for, so a longer file is told from one of the record's
// size. A file of another size reads as zero bytes.
bool CardStateFile::reload(bool& fresh, std::string& problem) {
    int descriptor = openCardFile(mDirectory, "card-state", mIndex, problem);
    if (descriptor < 0) {
        return false;
    }
    std::vector<uint8_t> bytes(sizeof(CardState) + 1);
    ssize_t length = readFrom(descriptor, bytes.data(), bytes.size());
    int error = errno;
    close(descriptor);
    if (length < 0) {
        problem = mPath + ": " + std::strerror(error);
        return false;
    }
    fresh = length != kRecordSize;
    if (fresh) {
        mRecord = CardState{};
    } else {
        std::memcpy(&mRecord, bytes.data(), sizeof(CardState));
    }
    mWritten = mRecord;
    fresh = fresh || mRecord.magic != kCardStateMagic || mRecord.version != kCardStateVersion;
    return true;
}

bool CardStateFile::save(std::string& problem) {
    if (std::memcmp(&mRecord, &mWritten, sizeof(CardState)) == 0) {
        return true;
    }
    uint32_t crc = crcOfRecord(mRecord);
    for (size_t at = 0; at < sizeof mRecord.seal; ++at) {
        mRecord.seal[at] = static_cast<uint8_t>(crc >> (8 * at));
    }
    if (!replaceCardFile(mDirectory, "card-state", mIndex, &mRecord, sizeof(CardState), problem)) {
        noteStorageFailure(problem);
        return false;
    }
    mWritten = mRecord;
    return true;
}

bool CardStateFile::save() {
    std::string problem;
    return save(problem);
}

// Record and seal are checked as one, their CRC against the residue, rather than by comparing
// the stored seal with one computed: a comparison would hand the state fuzzer the value to copy
// into place, and it would then run the widgets on bytes no card wrote.
bool CardStateFile::sealed() const {
    return crc32(crcOfRecord(mWritten), mWritten.seal, sizeof mWritten.seal) == kCrcResidue;
}

} // namespace zyvosim

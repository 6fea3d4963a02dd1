// Keeping the card state record in a file mapped MAP_SHARED, so what one process programs is
// there for the next one, and telling a damaged record from one the card wrote.
#include "card/card_state_file.h"

#include "card/state_directory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstddef>
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

// Every block of the record exists before it is mapped: a store into a hole of a file system
// that has filled up meanwhile would end the process with SIGBUS. Where the file system cannot
// reserve space, the record's own bytes written back over it allocate the blocks as well.
int reserveRecord(int descriptor) {
    int error = 0;
    do {
        error = posix_fallocate(descriptor, 0, kRecordSize);
    } while (error == EINTR);
    if (error != EOPNOTSUPP && error != ENOSYS) {
        return error;
    }
    std::vector<uint8_t> bytes(sizeof(CardState), 0);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t part =
            pread(descriptor, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (part < 0 && errno == EINTR) {
            continue;
        }
        if (part < 0) {
            return errno;
        }
        if (part == 0) {
            break; // the rest of a new file is zeros, as the vector is
        }
        done += static_cast<size_t>(part);
    }
    for (done = 0; done < bytes.size();) {
        ssize_t part =
            pwrite(descriptor, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (part < 0 && errno == EINTR) {
            continue;
        }
        if (part <= 0) {
            return part < 0 ? errno : ENOSPC;
        }
        done += static_cast<size_t>(part);
    }
    return 0;
}

} // namespace

CardStateFile::~CardStateFile() {
    if (mRecord != nullptr) {
        munmap(mRecord, sizeof(CardState));
    }
    if (mDescriptor >= 0) {
        close(mDescriptor);
    }
}

// A file of the wrong size is cut to nothing first, so the record starts as zero bytes.
bool CardStateFile::open(const std::string& directory, unsigned index, bool& fresh,
                         std::string& problem) {
    mPath = cardFile(directory, "card-state", index);
    mDescriptor = openCardFile(directory, "card-state", index, problem);
    if (mDescriptor < 0) {
        return false;
    }
    struct stat facts {};
    if (fstat(mDescriptor, &facts) != 0) {
        problem = mPath + ": " + std::strerror(errno);
        return false;
    }
    fresh = facts.st_size != kRecordSize;
    if (fresh && ftruncate(mDescriptor, 0) != 0) {
        problem = mPath + ": " + std::strerror(errno);
        return false;
    }
    if (int error = reserveRecord(mDescriptor)) {
        problem = mPath + ": " + std::strerror(error);
        return false;
    }
    void* mapping =
        mmap(nullptr, sizeof(CardState), PROT_READ | PROT_WRITE, MAP_SHARED, mDescriptor, 0);
    if (mapping == MAP_FAILED) {
        problem = mPath + ": " + std::strerror(errno);
        return false;
    }
    mRecord = static_cast<CardState*>(mapping);
    fresh = fresh || mRecord->magic != kCardStateMagic || mRecord->version != kCardStateVersion;
    return true;
}

void CardStateFile::seal() {
    uint32_t crc = crcOfRecord(*mRecord);
    for (size_t at = 0; at < sizeof mRecord->seal; ++at) {
        mRecord->seal[at] = static_cast<uint8_t>(crc >> (8 * at));
    }
}

// Record and seal are checked as one, their CRC against the residue, rather than by comparing
// the stored seal with one computed: a comparison would hand the state fuzzer the value to copy
// into place, and it would then run the widgets on bytes no card wrote.
bool CardStateFile::sealed() const {
    return crc32(crcOfRecord(*mRecord), mRecord->seal, sizeof mRecord->seal) == kCrcResidue;
}

} // namespace zyvosim

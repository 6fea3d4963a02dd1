// Device memory in a sparse file: pread and pwrite at 64-bit offsets, never one big mapping.
#include "card/device_memory.h"

#include "card/state_directory.h"
#include "card/storage_failure.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace zyvosim {

static_assert(sizeof(off_t) >= 8, "device memory offsets need a 64-bit off_t");

DeviceMemory::~DeviceMemory() {
    if (mDescriptor >= 0) {
        close(mDescriptor);
    }
}

bool DeviceMemory::open(const std::string& directory, unsigned index, std::string& problem) {
    mPath = cardFile(directory, "device-memory", index);
    mDescriptor = openCardFile(directory, "device-memory", index, problem);
    if (mDescriptor < 0) {
        return false;
    }
    struct stat facts {};
    if (fstat(mDescriptor, &facts) != 0 ||
        (facts.st_size != static_cast<off_t>(kSize) &&
         ftruncate(mDescriptor, static_cast<off_t>(kSize)) != 0)) {
        problem = mPath + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool DeviceMemory::failed(int error) const {
    noteStorageFailure(mPath, error);
    return false;
}

bool DeviceMemory::fits(uint32_t address, uint32_t length) {
    return static_cast<uint64_t>(address) + length <= kSize;
}

bool DeviceMemory::read(uint32_t address, uint8_t* bytes, uint32_t length) const {
    if (!fits(address, length) || (length > 0 && bytes == nullptr)) {
        return false;
    }
    off_t offset = address;
    while (length > 0) {
        ssize_t done = pread(mDescriptor, bytes, length, offset);
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done < 0) {
            return failed(errno);
        }
        if (done == 0) {
            // Past the end of a file someone shortened, or that a power cycle on a full disk
            // cut to nothing and could not lengthen again: memory that holds nothing.
            std::memset(bytes, 0, length);
            return true;
        }
        bytes += done;
        length -= static_cast<uint32_t>(done);
        offset += done;
    }
    return true;
}

bool DeviceMemory::write(uint32_t address, const uint8_t* bytes, uint32_t length) {
    if (!fits(address, length) || (length > 0 && bytes == nullptr)) {
        return false;
    }
    off_t offset = address;
    while (length > 0) {
        ssize_t done = pwrite(mDescriptor, bytes, length, offset);
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            // A write that takes nothing and says nothing: the disk has no room for it.
            return failed(done < 0 ? errno : ENOSPC);
        }
        bytes += done;
        length -= static_cast<uint32_t>(done);
        offset += done;
    }
    return true;
}

bool DeviceMemory::fill(uint32_t address, uint32_t length, uint8_t value) {
    if (!fits(address, length)) {
        return false;
    }
    std::vector<uint8_t> block(std::min<uint32_t>(length, 1u << 16), value);
    while (length > 0) {
        auto part = std::min<uint32_t>(length, static_cast<uint32_t>(block.size()));
        if (!write(address, block.data(), part)) {
            return false;
        }
        address += part;
        length -= part;
    }
    return true;
}

// Cutting the file to nothing and back gives its blocks back too; neither needs free space on a
// file system that keeps sparse files. Where the second fails, the short file still reads as
// zeros.
bool DeviceMemory::clear() {
    if (ftruncate(mDescriptor, 0) != 0 || ftruncate(mDescriptor, static_cast<off_t>(kSize)) != 0) {
        return failed(errno);
    }
    return true;
}

} // namespace zyvosim

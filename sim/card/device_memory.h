// The card's device memory: 1 GiB kept in a sparse file, read and written in place.
#pragma once

#include <cstdint>
#include <string>

namespace zyvosim {

// Addresses 0x00000000 to 0x3FFFFFFF. The memory is never mapped as a whole (a 32-bit host
// cannot map 1 GiB): every access is a pread or pwrite of the file, so the bytes are the same
// on every host, whatever its byte order. Memory never written reads as zero bytes. An access
// that does not fit inside the memory fails and touches nothing. An access the file refuses
// (a full disk, an I/O error) fails and is noted for takeStorageFailure().
class DeviceMemory {
public:
    static constexpr uint64_t kSize = 0x40000000u;

    DeviceMemory() = default;
    ~DeviceMemory();
    DeviceMemory(const DeviceMemory&) = delete;
    DeviceMemory& operator=(const DeviceMemory&) = delete;

    // Opens the memory file of device `index` in `directory` (openCardFile), creating it; a file
    // of another size is brought to 1 GiB. The file stays sparse: no space is reserved.
    bool open(const std::string& directory, unsigned index, std::string& problem);

    // True when `length` bytes from `address` lie inside the memory.
    static bool fits(uint32_t address, uint32_t length);

    bool read(uint32_t address, uint8_t* bytes, uint32_t length) const;
    bool write(uint32_t address, const uint8_t* bytes, uint32_t length);
    bool fill(uint32_t address, uint32_t length, uint8_t value);
    // Every byte back to zero, as after a power cycle.
    bool clear();

private:
    bool failed(int error) const;

    int mDescriptor = -1;
    std::string mPath;
};

} // namespace zyvosim

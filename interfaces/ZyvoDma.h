// The DMA engine between host memory and device memory, and the host buffers it writes.
#pragma once

#include "ZyvoDevice.h"

#include <cstdint>

class ZYVO_API ZyvoDmaIO : public ZyvoWidget {
public:
    ~ZyvoDmaIO() override;
    // Moves `length` bytes between `hostBuffer` and device memory at `deviceAddress`.
    // Above 0 on success.
    virtual int DoDma(int direction, unsigned char* hostBuffer, uint32_t deviceAddress,
                      uint32_t length, int wait, int channel, int flags, int timeout) = 0;
};

// A host buffer that the DMA engine can write into; released with the object.
class ZYVO_API ZyvoDmaBuffer {
public:
    ZyvoDmaBuffer();
    ~ZyvoDmaBuffer();
    ZyvoDmaBuffer(const ZyvoDmaBuffer&) = delete;
    ZyvoDmaBuffer& operator=(const ZyvoDmaBuffer&) = delete;

    // A buffer of `size` bytes, or null when none can be had.
    unsigned char* SetupAndGetBufferStart(unsigned int size);

private:
    unsigned char* mpBuffer;
    unsigned int mSize;
};

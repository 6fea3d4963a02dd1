// Host buffers for DMA: plain heap memory on the simulated bench.
#include "ZyvoDma.h"

#include <new>

ZyvoDmaBuffer::ZyvoDmaBuffer() : mpBuffer(nullptr), mSize(0) {}

ZyvoDmaBuffer::~ZyvoDmaBuffer() {
    delete[] mpBuffer;
}

// A new request replaces the previous buffer. The buffer starts zeroed so a transfer that
// never happens reads back as zeros, not as leftover heap.
unsigned char* ZyvoDmaBuffer::SetupAndGetBufferStart(unsigned int size) {
    delete[] mpBuffer;
    mpBuffer = nullptr;
    mSize = 0;
    if (size == 0)
        return nullptr;
    mpBuffer = new (std::nothrow) unsigned char[size]();
    if (mpBuffer != nullptr)
        mSize = size;
    return mpBuffer;
}

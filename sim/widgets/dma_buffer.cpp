// Host buffers for DMA: plain heap memory on the simulated bench.
#include "ZyvoDma.h"

#include "calls/sim_call.h"

#include <cstdlib>

ZyvoDmaBuffer::ZyvoDmaBuffer() : mpBuffer(nullptr), mSize(0) {}

ZyvoDmaBuffer::~ZyvoDmaBuffer() {
    std::free(mpBuffer);
}

// A new request replaces the previous buffer. The buffer starts zeroed so a transfer that
// never happens reads back as zeros, not as leftover heap; calloc gives a frame-sized buffer
// fresh zero pages without writing them. A bench can refuse the buffer, as a
// host out of DMA-able memory would: any status fault gives null. The buffer is a value object,
// so the call stays out of the trace.
unsigned char* ZyvoDmaBuffer::SetupAndGetBufferStart(unsigned int size) {
    zyvosim::SimCall call("DmaBuffer", -1, "SetupAndGetBufferStart");
    bool refused = call.injectedFault().has_value();
    std::free(mpBuffer);
    mpBuffer = nullptr;
    mSize = 0;
    if (refused || size == 0) {
        return nullptr;
    }
    mpBuffer = static_cast<unsigned char*>(std::calloc(size, 1));
    if (mpBuffer != nullptr) {
        mSize = size;
    }
    return mpBuffer;
}

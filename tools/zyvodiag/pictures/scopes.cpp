// Both scopes of a frame, its lines handed to the two counts one after the other.
#include "pictures/scopes.h"

#include "pictures/vectorscope.h"
#include "pictures/waveform.h"

namespace zyvodiag {

ScopePictures drawScopes(const DecodedFrame& frame) {
    WaveformCounts waveform(frame);
    VectorscopeCounts vectorscope(frame);
    for (unsigned y = 0; y < frame.height; ++y) {
        const Sample* line = &frame.samples[size_t(y) * frame.width];
        waveform.addLine(line);
        vectorscope.addLine(line);
    }
    return ScopePictures{waveform.draw(), vectorscope.draw()};
}

} // namespace zyvodiag

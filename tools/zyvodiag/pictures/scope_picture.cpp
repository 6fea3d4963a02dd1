// The brightness of a scope's trace.
#include "pictures/scope_picture.h"

#include <algorithm>
#include <cmath>

namespace zyvodiag {

TraceBrightness::TraceBrightness(uint32_t full) : mTable(size_t(std::max(full, 1u)) + 1, 255) {
    // The dimmest trace must still stand out from the black background and the graticule.
    const double dimmest = 72.0;
    mTable[0] = 0;
    const double top = std::log2(double(full) + 1);
    for (uint32_t count = 1; count < full; ++count) {
        const double share = std::log2(double(count) + 1) / top;
        mTable[count] = uint8_t(std::lround(dimmest + (255.0 - dimmest) * share));
    }
}

} // namespace zyvodiag

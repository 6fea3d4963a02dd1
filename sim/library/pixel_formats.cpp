// The pixel format table: names and memory layout of every pixel format the device stores.
#include "library/pixel_formats.h"

#include "library/format_lookup.h"

namespace zyvosim {

// 10-bit YCbCr 4:2:2 packs twelve 10-bit samples (six pixels) into four 32-bit words.
// 12-bit YCbCr 4:2:2 packs sixteen 12-bit samples (eight pixels) into six 32-bit words, the
// smallest group of 12-bit samples that fills whole words. Both RGB formats take one 32-bit
// word per pixel.
const std::vector<PixelFormatFacts>& pixelFormats() {
    static const std::vector<PixelFormatFacts> formats = {
        {ZYVO_PixelFormat_YCbCr10, "YCbCr 4:2:2 10-bit", 6, 16},
        {ZYVO_PixelFormat_YCbCr8, "YCbCr 4:2:2 8-bit", 2, 4},
        {ZYVO_PixelFormat_RGB8, "RGB 8-bit", 1, 4},
        {ZYVO_PixelFormat_RGB10, "RGB 10-bit", 1, 4},
        {ZYVO_PixelFormat_YCbCr12, "YCbCr 4:2:2 12-bit", 8, 24},
    };
    return formats;
}

const PixelFormatFacts* findPixelFormat(ZyvoPixelFormat format) {
    return findFormatFacts(pixelFormats(), format);
}

unsigned linePitch(const PixelFormatFacts& facts, unsigned width) {
    unsigned cadences = (width + facts.pixelsPerCadence - 1) / facts.pixelsPerCadence;
    return cadences * facts.bytesPerCadence;
}

} // namespace zyvosim

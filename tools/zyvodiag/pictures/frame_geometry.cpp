// Frame shapes from the device library's configuration objects, as the frame stores see them.
#include "pictures/frame_geometry.h"

#include <zyvodiag>

#include "ZyvoFrameBufferConfiguration.h"
#include "ZyvoVideoConfiguration.h"

namespace zyvodiag {

bool frameShapeOf(const FrameFormat& format, FrameShape& shape, size_t& frameSize,
                  std::string& error) {
    PixelLayout layout;
    if (!layoutOfPixelFormat(format.pixelFormat, layout)) {
        error = "pixel format " + std::to_string(format.pixelFormat) +
                " is not one a frame store keeps (1, 2, 4, 5 or 23)";
        return false;
    }
    ZyvoFrameBufferConfiguration configuration(format.videoFormat, format.pixelFormat);
    ZyvoVideoConfiguration video(format.videoFormat);
    unsigned size = 0, pitch = 0, lines = 0, width = 0;
    configuration.GetFrameBufferSize(size);
    configuration.GetLinePitch(pitch);
    configuration.GetLineCount(lines);
    if (video.GetPictureWidth(width) <= 0 || size == 0 || pitch == 0 || lines == 0) {
        error = "the device has no frame for video format " + std::to_string(format.videoFormat) +
                " in pixel format " + std::to_string(format.pixelFormat);
        return false;
    }
    shape = FrameShape{layout, width, lines, pitch};
    frameSize = size;
    return true;
}

std::string describe(const FrameFormat& format) {
    return std::string(ZyvoDiag::videoFormatNameString(format.videoFormat)) + " in " +
           ZyvoDiag::pixelNameString(format.pixelFormat);
}

FrameShape panelShape(unsigned pitch, unsigned lines) {
    return FrameShape{PixelLayout::PanelARGB8, pitch / 4, lines, pitch};
}

} // namespace zyvodiag

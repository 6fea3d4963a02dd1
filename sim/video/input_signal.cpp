// The signals arriving at the card's inputs, as the input widgets report them.
#include "video/input_signal.h"

#include "card/sim_board.h"
#include "library/video_formats.h"
#include "video/video_path.h"

namespace zyvosim {
namespace {

// The receiver measures a 4K raster and names it as the quad format the diagnostics capture
// with; an HD raster is its own name.
ZyvoVideoFormat quadFormatOf(ZyvoVideoFormat sent) {
    for (const VideoFormatFacts& facts : videoFormats()) {
        if (facts.quad && facts.hdmiFormat == sent) {
            return facts.format;
        }
    }
    return sent;
}

} // namespace

InputSignal signalAtSDIInput(SimBoard& board, unsigned index) {
    Picture picture = pictureAtSDIInput(board, index);
    return InputSignal{picture.present,
                       picture.present ? picture.format : ZYVO_VideoFormat_Unknown};
}

InputSignal signalAtHDMIInput(SimBoard& board) {
    if (!pictureAtHDMIInput(board).present) {
        return InputSignal{false, ZYVO_VideoFormat_Unknown};
    }
    auto sent = static_cast<ZyvoVideoFormat>(board.state().hdmiOutput.sourceConfig.format);
    return InputSignal{true, quadFormatOf(sent)};
}

} // namespace zyvosim

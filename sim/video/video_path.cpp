// Following a picture back through the crosspoint and the bench's cables to its playout store.
#include "video/video_path.h"

#include "card/sim_board.h"
#include "video/crosspoint.h"

namespace zyvosim {
namespace {

// Widgets can be routed into a loop (an output fed from the input it is cabled to); a loop
// carries nothing, and no real path is this long.
constexpr int kMostHops = 16;

// A store sends its frame while it is switched on, or while it is in display mode: the HDMI
// playback sets that mode and never switches its stores on.
bool plays(const FrameStoreState& store) {
    return store.configured &&
           (store.enable || store.videoMode == ZYVO_FrameBufferVideoMode_Display);
}

const Cable* cableInto(const Bench& bench, CableKind kind, unsigned input) {
    for (const Cable& cable : bench.cables) {
        if (cable.kind == kind && cable.input == input) {
            return &cable;
        }
    }
    return nullptr;
}

Picture follow(SimBoard& board, int32_t source, int hops);

Picture fromPlayoutStore(SimBoard& board, unsigned index, bool secondStream) {
    const FrameStoreState& store = board.state().playoutStore[index].store;
    if (!plays(store) || (secondStream && !store.twoSampleInterleave)) {
        return Picture{};
    }
    return Picture{true, static_cast<ZyvoVideoFormat>(store.config.format),
                   static_cast<int>(index)};
}

// The bench's own faults come first: a dark input sees nothing whatever is cabled to it, an
// input fed an odd raster sees that raster instead of the cable's.
Picture atSDIInput(SimBoard& board, unsigned index, int hops) {
    const Bench& bench = board.bench();
    if (bench.video.darkSDIInputs.count(index) != 0) {
        return Picture{};
    }
    if (bench.video.unknownFormatSDIInputs.count(index) != 0) {
        return Picture{true, ZYVO_VideoFormat_Unknown, -1};
    }
    const Cable* cable = cableInto(bench, CableKind::SDI, index);
    if (cable == nullptr) {
        return Picture{};
    }
    const SDIOutputState& output = board.state().sdiOutput[cable->output];
    if (!output.enable || output.mute) {
        return Picture{};
    }
    Picture picture = follow(board, output.source, hops);
    picture.sdiInputs |= 1u << index;
    return picture;
}

// The transmitter sends nothing until it has a configuration; its four inputs travel as the
// receiver's four streams.
Picture atHDMIStream(SimBoard& board, unsigned stream, int hops) {
    const HDMIOutputState& output = board.state().hdmiOutput;
    if (cableInto(board.bench(), CableKind::HDMI, 0) == nullptr || !output.configured) {
        return Picture{};
    }
    Picture picture = follow(board, output.videoSource[stream], hops);
    picture.hdmiInput = true;
    return picture;
}

Picture follow(SimBoard& board, int32_t source, int hops) {
    if (++hops > kMostHops) {
        return Picture{};
    }
    CrosspointSource from = decodeSource(source);
    CardState& state = board.state();
    switch (from.kind) {
    case SourceKind::SDIInput:
        return atSDIInput(board, from.index, hops);
    case SourceKind::DualLinkInput:
        return follow(board, state.dualLinkInput[from.index].source, hops);
    case SourceKind::DualLinkOutput:
        return follow(board, state.dualLinkOutput[from.index].source, hops);
    case SourceKind::PlayoutStore:
        return fromPlayoutStore(board, from.index, false);
    case SourceKind::PlayoutSecond:
        return fromPlayoutStore(board, from.index, true);
    case SourceKind::HDMIInputStream:
        return atHDMIStream(board, from.index, hops);
    case SourceKind::None:
        break;
    }
    return Picture{};
}

} // namespace

Picture pictureFromSource(SimBoard& board, int32_t source) {
    return follow(board, source, 0);
}

Picture pictureAtSDIInput(SimBoard& board, unsigned index) {
    return atSDIInput(board, index, 0);
}

Picture pictureAtHDMIInput(SimBoard& board) {
    return atHDMIStream(board, 0, 0);
}

// SetVideoSource and SetVideoSource1 both choose input 1 of a store; the later call holds.
Picture pictureAtCaptureStore(SimBoard& board, unsigned index) {
    const CaptureStoreState& capture = board.state().captureStore[index];
    if (capture.store.twoSampleInterleave) {
        Picture first = follow(board, capture.source1, 0);
        Picture second = follow(board, capture.source2, 0);
        if (!second.present) {
            return Picture{};
        }
        // Damage on either input reaches the one frame both write.
        first.sdiInputs |= second.sdiInputs;
        first.hdmiInput = first.hdmiInput || second.hdmiInput;
        return first;
    }
    return follow(board, capture.source1Selected ? capture.source1 : capture.source, 0);
}

} // namespace zyvosim

// How many widgets of each kind the diagnostic context holds, and where the frame stores keep
// their frames in device memory. The counts follow the context's own arrays.
#pragma once

#include <zyvodiag>

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace zyvodiag::engine {

template <typename Array> constexpr int kCountOf = static_cast<int>(std::extent_v<Array>);

constexpr int kSDIInputCount = kCountOf<decltype(ZyvoDiag::mpSDIInput)>;
constexpr int kDualLinkInputCount = kCountOf<decltype(ZyvoDiag::mpDualLinkInput)>;
constexpr int kCaptureStoreCount = kCountOf<decltype(ZyvoDiag::mpFBCapture)>;
constexpr int kPlayoutStoreCount = kCountOf<decltype(ZyvoDiag::mpFBPlayback)>;
constexpr int kSDIOutputCount = kCountOf<decltype(ZyvoDiag::mpSDIOutput)>;
constexpr int kDualLinkOutputCount = kCountOf<decltype(ZyvoDiag::mpDualLinkOutput)>;

// The video monitor: SDI output 10 (the one after the ten a user picks with -o) takes dual-link
// output 4, which takes playout store 0. Crosspoint sources are the device's numbers.
constexpr int kMonitorSDIOutput = 10;
constexpr int kMonitorDualLinkOutput = 4;
constexpr int32_t kMonitorDualLinkSource = 57;
constexpr int32_t kPlayoutStore0Source = 92;

// The front-panel LCD shows what playout store 5 holds.
constexpr int kPanelPlayoutStore = 5;

// Every capture store writes at 16 MiB, every playout store reads at 64 MiB.
constexpr uint32_t kCaptureBufferBase = 0x1000000;
constexpr uint32_t kPlayoutBufferBase = 0x4000000;

// The HDMI receiver needs this long after a reset before its registers mean anything.
constexpr unsigned int kHDMIReceiverSettleMicroseconds = 200000;

// The entry `index` of one of the context's widget arrays; null outside it.
template <typename Widget, size_t N> Widget* entryAt(Widget* (&widgets)[N], int index) {
    return index >= 0 && index < static_cast<int>(N) ? widgets[index] : nullptr;
}

} // namespace zyvodiag::engine

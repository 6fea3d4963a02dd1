// Routing through the crosspoint: the routing tables and the operations that apply them.
#include "device_layout.h"
#include "routing_tables.h"
#include "widget_access.h"

#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoSDIWidgets.h"

#include <cstdint>
#include <cstdio>

using namespace zyvodiag::engine;

namespace {

constexpr int kInputRows = 9;
constexpr int kOutputRows = 12;
constexpr int kPlayoutSourceCount = 4;

// Rows indexed by SDI input number (row 0 repeats row 1). Columns: SDI input, dual-link input,
// capture store, source of the dual-link input, source of the capture store.
const int32_t input_widget_setup[kInputRows][5] = {
    {0, 0, 0, 140, 41}, {0, 0, 0, 140, 41}, {1, 1, 1, 143, 42},
    {2, 2, 2, 146, 43}, {3, 3, 3, 149, 44}, {4, 0, 0, 76, 41},
    {5, 1, 1, 79, 42},  {6, 2, 2, 82, 43},  {7, 3, 3, 85, 44},
};

// Rows indexed by SDI output number (row 0 repeats row 1, row 11 is the video monitor).
// Columns: playout store, dual-link output, SDI output, source of the dual-link output, source
// of the SDI output.
const int32_t output_widget_setup[kOutputRows][5] = {
    {0, 0, 0, 92, 46},  {0, 0, 0, 92, 46}, {1, 1, 1, 99, 49}, {2, 2, 2, 101, 52},
    {3, 3, 3, 102, 55}, {0, 0, 4, 92, 46}, {1, 1, 5, 99, 49}, {2, 2, 6, 101, 52},
    {3, 3, 7, 102, 55}, {0, 0, 0, 92, 46}, {0, 0, 0, 92, 46}, {0, 4, 10, 92, 57},
};

// The crosspoint source of playout stores 0 to 3, given to the monitor's dual-link output.
const int32_t duallink_input[kPlayoutSourceCount] = {92, 99, 101, 102};

bool inRange(int value, int count) {
    return value >= 0 && value < count;
}

// The two crosspoint hops of a path, from columns 3 and 4 of its table row: the dual-link
// widget's source, then the source of the path's last widget, whose status is the result.
template <typename DualLink, typename Last, typename... Enable>
int connectPath(DualLink* dualLink, Last* last, const int32_t* row, Enable... enable) {
    if (dualLink != nullptr) {
        dualLink->SetVideoSource(static_cast<ZyvoVideoSource>(row[3]));
    }
    if (last == nullptr) {
        return 0;
    }
    return last->SetVideoSource(static_cast<ZyvoVideoSource>(row[4]), enable...);
}

} // namespace

namespace zyvodiag::engine {

int designateInputWidgets(int input, int& sdiInput, int& dualLinkInput, int& captureStore) {
    return designateRow(input_widget_setup, input, "designateInputWidgets", sdiInput, dualLinkInput,
                        captureStore);
}

int designateOutputWidgets(int output, int& playoutStore, int& dualLinkOutput, int& sdiOutput) {
    return designateRow(output_widget_setup, output, "designateOutputWidgets", playoutStore,
                        dualLinkOutput, sdiOutput);
}

} // namespace zyvodiag::engine

// A widget the device lacks (a null entry) is skipped; its call counts as a failure (status 0).
int ZyvoDiag::ConnectInputPath(int input, int /*sdiInput*/, int dualLinkInput, int captureStore) {
    if (!inRange(input, kInputRows) || !inRange(dualLinkInput, kDualLinkInputCount) ||
        !inRange(captureStore, kCaptureStoreCount)) {
        return 0;
    }
    return connectPath(mpDualLinkInput[dualLinkInput], mpFBCapture[captureStore],
                       input_widget_setup[input], true);
}

int ZyvoDiag::ConnectOutputPath(int output, int /*playoutStore*/, int dualLinkOutput,
                                int sdiOutput) {
    if (!inRange(output, kOutputRows) || !inRange(dualLinkOutput, kDualLinkOutputCount) ||
        !inRange(sdiOutput, kSDIOutputCount)) {
        return 0;
    }
    return connectPath(mpDualLinkOutput[dualLinkOutput], mpSDIOutput[sdiOutput],
                       output_widget_setup[output]);
}

int ZyvoDiag::VideoMonitorSDISet(int playoutStore) {
    // The monitor's dual-link output is asked of the device itself, not of the context.
    auto* monitor = zyvodiag::engine::getWidget<ZyvoDualLinkOutWidget>(
        mpDevice, ZYVO_WidgetType_DualLinkOutWidget, kMonitorDualLinkOutput);
    if (monitor == nullptr) {
        std::printf("%s() Could not GetWidget(ZYVO_WidgetType_DualLinkOutWidget, %d)\n",
                    "VideoMonitorSDISet", kMonitorDualLinkOutput);
        return 1;
    }
    if (inRange(playoutStore, kPlayoutSourceCount)) {
        monitor->SetVideoSource(static_cast<ZyvoVideoSource>(duallink_input[playoutStore]));
    }
    return 1;
}

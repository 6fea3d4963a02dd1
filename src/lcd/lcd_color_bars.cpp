// Colour bars or black on the front-panel LCD, fed by playout store 5 through SDI output 9.
#include "engine/widget_access.h"

#include "ZyvoDma.h"
#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoSDIWidgets.h"

#include <cstdio>
#include <memory>
#include <new>

using zyvodiag::engine::getWidget;

namespace {

constexpr int kLCDPlayoutStore = 5;
constexpr int kLCDSDIOutput = 9;
// The panel runs 720p at 59.94.
constexpr ZyvoVideoFormat kLCDFormat = ZYVO_VideoFormat_720p_5994;
constexpr uint32_t kLinePixels = 1280;
constexpr uint32_t kLineBytes = 4 * kLinePixels; // alpha, red, green, blue

// The bars left to right: their colour as red, green, blue, and their width in pixels (eight
// of 142 and a last one of 144 fill the line).
struct Bar {
    unsigned char red, green, blue;
    uint32_t width;
};
constexpr Bar kBars[] = {
    {105, 105, 105, 142}, {193, 193, 193, 142}, {193, 193, 0, 142},
    {0, 193, 193, 142},   {0, 193, 0, 142},     {193, 0, 193, 142},
    {193, 0, 0, 142},     {0, 0, 193, 142},     {105, 105, 105, 144},
};

constexpr uint32_t totalBarWidth() {
    uint32_t total = 0;
    for (const Bar& bar : kBars) {
        total += bar.width;
    }
    return total;
}
static_assert(totalBarWidth() == kLinePixels, "the bars fill the line exactly");

// The 1280 x 720 progressive raster of the panel.
void programPanelRaster(ZyvoFrameBufferPlayWidget* store) {
    store->SetLinePitch(kLineBytes);
    store->SetSamplesPerLine(2560);
    store->SetActiveLineCount(720);
    store->SetRasterParameterA(1, 26);
    store->SetRasterParameterB(1, 0);
    store->SetRasterParameterC(2560, 1650);
    store->SetRasterParameterD(0, 0);
    store->SetRasterParameterE(26, 745);
    store->SetRasterParameterF(0, 0);
    store->SetVideoMode(ZYVO_FrameBufferVideoMode_Display);
    store->SetRasterParameterG(2);
    store->SetRasterParameterH(1);
    store->SetRasterParameterI(4);
    store->SetRasterParameterJ(3);
    store->SetRegisterSync(ZYVO_RegisterSync_Immediate);
    store->SetTotalLineCount(750);
    store->SetRasterParameterK(1, 1500);
}

void drawLine(unsigned char* line, bool bars) {
    unsigned char* pixel = line;
    for (const Bar& bar : kBars) {
        for (uint32_t x = 0; x < bar.width; ++x, pixel += 4) {
            pixel[0] = 0xFF;
            pixel[1] = bars ? bar.red : 0;
            pixel[2] = bars ? bar.green : 0;
            pixel[3] = bars ? bar.blue : 0;
        }
    }
}

} // namespace

void ZyvoDiag::LCDWidgetsInit(ZyvoVideoFormat format, ZyvoPixelFormat pixelFormat) {
    mpFBPlayback[kLCDPlayoutStore] = playoutStoreInit(kLCDPlayoutStore, format, pixelFormat);
    mpSDIOutput[kLCDSDIOutput] = sdiOutputInit(kLCDSDIOutput, format);
    SDIOutputDisable(kLCDSDIOutput);
}

bool ZyvoDiag::lcdColorBarsEnable(bool enable) {
    if (ZyvoDiagUserCommands::msDebugOutput) {
        std::printf("\nlcdColorBarsEnable(%d)\n", enable ? 1 : 0);
    }
    // Without its store or its output the panel cannot be driven: the command stops there.
    auto* store = getWidget<ZyvoFrameBufferPlayWidget>(
        mpDevice, ZYVO_WidgetType_FrameBufferPlayWidget, kLCDPlayoutStore);
    if (store == nullptr) {
        return false;
    }
    programPanelRaster(store);
    auto* output =
        getWidget<ZyvoSDIOutputV2Widget>(mpDevice, ZYVO_WidgetType_SDIOutputWidget, kLCDSDIOutput);
    if (output == nullptr) {
        return false;
    }

    ZyvoVideoConfiguration configuration(kLCDFormat);
    SetDiagnosticVideoConfiguration(&configuration, kLCDFormat);
    output->SetConfiguration(&configuration, 0);
    output->SetEnable(true);
    output->Apply();

    uint32_t address = 0, bytesPerLine = 0, lines = 0;
    store->GetFrameBufferAddress(address);
    store->GetBytesPerLine(bytesPerLine);
    store->GetLineCount(lines);
    // A line must hold the drawn pixels; a store that reports less is not drawn into.
    if (bytesPerLine < kLineBytes) {
        return false;
    }
    const size_t size = static_cast<size_t>(bytesPerLine) * lines;
    // Owned, so that a device library that throws from the DMA does not leak the picture.
    std::unique_ptr<unsigned char[]> picture;
    try {
        picture = std::make_unique<unsigned char[]>(size);
    } catch (const std::bad_alloc&) {
        std::printf("%s could not get CPU memory\n", "lcdColorBarsEnable");
        return false;
    }
    for (uint32_t line = 0; line < lines; ++line) {
        drawLine(picture.get() + static_cast<size_t>(kLineBytes) * line, enable);
    }
    auto* dma = getWidget<ZyvoDmaIO>(mpDevice, ZYVO_WidgetType_DmaIO, 0);
    if (dma == nullptr) {
        std::printf("%s could not get DMA widget\n", "lcdColorBarsEnable");
    } else {
        dma->DoDma(ZYVO_DmaDirection_HostToDevice, picture.get(), address,
                   static_cast<uint32_t>(size), 1, 0, 0, 0);
    }
    return false;
}

bool ZyvoDiagUserCommands::lcdColorBarsDisplay(ZyvoDevice* device) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.LCDWidgetsInit(mVideoFormat, mPixelFormat);
    // -b chooses: frame buffer 0 shows black, any other number the bars.
    return diag.lcdColorBarsEnable(mFrameBuffer != 0);
}

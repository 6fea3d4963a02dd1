// Reading back and judging the front-panel picture.
#include "selftest/panel_readback.h"

#include "ZyvoDma.h"
#include "ZyvoFrameBufferWidgets.h"
#include "engine/device_layout.h"

#include <cstring>

namespace zyvodiag {
namespace {

// The LCD is fed by playout store 5; its picture is never larger than a 4K RGB frame.
constexpr int kPanelStore = engine::kPanelPlayoutStore;
constexpr uint64_t kLargestPicture = 4096ull * 2160 * 4;

template <typename Widget>
Widget* widgetOf(ZyvoDevice* device, ZyvoWidgetType type, unsigned index) {
    ZyvoWidget* widget = device->GetWidget(type, index);
    return widget == nullptr ? nullptr : dynamic_cast<Widget*>(widget);
}

} // namespace

bool readPanelPicture(ZyvoDevice* device, PanelPicture& picture, std::string& error) {
    auto* store = widgetOf<ZyvoFrameBufferPlayWidget>(device, ZYVO_WidgetType_FrameBufferPlayWidget,
                                                      kPanelStore);
    auto* dma = widgetOf<ZyvoDmaIO>(device, ZYVO_WidgetType_DmaIO, 0);
    if (store == nullptr || dma == nullptr) {
        error = store == nullptr ? "no playout store 5 to read the LCD picture from"
                                 : "no DMA engine to read the LCD picture with";
        return false;
    }
    uint32_t address = 0, pitch = 0, lines = 0;
    if (store->GetFrameBufferAddress(address) <= 0 || store->GetBytesPerLine(pitch) <= 0 ||
        store->GetLineCount(lines) <= 0) {
        error = "playout store 5 does not say where its frame is";
        return false;
    }
    const uint64_t size = uint64_t(pitch) * lines;
    if (size == 0 || size > kLargestPicture || pitch % 4 != 0) {
        error = "playout store 5 reports " + std::to_string(lines) + " lines of " +
                std::to_string(pitch) + " bytes, not a panel picture";
        return false;
    }
    ZyvoDmaBuffer buffer;
    unsigned char* host = buffer.SetupAndGetBufferStart(static_cast<unsigned>(size));
    if (host == nullptr) {
        error = "no host buffer for the LCD picture";
        return false;
    }
    const int status = dma->DoDma(ZYVO_DmaDirection_DeviceToHost, host, address,
                                  static_cast<uint32_t>(size), 1, 0, 0, 0);
    if (status <= 0) {
        error = "reading the LCD picture failed with DMA status " + std::to_string(status);
        return false;
    }
    picture.pitch = pitch;
    picture.lines = lines;
    picture.bytes.assign(host, host + size);
    return true;
}

bool showsColourBars(const PanelPicture& picture, unsigned bars, std::string& why) {
    const unsigned width = picture.pitch / 4;
    if (picture.lines == 0 || width == 0) {
        why = "the LCD picture is empty";
        return false;
    }
    const uint8_t* first = picture.bytes.data();
    for (unsigned line = 1; line < picture.lines; ++line) {
        if (std::memcmp(first, first + size_t(line) * picture.pitch, picture.pitch) != 0) {
            why = "line " + std::to_string(line) + " of the LCD picture differs from line 0";
            return false;
        }
    }
    unsigned bands = 0;
    for (unsigned x = 0; x < width; ++x) {
        const uint8_t* pixel = first + size_t(x) * 4;
        if (pixel[0] != 0xFF) {
            why = "pixel " + std::to_string(x) + " of the LCD picture is not opaque";
            return false;
        }
        if (x == 0 || std::memcmp(pixel, pixel - 4, 4) != 0) {
            ++bands;
        }
    }
    if (bands != bars) {
        why = "the LCD shows " + std::to_string(bands) + " vertical band" +
              (bands == 1 ? "" : "s") + ", not " + std::to_string(bars) + " colour bars";
        return false;
    }
    return true;
}

bool showsBlack(const PanelPicture& picture, std::string& why) {
    const std::vector<uint8_t>& bytes = picture.bytes;
    for (size_t at = 0; at + 4 <= bytes.size(); at += 4) {
        if (bytes[at] != 0xFF || bytes[at + 1] != 0 || bytes[at + 2] != 0 || bytes[at + 3] != 0) {
            why = "pixel " + std::to_string(at / 4 % (picture.pitch / 4)) + " of line " +
                  std::to_string(at / picture.pitch) + " of the LCD picture is not opaque black";
            return false;
        }
    }
    if (bytes.empty()) {
        why = "the LCD picture is empty";
        return false;
    }
    return true;
}

} // namespace zyvodiag

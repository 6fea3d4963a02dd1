// Whether an SDI input carries a signal the capture can use.
#include <zyvodiag>

#include "ZyvoSDIWidgets.h"

namespace {

constexpr int kSDIInputCount = 8;
constexpr int kUsable = 2;
constexpr int kNoValidInput = -19;
constexpr int kUnknownFormat = -1;
constexpr int kNoWidget = -2;

} // namespace

int ZyvoDiag::AcquireSDIInput(int sdiInput) {
    if (sdiInput < 0 || sdiInput >= kSDIInputCount || mpSDIInput[sdiInput] == nullptr) {
        return kNoWidget;
    }
    ZyvoVideoConfiguration arriving;
    int status = mpSDIInput[sdiInput]->GetInputConfiguration(&arriving);
    if (status <= 0) {
        return status;
    }
    // What arrives on the link: a valid signal at all, and then a format the device knows.
    ZyvoSDITransport link(arriving);
    if (!link.IsSignalValid()) {
        return kNoValidInput;
    }
    return link.IsFormatRecognised() ? kUsable : kUnknownFormat;
}

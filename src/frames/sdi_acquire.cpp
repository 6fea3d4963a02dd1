// Whether an SDI input carries a signal the capture can use.
#include "engine/device_layout.h"
#include "engine/status_codes.h"

#include "ZyvoSDIWidgets.h"

using namespace zyvodiag::status;

int ZyvoDiag::AcquireSDIInput(int sdiInput) {
    ZyvoSDIInputV2Widget* input = zyvodiag::engine::entryAt(mpSDIInput, sdiInput);
    if (input == nullptr) {
        return kNoWidget;
    }
    ZyvoVideoConfiguration arriving;
    int status = input->GetInputConfiguration(&arriving);
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

// The simulated card opened from a state file damaged in any way: raw bytes of any size, bytes
// of the record's size behind a good header, and a valid record with bytes changed. Whatever the
// file holds, the card opens, warns exactly when a record of its layout does not hold what the
// card sealed, and its widgets then run without a sanitizer report.
#include "zyvosim/card_state.h"
#include "zyvosim/zyvosim.h"

#include "ZyvoDevice.h"
#include "ZyvoDma.h"
#include "ZyvoFrameBufferConfiguration.h"
#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoHDMIWidgets.h"
#include "ZyvoSDIWidgets.h"
#include "ZyvoTimingWidgets.h"
#include "ZyvoVideoConfiguration.h"

#include <sanitizer/common_interface_defs.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz_support.h"

namespace {

constexpr auto kFormat = static_cast<ZyvoVideoFormat>(19);
constexpr auto kPixelFormat = static_cast<ZyvoPixelFormat>(2);
constexpr auto kSDIInput0 = static_cast<ZyvoVideoSource>(140);
constexpr auto kPlayoutStore0 = static_cast<ZyvoVideoSource>(92);
constexpr uint32_t kCaptureBase = 0x8000000;

std::string s_validRecord;

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string cardStatePath() {
    return zyvosim::stateDirectory() + "/card-state";
}

template <typename Widget> Widget* widget(ZyvoDevice* device, ZyvoWidgetType type) {
    Widget* found = dynamic_cast<Widget*>(device->GetWidget(type, 0));
    zyvofuzz::check(found != nullptr, "the card has its widgets");
    return found;
}

// Playout store 0 out on SDI output 0, cabled on the default bench to SDI input 0, which capture
// store 0 receives: mutations of the valid record start from a picture routed end to end.
void program(ZyvoDevice* device) {
    ZyvoFrameBufferConfiguration frames(kFormat, kPixelFormat);
    ZyvoVideoConfiguration video(kFormat);
    auto* playout =
        widget<ZyvoFrameBufferPlayWidget>(device, ZYVO_WidgetType_FrameBufferPlayWidget);
    auto* output = widget<ZyvoSDIOutputV2Widget>(device, ZYVO_WidgetType_SDIOutputWidget);
    auto* capture =
        widget<ZyvoFrameBufferCaptureWidget>(device, ZYVO_WidgetType_FrameBufferCaptureWidget);
    playout->SetFrameBufferConfiguration(&frames);
    playout->SetEnable(true);
    output->SetConfiguration(&video, 0);
    output->Apply();
    output->SetVideoSource(kPlayoutStore0);
    output->SetEnable(true);
    capture->SetFrameBufferConfiguration(&frames);
    capture->SetFrameBufferBaseAddress(kCaptureBase);
    capture->SetVideoSource(kSDIInput0, false);
    capture->SetEnable(true);
}

// What reads most of the record: an input following its path back to a playout store, capture
// stores writing their frames, the HDMI receiver, the LTC port and the sync generator.
void exercise(ZyvoDevice* device) {
    ZyvoVideoConfiguration arriving(kFormat);
    widget<ZyvoSDIInputV2Widget>(device, ZYVO_WidgetType_SDIInputWidget)
        ->GetInputConfiguration(&arriving);
    uint8_t bytes[16] = {};
    widget<ZyvoDmaIO>(device, ZYVO_WidgetType_DmaIO)
        ->DoDma(ZYVO_DmaDirection_DeviceToHost, bytes, kCaptureBase, sizeof bytes, 1, 0, 0, 0);
    widget<ZyvoFrameBufferCaptureWidget>(device, ZYVO_WidgetType_FrameBufferCaptureWidget)
        ->SetEnable(false);
    bool present = false;
    ZyvoVideoFormat format = kFormat;
    widget<ZyvoHDMIInV4Widget>(device, ZYVO_WidgetType_HDMIInV4Widget)
        ->GetInputSignal(present, format);
    uint32_t low = 0, high = 0;
    widget<ZyvoLTCIOWidget>(device, ZYVO_WidgetType_LTCIOWidget)->GetInputTimeCode(low, high);
    widget<ZyvoSyncGeneratorV3Widget>(device, ZYVO_WidgetType_SyncGeneratorWidget)
        ->GetReferenceInputFormat(format);
}

// The card's standard error, caught in a file while it opens; a sanitizer report still goes to
// the real one.
class CaughtStandardError {
public:
    CaughtStandardError() : mPath(zyvofuzz::scratchDirectory() + "/stderr"), mSaved(dup(2)) {
        int file = open(mPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        zyvofuzz::check(mSaved >= 0 && file >= 0 && dup2(file, 2) == 2, "standard error caught");
        close(file);
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(mSaved)));
    }
    ~CaughtStandardError() { release(); }
    std::string text() {
        release();
        return readFile(mPath);
    }

private:
    void release() {
        if (mSaved >= 0) {
            dup2(mSaved, 2);
            close(mSaved);
            mSaved = -1;
            __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(2)));
        }
    }
    std::string mPath;
    int mSaved;
};

// The first byte picks how the rest damages the state file.
std::string damagedRecord(const uint8_t* data, size_t size) {
    const size_t recordSize = sizeof(zyvosim::CardState);
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 3) {
    case 0: // any bytes, any size
        return bytes;
    case 1: { // the record's size behind a good header: only the seal can tell
        bytes.resize(recordSize, '\0');
        const uint32_t header[2] = {zyvosim::kCardStateMagic, zyvosim::kCardStateVersion};
        bytes.replace(0, sizeof header, reinterpret_cast<const char*>(header), sizeof header);
        return bytes;
    }
    default: { // the valid record, a byte set at each two-byte offset
        std::string record = s_validRecord;
        for (size_t at = 0; at + 3 <= bytes.size(); at += 3) {
            size_t offset =
                (static_cast<uint8_t>(bytes[at]) << 8 | static_cast<uint8_t>(bytes[at + 1]));
            record[offset % recordSize] = bytes[at + 2];
        }
        return record;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zyvofuzz::silenceStandardOutput();
    setenv("ZYVO_SIM_STATE", "private", 1);
    zyvosim::setClockMode(zyvosim::ClockMode::Virtual);
    ZyvoDeviceFactory factory;
    ZyvoDevice* device = nullptr;
    factory.FindLocalDevices();
    zyvofuzz::check(factory.CreateLocalDevice(0, device) > 0, "a new card opens");
    program(device);
    factory.ReleaseDevice(device);
    s_validRecord = readFile(cardStatePath());
    zyvofuzz::check(s_validRecord.size() == sizeof(zyvosim::CardState),
                    "the card wrote its record");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    std::string record = damagedRecord(data, size);
    // The private directory's card files go: the card opens from what is written here.
    zyvosim::reset();
    zyvofuzz::check(zyvofuzz::writeFile(cardStatePath(), record), "the state file is written");

    ZyvoDeviceFactory factory;
    ZyvoDevice* device = nullptr;
    factory.FindLocalDevices();
    std::string warning;
    {
        CaughtStandardError caught;
        zyvofuzz::check(factory.CreateLocalDevice(0, device) > 0,
                        "the card opens whatever its state file holds");
        warning = caught.text();
    }
    const uint32_t header[2] = {zyvosim::kCardStateMagic, zyvosim::kCardStateVersion};
    bool ofTheLayout = record.size() == sizeof(zyvosim::CardState) &&
                       std::memcmp(record.data(), header, sizeof header) == 0;
    zyvofuzz::check(warning.empty() == (!ofTheLayout || record == s_validRecord),
                    "a record of the layout warns exactly when it is not the one sealed");
    // A frame time and more, so capture stores that are on write their frames.
    zyvosim::sleepMicroseconds(100000);
    exercise(device);
    factory.ReleaseDevice(device);
    return 0;
}

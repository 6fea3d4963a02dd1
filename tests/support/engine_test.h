// The bench of the engine tests: a simulated device opened the way a host opens it, a context
// on it, and readers for the trace and the context's widget entries.
#pragma once

#include "captured.h"
#include "zyvosim/card_state.h"
#include "zyvosim/zyvosim.h"

#include <zyvodiag>

#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoHDMIWidgets.h"
#include "ZyvoSDIWidgets.h"
#include "ZyvoTimingWidgets.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace enginetest {

using Lines = std::vector<std::string>;

// The raster and pixel format a command's set-up runs on unless told otherwise.
constexpr auto k1080i = ZYVO_VideoFormat_1080i_2997;
constexpr auto kYCbCr8 = ZYVO_PixelFormat_YCbCr8;

// Every traced call as "Target[index].Operation(arguments)", without its status, in order; only
// the calls on the targets named, when any are.
Lines calls(std::initializer_list<std::string> targets = {});
// The same without the arguments: "Target[index].Operation".
Lines operations(std::initializer_list<std::string> targets = {}, bool withArguments = false);
// The calls on `target` whose text holds `fragment`, in order.
Lines callsMatching(const std::string& target, const std::string& fragment);
// "device.GetWidget(type, index)" for each index from first to last, or for first alone.
Lines getWidgetCalls(ZyvoWidgetType type, int first, int last = -1);
// `lines` followed by `more`.
Lines operator+(Lines lines, const Lines& more);

// The context's widget entries that are null: "mpLTC", "mpSDIOutput[10]".
Lines nullEntries(ZyvoDiag& diag);
// The members with an entry that still holds `marker`: "mpLTC", "mpFBPlayback".
Lines membersHolding(ZyvoDiag& diag, const void* marker);
// Puts `value` into every widget entry, so a test sees which entries a set-up writes.
void fillEntries(ZyvoDiag& diag, void* value);

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the device on the default bench plus `benchLines` (directives separated by line ends
    // or ';') on a fresh card, closing any device opened before, and gives it to the context,
    // whose entries all start null. The trace starts empty after this.
    void openDevice(const std::string& benchLines = "");
    // The same, then the context filled by WidgetsInit as a command does (1080i 29.97, 8-bit
    // unless told otherwise), and the trace emptied again.
    void setUpCommand(const std::string& benchLines = "", ZyvoPixelFormat pixelFormat = kYCbCr8);
    static void verbose(bool on) { ZyvoDiagUserCommands::msDebugOutput = on; }
    static const zyvosim::CardState& card() { return zyvosim::cardState(); }
    // What the device itself hands out (this call is traced too).
    template <typename Widget> Widget* deviceWidget(ZyvoWidgetType type, unsigned index) {
        return dynamic_cast<Widget*>(mDevice.mpDevice->GetWidget(type, index));
    }

    ZyvoDiagDevice mDevice;
    ZyvoDiag diag;

private:
    bool mSavedDebugOutput = false;
};

} // namespace enginetest

// The interrupt controls: the diagnostics find and arm the pair the sync generator names.
#include "card_fixture.h"

#include "ZyvoTimingWidgets.h"

#include <zyvodiag>

#include <string>
#include <vector>

namespace {

class InterruptControlTest : public CardTest {
protected:
    static std::vector<std::string> controlCalls() {
        std::vector<std::string> calls;
        for (const auto& entry : zyvosim::trace()) {
            if (entry.target == "InterruptControl")
                calls.push_back(zyvosim::formatTraceEntry(entry));
        }
        return calls;
    }
};

TEST_F(InterruptControlTest, diagnosticsArmThePairAtTheIndexTheGeneratorReports) {
    useBench("interrupt-index 3\n");
    ZyvoDiag diag;
    diag.mpDevice = &device();
    diag.syncGenInit(ZYVO_VideoFormat_1080i_2997, ZYVO_SyncGeneratorReferenceSource_FreeRun,
                     ZYVO_PixelFormat_YCbCr10);
    const std::string config =
        "SetConfiguration(video{fmt=19,smp=2,cs=2,cr=1,ar=2,bd=2,ch=1}, transport{fmt=19}, 1)";
    EXPECT_EQ(controlCalls(), (std::vector<std::string>{
                                  "InterruptControl[3].SetInterruptEnable(false) -> 1",
                                  "InterruptControl[4].SetInterruptEnable(false) -> 1",
                                  "InterruptControl[3]." + config + " -> 1",
                                  "InterruptControl[3].SetSyncSource(0) -> 1",
                                  "InterruptControl[3].SetInterruptEnable(true) -> 1",
                                  "InterruptControl[4]." + config + " -> 1",
                                  "InterruptControl[4].SetSyncSource(0) -> 1",
                                  "InterruptControl[4].SetInterruptEnable(true) -> 1",
                              }));
}

} // namespace

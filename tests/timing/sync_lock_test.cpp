// The sync generator's lock test: how long it waits for the external reference, what it
// reports, and a device without a generator.
#include "engine_test.h"

#include <algorithm>

namespace enginetest {
namespace {

constexpr const char* kOpening =
    "\nSyncGen Lock Test \n\tRef Source : Ext Ref In\n\tUser Video Format (19) 1080i 29.97\n";

class SyncLockTest : public EngineTest {
protected:
    zyvotest::Outcome<int> lockTest(ZyvoDiagUserCommands& record) {
        return zyvotest::captured([&] { return record.captureSyncGenLock(mDevice.mpDevice); });
    }
};

// The test polls the reference every tenth of a second for four seconds at most; with -D it
// reports after the opening lines, without it only a missing generator.
TEST_F(SyncLockTest, pollsTheReferenceEveryTenthOfASecondForFourSecondsAtMost) {
    const struct {
        const char* bench;
        int locked;         // what captureSyncGenLock returns
        long formatQueries; // GetReferenceInputFormat calls: the polls and the final look
        uint64_t waitedMs;
        const char* report;      // with -D, after the opening lines
        const char* quietReport; // without
    } cases[] = {
        {"", 1, 2, 100,
         "Is locked to ref source : Ext Ref In\n\tRef Locked Format (19) 1080i 29.97\n", ""},
        {"reference format 16 lock-after-polls 40", 1, 41, 4000,
         "Is locked to ref source : Ext Ref In\n\tRef Locked Format (16) 720p 59.94\n", ""},
        // The look after the wait is the 41st poll, which finds the lock too late.
        {"reference format 19 lock-after-polls 41", 0, 41, 4000,
         "\ncannot lock\n\tReference Input Format on Ext Ref In is 19(1080i 29.97)\n", ""},
        // Only a status of exactly 2 is an answer; anything else ends the wait at once.
        {"fault SyncGenerator.GetReferenceInputFormat 1", 0, 2, 0,
         "\ncannot lock\n\tGetReferenceInputFormat() returns failure\n", ""},
        {"missing SyncGenerator 0", 0, 0, 0, "syncGenLockTest() could not get syncgen widget\n",
         "syncGenLockTest() could not get syncgen widget\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bench);
        openDevice(c.bench);
        ZyvoDiagUserCommands record;
        verbose(true);
        auto printed = lockTest(record);
        EXPECT_EQ(printed.result, c.locked);
        EXPECT_EQ(printed.out, std::string(kOpening) + c.report);
        EXPECT_EQ(printed.err, "");
        Lines queries = operations({"SyncGenerator"});
        EXPECT_EQ(
            std::count(queries.begin(), queries.end(), "SyncGenerator[0].GetReferenceInputFormat"),
            c.formatQueries);
        EXPECT_EQ(zyvosim::nowMicroseconds(), c.waitedMs * 1000);
        if (c.formatQueries > 0) { // free run from the set-up first, then the external reference
            EXPECT_EQ(callsMatching("SyncGenerator", "SetReferenceSource"),
                      (Lines{"SyncGenerator[0].SetReferenceSource(2)",
                             "SyncGenerator[0].SetReferenceSource(1)"}));
        }
        verbose(false);
        printed = lockTest(record);
        EXPECT_EQ(printed.result, c.locked);
        EXPECT_EQ(printed.out, c.quietReport);
    }
}

TEST_F(SyncLockTest, aSourceTheTableDoesNotNameIsShownAsUnknown) {
    setUpCommand();
    verbose(true);
    auto printed = zyvotest::captured([&] {
        return diag.syncGenLockTest(k1080i, static_cast<ZyvoSyncGeneratorReferenceSource>(12));
    });
    EXPECT_FALSE(printed.result);
    // The generator refuses the source and stays in free run, with nothing to lock to.
    EXPECT_EQ(printed.out, "\nSyncGen Lock Test \n\tRef Source : Unknown\n\tUser Video Format "
                           "(19) 1080i 29.97\n\ncannot lock\n\tReference Input Format on Free "
                           "Run is 0()\n");
}

} // namespace
} // namespace enginetest

// The sync generator's lock test: how long it waits for the external reference, what it
// reports, and a device without a generator.
#include "engine_test.h"

#include <algorithm>

namespace enginetest {
namespace {

constexpr const char* kOpening =
    "\nSyncGen Lock Test \n\tRef Source : Ext Ref In\n\tUser Video Format (19) 1080i 29.97\n";

struct LockCase {
    const char* name;
    const char* bench;
    int locked;         // what captureSyncGenLock returns
    long formatQueries; // GetReferenceInputFormat calls: the polls and the final look
    uint64_t waitedMs;
    const char* report;      // with -D, after the opening lines
    const char* quietReport; // without
    friend void PrintTo(const LockCase& c, std::ostream* os) { *os << c.name; }
};

class SyncLockTest : public EngineTest {
protected:
    zyvotest::Outcome<int> lockTest(ZyvoDiagUserCommands& record) {
        return zyvotest::captured([&] { return record.captureSyncGenLock(mDevice.mpDevice); });
    }
};

class SyncLockCaseTest : public SyncLockTest, public ::testing::WithParamInterface<LockCase> {};

TEST_P(SyncLockCaseTest, pollsTheReferenceEveryTenthOfASecondForFourSecondsAtMost) {
    const LockCase& c = GetParam();
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

    verbose(false);
    printed = lockTest(record);
    EXPECT_EQ(printed.result, c.locked);
    EXPECT_EQ(printed.out, c.quietReport);
}

INSTANTIATE_TEST_SUITE_P(
    References, SyncLockCaseTest,
    ::testing::Values(
        LockCase{"atTheFirstPoll", "", 1, 2, 100,
                 "Is locked to ref source : Ext Ref In\n\tRef Locked Format (19) 1080i 29.97\n",
                 ""},
        LockCase{"atTheFortiethPoll", "reference format 16 lock-after-polls 40", 1, 41, 4000,
                 "Is locked to ref source : Ext Ref In\n\tRef Locked Format (16) 720p 59.94\n", ""},
        // The look after the wait is the 41st poll, which finds the lock too late.
        LockCase{"atTheFortyFirstPoll", "reference format 19 lock-after-polls 41", 0, 41, 4000,
                 "\ncannot lock\n\tReference Input Format on Ext Ref In is 19(1080i 29.97)\n", ""},
        // Only a status of exactly 2 is an answer; anything else ends the wait at once.
        LockCase{"pollFails", "fault SyncGenerator.GetReferenceInputFormat 1", 0, 2, 0,
                 "\ncannot lock\n\tGetReferenceInputFormat() returns failure\n", ""},
        LockCase{"noGenerator", "missing SyncGenerator 0", 0, 0, 0,
                 "syncGenLockTest() could not get syncgen widget\n",
                 "syncGenLockTest() could not get syncgen widget\n"}));

TEST_F(SyncLockTest, pointsTheGeneratorAtTheExternalReference) {
    openDevice();
    ZyvoDiagUserCommands record;
    record.captureSyncGenLock(mDevice.mpDevice);
    EXPECT_EQ(card().syncGenerator.referenceSource, ZYVO_SyncGeneratorReferenceSource_ExtRefIn);
    // Free run from the set-up first, then the reference under test.
    EXPECT_EQ(callsMatching("SyncGenerator", "ReferenceSource"),
              (Lines{"SyncGenerator[0].SetReferenceSource(2)",
                     "SyncGenerator[0].SetReferenceSource(1)"}));
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

// The sync generator: when it locks to the reference, and what it reports before.
#include "card_fixture.h"

#include "ZyvoTimingWidgets.h"

namespace {

constexpr auto cExternal = ZYVO_SyncGeneratorReferenceSource_ExtRefIn;

class SyncGeneratorTest : public CardTest {
protected:
    ZyvoSyncGeneratorV3Widget* generator() {
        return widget<ZyvoSyncGeneratorV3Widget>(ZYVO_WidgetType_SyncGeneratorWidget);
    }

    // The poll (1 for the first) at which the generator first reports a format, polled as the
    // lock test polls it; 0 when it reports none in `polls` polls.
    int lockingPoll(int polls = 40) {
        for (int poll = 1; poll <= polls; ++poll) {
            ZyvoVideoFormat format = ZYVO_VideoFormat_Unknown;
            EXPECT_EQ(generator()->GetReferenceInputFormat(format), 2);
            if (format != ZYVO_VideoFormat_Unknown)
                return poll;
        }
        return 0;
    }
};

// When a healthy reference locks, and a reference that never does, are the lock test's business.
TEST_F(SyncGeneratorTest, staysLockedToTheReferenceFormatUntilTheSourceIsChosenAgain) {
    useBench("reference format 33 lock-after-polls 3\n");
    generator()->SetReferenceSource(cExternal);
    EXPECT_EQ(lockingPoll(), 3);
    EXPECT_EQ(lockingPoll(), 1);
    EXPECT_EQ(lastCall(), "SyncGenerator[0].GetReferenceInputFormat(33) -> 2");
    generator()->SetReferenceSource(cExternal);
    EXPECT_EQ(lockingPoll(), 3);
}

TEST_F(SyncGeneratorTest, freeRunAndOtherSourcesHaveNothingToLockTo) {
    useBench("reference format 19\n");
    EXPECT_EQ(lockingPoll(), 0) << "powers on in free run";
    generator()->SetReferenceSource(ZYVO_SyncGeneratorReferenceSource_SDIInput1);
    EXPECT_EQ(lockingPoll(), 0);
}

TEST_F(SyncGeneratorTest, pollThatFailsDoesNotCountTowardsTheLock) {
    useBench("reference format 19 lock-after-polls 2\n"
             "fault SyncGenerator.GetReferenceInputFormat -1 once\n");
    generator()->SetReferenceSource(cExternal);
    ZyvoVideoFormat format = ZYVO_VideoFormat_720p_50;
    EXPECT_EQ(generator()->GetReferenceInputFormat(format), -1);
    EXPECT_EQ(format, ZYVO_VideoFormat_720p_50);
    EXPECT_EQ(lockingPoll(), 2);
}

} // namespace

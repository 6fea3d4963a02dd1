// The card in its state directory: what survives a release, a new bench and another process,
// what a power cycle clears, and how the lock keeps a second process off a held device.
#include "state_dir_fixture.h"

#include "captured.h"

#include "ZyvoDma.h"
#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoSDIWidgets.h"
#include "zyvosim/card_state.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <sys/file.h>

#include <csignal>
#include <cstddef>
#include <functional>
#include <vector>

namespace {

constexpr auto kPlayoutStore0 = static_cast<ZyvoVideoSource>(92);
constexpr uint32_t kPlayoutMemory = 0x4000000;
const std::vector<uint8_t> kFrameBytes = {0xFF, 0xFF, 0xFF, 0x3F, 0x00, 0xFC, 0x0F, 0x00};

// What one command of the tool would leave behind: SDI output 3 playing playout store 0, and
// a few bytes of a frame in playout memory.
int programTheCard() {
    ZyvoDeviceFactory factory;
    ZyvoDevice* device = nullptr;
    factory.FindLocalDevices();
    if (factory.CreateLocalDevice(0, device) <= 0) {
        return 1;
    }
    auto* output =
        dynamic_cast<ZyvoSDIOutputV2Widget*>(device->GetWidget(ZYVO_WidgetType_SDIOutputWidget, 3));
    auto* dma = dynamic_cast<ZyvoDmaIO*>(device->GetWidget(ZYVO_WidgetType_DmaIO, 0));
    std::vector<uint8_t> frame = kFrameBytes;
    bool done = output != nullptr && dma != nullptr && output->SetVideoSource(kPlayoutStore0) > 0 &&
                output->SetEnable(true) > 0 &&
                dma->DoDma(1, frame.data(), kPlayoutMemory, 8, 1, 0, 0, 0) > 0;
    factory.ReleaseDevice(device);
    return done ? 0 : 2;
}

std::vector<uint8_t> playoutMemory() {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(zyvosim::readDeviceMemory(kPlayoutMemory, 8, bytes));
    return bytes;
}

// The card as programTheCard() left it, or as it powers on.
void expectProgrammed(bool programmed = true) {
    EXPECT_EQ(zyvosim::cardState().sdiOutput[3].source,
              programmed ? kPlayoutStore0 : ZYVO_VideoSource_None);
    EXPECT_EQ(zyvosim::cardState().sdiOutput[3].enable, programmed);
    EXPECT_EQ(playoutMemory(), programmed ? kFrameBytes : std::vector<uint8_t>(8, 0));
}

using CardPersistenceTest = StateDirTest;

// What one process programs the next finds, and a new bench on the same directory keeps it; a
// power cycle clears state and memory.
TEST_F(CardPersistenceTest, stateSurvivesAnotherProcessAndANewBenchButNotAPowerCycle) {
    useStateDirectory();
    ASSERT_EQ(inOtherProcess(programTheCard), 0);
    expectProgrammed();
    useStateDirectory("devices 1\n");
    expectProgrammed();
    EXPECT_EQ(zyvosim::stateDirectory(), directory());
    EXPECT_TRUE(zyvosim::powerCycle());
    expectProgrammed(false);
}

// A record damaged from outside, its header intact, is not trusted: the card powers on afresh
// and says so. An intact one opens without a word.
TEST_F(CardPersistenceTest, damagedStatePowersOnAfreshWithAWarning) {
    const size_t outputEnable = offsetof(zyvosim::CardState, sdiOutput) +
                                3 * sizeof(zyvosim::SDIOutputState) +
                                offsetof(zyvosim::SDIOutputState, enable);
    const size_t body = offsetof(zyvosim::CardState, seal);
    const struct {
        size_t at;
        size_t length;
        char byte;
    } damages[] = {
        {0, 0, 0},                                         // none
        {outputEnable, 1, 0x5A},                           // a bool no card writes
        {body, sizeof(zyvosim::CardState) - body, '\xFF'}, // everything but the header
    };
    const std::string path = directory() + "/card-state";
    for (const auto& damage : damages) {
        useStateDirectory();
        ASSERT_EQ(inOtherProcess(programTheCard), 0);
        std::string bad(damage.length, damage.byte);
        int file = open(path.c_str(), O_WRONLY);
        ASSERT_EQ(pwrite(file, bad.data(), bad.size(), static_cast<off_t>(damage.at)),
                  static_cast<ssize_t>(bad.size()));
        close(file);
        useStateDirectory();
        const auto created = createDevice();
        EXPECT_EQ(created.result, 1);
        const bool intact = damage.length == 0;
        const std::string warning =
            "zyvosim: " + path + " is damaged; the simulated card powers on afresh\n";
        EXPECT_EQ(created.err, intact ? "" : warning);
        expectProgrammed(intact);
    }
}

// The file holds a whole record at every moment: a process killed at any point keeps what its
// last call programmed. Here the kill comes just after a capture store was switched on, whose
// switch-on time the store notes once its call has ended.
TEST_F(CardPersistenceTest, aProcessKilledBetweenCallsLeavesTheCardWhole) {
    useStateDirectory();
    ASSERT_EQ(inOtherProcess(programTheCard), 0);
    EXPECT_EQ(inOtherProcess([] {
                  ZyvoDeviceFactory factory;
                  ZyvoDevice* device = nullptr;
                  factory.FindLocalDevices();
                  factory.CreateLocalDevice(0, device);
                  zyvosim::sleepMicroseconds(40000);
                  auto* capture = dynamic_cast<ZyvoFrameBufferCaptureWidget*>(
                      device->GetWidget(ZYVO_WidgetType_FrameBufferCaptureWidget, 1));
                  capture->SetEnable(true);
                  raise(SIGKILL);
                  return 0;
              }),
              -1);
    const auto created = createDevice();
    EXPECT_EQ(created.err, "");
    expectProgrammed();
    EXPECT_TRUE(zyvosim::cardState().captureStore[1].store.enable);
}

// Whatever a writer killed before its rename, or anyone else, left at the record's temporary name
// is replaced, never written through; the record itself is never a mixture of the two.
TEST_F(CardPersistenceTest, whateverLiesAtTheTemporaryNameIsReplaced) {
    const std::string victim = zyvotest::scratchPath("victim");
    const std::string leftover = zyvotest::scratchPath("card-state.new");
    const std::function<void()> plants[] = {
        [&] { zyvotest::scratchFile("card-state.new", std::string(50, 'x')); },
        [&] { ASSERT_EQ(symlink(victim.c_str(), leftover.c_str()), 0); },
        [&] { ASSERT_EQ(mkfifo(leftover.c_str(), 0600), 0); },
    };
    for (const auto& plant : plants) {
        useStateDirectory();
        ASSERT_TRUE(zyvosim::powerCycle());
        zyvotest::scratchFile("victim", "precious");
        plant();
        ASSERT_EQ(inOtherProcess(programTheCard), 0);
        EXPECT_EQ(createDevice().err, "");
        expectProgrammed();
        EXPECT_EQ(zyvotest::fileText(victim), "precious");
        EXPECT_EQ(access(leftover.c_str(), F_OK), -1);
    }
}

// A second process is refused the device for as long as the first holds it, and may have it
// once the first has released it.
class DeviceLockTest : public StateDirTest {
protected:
    void TearDown() override {
        letTheHolderGo();
        StateDirTest::TearDown();
    }

    // Forks a process that takes the card with `take` and holds it until letTheHolderGo().
    void holdInOtherProcess(const std::function<bool()>& take) {
        ASSERT_EQ(pipe(mReady), 0);
        ASSERT_EQ(pipe(mRelease), 0);
        mHolder = fork();
        if (mHolder == 0) {
            const char held = take() ? 'y' : 'n';
            char go = 0;
            _exit(write(mReady[1], &held, 1) == 1 && read(mRelease[0], &go, 1) == 1 ? 0 : 2);
        }
        char held = 0;
        ASSERT_EQ(read(mReady[0], &held, 1), 1);
        ASSERT_EQ(held, 'y');
    }

    void letTheHolderGo() {
        if (mHolder <= 0) {
            return;
        }
        char go = 'g';
        EXPECT_EQ(write(mRelease[1], &go, 1), 1);
        int status = 0;
        waitpid(mHolder, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        for (int end : {mReady[0], mReady[1], mRelease[0], mRelease[1]}) {
            close(end);
        }
        mHolder = 0;
    }

    std::string refusal(unsigned device = 0) const {
        const std::string number = device > 0 ? std::to_string(device) + " " : "";
        return "zyvosim: the simulated device " + number + "in " + directory() +
               " is in use by process " + std::to_string(mHolder) + "\n";
    }

    pid_t mHolder = 0;
    int mReady[2] = {-1, -1};
    int mRelease[2] = {-1, -1};
};

// Neither a device handle nor a power cycle while another process holds the card, whether by a
// handle or by a hold that outlives the handles it opens and releases; the device once that
// process has let it go. Each card has a lock of its own.
TEST_F(DeviceLockTest, secondProcessIsRefusedWithTheHoldersPid) {
    const struct {
        unsigned device;
        std::function<bool()> take; // held until the process ends, which lets the lock go
    } holds[] = {
        {0,
         [] {
             static ZyvoDeviceFactory factory;
             ZyvoDevice* device = nullptr;
             factory.FindLocalDevices();
             return factory.CreateLocalDevice(0, device) > 0;
         }},
        {1,
         [] {
             static zyvosim::CardHold hold = zyvosim::holdCard(1);
             ZyvoDeviceFactory factory;
             ZyvoDevice* device = nullptr;
             factory.FindLocalDevices();
             const bool created = factory.CreateLocalDevice(1, device) > 0;
             factory.ReleaseDevice(device);
             return hold != nullptr && created && zyvosim::powerCycle(1);
         }},
    };
    for (const auto& hold : holds) {
        useStateDirectory("devices 2\n");
        ASSERT_EQ(programTheCard(), 0);
        holdInOtherProcess(hold.take);
        ZyvoDeviceFactory factory;
        ZyvoDevice* device = nullptr;
        factory.FindLocalDevices();
        std::string error;
        {
            zyvotest::StreamCapture capture;
            EXPECT_EQ(factory.CreateLocalDevice(hold.device, device), 0);
            EXPECT_FALSE(zyvosim::powerCycle(hold.device));
            EXPECT_EQ(zyvosim::holdCard(hold.device), nullptr);
            error = capture.errorText();
        }
        EXPECT_EQ(device, nullptr);
        EXPECT_EQ(error, refusal(hold.device) + refusal(hold.device) + refusal(hold.device));
        expectProgrammed();
        // The other card is free all along.
        EXPECT_EQ(createDevice(1 - hold.device).result, 1);
        letTheHolderGo();
        EXPECT_EQ(factory.CreateLocalDevice(hold.device, device), 1);
        factory.ReleaseDevice(device);
    }
}

// The moment a process has the lock and has not yet said who it is, frozen: a child holds the
// lock file both ways a lock can be taken (flock and a record lock) and writes nothing. The
// refusal names it all the same.
TEST_F(DeviceLockTest, aRefusalNamesAHolderThatHasNotWrittenItsId) {
    useStateDirectory();
    ASSERT_EQ(programTheCard(), 0);
    holdInOtherProcess([] {
        int file = open((directory() + "/lock").c_str(), O_RDWR);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        return file >= 0 && flock(file, LOCK_EX) == 0 && fcntl(file, F_SETLK, &lock) == 0;
    });
    const auto created = createDevice();
    EXPECT_EQ(created.result, 0);
    EXPECT_EQ(created.err, refusal());
}

} // namespace

// The card's files on a machine shared with other users: directories others could plant links
// in, links planted at the card's files, and a disk or file size limit that refuses a write.
#include "state_dir_fixture.h"

#include "captured.h"
#include "saved_environment.h"
#include "test_files.h"

#include "ZyvoDma.h"

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

const char* const kStateError = "zyvosim: cannot use the simulated device's state: ";

using std::filesystem::is_empty;
using zyvotest::fileText;
using zyvotest::scratchPath;

class CardSafetyTest : public StateDirTest {
protected:
    // The card is reset with the environment the test found.
    void TearDown() override {
        mEnvironment.restore();
        StateDirTest::TearDown();
    }

    std::string makeDirectory(const std::string& name, mode_t mode = 0700) const {
        std::string made = scratchPath(name);
        EXPECT_EQ(mkdir(made.c_str(), 0700), 0) << made;
        EXPECT_EQ(chmod(made.c_str(), mode), 0) << made;
        return made;
    }

    // What creating device `index` printed on standard error; the creation must fail.
    static std::string refusal(unsigned index = 0) {
        const auto created = createDevice(index);
        EXPECT_EQ(created.result, 0);
        return created.err;
    }

private:
    zyvotest::SavedEnvironment mEnvironment{"XDG_RUNTIME_DIR", "TMPDIR", "ZYVO_SIM_STATE"};
};

// A link, a directory others can write to, a file, and (when root can give it away) another
// user's directory.
TEST_F(CardSafetyTest, aDirectoryOthersCouldPlantLinksInIsRefused) {
    const std::string victim = makeDirectory("victim");
    ASSERT_EQ(symlink(victim.c_str(), scratchPath("link").c_str()), 0);
    makeDirectory("shared", 0777);
    makeDirectory("group", 0770);
    std::ofstream(scratchPath("file")).close();
    const std::string writable = "group or others can write to it; chmod 700 it";
    std::vector<std::pair<std::string, std::string>> cases = {
        {"link", "is a symbolic link; remove it"},
        {"shared", writable},
        {"group", writable},
        {"file", "not a directory; remove it"},
    };
    if (geteuid() == 0) { // only root can give a directory to another user
        ASSERT_EQ(chown(makeDirectory("theirs").c_str(), 65534, 65534), 0);
        cases.emplace_back("theirs", "belongs to another user; remove it");
    }
    for (const auto& [name, why] : cases) {
        useBench("state-dir " + scratchPath(name) + "\n");
        EXPECT_EQ(refusal(), kStateError + scratchPath(name) + ": " + why +
                                 ", or name another state-dir in the bench\n");
    }
    EXPECT_TRUE(is_empty(victim));
}

// $XDG_RUNTIME_DIR/zyvosim, created for this user only; without it (or empty) the old name in
// TMPDIR, where another user may have planted a link.
TEST_F(CardSafetyTest, theDefaultDirectoryIsTheUsersOwn) {
    unsetenv("ZYVO_SIM_STATE");
    setenv("XDG_RUNTIME_DIR", scratchPath("run").c_str(), 1);
    zyvosim::reset();
    EXPECT_EQ(zyvosim::stateDirectory(), scratchPath("run/zyvosim"));
    struct stat facts {};
    ASSERT_EQ(stat(scratchPath("run/zyvosim").c_str(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 0777, 0700u);

    setenv("XDG_RUNTIME_DIR", "", 1);
    setenv("TMPDIR", directory().c_str(), 1);
    const std::string victim = makeDirectory("victim");
    const std::string planted = scratchPath("zyvosim-" + std::to_string(getuid()));
    ASSERT_EQ(symlink(victim.c_str(), planted.c_str()), 0);
    zyvosim::reset();
    EXPECT_EQ(refusal(), kStateError + planted +
                             ": is a symbolic link; remove it, or point ZYVO_SIM_STATE "
                             "elsewhere\n");
    EXPECT_TRUE(is_empty(victim));
}

TEST_F(CardSafetyTest, aLinkPlantedAtACardFileIsRefusedAndItsTargetUntouched) {
    const struct {
        const char* file;
        unsigned device;
        bool lock;
    } cases[] = {
        {"card-state", 0, false},
        {"device-memory", 0, false},
        {"lock", 0, true},
        {"card-state-1", 1, false},
    };
    for (const auto& c : cases) {
        const std::string state = makeDirectory(std::string(c.file) + ".d");
        const std::string target = scratchPath(std::string(c.file) + ".target");
        std::ofstream(target) << "precious";
        const std::string planted = state + "/" + c.file;
        ASSERT_EQ(symlink(target.c_str(), planted.c_str()), 0);
        useBench("devices 2\nstate-dir " + state + "\n");
        std::string why = planted + ": is a symbolic link; remove it\n";
        EXPECT_EQ(refusal(c.device),
                  c.lock ? "zyvosim: cannot lock the simulated device in " + state + ": " + why
                         : kStateError + why);
        EXPECT_EQ(fileText(target), "precious") << c.file;
    }
}

// A device memory write past the file size limit fails as one on a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &mSaved);
        rlimit limit = mSaved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        mHandler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &mSaved);
        std::signal(SIGXFSZ, mHandler);
    }

private:
    rlimit mSaved{};
    void (*mHandler)(int);
};

// The call the memory file refused fails; the first such failure waits, once, for the host.
// A power cycle that cannot bring the memory back to 1 GiB fails too, and the short file reads
// as zeros.
TEST_F(CardSafetyTest, aWriteTheMemoryFileRefusesFailsItsCallAndIsReported) {
    useStateDirectory();
    auto* dma = widget<ZyvoDmaIO>(ZYVO_WidgetType_DmaIO);
    std::vector<uint8_t> bytes(4096, 0xAB);
    const std::string memory = scratchPath("device-memory");
    {
        FileSizeLimit limit(1u << 20);
        EXPECT_EQ(dma->DoDma(1, bytes.data(), 0x4000000, 4096, 1, 0, 0, 0), -5);
        EXPECT_EQ(dma->DoDma(1, bytes.data(), 0, 4096, 1, 0, 0, 0), 1);
        EXPECT_FALSE(zyvosim::writeDeviceMemory(0x5000000, bytes));
        EXPECT_EQ(zyvosim::takeStorageFailure(), memory + ": File too large");
        EXPECT_EQ(zyvosim::takeStorageFailure(), "");
        EXPECT_FALSE(zyvosim::powerCycle());
        EXPECT_EQ(zyvosim::takeStorageFailure(), memory + ": File too large");
        EXPECT_EQ(dma->DoDma(0, bytes.data(), 0, 4096, 1, 0, 0, 0), 1);
        EXPECT_EQ(bytes, std::vector<uint8_t>(4096, 0));
    }
    EXPECT_TRUE(zyvosim::powerCycle());
}

// A disk of 2 MiB, filled up at will.
class FullDiskTest : public CardSafetyTest {
protected:
    void SetUp() override {
        CardSafetyTest::SetUp();
        mDisk = makeDirectory("disk");
        if (mount("none", mDisk.c_str(), "tmpfs", 0, "size=2m") != 0) {
            GTEST_SKIP() << "mounting a tmpfs needs root: " << std::strerror(errno);
        }
        mMounted = true;
    }
    void TearDown() override {
        if (mMounted) {
            umount2(mDisk.c_str(), MNT_DETACH);
        }
        CardSafetyTest::TearDown();
    }

    void fill() const {
        std::ofstream file(mDisk + "/filler", std::ios::binary);
        std::vector<char> block(1u << 16, 'x');
        while (file.write(block.data(), static_cast<std::streamsize>(block.size()))) {
        }
    }
    void makeRoom() const { unlink((mDisk + "/filler").c_str()); }

    std::string mDisk;
    bool mMounted = false;
};

// A card that cannot have its state file's space is not created (before, a store into the
// mapped file ended the process with SIGBUS). One whose files were made while there was room
// opens, and the write the disk refuses fails its DMA and is reported.
TEST_F(FullDiskTest, aFullDiskIsAnErrorNeverASignal) {
    const std::string state = mDisk + "/state";
    ASSERT_EQ(mkdir(state.c_str(), 0700), 0);
    useBench("state-dir " + state + "\n");
    fill();
    EXPECT_EQ(refusal(), kStateError + state + "/card-state: No space left on device\n");

    makeRoom();
    ASSERT_EQ(createDevice().result, 1);
    fill();
    useBench("state-dir " + state + "\n");
    std::vector<uint8_t> frame(1u << 20, 0x5A);
    auto* dma = widget<ZyvoDmaIO>(ZYVO_WidgetType_DmaIO);
    EXPECT_EQ(dma->DoDma(1, frame.data(), 0, 1u << 20, 1, 0, 0, 0), -5);
    EXPECT_EQ(zyvosim::takeStorageFailure(), state + "/device-memory: No space left on device");
}

} // namespace

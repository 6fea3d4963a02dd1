// The card's files on a machine shared with other users: directories others could plant links
// in, and links planted at the card's files.
#include "state_dir_fixture.h"

#include "output_capture.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

const char* const cStateError = "zyvosim: cannot use the simulated device's state: ";

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool isEmptyDirectory(const std::string& path) {
    return std::filesystem::is_empty(path);
}

class CardSafetyTest : public StateDirTest {
protected:
    void SetUp() override {
        StateDirTest::SetUp();
        for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR", "ZYVO_SIM_STATE"}) {
            const char* value = std::getenv(name);
            mEnvironment.push_back({name, value != nullptr, value != nullptr ? value : ""});
        }
    }
    void TearDown() override {
        for (const auto& variable : mEnvironment) {
            if (variable.set) {
                setenv(variable.name, variable.value.c_str(), 1);
            } else {
                unsetenv(variable.name);
            }
        }
        StateDirTest::TearDown();
    }

    std::string path(const std::string& name) const { return directory() + "/" + name; }

    std::string makeDirectory(const std::string& name, mode_t mode = 0700) const {
        std::string made = path(name);
        EXPECT_EQ(mkdir(made.c_str(), 0700), 0) << made;
        EXPECT_EQ(chmod(made.c_str(), mode), 0) << made;
        return made;
    }

    // What creating device `index` printed on standard error; the creation must fail.
    static std::string refusal(unsigned index = 0) {
        ZyvoDeviceFactory factory;
        ZyvoDevice* device = nullptr;
        factory.FindLocalDevices();
        zyvotest::OutputCapture capture;
        EXPECT_EQ(factory.CreateLocalDevice(index, device), 0);
        return capture.err();
    }

private:
    struct Variable {
        const char* name;
        bool set;
        std::string value;
    };
    std::vector<Variable> mEnvironment;
};

TEST_F(CardSafetyTest, aDirectoryOthersCouldPlantLinksInIsRefused) {
    const std::string victim = makeDirectory("victim");
    ASSERT_EQ(symlink(victim.c_str(), path("link").c_str()), 0);
    makeDirectory("shared", 0777);
    makeDirectory("group", 0770);
    std::ofstream(path("file")).close();
    const std::string writable = "group or others can write to it; chmod 700 it";
    const struct {
        const char* name;
        std::string why;
    } cases[] = {
        {"link", "is a symbolic link; remove it"},
        {"shared", writable},
        {"group", writable},
        {"file", "not a directory; remove it"},
    };
    for (const auto& c : cases) {
        useBench("state-dir " + path(c.name) + "\n");
        EXPECT_EQ(refusal(), cStateError + path(c.name) + ": " + c.why +
                                 ", or name another state-dir in the bench\n");
    }
    EXPECT_TRUE(isEmptyDirectory(victim));
}

TEST_F(CardSafetyTest, aDirectoryOfAnotherUserIsRefused) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can give a directory to another user";
    }
    const std::string theirs = makeDirectory("theirs");
    ASSERT_EQ(chown(theirs.c_str(), 65534, 65534), 0);
    setenv("ZYVO_SIM_STATE", theirs.c_str(), 1);
    zyvosim::reset();
    EXPECT_EQ(refusal(), cStateError + theirs +
                             ": belongs to another user; remove it, or point ZYVO_SIM_STATE "
                             "elsewhere\n");
}

// $XDG_RUNTIME_DIR/zyvosim, created for this user only; without it (or empty) the old name in
// TMPDIR, where another user may have planted a link.
TEST_F(CardSafetyTest, theDefaultDirectoryIsTheUsersOwn) {
    unsetenv("ZYVO_SIM_STATE");
    setenv("XDG_RUNTIME_DIR", path("run").c_str(), 1);
    zyvosim::reset();
    EXPECT_EQ(zyvosim::stateDirectory(), path("run/zyvosim"));
    struct stat facts {};
    ASSERT_EQ(stat(path("run/zyvosim").c_str(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 0777, 0700u);

    setenv("XDG_RUNTIME_DIR", "", 1);
    setenv("TMPDIR", directory().c_str(), 1);
    const std::string victim = makeDirectory("victim");
    const std::string planted = path("zyvosim-" + std::to_string(getuid()));
    ASSERT_EQ(symlink(victim.c_str(), planted.c_str()), 0);
    zyvosim::reset();
    EXPECT_EQ(refusal(), cStateError + planted +
                             ": is a symbolic link; remove it, or point ZYVO_SIM_STATE "
                             "elsewhere\n");
    EXPECT_TRUE(isEmptyDirectory(victim));
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
        const std::string target = path(std::string(c.file) + ".target");
        std::ofstream(target) << "precious";
        const std::string planted = state + "/" + c.file;
        ASSERT_EQ(symlink(target.c_str(), planted.c_str()), 0);
        useBench("devices 2\nstate-dir " + state + "\n");
        std::string why = planted + ": is a symbolic link; remove it\n";
        EXPECT_EQ(refusal(c.device),
                  c.lock ? "zyvosim: cannot lock the simulated device in " + state + ": " + why
                         : cStateError + why);
        EXPECT_EQ(readFile(target), "precious") << c.file;
    }
}

} // namespace

// Finding, creating and cleaning up the state directory of the simulated cards.
#include "card/state_directory.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace zyvosim {
namespace {

const char* const cPrivate = "private";

struct PrivateDirectory {
    std::string path; // empty until the first card of this process needs it
    pid_t creator;    // only the creator removes it: a forked child that exits leaves it be
};

// Never destroyed: the exit handler still finds it after static destructors have run.
PrivateDirectory& privateDirectory() {
    static auto* directory = new PrivateDirectory{};
    return *directory;
}

std::string temporaryRoot() {
    const char* root = std::getenv("TMPDIR");
    return root != nullptr && *root != '\0' ? root : "/tmp";
}

std::string systemProblem(const std::string& path) {
    return path + ": " + std::strerror(errno);
}

bool isCardDataFile(const std::string& name) {
    return name.rfind("card-state", 0) == 0 || name.rfind("device-memory", 0) == 0;
}

// The names are gathered first: removing entries while reading the directory may skip some.
void removeFiles(const std::string& directory, bool cardDataOnly) {
    std::vector<std::string> names;
    if (DIR* listing = opendir(directory.c_str())) {
        while (const dirent* entry = readdir(listing)) {
            std::string name = entry->d_name;
            if (name != "." && name != ".." && (!cardDataOnly || isCardDataFile(name)))
                names.push_back(name);
        }
        closedir(listing);
    }
    for (const std::string& name : names)
        unlink((directory + "/" + name).c_str());
}

void removePrivateDirectory() {
    const PrivateDirectory& directory = privateDirectory();
    if (directory.path.empty() || directory.creator != getpid())
        return;
    removeFiles(directory.path, false);
    rmdir(directory.path.c_str());
}

bool usePrivateDirectory(std::string& path, std::string& problem) {
    PrivateDirectory& directory = privateDirectory();
    if (directory.path.empty()) {
        std::string pattern = temporaryRoot() + "/zyvosim-private-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()) == nullptr) {
            problem = systemProblem(pattern);
            return false;
        }
        directory.path = name.data();
        directory.creator = getpid();
        std::atexit(removePrivateDirectory);
    }
    path = directory.path;
    return true;
}

// Like mkdir -p; new directories are for this user only.
bool makeDirectories(const std::string& path, std::string& problem) {
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            problem = systemProblem(part);
            return false;
        }
        if (slash == std::string::npos)
            break;
    }
    return true;
}

// The default directory has a name anyone can predict in a shared /tmp, so it must be ours.
bool isUsableDirectory(const std::string& path, bool mustOwn, std::string& problem) {
    struct stat facts {};
    if (stat(path.c_str(), &facts) != 0) {
        problem = systemProblem(path);
        return false;
    }
    if (!S_ISDIR(facts.st_mode)) {
        problem = path + ": not a directory";
        return false;
    }
    if (mustOwn && facts.st_uid != getuid()) {
        problem = path + ": belongs to another user";
        return false;
    }
    return true;
}

} // namespace

bool resolveStateDirectory(const Bench& bench, std::string& directory, std::string& problem) {
    std::string requested;
    if (bench.stateDirectory) {
        requested = *bench.stateDirectory;
    } else if (const char* variable = std::getenv("ZYVO_SIM_STATE")) {
        requested = variable;
    }
    if (requested == cPrivate)
        return usePrivateDirectory(directory, problem);
    bool isDefault = requested.empty();
    directory = isDefault ? temporaryRoot() + "/zyvosim-" + std::to_string(getuid()) : requested;
    return makeDirectories(directory, problem) && isUsableDirectory(directory, isDefault, problem);
}

std::string cardFile(const std::string& directory, const char* name, unsigned index) {
    std::string path = directory + "/" + name;
    if (index > 0)
        path += "-" + std::to_string(index);
    return path;
}

void forgetPrivateCards() {
    const PrivateDirectory& directory = privateDirectory();
    if (!directory.path.empty())
        removeFiles(directory.path, true);
}

} // namespace zyvosim

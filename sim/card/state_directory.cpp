// Finding, creating and cleaning up the state directory of the simulated cards.
#include "card/state_directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace zyvosim {
namespace {

const char* const kPrivate = "private";
const char* const kEnvironmentAdvice = "point ZYVO_SIM_STATE elsewhere";
const char* const kBenchAdvice = "name another state-dir in the bench";

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
            if (name != "." && name != ".." && (!cardDataOnly || isCardDataFile(name))) {
                names.push_back(name);
            }
        }
        closedir(listing);
    }
    for (const std::string& name : names) {
        unlink((directory + "/" + name).c_str());
    }
}

void removePrivateDirectory() {
    const PrivateDirectory& directory = privateDirectory();
    if (directory.path.empty() || directory.creator != getpid()) {
        return;
    }
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
        static const bool removedAtExit = std::atexit(removePrivateDirectory) == 0;
        static_cast<void>(removedAtExit);
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
        if (slash == std::string::npos) {
            break;
        }
    }
    return true;
}

// The default directory has a name anyone can predict, and an explicit one may be shared: whoever
// owns the directory, or may write to it, can plant a link where a card file goes, and the card
// would then write wherever it points. So the directory must be this user's and no one else's.
// Opened without following a link, checked through the descriptor: what is checked is what is
// used. Gives the descriptor, or -1 with `problem` ending in what to do, `advice` last.
int openPrivateDirectory(const std::string& path, const char* advice, std::string& problem) {
    int descriptor = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat facts {};
    if (descriptor < 0) {
        int error = errno;
        // A link to a directory gives ENOTDIR, a link to anything else ELOOP.
        if ((error == ELOOP || error == ENOTDIR) && lstat(path.c_str(), &facts) == 0 &&
            S_ISLNK(facts.st_mode)) {
            problem = path + ": is a symbolic link; remove it, or " + advice;
        } else if (error == ENOTDIR) {
            problem = path + ": not a directory; remove it, or " + advice;
        } else {
            problem = path + ": " + std::strerror(error);
        }
        return -1;
    }
    if (fstat(descriptor, &facts) != 0) {
        problem = systemProblem(path);
    } else if (facts.st_uid != geteuid()) {
        problem = path + ": belongs to another user; remove it, or " + advice;
    } else if ((facts.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        problem = path + ": group or others can write to it; chmod 700 it, or " + advice;
    } else {
        return descriptor;
    }
    close(descriptor);
    return -1;
}

std::string defaultDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0') {
        return std::string(runtime) + "/zyvosim";
    }
    return temporaryRoot() + "/zyvosim-" + std::to_string(getuid());
}

std::string cardFileName(const char* name, unsigned index) {
    std::string file = name;
    if (index > 0) {
        file += "-" + std::to_string(index);
    }
    return file;
}

} // namespace

bool resolveStateDirectory(const Bench& bench, std::string& directory, std::string& problem) {
    std::string requested;
    const char* advice = kEnvironmentAdvice;
    if (bench.stateDirectory) {
        requested = *bench.stateDirectory;
        advice = kBenchAdvice;
    } else if (const char* variable = std::getenv("ZYVO_SIM_STATE")) {
        requested = variable;
    }
    if (requested == kPrivate) {
        return usePrivateDirectory(directory, problem);
    }
    directory = requested.empty() ? defaultDirectory() : requested;
    if (!makeDirectories(directory, problem)) {
        return false;
    }
    int descriptor = openPrivateDirectory(directory, advice, problem);
    if (descriptor < 0) {
        return false;
    }
    close(descriptor);
    return true;
}

std::string cardFile(const std::string& directory, const char* name, unsigned index) {
    return directory + "/" + cardFileName(name, index);
}

// The directory is checked again at every open, through the descriptor the file is opened in,
// so a directory swapped for a link since it was resolved is refused too. O_NONBLOCK: a FIFO or
// device planted under a card file's name must not hold the open up.
int openCardFile(const std::string& directory, const char* name, unsigned index,
                 std::string& problem) {
    int folder = openPrivateDirectory(directory, kEnvironmentAdvice, problem);
    if (folder < 0) {
        return -1;
    }
    std::string path = cardFile(directory, name, index);
    int descriptor = openat(folder, cardFileName(name, index).c_str(),
                            O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    int error = errno;
    close(folder);
    struct stat facts {};
    if (descriptor < 0) {
        problem =
            path + ": " + (error == ELOOP ? "is a symbolic link; remove it" : std::strerror(error));
        return -1;
    }
    if (fstat(descriptor, &facts) != 0) {
        problem = systemProblem(path);
    } else if (!S_ISREG(facts.st_mode)) {
        problem = path + ": not a regular file; remove it";
    } else {
        return descriptor;
    }
    close(descriptor);
    return -1;
}

namespace {

int writeAll(int descriptor, const uint8_t* bytes, size_t length) {
    for (size_t done = 0; done < length;) {
        ssize_t part = write(descriptor, bytes + done, length - done);
        if (part < 0 && errno == EINTR) {
            continue;
        }
        if (part <= 0) {
            return part < 0 ? errno : ENOSPC;
        }
        done += static_cast<size_t>(part);
    }
    return 0;
}

} // namespace

// Not synced to the disk: a host that loses power power-cycles its cards too, and a record lost
// with the page cache reads as a new card, which is what the card then is.
bool replaceCardFile(const std::string& directory, const char* name, unsigned index,
                     const void* bytes, size_t length, std::string& problem) {
    int folder = openPrivateDirectory(directory, kEnvironmentAdvice, problem);
    if (folder < 0) {
        return false;
    }
    const std::string final = cardFileName(name, index);
    const std::string next = final + ".new";
    // A writer killed before its rename leaves its file; whatever is at the name goes, so the
    // new file is made afresh and nothing is written through a link.
    unlinkat(folder, next.c_str(), 0);
    int error = 0;
    int file =
        openat(folder, next.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (file < 0) {
        error = errno;
    } else {
        error = writeAll(file, static_cast<const uint8_t*>(bytes), length);
        if (close(file) != 0 && error == 0) {
            error = errno;
        }
        if (error == 0 && renameat(folder, next.c_str(), folder, final.c_str()) != 0) {
            error = errno;
        }
        if (error != 0) {
            unlinkat(folder, next.c_str(), 0);
        }
    }
    close(folder);
    if (error != 0) {
        problem = cardFile(directory, name, index) + ": " + std::strerror(error);
        return false;
    }
    return true;
}

void forgetPrivateCards() {
    removePrivateDirectory();
    privateDirectory().path.clear();
}

} // namespace zyvosim

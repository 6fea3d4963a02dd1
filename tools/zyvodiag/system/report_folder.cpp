// Report folders: made privately, never through a link, and free of planted links.
#include "system/report_folder.h"

#include "system/pending_file.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>

namespace zyvodiag {
namespace {

std::string systemError(const std::string& path, int error) {
    return path + ": " + std::strerror(error);
}

std::string parentOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// A folder of someone else's in a sticky shared directory: they may empty it, or plant links in
// it, whenever they like.
bool someoneElsesInSharedDirectory(const std::string& folder, const struct stat& facts) {
    const uid_t me = geteuid();
    struct stat parent {};
    if (me == 0 || facts.st_uid == me || stat(parentOf(folder).c_str(), &parent) != 0) {
        return false;
    }
    const bool shared = (parent.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    return shared && (parent.st_mode & S_ISVTX) != 0 && parent.st_uid != me;
}

// Makes `folder` and every missing folder above it, mode 0700. A missing folder's parent is
// checked as a file's directory is, before anything is made in it.
bool makePrivately(const std::string& folder, std::string& error) {
    struct stat facts {};
    if (lstat(folder.c_str(), &facts) == 0 || errno != ENOENT) {
        return true; // what is there is checked by the caller
    }
    const std::string parent = parentOf(folder);
    if (parent != folder && !makePrivately(parent, error)) {
        return false;
    }
    if (!checkWritableTarget(folder, error)) {
        return false;
    }
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        error = systemError(folder, errno);
        return false;
    }
    return true;
}

bool checkFolderItself(const std::string& folder, std::string& error) {
    struct stat facts {};
    if (lstat(folder.c_str(), &facts) != 0) {
        error = systemError(folder, errno);
        return false;
    }
    if (S_ISLNK(facts.st_mode)) {
        error = folder + ": is a symbolic link; name the folder itself (links are not followed)";
        return false;
    }
    if (!S_ISDIR(facts.st_mode)) {
        error = systemError(folder, ENOTDIR);
        return false;
    }
    if (someoneElsesInSharedDirectory(folder, facts)) {
        error = folder + ": belongs to another user in a shared directory; choose another name";
        return false;
    }
    // The rules of a file written into it: we may write there, and nobody else may swap files.
    return checkWritableTarget(folder + "/.zyvodiag-file", error);
}

// A link of our own that points at a name inside the folder (a report switched by a link from
// one run's files to the next) reads nothing of anyone else's; any other link might.
bool ourLinkWithin(const std::string& path, const struct stat& facts) {
    if (facts.st_uid != geteuid()) {
        return false;
    }
    std::string target(PATH_MAX, '\0');
    const ssize_t length = readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || size_t(length) >= target.size()) {
        return false;
    }
    target.resize(size_t(length));
    const std::string padded = "/" + target + "/";
    return target[0] != '/' && padded.find("/../") == std::string::npos;
}

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

// Everything in `folder`, and in the folders inside it, is a regular file or a folder.
bool checkContents(const std::string& folder, int depth, std::string& error) {
    std::unique_ptr<DIR, DirectoryCloser> directory(opendir(folder.c_str()));
    if (!directory) {
        error = systemError(folder, errno);
        return false;
    }
    while (const dirent* entry = readdir(directory.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string path = folder + "/" + name;
        struct stat facts {};
        if (lstat(path.c_str(), &facts) != 0) {
            error = systemError(path, errno);
            return false;
        }
        if (S_ISLNK(facts.st_mode) && ourLinkWithin(path, facts)) {
            continue;
        }
        if (S_ISLNK(facts.st_mode)) {
            error = path + ": is a symbolic link in the report folder; remove it (nothing is "
                           "written or read through a link)";
            return false;
        }
        if (S_ISDIR(facts.st_mode) && depth > 0 && !checkContents(path, depth - 1, error)) {
            return false;
        }
        if (!S_ISDIR(facts.st_mode) && !S_ISREG(facts.st_mode)) {
            error = path + ": is not a regular file; remove it from the report folder";
            return false;
        }
    }
    return true;
}

} // namespace

bool prepareReportFolder(const OutputFolder& given, std::string& error) {
    const std::string folder = withoutTrailingSlashes(given.path);
    if (folder.empty()) {
        error = "no folder name given";
        return false;
    }
    if (folder.size() + 1 + kLongestNameInFolder >= PATH_MAX) {
        error = folder.substr(0, 40) + "...: a folder name of " + std::to_string(folder.size()) +
                " bytes leaves no room for the files written in it (at most " +
                std::to_string(PATH_MAX - 2 - kLongestNameInFolder) + " bytes)";
        return false;
    }
    if (!makePrivately(folder, error) || !checkFolderItself(folder, error)) {
        return false;
    }
    for (const std::string& name : given.files) {
        if (!checkWritableTarget(folder + "/" + name, error)) {
            return false;
        }
    }
    for (const std::string& name : given.subfolders) {
        const std::string subfolder = folder + "/" + name;
        if (!makePrivately(subfolder, error) || !checkFolderItself(subfolder, error)) {
            return false;
        }
    }
    // Two levels: the folder's files and those of a subfolder such as pictures/.
    return checkContents(folder, 2, error);
}

} // namespace zyvodiag

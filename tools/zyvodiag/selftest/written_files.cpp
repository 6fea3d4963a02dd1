// A record of the files each run wrote, read back by the next run to remove what it left.
#include "selftest/written_files.h"

#include "system/pending_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

namespace zyvodiag {
namespace {

// Hidden, so that the folder's listing shows only the report.
const char* const kRecord = "/.zyvodiag-written";

// A name the tool could have written: inside the folder, never through "..".
bool isOwnName(const std::string& name) {
    return !name.empty() && name[0] != '/' && name.find("..") == std::string::npos;
}

std::set<std::string> recordedNames(const std::string& folder) {
    std::set<std::string> names;
    std::ifstream earlier(folder + kRecord);
    for (std::string name; std::getline(earlier, name);) {
        if (isOwnName(name)) {
            names.insert(name);
        }
    }
    return names;
}

bool writeRecord(const std::string& folder, const std::set<std::string>& names,
                 std::string& error) {
    std::string record;
    for (const std::string& name : names) {
        record += name + "\n";
    }
    return writeWholeFile(folder + kRecord, record.data(), record.size(), error);
}

} // namespace

bool addToRecord(const std::string& folder, const std::set<std::string>& written,
                 std::string& error) {
    std::set<std::string> names = recordedNames(folder);
    names.insert(written.begin(), written.end());
    return writeRecord(folder, names, error);
}

bool replaceRecordedFiles(const std::string& folder, const std::set<std::string>& written,
                          std::string& error) {
    for (const std::string& name : recordedNames(folder)) {
        struct stat status {};
        const std::string path = folder + "/" + name;
        if (written.count(name) == 0 && lstat(path.c_str(), &status) == 0 &&
            S_ISREG(status.st_mode)) {
            unlink(path.c_str());
            // A run's own pictures folder goes with its last picture; a folder holding anything
            // else stays.
            const size_t slash = name.rfind('/');
            if (slash != std::string::npos) {
                rmdir((folder + "/" + name.substr(0, slash)).c_str());
            }
        }
    }
    return writeRecord(folder, written, error);
}

} // namespace zyvodiag

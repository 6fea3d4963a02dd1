// Checking a command's inputs and outputs against each other before anything is written.
#include "system/output_plan.h"

#include "system/pending_file.h"
#include "system/report_folder.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

namespace zyvodiag {
namespace {

namespace fs = std::filesystem;

// What makes two names one file: the same device and inode when it exists, else the same path
// once the links in the folders above it are resolved.
struct FileIdentity {
    std::string given;
    std::string path; // absolute, links resolved as far as the path exists
    bool exists = false;
    bool characterDevice = false;
    dev_t device = 0;
    ino_t inode = 0;
};

FileIdentity identify(const std::string& given) {
    FileIdentity file;
    file.given = given;
    std::error_code error;
    const fs::path absolute = fs::absolute(given, error);
    fs::path path = error ? fs::path(given) : fs::weakly_canonical(absolute, error);
    path = (error ? absolute : path).lexically_normal();
    // "dir/" and "dir" are one folder.
    file.path = path.has_filename() || !path.has_relative_path() ? path.string()
                                                                 : path.parent_path().string();
    struct stat facts {};
    if (stat(given.c_str(), &facts) == 0) {
        file.exists = true;
        file.characterDevice = S_ISCHR(facts.st_mode);
        file.device = facts.st_dev;
        file.inode = facts.st_ino;
    }
    return file;
}

bool sameFile(const FileIdentity& one, const FileIdentity& other) {
    if (one.exists && other.exists) {
        return one.device == other.device && one.inode == other.inode;
    }
    return one.path == other.path;
}

// `file` is `folder` or lies somewhere below it.
bool inside(const FileIdentity& file, const FileIdentity& folder) {
    const std::string& top = folder.path;
    return sameFile(file, folder) ||
           (file.path.compare(0, top.size(), top) == 0 &&
            (top == "/" || (file.path.size() > top.size() && file.path[top.size()] == '/')));
}

std::vector<FileIdentity> identifyAll(const std::vector<std::string>& paths) {
    std::vector<FileIdentity> files;
    for (const std::string& path : paths) {
        if (!path.empty()) {
            files.push_back(identify(path));
        }
    }
    return files;
}

bool checkOutputs(const std::vector<FileIdentity>& inputs, const std::vector<FileIdentity>& outputs,
                  std::string& error) {
    for (size_t i = 0; i < outputs.size(); ++i) {
        const FileIdentity& output = outputs[i];
        if (output.characterDevice) {
            continue;
        }
        for (const FileIdentity& input : inputs) {
            if (sameFile(output, input)) {
                error = output.given + ": is also an input of this command (" + input.given +
                        "); write the output to another file";
                return false;
            }
        }
        for (size_t k = 0; k < i; ++k) {
            if (sameFile(output, outputs[k])) {
                error = output.given + ": is also another output of this command (" +
                        outputs[k].given + "); give each output a file of its own";
                return false;
            }
        }
    }
    return true;
}

bool checkFolders(const std::vector<FileIdentity>& inputs, const std::vector<FileIdentity>& outputs,
                  const std::vector<FileIdentity>& folders, std::string& error) {
    for (size_t i = 0; i < folders.size(); ++i) {
        for (size_t k = 0; k < i; ++k) {
            if (inside(folders[i], folders[k]) || inside(folders[k], folders[i])) {
                error = folders[i].given + ": shares its files with the folder " +
                        folders[k].given + "; give each report folder a place of its own";
                return false;
            }
        }
        for (const auto* files : {&inputs, &outputs}) {
            for (const FileIdentity& file : *files) {
                if (!file.characterDevice && inside(file, folders[i])) {
                    error = file.given + ": lies in the folder " + folders[i].given +
                            ", which this command writes; name a file outside it";
                    return false;
                }
            }
        }
    }
    return true;
}

} // namespace

bool checkOutputPlan(const OutputPlan& plan, std::string& error) {
    const std::vector<FileIdentity> inputs = identifyAll(plan.inputs);
    const std::vector<FileIdentity> outputs = identifyAll(plan.outputs);
    std::vector<std::string> folderPaths;
    for (const OutputFolder& folder : plan.folders) {
        folderPaths.push_back(folder.path);
    }
    const std::vector<FileIdentity> folders = identifyAll(folderPaths);
    if (!checkOutputs(inputs, outputs, error) || !checkFolders(inputs, outputs, folders, error)) {
        return false;
    }
    for (const FileIdentity& output : outputs) {
        if (!checkWritableTarget(output.given, error)) {
            return false;
        }
    }
    // Folders are made last, so that a refusal leaves nothing behind.
    for (const OutputFolder& folder : plan.folders) {
        if (!folder.path.empty() && !prepareReportFolder(folder, error)) {
            return false;
        }
    }
    return true;
}

std::string benchInput(const std::string& simOption) {
    const char* environment = std::getenv("ZYVO_SIM");
    if (!simOption.empty() || environment == nullptr) {
        return simOption;
    }
    return environment;
}

} // namespace zyvodiag

// The lines of `zyvodiag --version`: the tool's, the library's and the device library's.
#include "commands/version_text.h"

#include "ZyvoFormatInfo.h"

#include <zyvodiag_version.h>

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace zyvodiag {
namespace {

namespace fs = std::filesystem;

// The file of the loaded object that holds `address`, as the dynamic linker found it; the
// directory is resolved (an installed tool finds its libraries through bin/../lib) but the file
// keeps the name the program asked for, the soname, not the versioned file it links to.
std::string fileHolding(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr || info.dli_fname[0] == '\0') {
        return "location unknown";
    }
    fs::path file(info.dli_fname);
    std::error_code error;
    fs::path directory = fs::canonical(file.parent_path(), error);
    if (error) {
        return file.string();
    }
    return (directory / file.filename()).string();
}

} // namespace

std::string versionText() {
    // The string lives in the library's own read-only data, so it locates the library whatever
    // way the program was linked.
    const char* libraryVersion = zyvodiagLibraryVersion();
    // The device library has no version call; one of its functions locates it.
    const std::string deviceLibrary =
        fileHolding(reinterpret_cast<const void*>(&ZyvoVideoFormatInfo::isQuad));
#ifdef ZYVODIAG_SIMULATED_DEVICE
    const std::string deviceKind = "simulated device (" + deviceLibrary + ")";
#else
    const std::string deviceKind = deviceLibrary;
#endif
    return std::string("zyvodiag ") + ZYVODIAG_VERSION_STRING + "\n" + "libzyvodiags " +
           libraryVersion + " (" + fileHolding(libraryVersion) + ")\n" +
           "device library: " + deviceKind + "\n";
}

} // namespace zyvodiag

// zyvodiag --version: the tool's version as built, and the libraries the process really runs.
#include "commands/version_text.h"

#include <zyvodiag_version.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// The loaded file a line names: an absolute path to an existing file called `soname`.
void expectLoadedFile(const std::string& path, const std::string& soname) {
    EXPECT_TRUE(fs::path(path).is_absolute()) << path;
    EXPECT_EQ(fs::path(path).filename(), soname);
    EXPECT_TRUE(fs::is_regular_file(path)) << path;
}

TEST(VersionText, namesTheToolTheLoadedLibraryAndTheSimulatedDeviceLibrary) {
    const std::string text = zyvodiag::versionText();
    std::smatch match;
    ASSERT_TRUE(std::regex_match(text, match,
                                 std::regex("zyvodiag (.*)\n"
                                            "libzyvodiags (.*) \\((.*)\\)\n"
                                            "device library: simulated device \\((.*)\\)\n")))
        << text;
    EXPECT_EQ(match[1], ZYVODIAG_VERSION_STRING);
    // The library's version is its own answer at run time, the same as the header's here.
    EXPECT_EQ(match[2], zyvodiagLibraryVersion());
    EXPECT_EQ(match[2], ZYVODIAG_VERSION_STRING);
    expectLoadedFile(match[3], "libzyvodiags.so.1");
    expectLoadedFile(match[4], "libzyvosim.so.1");

    std::ostringstream parts;
    parts << ZYVODIAG_VERSION_MAJOR << '.' << ZYVODIAG_VERSION_MINOR << '.'
          << ZYVODIAG_VERSION_PATCH;
    EXPECT_EQ(parts.str(), ZYVODIAG_VERSION_STRING);
}

} // namespace

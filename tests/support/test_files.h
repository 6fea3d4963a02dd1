// Files of the running test's own, in a directory that no other test or process shares, so
// test programs and their cases can run side by side.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zyvotest {

// The running test's directory under the test temporary directory, named after the test: made
// on first use, removed when the test ends, kept for a look when it failed.
const std::string& scratchDirectory();
// `name` in that directory.
std::string scratchPath(const std::string& name);
// `name` in that directory, now holding `content`.
std::string scratchFile(const std::string& name, const std::string& content);

// The whole file, or "<missing>".
std::string fileText(const std::string& path);
// The names in `directory`, sorted, so a leftover file shows.
std::vector<std::string> listing(const std::string& directory = scratchDirectory());

// Removes each test's directory when the test ends; the test programs' main installs it.
std::unique_ptr<::testing::TestEventListener> scratchDirectoryCleaner();

} // namespace zyvotest

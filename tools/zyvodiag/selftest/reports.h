// The self-test's reports for other systems and for people: JSON, JUnit XML and HTML.
#pragma once

#include "selftest/test_record.h"

#include <string>

namespace zyvodiag {

// Schema 1, as docs/selftest.md describes it.
std::string reportJson(const SelfTestReport& report);

// One <testsuite name="zyvodiag.selftest"> with a <testcase> a test, as CI servers import it.
std::string reportJunit(const SelfTestReport& report);

// index.html of the report folder: self-contained, its pictures beside it in pictures/.
std::string reportHtml(const SelfTestReport& report);

// Writes `text` as the whole of `path`, through a temporary file of our own.
bool writeTextFile(const std::string& path, const std::string& text, std::string& error);

} // namespace zyvodiag

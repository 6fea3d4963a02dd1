// What compare adds after its verdict: the likely cause of a difference, and the JSON report.
#pragma once

#include "commands/command_table.h"

#include <zyvodiag>

#include <string>

namespace zyvodiag {

// When the files differ or the JSON is asked for: decodes the record's input (expected) and
// output (found) files as frames of `pixelFormat`, prints "likely cause: ..." when `same` is
// false, and writes the comparison as JSON to
// `jsonPath` unless it is empty. kUnusable when the JSON was asked for and the files are not
// frames of the switches' format, or it cannot be written; otherwise kPass.
int reportLikelyCause(const Invocation& invocation, const ZyvoDiagUserCommands& record,
                      ZyvoPixelFormat pixelFormat, bool same, const std::string& jsonPath);

} // namespace zyvodiag

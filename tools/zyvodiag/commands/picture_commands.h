// Frame files as pictures: the view command and the pixel report that compare --diff-png adds.
#pragma once

#include "commands/command_table.h"

#include <zyvodiag>

#include <string>

namespace zyvodiag {

// After the library's byte comparison of the record's input (expected) and output (found)
// files: differing pixels, the largest difference per component, the PSNR, and the difference
// picture written to `pngPath`. kUnusable when the files are not frames of the format the
// switches give.
int reportPixelDifferences(const Invocation& invocation, const ZyvoDiagUserCommands& record,
                           ZyvoPixelFormat pixelFormat, const std::string& pngPath);

} // namespace zyvodiag

// A picture written to standard output (`--png -`, as ffmpeg takes `-`): the data keeps the
// descriptor, and every line of text, the library's too, goes to standard error instead.
#pragma once

#include <string>
#include <vector>

namespace zyvodiag {

// "-", /dev/stdout, /dev/fd/1 and /proc/self/fd/1.
bool namesStandardOutput(const std::string& path);

// When an option of `valueOptions` ("--png", "--diff-png") in `arguments` names standard output,
// keeps that descriptor for the data and points descriptor 1 at standard error.
void keepStandardOutputForData(const std::vector<std::string>& arguments,
                               const std::vector<std::string>& valueOptions);

// The path that writes to the data's descriptor.
std::string standardOutputPath();

} // namespace zyvodiag

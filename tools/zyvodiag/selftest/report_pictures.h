// The pictures of a test's frames for the HTML report.
#pragma once

#include "selftest/test_record.h"

#include <string>
#include <vector>

namespace zyvodiag {

// Writes into `folder`/pictures the frames of a test as PNG pictures with thumbnails, named
// after `prefix` ("03-" for test 3): for each pair "X-expected" and "X-captured" both frames
// and their difference, for a frame alone itself. Frames whose files are gone are left out.
// False, saying why, when a picture cannot be written.
bool writeReportPictures(const std::vector<TestFrame>& frames, const std::string& folder,
                         const std::string& prefix, std::vector<FramePictures>& pictures,
                         std::string& error);

} // namespace zyvodiag

// The pictures of a test's frames, made after its verdict from the frames it decoded.
#pragma once

#include "selftest/frame_comparison.h"
#include "selftest/picture_writer.h"
#include "selftest/test_record.h"

#include <string>
#include <vector>

namespace zyvodiag {

// Where a test's pictures go.
struct PictureTargets {
    bool besideFrames = false; // --keep: FRAME.png beside each frame, and the difference of a
                               // failed comparison as CAPTURED-difference.png
    std::string htmlFolder;    // --html: PICTURES/PREFIXNAME.png and -thumbnail.png there
    std::string htmlPictures;  // relative to htmlFolder: the run's own pictures folder
    std::string prefix;        // "03-" for test 3
};

// Queues on `writer` every picture of `comparisons`, each frame converted once and the
// difference of each pair computed once, and records in `outcome` the paths they will have
// (its frames' previews and differences, its HTML pictures).
void queueTestPictures(std::vector<FrameComparison> comparisons, const PictureTargets& targets,
                       TestOutcome& outcome, PictureWriter& writer);

} // namespace zyvodiag

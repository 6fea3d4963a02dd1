// Folders the tool writes reports and frames into, held to the rules its files have.
#pragma once

#include <string>
#include <vector>

namespace zyvodiag {

// The longest name a run writes inside a report folder, with the subfolders it goes in
// ("pictures/run-999/16-hdmi-4k-vectorscope-thumbnail.png", "run-999/sdi-3----sdi-input-3.log"),
// rounded up: a folder whose path leaves less room than this fails in the middle of a run.
constexpr size_t kLongestNameInFolder = 64;

// A folder a run writes many files into (--keep, --html): the folders it makes inside it, and
// the files of fixed name it writes there (checked as any output is).
struct OutputFolder {
    std::string path;
    std::vector<std::string> subfolders = {};
    std::vector<std::string> files = {};
};

// Makes `folder` ready for a run, or says why it cannot be. The folder is never a symbolic link,
// and in a sticky shared directory such as /tmp it is never someone else's; it is made with
// mode 0700 when it is new (each missing folder above it too), and must let us, and only us or
// a sticky bit's rule, replace files in it. Its files must be writable targets. Everything
// already inside, the subfolders included (made if missing), must be a regular file or a
// folder, or a link of our own to a relative name that stays inside it: a link or a FIFO planted
// at a name the run writes or reads back would send a frame elsewhere or draw a picture from
// someone's file.
bool prepareReportFolder(const OutputFolder& folder, std::string& error);

} // namespace zyvodiag

// The files one command reads and the files and folders it writes, checked together before
// anything is written, so that no output replaces an input or another output of the same run.
#pragma once

#include "system/report_folder.h"

#include <string>
#include <vector>

namespace zyvodiag {

// What one command reads and writes. Empty names are left out, so a caller lists every option
// whether it was given or not. Every command that writes a file lists it here: a new output
// option is covered by adding its path to `outputs`.
struct OutputPlan {
    std::vector<std::string> inputs;   // files the command reads (the bench, frames)
    std::vector<std::string> outputs;  // files it writes
    std::vector<OutputFolder> folders; // report folders it writes into
};

// False, saying why, when the plan cannot be carried out safely: an output that cannot be
// written safely (checkWritableTarget), an output that is the same file as an input or as
// another output (same device and inode, or the same path once links in its folders are
// resolved), a file that lies in an output folder, two output folders that are one or lie one in
// the other, or a folder that is no safe report folder (prepareReportFolder). Character devices
// are written in place and replace nothing, so they may be named more than once. When it
// returns true the output folders exist.
bool checkOutputPlan(const OutputPlan& plan, std::string& error);

// The bench file the simulated card was loaded from: `simOption` (--sim), else ZYVO_SIM; empty
// for the built-in bench. Every command reads it, so every plan lists it as an input.
std::string benchInput(const std::string& simOption);

} // namespace zyvodiag

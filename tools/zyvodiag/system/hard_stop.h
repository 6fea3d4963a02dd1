// What a second stop signal tidies on its way out: the tool's temporary folders and a half line.
#pragma once

#include <string>

namespace zyvodiag {

// A folder of this process's own (the self-test's frames, the simulator's private card) to be
// removed with everything in it if a second signal ends the process at once. Up to eight.
void removeOnHardStop(const std::string& directory);
// The folder is gone, or no longer ours to remove.
void keepOnHardStop(const std::string& directory);
// The simulated card's state when this process made it privately, as a normal exit removes it.
void removePrivateCardOnHardStop();

// A line of the terminal is started and not yet ended ("[ 3/16] SDI 3 ... "); a hard stop ends
// it, so the shell's prompt starts on a line of its own.
void markLineOpen(bool open);

// Safe in a signal handler: only system calls, no allocation, no lock.
void tidyOnHardStop();

} // namespace zyvodiag

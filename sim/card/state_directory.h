// Where the simulated card keeps its state between processes, and the files it keeps there.
#pragma once

#include "bench/bench.h"

#include <string>

namespace zyvosim {

// The directory the bench's cards live in: the bench's state-dir, else the environment variable
// ZYVO_SIM_STATE, else $XDG_RUNTIME_DIR/zyvosim, else ${TMPDIR:-/tmp}/zyvosim-<uid>. "private"
// names a fresh directory of this process (a forked child shares it), removed when the process
// exits. A missing directory is created (mode 0700). A directory that is a symbolic link,
// belongs to another user or that group or others can write is refused. On failure returns
// false and sets `problem` to "DIR: why; what to do".
bool resolveStateDirectory(const Bench& bench, std::string& directory, std::string& problem);

// One file of a card: `name` for device 0, `name-N` for device N.
std::string cardFile(const std::string& directory, const char* name, unsigned index);

// Opens that file read-write, creating it (mode 0600), close on exec. Neither the directory nor
// the file may be a symbolic link, the directory must pass the checks above and the file must
// be a regular file. On failure returns -1 and sets `problem` to "PATH: why".
int openCardFile(const std::string& directory, const char* name, unsigned index,
                 std::string& problem);

// Replaces that file with `length` bytes: written whole under the name NAME.new beside it (made
// afresh, whatever was there), then renamed over it, so the file holds the old bytes or the new
// ones at every moment, whenever the writer is killed. The directory is checked as above. On
// failure the file is left as it was; returns false and sets `problem` to "PATH: why".
bool replaceCardFile(const std::string& directory, const char* name, unsigned index,
                     const void* bytes, size_t length, std::string& problem);

// Removes this process's private directory, if it has one, with the card state and device memory
// of every card in it, so the next card powers on with zeroed memory in a new private directory,
// made under the TMPDIR in force then (a test may have removed the old one's parent).
void forgetPrivateCards();

} // namespace zyvosim

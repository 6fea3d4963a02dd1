// The card state record, kept whole in its file so that every process opening the card finds
// what the last one left.
#pragma once

#include "zyvosim/card_state.h"

#include <string>

namespace zyvosim {

// The record lives in this process's memory while it is used; the file only ever holds a
// whole record, the one written last. A new record is written under a name of its own beside
// the file and renamed over it, so a process killed at any moment, even halfway through a
// write, leaves the old record or the new one and never a mixture.
class CardStateFile {
public:
    CardStateFile() = default;
    CardStateFile(const CardStateFile&) = delete;
    CardStateFile& operator=(const CardStateFile&) = delete;

    // Reads the record of device `index` in `directory` (openCardFile), creating an empty file
    // when there is none. `fresh` tells whether the record needs its power-on state: a new file,
    // or one of another size, magic or version. On failure returns false and sets `problem`.
    bool open(const std::string& directory, unsigned index, bool& fresh, std::string& problem);
    // Reads the record again, as the last process to write it left it.
    bool reload(bool& fresh, std::string& problem);

    CardState& record() { return mRecord; }
    const std::string& path() const { return mPath; }

    // Writes the record, sealed, when it differs from the one last read or written. False when
    // the file could not be replaced: the old record stays and the failure is noted for
    // takeStorageFailure(), with `problem` set.
    bool save(std::string& problem);
    bool save();
    // Whether the record read last holds what it was sealed with.
    bool sealed() const;

private:
    std::string mDirectory;
    unsigned mIndex = 0;
    std::string mPath;
    CardState mRecord{};
    CardState mWritten{}; // the record as the file holds it
};

} // namespace zyvosim

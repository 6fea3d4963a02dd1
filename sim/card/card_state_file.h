// The card state record in its file, mapped into memory and shared by every process using it.
#pragma once

#include "zyvosim/card_state.h"

#include <string>

namespace zyvosim {

class CardStateFile {
public:
    CardStateFile() = default;
    ~CardStateFile();
    CardStateFile(const CardStateFile&) = delete;
    CardStateFile& operator=(const CardStateFile&) = delete;

    // Maps the record of device `index` in `directory` (openCardFile), creating the file with
    // its space reserved. `fresh` tells whether the record needs its power-on state: a new file,
    // or one of another size, magic or version. On failure (a full disk among them) returns
    // false and sets `problem`.
    bool open(const std::string& directory, unsigned index, bool& fresh, std::string& problem);

    CardState& record() { return *mRecord; }
    const std::string& path() const { return mPath; }

    // Brings the record's seal up to date with what it holds.
    void seal();
    // Whether the record holds what it was last sealed with.
    bool sealed() const;

private:
    int mDescriptor = -1;
    CardState* mRecord = nullptr;
    std::string mPath;
};

} // namespace zyvosim

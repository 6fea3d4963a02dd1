// A C argument vector over strings, for the library's parsers.
#pragma once

#include <string>
#include <vector>

namespace zyvodiag {

class ArgumentVector {
public:
    ArgumentVector(const std::string& programName, const std::vector<std::string>& arguments)
        : mStorage{programName} {
        mStorage.insert(mStorage.end(), arguments.begin(), arguments.end());
        for (auto& word : mStorage) {
            mPointers.push_back(word.data());
        }
        mPointers.push_back(nullptr);
    }

    int argc() const { return static_cast<int>(mStorage.size()); }
    char** argv() { return mPointers.data(); }

private:
    std::vector<std::string> mStorage;
    std::vector<char*> mPointers;
};

} // namespace zyvodiag

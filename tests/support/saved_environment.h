// Environment variables a test changes, put back as they were.
#pragma once

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

namespace zyvotest {

// The values `names` have now; restore() and the destructor put them back, unsetting those
// that were not set, so the next test starts from the environment the program was given.
class SavedEnvironment {
public:
    explicit SavedEnvironment(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            const char* value = std::getenv(name);
            mSaved.push_back({name, value != nullptr, value != nullptr ? value : ""});
        }
    }
    ~SavedEnvironment() { restore(); }
    SavedEnvironment(const SavedEnvironment&) = delete;
    SavedEnvironment& operator=(const SavedEnvironment&) = delete;

    void restore() const {
        for (const Variable& variable : mSaved) {
            if (variable.set) {
                setenv(variable.name, variable.value.c_str(), 1);
            } else {
                unsetenv(variable.name);
            }
        }
    }

private:
    struct Variable {
        const char* name;
        bool set;
        std::string value;
    };
    std::vector<Variable> mSaved;
};

} // namespace zyvotest

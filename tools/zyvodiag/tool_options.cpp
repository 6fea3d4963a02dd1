// Picking the tool's options out of a library command line.
#include "tool_options.h"

#include <algorithm>

namespace zyvodiag {

bool takeValueOption(std::vector<std::string>& arguments, const std::string& name,
                     std::string& value, bool& given) {
    given = false;
    std::vector<std::string> rest;
    bool complete = true;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == name) {
            given = true;
            if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                complete = false;
            }
        } else if (argument.compare(0, name.size() + 1, name + "=") == 0) {
            given = true;
            value = argument.substr(name.size() + 1);
        } else {
            rest.push_back(argument);
        }
    }
    arguments = rest;
    return complete && !(given && value.empty());
}

bool takeTwelveBitPixelFormat(std::vector<std::string>& arguments) {
    auto twelveBit = [](const std::string& argument) {
        return argument == "-v23" || argument == "-V23";
    };
    auto end = std::remove_if(arguments.begin(), arguments.end(), twelveBit);
    const bool found = end != arguments.end();
    arguments.erase(end, arguments.end());
    return found;
}

bool isHelpSwitch(const std::string& argument) {
    return argument.size() >= 2 && argument[0] == '-' &&
           (argument[1] == 'h' || argument[1] == 'H' || argument[1] == '?');
}

} // namespace zyvodiag

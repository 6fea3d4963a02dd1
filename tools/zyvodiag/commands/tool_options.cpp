// Picking the tool's options out of a library command line.
#include "commands/tool_options.h"

#include <algorithm>
#include <sstream>

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

namespace {

// The number of single-character edits between two option names.
size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

bool checkLongOptions(const std::vector<std::string>& arguments, const std::string& known,
                      std::string& error) {
    std::vector<std::string> options;
    std::istringstream words(known);
    for (std::string word; words >> word;) {
        options.push_back(word);
    }
    for (const std::string& argument : arguments) {
        if (argument.size() <= 2 || argument.compare(0, 2, "--") != 0) {
            continue;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (std::find(options.begin(), options.end(), name + "=") != options.end()) {
            continue;
        }
        if (std::find(options.begin(), options.end(), name) != options.end()) {
            if (equals == std::string::npos) {
                continue;
            }
            error = name + " takes no value";
            return false;
        }
        error = "unknown option " + name;
        std::string nearest;
        size_t best = 0;
        for (const std::string& option : options) {
            const std::string candidate = option.substr(0, option.find('='));
            const size_t distance = editDistance(name, candidate);
            if (nearest.empty() || distance < best) {
                nearest = candidate;
                best = distance;
            }
        }
        if (!nearest.empty()) {
            error += "; did you mean " + nearest + "?";
        }
        return false;
    }
    return true;
}

bool readDeviceIndex(const std::string& text, unsigned short& index, std::string& error) {
    if (text.empty()) {
        error = "--device needs a local device number";
        return false;
    }
    const bool digits =
        text.size() <= 5 && text.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || std::stoul(text) > 65535) {
        error = "--device '" + text + "': a local device number from 0 to 65535";
        return false;
    }
    index = static_cast<unsigned short>(std::stoul(text));
    return true;
}

bool isHelpSwitch(const std::string& argument) {
    return argument.size() >= 2 && argument[0] == '-' &&
           (argument[1] == 'h' || argument[1] == 'H' || argument[1] == '?');
}

} // namespace zyvodiag

// The tool's own options, taken out of a command line before the library's parser sees it.
#pragma once

#include "ZyvoTypes.h"

#include <string>
#include <vector>

namespace zyvodiag {

// Takes "--name VALUE" or "--name=VALUE" out of `arguments`. Returns false when the option is
// there without a value; `given` says whether it was there at all (the last one counts).
bool takeValueOption(std::vector<std::string>& arguments, const std::string& name,
                     std::string& value, bool& given);

// The library's -v takes 1, 2, 4 and 5 only; frame files of the 12-bit HDMI format (23) are
// ours to read too. Takes every -v23 out of `arguments` and says whether there was one.
bool takeTwelveBitPixelFormat(std::vector<std::string>& arguments);

// False, saying why, when `arguments` hold a long option that is not one of `known` (in the
// form of Command::options), or a flag given a value; the message names the nearest option.
bool checkLongOptions(const std::vector<std::string>& arguments, const std::string& known,
                      std::string& error);

// The N of --device N: a local device index from 0 to 65535, as the device factory takes it.
// False, with why, for anything else.
bool readDeviceIndex(const std::string& text, unsigned short& index, std::string& error);

// Whether the library's parser would take an argument as its help switch (-h, -H or -?).
bool isHelpSwitch(const std::string& argument);

} // namespace zyvodiag

// What the tool says when the device library throws instead of returning a status.
#pragma once

#include <string>

namespace zyvodiag {

// "the device library raised an exception during WHERE: WHAT", for the exception being
// handled; call it only inside a catch block.
std::string deviceExceptionText(const std::string& where);

} // namespace zyvodiag

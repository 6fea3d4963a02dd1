// Naming an exception that escaped the device library.
#include "system/device_exception.h"

#include <exception>

namespace zyvodiag {

std::string deviceExceptionText(const std::string& where) {
    std::string what = "an exception that is not a std::exception";
    try {
        throw;
    } catch (const std::exception& exception) {
        what = exception.what();
    } catch (...) {
    }
    return "the device library raised an exception during " + where + ": " + what;
}

} // namespace zyvodiag

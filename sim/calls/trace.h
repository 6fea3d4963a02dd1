// Recording calls into the trace, and writing their arguments as text.
#pragma once

#include "zyvosim/zyvosim.h"

#include <string>
#include <type_traits>

class ZyvoVideoConfiguration;
class ZyvoFrameBufferConfiguration;
class ZyvoVideoTransport;

namespace zyvosim {

// Appends one call to the trace. `index` is -1 for targets that have none.
void recordCall(const std::string& target, int index, const std::string& operation,
                const std::string& arguments, int status, bool threw = false);

// One argument as the trace shows it: true/false, numbers (enumerations too) in decimal,
// strings quoted, a null string as null.
std::string traceArgument(bool value);
std::string traceArgument(const char* text);
std::string traceArgument(const std::string& text);
// Configuration objects and addresses, written out in trace_values.cpp. Declared here, ahead of
// traceArguments, so a configuration pointer never falls back to the bool overload.
std::string traceArgument(const ZyvoVideoConfiguration* configuration);
std::string traceArgument(const ZyvoFrameBufferConfiguration* configuration);
std::string traceArgument(const ZyvoVideoTransport* transport);
struct Hex;
std::string traceArgument(Hex value);
template <typename Number,
          typename = std::enable_if_t<std::is_integral_v<Number> || std::is_enum_v<Number>>>
std::string traceArgument(Number value) {
    if constexpr (std::is_enum_v<Number>) {
        return std::to_string(static_cast<std::underlying_type_t<Number>>(value));
    } else {
        return std::to_string(value);
    }
}

// Every argument, separated by ", ": traceArguments(3, true) is "3, true".
inline std::string traceArguments() {
    return {};
}
template <typename First, typename... Rest>
std::string traceArguments(const First& first, const Rest&... rest) {
    std::string text = traceArgument(first);
    if constexpr (sizeof...(rest) > 0) {
        text += ", " + traceArguments(rest...);
    }
    return text;
}

} // namespace zyvosim

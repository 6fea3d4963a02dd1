// The trace: every call the diagnostics make on the simulated device library, in order.
#include "calls/trace.h"

namespace zyvosim {
namespace {

// Never destroyed: a device released from a static destructor is still recorded.
std::vector<TraceEntry>& entries() {
    static auto* recorded = new std::vector<TraceEntry>();
    return *recorded;
}

} // namespace

void recordCall(const std::string& target, int index, const std::string& operation,
                const std::string& arguments, int status, bool threw) {
    entries().push_back(TraceEntry{target, index, operation, arguments, status, threw});
}

std::string traceArgument(bool value) {
    return value ? "true" : "false";
}

std::string traceArgument(const char* text) {
    return text == nullptr ? "null" : traceArgument(std::string(text));
}

std::string traceArgument(const std::string& text) {
    return '"' + text + '"';
}

const std::vector<TraceEntry>& trace() {
    return entries();
}

void clearTrace() {
    entries().clear();
}

std::string formatTraceEntry(const TraceEntry& entry) {
    std::string line = entry.target;
    if (entry.index >= 0) {
        line += '[' + std::to_string(entry.index) + ']';
    }
    line += '.' + entry.operation + '(' + entry.arguments + ") -> ";
    line += entry.threw ? "threw" : std::to_string(entry.status);
    return line;
}

std::string formatTrace() {
    std::string text;
    for (const TraceEntry& entry : entries()) {
        text += formatTraceEntry(entry) + '\n';
    }
    return text;
}

} // namespace zyvosim

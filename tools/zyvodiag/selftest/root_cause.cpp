// Root causes: the failed call on the path the test exercises, named as a user numbers ports.
#include "selftest/root_cause.h"

#include "engine/device_layout.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace zyvodiag {
namespace {

// The widgets of the device library, as the tool's switches and texts call them; `first` is
// the number a user gives index 0.
struct PortName {
    const char* widget;
    const char* port;
    long first;
};
const PortName kPorts[] = {
    {"SDIOutput", "SDI output", 1},
    {"SDIInput", "SDI input", 1},
    {"HDMIOutput", "HDMI output", 1},
    {"HDMIOut", "HDMI output", 1},
    {"HDMIInput", "HDMI input", 1},
    {"HDMIIn", "HDMI input", 1},
    {"LTC", "LTC port", 1},
    {"CaptureStore", "capture store", 0},
    {"PlayoutStore", "playout store", 0},
    {"SyncGenerator", "sync generator", 0},
};

} // namespace

std::string namedByPort(const std::string& call) {
    const size_t open = call.find('[');
    const size_t dot = call.find('.');
    if (open == std::string::npos || dot == std::string::npos || open > dot) {
        return call;
    }
    const std::string widget = call.substr(0, open);
    const long index = std::strtol(call.c_str() + open + 1, nullptr, 10);
    for (const PortName& name : kPorts) {
        if (widget != name.widget) {
            continue;
        }
        if (widget == "SDIOutput" && index == engine::kMonitorSDIOutput) {
            return "the monitor's SDI output (" + call + ")";
        }
        return std::string(name.port) + " " + std::to_string(index + name.first) + " (" + call +
               ")";
    }
    return call;
}

std::string chooseRootCause(const RootCauseEvidence& evidence,
                            const std::set<std::string>& harmless) {
    // A call that failed in more than one command of the test failed in their common set-up,
    // and the commands before the failing one passed with it.
    std::map<std::string, int> commandsFailing;
    std::vector<const std::vector<std::string>*> path = {&evidence.failingCalls};
    for (const std::vector<std::string>& calls : evidence.passedCommandCalls) {
        path.push_back(&calls);
    }
    for (const std::vector<std::string>* calls : path) {
        for (const std::string& call : std::set<std::string>(calls->begin(), calls->end())) {
            ++commandsFailing[call];
        }
    }
    // The failing command first, then the commands before it, latest first: a library may
    // carry on past a call that failed and fail only later, in another command.
    std::reverse(path.begin() + 1, path.end());
    for (const std::vector<std::string>* calls : path) {
        for (const std::string& call : *calls) {
            if (harmless.count(call) == 0 && commandsFailing[call] == 1) {
                return namedByPort(call);
            }
        }
    }
    if (!evidence.finding.empty()) {
        return evidence.finding;
    }
    return evidence.failingCalls.empty() ? std::string() : namedByPort(evidence.failingCalls[0]);
}

} // namespace zyvodiag

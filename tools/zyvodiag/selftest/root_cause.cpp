// Root causes: the failed call on the path the test exercises, named as a user numbers ports.
#include "selftest/root_cause.h"

#include "engine/device_layout.h"
#include "selftest/widget_classes.h"

#include "ZyvoFormatInfo.h"
#include "ZyvoTypes.h"

#include <zyvodiag>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>

namespace zyvodiag {
namespace {

// The widgets of the device library, as the tool's switches and texts call them; `first` is
// the number a user gives index 0. A widget is on a command's path when the command's word
// holds `word`, or when `portSwitch` followed by its number is one of the command's words.
struct PortName {
    const char* widget;
    const char* port;
    long first;
    int type;
    const char* word;
    const char* portSwitch;
};
const PortName kPorts[] = {
    {"SDIOutput", "SDI output", 1, ZYVO_WidgetType_SDIOutputWidget, nullptr, "-o"},
    {"SDIInput", "SDI input", 1, ZYVO_WidgetType_SDIInputWidget, nullptr, "-i"},
    {"HDMIOutput", "HDMI output", 1, -1, nullptr, nullptr},
    {"HDMIOut", "HDMI output", 1, ZYVO_WidgetType_HDMI4kOutWidget, "hdmi", nullptr},
    {"HDMIInput", "HDMI input", 1, -1, nullptr, nullptr},
    {"HDMIIn", "HDMI input", 1, ZYVO_WidgetType_HDMIInV4Widget, "hdmi", nullptr},
    {"LTC", "LTC port", 1, ZYVO_WidgetType_LTCIOWidget, "ltc", nullptr},
    {"CaptureStore", "capture store", 0, ZYVO_WidgetType_FrameBufferCaptureWidget, "capture",
     nullptr},
    {"PlayoutStore", "playout store", 0, ZYVO_WidgetType_FrameBufferPlayWidget, nullptr, "-b"},
    {"SyncGenerator", "sync generator", 0, ZYVO_WidgetType_SyncGeneratorWidget, "genlock", nullptr},
};

// "SDI output 3", "the monitor's SDI output"; empty for a widget on no port.
std::string portName(const std::string& widget, long index) {
    for (const PortName& name : kPorts) {
        if (widget != name.widget) {
            continue;
        }
        if (widget == "SDIOutput" && index == engine::kMonitorSDIOutput) {
            return "the monitor's SDI output";
        }
        return std::string(name.port) + " " + std::to_string(index + name.first);
    }
    return {};
}

// One period of every pixel format's cadence (16, 24 and 4 bytes): a frame that repeats it
// throughout is one colour.
constexpr size_t kCadences = 48;

// Whether the file holds one colour throughout; false when it cannot be read or is empty.
bool oneColour(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<char> block(kCadences * 4096);
    std::vector<char> first;
    size_t total = 0;
    while (file.read(block.data(), std::streamsize(block.size())) || file.gcount() > 0) {
        const size_t got = size_t(file.gcount());
        if (first.empty()) {
            first.assign(block.begin(), block.begin() + std::min(got, kCadences));
        }
        for (size_t i = 0; i < got; ++i) {
            if (block[i] != first[(total + i) % first.size()]) {
                return false;
            }
        }
        total += got;
    }
    return total > 0 && first.size() == std::min(total, kCadences);
}

// The frame format of the capture stores' set-up, from "fb{fmt=67,...}"; 0 when none.
long storeFormat(const std::vector<TracedCall>& calls) {
    for (const TracedCall& call : calls) {
        const size_t at = call.arguments.find("fmt=");
        if (call.target == "CaptureStore" && call.operation == "SetFrameBufferConfiguration" &&
            at != std::string::npos) {
            return std::strtol(call.arguments.c_str() + at + 4, nullptr, 10);
        }
    }
    return 0;
}

} // namespace

std::string namedByPort(const std::string& call) {
    const size_t open = call.find('[');
    const size_t dot = call.find('.');
    if (open == std::string::npos || dot == std::string::npos || open > dot) {
        return call;
    }
    const std::string port =
        portName(call.substr(0, open), std::strtol(call.c_str() + open + 1, nullptr, 10));
    return port.empty() ? call : port + " (" + call + ")";
}

std::string captureFault(const std::vector<TracedCall>& captureCalls,
                         const std::string& expectedFile, const std::string& capturedFile) {
    if (!oneColour(capturedFile) || oneColour(expectedFile)) {
        return {};
    }
    std::vector<std::string> started;
    for (const TracedCall& call : captureCalls) {
        if (call.target == "CaptureStore" && call.operation == "SetEnable" &&
            call.arguments == "true" && call.status > 0) {
            started.push_back(portName(call.target, call.index) + " (" + call.target + "[" +
                              std::to_string(call.index) + "])");
        }
    }
    if (!started.empty()) {
        std::string stores = started[0];
        for (size_t i = 1; i < started.size(); ++i) {
            stores += " or " + started[i];
        }
        return stores + " wrote no frame while on: the capture reads back one colour throughout";
    }
    // Never started: a quad format's stores need the single-image format the device library
    // translates it to, and without one the library gives up before starting them.
    const auto format = static_cast<ZyvoVideoFormat>(storeFormat(captureCalls));
    if (ZyvoVideoFormatInfo::isQuad(format) &&
        ZyvoVideoFormatInfo::Get4KSIDFormat(format) == ZYVO_VideoFormat_Unknown) {
        return std::string("no frame store format for ") + ZyvoDiag::videoFormatNameString(format) +
               " (ZyvoVideoFormatInfo::Get4KSIDFormat(" + std::to_string(format) +
               ") returned 0): no capture store was started";
    }
    return {};
}

std::string widgetFault(const std::string& name, const std::vector<std::string>& arguments,
                        const std::vector<TracedCall>& calls) {
    std::vector<std::pair<int, unsigned>> onPath;
    for (const TracedCall& call : calls) {
        const int type = std::atoi(call.arguments.c_str());
        const size_t comma = call.arguments.find(',');
        if (call.target != "device" || call.operation != "GetWidget" || call.status <= 0 ||
            comma == std::string::npos) {
            continue;
        }
        const auto index = unsigned(std::strtoul(call.arguments.c_str() + comma + 1, nullptr, 10));
        for (const PortName& port : kPorts) {
            const bool named =
                port.portSwitch != nullptr &&
                std::count(arguments.begin(), arguments.end(),
                           port.portSwitch + std::to_string(index + port.first)) != 0;
            const bool worded = port.word != nullptr && name.find(port.word) != std::string::npos;
            if (port.type == type && (named || worded) &&
                std::count(onPath.begin(), onPath.end(), std::make_pair(type, index)) == 0) {
                onPath.emplace_back(type, index);
            }
        }
    }
    for (const auto& [type, index] : widgetsOfAnotherClass(onPath)) {
        for (const PortName& port : kPorts) {
            if (port.type == type) {
                return portName(port.widget, long(index)) + " (device.GetWidget(" +
                       std::to_string(type) + ", " + std::to_string(index) +
                       ") returned a widget of another class)";
            }
        }
    }
    return {};
}

// The order of what explains a failure, each looked at only when the one before finds nothing:
//   1. a fault of the device on the failing command's path that the trace and the frames show
//      (a widget of another class, a capture store that wrote nothing, a quad format with no
//      frame store format): a set-up call the library failed and went past is less likely the
//      cause than a widget the command itself needed;
//   2. a call that failed in the failing command (it is what stopped the test);
//   3. a call that failed in an earlier command of the test, latest first;
//   4. what the tool, the library or the picture's analysis found: a sentence about the picture
//      only describes what a device's fault above did to the frame, so it comes after them.
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
    // A library may carry on past a call that failed and fail only later, in another command.
    std::reverse(path.begin() + 1, path.end());
    if (!evidence.deviceFault.empty()) {
        return evidence.deviceFault;
    }
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

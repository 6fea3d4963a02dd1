// Every operation of the simulated device library that a bench can make fail.
#include "fault_points.h"

#include <vector>

namespace zyvosim {
namespace {

struct FaultPoint {
    std::string target;
    int indexCount; // 0 for a target that has no index
    std::vector<std::string> operations;
};

// Each widget kind adds its row here, naming the operations whose entry takes a fault
// (SimCall::injectedFault), so a bench cannot arm a fault that nothing would ever take.
const std::vector<FaultPoint>& faultPoints() {
    static const std::vector<FaultPoint> points = {
        {"factory", 0, {"CreateLocalDevice"}},
        {"device", 0, {"Open", "InitializeHardware"}},
        {"QELDebug", 0, {"Open"}},
    };
    return points;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

bool isOperationOf(const FaultPoint& point, const std::string& operation) {
    for (const std::string& known : point.operations) {
        if (known == operation)
            return true;
    }
    return false;
}

} // namespace

bool isFaultPoint(const std::string& target, int index, const std::string& operation,
                  std::string& problem) {
    for (const FaultPoint& point : faultPoints()) {
        if (point.target != target)
            continue;
        if (point.indexCount == 0 && index >= 0) {
            problem = "'" + target + "' takes no index";
            return false;
        }
        if (index >= point.indexCount) {
            problem = "'" + target + "' index " + std::to_string(index) + " is not in 0-" +
                      std::to_string(point.indexCount - 1);
            return false;
        }
        if (!isOperationOf(point, operation)) {
            problem = "'" + target + "' has no operation '" + operation +
                      "' that can fail (it has " + joined(point.operations) + ")";
            return false;
        }
        return true;
    }
    problem = "unknown fault target '" + target + "'";
    return false;
}

} // namespace zyvosim

// Every operation of the simulated device library that a bench can make fail: those of the
// widget kinds, as their descriptions list them, and of the library's objects that have no index.
#include "calls/fault_points.h"

#include "bench/bench_line.h"
#include "widgets/widget_kinds.h"

namespace zyvosim {
namespace {

struct LibraryTarget {
    const char* name;
    OperationList operations;
};

const char* const kFactoryOperations[] = {"CreateLocalDevice"};
const char* const kDeviceOperations[] = {"Open", "InitializeHardware"};
const char* const kDebugOperations[] = {"Open"};
const char* const kDmaBufferOperations[] = {"SetupAndGetBufferStart"};

// Only the operations whose entry takes a fault (SimCall::injectedFault), so a bench cannot arm
// a fault that nothing would ever take.
const LibraryTarget kLibraryTargets[] = {
    {"factory", kFactoryOperations},
    {"device", kDeviceOperations},
    {"QELDebug", kDebugOperations},
    {"DmaBuffer", kDmaBufferOperations},
};

bool isOperationOf(const std::string& target, const OperationList& operations,
                   const std::string& operation, std::string& problem) {
    if (operations.contains(operation)) {
        return true;
    }
    problem = "'" + target + "' has no operation '" + shownField(operation) +
              "' that can fail (it has " + operations.joined() + ")";
    return false;
}

} // namespace

bool isFaultPoint(const std::string& target, int index, const std::string& operation,
                  std::string& problem) {
    if (const WidgetKind* kind = findWidgetKind(target)) {
        if (index >= static_cast<int>(kind->count)) {
            problem = "'" + target + "' index " + std::to_string(index) + " is not in 0-" +
                      std::to_string(kind->count - 1);
            return false;
        }
        return isOperationOf(target, kind->operations, operation, problem);
    }
    for (const LibraryTarget& library : kLibraryTargets) {
        if (target != library.name) {
            continue;
        }
        if (index >= 0) {
            problem = "'" + target + "' takes no index";
            return false;
        }
        return isOperationOf(target, library.operations, operation, problem);
    }
    problem = "unknown fault target '" + shownField(target) + "'";
    return false;
}

} // namespace zyvosim

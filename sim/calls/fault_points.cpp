// Every operation of the simulated device library that a bench can make fail.
#include "calls/fault_points.h"

#include "bench/bench_line.h"

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
        {"SDIInput", 8, {"GetInputConfiguration"}},
        {"SDIOutput",
         11,
         {"SetConfiguration", "SetOutputSwitchA", "SetOutputSwitchB", "SetOutputSwitchC",
          "SetOutputSwitchD", "SetOutputSwitchE", "SetMute", "SetEnable", "SetVideoSource",
          "Apply"}},
        {"DualLinkIn", 4, {"SetConfiguration", "SetVideoSource"}},
        {"DualLinkOut", 5, {"SetConfiguration", "SetVideoSource"}},
        {"CaptureStore",
         4,
         {"GetFrameBufferConfiguration", "SetActiveFrameBuffer", "SetFrameBufferConfiguration",
          "SetVideoMode", "SetVideoSource1", "SetVideoSource2", "SetRegisterSync",
          "SetTwoSampleInterleaveMode", "SetFrameBufferBaseAddress", "SetFrameBufferSize",
          "SetFrameBufferNumber", "WritePreset", "SetEnable", "SetVideoSource"}},
        {"PlayoutStore",
         6,
         {"GetFrameBufferConfiguration",
          "SetActiveFrameBuffer",
          "SetFrameBufferConfiguration",
          "SetVideoMode",
          "SetRegisterSync",
          "SetTwoSampleInterleaveMode",
          "SetFrameBufferBaseAddress",
          "SetFrameBufferSize",
          "SetFrameBufferNumber",
          "WritePreset",
          "SetEnable",
          "SetLinePitch",
          "SetSamplesPerLine",
          "SetActiveLineCount",
          "SetTotalLineCount",
          "SetRasterParameterA",
          "SetRasterParameterB",
          "SetRasterParameterC",
          "SetRasterParameterD",
          "SetRasterParameterE",
          "SetRasterParameterF",
          "SetRasterParameterG",
          "SetRasterParameterH",
          "SetRasterParameterI",
          "SetRasterParameterJ",
          "SetRasterParameterK",
          "GetFrameBufferAddress",
          "GetBytesPerLine",
          "GetLineCount"}},
        {"Control", 1, {"SetFrameApertureBaseAddress", "GetFrameApertureBaseAddress"}},
        {"DMA", 1, {"DoDma"}},
        {"DmaBuffer", 0, {"SetupAndGetBufferStart"}},
        {"SyncGenerator",
         1,
         {"SetReferenceSource", "GetReferenceSource", "GetReferenceInputFormat",
          "GetInterruptControlIndex", "SetConfiguration"}},
        {"InterruptControl", 16, {"SetInterruptEnable", "SetConfiguration", "SetSyncSource"}},
        {"LTC",
         1,
         {"SetMode", "GetMode", "IsInputAvailable", "IsOutputAvailable", "IsInputDetected",
          "SetOutputTimeCode", "GetInputTimeCode", "SetFrameRate", "GetFrameRate"}},
        {"HDMIOut",
         1,
         {"SetMonitorState", "SetSourceConfiguration", "SetSourceAudioMode", "SetSinkAudioMode",
          "SetDefaultVideoColorRange", "SetAudioMute", "SetVendorName", "SetProductName",
          "SetVideoSource1", "SetVideoSource2", "SetVideoSource3", "SetVideoSource4",
          "WriteRegister", "ReadRegister"}},
        {"HDMIIn", 1, {"Initialize", "WriteRegister", "ReadRegister", "GetInputSignal"}},
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
            problem = "'" + target + "' has no operation '" + shownField(operation) +
                      "' that can fail (it has " + joined(point.operations) + ")";
            return false;
        }
        return true;
    }
    problem = "unknown fault target '" + shownField(target) + "'";
    return false;
}

} // namespace zyvosim

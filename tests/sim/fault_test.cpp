// Faults a bench arms: which call takes them, how often, and what the caller sees.
#include "card_fixture.h"

#include "QELDebug.h"
#include "ZyvoDma.h"
#include "ZyvoFrameBufferWidgets.h"
#include "ZyvoHDMIWidgets.h"
#include "ZyvoSDIWidgets.h"
#include "ZyvoTimingWidgets.h"

#include <csignal>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <tuple>
#include <type_traits>
#include <vector>

namespace {

using FaultTest = CardTest;

TEST_F(FaultTest, throwFaultThrowsOutOfTheCallOnce) {
    useBench("throw device.Open once\n");
    ZyvoDevice& device = this->device();
    EXPECT_THROW(device.Open(), std::runtime_error);
    EXPECT_EQ(device.Open(), 1);
    EXPECT_EQ(zyvosim::formatTraceEntry(zyvosim::trace().at(2)), "device.Open() -> threw");
}

// The names a bench error lists after `lead`, up to its closing parenthesis.
std::vector<std::string> listed(const std::string& error, const std::string& lead) {
    size_t start = error.find(lead);
    EXPECT_NE(start, std::string::npos) << error;
    std::istringstream names(
        error.substr(start + lead.size(), error.rfind(')') - start - lead.size()));
    std::vector<std::string> list;
    for (std::string name; std::getline(names >> std::ws, name, ',');) {
        list.push_back(name);
    }
    return list;
}

// What a parameter of type T is given: zero, or a zeroed object its pointer or reference names.
template <typename T> struct Zeroed {
    std::remove_cv_t<std::remove_pointer_t<std::remove_reference_t<T>>> object{};
    T get() {
        if constexpr (std::is_pointer_v<T>) {
            return &object;
        } else {
            return object;
        }
    }
};

template <typename Widget, typename Class, typename... Parameters>
void callZeroed(Widget& widget, int (Class::*operation)(Parameters...)) {
    std::tuple<Zeroed<Parameters>...> arguments;
    std::apply([&](auto&... argument) { (widget.*operation)(argument.get()...); }, arguments);
}

// Calls the operations of one fault target; given the widget index for a widget kind.
using Calls = std::function<void(unsigned index)>;

void onDevice(const std::function<void(ZyvoDevice&)>& use) {
    ZyvoDeviceFactory factory;
    ZyvoDevice* device = nullptr;
    factory.FindLocalDevices();
    ASSERT_EQ(factory.CreateLocalDevice(0, device), 1);
    use(*device);
    factory.ReleaseDevice(device);
}

// Each of `operations` of widget `index` of `type`, with zeroed arguments.
template <typename Widget, typename... Operations>
Calls widgetCalls(ZyvoWidgetType type, Operations... operations) {
    return [=](unsigned index) {
        onDevice([&](ZyvoDevice& device) {
            auto* widget = dynamic_cast<Widget*>(device.GetWidget(type, index));
            ASSERT_NE(widget, nullptr) << type;
            (callZeroed(*widget, operations), ...);
        });
    };
}

using SdiIn = ZyvoSDIInputV2Widget;
using SdiOut = ZyvoSDIOutputV2Widget;
using LinkIn = ZyvoDualLinkInWidget;
using LinkOut = ZyvoDualLinkOutWidget;
using Capture = ZyvoFrameBufferCaptureWidget;
using Play = ZyvoFrameBufferPlayWidget;
using Sync = ZyvoSyncGeneratorV3Widget;
using Interrupt = ZyvoInterruptControlWidget;
using Ltc = ZyvoLTCIOWidget;
using HdmiIn = ZyvoHDMIInV4Widget;
using HdmiOut = ZyvoHDMIOutV4Widget;

// A way to call every operation of every fault target the test takes. A target the simulator
// lists without one here, or an operation these never call, fails the test.
const std::map<std::string, Calls> kCalls = {
    {"factory",
     [](unsigned) {
         ZyvoDeviceFactory factory;
         ZyvoDevice* device = nullptr;
         factory.FindLocalDevices();
         factory.CreateLocalDevice(0, device);
         factory.ReleaseDevice(device);
     }},
    {"device",
     [](unsigned) {
         onDevice([](ZyvoDevice& device) {
             device.Open();
             device.InitializeHardware();
         });
     }},
    {"QELDebug", [](unsigned) { QELDebug::Open(); }},
    {"SDIInput", widgetCalls<SdiIn>(ZYVO_WidgetType_SDIInputWidget, &SdiIn::GetInputConfiguration)},
    {"SDIOutput", widgetCalls<SdiOut>(ZYVO_WidgetType_SDIOutputWidget, &SdiOut::SetConfiguration,
                                      &SdiOut::SetOutputSwitchA, &SdiOut::SetOutputSwitchB,
                                      &SdiOut::SetOutputSwitchC, &SdiOut::SetOutputSwitchD,
                                      &SdiOut::SetOutputSwitchE, &SdiOut::SetMute,
                                      &SdiOut::SetEnable, &SdiOut::SetVideoSource, &SdiOut::Apply)},
    {"DualLinkIn", widgetCalls<LinkIn>(ZYVO_WidgetType_DualLinkInWidget, &LinkIn::SetConfiguration,
                                       &LinkIn::SetVideoSource)},
    {"DualLinkOut", widgetCalls<LinkOut>(ZYVO_WidgetType_DualLinkOutWidget,
                                         &LinkOut::SetConfiguration, &LinkOut::SetVideoSource)},
    {"CaptureStore",
     widgetCalls<Capture>(ZYVO_WidgetType_FrameBufferCaptureWidget,
                          &Capture::GetFrameBufferConfiguration, &Capture::SetActiveFrameBuffer,
                          &Capture::SetFrameBufferConfiguration, &Capture::SetVideoMode,
                          &Capture::SetVideoSource1, &Capture::SetVideoSource2,
                          &Capture::SetRegisterSync, &Capture::SetTwoSampleInterleaveMode,
                          &Capture::SetFrameBufferBaseAddress, &Capture::SetFrameBufferSize,
                          &Capture::SetFrameBufferNumber, &Capture::WritePreset,
                          &Capture::SetEnable, &Capture::SetVideoSource)},
    {"PlayoutStore",
     widgetCalls<Play>(
         ZYVO_WidgetType_FrameBufferPlayWidget, &Play::GetFrameBufferConfiguration,
         &Play::SetActiveFrameBuffer, &Play::SetFrameBufferConfiguration, &Play::SetVideoMode,
         &Play::SetRegisterSync, &Play::SetTwoSampleInterleaveMode,
         &Play::SetFrameBufferBaseAddress, &Play::SetFrameBufferSize, &Play::SetFrameBufferNumber,
         &Play::WritePreset, &Play::SetEnable, &Play::SetLinePitch, &Play::SetSamplesPerLine,
         &Play::SetActiveLineCount, &Play::SetTotalLineCount, &Play::SetRasterParameterA,
         &Play::SetRasterParameterB, &Play::SetRasterParameterC, &Play::SetRasterParameterD,
         &Play::SetRasterParameterE, &Play::SetRasterParameterF, &Play::SetRasterParameterG,
         &Play::SetRasterParameterH, &Play::SetRasterParameterI, &Play::SetRasterParameterJ,
         &Play::SetRasterParameterK, &Play::GetFrameBufferAddress, &Play::GetBytesPerLine,
         &Play::GetLineCount)},
    {"Control",
     widgetCalls<ZyvoGarnControlWidget>(ZYVO_WidgetType_RimbaControlWidget,
                                        &ZyvoGarnControlWidget::SetFrameApertureBaseAddress,
                                        &ZyvoGarnControlWidget::GetFrameApertureBaseAddress)},
    {"DMA", widgetCalls<ZyvoDmaIO>(ZYVO_WidgetType_DmaIO, &ZyvoDmaIO::DoDma)},
    {"SyncGenerator",
     widgetCalls<Sync>(ZYVO_WidgetType_SyncGeneratorWidget, &Sync::SetReferenceSource,
                       &Sync::GetReferenceSource, &Sync::GetReferenceInputFormat,
                       &Sync::GetInterruptControlIndex, &Sync::SetConfiguration)},
    {"InterruptControl",
     widgetCalls<Interrupt>(ZYVO_WidgetType_InterruptControlWidget, &Interrupt::SetInterruptEnable,
                            &Interrupt::SetConfiguration, &Interrupt::SetSyncSource)},
    {"LTC", widgetCalls<Ltc>(ZYVO_WidgetType_LTCIOWidget, &Ltc::SetMode, &Ltc::GetMode,
                             &Ltc::IsInputAvailable, &Ltc::IsOutputAvailable, &Ltc::IsInputDetected,
                             &Ltc::SetOutputTimeCode, &Ltc::GetInputTimeCode, &Ltc::SetFrameRate,
                             &Ltc::GetFrameRate)},
    {"HDMIIn",
     widgetCalls<HdmiIn>(ZYVO_WidgetType_HDMIInV4Widget, &HdmiIn::Initialize,
                         &HdmiIn::WriteRegister, &HdmiIn::ReadRegister, &HdmiIn::GetInputSignal)},
    {"HDMIOut", widgetCalls<HdmiOut>(
                    ZYVO_WidgetType_HDMI4kOutWidget, &HdmiOut::SetMonitorState,
                    &HdmiOut::SetSourceConfiguration, &HdmiOut::SetSourceAudioMode,
                    &HdmiOut::SetSinkAudioMode, &HdmiOut::SetDefaultVideoColorRange,
                    &HdmiOut::SetAudioMute, &HdmiOut::SetVendorName, &HdmiOut::SetProductName,
                    &HdmiOut::SetVideoSource1, &HdmiOut::SetVideoSource2, &HdmiOut::SetVideoSource3,
                    &HdmiOut::SetVideoSource4, &HdmiOut::WriteRegister, &HdmiOut::ReadRegister)},
};

// Every operation the simulator lets a bench fault, at each widget kind's last port, takes a
// `once` fault on its first call and the standing fault behind it on its second, as the trace
// shows. The host buffer, a value object, stays out of the trace: its fault shows as no buffer.
TEST_F(SimTest, everyOperationTakesItsFaultOnceThenTheStandingOne) {
    std::string error;
    ASSERT_FALSE(zyvosim::loadBench("missing Nothing 0\n", error));
    std::vector<std::string> targets = listed(error, "(the card has ");
    EXPECT_EQ(targets.size(), 13u);
    targets.insert(targets.end(), {"factory", "device", "QELDebug"});
    size_t operations = 0;
    for (const std::string& target : targets) {
        std::string where = target;
        int index = -1;
        if (!zyvosim::loadBench("fault " + target + "[65535].Nothing 1\n", error) &&
            error.find("is not in 0-") != std::string::npos) {
            index = std::stoi(error.substr(error.rfind('-') + 1));
            where += "[" + std::to_string(index) + "]";
        }
        ASSERT_FALSE(zyvosim::loadBench("fault " + target + ".Nothing 1\n", error));
        std::string faults;
        std::map<std::string, std::vector<int>> expected, seen;
        for (const std::string& operation : listed(error, "(it has ")) {
            faults += "fault " + where + "." + operation + " -7 once\n";
            faults += "fault " + where + "." + operation + " -8\n";
            expected[operation] = {-7, -8};
            ++operations;
        }
        zyvosim::reset();
        useBench(faults);
        auto calls = kCalls.find(target);
        ASSERT_NE(calls, kCalls.end()) << "no way to call the operations of " << target;
        calls->second(static_cast<unsigned>(index));
        calls->second(static_cast<unsigned>(index));
        for (const zyvosim::TraceEntry& entry : zyvosim::trace()) {
            if (entry.target == target && entry.index == index &&
                expected.count(entry.operation) > 0) {
                seen[entry.operation].push_back(entry.status);
            }
        }
        EXPECT_EQ(seen, expected) << target;
    }
    EXPECT_GE(operations, 95u); // the lists were read whole
    useBench("fault DmaBuffer.SetupAndGetBufferStart -7 once\n");
    ZyvoDmaBuffer buffer;
    EXPECT_EQ(buffer.SetupAndGetBufferStart(16), nullptr);
    EXPECT_NE(buffer.SetupAndGetBufferStart(16), nullptr);
}

volatile std::sig_atomic_t s_interrupts = 0;

void countInterrupt(int) {
    s_interrupts = s_interrupts + 1;
}

TEST_F(FaultTest, interruptFaultRaisesSigintWhileTheCallStillWorks) {
    useBench("interrupt device.InitializeHardware\n");
    ZyvoDevice& device = this->device();
    s_interrupts = 0;
    auto previous = std::signal(SIGINT, countInterrupt);
    EXPECT_EQ(device.InitializeHardware(), 1);
    EXPECT_EQ(device.InitializeHardware(), 1);
    std::signal(SIGINT, previous);
    EXPECT_EQ(s_interrupts, 2);
}

} // namespace

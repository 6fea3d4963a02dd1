// Shared set-up of the widget tests: device 0 of the bench a test loads, and its widgets.
#pragma once

#include "captured.h"
#include "sim_fixture.h"

#include "ZyvoDevice.h"

#include <stdexcept>
#include <string>

class CardTest : public SimTest {
protected:
    void TearDown() override {
        mFactory.ReleaseDevice(mpDevice);
        SimTest::TearDown();
    }

    // Device 0, created for the bench in use on first need: load the bench first.
    ZyvoDevice& device() {
        if (mpDevice == nullptr) {
            mFactory.FindLocalDevices();
            if (mFactory.CreateLocalDevice(0, mpDevice) <= 0) {
                throw std::runtime_error("no device 0 on the bench");
            }
        }
        return *mpDevice;
    }

    // A missing widget fails the test (gtest reports the exception) instead of crashing it.
    template <typename Widget> Widget* widget(ZyvoWidgetType type, unsigned index = 0) {
        auto* found = dynamic_cast<Widget*>(device().GetWidget(type, index));
        if (found == nullptr) {
            throw std::runtime_error("no widget of type " + std::to_string(type));
        }
        return found;
    }

    // Device `index` created as a host creates it, and released: what CreateLocalDevice returned
    // and printed.
    static zyvotest::Outcome<int> createDevice(unsigned index = 0) {
        ZyvoDeviceFactory factory;
        ZyvoDevice* created = nullptr;
        factory.FindLocalDevices();
        auto outcome =
            zyvotest::captured([&] { return factory.CreateLocalDevice(index, created); });
        factory.ReleaseDevice(created);
        return outcome;
    }

    static std::string lastCall() {
        const auto& entries = zyvosim::trace();
        return entries.empty() ? "" : zyvosim::formatTraceEntry(entries.back());
    }

private:
    ZyvoDeviceFactory mFactory;
    ZyvoDevice* mpDevice = nullptr;
};

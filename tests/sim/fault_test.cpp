// Faults a bench arms: which call takes them, how often, and what the caller sees.
#include "card_fixture.h"

#include <csignal>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

using FaultTest = CardTest;

TEST_F(FaultTest, standingFaultTakesOverOnceAnEarlierOnceFaultIsSpent) {
    useBench("fault device.InitializeHardware -5 once\nfault device.InitializeHardware 0\n");
    EXPECT_EQ(device().Open(), 1);
    EXPECT_EQ(device().InitializeHardware(), -5);
    EXPECT_EQ(device().InitializeHardware(), 0);
    EXPECT_EQ(device().InitializeHardware(), 0);
}

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

// Every operation of every widget kind the bench names can be faulted, at each kind's last
// port, and the widget a fault names is one the card has.
TEST_F(SimTest, everyOperationOfEveryWidgetKindCanBeFaulted) {
    std::string error, faults;
    ASSERT_FALSE(zyvosim::loadBench("missing Nothing 0\n", error));
    std::vector<std::string> kinds = listed(error, "(the card has ");
    EXPECT_EQ(kinds.size(), 13u);
    size_t operations = 0;
    for (const std::string& kind : kinds) {
        ASSERT_FALSE(zyvosim::loadBench("fault " + kind + "[65535].Nothing 1\n", error));
        std::string last = error.substr(error.rfind('-') + 1);
        ASSERT_FALSE(zyvosim::loadBench("fault " + kind + ".Nothing 1\n", error));
        for (const std::string& operation : listed(error, "(it has ")) {
            faults += "fault " + kind + "[" + last + "]." + operation + " -7\n";
            ++operations;
        }
        faults += "missing " + kind + " " + last + "\n";
    }
    useBench(faults);
    EXPECT_GE(operations, 90u); // the lists were read whole
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

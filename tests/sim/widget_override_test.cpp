// Bench lines that take widgets off the card or give them another class, and what is refused.
// How the diagnostics report such a widget is the engine tests' business.
#include "sim_fixture.h"

#include <string>

namespace {

struct BadLine {
    const char* line;
    const char* error;
};

class WidgetOverrideRefusalTest : public SimTest, public ::testing::WithParamInterface<BadLine> {};

TEST_P(WidgetOverrideRefusalTest, namesTheProblem) {
    std::string error;
    EXPECT_FALSE(zyvosim::loadBench(GetParam().line, error, "lab.bench"));
    EXPECT_EQ(error.substr(0, error.find(" (the card has")), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WidgetOverrideRefusalTest,
    ::testing::Values(
        BadLine{"missing SDIOutputs 0\n", "lab.bench:1: missing: unknown widget kind 'SDIOutputs'"},
        BadLine{"missing SDIOutput 11\n", "lab.bench:1: missing: INDEX 11 is not in 0 to 10"},
        BadLine{"wrong-class DMA\n",
                "lab.bench:1: wrong-class: missing INDEX; expected 'wrong-class KIND INDEX'"},
        BadLine{"state-dir\n", "lab.bench:1: state-dir: missing PATH or private; expected "
                               "'state-dir PATH | state-dir private'"}));

} // namespace

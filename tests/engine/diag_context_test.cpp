// The diagnostic context's fixed video configuration.
#include "engine_test.h"

namespace enginetest {
namespace {

// A configuration that notes each setter call and refuses every one of them.
class RefusingConfiguration : public ZyvoVideoConfiguration {
public:
    Lines setters;

    int SetDefaultFormat(ZyvoVideoFormat value) override { return note("format", value); }
    int SetVideoSampling(ZyvoVideoSampling value) override { return note("sampling", value); }
    int SetVideoColorSpace(ZyvoVideoColorSpace value) override { return note("colorSpace", value); }
    int SetVideoColorRange(ZyvoVideoColorRange value) override { return note("colorRange", value); }
    int SetVideoAspectRatio(ZyvoVideoAspectRatio value) override {
        return note("aspectRatio", value);
    }
    int SetVideoBitDepth(ZyvoVideoBitDepth value) override { return note("bitDepth", value); }
    int SetVideoChannel(ZyvoVideoChannel value) override { return note("channel", value); }

private:
    int note(const char* setter, int value) {
        setters.push_back(std::string(setter) + " " + std::to_string(value));
        return -1;
    }
};

TEST(DiagContextTest, diagnosticConfigurationSetsAllSevenInDeclarationOrderAndReturns2) {
    ZyvoDiag diag;
    RefusingConfiguration configuration;
    EXPECT_EQ(diag.SetDiagnosticVideoConfiguration(&configuration, ZYVO_VideoFormat_1080p_25), 2);
    EXPECT_EQ(configuration.setters,
              (Lines{"format 28", "sampling 2", "colorSpace 1", "colorRange 2", "aspectRatio 2",
                     "bitDepth 1", "channel 1"}));
}

} // namespace
} // namespace enginetest

// The diagnostic context: a plain record of the widgets one user command works with.
#include <zyvodiag>

namespace {

// The colour space the diagnostics have always asked for; the device library has no name for it.
constexpr auto kDiagnosticColorSpace = static_cast<ZyvoVideoColorSpace>(1);

} // namespace

// Construction and destruction do no work: each user command fills the entries it uses through
// its set-up operation, and the context owns none of the widgets.
ZyvoDiag::ZyvoDiag() {}

ZyvoDiag::~ZyvoDiag() {}

int ZyvoDiag::SetDiagnosticVideoConfiguration(ZyvoVideoConfiguration* config,
                                              ZyvoVideoFormat format) {
    // The setters in declaration order: format, sampling, colour space, colour range, aspect
    // ratio, bit depth, channel. Their results do not matter to the diagnostics.
    config->SetDefaultFormat(format);
    config->SetVideoSampling(ZYVO_VideoSampling_422);
    config->SetVideoColorSpace(kDiagnosticColorSpace);
    config->SetVideoColorRange(ZYVO_VideoColorRange_Full);
    config->SetVideoAspectRatio(ZYVO_VideoAspectRatio_16x9);
    config->SetVideoBitDepth(ZYVO_VideoBitDepth_8);
    config->SetVideoChannel(ZYVO_VideoChannel_1);
    return 2;
}

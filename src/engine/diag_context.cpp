// The diagnostic context: a plain record of the widgets one user command works with.
#include <zyvodiag>

// Construction and destruction do no work: each user command fills the entries it uses through
// its set-up operation, and the context owns none of the widgets.
ZyvoDiag::ZyvoDiag() {}

ZyvoDiag::~ZyvoDiag() {}

int ZyvoDiag::SetDiagnosticVideoConfiguration(ZyvoVideoConfiguration* config,
                                              ZyvoVideoFormat format) {
    // The setters in declaration order: format, sampling, colour space, colour range, aspect
    // ratio, bit depth, channel. Their results do not matter to the diagnostics.
    config->SetDefaultFormat(format);
    config->SetVideoSampling(static_cast<ZyvoVideoSampling>(2));
    config->SetVideoColorSpace(static_cast<ZyvoVideoColorSpace>(1));
    config->SetVideoColorRange(static_cast<ZyvoVideoColorRange>(2));
    config->SetVideoAspectRatio(static_cast<ZyvoVideoAspectRatio>(2));
    config->SetVideoBitDepth(static_cast<ZyvoVideoBitDepth>(1));
    config->SetVideoChannel(static_cast<ZyvoVideoChannel>(1));
    return 2;
}

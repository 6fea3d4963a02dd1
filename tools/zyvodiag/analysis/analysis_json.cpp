// Each impairment's parameters under the names the bench's impair lines use.
#include "analysis/analysis_json.h"

#include <cmath>

namespace zyvodiag {
namespace {

double rounded(double value, double step) {
    return std::round(value / step) * step;
}

nlohmann::json parametersJson(const Impairment& i, PixelLayout layout) {
    nlohmann::json p = nlohmann::json::object();
    switch (i.kind) {
    case ImpairmentKind::StuckBit:
        p["value"] = i.value;
        [[fallthrough]];
    case ImpairmentKind::InvertedBit:
        p["channel"] = channelName(isYCbCr(layout), i.channel);
        p["bit"] = i.bit;
        break;
    case ImpairmentKind::Truncated:
        p["bits"] = i.bits;
        break;
    case ImpairmentKind::Range:
    case ImpairmentKind::Matrix:
        p["from"] = directionFrom(i.direction);
        p["to"] = directionTo(i.direction);
        break;
    case ImpairmentKind::Shift:
        p["dx"] = i.dx;
        p["dy"] = i.dy;
        break;
    case ImpairmentKind::Torn:
        p["line"] = i.line;
        if (i.pattern >= 0) {
            p["pattern"] = i.pattern;
        }
        break;
    case ImpairmentKind::WrongPicture:
        p["pattern"] = i.pattern;
        break;
    case ImpairmentKind::BitErrors:
        p["rate"] = i.rate;
        break;
    default:
        break;
    }
    return p;
}

nlohmann::json candidateJson(const Candidate& candidate, PixelLayout layout) {
    return {{"impairment", kindName(candidate.impairment.kind)},
            {"parameters", parametersJson(candidate.impairment, layout)},
            {"confidence", rounded(candidate.confidence, 0.001)},
            {"explained", rounded(candidate.explained, 0.0001)}};
}

} // namespace

nlohmann::json analysisJson(const Analysis& analysis, PixelLayout layout) {
    nlohmann::json out;
    if (analysis.identical) {
        out["impairment"] = nullptr;
        out["parameters"] = nlohmann::json::object();
        out["confidence"] = 1.0;
        out["explained"] = 0.0;
    } else {
        out = candidateJson(analysis.best, layout);
    }
    out["alternatives"] = nlohmann::json::array();
    for (const Candidate& alternative : analysis.alternatives) {
        out["alternatives"].push_back(candidateJson(alternative, layout));
    }
    out["summary"] = analysis.summary;
    return out;
}

} // namespace zyvodiag

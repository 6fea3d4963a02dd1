// Vectorscopes: chroma pairs counted per point, drawn over the axes and the colour bar targets.
#include "pictures/vectorscope.h"

#include "pictures/bt709.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace zyvodiag {

using namespace bt709;

namespace {

const Rgb8 kAxis = {48, 48, 48};
const Rgb8 kLegalBox = {70, 58, 0};
const Rgb8 kTrace = {150, 255, 150};
constexpr unsigned kSide = VectorscopeLayout::kSide;

// An 8-bit level at `depth` bits, rounded there (not rounded at 8 bits and shifted).
unsigned code(double value, unsigned depth) {
    return unsigned(std::lround(value * double(1u << (depth - 8))));
}

// Chroma codes at `depth` of the non-linear R'G'B' values `r`, `g`, `b` from 0 to 1.
void chromaOf(double r, double g, double b, unsigned depth, unsigned& cb, unsigned& cr) {
    const double luma = kRed * r + kGreen * g + kBlue * b;
    cb = code(kNeutral + kChromaRange * (b - luma) / kCbScale, depth);
    cr = code(kNeutral + kChromaRange * (r - luma) / kCrScale, depth);
}

} // namespace

// R'G'B' codes to chroma codes through the matrix, one table per term in 1/65536 of a code, so
// that an RGB frame costs three look-ups and a shift per chroma sample.
class RgbToChroma {
public:
    explicit RgbToChroma(unsigned depth) {
        const size_t codes = size_t(1) << depth;
        const double peak = double(codes - 1);
        const double scale = kChromaRange * double(1u << (depth - 8)) * 65536;
        // (b - luma) / kCbScale and (r - luma) / kCrScale, written per component.
        const double cb[3] = {-kRed / kCbScale, -kGreen / kCbScale, (1 - kBlue) / kCbScale};
        const double cr[3] = {(1 - kRed) / kCrScale, -kGreen / kCrScale, -kBlue / kCrScale};
        for (unsigned c = 0; c < 3; ++c) {
            mCb[c].resize(codes);
            mCr[c].resize(codes);
            for (size_t code = 0; code < codes; ++code) {
                mCb[c][code] = int32_t(std::lround(cb[c] * scale * double(code) / peak));
                mCr[c][code] = int32_t(std::lround(cr[c] * scale * double(code) / peak));
            }
        }
        mNeutral = int32_t(kNeutral << (depth - 8)) * 65536 + 32768;
    }
    void operator()(const Sample& s, unsigned& cb, unsigned& cr) const {
        cb = unsigned(mNeutral + mCb[0][s.c[0]] + mCb[1][s.c[1]] + mCb[2][s.c[2]]) >> 16;
        cr = unsigned(mNeutral + mCr[0][s.c[0]] + mCr[1][s.c[1]] + mCr[2][s.c[2]]) >> 16;
    }

private:
    int32_t mNeutral;
    std::vector<int32_t> mCb[3], mCr[3];
};

namespace {

void drawBox(RgbImage& picture, ScopePoint centre, unsigned half, Rgb8 colour) {
    const int left = int(centre.x) - int(half), right = int(centre.x) + int(half);
    const int top = int(centre.y) - int(half), bottom = int(centre.y) + int(half);
    const auto put = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < int(kSide) && y < int(kSide)) {
            picture.set(unsigned(x), unsigned(y), colour);
        }
    };
    for (int i = left; i <= right; ++i) {
        put(i, top);
        put(i, bottom);
    }
    for (int i = top; i <= bottom; ++i) {
        put(left, i);
        put(right, i);
    }
}

void drawGraticule(RgbImage& picture, unsigned depth) {
    const ScopePoint centre = VectorscopeLayout::point(1u << (depth - 1), 1u << (depth - 1), depth);
    for (unsigned i = 0; i < kSide; ++i) {
        picture.set(i, centre.y, kAxis);
        picture.set(centre.x, i, kAxis);
    }
    // The legal chroma range, 64-960 at 10 bits.
    const unsigned low = kBlack << (depth - 8), high = kChromaPeak << (depth - 8);
    const ScopePoint corner = VectorscopeLayout::point(low, high, depth);
    const ScopePoint opposite = VectorscopeLayout::point(high, low, depth);
    for (unsigned i = corner.x; i <= opposite.x; ++i) {
        picture.set(i, corner.y, kLegalBox);
        picture.set(i, opposite.y, kLegalBox);
    }
    for (unsigned i = corner.y; i <= opposite.y; ++i) {
        picture.set(corner.x, i, kLegalBox);
        picture.set(opposite.x, i, kLegalBox);
    }
    for (const BarTarget& target : bt709BarTargets(depth)) {
        const Rgb8 colour =
            toRgb8(Sample{{uint16_t(target.y), uint16_t(target.cb), uint16_t(target.cr)}},
                   depth == 8 ? PixelLayout::YCbCr8
                              : (depth == 10 ? PixelLayout::YCbCr10 : PixelLayout::YCbCr12));
        drawBox(picture, VectorscopeLayout::point(target.cb, target.cr, depth),
                target.percent == 75 ? kTargetHalfSide75 : kTargetHalfSide100, colour);
    }
}

// Three pixels square, so that a flat colour's single point is seen in a report's thumbnail; it
// stays inside the smallest target box.
void drawDot(RgbImage& picture, unsigned x, unsigned y, unsigned brightness) {
    for (unsigned dotY = y > 0 ? y - 1 : 0; dotY <= std::min(y + 1, kSide - 1); ++dotY) {
        for (unsigned dotX = x > 0 ? x - 1 : 0; dotX <= std::min(x + 1, kSide - 1); ++dotX) {
            picture.set(dotX, dotY, traceOver(picture.at(dotX, dotY), kTrace, brightness));
        }
    }
}

} // namespace

std::vector<BarTarget> bt709BarTargets(unsigned depth) {
    struct Colour {
        const char* name;
        double r, g, b;
    };
    static const Colour colours[] = {{"yellow", 1, 1, 0},  {"cyan", 0, 1, 1}, {"green", 0, 1, 0},
                                     {"magenta", 1, 0, 1}, {"red", 1, 0, 0},  {"blue", 0, 0, 1}};
    std::vector<BarTarget> targets;
    for (unsigned percent : {75u, 100u}) {
        const double level = percent / 100.0;
        for (const Colour& colour : colours) {
            const double r = colour.r * level, g = colour.g * level, b = colour.b * level;
            BarTarget target{colour.name, percent, 0, 0, 0};
            target.y = code(kBlack + kLumaRange * (kRed * r + kGreen * g + kBlue * b), depth);
            chromaOf(r, g, b, depth, target.cb, target.cr);
            targets.push_back(target);
        }
    }
    return targets;
}

ScopePoint VectorscopeLayout::point(unsigned cb, unsigned cr, unsigned depth) {
    const auto place = [depth](unsigned value) {
        return unsigned(uint64_t(value) * kSide >> depth);
    };
    return ScopePoint{place(cb), kSide - 1 - place(cr)};
}

VectorscopeCounts::VectorscopeCounts(const DecodedFrame& frame)
    : mDepth(bitDepth(frame.layout)), mYCbCr(isYCbCr(frame.layout)), mWidth(frame.width),
      mCounts(size_t(kSide) * kSide, 0), mColumn(size_t(1) << mDepth), mRowStart(mColumn.size()) {
    for (unsigned code = 0; code < mColumn.size(); ++code) {
        const ScopePoint point = VectorscopeLayout::point(code, code, mDepth);
        mColumn[code] = point.x;
        mRowStart[code] = point.y * kSide;
    }
    if (!mYCbCr) {
        mToChroma = std::make_shared<RgbToChroma>(mDepth);
    }
}

// Chroma of every pixel as scope points; RGB frames through the matrix. Neighbours in 4:2:2
// share their chroma and are each counted, so the trace's brightness follows the area.
void VectorscopeCounts::addLine(const Sample* line) {
    RunCounter counter(mCounts.data());
    const size_t codeMask = mColumn.size() - 1;
    if (mYCbCr) {
        for (unsigned x = 0; x < mWidth; ++x) {
            const size_t point =
                mRowStart[line[x].c[2] & codeMask] + mColumn[line[x].c[1] & codeMask];
            counter.add(point);
            // The odd pixel of a 4:2:2 pair repeats the chroma of the even one.
            if (x + 1 < mWidth && line[x + 1].c[1] == line[x].c[1] &&
                line[x + 1].c[2] == line[x].c[2]) {
                counter.add(point);
                ++x;
            }
        }
    } else {
        for (unsigned x = 0; x < mWidth; ++x) {
            unsigned cb = 0, cr = 0;
            (*mToChroma)(line[x], cb, cr);
            counter.add(mRowStart[cr & codeMask] + mColumn[cb & codeMask]);
        }
    }
    mSamples += mWidth;
}

RgbImage VectorscopeCounts::draw() const {
    RgbImage picture(kSide, kSide);
    drawGraticule(picture, mDepth);
    // Full brightness for a thousandth of the picture on one point: a bar is bright, a
    // transition between two bars faint but visible.
    const TraceBrightness brightness(std::max(uint32_t(mSamples / 1000), 1u));
    for (unsigned y = 0; y < kSide; ++y) {
        for (unsigned x = 0; x < kSide; ++x) {
            const uint32_t count = mCounts[size_t(y) * kSide + x];
            if (count != 0) {
                drawDot(picture, x, y, brightness(count));
            }
        }
    }
    return picture;
}

RgbImage drawVectorscope(const DecodedFrame& frame) {
    VectorscopeCounts counts(frame);
    for (unsigned y = 0; y < frame.height; ++y) {
        counts.addLine(&frame.samples[size_t(y) * frame.width]);
    }
    return counts.draw();
}

} // namespace zyvodiag

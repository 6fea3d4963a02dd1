// Each impairment applied to one line of the expected frame, exactly as the faulty path would.
#include "analysis/line_model.h"

#include "analysis/raw_line.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace zyvodiag {
namespace {

struct Coefficients {
    double kr, kb;
};
const Coefficients k709{0.2126, 0.0722};
const Coefficients k601{0.299, 0.114};

// R'G'B' to Y'PbPr, or back.
void encodeColour(const Coefficients& k, const double rgb[3], double out[3]) {
    const double y = k.kr * rgb[0] + (1 - k.kr - k.kb) * rgb[1] + k.kb * rgb[2];
    out[0] = y;
    out[1] = (rgb[2] - y) / (2 * (1 - k.kb));
    out[2] = (rgb[0] - y) / (2 * (1 - k.kr));
}

void decodeColour(const Coefficients& k, const double ypp[3], double out[3]) {
    const double r = ypp[0] + 2 * (1 - k.kr) * ypp[2];
    const double b = ypp[0] + 2 * (1 - k.kb) * ypp[1];
    out[0] = r;
    out[1] = (ypp[0] - k.kr * r - k.kb * b) / (1 - k.kr - k.kb);
    out[2] = b;
}

uint16_t clipCode(double code, unsigned max) {
    const long rounded = std::lround(code);
    return static_cast<uint16_t>(std::min<long>(std::max<long>(rounded, 0), long(max)));
}

// The components a data line drives: Y or both chroma components, or one of R, G, B.
bool drives(bool yCbCr, unsigned channel, unsigned component) {
    return yCbCr ? (channel == 0) == (component == 0) : channel == component;
}

} // namespace

bool codesMatch(unsigned predicted, unsigned found, unsigned tolerance, unsigned depth) {
    if (predicted == found) {
        return true;
    }
    if (tolerance == 0) {
        return false;
    }
    if (unsigned(std::abs(int(predicted) - int(found))) <= tolerance) {
        return true;
    }
    const unsigned max = (1u << depth) - 1;
    const unsigned reserved = depth >= 10 ? 4u << (depth - 10) : 1u;
    return (predicted <= reserved && found <= reserved) ||
           (predicted >= max - reserved && found >= max - reserved);
}

LineModel::LineModel(const Impairment& impairment, const DecodedFrame& expected,
                     const DecodedFrame* other)
    : mImpairment(impairment), mExpected(expected), mOther(other) {
    const unsigned depth = bitDepth(expected.layout);
    mMax = (1u << depth) - 1;
    const double step = double(1u << (depth - 8));
    const bool yCbCr = isYCbCr(expected.layout);
    for (unsigned c = 0; c < 3; ++c) {
        const bool chroma = yCbCr && c > 0;
        mCentre[c] = !yCbCr ? 0.0 : chroma ? 128 * step : 16 * step;
        mScale[c] = !yCbCr ? double(mMax) : chroma ? 224 * step : 219 * step;
    }
    switch (impairment.kind) {
    case ImpairmentKind::StuckBit:
    case ImpairmentKind::InvertedBit:
    case ImpairmentKind::Truncated:
    case ImpairmentKind::Range:
        buildValueTables();
        break;
    case ImpairmentKind::Matrix:
        buildMatrix();
        break;
    default:
        break;
    }
    const bool scaled =
        impairment.kind == ImpairmentKind::Range || impairment.kind == ImpairmentKind::Matrix;
    mTolerance = scaled ? (depth > 10 ? 2 : 1) : 0;
}

void LineModel::buildValueTables() {
    const bool yCbCr = isYCbCr(mExpected.layout);
    const unsigned depth = bitDepth(mExpected.layout);
    const double step = double(1u << (depth - 8));
    for (unsigned c = 0; c < 3; ++c) {
        mTable[c].resize(mMax + 1);
        const bool chroma = yCbCr && c > 0;
        // Legal levels: black 16 and white 235, chroma 128 +- 112 (8-bit codes, scaled).
        const double legalLow = chroma ? 128 * step - 112 * step : 16 * step;
        const double legalSpan = chroma ? 224 * step : 219 * step;
        for (unsigned v = 0; v <= mMax; ++v) {
            unsigned out = v;
            const Impairment& i = mImpairment;
            if (i.kind == ImpairmentKind::StuckBit && drives(yCbCr, i.channel, c)) {
                out = i.value != 0 ? v | 1u << i.bit : v & ~(1u << i.bit);
            } else if (i.kind == ImpairmentKind::InvertedBit && drives(yCbCr, i.channel, c)) {
                out = v ^ 1u << i.bit;
            } else if (i.kind == ImpairmentKind::Truncated && i.bits < depth) {
                out = v & ~((1u << (depth - i.bits)) - 1);
            } else if (i.kind == ImpairmentKind::Range) {
                const double full = double(mMax);
                const double level =
                    i.direction == Direction::LegalToFull
                        ? (chroma ? (v - 0.5 * (full + 1)) * full / legalSpan + 0.5 * (full + 1)
                                  : (v - legalLow) * full / legalSpan)
                        : (chroma ? 0.5 * (full + 1) + (v - 0.5 * (full + 1)) * legalSpan / full
                                  : legalLow + v * legalSpan / full);
                out = clipCode(level, mMax);
            }
            mTable[c][v] = static_cast<uint16_t>(out & mMax);
        }
    }
}

void LineModel::buildMatrix() {
    const bool yCbCr = isYCbCr(mExpected.layout);
    const bool to601 = mImpairment.direction == Direction::From709To601;
    const Coefficients& first = to601 ? k709 : k601;
    const Coefficients& second = to601 ? k601 : k709;
    for (unsigned column = 0; column < 3; ++column) {
        double in[3] = {0, 0, 0};
        in[column] = 1;
        double middle[3], out[3];
        if (yCbCr) {
            decodeColour(first, in, middle);
            encodeColour(second, middle, out);
        } else {
            encodeColour(first, in, middle);
            decodeColour(second, middle, out);
        }
        for (unsigned row = 0; row < 3; ++row) {
            mMatrix[row][column] = out[row];
        }
    }
    // Each output code is its centre plus one term per input component: a table of each term
    // turns the conversion into nine lookups a pixel.
    const size_t codes = size_t(mMax) + 1;
    mMatrixTable.assign(9 * codes, 0.0f);
    for (unsigned row = 0; row < 3; ++row) {
        mCentreCode[row] = float(mCentre[row]);
        for (unsigned column = 0; column < 3; ++column) {
            for (size_t v = 0; v < codes; ++v) {
                const double level = (double(v) - mCentre[column]) / mScale[column];
                mMatrixTable[(row * 3 + column) * codes + v] =
                    float(mScale[row] * mMatrix[row][column] * level);
            }
        }
    }
}

void LineModel::predict(unsigned y, Sample* out) {
    const unsigned width = mExpected.width;
    const Sample* in = &mExpected.samples[size_t(y) * width];
    const Impairment& i = mImpairment;
    switch (i.kind) {
    case ImpairmentKind::StuckBit:
    case ImpairmentKind::InvertedBit:
    case ImpairmentKind::Truncated:
    case ImpairmentKind::Range:
        for (unsigned x = 0; x < width; ++x) {
            for (unsigned c = 0; c < 3; ++c) {
                out[x].c[c] = mTable[c][in[x].c[c] & mMax];
            }
        }
        return;
    case ImpairmentKind::ChromaSwap: {
        const unsigned a = isYCbCr(mExpected.layout) ? 1 : 0;
        for (unsigned x = 0; x < width; ++x) {
            out[x] = in[x];
            std::swap(out[x].c[a], out[x].c[2]);
        }
        return;
    }
    case ImpairmentKind::LumaChromaOrder:
        predictLumaChromaOrder(in, out);
        return;
    case ImpairmentKind::Shift:
        predictShift(y, out);
        return;
    case ImpairmentKind::FieldSwap: {
        const unsigned from = (y ^ 1u) < mExpected.height ? y ^ 1u : y;
        std::copy_n(&mExpected.samples[size_t(from) * width], width, out);
        return;
    }
    case ImpairmentKind::WrongPicture:
    case ImpairmentKind::Torn: {
        const bool other =
            mOther != nullptr && (i.kind == ImpairmentKind::WrongPicture || y >= i.line);
        std::copy_n(other ? &mOther->samples[size_t(y) * width] : in, width, out);
        return;
    }
    case ImpairmentKind::ByteSwap:
        predictByteSwap(in, out);
        return;
    case ImpairmentKind::Matrix:
        applyMatrix(in, out);
        return;
    default:
        std::copy_n(in, width, out);
        return;
    }
}

void LineModel::predictShift(unsigned y, Sample* out) const {
    const long width = long(mExpected.width);
    const bool yCbCr = isYCbCr(mExpected.layout);
    const unsigned depth = bitDepth(mExpected.layout);
    const uint16_t legalBlack = static_cast<uint16_t>(16u << (depth - 8));
    const uint16_t centre = static_cast<uint16_t>(128u << (depth - 8));
    Sample black{{0, 0, 0}};
    if (yCbCr) {
        black = Sample{{legalBlack, centre, centre}};
    } else if (mImpairment.value != 0) {
        black = Sample{{legalBlack, legalBlack, legalBlack}};
    }
    const long from = long(y) - mImpairment.dy;
    const long dx = mImpairment.dx;
    if (from < 0 || from >= long(mExpected.height) || dx >= width || -dx >= width) {
        std::fill_n(out, width, black);
        return;
    }
    const Sample* in = &mExpected.samples[size_t(from) * size_t(width)];
    const long first = std::max(0L, dx);
    const long end = std::min(width, width + dx);
    std::fill(out, out + first, black);
    std::copy(in + first - dx, in + end - dx, out + first);
    std::fill(out + end, out + width, black);
    if (yCbCr && dx % 2 != 0) {
        // A pixel pair carries the chroma of its even pixel, which an odd move brings from the
        // odd pixel of another pair. A move of the 4:2:2 stream in memory instead lands each Cr
        // where a Cb was and the reverse (the second variant).
        const bool stream = mImpairment.value != 0;
        for (long x = 0; x < width; ++x) {
            const long pair = (x & ~1L) - dx;
            const long cb = stream ? pair - 1 : pair;
            const long cr = stream ? pair + 1 : pair;
            out[x].c[1] = cb >= 0 && cb < width ? in[cb].c[stream ? 2 : 1] : black.c[1];
            out[x].c[2] = cr >= 0 && cr < width ? in[cr].c[stream ? 1 : 2] : black.c[2];
        }
    }
}

void LineModel::predictLumaChromaOrder(const Sample* in, Sample* out) const {
    const unsigned width = mExpected.width;
    if (!isYCbCr(mExpected.layout)) {
        // RGB rides the 4:4:4 bus as G on the luma line, B and R on the chroma lines: crossed
        // lines exchange G with B in even pixels and with R in odd ones.
        for (unsigned x = 0; x < width; ++x) {
            out[x] = in[x];
            std::swap(out[x].c[1], out[x].c[x % 2 == 0 ? 2 : 0]);
        }
        return;
    }
    // Cb Y0 Cr Y1 read as Y0 Cb Y1 Cr: the luma samples land in chroma and the chroma in luma.
    for (unsigned x = 0; x < width; x += 2) {
        const uint16_t y1 = x + 1 < width ? in[x + 1].c[0] : 0;
        out[x] = Sample{{in[x].c[1], in[x].c[0], y1}};
        if (x + 1 < width) {
            out[x + 1] = Sample{{in[x].c[2], in[x].c[0], y1}};
        }
    }
}

void LineModel::predictByteSwap(const Sample* in, Sample* out) {
    const unsigned width = mExpected.width;
    encodeLine(mExpected.layout, in, width, mBytes);
    for (size_t word = 0; word + 4 <= mBytes.size(); word += 4) {
        std::swap(mBytes[word], mBytes[word + 3]);
        std::swap(mBytes[word + 1], mBytes[word + 2]);
    }
    decodeLine(mExpected.layout, mBytes, width, out);
}

void LineModel::applyMatrix(const Sample* in, Sample* out) const {
    const size_t codes = size_t(mMax) + 1;
    for (unsigned x = 0; x < mExpected.width; ++x) {
        for (unsigned row = 0; row < 3; ++row) {
            const float* table = &mMatrixTable[row * 3 * codes];
            const float code = mCentreCode[row] + table[in[x].c[0] & mMax] +
                               table[codes + (in[x].c[1] & mMax)] +
                               table[2 * codes + (in[x].c[2] & mMax)];
            const float clipped = std::min(std::max(code + 0.5f, 0.0f), float(mMax));
            out[x].c[row] = static_cast<uint16_t>(clipped);
        }
    }
}

} // namespace zyvodiag

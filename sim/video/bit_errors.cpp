// Bit errors as a serial video link makes them. The link scrambles with x^9 + x^4 + 1 and codes
// NRZI, so one wrong bit on the cable comes out of the receiver as a burst: NRZI decoding makes
// it two adjacent errors, and the descrambler repeats each of them 4 and 9 bits later.
#include "video/impairment_models.h"

#include <cmath>

namespace zyvosim {
namespace {

// Data bits one cable error flips, counted from the first.
constexpr unsigned kBurst[] = {0, 1, 4, 5, 9, 10};
constexpr unsigned kBurstBits = sizeof kBurst / sizeof kBurst[0];

// splitmix64: small, and the same sequence on every host.
class Draw {
public:
    explicit Draw(uint64_t seed) : mState(seed) {}
    uint64_t next() {
        uint64_t z = (mState += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    // Uniform in (0, 1].
    double unit() { return (double(next() >> 11) + 1) / 9007199254740992.0; }

private:
    uint64_t mState;
};

} // namespace

// The frame's picture samples travel line after line in stream order, each sample's bits least
// significant first, as on the link. A cable error strikes each bit position with probability
// RATE / 6, so the data bits come out wrong at RATE; the gaps between errors are drawn
// geometrically, so a clean frame costs only a few draws.
void addBitErrors(double rate, uint64_t seed, const FrameSamples& layout, Samples& samples) {
    double strike = rate / kBurstBits;
    if (strike <= 0) {
        return;
    }
    const uint64_t bits = uint64_t(samples.size()) * layout.bits;
    const double logMiss = std::log1p(-strike);
    Draw draw(seed);
    auto gap = [&]() { return std::floor(std::log(draw.unit()) / logMiss); };
    for (double at = gap(); at < double(bits); at += 1 + gap()) {
        auto first = static_cast<uint64_t>(at);
        for (unsigned offset : kBurst) {
            uint64_t bit = first + offset;
            if (bit < bits) {
                samples[bit / layout.bits] ^= static_cast<uint16_t>(1u << (bit % layout.bits));
            }
        }
    }
}

} // namespace zyvosim

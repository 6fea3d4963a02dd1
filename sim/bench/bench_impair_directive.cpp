// Reading `impair` lines: the input, the kind of damage and the kind's own arguments.
#include "bench/bench_impair_directive.h"

#include "widgets/widget_kinds.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

namespace zyvosim {
namespace {

// The deepest samples the card captures are 12 bits.
constexpr long long kDeepestBit = 11;
// Far enough beyond the widest raster (4096) and the tallest (2160) to move any picture out.
constexpr long long kLongestShift = 8192;
// Above this a link is no longer a link: bursts would overlap on nearly every word.
constexpr double kHighestRate = 0.1;

DataChannel readChannel(BenchLine& line) {
    const std::string& name = line.next("CH");
    const struct {
        const char* name;
        DataChannel channel;
    } kChannels[] = {{"Y", DataChannel::Y},
                     {"C", DataChannel::C},
                     {"R", DataChannel::R},
                     {"G", DataChannel::G},
                     {"B", DataChannel::B}};
    for (const auto& row : kChannels) {
        if (name == row.name) {
            return row.channel;
        }
    }
    line.fail("channel '" + shownField(name) + "' is not Y, C (YCbCr) or R, G, B (RGB)");
}

unsigned readBit(BenchLine& line) {
    const std::string& field = line.next("BIT");
    std::optional<long long> bit = parseDecimal(field);
    if (!bit) {
        line.fail("BIT '" + shownField(field) + "' is not a number");
    }
    if (*bit < 0 || *bit > kDeepestBit) {
        line.fail("BIT " + field + " is beyond the card's deepest samples (12 bits: 0 to 11)");
    }
    return static_cast<unsigned>(*bit);
}

// Exactly one of two words; says whether it was the first.
bool readEither(BenchLine& line, const char* first, const char* second) {
    const std::string& word = line.next((std::string(first) + " or " + second).c_str());
    if (word != first && word != second) {
        line.fail("'" + shownField(word) + "' is neither " + first + " nor " + second);
    }
    return word == first;
}

void readStuckBit(BenchLine& line, Impairment& impairment) {
    impairment.channel = readChannel(line);
    impairment.bit = readBit(line);
    impairment.value = static_cast<unsigned>(line.number("VALUE", 0, 1));
}

void readInvertedBit(BenchLine& line, Impairment& impairment) {
    impairment.channel = readChannel(line);
    impairment.bit = readBit(line);
}

void readTruncated(BenchLine& line, Impairment& impairment) {
    impairment.bit = static_cast<unsigned>(line.number("BITS", 1, kDeepestBit));
}

void readRange(BenchLine& line, Impairment& impairment) {
    impairment.toFull = readEither(line, "legal-to-full", "full-to-legal");
}

void readShift(BenchLine& line, Impairment& impairment) {
    impairment.dx = static_cast<int>(line.number("DX", -kLongestShift, kLongestShift));
    impairment.dy = static_cast<int>(line.number("DY", -kLongestShift, kLongestShift));
    if (impairment.dx == 0 && impairment.dy == 0) {
        line.fail("shift 0 0 moves nothing");
    }
}

void readTorn(BenchLine& line, Impairment& impairment) {
    impairment.line = static_cast<unsigned>(line.number("LINE", 0, kLongestShift));
}

void readBitErrors(BenchLine& line, Impairment& impairment) {
    const std::string& field = line.next("RATE");
    double rate = 0;
    const char* end = field.data() + field.size();
    auto [stop, error] = std::from_chars(field.data(), end, rate);
    if (error != std::errc() || stop != end) {
        line.fail("RATE '" + shownField(field) + "' is not a number");
    }
    // A rate of 0 would damage nothing, and a line that names damage must do some.
    if (!(rate > 0 && rate <= kHighestRate)) {
        line.fail("RATE " + field + " is not above 0 and at most 0.1");
    }
    impairment.rate = rate;
    if (!line.atEnd()) {
        impairment.seed = static_cast<uint32_t>(line.number("SEED", 0, UINT32_MAX));
    }
}

void readMatrix(BenchLine& line, Impairment& impairment) {
    impairment.to601 = readEither(line, "709-to-601", "601-to-709");
}

struct KindRow {
    const char* name;
    ImpairmentKind kind;
    const char* arguments; // as the usage shows them
    void (*read)(BenchLine& line, Impairment& impairment);
};

const KindRow kKinds[] = {
    {"stuck-bit", ImpairmentKind::StuckBit, " CH BIT VALUE", readStuckBit},
    {"inverted-bit", ImpairmentKind::InvertedBit, " CH BIT", readInvertedBit},
    {"chroma-swap", ImpairmentKind::ChromaSwap, "", nullptr},
    {"luma-chroma-order", ImpairmentKind::LumaChromaOrder, "", nullptr},
    {"truncated", ImpairmentKind::Truncated, " BITS", readTruncated},
    {"range", ImpairmentKind::Range, " legal-to-full|full-to-legal", readRange},
    {"shift", ImpairmentKind::Shift, " DX DY", readShift},
    {"field-swap", ImpairmentKind::FieldSwap, "", nullptr},
    {"stale", ImpairmentKind::Stale, "", nullptr},
    {"bit-errors", ImpairmentKind::BitErrors, " RATE [SEED]", readBitErrors},
    {"torn", ImpairmentKind::Torn, " LINE", readTorn},
    {"byte-swap", ImpairmentKind::ByteSwap, "", nullptr},
    {"matrix", ImpairmentKind::Matrix, " 709-to-601|601-to-709", readMatrix},
};

std::string kindNames() {
    std::string names;
    for (const KindRow& row : kKinds) {
        names += names.empty() ? row.name : std::string(", ") + row.name;
    }
    return names;
}

} // namespace

// Several lines may name one input: their damage adds up, in bench order.
void readImpair(BenchLine& line, Bench& bench) {
    Impairment impairment;
    bool sdi = readEither(line, "SDIInput", "HDMIInput");
    impairment.port = sdi ? ImpairedPort::SDIInput : ImpairedPort::HDMIInput;
    unsigned inputs = sdi ? kSDIInputKind.count : kHDMIInKind.count;
    impairment.input = static_cast<unsigned>(line.number("input index", 0, inputs - 1));
    const std::string& kind = line.next("KIND");
    const KindRow* found = nullptr;
    for (const KindRow& row : kKinds) {
        if (kind == row.name) {
            found = &row;
        }
    }
    if (found == nullptr) {
        line.fail("unknown kind '" + shownField(kind) + "'; the kinds are " + kindNames());
    }
    line.setUsage(std::string("impair ") + (sdi ? "SDIInput" : "HDMIInput") + " " +
                  std::to_string(impairment.input) + " " + found->name + found->arguments);
    impairment.kind = found->kind;
    if (found->read != nullptr) {
        found->read(line, impairment);
    }
    line.finish();
    bench.video.impairments.push_back(impairment);
}

} // namespace zyvosim

// The names of impairments, data lines and directions, as the JSON and the sentences give them.
#include "analysis/impairment.h"

namespace zyvodiag {

const char* kindName(ImpairmentKind kind) {
    switch (kind) {
    case ImpairmentKind::None:
        return "none";
    case ImpairmentKind::StuckBit:
        return "stuck-bit";
    case ImpairmentKind::InvertedBit:
        return "inverted-bit";
    case ImpairmentKind::ChromaSwap:
        return "chroma-swap";
    case ImpairmentKind::LumaChromaOrder:
        return "luma-chroma-order";
    case ImpairmentKind::Truncated:
        return "truncated";
    case ImpairmentKind::Range:
        return "range";
    case ImpairmentKind::Shift:
        return "shift";
    case ImpairmentKind::FieldSwap:
        return "field-swap";
    case ImpairmentKind::WrongPicture:
        return "wrong-picture";
    case ImpairmentKind::Torn:
        return "torn";
    case ImpairmentKind::BitErrors:
        return "bit-errors";
    case ImpairmentKind::ByteSwap:
        return "byte-swap";
    case ImpairmentKind::Matrix:
        return "matrix";
    case ImpairmentKind::Unexplained:
        break;
    }
    return "unexplained";
}

const char* channelName(bool yCbCr, unsigned channel) {
    static const char* const kYCbCr[] = {"Y", "C", "C"};
    static const char* const kRgb[] = {"R", "G", "B"};
    return yCbCr ? kYCbCr[channel % 3] : kRgb[channel % 3];
}

const char* directionFrom(Direction direction) {
    switch (direction) {
    case Direction::LegalToFull:
        return "legal";
    case Direction::FullToLegal:
        return "full";
    case Direction::From709To601:
        return "709";
    case Direction::From601To709:
        break;
    }
    return "601";
}

const char* directionTo(Direction direction) {
    switch (direction) {
    case Direction::LegalToFull:
        return "full";
    case Direction::FullToLegal:
        return "legal";
    case Direction::From709To601:
        return "601";
    case Direction::From601To709:
        break;
    }
    return "709";
}

} // namespace zyvodiag

// The impairments of a video path the analyser can name, with the arguments that pin each down.
#pragma once

#include <string>

namespace zyvodiag {

enum class ImpairmentKind {
    None, // identical frames
    StuckBit,
    InvertedBit,
    ChromaSwap,
    LumaChromaOrder,
    Truncated,
    Range,
    Shift,
    FieldSwap,
    WrongPicture,
    Torn,
    BitErrors,
    ByteSwap,
    Matrix,
    Unexplained,
};

// Which way a range or matrix error went: the impairment as it was applied.
enum class Direction {
    LegalToFull, // range: legal levels read as full range
    FullToLegal,
    From709To601, // matrix: BT.709 colours converted with the BT.601 matrix
    From601To709,
};

struct Impairment {
    ImpairmentKind kind = ImpairmentKind::None;
    // Stuck and inverted bits: the data line. YCbCr: 0 is Y, 1 is C (Cb and Cr); RGB: R, G, B.
    unsigned channel = 0;
    unsigned bit = 0;   // from the least significant, at the frame's own depth
    unsigned value = 0; // stuck bits: the level. Shift: 1 for RGB black at the legal 64, and
                        // for 4:2:2 a move of the stream in memory rather than of the pixels
    unsigned bits = 8;  // truncated: the upper bits kept
    Direction direction = Direction::LegalToFull;
    int dx = 0; // shift: right and down are positive
    int dy = 0;
    unsigned line = 0; // torn: the first line from the other frame
    int pattern = -1;  // wrong picture, torn: the test pattern shown, -1 when none is known
    double rate = 0;   // bit errors: flipped bits per bit
};

// The issue's name of the kind: "stuck-bit", ..., "unexplained"; "none" for identical frames.
const char* kindName(ImpairmentKind kind);

// "Y", "C" or "R", "G", "B": a data line as a board engineer names it.
const char* channelName(bool yCbCr, unsigned channel);

// "legal-to-full", "full-to-legal", "709-to-601", "601-to-709", split where the words meet.
const char* directionFrom(Direction direction);
const char* directionTo(Direction direction);

} // namespace zyvodiag

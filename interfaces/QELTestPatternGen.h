// The common library's test pattern generator.
#pragma once

#include "ZyvoExport.h"

#include <cstdint>
#include <vector>

enum QELTestPatternSelect : int32_t {
    QEL_TestPattern_Bars100 = 0,
    QEL_TestPattern_Bars75 = 1,
    QEL_TestPattern_Ramp = 2,
    QEL_TestPattern_MultiBurst = 3,
    QEL_TestPattern_LineSweep = 4,
    QEL_TestPattern_CheckField = 5,
    QEL_TestPattern_FlatField = 6,
    QEL_TestPattern_MultiPattern = 7,
    QEL_TestPattern_Black = 8,
    QEL_TestPattern_White = 9,
    QEL_TestPattern_Border = 10,
    QEL_TestPattern_LinearRamp = 11,
    QEL_TestPattern_SlantRamp = 12,
    QEL_TestPattern_ZoneWhite = 13,
    QEL_TestPattern_ColorQuad = 14,
    QEL_TestPattern_ColorQuadBorder = 15,
};

// Same numbers as ZyvoPixelFormat.
enum QEL_PixelFormat : int32_t {
    QEL_PixelFormat_YCbCr10 = 1,
    QEL_PixelFormat_YCbCr8 = 2,
    QEL_PixelFormat_RGB8 = 4,
    QEL_PixelFormat_RGB10 = 5,
    QEL_PixelFormat_YCbCr12 = 23,
};

class ZYVO_API QELTestPatternGen {
public:
    QELTestPatternGen();
    ~QELTestPatternGen();

    // Draws one frame of `pattern` into `buffer` (resized to the frame) in the frame store's
    // memory layout for `pixelFormat`. Above 0 on success. On failure the buffer stays empty,
    // but for a pattern the generator does not have: then it holds a frame of zero bytes.
    int DrawTestPattern(QELTestPatternSelect pattern, unsigned int width, unsigned int height,
                        QEL_PixelFormat pixelFormat, std::vector<unsigned char>& buffer);
};

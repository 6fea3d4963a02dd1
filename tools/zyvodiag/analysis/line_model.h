// The exact model of each impairment: the line a faulty path would deliver for an expected frame.
#pragma once

#include "analysis/impairment.h"
#include "pictures/frame_decoder.h"

#include <cstdint>
#include <vector>

namespace zyvodiag {

class LineModel {
public:
    // `other` is the frame a wrong or torn picture shows, and may be null for every other kind.
    LineModel(const Impairment& impairment, const DecodedFrame& expected,
              const DecodedFrame* other);

    // Line `y` of the captured frame, as the impairment would make it from the expected frame.
    void predict(unsigned y, Sample* out);

    // Codes a prediction may miss by: a scaled level rounded by another implementation can land
    // one code away, so range and matrix faults are matched within it. Exact faults have none.
    unsigned tolerance() const { return mTolerance; }

private:
    void buildValueTables();
    void buildMatrix();
    void predictShift(unsigned y, Sample* out) const;
    void predictLumaChromaOrder(const Sample* in, Sample* out) const;
    void predictByteSwap(const Sample* in, Sample* out);
    void applyMatrix(const Sample* in, Sample* out) const;

    Impairment mImpairment;
    const DecodedFrame& mExpected;
    const DecodedFrame* mOther;
    unsigned mTolerance = 0;
    unsigned mMax = 0;
    std::vector<uint16_t> mTable[3]; // value faults: captured code per expected code
    double mMatrix[3][3] = {};
    std::vector<float> mMatrixTable; // per output and input component, the term of each code
    float mCentreCode[3] = {};
    double mScale[3] = {};  // code steps of a normalised unit, per component
    double mCentre[3] = {}; // the code of normalised zero
    std::vector<uint8_t> mBytes;
};

// Whether a predicted code matches the captured one within `tolerance`. Codes clipped into the
// reserved ends (0-3 and 1020-1023 in 10 bits) by one implementation and not the other match.
bool codesMatch(unsigned predicted, unsigned found, unsigned tolerance, unsigned depth);

} // namespace zyvodiag

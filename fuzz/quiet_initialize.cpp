// The start of the fuzz targets that need nothing but a quiet standard output.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zyvofuzz::silenceStandardOutput();
    return 0;
}

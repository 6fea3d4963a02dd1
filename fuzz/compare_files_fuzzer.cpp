// ZyvoDiag::compareFiles on two files made of the input: it must call them the same exactly
// when their bytes are.
#include <zyvodiag>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    ZyvoDiagUserCommands::msDebugOutput = input.ConsumeBool();
    std::string expected = input.ConsumeRandomLengthString(size);
    std::string found = input.ConsumeRemainingBytesAsString();

    const std::string& scratch = zyvofuzz::scratchDirectory();
    std::string expectedPath = scratch + "/expected";
    std::string foundPath = scratch + "/found";
    zyvofuzz::check(zyvofuzz::writeFile(expectedPath, expected), "cannot write the expected file");
    zyvofuzz::check(zyvofuzz::writeFile(foundPath, found), "cannot write the found file");

    ZyvoDiag diag;
    int result = diag.compareFiles(expectedPath.c_str(), foundPath.c_str());
    zyvofuzz::check(result == 2 || result == -2, "compareFiles answers 2 or -2");
    zyvofuzz::check((result == 2) == (expected == found),
                    "compareFiles calls two files the same exactly when their bytes are");
    ZyvoDiagUserCommands::msDebugOutput = false;
    return 0;
}

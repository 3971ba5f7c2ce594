#include "FuzzSupport.h"

// One fuzz target per format: the build names the type in QUORVEL_FUZZ_TYPE.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzOneInput(QUORVEL_FUZZ_TYPE, data, size);
    return 0;
}

// The libFuzzer entry of one target; SKINWRT_FUZZ_TARGET names the function.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    sw::fuzz::SKINWRT_FUZZ_TARGET(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}

// libFuzzer harness over the package reader and the whole skin load.
#include "SkinFuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RunSkinFuzzInput(data, size);
    return 0;
}

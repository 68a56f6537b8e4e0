// libFuzzer target for the clipboard item format reader.
#include "fuzz/TransferFuzzInput.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (const char *problem = TransferFuzz::RunInput(data, size)) {
        std::fprintf(stderr, "transfer rule broken: %s\n", problem);
        std::abort();
    }
    return 0;
}

// libFuzzer target for the ".ico" reader of the item-type icons.
#include "fuzz/IconFileFuzzInput.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (const char *problem = IconFileFuzz::RunInput(data, size)) {
        std::fprintf(stderr, "iconfile rule broken: %s\n", problem);
        std::abort();
    }
    return 0;
}

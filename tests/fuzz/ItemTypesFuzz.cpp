// libFuzzer target for the item-type list reader.
#include "fuzz/ItemTypesFuzzInput.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (const char *problem = ItemTypesFuzz::RunInput(data, size)) {
        std::fprintf(stderr, "itemtypes rule broken: %s\n", problem);
        std::abort();
    }
    return 0;
}

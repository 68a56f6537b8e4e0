// libFuzzer target for the event and task record readers.
#include "fuzz/RecordFuzzInput.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (const char *problem = RecordFuzz::RunInput(data, size)) {
        std::fprintf(stderr, "record rule broken: %s\n", problem);
        std::abort();
    }
    return 0;
}

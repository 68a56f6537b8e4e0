// libFuzzer target for the settings file reader.
#include "fuzz/SettingsFuzzInput.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (const char *problem = SettingsFuzz::RunInput(data, size)) {
        std::fprintf(stderr, "settings rule broken: %s\n", problem);
        std::abort();
    }
    return 0;
}

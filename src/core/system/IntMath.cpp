// Integer helpers shared by font and colour arithmetic.
#include "core/system/IntMath.h"

#include <cstdint>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t divisor = c;
    const bool negative = (product < 0) != (divisor < 0);
    const std::int64_t p = product < 0 ? -product : product;
    const std::int64_t d = divisor < 0 ? -divisor : divisor;
    const std::int64_t q = (p + d / 2) / d;
    const std::int64_t r = negative ? -q : q;
    if (r > INT32_MAX || r < INT32_MIN)
        return -1;
    return static_cast<int>(r);
}

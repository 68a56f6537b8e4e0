// Integer helpers shared by font and colour arithmetic.
#pragma once

// a * b / c from a 64-bit product, rounded half away from zero; -1 when c is 0 or the
// result does not fit in 32 bits (the system's MulDiv).
int MulDiv(int a, int b, int c);

// CCustomColors: the 16 custom colours every colour dialog offers, shared in "Common"/"CCS" as
// 64 bytes (16 little-endian COLORREF values). Any other stored length leaves them all white.
#pragma once

#include "core/lists/ColorRules.h"

#include <array>

class CCustomColors
{
  public:
    using Colors = std::array<COLORREF, 16>;

    static Colors Load();
    static void Save(const Colors &colors);
    static Colors White();
};

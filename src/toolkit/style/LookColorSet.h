// The program's 47 numbered look colours, computed from the system colours, the visual style and
// the settings. Other windows address the colours by their number (1 to 47).
#pragma once

#include "core/lists/ColorRules.h"

#include <array>

class QPalette;

// The system colours the set is built from.
struct SystemColors
{
    COLORREF face = 0, shadow = 0, hilite = 0, window = 0, highlight = 0, highlightText = 0;
    COLORREF menu = 0, menuText = 0, grayText = 0, windowFrame = 0, windowText = 0;

    // The palette's roles standing in for the system colours.
    static SystemColors FromPalette(const QPalette &palette);
};

// What the settings and the screen contribute.
struct LookOptions
{
    int visualStyle = 0;       // VisualStyleCode
    bool highContrast = false; // "Common"/"HighContrast"
    COLORREF today = 0x0000FF;          // "Common"/"TFC"
    COLORREF nonWorkDayText = 0x0000FF; // "Common"/"WITC"
    bool customCaption = false;            // "Common"/"CIC": use the two values below
    COLORREF captionBackground = kNoColor; // "Common"/"ICB"; no colour keeps the computed one
    COLORREF captionText = kNoColor;       // "Common"/"ICT"

    // The values stored in section "Common".
    static LookOptions FromProfile();
};

class CLookColorSet
{
  public:
    static constexpr int kCount = 47;

    // Every colour 0 but colour 44, which keeps its first value for good.
    CLookColorSet();

    // Colour n (1 to 47); 0 outside that range.
    COLORREF Get(int n) const { return n >= 1 && n <= kCount ? m_colors[std::size_t(n - 1)] : 0; }

    // True when the set is drawn plainly: 256 colours or fewer, or high contrast.
    static bool IsPlain(int displayColors, bool highContrast) { return displayColors <= 256 || highContrast; }
    // The style whose set applies: the visual style only above 256 colours without high contrast.
    static int EffectiveStyle(const LookOptions &options, int displayColors);

    // Recomputes every colour but 44.
    void Update(const SystemColors &system, const LookOptions &options, int displayColors);

    bool operator==(const CLookColorSet &) const = default;

  private:
    void Set(int n, COLORREF colour) { m_colors[std::size_t(n - 1)] = colour; }
    void SetSystemSet(const SystemColors &system, bool plain);
    void SetStyleSet(int style);

    std::array<COLORREF, kCount> m_colors{};
};

// The drawing resources of the program's own window captions: a bold caption font, the caption
// button glyphs, and, where the desktop offers a visual style's caption-button image, that image's
// glyph colours. On this platform the window manager draws the frames and no style images exist,
// so the skin stays inactive and the program's own glyphs and the coloured controls are used.
#pragma once

#include "core/lists/ColorRules.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <array>
#include <optional>

// What the desktop offers the skin.
struct CaptionSkinEnvironment
{
    bool compositionOn = false; // the desktop composes the frames itself
    bool themeLibrary = false;  // a visual-style library with caption images is present
    // The style's caption-button glyph image: 8 cells side by side (horizontal) or stacked.
    QImage glyphImage;
    bool horizontal = false;
    COLORREF glyphTransparent = 0xFF00FF;

    // This desktop: no composition reported, no visual-style library.
    static CaptionSkinEnvironment FromSystem() { return {}; }
};

class CCaptionSkin
{
  public:
    static constexpr int kGlyphCount = 7;
    static constexpr QSize kGlyphSize{11, 10};
    static constexpr int kStateCells = 8;

    // The program-wide skin, loaded from this desktop on first use.
    static CCaptionSkin &Instance();

    // Builds the state for a desktop; returns whether the skin is active.
    bool Load(const CaptionSkinEnvironment &environment);
    // Drops the state; `keep` keeps the font and glyphs for a reload.
    void Free(bool keep);

    // 1 when the style's images draw the captions (or the desktop composes the frames).
    bool IsActive() const { return m_active; }
    // 1 when "Common"/"RFC" is 0 and a style library was there to ask.
    bool IsWanted() const { return m_wanted; }
    const QFont &CaptionFont() const { return m_font; }
    // The caption-button glyphs (close, minimise, maximise, restore, help, pin, unpin), 11 x 10.
    const QList<QPixmap> &Glyphs() const { return m_glyphs; }
    // The dominant glyph colour of each button state of the style image.
    const std::array<COLORREF, kStateCells> &GlyphColors() const { return m_glyphColors; }

    // The most frequent colour of each of the 8 cells of a glyph image, ignoring the transparent
    // colour and any fifth distinct colour of a cell; ties go to the colour counted first. Cells are
    // scanned column by column when side by side, row by row when stacked. None when a cell has no
    // counted colour or the image does not split into 8 cells.
    static std::optional<std::array<COLORREF, kStateCells>> FindGlyphColors(const QImage &image, bool horizontal,
                                                                            COLORREF transparent);

  private:
    bool m_active = false;
    bool m_wanted = false;
    QFont m_font;
    QList<QPixmap> m_glyphs;
    std::array<COLORREF, kStateCells> m_glyphColors{};
};

// Whether the caption skin is active: the coloured controls draw only while it is not.
bool IsCaptionSkinActive();

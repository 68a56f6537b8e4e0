// The program-wide look that every painter reads: the numbered colour set of the visual style, the
// named colours the painters choose among (taken from that set), the bar background brush, the
// view palette, the cursors and the shared glyph strips and small images. Painters read it and
// never change it.
#pragma once

#include "core/lists/ColorRules.h"
#include "toolkit/style/LookColorSet.h"

#include <QBrush>
#include <QCursor>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <array>

class QPalette;

// The two colours of a gradient, top (or left) first.
struct ColorPair
{
    COLORREF first = 0;
    COLORREF second = 0;
    bool operator==(const ColorPair &) const = default;
};

class CMenuLook
{
  public:
    // Colours as COLORREF values; the painters convert them when they draw.
    struct Colors
    {
        // The system's own colours.
        COLORREF window = 0, windowText = 0, highlight = 0, highlightText = 0, windowFrame = 0;
        COLORREF buttonShadow = 0, buttonFace = 0, buttonHighlight = 0, grayText = 0;
        // View colours.
        COLORREF face = 0;           // fill of custom windows
        COLORREF frame = 0;          // outer borders, frames of all-day entries
        COLORREF viewBackground = 0; // view background, default item background
        COLORREF secondary = 0;
        COLORREF itemText = 0;       // default item text
        COLORREF highlightFrame = 0; // frame while editing in place
        COLORREF focusFrame = 0;
        COLORREF selectedFrame = 0;
        COLORREF grid = 0; // month view frames and lines, header frame
        COLORREF headerBackground = 0, headerText = 0, headerShadow = 0;
        COLORREF today = 0;   // today frames and bars
        COLORREF dayText = 0; // day numbers and item text
        COLORREF nonWorkDayText = 0;
        COLORREF separator = 0; // week grid lines
        COLORREF defaultBackground = 0;
        COLORREF defaultCalendar = 0; // the calendar colour when none is chosen
        COLORREF gridLineDefault = 0, otherMonthDefault = 0;
        COLORREF captionBackground = 0, captionText = 0; // time-label column
        // Menu and toolbar colours the state getters choose among.
        COLORREF textNormal = 0, textHot = 0, textDisabled = 0;
        COLORREF borderPlain = 0, borderHighlight = 0;
        ColorPair hotPair, pressedPair, checkedPair, downPair, popupPair, barHotPair, barBackgroundPair;
        COLORREF shadow = 0, light = 0;
        COLORREF iconBack = 0, iconBackSelected = 0, checkBack = 0, checkBackSelected = 0;
        COLORREF windowShade = 0, windowHighlight = 0; // fill shade and highlight of window-coloured cells
        COLORREF face3D = 0;
        COLORREF barBackground = 0; // the bar background brush's colour
    };

    // The visual style and the settings that override computed colours.
    using Options = LookOptions;

    // The pastel colours the view background choices offer, in their order.
    static constexpr std::array<COLORREF, 14> kViewPalette = {
        0xCBD8D0, 0xCFE6D8, 0xBCECD5, 0xD8CFE6, 0xD8AEFA, 0xB2AEFA, 0xE6E4CF,
        0xE6D8CF, 0xE6CFD2, 0xE6CFD8, 0xCFE6E4, 0xCFDDE6, 0xCFD2E6, 0xAED0FA};

    // The look's cursors, in their order.
    enum LookCursor : int
    {
        kCursorRowSplitter = 0, // the horizontal strip between panes
        kCursorColumnSplitter,  // the vertical strip between panes
        kCursorZoom,            // over a day that opens in the zoom list; also the banner's corner
        kCursorMove,
        kCursorResizeVertical,
        kCursorResizeHorizontal,
        kCursorArrow,
        kCursorCount
    };

    // The bar background brush's picture: 20 pixels high, (screen width + 16) rounded down to a
    // multiple of 8 wide, a horizontal gradient from `from` to `to` over its first 700 pixels and
    // `to` after them.
    static int BarBrushWidth(int screenWidth);
    static QImage MakeBarBrushImage(COLORREF from, COLORREF to, int screenWidth);

    // Number of cells in each glyph strip and their sizes.
    static constexpr int kGlyphCount = 9;
    static constexpr std::array<QSize, 3> kGlyphCells = {QSize(14, 11), QSize(18, 15), QSize(25, 20)};

    // The program-wide look: resources loaded and colours computed from the application's palette
    // on first use.
    static CMenuLook &Instance();

    // An empty look (no resources, every colour 0), for painters under test.
    CMenuLook() = default;

    const Colors &GetColors() const { return m_colors; }
    void SetColors(const Colors &colors) { m_colors = colors; }
    const Options &GetOptions() const { return m_options; }
    // The numbered colours (1 to 47) the named ones are taken from.
    const CLookColorSet &GetColorSet() const { return m_set; }
    COLORREF GetColor(int n) const { return m_set.Get(n); }
    // The bar background brush; a solid brush of the bar background colour until colours are computed.
    QBrush GetBarBrush() const;

    // Recomputes the colours and the bar brush from a palette and the settings (on a palette or
    // settings change), for a screen `screenWidth` pixels wide (0: the primary screen's).
    void UpdateColors(const QPalette &palette, const Options &options, int screenWidth = 0);
    void UpdateColors(const QPalette &palette) { UpdateColors(palette, m_options); }
    // The named colours the painters read, as they follow from a numbered set and the system.
    static Colors NamedColors(const CLookColorSet &set, const SystemColors &system);

    // The cursor in its slot; the arrow for a slot out of range.
    QCursor GetCursor(int which) const;

    // Loads the glyph strips and small images; false when one is missing.
    bool LoadResources();

    // Glyph strip 0 (14 x 11 cells), 1 (18 x 15) or 2 (25 x 20): opaque where the glyph is.
    const QImage &GetGlyphStrip(int strip) const { return m_glyphs[std::size_t(strip)]; }
    void SetGlyphStrip(int strip, const QImage &image);
    // The shared small image list (priority images).
    const QList<QPixmap> &GetSmallImages() const { return m_smallImages; }
    void SetSmallImages(const QList<QPixmap> &images) { m_smallImages = images; }
    // The list header images (0 blank, 1 icon, 2 recurring, 3 priority, 4 complete, 5 reminder,
    // 6 notes, 7 locked).
    const QList<QPixmap> &GetHeaderImages() const { return m_headerImages; }
    // 11 x 7 sort marks: image 0 the down mark, image 1 the up mark.
    const QList<QPixmap> &GetSortMarks() const { return m_sortMarks; }
    // The 11 x 7 overflow glyph of the month view and the week grid.
    const QPixmap &GetOverflowGlyph() const { return m_overflowGlyph; }
    // The 16 x 16 overlay images drawn over item-type icons.
    const QList<QPixmap> &GetOverlayImages() const { return m_overlays; }
    // The default item-type icon, 16 or 32 pixels.
    const QPixmap &GetDefaultIcon(int size) const { return size > 16 ? m_defaultIcon32 : m_defaultIcon16; }

  private:
    Colors m_colors;
    Options m_options;
    CLookColorSet m_set;
    QImage m_barBrushImage;
    std::array<QImage, 3> m_glyphs;
    QList<QPixmap> m_smallImages;
    QList<QPixmap> m_headerImages;
    QList<QPixmap> m_sortMarks;
    QPixmap m_overflowGlyph;
    QList<QPixmap> m_overlays;
    QPixmap m_defaultIcon16, m_defaultIcon32;
};

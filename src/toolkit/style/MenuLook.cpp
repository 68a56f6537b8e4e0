// The colour set derived from the system palette, and the shared glyph and image resources.
#include "toolkit/style/MenuLook.h"

#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/ViewResources.h"

#include <QApplication>
#include <QPalette>

namespace {
CMenuLook *g_look = nullptr;
}

CMenuLook &CMenuLook::Instance()
{
    if (!g_look) {
        InitViewResources();
        g_look = new CMenuLook;
        g_look->LoadResources();
        g_look->UpdateColors(QApplication::palette());
        // Pixmaps must go while the application still exists.
        qAddPostRoutine([] {
            delete g_look;
            g_look = nullptr;
        });
    }
    return *g_look;
}

void CMenuLook::UpdateColors(const QPalette &palette, const Options &options)
{
    m_options = options;
    Colors c;
    auto sys = [&palette](QPalette::ColorRole role, QPalette::ColorGroup group = QPalette::Active) {
        return FromQColor(palette.color(group, role));
    };
    c.window = sys(QPalette::Base);
    c.windowText = sys(QPalette::Text);
    c.highlight = sys(QPalette::Highlight);
    c.highlightText = sys(QPalette::HighlightedText);
    c.windowFrame = sys(QPalette::Shadow);
    c.buttonShadow = sys(QPalette::Dark);
    c.buttonFace = sys(QPalette::Button);
    c.buttonHighlight = sys(QPalette::Light);
    c.grayText = sys(QPalette::Text, QPalette::Disabled);
    const COLORREF menu = sys(QPalette::Window);
    const COLORREF menuText = sys(QPalette::WindowText);

    const bool plain = GetDisplayColorCount() <= 256;
    // The selection tint: the highlight mixed into the window colour.
    const COLORREF selection = plain ? c.window
                                     : (IsLightColor(c.highlight) ? MixColors86(c.window, c.highlight)
                                                                  : MixColors70(c.window, c.highlight));
    const COLORREF selectionDeep = MixColors86(selection, c.highlight);
    const COLORREF selectionDeeper = DarkenColor(10, selectionDeep);

    c.textNormal = menuText;
    c.textHot = menuText;
    c.textDisabled = c.grayText;
    c.borderPlain = c.buttonShadow;
    c.borderHighlight = c.highlight;
    c.hotPair = {selection, selection};
    c.pressedPair = {selectionDeeper, selectionDeeper};
    c.checkedPair = {selectionDeep, selectionDeep};
    c.downPair = {selectionDeep, selectionDeeper};
    c.popupPair = {plain ? menu : MixColors86(c.window, menu), menu};
    c.barHotPair = {selection, selection};
    c.barBackgroundPair = {c.buttonFace, plain ? c.buttonFace : BlendColors(c.buttonFace, c.window, 200)};
    c.shadow = plain ? c.buttonShadow : LightenColor(40, c.buttonShadow);
    c.light = plain ? c.buttonHighlight : LightenColor(80, c.buttonHighlight);
    c.iconBack = plain ? menu : MixColors86(c.window, menu);
    c.iconBackSelected = selection;
    c.checkBack = selection;
    c.checkBackSelected = selectionDeep;
    c.windowShade = DarkenColor(25, c.window);
    c.windowHighlight = selection;
    c.face3D = c.buttonFace;
    c.barBackground = c.barBackgroundPair.first;

    c.face = c.buttonFace;
    c.frame = c.buttonShadow;
    c.viewBackground = c.window;
    c.secondary = c.buttonFace;
    c.itemText = c.windowText;
    c.highlightFrame = c.highlight;
    c.focusFrame = DarkenColor(60, c.highlight);
    c.selectedFrame = c.highlight;
    c.grid = c.buttonShadow;
    c.headerBackground = c.buttonFace;
    c.headerText = sys(QPalette::ButtonText);
    c.headerShadow = LightenColor(120, c.buttonShadow);
    c.today = options.today;
    c.dayText = c.windowText;
    c.nonWorkDayText = options.nonWorkDayText;
    c.separator = c.buttonShadow;
    c.defaultBackground = c.window;
    c.defaultCalendar = 0xE6D8CF;
    c.gridLineDefault = c.buttonShadow;
    c.otherMonthDefault = c.buttonFace;
    if (options.customCaption) {
        c.captionBackground = options.captionBackground;
        c.captionText = options.captionText;
    } else {
        c.captionBackground = plain ? c.buttonShadow : LightenColor(40, c.buttonShadow);
        c.captionText = c.windowText;
    }
    m_colors = c;
}

void CMenuLook::SetGlyphStrip(int strip, const QImage &image)
{
    m_glyphs[std::size_t(strip)] = image.convertToFormat(QImage::Format_ARGB32);
}

bool CMenuLook::LoadResources()
{
    InitViewResources();
    bool ok = true;
    const char *glyphPaths[] = {":/glyphs/glyphs14x11.png", ":/glyphs/glyphs18x15.png",
                                ":/glyphs/glyphs25x20.png"};
    for (int i = 0; i < 3; ++i) {
        // The strips are black glyphs on white; keep them as an alpha mask.
        QImage mono(QString::fromLatin1(glyphPaths[i]));
        ok = ok && !mono.isNull();
        QImage mask(mono.size(), QImage::Format_ARGB32);
        for (int y = 0; y < mono.height(); ++y) {
            for (int x = 0; x < mono.width(); ++x)
                mask.setPixel(x, y, qGray(mono.pixel(x, y)) < 128 ? 0xFF000000 : 0x00000000);
        }
        m_glyphs[std::size_t(i)] = mask;
    }
    m_smallImages = LoadImageStrip(QString::fromLatin1(kPriorityImagesPath), 16, false);
    m_headerImages = LoadImageStrip(QString::fromLatin1(kHeaderImagesPath), 16, false);
    m_sortMarks = LoadImageStrip(QString::fromLatin1(kSortMarksPath), 11, true);
    m_overflowGlyph = QPixmap(QString::fromLatin1(kOverflowGlyphPath));
    m_overlays = LoadImageStrip(QString::fromLatin1(kOverlayPath), 16, true);
    m_defaultIcon16 = QPixmap(QString::fromLatin1(kDefaultIcon16Path));
    m_defaultIcon32 = QPixmap(QString::fromLatin1(kDefaultIcon32Path));
    return ok && !m_smallImages.isEmpty() && !m_headerImages.isEmpty() && m_sortMarks.size() == 2 &&
           !m_overflowGlyph.isNull() && m_overlays.size() > 4 && !m_defaultIcon16.isNull() &&
           !m_defaultIcon32.isNull();
}

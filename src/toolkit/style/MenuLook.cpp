// The colour set of the visual style, the named colours taken from it, the bar brush, and the
// shared glyph and image resources.
#include "toolkit/style/MenuLook.h"

#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/PaletteWatcher.h"
#include "toolkit/style/ViewResources.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QScreen>

namespace {
CMenuLook *g_look = nullptr;
}

CMenuLook &CMenuLook::Instance()
{
    if (!g_look) {
        InitViewResources();
        g_look = new CMenuLook;
        g_look->LoadResources();
        g_look->UpdateColors(QApplication::palette(), LookOptions::FromProfile());
        CPaletteWatcher::Install();
        // Pixmaps must go while the application still exists.
        qAddPostRoutine([] {
            delete g_look;
            g_look = nullptr;
        });
    }
    return *g_look;
}

CMenuLook::Colors CMenuLook::NamedColors(const CLookColorSet &set, const SystemColors &s)
{
    auto n = [&set](int i) { return set.Get(i); };
    auto pair = [&set](int a, int b) { return ColorPair{set.Get(a), set.Get(b)}; };
    Colors c;
    c.window = n(33);
    c.windowText = n(35);
    c.highlight = n(42);
    c.highlightText = n(43);
    c.windowFrame = n(34);
    c.buttonShadow = n(38);
    c.buttonFace = s.face;
    c.buttonHighlight = n(32);
    c.grayText = s.grayText;

    // Menus, bars and toolbars.
    c.textNormal = n(2);
    c.textHot = n(12);
    c.textDisabled = n(3);
    c.borderPlain = n(19);
    c.borderHighlight = n(42);
    c.hotPair = pair(4, 5);
    c.pressedPair = pair(6, 7);
    c.checkedPair = pair(8, 9);
    c.downPair = pair(25, 26);
    c.popupPair = pair(21, 22);
    c.barHotPair = pair(15, 16);
    c.barBackgroundPair = pair(13, 14);
    c.shadow = n(20);
    c.light = n(28);
    c.iconBack = n(23);
    c.iconBackSelected = n(24);
    c.checkBack = n(16);
    c.checkBackSelected = n(25);
    c.windowShade = DarkenColor(25, c.window);
    c.windowHighlight = n(24);
    c.face3D = n(29);
    c.barBackground = n(13);

    // The views keep the system's own colours, whatever the visual style.
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
    c.headerText = s.menuText;
    c.headerShadow = LightenColor(120, c.buttonShadow);
    c.today = n(39);
    c.dayText = c.windowText;
    c.nonWorkDayText = n(40);
    c.separator = c.buttonShadow;
    c.defaultBackground = c.window;
    c.defaultCalendar = n(47);
    c.gridLineDefault = c.buttonShadow;
    c.otherMonthDefault = c.buttonFace;
    c.captionBackground = n(36);
    c.captionText = n(37);
    return c;
}

int CMenuLook::BarBrushWidth(int screenWidth)
{
    return std::max(8, (std::max(0, screenWidth) + 16) / 8 * 8);
}

QImage CMenuLook::MakeBarBrushImage(COLORREF from, COLORREF to, int screenWidth)
{
    const int width = BarBrushWidth(screenWidth);
    QImage image(width, 20, QImage::Format_RGB32);
    image.fill(ToQColor(to));
    QPainter p(&image);
    FillGradientRect(p, QRect(0, 0, std::min(width, 700), 20), from, to, false);
    return image;
}

QBrush CMenuLook::GetBarBrush() const
{
    if (m_barBrushImage.isNull())
        return QBrush(ToQColor(m_colors.barBackground));
    return QBrush(m_barBrushImage);
}

void CMenuLook::UpdateColors(const QPalette &palette, const Options &options, int screenWidth)
{
    m_options = options;
    const SystemColors system = SystemColors::FromPalette(palette);
    const int displayColors = GetDisplayColorCount();
    m_set.Update(system, options, displayColors);
    m_colors = NamedColors(m_set, system);
    if (screenWidth <= 0) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        screenWidth = screen ? screen->geometry().width() : 1024;
    }
    m_barBrushImage = MakeBarBrushImage(m_set.Get(13), m_set.Get(14), screenWidth);
}

QCursor CMenuLook::GetCursor(int which) const
{
    // The desktop's own cursor shapes stand for the look's cursors.
    static constexpr Qt::CursorShape kShapes[kCursorCount] = {
        Qt::SplitVCursor,  Qt::SplitHCursor,  Qt::PointingHandCursor, Qt::SizeAllCursor,
        Qt::SizeVerCursor, Qt::SizeHorCursor, Qt::ArrowCursor};
    return QCursor(which >= 0 && which < kCursorCount ? kShapes[which] : Qt::ArrowCursor);
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

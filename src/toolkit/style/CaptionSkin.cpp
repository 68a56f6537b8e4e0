// The caption skin: font and glyphs always, the style's glyph colours only when a style offers them.
#include "toolkit/style/CaptionSkin.h"

#include "core/system/Profile.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/ViewResources.h"

#include <QApplication>
#include <QFontDatabase>

namespace {
CCaptionSkin *g_skin = nullptr;
}

CCaptionSkin &CCaptionSkin::Instance()
{
    if (!g_skin) {
        g_skin = new CCaptionSkin;
        g_skin->Load(CaptionSkinEnvironment::FromSystem());
        qAddPostRoutine([] {
            delete g_skin;
            g_skin = nullptr;
        });
    }
    return *g_skin;
}

bool IsCaptionSkinActive()
{
    return CCaptionSkin::Instance().IsActive();
}

bool CCaptionSkin::Load(const CaptionSkinEnvironment &environment)
{
    m_active = false;
    m_wanted = false;
    if (environment.compositionOn) {
        m_active = true;
        return true;
    }
    m_font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    m_font.setWeight(QFont::Bold);
    if (m_glyphs.isEmpty()) {
        InitViewResources();
        m_glyphs = LoadImageStrip(QString::fromLatin1(kCaptionGlyphsPath), kGlyphSize.width(), true);
    }
    if (!environment.themeLibrary)
        return false;
    m_wanted = GetProfileInt(QStringLiteral("Common"), QStringLiteral("RFC"), 0) == 0;
    if (!m_wanted)
        return false;
    // Any failure leaves the program's own glyphs in use.
    const auto colours = FindGlyphColors(environment.glyphImage, environment.horizontal, environment.glyphTransparent);
    if (!colours) {
        m_wanted = false;
        return false;
    }
    m_glyphColors = *colours;
    m_active = true;
    return true;
}

void CCaptionSkin::Free(bool keep)
{
    if (!keep) {
        m_font = QFont();
        m_glyphs.clear();
    }
    m_glyphColors = {};
    m_active = false;
    m_wanted = false;
}

std::optional<std::array<COLORREF, CCaptionSkin::kStateCells>>
CCaptionSkin::FindGlyphColors(const QImage &image, bool horizontal, COLORREF transparent)
{
    // The image must split into exactly 8 cells.
    if (image.isNull() || (horizontal ? image.width() : image.height()) % kStateCells != 0)
        return std::nullopt;
    const int cellWidth = horizontal ? image.width() / kStateCells : image.width();
    const int cellHeight = horizontal ? image.height() : image.height() / kStateCells;
    if (cellWidth <= 0 || cellHeight <= 0)
        return std::nullopt;
    std::array<COLORREF, kStateCells> result{};
    for (int cell = 0; cell < kStateCells; ++cell) {
        const int x0 = horizontal ? cell * cellWidth : 0;
        const int y0 = horizontal ? 0 : cell * cellHeight;
        // At most four distinct colours are counted; a fifth is not.
        std::array<COLORREF, 4> colours{};
        std::array<int, 4> counts{};
        int distinct = 0;
        auto count = [&](int x, int y) {
            const COLORREF c = FromQColor(image.pixelColor(x, y));
            if (c == (transparent & 0xFFFFFF))
                return;
            for (int i = 0; i < distinct; ++i) {
                if (colours[std::size_t(i)] == c) {
                    ++counts[std::size_t(i)];
                    return;
                }
            }
            if (distinct < 4) {
                colours[std::size_t(distinct)] = c;
                counts[std::size_t(distinct)] = 1;
                ++distinct;
            }
        };
        if (horizontal) {
            for (int x = x0; x < x0 + cellWidth; ++x)
                for (int y = y0; y < y0 + cellHeight; ++y)
                    count(x, y);
        } else {
            for (int y = y0; y < y0 + cellHeight; ++y)
                for (int x = x0; x < x0 + cellWidth; ++x)
                    count(x, y);
        }
        if (distinct == 0)
            return std::nullopt;
        int best = 0;
        for (int i = 1; i < distinct; ++i) {
            if (counts[std::size_t(i)] > counts[std::size_t(best)])
                best = i;
        }
        result[std::size_t(cell)] = colours[std::size_t(best)];
    }
    return result;
}

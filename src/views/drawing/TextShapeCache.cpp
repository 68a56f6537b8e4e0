// Shaped texts kept between measuring and painting.
#include "views/drawing/TextShapeCache.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QPaintDevice>
#include <QRect>
#include <QTextLine>
#include <QTextOption>
#include <algorithm>
#include <cmath>

// The resolution fonts are measured at when no device is given (a window's, normally).
Q_GUI_EXPORT int qt_defaultDpiY();

namespace {
constexpr int kMaxFonts = 4;
constexpr int kMaxTexts = 4096; // per font; a view shows far fewer captions
constexpr qreal kOneLine = 0x01000000; // the text formatter's width for an unwrapped line
} // namespace

CTextShapeCache::CTextShapeCache() = default;
CTextShapeCache::~CTextShapeCache() = default;

void CTextShapeCache::Clear()
{
    m_fonts.clear();
}

int CTextShapeCache::Size() const
{
    int n = 0;
    for (const auto &f : m_fonts)
        n += int(f->texts.size());
    return n;
}

// Texts the formatter lays out with nothing but shaping and line breaking: no line breaks, tabs
// or other controls it would rewrite, no spaces at either end (trailing spaces and leading
// ones count differently when aligned) and no right-to-left runs.
bool CTextShapeCache::IsPlain(const QString &text)
{
    if (text.isEmpty() || text.front().isSpace() || text.back().isSpace())
        return false;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x9C || c.unicode() == 0x7F)
            return false;
        switch (c.direction()) {
        case QChar::DirL:
        case QChar::DirEN:
        case QChar::DirES:
        case QChar::DirET:
        case QChar::DirCS:
        case QChar::DirWS:
        case QChar::DirON:
        case QChar::DirNSM:
        case QChar::DirBN:
            break;
        default:
            return false;
        }
    }
    return true;
}

CTextShapeCache::Entry *CTextShapeCache::Find(const QFont &font, int dpi, const QString &text)
{
    auto fonts = std::find_if(m_fonts.begin(), m_fonts.end(),
                              [&](const auto &f) { return f->dpi == dpi && f->font == font; });
    if (fonts == m_fonts.end()) {
        if (int(m_fonts.size()) >= kMaxFonts)
            m_fonts.erase(m_fonts.begin());
        auto added = std::make_unique<FontTexts>();
        added->font = font;
        added->dpi = dpi;
        added->leading = QFontMetricsF(font).leading();
        m_fonts.push_back(std::move(added));
        fonts = m_fonts.end() - 1;
    }
    FontTexts &texts = **fonts;
    auto found = texts.texts.find(text);
    if (found == texts.texts.end()) {
        if (texts.texts.size() >= kMaxTexts)
            texts.texts.clear();
        Entry entry;
        if (IsPlain(text)) {
            entry.layout = std::make_unique<QTextLayout>(text, font);
            QTextOption option;
            option.setTextDirection(Qt::LeftToRight);
            option.setAlignment(Qt::AlignLeft);
            entry.layout->setTextOption(option);
            entry.layout->setCacheEnabled(true);
            entry.leading = texts.leading;
            LayOut(entry, kOneLine, -1);
            entry.naturalWidth = entry.widest;
        }
        found = texts.texts.emplace(text, std::move(entry)).first;
    }
    return found->second.layout ? &found->second : nullptr;
}

// Lines as the text formatter makes them: each starts on a whole pixel below the last, one
// leading apart; when painting (a clip height given) no line is made once the box is full.
void CTextShapeCache::LayOut(Entry &entry, qreal lineWidth, qreal clipHeight)
{
    const qreal leading = entry.leading;
    if (entry.laidOutWidth == lineWidth && entry.laidOutClip == clipHeight)
        return;
    QTextLayout &layout = *entry.layout;
    qreal height = -leading;
    qreal widest = 0;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(lineWidth);
        height += leading;
        height = std::ceil(height);
        line.setPosition(QPointF(0, height));
        height += line.ascent() + line.descent();
        widest = std::max(widest, line.naturalTextWidth());
        if (clipHeight >= 0 && height >= clipHeight)
            break;
    }
    layout.endLayout();
    entry.laidOutWidth = lineWidth;
    entry.laidOutClip = clipHeight;
    entry.height = height;
    entry.widest = widest;
}

int CTextShapeCache::WrappedHeight(const QFont &font, const QString &text, int width)
{
    Entry *entry = Find(font, qt_defaultDpiY(), text);
    if (!entry)
        return QFontMetrics(font).boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, text).height();
    // A text no wider than the width is the one line it is at any width.
    const qreal lineWidth = std::max(0, width);
    LayOut(*entry, entry->naturalWidth <= lineWidth ? kOneLine : lineWidth, -1);
    return int(std::ceil(entry->height));
}

QString CTextShapeCache::Elided(const QFont &font, const QString &text, int width, int dpi)
{
    const Entry *entry = Find(font, dpi > 0 ? dpi : qt_defaultDpiY(), text);
    if (entry && entry->naturalWidth <= width)
        return text;
    return QFontMetrics(font).elidedText(text, Qt::ElideRight, width);
}

void CTextShapeCache::DrawText(QPainter &painter, const QRect &rect, int flags, const QString &text)
{
    const QPaintDevice *device = painter.device();
    const bool wrap = flags & Qt::TextWordWrap;
    const int handled = Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask | Qt::TextSingleLine |
                        Qt::TextWordWrap | Qt::TextDontClip;
    Entry *entry = nullptr;
    if (device && painter.layoutDirection() != Qt::RightToLeft && !(flags & ~handled) &&
        !(flags & (Qt::AlignJustify | Qt::AlignAbsolute)) && !(wrap && (flags & Qt::TextSingleLine)))
        entry = Find(painter.font(), device->logicalDpiY(), text);
    if (!entry) {
        painter.drawText(rect, flags, text);
        return;
    }
    const QRectF r(rect);
    const bool clip = !(flags & Qt::TextDontClip);
    // A text that fits the width is its one line, which no box height cuts.
    if (wrap && entry->naturalWidth > r.width())
        LayOut(*entry, std::max<qreal>(0, r.width()), clip ? r.height() : -1);
    else
        LayOut(*entry, kOneLine, -1);
    qreal yoff = 0;
    if (flags & Qt::AlignBottom)
        yoff = r.height() - entry->height;
    else if (flags & Qt::AlignVCenter)
        yoff = (r.height() - entry->height) / 2;
    qreal xoff = 0;
    if (flags & Qt::AlignRight)
        xoff = r.width() - entry->widest;
    else if (flags & Qt::AlignHCenter)
        xoff = (r.width() - entry->widest) / 2;
    const bool clipped = clip && !r.contains(QRectF(r.x() + xoff, r.y() + yoff, entry->widest, entry->height));
    if (clipped) {
        painter.save();
        painter.setClipRect(r, Qt::IntersectClip);
    }
    const QTextLayout &layout = *entry->layout;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const qreal advance = line.horizontalAdvance();
        qreal x = 0;
        if (flags & Qt::AlignRight)
            x = r.width() - advance;
        else if (flags & Qt::AlignHCenter)
            x = (r.width() - advance) / 2;
        line.draw(&painter, QPointF(r.x() + x, r.y() + yoff));
    }
    if (clipped)
        painter.restore();
}

// Shaped texts kept between measuring and painting. A view measures a caption while laying out
// and cuts and paints it when drawn, and repaints it again and again while nothing changes;
// shaping the text is most of each of those steps, so it is done once per text and font and the
// shaped layout serves them all. Each answer is the one Qt's own call named beside it gives.
#pragma once

#include <QFont>
#include <QHashFunctions>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <unordered_map>
#include <vector>

class QPainter;
class QRect;

class CTextShapeCache
{
  public:
    CTextShapeCache();
    ~CTextShapeCache();
    CTextShapeCache(const CTextShapeCache &) = delete;
    CTextShapeCache &operator=(const CTextShapeCache &) = delete;

    // QFontMetrics(font).boundingRect(QRect(0, 0, width, big), Qt::TextWordWrap, text).height()
    int WrappedHeight(const QFont &font, const QString &text, int width);
    // QFontMetrics(font).elidedText(text, Qt::ElideRight, width); a font resolved for a paint
    // device (a painter's) comes with the device's resolution.
    QString Elided(const QFont &font, const QString &text, int width, int dpi = 0);
    // painter.drawText(rect, flags, text) with the painter's font, for one line (Qt::TextSingleLine)
    // or wrapped at words (Qt::TextWordWrap), any horizontal and vertical alignment.
    void DrawText(QPainter &painter, const QRect &rect, int flags, const QString &text);

    void Clear();
    int Size() const;

  private:
    struct Entry
    {
        std::unique_ptr<QTextLayout> layout;
        qreal naturalWidth = 0; // the whole text on one line
        qreal leading = 0;       // the font's
        qreal laidOutWidth = -1; // the line width of the current lines
        qreal laidOutClip = -1;  // the height they were cut at, or -1
        qreal height = 0;        // of the current lines, as the text formatter sums them
        qreal widest = 0;        // the widest of the current lines
    };
    struct TextHash
    {
        std::size_t operator()(const QString &s) const noexcept { return qHash(s); }
    };
    struct FontTexts
    {
        QFont font;
        int dpi = 0;
        qreal leading = 0;
        std::unordered_map<QString, Entry, TextHash> texts;
    };

    static bool IsPlain(const QString &text);
    Entry *Find(const QFont &font, int dpi, const QString &text);
    static void LayOut(Entry &entry, qreal lineWidth, qreal clipHeight);

    std::vector<std::unique_ptr<FontTexts>> m_fonts;
};

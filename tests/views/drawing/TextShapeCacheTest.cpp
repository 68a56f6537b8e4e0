// The shaped-text cache answers and paints exactly as Qt's own text calls do.
#include "views/drawing/TextShapeCache.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>

namespace {

QFont PixelFont(int pixels, bool bold = false)
{
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont PointFont(qreal points)
{
    QFont font;
    font.setPointSizeF(points);
    return font;
}

const QString kTexts[] = {
    QStringLiteral("7:00 Event 12"),
    QStringLiteral("W"),
    QStringLiteral("Daily stand-up with the whole team in the big room upstairs"),
    QStringLiteral("Averylongwordwithoutanyspacesthatcannotbreak and then some"),
    QStringLiteral("fi fl ffi kerning AV To Ty"),
    QStringLiteral("Caf\u00e9 \u00fcber \u00c5ngstr\u00f6m \u2013 12\u201315 \u20ac"),
    QStringLiteral("two  spaces   inside"),
    // Not plain: handed on to Qt, which must still give the same answer.
    QStringLiteral(" leading space"),
    QStringLiteral("trailing space "),
    QStringLiteral("line\nbreak"),
    QStringLiteral("tab\there"),
    QStringLiteral("\u05e9\u05dc\u05d5\u05dd mixed"),
    QString(),
};

const QFont kFonts[] = {PixelFont(12), PixelFont(15, true), PointFont(9), PointFont(10.5)};

QImage Paint(const std::function<void(QPainter &)> &draw)
{
    QImage image(260, 90, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    draw(painter);
    return image;
}

} // namespace

TEST(TextShapeCacheTest, WrappedHeightsMatchTheFontMetrics)
{
    CTextShapeCache cache;
    for (const QFont &font : kFonts) {
        const QFontMetrics fm(font);
        for (const QString &text : kTexts) {
            const int natural = fm.horizontalAdvance(text);
            for (int width : {0, 1, 20, 57, natural - 1, natural, natural + 1, 400}) {
                EXPECT_EQ(cache.WrappedHeight(font, text, width),
                          fm.boundingRect(QRect(0, 0, std::max(1, width), 1 << 20), Qt::TextWordWrap, text).height())
                    << text.toStdString() << " width " << width << " font " << font.toString().toStdString();
            }
        }
    }
}

TEST(TextShapeCacheTest, ElidedTextsMatchTheFontMetrics)
{
    CTextShapeCache cache;
    for (const QFont &font : kFonts) {
        const QFontMetrics fm(font);
        for (const QString &text : kTexts) {
            const int natural = fm.horizontalAdvance(text);
            for (int width : {0, 5, 40, natural - 1, natural, natural + 1, 500})
                EXPECT_EQ(cache.Elided(font, text, width), fm.elidedText(text, Qt::ElideRight, width))
                    << text.toStdString() << " width " << width;
        }
    }
}

TEST(TextShapeCacheTest, PaintsTheSamePixelsAsDrawText)
{
    const int flagSets[] = {
        Qt::TextSingleLine | Qt::AlignLeft | Qt::AlignVCenter,
        Qt::TextSingleLine | Qt::AlignHCenter | Qt::AlignVCenter,
        Qt::TextSingleLine | Qt::AlignRight | Qt::AlignVCenter,
        Qt::TextSingleLine | Qt::AlignRight | Qt::AlignTop,
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
        Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap,
        Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
    };
    // Roomy, narrow, short (the text is cut at the box) and fractional-offset boxes.
    const QRect rects[] = {QRect(10, 10, 230, 60), QRect(3, 4, 61, 80), QRect(20, 30, 120, 9),
                           QRect(7, 5, 33, 17)};
    CTextShapeCache cache;
    for (const QFont &font : kFonts) {
        for (const QString &text : kTexts) {
            for (int flags : flagSets) {
                for (const QRect &rect : rects) {
                    const auto expected = Paint([&](QPainter &p) {
                        p.setFont(font);
                        p.drawText(rect, flags, text);
                    });
                    // Twice: the second paint comes from the kept layout.
                    for (int pass = 0; pass < 2; ++pass) {
                        const auto painted = Paint([&](QPainter &p) {
                            p.setFont(font);
                            cache.DrawText(p, rect, flags, text);
                        });
                        ASSERT_EQ(painted, expected)
                            << text.toStdString() << " flags " << flags << " rect " << rect.x() << ','
                            << rect.y() << ' ' << rect.width() << 'x' << rect.height() << " font "
                            << font.toString().toStdString() << " pass " << pass;
                    }
                }
            }
        }
    }
}

TEST(TextShapeCacheTest, MeasuringAndPaintingShareOneShapedText)
{
    CTextShapeCache cache;
    const QFont font = PixelFont(12);
    const QString caption = QStringLiteral("9:30 Review");
    cache.WrappedHeight(font, caption, 100);
    cache.Elided(font, caption, 100);
    Paint([&](QPainter &p) {
        p.setFont(font);
        cache.DrawText(p, QRect(0, 0, 100, 20), Qt::TextSingleLine | Qt::AlignVCenter, caption);
    });
    EXPECT_EQ(cache.Size(), 1);
    // Another font is another shaping; a changed text too.
    cache.WrappedHeight(PixelFont(13), caption, 100);
    cache.WrappedHeight(font, caption + QStringLiteral("!"), 100);
    EXPECT_EQ(cache.Size(), 3);
    cache.Clear();
    EXPECT_EQ(cache.Size(), 0);
}

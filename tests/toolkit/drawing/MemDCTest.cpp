// Buffered painting: drawing lands only in the buffered area and only when the buffer goes;
// printing targets are drawn on directly and stay usable.
#include "toolkit/drawing/MemDC.h"
#include "common/PaintProbe.h"

#include <QBuffer>
#include <QPdfWriter>
#include <gtest/gtest.h>

namespace {

TEST(MemDC, DrawsWithTargetCoordinatesIntoTheClipArea)
{
    QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter target(&image);
    target.setClipRect(QRect(10, 20, 30, 40));
    {
        CMemDC mem(target);
        ASSERT_TRUE(mem.IsOffScreen());
        EXPECT_EQ(mem.Rect(), QRect(10, 20, 30, 40));
        QPainter &p = mem.Painter();
        EXPECT_NE(&p, &target);
        p.fillRect(QRect(0, 0, 100, 100), Qt::red); // larger than the area: only the area is kept
        p.fillRect(QRect(12, 22, 2, 2), Qt::blue);
        // Nothing reaches the target before the buffer is copied.
        EXPECT_EQ(image.pixelColor(15, 25), QColor(Qt::white));
    }
    target.end();
    EXPECT_EQ(PaintedBounds(image), QRect(10, 20, 30, 40));
    EXPECT_EQ(image.pixelColor(12, 22), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(39, 59), QColor(Qt::red));
}

TEST(MemDC, UndrawnPartsKeepTheTarget)
{
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::green);
    QPainter target(&image);
    {
        CMemDC mem(target, QRect(0, 0, 20, 20));
        mem.Painter().fillRect(QRect(0, 0, 5, 5), Qt::black);
    }
    target.end();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::green));
}

TEST(MemDC, PrintingDrawsStraightThroughAndLeavesThePainterUsable)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&out);
    QPainter target(&pdf);
    {
        CMemDC mem(target);
        EXPECT_FALSE(mem.IsOffScreen());
        EXPECT_EQ(&mem.Painter(), &target);
        mem.Painter().drawRect(QRect(10, 10, 100, 100));
    }
    EXPECT_TRUE(target.isActive());
    target.drawLine(0, 0, 50, 50);
    EXPECT_TRUE(target.end());
    EXPECT_TRUE(out.data().startsWith("%PDF"));
}

} // namespace

// Item-type icons: drawn from the type list, the default icon for an index without a type, the
// overlay over it, and the stretched sizes.
#include "views/drawing/TypeIconDrawing.h"
#include "common/PaintProbe.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "views/drawing/TypeIconSource.h"

#include <gtest/gtest.h>

namespace {

// Type 0 is solid blue; no other index has a type.
class BlueTypeSource : public ITypeIconSource
{
  public:
    QPixmap TypeIcon(int index, int size) const override
    {
        if (index != 0)
            return QPixmap();
        QPixmap p(size, size);
        p.fill(Qt::blue);
        return p;
    }
};

class TypeIcons : public ::testing::Test
{
  protected:
    void SetUp() override { SetTypeIconSource(&m_source); }
    void TearDown() override { SetTypeIconSource(nullptr); }
    BlueTypeSource m_source;
};

TEST_F(TypeIcons, TypeIconFromTheList)
{
    const QImage image =
        PaintImage(40, 40, [](QPainter &p) { DrawTypeIconAt(p, 0, 4, 6, kDrawNormal, false); });
    EXPECT_EQ(PaintedBounds(image), QRect(4, 6, 16, 16));
    EXPECT_EQ(CountPixels(image, qRgb(0, 0, 255)), 256);
}

TEST_F(TypeIcons, IndexWithoutATypeDrawsTheDefaultIcon)
{
    const QImage want = PaintImage(40, 40, [](QPainter &p) { p.drawPixmap(4, 6, DefaultTypeIcon(16)); });
    for (int index : {-1, 1, 99}) {
        const QImage image =
            PaintImage(40, 40, [&](QPainter &p) { DrawTypeIconAt(p, index, 4, 6, kDrawNormal, false); });
        EXPECT_EQ(image, want) << index;
    }
    EXPECT_FALSE(PaintedBounds(want).isEmpty());
    SetTypeIconSource(nullptr);
    EXPECT_EQ(PaintImage(40, 40, [](QPainter &p) { DrawTypeIconAt(p, 0, 4, 6, kDrawNormal, false); }), want);
}

TEST_F(TypeIcons, OverlayGoesOverTheIcon)
{
    const QImage plain =
        PaintImage(40, 40, [](QPainter &p) { DrawTypeIconAt(p, 0, 0, 0, kDrawNormal, false); });
    const QImage marked =
        PaintImage(40, 40, [](QPainter &p) { DrawTypeIconAt(p, 0, 0, 0, kDrawNormal, true); });
    const QImage overlay =
        PaintImage(16, 16, [](QPainter &p) { p.drawPixmap(0, 0, OverlayImage(kTaskOverlayImage)); });
    const QRect overlayArea = PaintedBounds(overlay);
    ASSERT_FALSE(overlayArea.isEmpty());
    EXPECT_EQ(PaintedBounds(marked), QRect(0, 0, 16, 16));
    // Changed only where the overlay has pixels.
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (marked.pixel(x, y) != plain.pixel(x, y)) {
                EXPECT_TRUE(overlayArea.contains(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_NE(marked, plain);
}

TEST_F(TypeIcons, SizedIcons)
{
    // 16 either way is the plain 16 x 16 drawing.
    EXPECT_EQ(PaintImage(60, 60, [](QPainter &p) { DrawTypeIconSized(p, 0, 2, 2, 16, 40, false); }),
              PaintImage(60, 60, [](QPainter &p) { DrawTypeIconAt(p, 0, 2, 2, kDrawTransparent, false); }));

    const QImage big = PaintImage(60, 60, [](QPainter &p) { DrawTypeIconSized(p, 0, 2, 3, 40, 30, false); });
    EXPECT_EQ(PaintedBounds(big), QRect(2, 3, 40, 30));
    EXPECT_EQ(CountPixels(big, qRgb(0, 0, 255)), 40 * 30);

    // The default icon is drawn at the size asked, from its large form.
    const QImage fallback =
        PaintImage(60, 60, [](QPainter &p) { DrawTypeIconSized(p, 7, 0, 0, 32, 32, false); });
    const QImage large = PaintImage(60, 60, [](QPainter &p) { p.drawPixmap(0, 0, DefaultTypeIcon(32)); });
    EXPECT_EQ(fallback, large);

    // The overlay sits in the lower-right 16 x 16 corner.
    const QImage marked =
        PaintImage(60, 60, [](QPainter &p) { DrawTypeIconSized(p, 0, 0, 0, 40, 40, true); });
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (marked.pixel(x, y) != qRgb(0, 0, 255)) {
                EXPECT_TRUE(QRect(24, 24, 16, 16).contains(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_NE(marked, PaintImage(60, 60, [](QPainter &p) { DrawTypeIconSized(p, 0, 0, 0, 40, 40, false); }));
}

} // namespace

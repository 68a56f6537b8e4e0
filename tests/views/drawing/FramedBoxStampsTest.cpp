// A stamped framed box leaves exactly the pixels of the two fills it stands for, and declines
// wherever it could not.
#include "views/drawing/FramedBoxStamps.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPixmap>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QColor kFrame(0x40, 0x40, 0x40), kInside(0xff, 0xf0, 0xc0);

// Paints over a patterned background, so that a pixel the box should leave alone shows.
QImage Paint(QImage::Format format, const std::function<void(QPainter &)> &setUp,
             const std::function<void(QPainter &)> &draw)
{
    QImage image(64, 96, format);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 37) & 0xff, (y * 11) & 0xff, (x ^ y) & 0xff));
    QPainter painter(&image);
    setUp(painter);
    draw(painter);
    return image;
}

struct Case
{
    const char *name;
    QRect box;
    std::function<void(QPainter &)> setUp;
};

const auto kNone = [](QPainter &) {};

// A window paints into its backing store: the copy must serve there, where a person sees it, and
// not only in offscreen images.
class StampedWindow : public QWidget
{
  public:
    CFramedBoxStamps stamps;
    int paints = 0, stamped = 0;

  protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        ++paints;
        stamped += stamps.Draw(painter, QRect(4, 4, 8, 30), kFrame, kInside) ? 1 : 0;
    }
};

} // namespace

TEST(FramedBoxStampsTest, StampsLeaveThePixelsOfTheTwoFills)
{
    const Case cases[] = {
        {"smallest", QRect(4, 4, 3, 3), kNone},
        {"narrow and tall", QRect(10, 2, 6, 80), kNone},
        {"widest stamped", QRect(0, 0, CFramedBoxStamps::kWidestStamp, 40), kNone},
        {"partly outside the image", QRect(50, 70, 20, 40), kNone},
        {"moved by whole pixels", QRect(5, 5, 7, 30), [](QPainter &p) { p.translate(3, -2); }},
        {"clipped to a rectangle", QRect(5, 5, 12, 50), [](QPainter &p) { p.setClipRect(8, 10, 20, 20); }},
        {"clipped to a region",
         QRect(2, 2, 20, 60),
         [](QPainter &p) { p.setClipRegion(QRegion(0, 0, 10, 30) + QRegion(12, 35, 30, 10)); }},
        {"with antialiasing on", QRect(3, 9, 9, 9), [](QPainter &p) { p.setRenderHint(QPainter::Antialiasing); }},
    };
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(c.name);
            CFramedBoxStamps stamps;
            bool stamped = false;
            const QImage got = Paint(format, c.setUp, [&](QPainter &p) {
                stamped = stamps.Draw(p, c.box, kFrame, kInside);
            });
            const QImage want = Paint(format, c.setUp, [&](QPainter &p) {
                p.fillRect(c.box, kFrame);
                p.fillRect(c.box.adjusted(1, 1, -1, -1), kInside);
            });
            EXPECT_TRUE(stamped);
            EXPECT_EQ(got, want);
            // The kept image serves the next box of that size.
            EXPECT_EQ(stamps.Size(), 1);
            QImage again = got;
            QPainter painter(&again);
            EXPECT_TRUE(stamps.Draw(painter, c.box.translated(1, 1), kFrame, kInside));
            EXPECT_EQ(stamps.Size(), 1);
        }
    }
}

TEST(FramedBoxStampsTest, DeclinesWhereTheCopyCouldDifferAndPaintsNothing)
{
    const QRect box(4, 4, 8, 20);
    const Case cases[] = {
        {"too narrow for an inside", QRect(4, 4, 2, 20), kNone},
        {"too wide to gain", QRect(0, 0, CFramedBoxStamps::kWidestStamp + 1, 20), kNone},
        {"moved by part of a pixel", box, [](QPainter &p) { p.translate(0.5, 0); }},
        {"scaled", box, [](QPainter &p) { p.scale(2, 2); }},
        {"see-through", box, [](QPainter &p) { p.setOpacity(0.5); }},
        {"another way of combining", box, [](QPainter &p) { p.setCompositionMode(QPainter::CompositionMode_Xor); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CFramedBoxStamps stamps;
        bool stamped = true;
        const QImage got = Paint(QImage::Format_RGB32, c.setUp, [&](QPainter &p) {
            stamped = stamps.Draw(p, c.box, kFrame, kInside);
        });
        EXPECT_FALSE(stamped);
        EXPECT_EQ(got, Paint(QImage::Format_RGB32, c.setUp, kNone));
    }
    CFramedBoxStamps stamps;
    const QImage got = Paint(QImage::Format_RGB32, kNone, [&](QPainter &p) {
        EXPECT_FALSE(stamps.Draw(p, box, QColor(0, 0, 0, 128), kInside)) << "a see-through frame";
        EXPECT_FALSE(stamps.Draw(p, box, kFrame, QColor(0, 0, 0, 0))) << "a see-through inside";
    });
    EXPECT_EQ(got, Paint(QImage::Format_RGB32, kNone, kNone));
    for (const QImage::Format format : {QImage::Format_RGB16, QImage::Format_Indexed8}) {
        QImage image(32, 32, format);
        QPainter painter(&image);
        EXPECT_FALSE(stamps.Draw(painter, box, kFrame, kInside)) << "another pixel depth";
    }
    QPicture picture;
    QPainter recorder(&picture);
    EXPECT_FALSE(stamps.Draw(recorder, box, kFrame, kInside)) << "a recording, not the raster engine";
    EXPECT_EQ(stamps.Size(), 0);
}

TEST(FramedBoxStampsTest, KeptImagesStayWithinTheirBudget)
{
    CFramedBoxStamps stamps;
    QImage image(CFramedBoxStamps::kWidestStamp, 1024, QImage::Format_RGB32);
    QPainter painter(&image);
    std::size_t bytes = 0;
    int kept = 0;
    for (int height = 3; height <= 1024; ++height) {
        ASSERT_TRUE(stamps.Draw(painter, QRect(0, 0, CFramedBoxStamps::kWidestStamp, height), kFrame, kInside));
        bytes += std::size_t(CFramedBoxStamps::kWidestStamp) * std::size_t(height) * 4;
        if (bytes > CFramedBoxStamps::kByteBudget)
            bytes = std::size_t(CFramedBoxStamps::kWidestStamp) * std::size_t(height) * 4, kept = 0;
        ++kept;
        ASSERT_EQ(stamps.Size(), kept);
    }
    stamps.Clear();
    EXPECT_EQ(stamps.Size(), 0);
}

TEST(FramedBoxStampsTest, WindowsAndPixmapsAreStampedToo)
{
    StampedWindow window;
    window.resize(40, 50);
    window.show();
    for (int i = 0; i < 50 && window.paints == 0; ++i) {
        QCoreApplication::processEvents();
        window.repaint();
    }
    ASSERT_GT(window.paints, 0);
    EXPECT_EQ(window.stamped, window.paints);
    const QImage shown = window.grab().toImage();
    EXPECT_EQ(shown.pixel(4, 4), kFrame.rgb());
    EXPECT_EQ(shown.pixel(11, 33), kFrame.rgb());
    EXPECT_EQ(shown.pixel(5, 5), kInside.rgb());
    EXPECT_EQ(shown.pixel(10, 32), kInside.rgb());
    EXPECT_EQ(shown.pixel(12, 4), QColor(Qt::white).rgb());

    QPixmap pixmap(20, 40);
    QPainter painter(&pixmap);
    EXPECT_TRUE(window.stamps.Draw(painter, QRect(0, 0, 8, 30), kFrame, kInside));
}

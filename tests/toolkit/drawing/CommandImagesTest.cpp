// The command-image table: the descriptor's word form, loading both kinds of strip with their
// disabled looks, lookup by command, drawing by index, and a render of the images per style.
#include "toolkit/drawing/CommandImages.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"
#include "toolkit/style/ViewResources.h"
#include "toolkit/style/VisualStyle.h"
#include "toolkit/RenderFolder.h"
#include "common/PaintProbe.h"

#include <QPalette>
#include <gtest/gtest.h>

namespace {

TEST(CommandImages, DescriptorWords)
{
    auto path = [](int id) { return QStringLiteral("strip%1").arg(id); };
    const CommandImageDescriptor d =
        CommandImageDescriptor::FromWords({300, 301, 16, 15, 100, 0xFFFF, 102, 0, 999}, path);
    EXPECT_EQ(d.classicStrip, QStringLiteral("strip300"));
    EXPECT_EQ(d.colorStrip, QStringLiteral("strip301"));
    EXPECT_EQ(d.imageSize, QSize(16, 15));
    // The place holder keeps its place; the list ends at 0.
    EXPECT_EQ(d.commands, (std::vector<int>{100, 0, 102}));

    const std::vector<std::uint16_t> bad[] = {{}, {300, 301, 16}, {300, 301, 0, 16}, {300, 301, 16, 0},
                                              {300, 301, 257, 16}};
    for (const auto &words : bad)
        EXPECT_FALSE(CommandImageDescriptor::FromWords(words, path).IsValid()) << words.size();
}

TEST(CommandImages, StandardImagesLoad)
{
    CCommandImages images;
    CMenuLook look;
    look.UpdateColors(QPalette(QColor(0xEF, 0xEF, 0xEF)), LookOptions(), 800);
    ASSERT_TRUE(images.Load(CommandImageDescriptor::Standard(), 0xFF00FF, look));
    EXPECT_EQ(images.GetImageCount(), 11);
    EXPECT_EQ(images.SecondImages().size(), 11);
    EXPECT_EQ(images.GetImageSize(), QSize(16, 16));
    EXPECT_EQ(images.FindImage(kCmdFileNew), 0);
    EXPECT_EQ(images.FindImage(kCmdEditPaste), 7);
    EXPECT_EQ(images.FindImage(kCmdAppAbout), 10);
    EXPECT_EQ(images.FindImage(12345), -1);
    EXPECT_EQ(images.FindImage(0), -1);

    // The disabled look is grey and fainter than the normal one.
    const QImage normal = images.NormalImages()[9].toImage(); // the red cross
    const QImage second = images.SecondImages()[9].toImage();
    const QRgb n = normal.pixel(8, 8), s = second.pixel(8, 8);
    EXPECT_GT(qRed(n), qGreen(n) + 100);
    EXPECT_EQ(qRed(s), qGreen(s));
    EXPECT_LT(qAlpha(s), qAlpha(n));
}

TEST(CommandImages, ClassicStripOnPaletteScreens)
{
    // The resources install their own depth source once; ours must come after it.
    InitViewResources();
    SetDisplayDepthSource([] { return 8; });
    CCommandImages images;
    CMenuLook look;
    look.UpdateColors(QPalette(QColor(0xEF, 0xEF, 0xEF)), LookOptions(), 800);
    const bool loaded = images.Load(CommandImageDescriptor::Standard(), 0xFF00FF, look);
    SetDisplayDepthSource(nullptr);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(images.GetImageCount(), 11);
    // The magenta key is transparent in both looks.
    EXPECT_EQ(qAlpha(images.NormalImages()[0].toImage().pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(images.SecondImages()[0].toImage().pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(images.SecondImages()[9].toImage().pixel(8, 8)), 255);
}

TEST(CommandImages, MissingStripsLoadNothing)
{
    CCommandImages images;
    CommandImageDescriptor d = CommandImageDescriptor::Standard();
    d.classicStrip = d.colorStrip = QStringLiteral(":/no/such.png");
    EXPECT_FALSE(images.Load(d, 0xFF00FF, CMenuLook()));
    EXPECT_EQ(images.GetImageSize(), QSize(0, 0));
    EXPECT_EQ(images.FindImage(kCmdFileNew), -1);
}

TEST(CommandImages, DrawOnlyInRange)
{
    CCommandImages images;
    ASSERT_TRUE(images.Load(CommandImageDescriptor::Standard(), 0xFF00FF, CMenuLook()));
    for (int index : {-1, 11, 400}) {
        bool drawn = true;
        const QImage picture = PaintImage(20, 20, [&](QPainter &p) {
            drawn = images.DrawNormal(p, index, 2, 2, kDrawNormal) || images.DrawSecond(p, index, 2, 2, kDrawNormal);
        });
        EXPECT_FALSE(drawn) << index;
        EXPECT_TRUE(PaintedBounds(picture).isEmpty()) << index;
    }
    bool drawn = false;
    const QImage picture = PaintImage(20, 20, [&](QPainter &p) { drawn = images.DrawSecond(p, 3, 2, 2, kDrawNormal); });
    EXPECT_TRUE(drawn);
    EXPECT_TRUE(QRect(2, 2, 16, 16).contains(PaintedBounds(picture)));
}

// Each style's bar with the images in their normal and disabled looks, enlarged for a look.
TEST(CommandImages, Render)
{
    CCommandImages images;
    ASSERT_TRUE(images.Load(CommandImageDescriptor::Standard(), 0xFF00FF, CMenuLook()));
    const int count = images.GetImageCount();
    QImage sheet(count * 24 + 8, 4 * 52, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (int style = kStyleNone; style <= kStyleSilver; ++style) {
        CMenuLook look;
        LookOptions o;
        o.visualStyle = style;
        look.UpdateColors(QPalette(QColor(0xEF, 0xEF, 0xEF)), o, sheet.width());
        const QRect bar(0, style * 52, sheet.width(), 50);
        p.fillRect(bar, GetBarBackgroundBrush(look));
        for (int i = 0; i < count; ++i) {
            images.DrawNormal(p, i, 4 + i * 24, bar.top() + 4, kDrawNormal);
            images.DrawSecond(p, i, 4 + i * 24, bar.top() + 28, kDrawNormal);
        }
    }
    p.end();
    EXPECT_TRUE(SaveRender(sheet.scaled(sheet.size() * 2), QStringLiteral("command-images")));
}

} // namespace

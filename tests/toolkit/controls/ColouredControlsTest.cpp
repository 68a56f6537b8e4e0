// The coloured push button and check box: derived colours, recoloured arrow images, mouse and
// keyboard behaviour, and the check mark's colour.
#include "toolkit/controls/BitmapComboBox.h"
#include "toolkit/controls/ControlPainting.h"
#include "toolkit/controls/FlatButton.h"
#include "toolkit/controls/LinkButton.h"
#include "toolkit/controls/RecoloredBitmap.h"

#include "ControlInput.h"
#include "RenderGallery.h"
#include "common/PaintProbe.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <gtest/gtest.h>

using namespace controlinput;

namespace {
constexpr COLORREF kFace = 0xC8E6C8; // a green item-type colour
constexpr COLORREF kText = 0x003000;

QRgb Rgb(COLORREF c)
{
    return ToQColor(c).rgb();
}
} // namespace

TEST(ControlColors, HighlightAndShadowComeFromTheFace)
{
    const CControlColors white = CControlColors::FromFace(0xFFFFFF, 0);
    EXPECT_EQ(white.highlight, 0xFFFFFFu);
    EXPECT_EQ(white.shadow, 0xAAAAAAu); // lightness 240 cut to 160
    EXPECT_TRUE(white.custom);

    const CControlColors green = CControlColors::FromFace(kFace, kText);
    EXPECT_EQ(green.text, kText);
    EXPECT_EQ(green.face, kFace);
    EXPECT_EQ(RgbToHls(green.highlight).lightness, RgbToHls(kFace).lightness / 2 + 120);
    EXPECT_EQ(RgbToHls(green.shadow).lightness, RgbToHls(kFace).lightness * 2 / 3);

    const CControlColors system = CControlColors::System(CControlColors::SystemText::Window);
    EXPECT_FALSE(system.custom);
    EXPECT_EQ(system.face, CMenuLook::Instance().GetColors().buttonFace);
}

TEST(RecoloredBitmap, KeyColoursAreSwappedAndOthersKept)
{
    QImage image(6, 1, QImage::Format_Indexed8);
    image.setColorTable({qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(255, 0, 255), qRgb(255, 255, 255),
                         qRgb(192, 192, 192), qRgb(0x12, 0x34, 0x56)});
    for (int x = 0; x < 6; ++x)
        image.setPixel(x, 0, uint(x));
    const CControlColors colours = CControlColors::FromFace(kFace, kText);
    const QImage out = RecolorPaletteImage(image, colours);
    const QRgb expected[] = {Rgb(kText), Rgb(colours.shadow),   Rgb(kFace), Rgb(colours.highlight),
                             Rgb(kFace), qRgb(0x12, 0x34, 0x56)};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(out.pixel(x, 0), expected[x]) << x;
        EXPECT_EQ(out.pixelIndex(x, 0), x); // the pixels stay
    }

    QImage rgb(2, 2, QImage::Format_RGB32);
    rgb.fill(Qt::black);
    EXPECT_EQ(RecolorPaletteImage(rgb, colours), rgb);

    QPixmap pixmap(3, 3);
    EXPECT_FALSE(LoadRecoloredBitmap(pixmap, QStringLiteral(":/controls/missing.png"), colours));
    EXPECT_EQ(pixmap.size(), QSize(3, 3));
    ASSERT_TRUE(LoadRecoloredBitmap(pixmap, QString::fromLatin1(CBitmapComboBox::kArrowPath), colours));
    EXPECT_EQ(pixmap.size(), QSize(11, 8));
    const QImage arrow = pixmap.toImage();
    EXPECT_GT(CountPixels(arrow, Rgb(kText)), 10);
    EXPECT_GT(CountPixels(arrow, Rgb(kFace)), 50);
}

TEST(FlatButton, DoubleClickCountsAsTwoClicks)
{
    CFlatButton button(QStringLiteral("Snooze"));
    button.resize(80, 24);
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    DoubleClick(&button, QPoint(40, 12));
    EXPECT_EQ(clicks, 2);
    Key(&button, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(clicks, 3);
}

TEST(FlatButton, EdgesFollowThePressedState)
{
    CFlatButton button(QStringLiteral("Snooze"));
    button.resize(80, 24);
    button.SetColors(kFace, kText);
    const CControlColors &c = button.Colors();
    QImage up = button.grab().toImage();
    EXPECT_EQ(up.pixel(0, 0), Rgb(c.highlight));
    EXPECT_EQ(up.pixel(79, 23), Rgb(DarkenHlsThird(kFace)));
    EXPECT_EQ(up.pixel(78, 22), Rgb(c.shadow));
    const QRect textArea(8, 5, 64, 14);
    EXPECT_GT(rendergallery::CountNear(up.copy(textArea), Rgb(kText)), 10);

    button.setDown(true);
    QImage down = button.grab().toImage();
    EXPECT_EQ(down.pixel(0, 0), Rgb(c.shadow));
    EXPECT_EQ(down.pixel(79, 23), Rgb(c.highlight));
    button.setDown(false);

    button.setEnabled(false);
    QImage off = button.grab().toImage();
    EXPECT_EQ(rendergallery::CountNear(off.copy(textArea), Rgb(kText)), 0);
    EXPECT_GT(rendergallery::CountNear(off.copy(textArea), Rgb(c.shadow), 12), 10);
    EXPECT_GT(rendergallery::CountNear(off.copy(textArea), Rgb(c.highlight), 12), 10);

    button.SetSystemLook(true);
    EXPECT_EQ(CountPixels(button.grab().toImage(), Rgb(kFace)), 0);
}

TEST(LinkButton, ReleasingOutsideLeavesTheCheckStateAlone)
{
    CLinkButton box(QStringLiteral("Play sound"));
    box.resize(120, 20);
    box.SetColors(kFace, kText);
    Press(&box, QPoint(5, 10));
    EXPECT_TRUE(box.isDown());
    Move(&box, QPoint(200, 10));
    EXPECT_FALSE(box.isDown());
    Release(&box, QPoint(200, 10));
    EXPECT_FALSE(box.IsChecked());

    Click(&box, QPoint(60, 10)); // on the label counts
    EXPECT_TRUE(box.IsChecked());
    Key(&box, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_FALSE(box.IsChecked());
    Key(&box, Qt::Key_Down);
    EXPECT_FALSE(box.IsChecked());
}

TEST(LinkButton, CheckMarkColourFollowsTheEnabledState)
{
    const QList<QPoint> mark = CheckMarkPixels(0, 0);
    EXPECT_EQ(mark.size(), 21);
    EXPECT_TRUE(mark.contains(QPoint(1, 3)));
    EXPECT_TRUE(mark.contains(QPoint(7, 1)));
    EXPECT_FALSE(mark.contains(QPoint(8, 0))); // end points are left out
    EXPECT_TRUE(mark.contains(QPoint(3, 7)));

    CLinkButton box(QStringLiteral("Play sound"));
    box.resize(120, 21);
    box.SetColors(kFace, kText);
    box.setChecked(true);
    const QRect inside = box.BoxRect().adjusted(2, 2, -2, -2);
    const QPoint probe = inside.topLeft() + QPoint(3, 5);
    const QImage on = box.grab().toImage();
    EXPECT_EQ(on.pixel(probe), Rgb(CMenuLook::Instance().GetColors().windowText));
    EXPECT_EQ(on.pixel(inside.topLeft()), Rgb(CMenuLook::Instance().GetColors().window));

    box.setEnabled(false);
    const QImage off = box.grab().toImage();
    EXPECT_EQ(off.pixel(probe), Rgb(box.Colors().shadow));
    EXPECT_EQ(off.pixel(inside.topLeft()), Rgb(kFace));
}

TEST(ColouredControls, FocusedControlsShowTheirFocus)
{
    QWidget host;
    host.resize(260, 40);
    CFlatButton button(QStringLiteral("Snooze"), &host);
    button.setGeometry(4, 4, 84, 25);
    CLinkButton box(QStringLiteral("Repeat"), &host);
    box.setGeometry(100, 6, 90, 21);
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{&button, &box})
        b->setFocusPolicy(Qt::StrongFocus);
    button.SetColors(kFace, kText);
    box.SetColors(kFace, kText);
    host.show();
    host.activateWindow();
    button.setFocus();
    QApplication::processEvents();
    if (!button.hasFocus())
        GTEST_SKIP() << "the platform gives no keyboard focus";
    const QRgb frame = Rgb(CMenuLook::Instance().GetColors().windowFrame);
    QImage focused = button.grab().toImage();
    EXPECT_EQ(focused.pixel(0, 0), frame);
    EXPECT_EQ(focused.pixel(1, 1), Rgb(button.Colors().highlight));
    EXPECT_EQ(focused.pixel(4, 6), qRgb(0, 0, 0)); // the dotted focus rectangle
    EXPECT_TRUE(rendergallery::Save(host.grab().toImage(), "coloured_controls_focus_button"));
    box.setFocus();
    QApplication::processEvents();
    EXPECT_NE(button.grab().toImage().pixel(0, 0), frame);
    EXPECT_TRUE(rendergallery::Save(host.grab().toImage(), "coloured_controls_focus_check"));
}

TEST(ColouredControls, Render)
{
    std::vector<QWidget *> row;
    CFlatButton normal(QStringLiteral("Snooze")), pressed(QStringLiteral("Dismiss")),
        off(QStringLiteral("Open Item"));
    for (CFlatButton *b : {&normal, &pressed, &off}) {
        b->SetColors(kFace, kText);
        b->resize(84, 25);
        row.push_back(b);
    }
    pressed.setDown(true);
    off.setEnabled(false);
    CLinkButton unchecked(QStringLiteral("Play sound")), checked(QStringLiteral("Repeat")),
        dimmed(QStringLiteral("Disabled")), leftText(QStringLiteral("Left text"));
    for (CLinkButton *b : {&unchecked, &checked, &dimmed, &leftText}) {
        b->SetColors(kFace, kText);
        b->resize(b->sizeHint());
        row.push_back(b);
    }
    checked.setChecked(true);
    dimmed.setChecked(true);
    dimmed.setEnabled(false);
    leftText.SetLeftText(true);
    leftText.setChecked(true);
    CBitmapComboBox combo, comboOff;
    for (CBitmapComboBox *c : {&combo, &comboOff}) {
        c->addItem(QStringLiteral("10 minutes"));
        c->SetColors(kFace, kText);
        c->resize(110, 24);
        row.push_back(c);
    }
    comboOff.setEnabled(false);
    EXPECT_TRUE(rendergallery::Save(rendergallery::Strip(row), "coloured_controls"));
}

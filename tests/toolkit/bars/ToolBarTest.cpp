// The flat toolbar: image strips (also one of no width), faded images of disabled buttons,
// drop-down menus that close when the pointer reaches another button, child controls on a
// vertical bar, and a render of the button states.
#include "../ToolkitRender.h"
#include "../commands/RecordingTarget.h"
#include "toolkit/bars/ToolBarEx.h"
#include "toolkit/commands/CommandRouter.h"
#include "toolkit/commands/CommandTable.h"
#include "toolkit/drawing/DisabledImages.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/menus/MenuEx.h"

#include <QComboBox>
#include <QMainWindow>
#include <QMouseEvent>
#include <QStyleOptionToolButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <set>

namespace {

TEST(ToolbarImages, ImageCountRoundsUpAndTreatsNoWidthAsEmpty)
{
    struct Case
    {
        int strip, image, expected;
    } cases[] = {{160, 16, 10}, {161, 16, 11}, {15, 16, 1}, {0, 16, 0}, {160, 0, 0}, {-5, 16, 0}};
    for (const Case &c : cases)
        EXPECT_EQ(ToolbarImages::ImageCount(c.strip, c.image), c.expected) << c.strip << "/" << c.image;

    EXPECT_TRUE(ToolbarImages::Split(QImage(), QSize(16, 16), 0xFF00FF).isEmpty());
    ToolbarImages images;
    EXPECT_FALSE(images.Load(QImage(0, 16, QImage::Format_ARGB32), QSize(16, 16), ToolbarImages::kMaskTopLeft, 0));
    EXPECT_EQ(images.Count(), 0);
}

TEST(ToolbarImages, MaskAndFading)
{
    QImage strip(40, 16, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    strip.setPixel(5, 5, qRgb(30, 60, 90));
    strip.setPixel(21, 3, qRgb(255, 255, 255));
    const QList<QPixmap> split = ToolbarImages::Split(strip, QSize(16, 16), ToolbarImages::kMaskTopLeft);
    ASSERT_EQ(split.size(), 3); // 40 / 16 rounded up
    const QImage first = split[0].toImage();
    EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0);
    EXPECT_EQ(first.pixel(5, 5), qRgb(30, 60, 90));
    EXPECT_EQ(split[1].toImage().pixel(5, 3), qRgb(255, 255, 255));
    // An explicit mask colour other than the top-left pixel.
    EXPECT_EQ(qAlpha(ToolbarImages::Split(strip, QSize(16, 16), 0x5A3C1E)[0].toImage().pixel(5, 5)), 0);

    // The faded images are the keyed disabled look, tinted towards the bar colour lightened; the
    // masked pixels stay transparent.
    ToolbarImages images;
    const COLORREF barColour = 0x0064C8;
    ASSERT_TRUE(images.Load(strip, QSize(16, 16), ToolbarImages::kMaskTopLeft, barColour));
    ASSERT_EQ(images.Faded().size(), 3);
    QImage expected = images.Normal()[0].toImage();
    MakeDisabledBitmap(expected, ToolbarImages::kFadeWeight, LightenColor(115, barColour),
                       ToolbarImages::kMaskTopLeft);
    const QImage faded = images.Faded()[0].toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(faded, QPixmap::fromImage(expected).toImage().convertToFormat(QImage::Format_ARGB32));
    EXPECT_NE(faded.pixel(5, 5), first.pixel(5, 5));
    EXPECT_EQ(qAlpha(faded.pixel(5, 5)), 255);
    EXPECT_EQ(qAlpha(faded.pixel(0, 0)), 0);
}

enum : int
{
    kNew = 32771,
    kPrint = 57607,
    kBold = 32900,
    kToday = 32805,
    kFilter = 32895,
    kDelete = 32811,
};

class Target : public RecordingTarget
{
  public:
    Target() : RecordingTarget({kDelete}, {kBold}) {}
};

QImage MakeStrip()
{
    QImage strip(16 * 6, 16, QImage::Format_ARGB32);
    strip.fill(QColor(255, 0, 255));
    QPainter p(&strip);
    const QColor colours[] = {QColor(40, 120, 200), QColor(200, 140, 30), QColor(60, 160, 80),
                              QColor(160, 60, 160), QColor(200, 50, 50), QColor(90, 90, 90)};
    const char letters[] = "NPBTFD";
    for (int i = 0; i < 6; ++i)
        p.drawPixmap(i * 16, 0, MakeCommandImage(colours[i], letters[i]));
    p.end();
    // Keep the top-left pixel the mask colour.
    strip.setPixel(0, 0, qRgb(255, 0, 255));
    return strip;
}

class ToolBarTest : public ::testing::Test
{
  protected:
    ToolBarTest() : table(router)
    {
        UseMenuLookStyle();
        table.Add(kNew, "&New", "New item\nNew");
        table.Add(kPrint, "&Print", "Prints\nPrint");
        table.Add(kBold, "&Bold", "Bold\nBold");
        table.Add(kToday, "&Today", "Today\nGo to Today");
        table.Add(kFilter, "&Filter", "Filter\nFilter");
        table.Add(kDelete, "&Delete", "Deletes\nDelete");
        bar = new CToolBarEx(table, "Standard");
        bar->LoadToolBar({kNew, kPrint, 0, kBold, kToday, kFilter, 0, kDelete});
        EXPECT_EQ(bar->SetImageBitmap(MakeStrip(), QSize(16, 16)), 6);
        window.addToolBar(bar);
        router.SetMainWindow(&window);
        router.RegisterTarget(&window, &target);
        window.resize(360, 120);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        router.UpdateBars();
    }

    CCommandRouter router;
    CCommandTable table;
    QMainWindow window;
    CToolBarEx *bar = nullptr;
    Target target;
};

TEST_F(ToolBarTest, DisabledButtonsUseTheFadedImages)
{
    QToolButton *del = bar->Button(kDelete);
    ASSERT_NE(del, nullptr);
    EXPECT_FALSE(del->isEnabled());
    const QImage shown = del->icon().pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage();
    EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32), bar->Images().Faded()[5].toImage().convertToFormat(QImage::Format_ARGB32));
    EXPECT_TRUE(bar->Button(kBold)->isChecked());
    QTest::mouseClick(del, Qt::LeftButton);
    QTest::mouseClick(bar->Button(kPrint), Qt::LeftButton);
    EXPECT_EQ(target.ran, std::vector<int>{kPrint});
}

TEST_F(ToolBarTest, DropDownClosesWhenThePointerReachesAnotherButton)
{
    CMenuEx menu(table);
    menu.AddCommand(kNew);
    menu.AddCommand(kPrint);
    EXPECT_FALSE(bar->TrackDropDown(kFilter, nullptr));
    EXPECT_FALSE(bar->TrackDropDown(12345, &menu));
    ASSERT_TRUE(bar->TrackDropDown(kFilter, &menu));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    EXPECT_EQ(bar->OpenDropDown(), kFilter);
    EXPECT_TRUE(bar->Button(kFilter)->property(CMenuLookStyle::kOpenDropDown).toBool());
    // The menu opens under its button.
    const QRect button(bar->Button(kFilter)->mapToGlobal(QPoint(0, 0)), bar->Button(kFilter)->size());
    EXPECT_EQ(menu.pos().y(), button.bottom() + 1);

    auto moveTo = [&](QToolButton *over) {
        const QPoint global = over->mapToGlobal(over->rect().center());
        QMouseEvent move(QEvent::MouseMove, menu.mapFromGlobal(global), global, Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&menu, &move);
    };
    moveTo(bar->Button(kFilter)); // its own button keeps it open
    EXPECT_TRUE(menu.isVisible());
    moveTo(bar->Button(kToday));
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(bar->OpenDropDown(), 0);
    EXPECT_FALSE(bar->Button(kFilter)->property(CMenuLookStyle::kOpenDropDown).toBool());
}

TEST_F(ToolBarTest, ControlsHideOnAVerticalBar)
{
    auto *combo = new QComboBox;
    QAction *placeholder = bar->AddControl(combo);
    EXPECT_TRUE(placeholder->isVisible());
    window.addToolBar(Qt::LeftToolBarArea, bar);
    EXPECT_EQ(bar->orientation(), Qt::Vertical);
    EXPECT_FALSE(placeholder->isVisible());
    window.addToolBar(Qt::TopToolBarArea, bar);
    EXPECT_TRUE(placeholder->isVisible());
}

TEST_F(ToolBarTest, BordersGoWhileTheBarFloats)
{
    EXPECT_EQ(bar->contentsMargins(), QMargins(3, 1, 3, 1));
    emit bar->topLevelChanged(true);
    EXPECT_EQ(bar->contentsMargins(), QMargins(0, 0, 0, 0));
    emit bar->topLevelChanged(false);
    EXPECT_EQ(bar->contentsMargins(), QMargins(3, 1, 3, 1));
}

TEST_F(ToolBarTest, RendersTheButtonStates)
{
    QImage grabbed = bar->grab().toImage();
    // Each state of one button, drawn by the style: normal, hot, pressed, checked, checked and
    // hot, open drop-down, disabled.
    QToolButton *button = bar->Button(kToday);
    const QSize size = button->size();
    struct State
    {
        QStyle::State flags;
        bool open;
    } states[] = {
        {QStyle::State_Enabled | QStyle::State_AutoRaise, false},
        {QStyle::State_Enabled | QStyle::State_AutoRaise | QStyle::State_MouseOver | QStyle::State_Raised, false},
        {QStyle::State_Enabled | QStyle::State_AutoRaise | QStyle::State_Sunken | QStyle::State_MouseOver, false},
        {QStyle::State_Enabled | QStyle::State_AutoRaise | QStyle::State_On, false},
        {QStyle::State_Enabled | QStyle::State_AutoRaise | QStyle::State_On | QStyle::State_MouseOver | QStyle::State_Raised, false},
        {QStyle::State_Enabled | QStyle::State_AutoRaise, true},
        {QStyle::State_AutoRaise, false},
    };
    QImage sheet(std::max(grabbed.width(), 7 * (size.width() + 6)) + 20, grabbed.height() + size.height() + 30,
                 QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.drawImage(10, 5, grabbed);
    int x = 10;
    for (const State &s : states) {
        QPixmap cell(size.width() + 6, size.height() + 6);
        QPainter cp(&cell);
        cp.fillRect(cell.rect(), GetBarBackgroundBrush());
        button->setProperty(CMenuLookStyle::kOpenDropDown, s.open);
        QStyleOptionToolButton option;
        option.initFrom(button);
        option.rect = QRect(QPoint(3, 3), size);
        option.state = s.flags;
        option.subControls = QStyle::SC_ToolButton;
        option.activeSubControls = (s.flags & QStyle::State_Sunken) ? QStyle::SC_ToolButton : QStyle::SC_None;
        option.icon = button->icon();
        option.iconSize = QSize(16, 16);
        option.toolButtonStyle = Qt::ToolButtonIconOnly;
        button->style()->drawComplexControl(QStyle::CC_ToolButton, &option, &cp, button);
        cp.end();
        p.drawPixmap(x, grabbed.height() + 15, cell);
        x += cell.width();
    }
    button->setProperty(CMenuLookStyle::kOpenDropDown, false);
    p.end();
    SaveRender(sheet, "toolbar_states");
    EXPECT_FALSE(grabbed.isNull());
}

} // namespace

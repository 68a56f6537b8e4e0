// The menu bar and its menus in a window: Alt and F10 menu mode, sliding with Left and Right,
// Escape leaving the item selected, commands chosen from the bar's menus going through the
// route, menus refreshed when they open, and renders of the bar and an open menu.
#include "../ToolkitRender.h"
#include "../commands/RecordingTarget.h"
#include "toolkit/commands/CommandRouter.h"
#include "toolkit/commands/CommandTable.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/menus/MenuBarEx.h"
#include "toolkit/menus/MenuEx.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

namespace {

enum : int
{
    kNew = 32771,
    kOpen = 57601,
    kExit = 57665,
    kCopy = 57634,
    kPaste = 57637,
    kDayView = 32880,
    kWeekView = 32881,
    kToday = 32805,
    kAbout = 57664,
};

class WindowTarget : public RecordingTarget
{
  public:
    WindowTarget() : RecordingTarget({kPaste}, {kDayView, kToday}) {}
};

class MenuBarTest : public ::testing::Test
{
  protected:
    MenuBarTest() : table(router)
    {
        UseMenuLookStyle();
        table.Add(kNew, "&New Event", "Makes a new event\nNew Event", QKeySequence(Qt::CTRL | Qt::Key_N));
        table.Add(kOpen, "&Open...", "Opens a data file\nOpen", QKeySequence(Qt::CTRL | Qt::Key_O));
        table.Add(kExit, "E&xit", "Ends the program");
        table.Add(kCopy, "&Copy", "Copies\nCopy", QKeySequence(Qt::CTRL | Qt::Key_C));
        table.Add(kPaste, "&Paste", "Pastes\nPaste", QKeySequence(Qt::CTRL | Qt::Key_V));
        table.Add(kDayView, "&Day", "Shows one day");
        table.Add(kWeekView, "&Week", "Shows a week");
        table.Add(kToday, "Go to &Today", "Shows today", QKeySequence(Qt::Key_F5));
        table.Add(kAbout, "&About Tessivo...", "Shows the program's version");
        table.SetImages({MakeCommandImage(QColor(40, 120, 200), 'N'), MakeCommandImage(QColor(200, 140, 30), 'O'),
                         MakeCommandImage(QColor(60, 160, 80), 'C'), MakeCommandImage(QColor(160, 60, 160), 'P'),
                         MakeCommandImage(QColor(200, 60, 60), 'W'), MakeCommandImage(QColor(30, 140, 160), 'T')},
                        {kNew, kOpen, kCopy, kPaste, kWeekView, kToday});

        bar = new CMenuBarEx(table);
        window.setMenuBar(bar);
        file = bar->AddMenu("&File");
        file->AddCommand(kNew);
        file->AddCommand(kOpen);
        file->AddCommand(0);
        file->AddCommand(kExit);
        edit = bar->AddMenu("&Edit");
        edit->AddCommand(kCopy);
        edit->AddCommand(kPaste);
        view = bar->AddMenu("&View");
        view->AddCommand(kDayView);
        view->AddCommand(kWeekView);
        view->AddCommand(0);
        view->AddCommand(kToday);
        CMenuEx *goTo = view->AddSubMenu("&Go To");
        goTo->AddCommand(kToday);
        help = bar->AddMenu("&Help");
        help->AddCommand(kAbout);

        pane = new QLineEdit;
        window.setCentralWidget(pane);
        router.SetMainWindow(&window);
        router.RegisterTarget(&window, &target);
        window.resize(420, 240);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        pane->setFocus();
        // The pointer rests away from the bar.
        QCursor::setPos(window.geometry().bottomRight() + QPoint(40, 40));
    }
    ~MenuBarTest() override
    {
        for (QMenu *menu : {static_cast<QMenu *>(file), static_cast<QMenu *>(edit), static_cast<QMenu *>(view),
                            static_cast<QMenu *>(help)})
            menu->hide();
    }

    void PressAlt()
    {
        QTest::keyPress(pane, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(pane, Qt::Key_Alt, Qt::NoModifier);
    }
    // Lets the bar see that a popup has closed.
    static void Settle() { QTest::qWait(5); }

    CCommandRouter router;
    CCommandTable table;
    QMainWindow window;
    CMenuBarEx *bar = nullptr;
    CMenuEx *file = nullptr, *edit = nullptr, *view = nullptr, *help = nullptr;
    QLineEdit *pane = nullptr;
    WindowTarget target;
};

TEST_F(MenuBarTest, AltPressAndReleaseEntersAndLeavesMenuMode)
{
    PressAlt();
    EXPECT_EQ(bar->State().GetMode(), CMenuBarState::Hot);
    EXPECT_EQ(bar->State().HotIndex(), 0);
    EXPECT_TRUE(bar->State().InMenuMode());
    EXPECT_TRUE(bar->property(CMenuLookStyle::kShowMnemonics).toBool());
    EXPECT_EQ(bar->OpenPopup(), nullptr);

    PressAlt(); // leaves; the release does not enter again
    EXPECT_EQ(bar->State().GetMode(), CMenuBarState::Idle);
    EXPECT_FALSE(bar->State().InMenuMode());
    EXPECT_FALSE(bar->property(CMenuLookStyle::kShowMnemonics).toBool());

    // F10 does the same; Escape leaves as well.
    QTest::keyClick(pane, Qt::Key_F10);
    EXPECT_EQ(bar->State().GetMode(), CMenuBarState::Hot);
    QTest::keyClick(pane, Qt::Key_Escape);
    EXPECT_EQ(bar->State().GetMode(), CMenuBarState::Idle);
    EXPECT_EQ(QApplication::focusWidget(), pane);

    // Alt used with another key is no menu key.
    QTest::keyPress(pane, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(pane, Qt::Key_F4, Qt::AltModifier);
    QTest::keyRelease(pane, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_EQ(bar->State().GetMode(), CMenuBarState::Idle);
}

TEST_F(MenuBarTest, LeftAndRightSlideBetweenMenus)
{
    PressAlt();
    QTest::keyClick(pane, Qt::Key_Right);
    EXPECT_EQ(bar->State().HotIndex(), 1);
    EXPECT_EQ(bar->OpenPopup(), nullptr);
    QTest::keyClick(pane, Qt::Key_Down);
    ASSERT_EQ(bar->OpenPopup(), edit);
    EXPECT_EQ(bar->State().GetMode(), CMenuBarState::Tracking);
    EXPECT_EQ(edit->activeAction(), table.Action(kCopy)); // opened by keyboard: first item selected

    QTest::keyClick(edit, Qt::Key_Right);
    Settle();
    ASSERT_EQ(bar->OpenPopup(), view);
    EXPECT_EQ(bar->State().HotIndex(), 2);
    QTest::keyClick(view, Qt::Key_Left);
    Settle();
    ASSERT_EQ(bar->OpenPopup(), edit);
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(file, Qt::Key_Left); // wraps round to the last menu
    Settle();
    ASSERT_EQ(bar->OpenPopup(), help);

    // Escape closes the popup and leaves its bar item selected.
    QTest::keyClick(help, Qt::Key_Escape);
    Settle();
    EXPECT_EQ(bar->OpenPopup(), nullptr);
    EXPECT_EQ(bar->State().GetMode(), CMenuBarState::Hot);
    EXPECT_EQ(bar->State().HotIndex(), 3);
    EXPECT_TRUE(bar->State().InMenuMode());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(bar->State().GetMode(), CMenuBarState::Idle);
    EXPECT_EQ(QApplication::focusWidget(), pane);
}

TEST_F(MenuBarTest, CommandsFromTheBarMenusGoThroughTheRoute)
{
    PressAlt();
    QTest::keyClick(pane, Qt::Key_Down);
    ASSERT_EQ(bar->OpenPopup(), file);
    QTest::keyClick(file, Qt::Key_Return);
    Settle();
    EXPECT_EQ(target.ran, std::vector<int>{kNew});
    EXPECT_EQ(bar->State().GetMode(), CMenuBarState::Idle);

    // A disabled command cannot be chosen, also when its action was left enabled.
    table.Action(kPaste)->setEnabled(true);
    bar->OpenItem(1, true);
    ASSERT_EQ(bar->OpenPopup(), edit);
    EXPECT_FALSE(table.Action(kPaste)->isEnabled()); // asked when the menu opened
    edit->setActiveAction(table.Action(kPaste));
    QTest::keyClick(edit, Qt::Key_Return);
    Settle();
    EXPECT_EQ(target.ran, std::vector<int>{kNew});
    edit->hide();
    Settle();

    // A mnemonic in menu mode opens its menu.
    PressAlt();
    QTest::keyClick(pane, Qt::Key_V);
    EXPECT_EQ(bar->OpenPopup(), view);
    EXPECT_TRUE(table.Action(kDayView)->isChecked());
}

TEST_F(MenuBarTest, MenuOperationsByCommand)
{
    EXPECT_EQ(file->GetItemText(kNew), "&New Event\tCtrl+N");
    EXPECT_EQ(view->GetItemText(kToday), "Go to &Today\tF5"); // found in the sub-menu
    EXPECT_EQ(file->GetItemText(kToday), "");
    EXPECT_EQ(file->FindMnemonic('x'), 3);
    EXPECT_EQ(view->FindMenuOf(kToday), view); // the first menu that holds it
    EXPECT_EQ(view->FindMenuOf(kAbout), nullptr);

    EXPECT_FALSE(file->SetItemImageAt(kExit, table.ImageCount())); // beyond the image table
    EXPECT_FALSE(file->SetItemImageAt(kCopy, 0));                   // not in this menu
    EXPECT_TRUE(file->SetItemImageAt(kExit, 3));
    EXPECT_EQ(table.FindImage(kExit), 3);

    const qsizetype before = view->actions().size();
    ASSERT_NE(view->InsertCommandBefore(kToday, kOpen), nullptr);
    EXPECT_EQ(view->actions().size(), before + 1);
    EXPECT_EQ(view->actions().indexOf(table.Action(kOpen)) + 1, view->actions().indexOf(table.Action(kToday)));
    EXPECT_TRUE(view->DeleteItem(kToday)); // from the View menu, then from its sub-menu
    EXPECT_TRUE(view->DeleteItem(kToday));
    EXPECT_FALSE(view->DeleteItem(kToday));
    EXPECT_EQ(view->InsertCommandBefore(kToday, kNew), nullptr);
}

TEST_F(MenuBarTest, RendersTheBarAndAnOpenMenu)
{
    // The bar idle, then with an item hot, then with the View menu open from the keyboard.
    QImage idle = bar->grab().toImage();
    PressAlt();
    QImage hot = bar->grab().toImage();
    PressAlt();
    target.disabled.insert(kWeekView);
    bar->OpenItem(2, true);
    ASSERT_EQ(bar->OpenPopup(), view);
    QTest::qWait(5);
    const QImage menu = view->grab().toImage();
    const QImage open = bar->grab().toImage();
    const QRect item = bar->actionGeometry(bar->actions()[2]);

    QImage sheet(std::max(open.width(), item.left() + menu.width()) + 20, idle.height() * 3 + menu.height() + 40,
                 QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.drawImage(10, 5, idle);
    p.drawImage(10, 10 + idle.height(), hot);
    const int openTop = 15 + 2 * idle.height();
    p.drawImage(10, openTop, open);
    p.drawImage(10 + item.left(), openTop + item.bottom(), menu); // the popup overlaps its item by a pixel
    p.end();
    SaveRender(sheet, "menu_bar");

    EXPECT_EQ(bar->State().GetMode(), CMenuBarState::Tracking);
    EXPECT_GT(menu.width(), 100) << menu.width();
    // The popup opens against its item, and its top border gives way where they meet.
    const QRect screenItem = bar->ItemScreenRect(2);
    EXPECT_EQ(view->pos(), QPoint(screenItem.left(), screenItem.bottom()));
    const QColor border = ToQColor(GetMenuItemBorderColor(false, false, 0));
    EXPECT_EQ(menu.pixelColor(screenItem.width() / 2, 0), ToQColor(GetMenuIconBackColor(0)));
    EXPECT_EQ(menu.pixelColor(menu.width() - 3, 0), border);
}

} // namespace

// The command route: the order of its links, and a command reaching its handler from a menu, a
// toolbar button and an accelerator, never while its update handler says it is disabled.
#include "toolkit/commands/CommandRouter.h"
#include "toolkit/commands/CommandTable.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr int kCmdNew = 32771;
constexpr int kCmdToday = 32805;

// A link of the route that handles a set of commands and counts what it ran.
class FakeTarget : public ICommandTarget
{
  public:
    explicit FakeTarget(std::map<int, bool> handled) : m_handled(std::move(handled)) {}
    bool OnCommand(int id) override
    {
        if (!m_handled.count(id))
            return false;
        ran.push_back(id);
        return true;
    }
    bool OnUpdateCommand(int id, CCmdUI &ui) override
    {
        const auto it = m_handled.find(id);
        if (it == m_handled.end())
            return false;
        ui.Enable(it->second);
        ui.SetCheck(checked);
        return true;
    }
    void SetEnabled(int id, bool on) { m_handled[id] = on; }
    std::vector<int> ran;
    bool checked = false;

  private:
    std::map<int, bool> m_handled;
};

class CommandRouteTest : public ::testing::Test
{
  protected:
    CommandRouteTest()
        : table(router), pane(new QLineEdit), paneTarget({{kCmdNew, true}}),
          mainTarget({{kCmdNew, true}, {kCmdToday, true}}), appTarget({{kCmdToday, true}})
    {
        table.Add(kCmdNew, "&New Event", "Makes a new event\nNew Event", QKeySequence(Qt::CTRL | Qt::Key_N));
        table.Add(kCmdToday, "Go to &Today", "Shows today\nGo to Today");
        auto *central = new QWidget;
        auto *layout = new QVBoxLayout(central);
        layout->addWidget(pane);
        window.setCentralWidget(central);
        router.SetMainWindow(&window);
        router.SetApplicationTarget(&appTarget);
        router.RegisterTarget(pane, &paneTarget);
        router.RegisterTarget(&window, &mainTarget);
        window.addAction(table.Action(kCmdNew));
        window.resize(300, 200);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        pane->setFocus();
    }

    CCommandRouter router;
    CCommandTable table;
    QMainWindow window;
    QLineEdit *pane;
    FakeTarget paneTarget, mainTarget, appTarget;
};

TEST_F(CommandRouteTest, RouteRunsFromTheFocusedPaneToTheApplication)
{
    const QList<ICommandTarget *> route = router.Route(pane);
    ASSERT_EQ(route.size(), 3);
    EXPECT_EQ(route[0], &paneTarget);
    EXPECT_EQ(route[1], &mainTarget);
    EXPECT_EQ(route[2], &appTarget);
    // Without the focus inside it, the main window and the application still answer.
    EXPECT_EQ(router.Route(new QWidget(&window)).size(), 2);

    EXPECT_TRUE(router.Execute(kCmdNew));
    EXPECT_EQ(paneTarget.ran, std::vector<int>{kCmdNew});
    EXPECT_TRUE(mainTarget.ran.empty());
    EXPECT_TRUE(router.Execute(kCmdToday)); // the pane does not handle it: the main window does
    EXPECT_EQ(mainTarget.ran, std::vector<int>{kCmdToday});
    EXPECT_TRUE(appTarget.ran.empty());
    EXPECT_FALSE(router.Execute(99999)); // nobody handles it
    EXPECT_FALSE(router.Update(99999).enabled);
}

TEST_F(CommandRouteTest, ActionsCarryTheTableTexts)
{
    QAction *action = table.Action(kCmdNew);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action, table.Action(kCmdNew)); // one action per command
    EXPECT_EQ(CommandIdOf(action), kCmdNew);
    EXPECT_EQ(action->text(), "&New Event");
    EXPECT_EQ(action->statusTip(), "Makes a new event");
    EXPECT_EQ(action->toolTip(), "New Event");
    EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(table.Action(12345), nullptr);

    EXPECT_EQ(SplitCommandString("only a prompt").tip, "");
    EXPECT_EQ(SplitCommandString("p\n" + QString(100, 'x')).tip.size(), CCommandTable::kMaxTipLength);
}

TEST_F(CommandRouteTest, ImagesAreFoundByCommandAndOutOfRangeIndexesRefused)
{
    QPixmap a(16, 16), b(16, 16);
    table.SetImages({a, b}, {CCommandTable::kImageHole, kCmdToday});
    EXPECT_EQ(table.FindImage(kCmdToday), 1);
    EXPECT_EQ(table.FindImage(kCmdNew), -1);
    EXPECT_FALSE(table.SetCommandImage(kCmdNew, 2));
    EXPECT_FALSE(table.SetCommandImage(kCmdNew, -1));
    EXPECT_EQ(table.FindImage(kCmdNew), -1);
    EXPECT_TRUE(table.SetCommandImage(kCmdNew, 0));
    EXPECT_FALSE(table.Action(kCmdNew)->icon().isNull());
}

TEST_F(CommandRouteTest, MenuCommandReachesItsHandlerOnlyWhileEnabled)
{
    for (const bool enabled : {true, false}) {
        paneTarget.ran.clear();
        paneTarget.SetEnabled(kCmdNew, enabled);
        QMenu menu(&window);
        menu.addAction(table.Action(kCmdNew));
        router.WatchMenu(&menu);
        table.Action(kCmdNew)->setEnabled(true); // stale state: the menu must ask the route
        menu.popup(window.mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
        EXPECT_EQ(table.Action(kCmdNew)->isEnabled(), enabled);
        menu.setActiveAction(table.Action(kCmdNew));
        QTest::keyClick(&menu, Qt::Key_Return);
        EXPECT_EQ(paneTarget.ran.size(), enabled ? 1u : 0u) << "enabled " << enabled;
        menu.close();
    }
}

TEST_F(CommandRouteTest, ToolbarButtonFollowsTheRouteOnIdle)
{
    QToolBar *bar = window.addToolBar("bar");
    bar->addAction(table.Action(kCmdToday));
    router.WatchBar(bar);
    auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(table.Action(kCmdToday)));
    ASSERT_NE(button, nullptr);
    QTest::qWait(1);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(mainTarget.ran, std::vector<int>{kCmdToday});

    mainTarget.SetEnabled(kCmdToday, false);
    mainTarget.checked = true;
    QTest::mouseClick(pane, Qt::LeftButton); // input settles: the bar is updated
    QTest::qWait(1);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_TRUE(table.Action(kCmdToday)->isChecked());
    QTest::mouseClick(button, Qt::LeftButton);
    table.Action(kCmdToday)->trigger();
    EXPECT_EQ(mainTarget.ran.size(), 1u);
}

TEST_F(CommandRouteTest, AcceleratorRunsTheCommandOnlyWhileEnabled)
{
    QTest::keyClick(pane, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(paneTarget.ran, std::vector<int>{kCmdNew});

    // Disabled after the action last looked: the key press must not run it.
    paneTarget.SetEnabled(kCmdNew, false);
    mainTarget.SetEnabled(kCmdNew, true); // further down the route, but the pane answers first
    QTest::keyClick(pane, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(paneTarget.ran.size(), 1u);
    EXPECT_TRUE(mainTarget.ran.empty());
    EXPECT_FALSE(table.Action(kCmdNew)->isEnabled());

    paneTarget.SetEnabled(kCmdNew, true);
    QTest::keyClick(pane, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(paneTarget.ran.size(), 2u);
}

} // namespace

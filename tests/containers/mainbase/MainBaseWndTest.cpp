// The main base window on a temporary data file with fake containers: attaching and detaching,
// switching views, the toggles, the splitter drags and the pane sizes across a restart.
#include "common/TempProfile.h"
#include "containers/mainbase/FakeContainer.h"
#include "containers/mainbase/MainBaseLayout.h"
#include "containers/mainbase/MainBasePointers.h"
#include "containers/mainbase/MainBaseShell.h"
#include "containers/mainbase/MainBaseTaskPad.h"
#include "containers/mainbase/MainBaseWnd.h"
#include "containers/mainbase/ViewSwitchRule.h"
#include "containers/mainbase/WidgetRenders.h"
#include "containers/preview/EventPreviewBar.h"
#include "containers/preview/PreviewPane.h"
#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "toolkit/navigator/DateNavigatorBar.h"
#include "toolkit/navigator/DateNavigatorWnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {
CDateTime At(int y, int m, int d, int h = 0, int min = 0) { return CDateTime(y, m, d, h, min, 0); }

struct FakeShell : IMainBaseShell
{
    void SetInfoBarMode(int kind) override { mode = kind; }
    void SetInfoBarTitle(const QString &t) override { title = t; }
    void ShowInfoBarText(const QString &t) override { text = t; }
    void ShowWarningText(const QString &t) override { warnings.push_back(t); }
    void HandleSessionError(HRESULT code) override { errors.push_back(code); }
    bool IsLayoutSuspended() const override { return suspended; }
    int mode = 0;
    QString title = QStringLiteral("untouched"), text;
    std::vector<QString> warnings;
    std::vector<HRESULT> errors;
    bool suspended = false;
};

struct FakeTaskPad : IMainBaseTaskPad
{
    FakeTaskPad()
    {
        list.addItems({QStringLiteral("File the quarterly report"), QStringLiteral("Book the venue"),
                       QStringLiteral("Call the printer")});
    }
    QWidget *Widget() override { return &list; }
    void SetOwner(IMainBaseContainer *o) override { owner = o; }
    void RefreshRows() override { ++refreshed; }
    void ReloadOptions() override { ++reloaded; }
    QListWidget list;
    IMainBaseContainer *owner = nullptr;
    int refreshed = 0, reloaded = 0;
};

class MainBaseFixture : public testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("calendar.qvd"));
        ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(path, QStringLiteral("Home"), QString()), S_OK);
        ASSERT_EQ(document.OpenCalendarFile(path, QString(), nullptr, false), S_OK);
        MakeWindow();
    }
    void TearDown() override
    {
        window.reset();
        document.CloseCalendarFile();
    }

    void MakeWindow()
    {
        window.reset();
        host = std::make_unique<QWidget>();
        host->resize(1280, 760);
        window = std::make_unique<CMainBaseWnd>(&shell, host.get());
        ASSERT_TRUE(window->Create(
            [](int kind, QWidget *parent) -> IMainBaseContainer * { return new FakeContainer(kind, parent); },
            &taskPad));
        window->setGeometry(0, 0, 1280, 760);
        host->show();
    }
    FakeContainer *Fake(int kind) const { return dynamic_cast<FakeContainer *>(window->Container(kind)); }
    int Kind() const { return window->GetCurrentContainer() ? window->GetCurrentContainer()->GetViewKind() : 0; }

    void Mouse(QEvent::Type type, QPoint at)
    {
        QMouseEvent event(type, at, window->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &event);
    }

    TempProfile profile;
    QTemporaryDir dir;
    QString path;
    CCalendarDocument document;
    FakeShell shell;
    FakeTaskPad taskPad;
    std::unique_ptr<QWidget> host;
    std::unique_ptr<CMainBaseWnd> window;
};
} // namespace

TEST(ViewSwitchRule, SuccessCodesAndNoOps)
{
    for (HRESULT ok : {0u, 1u, 0x80040500u, 0x80040509u})
        EXPECT_TRUE(CViewSwitchRule::IsSuccess(ok)) << ok;
    for (HRESULT bad : {2u, 0x8004050Au, 0x80070005u, 14u})
        EXPECT_FALSE(CViewSwitchRule::IsSuccess(bad)) << bad;

    const CDateTime d = At(2024, 6, 10);
    EXPECT_TRUE(CViewSwitchRule::IsNoOp(true, d, At(2024, 6, 10, 15, 0), false, 0, 1, false, false));
    EXPECT_FALSE(CViewSwitchRule::IsNoOp(true, d, At(2024, 6, 11), false, 0, 1, false, false));
    EXPECT_FALSE(CViewSwitchRule::IsNoOp(false, d, d, false, 0, 1, false, false));
    // Multi-day: the day count and the work-week flag must agree too.
    EXPECT_TRUE(CViewSwitchRule::IsNoOp(true, d, d, true, 0, 5, false, false));
    EXPECT_TRUE(CViewSwitchRule::IsNoOp(true, d, d, true, 2, 3, false, false));
    EXPECT_FALSE(CViewSwitchRule::IsNoOp(true, d, d, true, 1, 3, false, false));
    EXPECT_FALSE(CViewSwitchRule::IsNoOp(true, d, d, true, 4, 5, true, false));

    // A calendar view passes its date on; a list view does not.
    const CDateTime target = At(2024, 1, 1);
    EXPECT_EQ(CViewSwitchRule::DateFor(CDateTime::Null(), 4, d, target), d);
    EXPECT_EQ(CViewSwitchRule::DateFor(CDateTime::Null(), 6, d, target), target);
    EXPECT_EQ(CViewSwitchRule::DateFor(At(2025, 2, 2), 4, d, target), At(2025, 2, 2));

    int index = -1;
    bool workWeek = true;
    ASSERT_TRUE(CViewSwitchRule::MultiDayIndexForCommand(32868, index, workWeek));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(workWeek);
    ASSERT_TRUE(CViewSwitchRule::MultiDayIndexForCommand(34724, index, workWeek));
    EXPECT_EQ(index, 4);
    EXPECT_TRUE(workWeek);
    EXPECT_FALSE(CViewSwitchRule::MultiDayIndexForCommand(32881, index, workWeek));
}

TEST_F(MainBaseFixture, CreatesTheChildrenAndPublishesThePointers)
{
    for (int kind = 1; kind <= 8; ++kind) {
        ASSERT_NE(window->Container(kind), nullptr);
        EXPECT_EQ(window->Container(kind)->GetViewKind(), kind);
        EXPECT_EQ(window->Container(kind)->Widget()->property("controlId").toInt(),
                  CMainBaseWnd::kContainerIds[std::size_t(kind - 1)]);
    }
    EXPECT_EQ(CMainBasePointers::MainBase(), window.get());
    EXPECT_EQ(CMainBasePointers::PreviewPane(), window->Preview());
    EXPECT_EQ(CMainBasePointers::DateNavigator(), window->Bar()->Navigator());
    EXPECT_EQ(CMainBasePointers::TaskPad(), &taskPad.list);
    EXPECT_EQ(window->GetCurrentContainer(), nullptr);

    // A container that cannot be made fails the creation.
    CMainBaseWnd other(&shell);
    EXPECT_FALSE(other.Create([](int kind, QWidget *parent) -> IMainBaseContainer * {
        return kind == 5 ? nullptr : new FakeContainer(kind, parent);
    }, nullptr));
}

TEST_F(MainBaseFixture, AttachShowsTheDayViewAndDetachHidesTheWindow)
{
    window->SetDataFile(&document);
    EXPECT_EQ(Kind(), 1);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Fake(1)->document, &document);
    EXPECT_EQ(Fake(1)->reloads.size(), 1u);
    EXPECT_EQ(taskPad.owner, Fake(1));
    EXPECT_EQ(shell.mode, 1);
    // The Day view fills the client area beside the bar.
    EXPECT_TRUE(window->Bar()->isVisible());
    EXPECT_EQ(Fake(1)->geometry().right() + 1 + 6, window->Bar()->geometry().left());

    window->SetDataFile(nullptr);
    EXPECT_FALSE(window->isEnabled());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Fake(3)->document, nullptr);
    EXPECT_FALSE(window->Preview()->IsShowingItem());
    EXPECT_TRUE(shell.title.isEmpty());
}

TEST_F(MainBaseFixture, SwitchingToTheShownDateReloadsNothing)
{
    window->SetDataFile(&document);
    window->ShowDayView(At(2024, 6, 10));
    const size_t reloads = Fake(1)->reloads.size();
    window->ShowDayView(At(2024, 6, 10));
    EXPECT_EQ(Fake(1)->reloads.size(), reloads);
    window->ShowDayView(At(2024, 6, 11));
    EXPECT_EQ(Fake(1)->reloads.size(), reloads + 1);

    // Switching to Month takes the date with it and hides the Day view.
    window->ShowMonthView();
    EXPECT_EQ(Kind(), 4);
    EXPECT_EQ(Fake(4)->shown, At(2024, 6, 11));
    EXPECT_FALSE(Fake(1)->isVisible());
    EXPECT_EQ(Fake(1)->dropped, 1);
    EXPECT_EQ(shell.mode, 4);
}

TEST_F(MainBaseFixture, ListsHideTheNavigatorBarAndCalendarViewsRestoreIt)
{
    window->SetDataFile(&document);
    ASSERT_TRUE(window->Bar()->isVisible());
    for (int command : {CMainBaseWnd::kCmdEventList, CMainBaseWnd::kCmdTasks, CMainBaseWnd::kCmdFind}) {
        EXPECT_TRUE(window->OnCommand(command));
        EXPECT_FALSE(window->Bar()->isVisible()) << command;
        EXPECT_EQ(taskPad.owner, nullptr) << command;
        // The view takes the whole width.
        EXPECT_EQ(window->GetCurrentContainer()->Widget()->geometry().right(), 1280 - 7) << command;
    }
    EXPECT_EQ(Kind(), 8);
    EXPECT_EQ(Fake(8)->searches, 1);
    window->OnCommand(CMainBaseWnd::kCmdWeek);
    EXPECT_TRUE(window->Bar()->isVisible());
    EXPECT_EQ(taskPad.owner, Fake(3));

    // With "SSP" off in its section the Week view comes back without the bar.
    window->ToggleDateNavigator();
    EXPECT_EQ(GetProfileInt(QStringLiteral("Week"), QStringLiteral("SSP"), -1), 0);
    window->ShowTaskView();
    window->ShowWeekView();
    EXPECT_FALSE(window->Bar()->isVisible());
}

TEST_F(MainBaseFixture, MultiDayCommandsWriteTheirDayCount)
{
    window->SetDataFile(&document);
    EXPECT_TRUE(window->OnCommand(32868));
    EXPECT_EQ(Kind(), 2);
    EXPECT_EQ(GetProfileInt(QStringLiteral("MDay"), QStringLiteral("MDN"), -1), 2);
    EXPECT_EQ(Fake(2)->GetDayCount(), 2);
    EXPECT_TRUE(window->OnCommand(34724));
    EXPECT_EQ(GetProfileInt(QStringLiteral("MDay"), QStringLiteral("WW"), -1), 1);
    EXPECT_EQ(GetProfileInt(QStringLiteral("MDay"), QStringLiteral("MDN"), -1), 5);
    EXPECT_TRUE(Fake(2)->IsWorkWeek());
}

TEST_F(MainBaseFixture, FailedReloadLeavesTheViewAsItWas)
{
    window->SetDataFile(&document);
    Fake(3)->reloadResult = 0x8004050A;
    window->ShowWeekView();
    EXPECT_EQ(Kind(), 1);
    ASSERT_EQ(shell.errors.size(), 1u);
    EXPECT_EQ(shell.errors[0], 0x8004050Au);
    // 0x80040509 counts as success.
    Fake(3)->reloadResult = 0x80040509;
    window->ShowWeekView();
    EXPECT_EQ(Kind(), 3);
    Fake(4)->filterResult = 0x80070005;
    window->ShowMonthView();
    EXPECT_EQ(Kind(), 3);
}

TEST_F(MainBaseFixture, ShowItemInDayViewSelectsItsTimeOrTheBanner)
{
    window->SetDataFile(&document);
    window->ShowListView(false);
    window->ShowItemInDayView(1, At(2024, 6, 12, 9, 30), CDateSpan(1.0 / 24));
    EXPECT_EQ(Kind(), 1);
    EXPECT_EQ(Fake(1)->shown, At(2024, 6, 12));
    EXPECT_EQ(Fake(1)->selectedStart, At(2024, 6, 12, 9, 30));
    window->ShowItemInDayView(1, At(2024, 6, 14), CDateSpan(2.0));
    EXPECT_TRUE(Fake(1)->bannerFocused);
    window->ShowListView(false);
    window->ShowItemInDayView(2, At(2024, 6, 20), CDateSpan(0.0)); // tasks do not go
    EXPECT_EQ(Kind(), 6);
}

TEST_F(MainBaseFixture, TogglesWriteTheirFlagsAndRefuseWithoutRoom)
{
    window->SetDataFile(&document);
    ASSERT_FALSE(window->Preview()->isVisible());
    window->ToggleDetailsPane();
    EXPECT_TRUE(window->Preview()->isVisible());
    EXPECT_EQ(GetProfileInt(QStringLiteral("Day"), QStringLiteral("SDP"), -1), 1);
    EXPECT_TRUE(Fake(1)->GetShowDetails());
    // The pane runs under the view and the bar.
    EXPECT_EQ(window->Preview()->geometry().left(), 6);
    EXPECT_EQ(window->Preview()->geometry().right(), 1280 - 7);
    EXPECT_EQ(window->Bar()->geometry().bottom() + 1 + 6, window->Preview()->geometry().top());
    EXPECT_FALSE(window->GetHorizontalStrip().isEmpty());
    // A field of the pane that takes the focus is remembered by the current container.
    QWidget *field = window->Preview()->EventBar()->FocusFields().at(1);
    QFocusEvent focusIn(QEvent::FocusIn);
    QApplication::sendEvent(field, &focusIn);
    EXPECT_EQ(Fake(1)->GetFocusChild(), field);

    EXPECT_TRUE(window->Bar()->IsTaskPadShown());
    window->ToggleTaskPad();
    EXPECT_FALSE(window->Bar()->IsTaskPadShown());
    window->ToggleTaskPad();
    EXPECT_TRUE(window->Bar()->IsTaskPadShown());
    EXPECT_GE(taskPad.refreshed, 1);

    window->ToggleDateNavigator();
    EXPECT_FALSE(window->Bar()->isVisible());
    EXPECT_TRUE(window->GetVerticalStrip().isNull());
    // Too narrow for the bar: refused with the message, nothing changes.
    window->resize(CMainBaseLayout::kViewMinimum + window->MonthWidth() + 5, 600);
    window->ToggleDateNavigator();
    EXPECT_FALSE(window->Bar()->isVisible());
    ASSERT_EQ(shell.warnings.size(), 1u);
    EXPECT_TRUE(shell.warnings[0].startsWith(QStringLiteral("There is not enough room to show the Date Navigator bar.")));
    EXPECT_EQ(GetProfileInt(QStringLiteral("Day"), QStringLiteral("SSP"), -1), 0);
}

TEST_F(MainBaseFixture, VerticalStripMovesByMonthColumnsAndAKeyCancels)
{
    window->SetDataFile(&document);
    const int u = window->MonthWidth();
    ASSERT_GT(u, 0);
    const QRect strip = window->GetVerticalStrip();
    ASSERT_FALSE(strip.isEmpty());
    const int barWidth = window->Bar()->width();
    const QPoint on = strip.center();

    // A key press during the drag cancels it.
    Mouse(QEvent::MouseButtonPress, on);
    EXPECT_TRUE(window->Splitter().IsDragging());
    Mouse(QEvent::MouseMove, on - QPoint(u, 0));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &key);
    EXPECT_FALSE(window->Splitter().IsDragging());
    Mouse(QEvent::MouseButtonRelease, on - QPoint(u, 0));
    EXPECT_EQ(window->Bar()->width(), barWidth);

    // So does it the Date Navigator bar's own splitter drag.
    const QPoint barSplit = window->Bar()->GetSplitterRect().center();
    ASSERT_FALSE(window->Bar()->GetSplitterRect().isEmpty());
    QMouseEvent press(QEvent::MouseButtonPress, barSplit, window->Bar()->mapToGlobal(barSplit), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->Bar(), &press);
    ASSERT_TRUE(window->Bar()->IsTracking());
    QApplication::sendEvent(window.get(), &key);
    EXPECT_FALSE(window->Bar()->IsTracking());

    // Less than half a column does nothing; more moves one column.
    Mouse(QEvent::MouseButtonPress, on);
    Mouse(QEvent::MouseMove, on - QPoint(u / 2 - 2, 0));
    Mouse(QEvent::MouseButtonRelease, on - QPoint(u / 2 - 2, 0));
    EXPECT_EQ(window->Bar()->width(), barWidth);
    Mouse(QEvent::MouseButtonPress, on);
    Mouse(QEvent::MouseMove, on - QPoint(u / 2 + 3, 0));
    Mouse(QEvent::MouseButtonRelease, on - QPoint(u / 2 + 3, 0));
    EXPECT_EQ(window->Bar()->width(), barWidth + u);
    EXPECT_EQ(window->GetVerticalStrip().left(), strip.left() - u);
}

TEST_F(MainBaseFixture, PaneSizesSurviveARestart)
{
    window->SetDataFile(&document);
    window->ToggleDetailsPane();
    const QRect strip = window->GetHorizontalStrip();
    ASSERT_FALSE(strip.isEmpty());
    // Drag the pane's top up by 100 pixels and the bar one column wider.
    Mouse(QEvent::MouseButtonPress, strip.center());
    Mouse(QEvent::MouseMove, strip.center() - QPoint(0, 100));
    Mouse(QEvent::MouseButtonRelease, strip.center() - QPoint(0, 100));
    const int previewHeight = window->Preview()->height();
    EXPECT_EQ(previewHeight, 201 + strip.top() - (strip.center().y() - 100));
    const int u = window->MonthWidth();
    const QPoint on = window->GetVerticalStrip().center();
    Mouse(QEvent::MouseButtonPress, on);
    Mouse(QEvent::MouseMove, on - QPoint(u, 0));
    Mouse(QEvent::MouseButtonRelease, on - QPoint(u, 0));
    const int barWidth = window->Bar()->width();
    EXPECT_EQ(barWidth, 2 * u + 8);
    window->SavePaneSizes();

    MakeWindow();
    window->SetDataFile(&document);
    window->RestorePaneSizes();
    EXPECT_TRUE(window->Preview()->isVisible()); // "SDP" of the Day view
    EXPECT_EQ(window->Preview()->height(), previewHeight);
    EXPECT_EQ(window->Bar()->width(), barWidth);
}

TEST_F(MainBaseFixture, LayoutWaitsWhileThePlacementIsApplied)
{
    window->SetDataFile(&document);
    const QRect before = Fake(1)->geometry();
    shell.suspended = true;
    window->resize(900, 600);
    EXPECT_EQ(Fake(1)->geometry(), before);
    shell.suspended = false;
    window->Layout(900, 600);
    EXPECT_EQ(Fake(1)->geometry().bottom(), 600 - 7);
}

TEST_F(MainBaseFixture, HorizontalStripKeepsItsLimits)
{
    window->SetDataFile(&document);
    window->ToggleDetailsPane();
    QPoint on = window->GetHorizontalStrip().center();
    Mouse(QEvent::MouseButtonPress, on);
    Mouse(QEvent::MouseMove, QPoint(on.x(), 10));
    Mouse(QEvent::MouseButtonRelease, QPoint(on.x(), 10));
    EXPECT_EQ(window->GetHorizontalStrip().top(), CMainBaseLayout::kPreviewDragTop);
    on = window->GetHorizontalStrip().center();
    Mouse(QEvent::MouseButtonPress, on);
    Mouse(QEvent::MouseMove, QPoint(on.x(), 759));
    Mouse(QEvent::MouseButtonRelease, QPoint(on.x(), 759));
    EXPECT_EQ(window->GetHorizontalStrip().top(), 760 - CMainBaseLayout::kPreviewDragBottomGap);
}

TEST_F(MainBaseFixture, Renders)
{
    WriteProfileInt(QStringLiteral("Day"), QStringLiteral("SDP"), 1);
    WriteProfileInt(QStringLiteral("MDay"), QStringLiteral("SDP"), 1);
    WriteProfileInt(QStringLiteral("Month"), QStringLiteral("SDP"), 1);
    WriteProfileInt(QStringLiteral("Tasks"), QStringLiteral("SDP"), 1);
    WriteProfileInt(QStringLiteral("List"), QStringLiteral("SDP"), 1);
    MakeWindow();
    window->SetDataFile(&document);
    auto event = std::make_unique<CEventItem>(1);
    event->SetSubject(QStringLiteral("Project review"));
    event->SetLocation(QStringLiteral("Room 4"));
    event->SetNotes(QStringLiteral("Agenda at https://example.org/agenda"));
    event->SetStart(At(2024, 6, 12, 10, 0));
    event->SetDuration(CDateSpan(1.5 / 24));
    event->SetItemTypeName(QStringLiteral("Meeting"));
    CItemRef ref;
    ref.SetItem(std::move(event));
    ref.SetRecordId(1);
    window->Preview()->ShowItem(&ref);

    window->ShowDayView(At(2024, 6, 12));
    RenderWidget(*host, "mainbase_day");
    window->ShowMultiDayView(4, true);
    RenderWidget(*host, "mainbase_workweek");
    window->ShowMonthView();
    RenderWidget(*host, "mainbase_month");
    window->ShowTaskView();
    RenderWidget(*host, "mainbase_tasks");
    window->ShowListView(false);
    RenderWidget(*host, "mainbase_eventlist");
}

// The Day and Multi-day container over a real data file of a few hundred items: exactly the
// occurrences of the shown days (split between the banner and the grid as the core's
// occurrence search says), period steps, work-time-only mode, settings kept across a restart,
// and items stored or deleted through the document.
#include "containers/support/ContainerFixture.h"
#include "containers/support/ForwardingSink.h"

#include "containers/day/DayContainer.h"
#include "containers/mainbase/WidgetRenders.h"
#include "core/dates/WeekRules.h"
#include "core/system/Profile.h"
#include "views/timegrid/DayBannerWnd.h"
#include "views/timegrid/DayViewWnd.h"
#include "views/zoom/DayZoomList.h"

#include <QRandomGenerator>
#include <set>

using namespace container_test;

namespace {

using Occurrences = std::set<std::pair<std::uint32_t, double>>;

class DayContainerTest : public ContainerFixture
{
  public:
    void SetUp() override
    {
        ContainerFixture::SetUp();
        SetFirstDayOfWeek(0);
        m_savedMask = GetWorkWeekMask();
        SetWorkWeekMask(0x3E); // Monday to Friday
        m_doc.SetMainWindow(&m_sink);
    }
    void TearDown() override
    {
        m_doc.SetMainWindow(nullptr);
        m_days.clear();
        SetWorkWeekMask(m_savedMask);
        ContainerFixture::TearDown();
    }

    CDayContainer &MakeDay(int kind)
    {
        m_days.push_back(std::make_unique<CDayContainer>(kind));
        CDayContainer &c = *m_days.back();
        c.SetContext(&m_context);
        c.SetDocument(&m_doc);
        EXPECT_EQ(c.ResolveFilter(), S_OK);
        c.resize(900, 600);
        c.show();
        m_sink.container = &c;
        return c;
    }

    // A calendar of a few hundred items around March 2024: single meetings, whole-day and
    // multi-day events, series with moved and deleted occurrences, hidden items and tasks.
    void FillCalendar()
    {
        QRandomGenerator random(20240311);
        const CDateTime from(2024, 2, 26);
        for (int i = 0; i < 180; ++i) {
            CDateTime day = from;
            AddDays(day, random.bounded(42));
            const CDateTime start = day + CDateSpan(0, 7 + random.bounded(11), 15 * random.bounded(4), 0);
            const std::uint32_t flags = i % 37 == 0 ? CCalendarItem::FlagHidden : 0;
            StoreEvent(QStringLiteral("Meeting %1").arg(i), start, Minutes(30 + 30 * random.bounded(5)), flags);
        }
        for (int i = 0; i < 30; ++i) {
            CDateTime day = from;
            AddDays(day, random.bounded(42));
            StoreEvent(QStringLiteral("Holiday %1").arg(i), day, Days(1 + random.bounded(i % 3 == 0 ? 5 : 1)));
        }
        for (int i = 0; i < 8; ++i) {
            CDateTime day = from;
            AddDays(day, 3 * i);
            StoreEvent(QStringLiteral("Trip %1").arg(i), day + Hours(14), Days(2) + Hours(3));
        }
        // Series: a daily stand-up with a moved and a deleted occurrence, a weekly review, a
        // birthday every year, a daily series that ends.
        CEventItem standup = MakeSeries(At(2024, 1, 2, 9), Minutes(15), Recur::Daily | Recur::ByDate, 1);
        standup.SetSubject(QStringLiteral("Stand-up"));
        CRecurrenceException *moved = standup.GetException(At(2024, 3, 12, 9), true);
        ASSERT_TRUE(moved);
        moved->newStart = At(2024, 3, 12, 11);
        moved->duration = Minutes(30);
        CRecurrenceException *gone = standup.GetException(At(2024, 3, 13, 9), true);
        ASSERT_TRUE(gone);
        gone->SetDeleted(true);
        ASSERT_EQ(m_doc.StoreEvent(standup, true), S_OK);
        m_standup = standup.GetRecordId();
        CEventItem review = MakeSeries(At(2024, 1, 5, 15), Hours(1), Recur::Weekly | Recur::Friday, 1);
        review.SetSubject(QStringLiteral("Weekly review"));
        ASSERT_EQ(m_doc.StoreEvent(review, true), S_OK);
        CEventItem birthday = MakeSeries(At(2000, 3, 14), Days(1), Recur::Yearly | Recur::ByDate, 1, 14);
        birthday.SetSubject(QStringLiteral("Birthday"));
        ASSERT_EQ(m_doc.StoreEvent(birthday, true), S_OK);
        StoreDaily(QStringLiteral("Course"), At(2024, 3, 4, 18), Hours(2), 10);
        for (int i = 0; i < 70; ++i) {
            CDateTime due = from;
            AddDays(due, random.bounded(42));
            CTaskItem t;
            t.SetSubject(QStringLiteral("Task %1").arg(i));
            if (i % 9 != 0)
                t.SetDueDate(due);
            if (i % 5 == 0)
                t.MarkCompleted(due);
            if (i % 17 == 0)
                t.SetFlags(t.GetFlags() | CCalendarItem::FlagHidden);
            ASSERT_EQ(m_doc.StoreTask(t, true), S_OK);
        }
    }

    // The core's answer: the occurrences of every shown event and the tasks over the days,
    // split into those that last whole days (the banner's) and the others (the grid's).
    void Expected(const CDateTime &first, int days, Occurrences &banner, Occurrences &grid)
    {
        CDateTime end = first;
        AddDays(end, days);
        for (std::uint32_t id : EventIds()) {
            CEventItem e = Event(id);
            if (e.HasFlag(CCalendarItem::FlagHidden))
                continue;
            for (const COccurrence &o : e.OccurrencesInWindow(first, end)) {
                // One that ends as the first day begins shows nowhere.
                if (o.duration.GetTotalDays() > 0.0 && o.End() <= first)
                    continue;
                const auto entry = e.MakeDisplayItem(o, 0, false, false);
                (entry->HasFlag(CDisplayItem::FlagAllDay) ? banner : grid).insert({id, o.keyDate.Value()});
            }
        }
        for (std::uint32_t id : TaskIds()) {
            CTaskItem t = Task(id);
            if (!t.HasFlag(CCalendarItem::FlagHidden) && t.IsShownInRange(first, days))
                banner.insert({id, t.GetDueDate().Value()});
        }
    }
    static Occurrences Shown(const CCalendarViewCtrl &view)
    {
        Occurrences out;
        for (const auto &e : view.GetEntries())
            out.insert({e->GetItemRef(), e->GetOccurrenceDate().Value()});
        return out;
    }
    void ExpectExactlyThePeriod(CDayContainer &c, const char *where)
    {
        Occurrences banner, grid;
        Expected(c.GetFirstShownDate(), c.Grid().GetShownDays(), banner, grid);
        EXPECT_EQ(Shown(c.Banner()), banner) << where;
        EXPECT_EQ(Shown(c.Grid()), grid) << where;
        EXPECT_FALSE(banner.empty() && grid.empty()) << where << ": a period with nothing proves little";
    }

    ForwardingSink m_sink;
    std::uint32_t m_standup = 0;
    int m_savedMask = 0;
    std::vector<std::unique_ptr<CDayContainer>> m_days;
};

TEST_F(DayContainerTest, ShowsExactlyTheOccurrencesOfItsDays)
{
    FillCalendar();
    CDayContainer &day = MakeDay(ViewKind::Day);
    ASSERT_EQ(day.Reload(At(2024, 3, 12)), S_OK);
    EXPECT_EQ(day.GetDayCount(), 1);
    EXPECT_EQ(day.GetFirstShownDate(), At(2024, 3, 12));
    ExpectExactlyThePeriod(day, "day");
    // The moved stand-up shows at its new time, the deleted one not at all.
    const CDisplayItem *moved = Find(day.Grid(), m_standup, At(2024, 3, 12, 9));
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->GetStart(), At(2024, 3, 12, 11));
    EXPECT_EQ(m_main.viewCount, day.GetItemCount());

    CDayContainer &multi = MakeDay(ViewKind::MultiDay);
    ASSERT_EQ(multi.Reload(At(2024, 3, 11)), S_OK);
    EXPECT_EQ(multi.GetDayCount(), 5);
    ExpectExactlyThePeriod(multi, "five days");
    multi.SetDayCount(14, false);
    ASSERT_EQ(multi.Reload(At(2024, 3, 4)), S_OK);
    ExpectExactlyThePeriod(multi, "fourteen days");
}

TEST_F(DayContainerTest, StepsPeriods)
{
    FillCalendar();
    CDayContainer &day = MakeDay(ViewKind::Day);
    ASSERT_EQ(day.Reload(At(2024, 3, 12)), S_OK);
    EXPECT_TRUE(day.GoNextPeriod());
    EXPECT_EQ(day.GetFirstShownDate(), At(2024, 3, 13));
    ExpectExactlyThePeriod(day, "next day");
    EXPECT_TRUE(day.GoPrevPeriod());
    EXPECT_TRUE(day.GoPrevPeriod());
    EXPECT_EQ(day.GetFirstShownDate(), At(2024, 3, 11));
    EXPECT_TRUE(day.OnCommand(ContainerCmd::JumpForward));
    EXPECT_EQ(day.GetFirstShownDate(), At(2024, 3, 18));
    ExpectExactlyThePeriod(day, "a week on");

    // Several days scroll by one day; the day that came into view is selected.
    CDayContainer &multi = MakeDay(ViewKind::MultiDay);
    multi.SetDayCount(4, false);
    ASSERT_EQ(multi.Reload(At(2024, 3, 11)), S_OK);
    EXPECT_TRUE(multi.GoNextPeriod());
    EXPECT_EQ(multi.GetFirstShownDate(), At(2024, 3, 12));
    EXPECT_EQ(multi.GetLastShownDate(), At(2024, 3, 16));
    EXPECT_EQ(multi.Grid().GetFocusDate(), At(2024, 3, 15));
    ExpectExactlyThePeriod(multi, "four days, one on");
    EXPECT_TRUE(multi.OnCommand(ContainerCmd::JumpBack));
    EXPECT_EQ(multi.GetFirstShownDate(), At(2024, 3, 5));
    ExpectExactlyThePeriod(multi, "four days, a week back");

    // A work week steps by weeks and always starts on the first day of the week.
    multi.SetDayCount(7, true);
    ASSERT_EQ(multi.Reload(At(2024, 3, 13)), S_OK);
    EXPECT_TRUE(multi.IsWorkWeek());
    EXPECT_EQ(multi.GetFirstShownDate(), At(2024, 3, 11));
    EXPECT_EQ(multi.Grid().GetColumnCount(), 5);
    ExpectExactlyThePeriod(multi, "work week");
    EXPECT_TRUE(multi.GoNextPeriod());
    EXPECT_EQ(multi.GetFirstShownDate(), At(2024, 3, 18));
    EXPECT_EQ(multi.Grid().GetFocusDate(), At(2024, 3, 22));
    ExpectExactlyThePeriod(multi, "next work week");
    // Going to a date inside the shown days only moves the selection.
    const int loads = m_port.summaryLoads;
    multi.GoToDate(1, At(2024, 3, 20));
    EXPECT_EQ(m_port.summaryLoads, loads);
    EXPECT_EQ(multi.Grid().GetFocusDate(), At(2024, 3, 20));
    EXPECT_EQ(multi.Banner().GetFocusDate(), At(2024, 3, 20));
    // The focused day counts days in the grid, not its rows.
    CDateTime focused;
    EXPECT_EQ(multi.GetFocusedDay(focused), 2);
    EXPECT_EQ(focused.DatePart(), At(2024, 3, 20));
}

TEST_F(DayContainerTest, WorkTimeOnlyAndTimeScaleAreKeptAcrossARestart)
{
    FillCalendar();
    const std::uint32_t early = StoreEvent(QStringLiteral("Early swim"), At(2024, 3, 12, 6), Minutes(30));
    {
        CDayContainer &day = MakeDay(ViewKind::Day);
        ASSERT_EQ(day.Reload(At(2024, 3, 12)), S_OK);
        const int allRows = day.Grid().Grid().EndRow() - day.Grid().Grid().FirstRow();
        CCmdUI ui;
        ASSERT_TRUE(day.OnUpdateCommand(CDayContainer::kCmdWorkTimeOnly, ui));
        EXPECT_FALSE(ui.checked);
        EXPECT_TRUE(day.OnCommand(CDayContainer::kCmdWorkTimeOnly));
        EXPECT_TRUE(day.Grid().Grid().WorkingTimeOnly());
        EXPECT_LT(day.Grid().Grid().EndRow() - day.Grid().Grid().FirstRow(), allRows);
        EXPECT_EQ(GetProfileInt(QStringLiteral("Day"), QStringLiteral("WTO"), 0), 1);
        // Items outside the working hours leave the grid; the banner is untouched.
        Occurrences banner, grid;
        Expected(day.GetFirstShownDate(), 1, banner, grid);
        EXPECT_EQ(Shown(day.Banner()), banner);
        const Occurrences shown = Shown(day.Grid());
        EXPECT_FALSE(shown.empty());
        for (const auto &o : shown)
            EXPECT_TRUE(grid.count(o)) << o.first;
        EXPECT_EQ(shown.count({early, At(2024, 3, 12, 6).Value()}), 0u);
        EXPECT_TRUE(grid.count({early, At(2024, 3, 12, 6).Value()}));
        EXPECT_TRUE(day.OnCommand(CDayContainer::kCmdTimeScale5 - 2)); // 10 minutes
        EXPECT_EQ(day.Grid().Grid().MinutesPerRow(), 10);
        EXPECT_EQ(GetProfileInt(QStringLiteral("Day"), QStringLiteral("TimeScale"), 4), 2);
        ui = CCmdUI();
        ASSERT_TRUE(day.OnUpdateCommand(CDayContainer::kCmdTimeScale5 - 2, ui));
        EXPECT_TRUE(ui.checked);
        m_days.clear();
    }
    // The main base window writes the day count and the work week of the Multi-day view.
    WriteProfileInt(QStringLiteral("MDay"), QStringLiteral("MDN"), 3);
    WriteProfileInt(QStringLiteral("MDay"), QStringLiteral("ARM"), 2);
    CDayContainer &day = MakeDay(ViewKind::Day);
    EXPECT_TRUE(day.Grid().Grid().WorkingTimeOnly());
    EXPECT_EQ(day.Grid().Grid().MinutesPerRow(), 10);
    CDayContainer &multi = MakeDay(ViewKind::MultiDay);
    EXPECT_EQ(multi.GetDayCount(), 3);
    EXPECT_EQ(multi.GetRowLimit(), 5);
    EXPECT_FALSE(multi.Grid().Grid().WorkingTimeOnly()); // its own section
    WriteProfileInt(QStringLiteral("MDay"), QStringLiteral("WW"), 1);
    CDayContainer &week = MakeDay(ViewKind::MultiDay);
    EXPECT_EQ(week.GetDayCount(), 7);
    EXPECT_TRUE(week.IsWorkWeek());
    // With one work day configured the work week falls back to the "MDN" count.
    SetWorkWeekMask(0x02);
    CDayContainer &single = MakeDay(ViewKind::MultiDay);
    EXPECT_EQ(single.GetDayCount(), 3);
    EXPECT_FALSE(single.IsWorkWeek());
}

TEST_F(DayContainerTest, AFailedReloadLeavesTheTimeScaleSettingAlone)
{
    FillCalendar();
    CDayContainer &day = MakeDay(ViewKind::Day);
    ASSERT_EQ(day.Reload(At(2024, 3, 12)), S_OK);
    // The next reload fails: the setting keeps its old value.
    m_days.back()->SetDocument(nullptr);
    FaultyDocument &port = m_port;
    day.SetDataSource(&port, &port);
    port.failLoadAt = port.wholeLoads + 1;
    port.failCode = 0x80070005;
    m_messages.script.clear();
    EXPECT_TRUE(day.OnCommand(CDayContainer::kCmdTimeScale60));
    EXPECT_EQ(GetProfileInt(QStringLiteral("Day"), QStringLiteral("TimeScale"), 4), 4);
    port.failLoadAt = 0;
    EXPECT_TRUE(day.OnCommand(CDayContainer::kCmdTimeScale60));
    EXPECT_EQ(GetProfileInt(QStringLiteral("Day"), QStringLiteral("TimeScale"), 4), 5);
}

TEST_F(DayContainerTest, FollowsItemsStoredAndDeletedThroughTheDocument)
{
    FillCalendar();
    CDayContainer &multi = MakeDay(ViewKind::MultiDay);
    ASSERT_EQ(multi.Reload(At(2024, 3, 11)), S_OK);
    const int before = multi.GetItemCount();

    // A new meeting lands in the grid.
    CEventItem meeting;
    meeting.SetSubject(QStringLiteral("Budget"));
    meeting.SetStart(At(2024, 3, 13, 10));
    meeting.SetDuration(Hours(1));
    ASSERT_EQ(m_doc.StoreEvent(meeting, true), S_OK);
    CItemRef holder;
    holder.SetItem(std::make_unique<CEventItem>(meeting));
    multi.OnItemUpdated(holder, false);
    EXPECT_GE(multi.Grid().FindEntry(meeting.GetRecordId(), At(2024, 3, 13, 10)), 0);
    EXPECT_EQ(multi.GetItemCount(), before + 1);
    EXPECT_EQ(m_main.viewCount, before + 1);

    // Made a whole-day event it moves to the banner.
    meeting.SetStart(At(2024, 3, 14));
    meeting.SetDuration(Days(1));
    ASSERT_EQ(m_doc.StoreEvent(meeting, true), S_OK);
    CItemRef changed;
    changed.SetRecordId(meeting.GetRecordId());
    changed.SetItem(std::make_unique<CEventItem>(meeting));
    multi.OnItemUpdated(changed, false);
    EXPECT_LT(multi.Grid().FindEntry(meeting.GetRecordId(), At(2024, 3, 13, 10)), 0);
    EXPECT_GE(multi.Banner().FindEntry(meeting.GetRecordId(), At(2024, 3, 14)), 0);
    ExpectExactlyThePeriod(multi, "after the change");

    // One occurrence of the stand-up goes, then the whole of it.
    const std::uint32_t standup = m_standup;
    ASSERT_EQ(m_doc.DeleteEventAndNotify(standup, At(2024, 3, 14, 9), false, true), S_OK);
    EXPECT_LT(multi.Grid().FindEntry(standup, At(2024, 3, 14, 9)), 0);
    EXPECT_GE(multi.Grid().FindEntry(standup, At(2024, 3, 15, 9)), 0);
    ExpectExactlyThePeriod(multi, "after deleting an occurrence");
    ASSERT_EQ(m_doc.DeleteEventAndNotify(standup, CDateTime(), false, false), S_OK);
    EXPECT_LT(multi.Grid().FindEntry(standup, At(2024, 3, 15, 9)), 0);
    ExpectExactlyThePeriod(multi, "after deleting the series");
    EXPECT_EQ(m_main.viewCount, multi.GetItemCount());

    // A task due in the shown days goes to the banner; deleted, it leaves it.
    CTaskItem task;
    task.SetSubject(QStringLiteral("Report"));
    task.SetDueDate(At(2024, 3, 12));
    ASSERT_EQ(m_doc.StoreTask(task, true), S_OK);
    CItemRef taskHolder;
    taskHolder.SetItem(std::make_unique<CTaskItem>(task));
    multi.OnItemUpdated(taskHolder, false);
    EXPECT_GE(multi.Banner().FindEntry(task.GetRecordId(), At(2024, 3, 12)), 0);
    ASSERT_EQ(m_doc.DeleteTaskAndNotify(task.GetRecordId(), CDateTime(), false, false), S_OK);
    EXPECT_LT(multi.Banner().FindEntry(task.GetRecordId(), At(2024, 3, 12)), 0);
}

TEST_F(DayContainerTest, OperationsReachBothViews)
{
    FillCalendar();
    CDayContainer &multi = MakeDay(ViewKind::MultiDay);
    ASSERT_EQ(multi.Reload(At(2024, 3, 11)), S_OK);
    ASSERT_GT(multi.Banner().GetEntryCount(), 0);
    ASSERT_GT(multi.Grid().GetEntryCount(), 0);
    EXPECT_TRUE(multi.SetAllStates(CDisplayItem::StateSelected, CDisplayItem::StateSelected, false));
    EXPECT_EQ(multi.Banner().GetSelectedCount(), multi.Banner().GetEntryCount());
    EXPECT_EQ(multi.Grid().GetSelectedCount(), multi.Grid().GetEntryCount());
    multi.RemoveEntriesWithStates(CDisplayItem::StateSelected);
    EXPECT_EQ(multi.GetItemCount(), 0);

    // The zoom list of a day takes the banner's items of that day and the grid's.
    ASSERT_EQ(multi.Reload(At(2024, 3, 11)), S_OK);
    CCalendarViewCtrl::EntryList banner, grid;
    multi.Banner().CopyEntriesForCell(banner, 2);
    multi.Grid().CopyEntriesForCell(grid, 2);
    CDayZoomList zoom(&multi, 2, At(2024, 3, 13), false, &multi);
    multi.AttachZoomList(zoom, 2);
    EXPECT_EQ(zoom.GetModel().GetRowCount(), int(banner.size() + grid.size()));
    EXPECT_GT(banner.size(), 0u);

    // The print range offered first: the shown days in the Multi-day style.
    int style = 0;
    CDateTime start, end;
    multi.GetDefaultPrintRange(style, start, end);
    EXPECT_EQ(style, 258);
    EXPECT_EQ(start, At(2024, 3, 11));
    EXPECT_EQ(end, At(2024, 3, 15));
    // Outside the work week a chosen range stays as it is.
    start = At(2024, 3, 13);
    end = At(2024, 3, 19);
    multi.AlignPrintRange(start, end);
    EXPECT_EQ(start, At(2024, 3, 13));
    multi.SetDayCount(7, true);
    multi.AlignPrintRange(start, end);
    EXPECT_EQ(start, At(2024, 3, 11));
    EXPECT_EQ(end, At(2024, 3, 24));
}

TEST_F(DayContainerTest, BannerFitsItsRowsAndTheSplitterMovesByRows)
{
    FillCalendar();
    CDayContainer &multi = MakeDay(ViewKind::MultiDay);
    ASSERT_EQ(multi.Reload(At(2024, 3, 11)), S_OK);
    const int header = multi.Banner().GetHeaderHeight();
    const int row = multi.Banner().GetRowHeight();
    ASSERT_GT(multi.Banner().GetRowCount(), 0);
    EXPECT_EQ(multi.BannerFrame()->height(),
              header + std::min(multi.Banner().GetRowCount(), multi.GetRowLimit()) * row + 8);
    EXPECT_EQ(multi.GetSplitterRect().top(), multi.BannerFrame()->height());
    EXPECT_EQ(multi.GridFrame()->geometry().top(), multi.BannerFrame()->height() + 6);
    EXPECT_EQ(multi.GridFrame()->geometry().bottom(), 599);

    // Dragged down by two rows and let go: the banner grows by two rows.
    const int banner = multi.BannerFrame()->height();
    multi.BeginSplitterDrag(banner + 2);
    multi.TrackSplitterDrag(banner + 3 * row);
    multi.TrackSplitterDrag(banner + 3 * row);
    multi.EndSplitterDrag(true);
    EXPECT_EQ(multi.BannerFrame()->height(), banner + 2 * row);
    // A drag that is cancelled leaves everything where it was.
    multi.BeginSplitterDrag(banner);
    multi.TrackSplitterDrag(0);
    multi.EndSplitterDrag(false);
    EXPECT_EQ(multi.BannerFrame()->height(), banner + 2 * row);

    // A tiny window: nothing negative.
    multi.resize(300, 40);
    QCoreApplication::processEvents();
    EXPECT_GE(multi.BannerFrame()->height(), 0);
    EXPECT_GE(multi.GridFrame()->height(), 0);
    EXPECT_LE(multi.GridFrame()->geometry().top(), 40);
}

// The program loads the first view before the main window has laid it out: once the window has
// its size, the banner shows the rows it was loaded with.
TEST_F(DayContainerTest, BannerLoadedWhileTinyGetsItsRowsOnceTheWindowGrows)
{
    FillCalendar();
    CDayContainer &multi = MakeDay(ViewKind::MultiDay);
    multi.resize(300, 20);
    QCoreApplication::processEvents();
    ASSERT_EQ(multi.Reload(At(2024, 3, 11)), S_OK);
    ASSERT_GT(multi.Banner().GetRowCount(), 0);
    multi.resize(900, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(multi.BannerFrame()->height(), multi.Banner().GetHeaderHeight() +
                                                 std::min(multi.Banner().GetRowCount(), multi.GetRowLimit()) *
                                                     multi.Banner().GetRowHeight() +
                                                 8);
}

TEST_F(DayContainerTest, CtrlTabWalksGridBannerAndTaskPad)
{
    CDayContainer &multi = MakeDay(ViewKind::MultiDay);
    ASSERT_EQ(multi.Reload(At(2024, 3, 11)), S_OK);
    QWidget pad;
    pad.setFocusPolicy(Qt::StrongFocus);
    pad.show();
    m_taskPad.widget = &pad;
    multi.activateWindow();
    multi.FocusView();
    QCoreApplication::processEvents();
    EXPECT_EQ(multi.GetViewCtrl(), &multi.Grid());
    multi.FocusAllDayBanner();
    QCoreApplication::processEvents();
    EXPECT_EQ(multi.GetViewCtrl(), &multi.Banner());
    multi.SwitchPane(true);
    EXPECT_EQ(multi.GetViewCtrl(), &multi.Grid());
    multi.SwitchPane(true);
    EXPECT_EQ(m_taskPad.focusTaken, 1);
    // A range shorter than a day selects cells in the grid.
    multi.SelectTimeRange(At(2024, 3, 12, 10), At(2024, 3, 12, 11));
    EXPECT_EQ(multi.GetViewCtrl(), &multi.Grid());
    EXPECT_EQ(multi.Grid().GetSelectedCellCount(), 2);
    multi.SelectTimeRange(At(2024, 3, 12), At(2024, 3, 13));
    EXPECT_EQ(multi.GetViewCtrl(), &multi.Banner());
}

} // namespace

namespace {

TEST_F(DayContainerTest, ReloadedOptionsFollowChangedWorkDays)
{
    CDayContainer &multi = MakeDay(ViewKind::MultiDay);
    multi.SetDayCount(7, true);
    ASSERT_EQ(multi.Reload(At(2024, 3, 13)), S_OK);
    EXPECT_EQ(multi.Grid().GetColumnCount(), 5);
    EXPECT_EQ(multi.Grid().GetDayDate(0).DatePart(), At(2024, 3, 11));

    SetWorkWeekMask(0x7C); // Tuesday to Saturday
    multi.ReloadOptions();
    ASSERT_EQ(multi.Reload(CDateTime::Null()), S_OK);
    EXPECT_TRUE(multi.IsWorkWeek());
    EXPECT_EQ(multi.Grid().GetColumnCount(), 5);
    EXPECT_EQ(multi.Grid().GetDayDate(0).DatePart(), At(2024, 3, 12));
    EXPECT_EQ(multi.Banner().GetDayDate(0), At(2024, 3, 12));

    // One work day left: no work week any more, the seven days show.
    SetWorkWeekMask(0x04);
    multi.ReloadOptions();
    EXPECT_FALSE(multi.IsWorkWeek());
    EXPECT_EQ(multi.GetDayCount(), 7);
}

} // namespace

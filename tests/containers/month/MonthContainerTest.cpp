// The Month container over a real data file of a few hundred items: the items of each shown
// period against the core's occurrence search, its week modes and day filters, stepping, going to
// dates, its settings across a restart, updates through the document, print ranges, and a render.
#include "containers/month/MonthContainer.h"
#include "containers/mainbase/WidgetRenders.h"
#include "containers/month/CalendarFixture.h"
#include "core/dates/WeekRules.h"
#include "views/base/CalendarViewWnd.h"

namespace container_test {
namespace {

QString Iso(const CDateTime &d)
{
    return d.ToIsoString().left(10);
}

class MonthContainerTest : public CalendarFixture
{
  public:
    CMonthContainer &OpenMonth()
    {
        CMonthContainer &c = Open<CMonthContainer>();
        EXPECT_EQ(c.ReloadItems(false, true, CDateTime(2024, 3, 12)), S_OK);
        return c;
    }
    // The shown occurrences equal the core's for every day of the grid.
    void ExpectPeriodItems(CMonthContainer &c)
    {
        const CMonthViewCtrl &view = c.GetMonthView();
        const OccurrenceSet want =
            Expected(view.GetFirstDate(), view.GetMonthDayCount(), true, c.GetShownRange(), c.GetDayFilter());
        const OccurrenceSet got = Shown(view);
        EXPECT_FALSE(want.empty());
        EXPECT_EQ(got, want) << Iso(view.GetFirstDate()).toStdString();
        EXPECT_EQ(c.GetItemCount(), view.GetEntryCount());
    }
    static int SendKey(CMonthContainer &c, int key, int flags)
    {
        CNotifyRecord r;
        r.code = kNotifyKeyDown;
        r.key = key;
        r.flags = flags;
        return c.OnNotify(r);
    }
};

TEST_F(MonthContainerTest, ShowsExactlyTheItemsOfEachModeAndPeriod)
{
    FillCalendar();
    CMonthContainer &c = OpenMonth();
    EXPECT_EQ(c.GetViewKind(), ViewKind::Month);
    EXPECT_EQ(c.GetSection(), QStringLiteral("Month"));
    EXPECT_EQ(Iso(c.GetMonthView().GetFirstDate()), "2024-02-25"); // the Sunday before 1 March
    ExpectPeriodItems(c);
    // Hidden items stay out until hidden items are shown.
    for (const auto &e : c.GetMonthView().GetEntries())
        EXPECT_NE(e->GetSubject(), QStringLiteral("Hidden"));

    struct Mode
    {
        int command;
        bool weeks;
        int count, filter;
    } modes[] = {
        {CMonthContainer::kCmdWorkDaysOnly, false, 0, 1}, {CMonthContainer::kCmdWeeksFirst + 2, true, 3, 1},
        {CMonthContainer::kCmdWeekendOnly, true, 3, 2},   {CMonthContainer::kCmdWeeksFirst + 9, true, 10, 2},
        {CMonthContainer::kCmdAllDays, true, 10, 0},      {CMonthContainer::kCmdWholeMonth, false, 10, 0}};
    for (const Mode &m : modes) {
        SCOPED_TRACE(m.command);
        ASSERT_TRUE(c.OnCommand(m.command));
        EXPECT_EQ(c.IsWeeksMode(), m.weeks);
        EXPECT_EQ(c.GetDayFilter(), m.filter);
        if (m.weeks) {
            EXPECT_EQ(c.GetWeekCount(), m.count);
        }
        CCmdUI ui;
        ASSERT_TRUE(c.OnUpdateCommand(m.command, ui));
        EXPECT_TRUE(ui.checked);
        ExpectPeriodItems(c);
        c.GoNextPeriod();
        ExpectPeriodItems(c);
        c.GoPrevPeriod();
        c.GoPrevPeriod();
        ExpectPeriodItems(c);
    }
}

TEST_F(MonthContainerTest, StepsByMonthByItsWeeksOrByOneWeek)
{
    CMonthContainer &c = OpenMonth();
    EXPECT_EQ(Iso(c.GetPeriodStart()), "2024-03-01");
    c.GoNextPeriod();
    EXPECT_EQ(Iso(c.GetPeriodStart()), "2024-04-01");
    EXPECT_EQ(Iso(c.GetMonthView().GetAnchorDate()), "2024-04-01");
    EXPECT_EQ(SendKey(c, Qt::Key_PageUp, 0), 1);
    EXPECT_EQ(Iso(c.GetPeriodStart()), "2024-03-01");

    c.OnCommand(CMonthContainer::kCmdWeeksFirst + 2); // three weeks
    const CDateTime first = c.GetMonthView().GetFirstDate();
    c.GoNextPeriod();
    EXPECT_EQ((c.GetMonthView().GetFirstDate() - first).GetTotalDays(), 21.0);
    // The view's single-step notification (Page Down past the last row) moves one week.
    EXPECT_EQ(SendKey(c, Qt::Key_PageDown, CFramedViewContainer::kSingleStepFlags), 1);
    EXPECT_EQ((c.GetMonthView().GetFirstDate() - first).GetTotalDays(), 28.0);
    EXPECT_EQ(SendKey(c, Qt::Key_PageUp, 0), 1);
    EXPECT_EQ((c.GetMonthView().GetFirstDate() - first).GetTotalDays(), 7.0);
    // Other keys go on to the base; '!' and '"' share their values with the Win32 page keys.
    EXPECT_EQ(SendKey(c, Qt::Key_F5, 0), 0);
    EXPECT_EQ(SendKey(c, Qt::Key_Exclam, 0), 0);
    EXPECT_EQ(SendKey(c, Qt::Key_QuoteDbl, 0), 0);
    EXPECT_EQ((c.GetMonthView().GetFirstDate() - first).GetTotalDays(), 7.0);
}

TEST_F(MonthContainerTest, KeysOfTheBaseTableArriveAsQtKeys)
{
    CMonthContainer &c = OpenMonth();
    // Ctrl+Tab moves to the TaskPad beside the view.
    EXPECT_EQ(SendKey(c, Qt::Key_Tab, kModCtrl), 1);
    EXPECT_EQ(m_datedTaskPad.focusTaken, 1);
    EXPECT_EQ(SendKey(c, Qt::Key_Tab, 0), 0);
    // Delete is taken even with nothing selected.
    EXPECT_EQ(SendKey(c, Qt::Key_Delete, 0), 1);
}

TEST_F(MonthContainerTest, AFailedReloadIsReportedAndTheStepStillKeepsTheCell)
{
    FillCalendar();
    CMonthContainer &c = OpenMonth();
    c.GoToDate(2, CDateTime(2024, 3, 13));
    const int cell = c.GetMonthView().GetCurrentCell();
    m_port.ResetCounts();
    m_port.failLoadAt = 1;
    c.GoNextPeriod();
    EXPECT_FALSE(m_messages.shown.empty());
    EXPECT_EQ(Iso(c.GetPeriodStart()), "2024-04-01");
    EXPECT_EQ(c.GetMonthView().GetCurrentCell(), cell);
}

TEST_F(MonthContainerTest, GoToDateInsideTheMonthOnlyMovesTheFocus)
{
    FillCalendar();
    CMonthContainer &c = OpenMonth();
    m_port.ResetCounts();
    c.GoToDate(2, CDateTime(2024, 3, 27));
    EXPECT_EQ(m_port.summaryLoads, 0);
    EXPECT_EQ(Iso(c.GetCurrentDate()), "2024-03-27");
    // A date of the grid's other-month days reloads onto its own month.
    c.GoToDate(2, CDateTime(2024, 2, 26));
    EXPECT_GT(m_port.summaryLoads, 0);
    EXPECT_EQ(Iso(c.GetPeriodStart()), "2024-02-01");
    EXPECT_EQ(Iso(c.GetCurrentDate()), "2024-02-26");
    ExpectPeriodItems(c);
}

TEST_F(MonthContainerTest, WorkDaysOnlySnapsToTheNextWorkDay)
{
    CMonthContainer &c = OpenMonth();
    c.OnCommand(CMonthContainer::kCmdWorkDaysOnly);
    EXPECT_EQ(c.GetMonthView().GetModel().GetColumns(), 5);
    c.GoToDate(1, CDateTime(2024, 3, 16)); // a Saturday
    EXPECT_EQ(Iso(c.GetCurrentDate()), "2024-03-18");
    c.OnCommand(CMonthContainer::kCmdWeekendOnly);
    c.GoToDate(1, CDateTime(2024, 3, 18));
    EXPECT_EQ(Iso(c.GetCurrentDate()), "2024-03-23");
}

TEST_F(MonthContainerTest, AStepKeepsTheFocusCellInsideTheNewGrid)
{
    CMonthContainer &c = OpenMonth();
    // March 2024 from Sunday 25 February has six rows; the focus on the last row (Sunday 31).
    ASSERT_EQ(c.GetMonthView().GetModel().GetRows(), 6);
    c.GoToDate(2, CDateTime(2024, 3, 31));
    const int cell = c.GetMonthView().GetCurrentCell();
    ASSERT_EQ(cell / 7, 5);
    c.GoNextPeriod(); // April has five rows: up one row
    EXPECT_EQ(c.GetMonthView().GetModel().GetRows(), 5);
    EXPECT_EQ(c.GetMonthView().GetCurrentCell(), cell - 7);
    c.GoToDate(2, CDateTime(2024, 4, 10));
    const int wednesday = c.GetMonthView().GetCurrentCell();
    c.GoNextPeriod();
    EXPECT_EQ(c.GetMonthView().GetCurrentCell(), wednesday);
}

TEST_F(MonthContainerTest, ImpossibleDayFiltersWarnAndChangeNothing)
{
    CMonthContainer &c = OpenMonth();
    SetWorkWeekMask(0x7F);
    c.OnCommand(CMonthContainer::kCmdWeekendOnly);
    SetWorkWeekMask(0);
    c.OnCommand(CMonthContainer::kCmdWorkDaysOnly);
    EXPECT_EQ(m_messages.Texts(),
              QStringList(2, QStringLiteral("Please open Options and specify work week.")));
    EXPECT_EQ(c.GetDayFilter(), 0);
}

TEST_F(MonthContainerTest, KeepsItsModeAcrossARestart)
{
    {
        CMonthContainer &c = OpenMonth();
        c.OnCommand(CMonthContainer::kCmdWeeksFirst + 3);
        c.OnCommand(CMonthContainer::kCmdWorkDaysOnly);
        Close();
    }
    CMonthContainer &again = OpenMonth();
    EXPECT_TRUE(again.IsWeeksMode());
    EXPECT_EQ(again.GetWeekCount(), 4);
    EXPECT_EQ(again.GetDayFilter(), 1);
    EXPECT_EQ(again.GetMonthView().GetModel().GetRows(), 4);
}

TEST_F(MonthContainerTest, FollowsStoresAndDeletionsThroughTheDocument)
{
    FillCalendar();
    CMonthContainer &c = OpenMonth();
    CEventItem e;
    e.SetSubject(QStringLiteral("Added later"));
    e.SetStart(CDateTime(2024, 3, 20, 10, 0, 0));
    e.SetDuration(CDateSpan(0, 1, 0, 0));
    ASSERT_EQ(m_doc.StoreEvent(e, true), S_OK);
    m_sink.RefreshItemInView(e);
    ExpectPeriodItems(c);
    EXPECT_TRUE(HasRecord(c.GetMonthView(), e.GetRecordId()));

    ASSERT_EQ(m_doc.DeleteEventAndNotify(e.GetRecordId(), CDateTime(0.0), false, false), S_OK);
    EXPECT_FALSE(HasRecord(c.GetMonthView(), e.GetRecordId()));
    ExpectPeriodItems(c);

    // One occurrence of a series goes; the rest stay.
    const auto shown = Shown(c.GetMonthView());
    auto series = std::find_if(shown.begin(), shown.end(), [](const auto &p) { return p.second != 0.0; });
    ASSERT_NE(series, shown.end());
    const std::uint32_t id = series->first;
    const CDateTime key(series->second);
    ASSERT_EQ(m_doc.DeleteEventAndNotify(id, key, false, true), S_OK);
    EXPECT_EQ(c.GetMonthView().FindEntry(id, key), -1);
    ExpectPeriodItems(c);
}

TEST_F(MonthContainerTest, KeepsTheSidePanesOnItsPeriod)
{
    CMonthContainer &c = OpenMonth();
    EXPECT_EQ(Iso(m_datedTaskPad.date), "2024-03-12");
    EXPECT_GT(m_datedTaskPad.scrolledLeft, 0);
    EXPECT_EQ(Iso(m_periodNavigator.selectionStart), "2024-03-01");
    EXPECT_EQ(m_periodNavigator.selectionUnit, 31);
    c.OnCommand(CMonthContainer::kCmdWeeksFirst + 1);
    EXPECT_EQ(m_periodNavigator.selectionStart, c.GetMonthView().GetFirstDate());
    EXPECT_EQ(m_periodNavigator.selectionUnit, 7);
    EXPECT_EQ(m_periodNavigator.selectionCount, 14);
    // Its Date Navigator bar is off unless the settings say otherwise.
    EXPECT_FALSE(c.IsSidePaneShown());
}

TEST_F(MonthContainerTest, PrintRangesFollowTheMode)
{
    CMonthContainer &c = OpenMonth();
    int style = 0;
    CDateTime start, end;
    c.GetDefaultPrintRange(style, start, end);
    EXPECT_EQ(style, 260);
    EXPECT_EQ(Iso(start), "2024-03-01");
    EXPECT_EQ(Iso(end), "2024-03-31");
    EXPECT_EQ(Iso(c.GetPrintStartDate()), "2024-03-01");
    start = CDateTime(2024, 3, 13);
    end = CDateTime(2024, 5, 2);
    c.AlignPrintRange(start, end);
    EXPECT_EQ(Iso(start), "2024-03-01");
    EXPECT_EQ(Iso(end), "2024-05-31");
    EXPECT_EQ(c.CountPrintPages(start, end, true), 6);
    EXPECT_EQ(Iso(c.GetPrintPageDate(start, 3, true)), "2024-04-01");
    EXPECT_EQ(Iso(c.GetPrintPageDate(start, 4, true)), "2024-04-01");

    c.OnCommand(CMonthContainer::kCmdWeeksFirst + 2);
    c.GetDefaultPrintRange(style, start, end);
    EXPECT_EQ(start, c.GetMonthView().GetFirstDate());
    EXPECT_EQ((end - start).GetTotalDays(), 20.0);
    start = CDateTime(2024, 3, 13);
    end = CDateTime(2024, 4, 5);
    c.AlignPrintRange(start, end); // weeks start on Sunday here
    EXPECT_EQ(Iso(start), "2024-03-10");
    EXPECT_EQ(Iso(end), "2024-04-20");
    EXPECT_EQ(c.CountPrintPages(start, end, false), 2);
}

TEST_F(MonthContainerTest, RenderGallery)
{
    FillCalendar();
    CMonthContainer &c = OpenMonth();
    RenderWidget(c, "container-month");
    c.OnCommand(CMonthContainer::kCmdWeeksFirst + 1);
    c.OnCommand(CMonthContainer::kCmdWorkDaysOnly);
    const QImage image = RenderWidget(c, "container-month-2weeks-workdays");
    EXPECT_EQ(image.size(), QSize(900, 600));
    // The frame fills the container and the view fills the frame.
    EXPECT_EQ(c.GetViewWindow()->geometry(), QRect(4, 4, 892, 592));
}

} // namespace
} // namespace container_test

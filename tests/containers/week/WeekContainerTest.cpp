// The Week container over a real data file: the week's items against the core's occurrence
// search, stepping, going to dates, its "WE" setting across a restart, updates through the
// document, print ranges and a render.
#include "containers/week/WeekContainer.h"
#include "containers/mainbase/WidgetRenders.h"
#include "containers/month/CalendarFixture.h"
#include "core/system/Profile.h"

namespace container_test {
namespace {

QString Iso(const CDateTime &d)
{
    return d.ToIsoString().left(10);
}

class WeekContainerTest : public CalendarFixture
{
  public:
    CWeekContainer &OpenWeek()
    {
        CWeekContainer &c = Open<CWeekContainer>();
        EXPECT_EQ(c.ReloadItems(false, true, CDateTime(2024, 3, 12)), S_OK);
        return c;
    }
    void ExpectPeriodItems(CWeekContainer &c)
    {
        const CWeekGridCtrl &view = c.GetWeekGrid();
        const OccurrenceSet want = Expected(view.GetFirstDate(), 7, true, c.GetShownRange());
        EXPECT_FALSE(want.empty());
        EXPECT_EQ(Shown(view), want) << Iso(view.GetFirstDate()).toStdString();
    }
};

TEST_F(WeekContainerTest, ShowsExactlyTheItemsOfEachWeekItStepsTo)
{
    FillCalendar();
    CWeekContainer &c = OpenWeek();
    EXPECT_EQ(c.GetViewKind(), ViewKind::Week);
    EXPECT_EQ(c.GetSection(), QStringLiteral("Week"));
    EXPECT_EQ(Iso(c.GetWeekGrid().GetFirstDate()), "2024-03-10");
    EXPECT_EQ(Iso(c.GetCurrentDate()), "2024-03-12");
    ExpectPeriodItems(c);
    for (int i = 0; i < 6; ++i) {
        c.GoNextPeriod();
        ExpectPeriodItems(c);
    }
    EXPECT_EQ(Iso(c.GetWeekGrid().GetFirstDate()), "2024-04-21");
    // The step keeps the focused weekday.
    EXPECT_EQ(Iso(c.GetCurrentDate()), "2024-04-23");
    CNotifyRecord key;
    key.code = kNotifyKeyDown;
    key.key = Qt::Key_PageUp;
    EXPECT_EQ(c.OnNotify(key), 1);
    EXPECT_EQ(Iso(c.GetWeekGrid().GetFirstDate()), "2024-04-14");
    ExpectPeriodItems(c);
    EXPECT_EQ(m_periodNavigator.selectionUnit, 7);
    EXPECT_EQ(Iso(m_periodNavigator.selectionStart), "2024-04-14");
    EXPECT_EQ(m_periodNavigator.selectionCount, 7);
}

TEST_F(WeekContainerTest, GoToDateInsideTheWeekOnlyMovesTheFocus)
{
    FillCalendar();
    CWeekContainer &c = OpenWeek();
    m_port.ResetCounts();
    c.GoToDate(2, CDateTime(2024, 3, 15, 14, 0, 0));
    EXPECT_EQ(m_port.summaryLoads, 0);
    EXPECT_EQ(c.GetWeekGrid().GetCurrentCell(), 5);
    c.GoToDate(1, CDateTime(2024, 3, 18));
    EXPECT_GT(m_port.summaryLoads, 0);
    EXPECT_EQ(Iso(c.GetWeekGrid().GetFirstDate()), "2024-03-17");
    EXPECT_EQ(Iso(c.GetCurrentDate()), "2024-03-18");
}

TEST_F(WeekContainerTest, MondayStartAndPaneSettingsOutliveARestart)
{
    {
        CWeekContainer &c = OpenWeek();
        EXPECT_TRUE(c.IsSidePaneShown()); // the Week view's Date Navigator bar is on by default
        Close();
    }
    WriteProfileInt(QStringLiteral("Week"), QStringLiteral("WE"), 1);
    WriteProfileInt(QStringLiteral("Week"), QStringLiteral("SSP"), 0);
    CWeekContainer &again = OpenWeek();
    EXPECT_EQ(Iso(again.GetWeekGrid().GetFirstDate()), "2024-03-11");
    EXPECT_FALSE(again.IsSidePaneShown());
}

TEST_F(WeekContainerTest, FollowsStoresAndDeletionsThroughTheDocument)
{
    FillCalendar();
    CWeekContainer &c = OpenWeek();
    const std::uint32_t task = StoreTask(QStringLiteral("Due this week"), CDateTime(2024, 3, 14));
    m_sink.RefreshItemInView(Task(task));
    EXPECT_TRUE(HasRecord(c.GetWeekGrid(), task));
    ExpectPeriodItems(c);
    ASSERT_EQ(m_doc.DeleteTaskAndNotify(task, CDateTime(0.0), false, false), S_OK);
    EXPECT_FALSE(HasRecord(c.GetWeekGrid(), task));
    ExpectPeriodItems(c);
}

TEST_F(WeekContainerTest, PrintRangesAreWholeWeeks)
{
    CWeekContainer &c = OpenWeek();
    int style = 0;
    CDateTime start, end;
    c.GetDefaultPrintRange(style, start, end);
    EXPECT_EQ(style, 259);
    EXPECT_EQ(Iso(start), "2024-03-10");
    EXPECT_EQ(Iso(end), "2024-03-16");
    // Wednesday to Thursday: Sunday-to-Saturday weeks with the program's Sunday start...
    start = CDateTime(2024, 3, 13);
    end = CDateTime(2024, 3, 21);
    c.AlignPrintRange(start, end);
    EXPECT_EQ(Iso(start), "2024-03-10");
    EXPECT_EQ(Iso(end), "2024-03-23");
    EXPECT_EQ(CWeekContainer::CountPrintPages(start, end), 2);
    EXPECT_EQ(Iso(CWeekContainer::GetPrintPageDate(start, 2)), "2024-03-17");
    // ...and Monday-to-Sunday weeks with "WE".
    WriteProfileInt(QStringLiteral("Week"), QStringLiteral("WE"), 1);
    start = CDateTime(2024, 3, 13);
    end = CDateTime(2024, 3, 21);
    c.AlignPrintRange(start, end);
    EXPECT_EQ(Iso(start), "2024-03-11");
    EXPECT_EQ(Iso(end), "2024-03-24");
}

TEST_F(WeekContainerTest, RenderGallery)
{
    FillCalendar();
    CWeekContainer &c = OpenWeek();
    const QImage image = RenderWidget(c, "container-week");
    EXPECT_EQ(image.size(), QSize(900, 600));
}

} // namespace
} // namespace container_test

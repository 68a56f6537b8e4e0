// The Year container over a real data file: the year's events (never tasks) against the core's
// occurrence search, the year step that keeps the day, its settings across a restart, updates
// through the document, print ranges and a render.
#include "containers/year/YearContainer.h"
#include "containers/mainbase/WidgetRenders.h"
#include "containers/month/CalendarFixture.h"
#include "core/system/Profile.h"

namespace container_test {
namespace {

QString Iso(const CDateTime &d)
{
    return d.ToIsoString().left(10);
}

class TestYearContainer : public CYearContainer
{
  public:
    bool RunCustomizeDialog() override
    {
        ++dialogs;
        WriteProfileInt(QStringLiteral("Year"), QStringLiteral("SWN"), 0);
        return true;
    }
    int dialogs = 0;
};

class YearContainerTest : public CalendarFixture
{
  public:
    TestYearContainer &OpenYear(const CDateTime &date = CDateTime(2024, 3, 12))
    {
        TestYearContainer &c = Open<TestYearContainer>();
        EXPECT_EQ(c.ReloadItems(false, true, date), S_OK);
        return c;
    }
    // The occurrences the year grid marks: it keeps (record, occurrence) entries per day.
    OccurrenceSet YearShown(const CYearGridCtrl &view)
    {
        OccurrenceSet out;
        for (int cell = 0; cell < CYearGridModel::kCells; ++cell)
            if (const CYearDayCell *c = view.Model().GetCell(cell))
                for (const CYearDayEntry &e : c->entries)
                    out.insert({e.recordId, Event(e.recordId).IsRecurring() ? e.occurrence.Value() : 0.0});
        return out;
    }
    void ExpectYearItems(CYearContainer &c)
    {
        const CYearGridModel &model = c.GetYearGrid().Model();
        const OccurrenceSet want =
            Expected(model.GetFirstDate(), model.GetDaysInYear(), false, c.GetShownRange());
        EXPECT_FALSE(want.empty());
        EXPECT_EQ(YearShown(c.GetYearGrid()), want) << model.GetYear();
    }
};

TEST_F(YearContainerTest, ShowsTheYearsEventsAndNoTasks)
{
    FillCalendar();
    TestYearContainer &c = OpenYear();
    EXPECT_EQ(c.GetViewKind(), ViewKind::Year);
    EXPECT_EQ(c.GetSection(), QStringLiteral("Year"));
    ExpectYearItems(c);
    for (const std::uint32_t task : TaskIds())
        for (const auto &p : YearShown(c.GetYearGrid()))
            ASSERT_NE(p.first, task);
    EXPECT_GT(c.GetItemCount(), 0);
    // It never moves the Date Navigator's selection.
    EXPECT_EQ(m_periodNavigator.selections, 0);
    c.GoPrevPeriod();
    EXPECT_EQ(c.GetYearGrid().Model().GetYear(), 2023);
    ExpectYearItems(c);
    EXPECT_EQ(m_periodNavigator.selections, 0);
}

TEST_F(YearContainerTest, StepsAYearKeepingTheDay)
{
    TestYearContainer &c = OpenYear(CDateTime(2008, 2, 29));
    EXPECT_EQ(Iso(c.GetCurrentDate()), "2008-02-29");
    c.GoNextPeriod();
    EXPECT_EQ(Iso(c.GetCurrentDate()), "2009-02-28");
    CNotifyRecord key;
    key.code = kNotifyKeyDown;
    key.key = Qt::Key_PageUp;
    EXPECT_EQ(c.OnNotify(key), 1);
    EXPECT_EQ(Iso(c.GetCurrentDate()), "2008-02-28");
    // Go to a date reloads onto its year.
    c.GoToDate(2, CDateTime(2011, 6, 5));
    EXPECT_EQ(Iso(c.GetCurrentDate()), "2011-06-05");
}

TEST_F(YearContainerTest, CustomizeViewReloadsTheOptions)
{
    TestYearContainer &c = OpenYear();
    EXPECT_EQ(c.GetYearGrid().m_showWeekNumbers, 1);
    EXPECT_TRUE(c.OnCommand(ContainerCmd::CustomizeView));
    EXPECT_EQ(c.dialogs, 1);
    EXPECT_EQ(c.GetYearGrid().m_showWeekNumbers, 0);
    Close();
    // A new container after a restart reads the same settings.
    EXPECT_EQ(OpenYear().GetYearGrid().m_showWeekNumbers, 0);
}

TEST_F(YearContainerTest, FollowsStoresAndDeletionsThroughTheDocument)
{
    FillCalendar();
    TestYearContainer &c = OpenYear();
    const std::uint32_t id =
        StoreEvent(QStringLiteral("Late addition"), CDateTime(2024, 11, 2, 9, 0, 0), CDateSpan(0, 1, 0, 0));
    m_sink.RefreshItemInView(Event(id));
    ExpectYearItems(c);
    ASSERT_EQ(m_doc.DeleteEventAndNotify(id, CDateTime(0.0), false, false), S_OK);
    ExpectYearItems(c);
    // Closing the file leaves no busy day behind.
    c.SetDocument(nullptr);
    EXPECT_EQ(c.GetItemCount(), 0);
    EXPECT_TRUE(YearShown(c.GetYearGrid()).empty());
}

TEST_F(YearContainerTest, PrintRangesAreWholeYears)
{
    TestYearContainer &c = OpenYear();
    int style = 0;
    CDateTime start, end;
    c.GetDefaultPrintRange(style, start, end);
    EXPECT_EQ(style, 261);
    EXPECT_EQ(Iso(start), "2024-01-01");
    EXPECT_EQ(Iso(end), "2024-12-31");
    start = CDateTime(2008, 3, 1);
    end = CDateTime(2009, 2, 28);
    c.AlignPrintRange(start, end);
    EXPECT_EQ(Iso(start), "2008-01-01");
    EXPECT_EQ(Iso(end), "2009-12-31");
    EXPECT_EQ(CYearContainer::CountPrintPages(start, end), 2);
    EXPECT_EQ(Iso(CYearContainer::GetPrintPageDate(start, 2)), "2009-01-01");
}

TEST_F(YearContainerTest, RenderGallery)
{
    FillCalendar();
    TestYearContainer &c = OpenYear();
    const QImage image = RenderWidget(c, "container-year");
    EXPECT_EQ(image.size(), QSize(900, 600));
}

} // namespace
} // namespace container_test

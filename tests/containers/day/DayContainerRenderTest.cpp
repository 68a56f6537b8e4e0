// Renders of the Day and Multi-day container over a busy week, written to renders/ for a person
// to look at: whole-day items and tasks in the banner, overlapping meetings in the grid.
#include "containers/support/ContainerFixture.h"

#include "containers/day/DayContainer.h"
#include "containers/mainbase/WidgetRenders.h"
#include "core/dates/WeekRules.h"
#include "views/base/CustomWnd.h"
#include "views/timegrid/DayBannerWnd.h"
#include "views/timegrid/DayViewWnd.h"

using namespace container_test;

namespace {

class DayContainerRenderTest : public ContainerFixture
{
  public:
    void SetUp() override
    {
        ContainerFixture::SetUp();
        SetFirstDayOfWeek(0);
        m_savedMask = GetWorkWeekMask();
        SetWorkWeekMask(0x3E);
        // The week of 11 March 2024, Monday to Friday.
        StoreEvent(QStringLiteral("Team offsite"), At(2024, 3, 11), Days(2));
        StoreEvent(QStringLiteral("Anna's birthday"), At(2024, 3, 13), Days(1));
        StoreEvent(QStringLiteral("Trade fair in Leipzig"), At(2024, 3, 14), Days(2));
        StoreTask(QStringLiteral("Send the March invoices"), At(2024, 3, 13));
        StoreTask(QStringLiteral("Book flights"), At(2024, 3, 14));
        CEventItem standup =
            MakeSeries(At(2024, 3, 4, 9), Minutes(15), Recur::Weekly | Recur::Monday | Recur::Tuesday |
                                                           Recur::Wednesday | Recur::Thursday | Recur::Friday,
                       1);
        standup.SetSubject(QStringLiteral("Stand-up"));
        CRecurrenceException *later = standup.GetException(At(2024, 3, 15, 9), true);
        ASSERT_TRUE(later);
        later->newStart = At(2024, 3, 15, 9, 30);
        ASSERT_EQ(m_doc.StoreEvent(standup, true), S_OK);
        const struct
        {
            const char *subject;
            CDateTime start;
            double minutes;
        } meetings[] = {
            {"Sprint planning", At(2024, 3, 11, 10), 90},
            {"Call with supplier", At(2024, 3, 11, 10, 30), 30},
            {"Lunch with Tom", At(2024, 3, 12, 12), 60},
            {"Design review", At(2024, 3, 12, 14), 120},
            {"1:1 Maria", At(2024, 3, 12, 15), 30},
            {"Dentist", At(2024, 3, 13, 8, 0), 90},
            {"Interview: backend developer", At(2024, 3, 13, 11), 60},
            {"Interview debrief", At(2024, 3, 13, 11, 30), 60},
            {"Budget meeting", At(2024, 3, 13, 11, 45), 75},
            {"Retrospective", At(2024, 3, 14, 16), 90},
            {"Team lunch", At(2024, 3, 15, 12), 90},
            {"Release sign-off", At(2024, 3, 15, 15), 60},
        };
        for (const auto &m : meetings)
            StoreEvent(QString::fromUtf8(m.subject), m.start, Minutes(m.minutes));
    }
    void TearDown() override
    {
        SetWorkWeekMask(m_savedMask);
        ContainerFixture::TearDown();
    }
    int m_savedMask = 0;
};

TEST_F(DayContainerRenderTest, DayAndWorkWeekAtATypicalSize)
{
    CDayContainer day(ViewKind::Day);
    day.SetContext(&m_context);
    day.SetDocument(&m_doc);
    day.ResolveFilter();
    day.resize(900, 600);
    day.show();
    ASSERT_EQ(day.Reload(At(2024, 3, 13)), S_OK);
    day.Grid().SetTopRow(16);
    day.Grid().OnEntriesChanged();
    const QImage dayImage = RenderWidget(day, "day-container-day");
    EXPECT_EQ(dayImage.size(), QSize(900, 600));
    EXPECT_EQ(day.Banner().GetEntryCount(), 2); // the birthday and the invoices
    EXPECT_EQ(day.Grid().GetEntryCount(), 5); // with the stand-up

    CDayContainer week(ViewKind::MultiDay);
    week.SetContext(&m_context);
    week.SetDocument(&m_doc);
    week.ResolveFilter();
    week.SetDayCount(7, true);
    week.resize(900, 600);
    week.show();
    ASSERT_EQ(week.Reload(At(2024, 3, 13)), S_OK);
    week.Grid().SetTopRow(16);
    week.Grid().OnEntriesChanged();
    QCoreApplication::processEvents();
    EXPECT_EQ(week.GetViewCtrl(), &week.Grid()); // the grid has the focus, as after a view switch
    const QImage weekImage = RenderWidget(week, "day-container-work-week");
    EXPECT_EQ(week.Grid().GetColumnCount(), 5);
    EXPECT_EQ(week.Banner().GetColumnCount(), 5);
    // The banner's day columns stand over the grid's.
    for (int column = 0; column < 5; ++column) {
        const QRect b = week.Banner().GetCellRect(column, 0);
        const QRect g = week.Grid().GetCellRect(column * week.Grid().Grid().RowsPerDay() + 20, 0);
        const int bannerLeft = week.BannerWnd()->mapTo(&week, b.topLeft()).x();
        const int gridLeft = week.GridWnd()->mapTo(&week, g.topLeft()).x();
        EXPECT_NEAR(bannerLeft, gridLeft, 2) << column;
    }
}

} // namespace

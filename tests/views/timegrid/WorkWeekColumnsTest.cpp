// The work-week column tables the banner and the time grid share.
#include "views/timegrid/WorkWeekColumns.h"
#include "core/dates/WeekRules.h"

#include <gtest/gtest.h>

namespace {

class WorkWeekColumnsTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_mask = GetWorkWeekMask();
        m_first = GetFirstDayOfWeek();
        SetFirstDayOfWeek(0); // weeks start on Monday
    }
    void TearDown() override
    {
        SetWorkWeekMask(m_mask);
        SetFirstDayOfWeek(m_first);
    }

  private:
    int m_mask = 0, m_first = 0;
};

constexpr int kMonWedFri = (1 << 1) | (1 << 3) | (1 << 5); // bit 0 Sunday

TEST_F(WorkWeekColumnsTest, WorkDaysMapBothWaysAndLeavingTheWorkWeekMapsEveryDay)
{
    SetWorkWeekMask(kMonWedFri);
    CWorkWeekColumns columns;
    ASSERT_EQ(columns.Build(true), 3);
    EXPECT_EQ(columns.Count(), 3);
    const int dayOfColumn[] = {0, 2, 4, -1, -1, -1, -1};
    const int columnOfDay[] = {0, -1, 1, -1, 2, -1, -1};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(columns.ColumnToDay(i), dayOfColumn[i]) << i;
        EXPECT_EQ(columns.DayToColumn(i), columnOfDay[i]) << i;
    }
    EXPECT_EQ(columns.DayToColumn(-1), -1);
    EXPECT_EQ(columns.ColumnToDay(7), -1);

    // Out of work-week mode nothing of the old tables may stay behind.
    EXPECT_EQ(columns.Build(false), 0);
    for (int i : {0, 1, 3, 9})
        EXPECT_EQ(columns.DayToColumn(i), i);
    EXPECT_EQ(columns.ColumnToDay(5), 5);
}

TEST_F(WorkWeekColumnsTest, AWeekWithoutWorkDaysIsLeftToTheCallersFallback)
{
    SetWorkWeekMask(0);
    CWorkWeekColumns columns;
    EXPECT_EQ(columns.Build(true), 0);
    EXPECT_EQ(columns.DayToColumn(0), -1);
    columns.MapFirstDays(1);
    EXPECT_EQ(columns.Count(), 1);
    EXPECT_EQ(columns.DayToColumn(0), 0);
    EXPECT_EQ(columns.DayToColumn(1), -1);
    columns.MapFirstDays(9);
    EXPECT_EQ(columns.Count(), 7) << "never past the week";
    EXPECT_EQ(columns.ColumnToDay(6), 6);
}

} // namespace

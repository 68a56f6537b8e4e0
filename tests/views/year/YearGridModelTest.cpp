// The year grid's panels, week numbers, busy days and geometry, checked against independent
// day-by-day walks with QDate.
#include "views/year/YearGridModel.h"

#include "core/items/DisplayItem.h"
#include "core/dates/WeekRules.h"
#include "views/base/CellDateFlags.h"

#include <QDate>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

QDate ToQDate(const CDateTime &d)
{
    return QDate(d.GetYear(), d.GetMonth(), d.GetDay());
}

CDateTime FromQDate(const QDate &d, int hour = 0, int minute = 0)
{
    return CDateTime(d.year(), d.month(), d.day(), hour, minute, 0);
}

CDisplayItem MakeItem(std::uint32_t record, const CDateTime &start, const CDateTime &end, int type = 0,
                      int kind = CDisplayItem::KindEvent, const QString &subject = QStringLiteral("x"))
{
    CDisplayItem item(kind, type, QStringLiteral("Type"), start, end - start);
    item.SetItemRef(record);
    item.SetOccurrenceDate(start);
    item.SetSubject(subject);
    return item;
}

// The cell that shows a date, found by walking the panel from its first shown day.
int WalkCell(int year, const QDate &date, int firstDayOfWeek)
{
    const QDate first(year, date.month(), 1);
    const int lead = (first.dayOfWeek() - 1 - firstDayOfWeek + 7) % 7; // dayOfWeek: 1 Monday
    return (date.month() - 1) * 42 + lead + date.day() - 1;
}

// Week numbers of the "week holding 1 January is week 1" rule by walking weeks from a week start
// well before the year: the counter restarts at the week that holds a 1 January.
std::map<QDate, int> WalkJan1Weeks(int year, int firstDayOfWeek)
{
    std::map<QDate, int> weekOfDay;
    QDate d(year - 1, 11, 1);
    while (d.dayOfWeek() - 1 != firstDayOfWeek)
        d = d.addDays(1);
    int week = 0;
    for (; d.year() <= year + 1 && d < QDate(year + 1, 2, 1); d = d.addDays(7)) {
        bool holdsJan1 = false;
        for (int i = 0; i < 7; ++i)
            holdsJan1 = holdsJan1 || (d.addDays(i).month() == 1 && d.addDays(i).day() == 1);
        week = holdsJan1 ? 1 : week + 1;
        for (int i = 0; i < 7; ++i)
            weekOfDay[d.addDays(i)] = week;
    }
    return weekOfDay;
}

// A probe whose sizes grow linearly with the point size.
YearFontProbe LinearProbe(int failAbove = 1000)
{
    return [failAbove](int points, YearFontSizes &out) {
        if (points > failAbove)
            return false;
        out.height = 2 * points;
        out.averageWidth = points;
        out.boldHeight = 2 * points + 1;
        return true;
    };
}

} // namespace

TEST(YearGridModel, FebruaryWithMondayFirst)
{
    CYearGridModel model;
    model.Fill(CDateTime(2009, 2, 10), 0, kWeekFirstFourDays, CDateTime(2009, 2, 14));
    const CNavigatorMonth &feb = model.GetPanel(1);
    EXPECT_EQ(feb.leadingBlanks, 6);
    EXPECT_EQ(feb.cells[6].day, 1);
    EXPECT_EQ(model.GetDayDate(42 + 0), CDateTime(2009, 1, 26)); // row 0 starts on 26 January
    EXPECT_EQ(feb.weekNumbers[0], 5);
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(feb.cells[std::size_t(28 + c)].day, c < 6 ? 23 + c : -1);
    for (int c = 35; c < 42; ++c)
        EXPECT_EQ(feb.cells[std::size_t(c)].flags, CYearDayCell::FlagBlank);
    EXPECT_EQ(feb.weekNumbers[5], -1);
    EXPECT_EQ(model.GetFocusCell(), 42 + 6 + 9);
    EXPECT_EQ(model.GetTodayCell(), 42 + 6 + 13);
    EXPECT_EQ(model.GetDaysInYear(), 365);
}

// Every cell's date, blank flag and the week numbers, for years starting on each weekday (leap
// years among them), under two rules.
TEST(YearGridModel, DatesAndWeekNumbersMatchWalks)
{
    const int years[] = {2017, 2018, 2019, 2014, 2015, 2021, 2022,  // common: Sun..Sat
                         2012, 2024, 2008, 2020, 2004, 2016, 2000}; // leap: Sun..Sat
    struct Rule
    {
        int firstDay, rule;
    };
    for (const Rule rule :
         {Rule{0, kWeekFirstFourDays}, Rule{6, kWeekContainsJan1}, Rule{2, kWeekContainsJan1}}) {
        for (const int year : years) {
            SCOPED_TRACE(testing::Message() << year << " fdow " << rule.firstDay);
            CYearGridModel model;
            model.Fill(CDateTime(year, 6, 1), rule.firstDay, rule.rule, CDateTime());
            EXPECT_EQ(model.GetDaysInYear(), QDate::isLeapYear(year) ? 366 : 365);
            const std::map<QDate, int> jan1Weeks = WalkJan1Weeks(year, rule.firstDay);
            int shownDays = 0;
            for (int month = 1; month <= 12; ++month) {
                const CNavigatorMonth &panel = model.GetPanel(month - 1);
                QDate gridStart(year, month, 1);
                while (gridStart.dayOfWeek() - 1 != rule.firstDay)
                    gridStart = gridStart.addDays(-1);
                for (int i = 0; i < 42; ++i) {
                    const QDate date = gridStart.addDays(i);
                    const int cell = (month - 1) * 42 + i;
                    EXPECT_EQ(ToQDate(model.GetDayDate(cell)), date) << cell;
                    const bool inMonth = date.month() == month && date.year() == year;
                    EXPECT_EQ(panel.cells[std::size_t(i)].ShowsDay(), inMonth) << cell;
                    EXPECT_EQ(panel.cells[std::size_t(i)].day, inMonth ? date.day() : -1);
                    if (inMonth) {
                        ++shownDays;
                        EXPECT_EQ(model.CellFromDate(FromQDate(date, 13)), cell);
                        EXPECT_EQ(WalkCell(year, date, rule.firstDay), cell);
                    }
                }
                for (int row = 0; row < 6; ++row) {
                    const QDate rowFirst = gridStart.addDays(7 * row);
                    const bool numbered = row < 2 || (rowFirst.month() == month && rowFirst.year() == year);
                    int expected = -1;
                    if (numbered) {
                        const QDate rowLast = rowFirst.addDays(6);
                        expected =
                            rule.rule == kWeekFirstFourDays ? rowLast.weekNumber() : jan1Weeks.at(rowLast);
                    }
                    EXPECT_EQ(panel.weekNumbers[std::size_t(row)], expected)
                        << "month " << month << " row " << row;
                }
            }
            EXPECT_EQ(shownDays, model.GetDaysInYear());
        }
    }
}

// Blank cells stand for the days at their own position: January's leading blanks are the end of
// the year before and February's leading blanks the end of January.
TEST(YearGridModel, BlankCellsTakeTheirOwnDates)
{
    CYearGridModel model;
    model.Fill(CDateTime(2009, 5, 5), 0, kWeekFirstFourDays, CDateTime());
    // 1 January 2009 is a Thursday: three blanks before it.
    EXPECT_EQ(model.GetDayDate(0), CDateTime(2008, 12, 29));
    EXPECT_EQ(model.GetDayDate(2), CDateTime(2008, 12, 31));
    EXPECT_EQ(model.GetDayDate(42 + 5), CDateTime(2009, 1, 31));
    EXPECT_EQ(model.GetDayDate(41), CDateTime(2009, 2, 8));
    EXPECT_EQ(model.GetDayDate(-1), CDateTime(2009, 1, 1));
    EXPECT_EQ(model.GetDayDate(504), CDateTime(2009, 1, 1));
}

TEST(YearGridModel, CellFromDateClampsToTheYear)
{
    CYearGridModel model;
    EXPECT_EQ(model.CellFromDate(CDateTime(2009, 1, 1)), -1); // no panels yet
    model.Fill(CDateTime(2009, 5, 5), 0, kWeekFirstFourDays, CDateTime());
    int flags = 0;
    EXPECT_EQ(model.CellFromDate(CDateTime(2008, 12, 31, 10, 0, 0), &flags), 3);
    EXPECT_EQ(flags, kCellClipped);
    EXPECT_EQ(model.CellFromDate(CDateTime(2010, 1, 1), &flags),
              11 * 42 + 1 + 30); // December starts on a Tuesday
    EXPECT_EQ(flags, kCellClipped | kCellAtMidnight);
    EXPECT_EQ(model.CellFromDate(CDateTime(2009, 12, 31, 23, 0, 0), &flags), 11 * 42 + 1 + 30);
    EXPECT_EQ(flags, 0);
}

// Busy days of a fixture calendar against a walk over each item's days.
// Busy days of a fixture calendar against a walk over each item's days, for years starting on
// each weekday, leap years among them.
TEST(YearGridModel, BusyDaysMatchAWalkOverTheItems)
{
    struct Span
    {
        CDateTime start, end;
    };
    for (const int year :
         {2017, 2018, 2019, 2014, 2015, 2021, 2022, 2012, 2024, 2008, 2020, 2004, 2016, 2000}) {
        SCOPED_TRACE(year);
        const int february = CDateTime::DaysInMonth(year, 2);
        const Span spans[] = {
            {CDateTime(year - 1, 12, 30, 9, 0, 0), CDateTime(year, 1, 2, 0, 0, 0)}, // from the year before
            {CDateTime(year, 1, 30, 22, 0, 0), CDateTime(year, 2, 2, 0, 0, 0)},     // end at midnight
            {CDateTime(year, 2, 27, 8, 0, 0), CDateTime(year, 3, 1, 9, 0, 0)}, // over the end of February
            {CDateTime(year, 2, february), CDateTime(year, 2, february)},      // zero length at midnight
            {CDateTime(year, 6, 15, 0, 0, 0), CDateTime(year, 6, 15, 0, 0, 0)},
            {CDateTime(year, 7, 4, 10, 0, 0), CDateTime(year, 7, 4, 11, 0, 0)},
            {CDateTime(year, 12, 30, 20, 0, 0), CDateTime(year + 1, 1, 3, 0, 0, 0)}, // into the next year
            {CDateTime(year, 12, 31, 0, 0, 0), CDateTime(year + 1, 1, 1, 0, 0, 0)},  // all of 31 December
        };
        for (const int firstDay : {0, 6}) {
            CYearGridModel model;
            model.Fill(CDateTime(year, 3, 3), firstDay, kWeekContainsJan1, CDateTime());
            std::map<QDate, int> expected;
            std::uint32_t record = 1;
            for (const Span &s : spans) {
                EXPECT_TRUE(model.AddEntry(MakeItem(record++, s.start, s.end)));
                // Every day the span touches, less an end day it reaches only at 00:00.
                QDate last = ToQDate(s.end);
                if (s.end == s.end.DatePart() && s.end != s.start)
                    last = last.addDays(-1);
                for (QDate d = ToQDate(s.start); d <= last; d = d.addDays(1)) {
                    if (d.year() == year)
                        ++expected[d];
                }
            }
            int total = 0;
            for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1)) {
                const int cell = model.CellFromDate(FromQDate(d));
                EXPECT_EQ(cell, WalkCell(year, d, firstDay));
                const int want = expected.count(d) ? expected.at(d) : 0;
                EXPECT_EQ(int(model.GetCell(cell)->entries.size()), want)
                    << d.toString(Qt::ISODate).toStdString();
                total += want;
            }
            EXPECT_EQ(model.GetEntryCount(), total);
            EXPECT_EQ(total, 2 + 2 + (february == 29 ? 4 : 3) + 1 + 1 + 1 + 2 + 1);
            for (int c = 0; c < CYearGridModel::kCells; ++c) {
                if (!model.GetCell(c)->ShowsDay()) {
                    EXPECT_TRUE(model.GetCell(c)->entries.empty()) << c;
                }
            }
        }
    }
}

TEST(YearGridModel, RefusedItems)
{
    CYearGridModel model;
    const CDisplayItem task =
        MakeItem(1, CDateTime(2024, 3, 1), CDateTime(2024, 3, 2), 0, CDisplayItem::KindTask);
    EXPECT_FALSE(model.AddEntry(task)); // no panels
    model.Fill(CDateTime(2024, 3, 3), 0, kWeekFirstFourDays, CDateTime());
    EXPECT_FALSE(model.AddEntry(task));
    // Wholly outside the year, including an end exactly as the year begins.
    EXPECT_FALSE(model.AddEntry(MakeItem(2, CDateTime(2023, 12, 31, 8, 0, 0), CDateTime(2024, 1, 1))));
    EXPECT_FALSE(model.AddEntry(MakeItem(3, CDateTime(2023, 5, 1), CDateTime(2023, 5, 3))));
    EXPECT_FALSE(model.AddEntry(MakeItem(4, CDateTime(2025, 1, 1), CDateTime(2025, 1, 1, 1, 0, 0))));
    // End before start.
    EXPECT_FALSE(model.AddEntry(MakeItem(5, CDateTime(2024, 3, 5), CDateTime(2024, 3, 3))));
    EXPECT_EQ(model.GetEntryCount(), 0);
    // Zero length exactly at the year's start marks 1 January.
    EXPECT_TRUE(model.AddEntry(MakeItem(6, CDateTime(2024, 1, 1), CDateTime(2024, 1, 1))));
    EXPECT_EQ(model.GetEntryCount(), 1);
}

TEST(YearGridModel, CommonTypeRemovalAndRetyping)
{
    CYearGridModel model;
    model.Fill(CDateTime(2024, 3, 3), 0, kWeekFirstFourDays, CDateTime());
    const int day = model.CellFromDate(CDateTime(2024, 3, 5));
    const CYearDayCell &cell = *model.GetCell(day);
    EXPECT_EQ(cell.commonType, -1);
    model.AddEntry(MakeItem(1, CDateTime(2024, 3, 5, 9, 0, 0), CDateTime(2024, 3, 5, 10, 0, 0), 4));
    model.AddEntry(MakeItem(2, CDateTime(2024, 3, 5, 11, 0, 0), CDateTime(2024, 3, 6, 10, 0, 0), 4));
    EXPECT_EQ(cell.commonType, 4);
    model.AddEntry(MakeItem(3, CDateTime(2024, 3, 5, 12, 0, 0), CDateTime(2024, 3, 5, 13, 0, 0), 7));
    EXPECT_EQ(cell.commonType, -1);
    EXPECT_EQ(model.GetEntryCount(), 4);

    EXPECT_TRUE(model.RemoveOccurrenceEntries(3, CDateTime(2024, 3, 5, 12, 0, 0)));
    EXPECT_EQ(cell.commonType, 4);
    EXPECT_FALSE(model.RemoveOccurrenceEntries(3, CDateTime(2024, 3, 5, 12, 0, 0)));
    model.SetEntryTypeForItem(2, 9);
    EXPECT_EQ(cell.commonType, -1);
    EXPECT_EQ(model.GetCell(day + 1)->commonType, 9);
    EXPECT_TRUE(model.RemoveEntriesOfRecord(2));
    EXPECT_EQ(cell.commonType, 4);
    EXPECT_TRUE(model.GetCell(day + 1)->entries.empty());
    EXPECT_EQ(model.GetEntryCount(), 1);
    EXPECT_EQ(model.GetEntryTipText(day), QStringLiteral("x"));
}

TEST(YearGridModel, TipTextListsEverySubjectInFull)
{
    CYearGridModel model;
    model.Fill(CDateTime(2024, 3, 3), 0, kWeekFirstFourDays, CDateTime());
    const QString longSubject(120, QLatin1Char('s'));
    for (const QString &subject : {QStringLiteral("Dentist"), QStringLiteral("Lunch"), longSubject})
        model.AddEntry(MakeItem(1, CDateTime(2024, 3, 5, 9, 0, 0), CDateTime(2024, 3, 5, 10, 0, 0), 0,
                                CDisplayItem::KindEvent, subject));
    const int day = model.CellFromDate(CDateTime(2024, 3, 5));
    EXPECT_EQ(model.GetEntryTipText(day), QStringLiteral("Dentist\nLunch\n") + longSubject);
    EXPECT_EQ(model.GetEntryTipText(day + 1), QString());
    EXPECT_EQ(model.GetEntryTipText(0), QString()); // blank
}

TEST(YearGridModel, ArrangementByShape)
{
    struct Case
    {
        QSize size;
        int columns, rows;
    };
    const Case cases[] = {{{800, 600}, 4, 3}, {{600, 800}, 3, 4}, {{700, 700}, 3, 4}};
    for (const Case &c : cases) {
        CYearGridModel model;
        model.SetFontProbe(LinearProbe());
        model.SetFontPoints(2);
        model.Fill(CDateTime(2024, 1, 1), 0, 0, CDateTime());
        model.Relayout(QRect(QPoint(0, 0), c.size), 8);
        EXPECT_EQ(model.GetPanelColumns(), c.columns);
        EXPECT_EQ(model.GetPanelRows(), c.rows);
        const int pw = c.size.width() / c.columns, ph = c.size.height() / c.rows;
        EXPECT_EQ(model.GetPanel(0).rect, QRect(0, 0, pw, ph));
        EXPECT_EQ(model.GetPanel(11).rect, QRect((c.columns - 1) * pw, (c.rows - 1) * ph, pw, ph));
        EXPECT_EQ(model.GetPanel(c.columns).rect.topLeft(), QPoint(0, ph));
    }
}

// With the linear probe a size n needs 26n + 18 pixels across (week numbers on) and 16n + 24 down.
TEST(YearGridModel, FontFittingStopsAtTheLastFittingSizeAndTheLimits)
{
    struct Case
    {
        int start;
        QSize panel;
        bool autoSize;
        int settingPoints;
        int expected;
    };
    const Case cases[] = {
        {8, {26 * 10 + 18, 300}, true, 8, 10}, // grows while it fits
        {8, {5000, 5000}, true, 8, 24},        // up to 24 points with auto size
        {8, {5000, 5000}, false, 12, 12},      // up to the setting without
        {12, {26 * 9 + 18, 300}, true, 8, 9},  // shrinks to the first size that fits
        {12, {26 * 9 + 17, 16 * 9 + 24}, true, 8, 8},
        {12, {20, 20}, true, 8, 6}, // never below 6
        {5, {20, 20}, true, 8, 6},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " " << c.panel.width() << "x" << c.panel.height());
        CYearGridModel model;
        model.SetFontProbe(LinearProbe());
        model.SetAutoSize(c.autoSize);
        ASSERT_TRUE(model.SetFontPoints(c.start));
        model.Fill(CDateTime(2024, 1, 1), 0, 0, CDateTime());
        model.Relayout(QRect(0, 0, 4 * c.panel.width(), 3 * c.panel.height()), c.settingPoints);
        EXPECT_EQ(model.GetFontPoints(), c.expected);
    }
    // A font that cannot be made ends the growth at the last good size.
    CYearGridModel model;
    model.SetFontProbe(LinearProbe(11));
    model.SetFontPoints(8);
    EXPECT_EQ(model.GrowFonts(5000, 5000, 24), 11);
}

TEST(YearGridModel, MetricsAndCellsFromPoints)
{
    CYearGridModel model;
    model.SetFontProbe(LinearProbe());
    model.SetFontPoints(5);
    const YearGridMetrics &m = model.GetMetrics();
    EXPECT_EQ(m.captionHeight, 15);
    EXPECT_EQ(m.cellWidth, 17);
    EXPECT_EQ(m.cellHeight, 12);
    EXPECT_EQ(m.weekNumberWidth, 17);
    EXPECT_EQ(m.contentWidth, 23 * 5 + 17 + 16);
    EXPECT_EQ(m.contentHeight, 15 + 70 + 19);

    model.SetAutoSize(false);
    model.Fill(CDateTime(2009, 2, 1), 0, kWeekFirstFourDays, CDateTime());
    model.Relayout(QRect(0, 0, 4 * m.contentWidth + 40, 3 * m.contentHeight + 30), 5);
    EXPECT_EQ(model.GetPanel(0).rect, QRect(20, 15, m.contentWidth, m.contentHeight));
    for (const int cell : {3, 41 - 6, 42 + 6, 42 + 33, 11 * 42 + 30}) {
        if (!model.GetCell(cell)->ShowsDay())
            continue;
        const QRect r = model.GetCellRect(cell);
        EXPECT_EQ(r.size(), QSize(17, 12));
        EXPECT_EQ(model.CellFromPoint(r.topLeft()), cell);
        EXPECT_EQ(model.CellFromPoint(r.bottomRight()), cell);
    }
    EXPECT_EQ(model.CellFromPoint(model.GetCellRect(42).center()), -1); // blank
    EXPECT_EQ(model.CellFromPoint(QPoint(0, 0)), -1);
    EXPECT_EQ(model.CellFromPoint(model.GetPanel(0).rect.topLeft() + QPoint(1, 1)), -1); // caption
}

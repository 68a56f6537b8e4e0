// The publishing month view without a window: the same days as the month view, one piece per
// day of the shown month, other months' days left out.
#include "views/month/WebMonthViewCtrl.h"
#include "views/month/MonthTestSupport.h"
#include "views/support/ViewFakes.h"
#include "common/TempProfile.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/RecurrenceBits.h"

#include <gtest/gtest.h>
#include <set>

namespace {

constexpr std::uint32_t kBefore = CDisplayItem::FlagBeginsBefore;
constexpr std::uint32_t kAfter = CDisplayItem::FlagEndsAfter;

class WebMonthTest : public ::testing::Test
{
  protected:
    void SetUp() override { web.SetDate(CDateTime(2024, 8, 14)); }

    TempProfile profile;
    MonthWeekScope week;
    CWebMonthViewCtrl web;
};

TEST_F(WebMonthTest, PlacesEntriesOnTheSameDaysAsTheMonthView)
{
    CMonthViewCtrl month;
    month.SetDate(CDateTime(2024, 8, 14));
    ASSERT_EQ(web.GetFirstDate(), month.GetFirstDate());
    ASSERT_EQ(web.GetModel().GetRows(), month.GetModel().GetRows());

    const struct
    {
        CDateTime start, end;
        std::uint32_t flags;
    } fixture[] = {
        {CDateTime(2024, 8, 7, 9, 0, 0), CDateTime(2024, 8, 7, 10, 0, 0), 0},
        {CDateTime(2024, 8, 9), CDateTime(2024, 8, 14), 0}, // a bar over two week rows
        {CDateTime(2024, 8, 22, 23, 0, 0), CDateTime(2024, 8, 23, 1, 0, 0),
         CDisplayItem::FlagCrossesMidnight},
        {CDateTime(2024, 7, 29), CDateTime(2024, 8, 3), 0}, // begins in July's days of the grid
        {CDateTime(2024, 8, 31), CDateTime(2024, 9, 2), 0},
    };
    for (const auto &f : fixture) {
        month.RemoveAllEntries();
        web.RemoveAllEntries();
        month.AddEntry(MakeEntry(f.start, f.end, QStringLiteral("Item"), f.flags));
        web.AddEntry(MakeEntry(f.start, f.end, QStringLiteral("Item"), f.flags));
        std::set<int> expected, placed;
        for (const auto &e : month.GetEntries())
            for (int cell = e->GetFirstCell(); cell <= e->GetLastCell(); ++cell)
                if (!(month.GetCellMark(cell) & CMonthGridModel::CellOtherMonth))
                    expected.insert(cell);
        for (const auto &e : web.GetEntries()) {
            // Entries are never laid out.
            EXPECT_TRUE(e->GetRect().isNull());
            for (int cell = e->GetFirstCell(); cell <= e->GetLastCell(); ++cell)
                placed.insert(cell);
        }
        EXPECT_EQ(placed, expected) << f.start.GetDay();
    }
}

TEST_F(WebMonthTest, PiecesOfABarIntoTheNextMonth)
{
    // Three days from 30 August: the 30th and 31st get pieces, 1 September (another month's day
    // in the last row) none.
    EXPECT_TRUE(web.AddEntry(MakeEntry(CDateTime(2024, 8, 30), CDateTime(2024, 9, 2))));
    ASSERT_EQ(web.GetEntryCount(), 2);
    const CDisplayItem &first = *web.GetEntry(0);
    const CDisplayItem &second = *web.GetEntry(1);
    EXPECT_EQ(first.GetStart(), CDateTime(2024, 8, 30));
    EXPECT_EQ(web.GetDayDate(first.GetFirstCell()), CDateTime(2024, 8, 30));
    EXPECT_EQ(first.GetFlags() & (kBefore | kAfter), kAfter);
    EXPECT_EQ(web.GetDayDate(second.GetFirstCell()), CDateTime(2024, 8, 31));
    EXPECT_EQ(second.GetFlags() & (kBefore | kAfter), kBefore | kAfter);
    EXPECT_EQ(second.GetFirstCell(), second.GetLastCell());

    // An all-day event on the previous month's last day, in the first row: refused.
    EXPECT_FALSE(web.AddEntry(MakeEntry(CDateTime(2024, 7, 31), CDateTime(2024, 8, 1))));
    EXPECT_EQ(web.GetEntryCount(), 2);
}

TEST_F(WebMonthTest, LoadsTheOccurrencesOfTheShownMonthOnly)
{
    const CEventItem daily =
        DailyEvent(QStringLiteral("Walk"), CDateTime(2024, 7, 1, 7, 0, 0), CDateSpan(0, 1, 0, 0));
    CItemRef ref = StoredRef(daily, 3);
    EXPECT_TRUE(web.AddItem(ref));
    EXPECT_EQ(web.GetEntryCount(), 31);
    web.Refresh(true);
    EXPECT_TRUE(web.GetEntry(0)->GetRect().isNull());

    // A series that ends in July adds nothing to August.
    CEventItem july = daily;
    july.SetRecurrence(Recur::Daily | Recur::ByDate | Recur::HasEndDate, 1, 0, CDateTime(2024, 7, 1, 7, 0, 0),
                       CDateTime(2024, 7, 31, 23, 0, 0));
    CItemRef julyRef = StoredRef(july, 4);
    EXPECT_FALSE(web.AddItem(julyRef));
    EXPECT_EQ(web.GetEntryCount(), 31);
}

TEST_F(WebMonthTest, HidesWeekdaysAsThePublishingOptionsSay)
{
    web.SetVisibleWeekdays(true, false, false, 5, false);
    web.SetDate(CDateTime(2024, 8, 14));
    EXPECT_EQ(web.GetModel().GetColumns(), 5);
    EXPECT_FALSE(web.AddEntry(MakeEntry(CDateTime(2024, 8, 10, 9, 0, 0), CDateTime(2024, 8, 10, 10, 0, 0))));
    EXPECT_TRUE(web.AddEntry(MakeEntry(CDateTime(2024, 8, 12, 9, 0, 0), CDateTime(2024, 8, 12, 10, 0, 0))));
}

TEST_F(WebMonthTest, TitleComesFromTheDocument)
{
    EXPECT_TRUE(web.GetCalendarTitle().isEmpty());
    struct TitledDocument : FakeDocument
    {
        QString GetCalendarTitle() const override { return QStringLiteral("Family"); }
    };
    struct TitledContainer : FakeContainer
    {
        TitledDocument titled;
        IViewDocument *GetDocument() override { return &titled; }
    } container;
    web.SetContainer(&container);
    EXPECT_EQ(web.GetCalendarTitle(), QStringLiteral("Family"));
}

} // namespace

// Sorting and cell texts of the list views.
#include "views/list/ListEntryRules.h"
#include "views/list/ListFixture.h"
#include "core/dates/DateFormats.h"

#include <gtest/gtest.h>

using namespace listfixture;

namespace {

using Entries = std::vector<std::unique_ptr<CDisplayItem>>;

std::vector<std::uint32_t> Order(const Entries &entries)
{
    std::vector<std::uint32_t> ids;
    for (const auto &e : entries)
        ids.push_back(e->GetItemRef());
    return ids;
}

std::vector<std::uint32_t> Sorted(Entries &entries, int sortId, bool ascending = true)
{
    SortListEntries(entries, sortId, ascending);
    return Order(entries);
}

} // namespace

TEST(ListEntryRulesTest, EventsSortByEachColumnsKey)
{
    const CDateTime d1(2024, 5, 1, 9), d2(2024, 5, 2, 9), d3(2024, 5, 3, 9);
    Entries e;
    e.push_back(EventEntry(1, "beta", d2, Hours(3)));
    e.push_back(EventEntry(2, "Alpha", d3, Hours(1)));
    e.push_back(EventEntry(3, "gamma", d1, Hours(2)));
    e[0]->SetLocation("Zurich");
    e[1]->SetLocation("athens");
    e[2]->SetLocation("Berlin");
    e[0]->SetItemTypeIndex(2);
    e[1]->SetItemTypeIndex(0);
    e[2]->SetItemTypeIndex(1);
    e[0]->SetFlag(CDisplayItem::FlagLocked, true);
    e[2]->SetFlag(CDisplayItem::FlagNotes, true);

    struct Case
    {
        int column;
        std::vector<std::uint32_t> ascending;
    };
    const std::vector<Case> cases = {
        {4, {2, 1, 3}},  // subject, case-insensitive
        {20, {2, 3, 1}}, // location, case-insensitive
        {16, {3, 1, 2}}, // start
        {17, {3, 1, 2}}, // end
        {19, {2, 3, 1}}, // duration
        {0, {2, 3, 1}},  // item type index
        {10, {2, 3, 1}}, // locked sorts after; the others by subject
        {3, {2, 1, 3}},  // notes sorts after
    };
    for (const Case &k : cases) {
        EXPECT_EQ(Sorted(e, k.column, true), k.ascending) << "column " << k.column;
        auto reversed = k.ascending;
        std::reverse(reversed.begin(), reversed.end());
        EXPECT_EQ(Sorted(e, k.column, false), reversed) << "column " << k.column << " descending";
    }
}

TEST(ListEntryRulesTest, EventTieBreaksRunSubjectStartTypeRecurringCreatedThenNumber)
{
    const CDateTime d(2024, 5, 1, 9);
    Entries e;
    e.push_back(EventEntry(5, "same", d));
    e.push_back(EventEntry(6, "same", d));
    e.push_back(EventEntry(7, "same", d));
    e.push_back(EventEntry(8, "same", d));
    e[1]->SetFlag(CDisplayItem::FlagRecurring, true); // recurring first
    e[2]->SetCreated(CDateTime(2019, 1, 1));          // then the older one
    // Equal in everything else: the lower item number sorts after.
    EXPECT_EQ(Sorted(e, 6), (std::vector<std::uint32_t>{6, 7, 8, 5}));
}

TEST(ListEntryRulesTest, NextOccurrenceAndReminderTimeKeys)
{
    Entries e;
    e.push_back(EventEntry(1, "a", CDateTime(2024, 5, 1, 9)));
    e.push_back(EventEntry(2, "b", CDateTime(2024, 5, 1, 9)));
    e.push_back(EventEntry(3, "c", CDateTime(2024, 5, 1, 9)));
    static_cast<CDatedDisplayItem &>(*e[0]).SetNextDate(CDateTime(2024, 6, 1));
    static_cast<CDatedDisplayItem &>(*e[1]).SetNextDate(CDateTime(0.0)); // none
    static_cast<CDatedDisplayItem &>(*e[2]).SetNextDate(CDateTime(2024, 5, 20));
    // Without a next occurrence the entry comes first.
    EXPECT_EQ(Sorted(e, 18), (std::vector<std::uint32_t>{2, 3, 1}));

    for (auto &x : e)
        x->SetFlag(CDisplayItem::FlagReminderTime, false);
    auto &third = static_cast<CDatedDisplayItem &>(*e[0]); // item 2 after the sort above
    third.SetFlag(CDisplayItem::FlagReminderTime, true);
    third.SetReminderTime(CDateTime(2024, 5, 30));
    auto &last = static_cast<CDatedDisplayItem &>(*e[2]); // item 1
    last.SetFlag(CDisplayItem::FlagReminderTime, true);
    last.SetReminderTime(CDateTime(2024, 5, 10));
    // Without a reminder time first (then by subject), then by time.
    EXPECT_EQ(Sorted(e, 5), (std::vector<std::uint32_t>{3, 1, 2}));
}

TEST(ListEntryRulesTest, TasksSortByTheirColumnsAndTieBreaks)
{
    Entries t;
    t.push_back(TaskEntry(1, "one", 0));   // urgent
    t.push_back(TaskEntry(2, "two", 4));   // lowest
    t.push_back(TaskEntry(3, "three", 2)); // normal
    // Priority as a column runs reversed: Lowest first.
    EXPECT_EQ(Sorted(t, 32), (std::vector<std::uint32_t>{2, 3, 1}));
    // As a tie-break the code itself: Urgent first.
    EXPECT_EQ(Sorted(t, 37), (std::vector<std::uint32_t>{1, 3, 2}));

    // Due date: the one without comes first; both set, by date; due beats priority.
    t[0]->SetFlag(CDisplayItem::FlagHasDue, true);
    t[0]->SetEnd(CDateTime(2024, 5, 3));
    t[1]->SetFlag(CDisplayItem::FlagHasDue, true);
    t[1]->SetEnd(CDateTime(2024, 5, 2));
    // t now holds 1 (urgent), 3 (normal), 2 (lowest).
    EXPECT_EQ(Sorted(t, 35), (std::vector<std::uint32_t>{2, 3, 1}));
    EXPECT_EQ(Sorted(t, 4), (std::vector<std::uint32_t>{1, 3, 2})); // subject
    static_cast<CTaskDisplayItem &>(*t[0]).SetPercentComplete(50);
    EXPECT_EQ(Sorted(t, 38), (std::vector<std::uint32_t>{2, 3, 1}));
}

TEST(ListEntryRulesTest, EventsAgainstTasksFollowTheMixedRule)
{
    auto ev = EventEntry(10, "meeting", CDateTime(2024, 5, 1, 9));
    auto task = TaskEntry(11, "meeting");
    struct Case
    {
        int column;
        int expected; // event against task, ascending
    };
    const std::vector<Case> cases = {
        {16, 1},  {18, 1},  {19, 1},  {20, 1}, // the event sorts after
        {32, -1}, {35, -1}, {38, -1},          // the event sorts before
        {4, 1},   {17, 1},  {99, 1},           // equal key: tie-breaks end with the event after
    };
    for (const Case &k : cases) {
        EXPECT_EQ(CompareListEntries(*ev, *task, k.column, true), k.expected) << "column " << k.column;
        EXPECT_EQ(CompareListEntries(*task, *ev, k.column, true), -k.expected) << "column " << k.column;
        EXPECT_EQ(CompareListEntries(*ev, *task, k.column, false), -k.expected) << "column " << k.column;
    }
    // Item type, then recurring first, decide before the event's place.
    task->SetItemTypeIndex(3);
    EXPECT_EQ(CompareListEntries(*ev, *task, 4, true), -1);
    task->SetItemTypeIndex(0);
    task->SetFlag(CDisplayItem::FlagRecurring, true);
    EXPECT_EQ(CompareListEntries(*ev, *task, 4, true), 1);
    ev->SetFlag(CDisplayItem::FlagRecurring, true);
    ev->SetFlag(CDisplayItem::FlagReminderTime, true);
    ev->SetReminderTime(CDateTime(2024, 5, 1, 8));
    // Only the event has a reminder time: it sorts after.
    EXPECT_EQ(CompareListEntries(*ev, *task, 5, true), 1);
}

TEST(ListEntryRulesTest, SortIsStableForEntriesOfOtherKinds)
{
    // Entries that are neither events nor tasks order by item number, lower after, in either
    // direction; the sort is stable for equal ones.
    Entries e;
    for (std::uint32_t id : {4u, 9u, 4u, 1u}) {
        auto x = std::make_unique<CDisplayItem>();
        x->SetItemRef(id);
        x->SetSubject(QString::number(e.size()));
        e.push_back(std::move(x));
    }
    SortListEntries(e, 4, false);
    EXPECT_EQ(Order(e), (std::vector<std::uint32_t>{9, 4, 4, 1}));
    EXPECT_EQ(e[1]->GetSubject(), "0");
    EXPECT_EQ(e[2]->GetSubject(), "2");
}

TEST(ListEntryRulesTest, CellTexts)
{
    auto ev = EventEntry(1, "Birthday", CDateTime(2024, 5, 1, 9));
    ev->SetLocation("Home");
    ev->SetCategories("Family");
    ev->SetAge(40);
    QString text;
    ASSERT_TRUE(ListCellText(*ev, 4, text));
    EXPECT_TRUE(text.startsWith("Birthday (40")) << text.toStdString();
    ASSERT_TRUE(ListCellText(*ev, 20, text));
    EXPECT_EQ(text, "Home");
    ASSERT_TRUE(ListCellText(*ev, 7, text));
    EXPECT_EQ(text, "Family");
    // Not recurring: no next occurrence.
    ASSERT_TRUE(ListCellText(*ev, 18, text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_FALSE(ListCellText(*ev, 1, text)); // icon column
    EXPECT_FALSE(ListCellText(*ev, 99, text));

    auto task = TaskEntry(2, "Report");
    task->SetFlag(CDisplayItem::FlagHasDue, true);
    task->SetEnd(CDateTime(2024, 5, 11)); // due on the 10th
    task->SetPercentComplete(50);
    ASSERT_TRUE(ListCellText(*task, 38, text));
    EXPECT_EQ(text, "50%");
    ASSERT_TRUE(ListCellText(*task, 35, text));
    EXPECT_EQ(text, FormatWeekdayDate(CDateTime(2024, 5, 10)));
    ASSERT_TRUE(ListCellText(*task, 20, text));
    EXPECT_TRUE(text.isEmpty()); // tasks have no location
}

// Display items of events and their occurrences: display flags, changed occurrences, notes modes,
// ages, the dated and pattern kinds, and the window enumeration that hands them out.
#include "core/items/ItemTestUtil.h"

#include "core/dates/DateFormats.h"
#include "core/items/DatedDisplayItem.h"
#include "core/items/DisplayItem.h"
#include "core/items/PatternDisplayItem.h"
#include "core/items/RecurrenceBits.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {
constexpr std::uint32_t kOwn = CDisplayItem::FlagOwnItem;

std::unique_ptr<CDisplayItem> Single(CEventItem &e, int notesMode = 0, bool dated = false,
                                     bool pattern = false)
{
    std::unique_ptr<CDisplayItem> item;
    EXPECT_TRUE(e.SelectOccurrence(CDateTime(), notesMode, item, dated, pattern));
    return item;
}

CEventItem Event(const CDateTime &start, const CDateSpan &duration)
{
    CEventItem e(42);
    e.SetStart(start);
    e.SetDuration(duration);
    e.SetSubject(QStringLiteral("Dentist"));
    e.SetItemTypeIndex(2);
    e.SetItemTypeName(QStringLiteral("Appointment"));
    e.SetCategories(QStringLiteral("Health"));
    e.SetCreatedTime(At(2024, 1, 2, 3, 4, 5));
    e.SetModified(At(2024, 2, 3, 4, 5, 6));
    return e;
}
} // namespace

TEST(EventDisplayItem, FlagsOfSingleEvents)
{
    const struct
    {
        const char *what;
        CDateTime start;
        CDateSpan duration;
        std::uint32_t itemFlags;
        std::uint32_t keepMark;
        const char *notes;
        std::uint32_t shown;
    } cases[] = {
        {"an hour", At(2024, 6, 3, 9, 0), Hours(1), 0, 0, "", kOwn},
        {"over midnight", At(2024, 6, 3, 22, 0), Hours(4), 0, 0, "",
         kOwn | CDisplayItem::FlagCrossesMidnight},
        {"ends at midnight", At(2024, 6, 3, 22, 0), Hours(2), 0, 0, "", kOwn},
        {"over midnight before 1900", At(1899, 6, 3, 22, 0), Hours(4), 0, 0, "",
         kOwn | CDisplayItem::FlagCrossesMidnight},
        {"ends at midnight before 1900", At(1899, 6, 3, 22, 0), Hours(2), 0, 0, "", kOwn},
        {"ends at midnight on 1900-01-01", At(1899, 12, 31, 22, 0), Hours(2), 0, 0, "", kOwn},
        {"no length at midnight", At(2024, 6, 3), Hours(0), 0, 0, "", kOwn},
        {"a whole day", At(2024, 6, 3), Days(1), 0, 0, "", kOwn | CDisplayItem::FlagAllDay},
        {"a day and an hour", At(2024, 6, 3, 23, 0), Hours(25), 0, 0, "", kOwn | CDisplayItem::FlagAllDay},
        {"reminder", At(2024, 6, 3, 9, 0), Hours(1), CCalendarItem::FlagReminder, 0, "",
         kOwn | CDisplayItem::FlagReminder},
        {"locked", At(2024, 6, 3, 9, 0), Hours(1), CCalendarItem::FlagLocked, 0, "",
         kOwn | CDisplayItem::FlagLocked},
        {"private item stays own", At(2024, 6, 3, 9, 0), Hours(1), CCalendarItem::FlagPrivate, 0, "", kOwn},
        {"keep-mark", At(2024, 6, 3, 9, 0), Hours(1), 0, 7, "", kOwn | CDisplayItem::FlagKeepMark},
        {"notes", At(2024, 6, 3, 9, 0), Hours(1), 0, 0, "x", kOwn | CDisplayItem::FlagNotes},
    };
    for (const auto &c : cases) {
        CEventItem e = Event(c.start, c.duration);
        e.SetFlags(c.itemFlags);
        e.SetKeepMark(c.keepMark);
        e.SetNotes(QString::fromUtf8(c.notes));
        const auto item = Single(e);
        ASSERT_NE(item, nullptr) << c.what;
        EXPECT_EQ(item->GetFlags(), c.shown) << c.what << std::hex << " got " << item->GetFlags();
        EXPECT_EQ(item->GetStart(), c.start) << c.what;
        EXPECT_EQ(item->GetEnd(), c.start + c.duration) << c.what;
        EXPECT_TRUE(item->GetNotes().isEmpty()) << c.what; // notes mode 0 keeps no notes
    }
}

TEST(EventDisplayItem, WhatASingleEventCarries)
{
    CEventItem e = Event(At(2024, 6, 3, 9, 0), Hours(1));
    e.SetSubject(QStringLiteral("Tooth\tache"));
    e.SetLocation(QStringLiteral("Clinic"));
    const auto item = Single(e);
    EXPECT_EQ(typeid(*item), typeid(CDisplayItem));
    EXPECT_EQ(item->GetKind(), CDisplayItem::KindEvent);
    EXPECT_EQ(item->GetItemRef(), 42u);
    EXPECT_EQ(item->GetOccurrenceDate(), At(2024, 6, 3, 9, 0));
    EXPECT_EQ(item->GetSubject(), QStringLiteral("Tooth ache"));
    EXPECT_EQ(item->GetLocation(), QStringLiteral("Clinic"));
    EXPECT_EQ(item->GetItemTypeIndex(), 2);
    EXPECT_EQ(item->GetItemTypeName(), QStringLiteral("Appointment"));
    EXPECT_EQ(item->GetCategories(), QStringLiteral("Health"));
    EXPECT_EQ(item->GetCreated(), At(2024, 1, 2, 3, 4, 5));
    EXPECT_EQ(item->GetStamp(), At(2024, 2, 3, 4, 5, 6));
    EXPECT_EQ(item->GetAge(), -1);
    EXPECT_EQ(item->GetState(), 0u);
    EXPECT_EQ(item->GetFirstCell(), -1);
}

TEST(EventDisplayItem, NotesModes)
{
    CEventItem e = Event(At(2024, 6, 3, 9, 0), Hours(1));
    e.SetNotes(QStringLiteral("  bring\tcard \r\n"));
    EXPECT_EQ(Single(e, 1)->GetNotes(), QStringLiteral("bring card"));
    EXPECT_EQ(Single(e, 2)->GetNotes(), QStringLiteral("  bring\tcard "));
    // Notes that are only line ends count as none once treated.
    e.SetNotes(QStringLiteral("\r\n\r\n"));
    EXPECT_FALSE(Single(e, 1)->HasFlag(CDisplayItem::FlagNotes));
    EXPECT_TRUE(Single(e, 0)->HasFlag(CDisplayItem::FlagNotes));
}

TEST(EventDisplayItem, ChangedOccurrenceTakesTheExceptionsValues)
{
    CEventItem e = MakeSeries(At(2024, 6, 3, 9, 0), Hours(1), Recur::Daily | Recur::ByDate, 1);
    e.SetSubject(QStringLiteral("Standup"));
    e.SetLocation(QStringLiteral("Room 1"));
    e.SetNotes(QStringLiteral("series notes"));
    e.SetReminder(true, Minutes(10));
    CRecurrenceException *x = e.GetException(At(2024, 6, 5, 9, 0), true);
    x->newStart = At(2024, 6, 5, 14, 0);
    x->duration = Hours(2);
    x->SetSubject(true, QStringLiteral("Retro"));
    x->SetLocation(true, QStringLiteral("Room 2"));
    x->SetNotes(true, QString());
    x->SetReminder(false, Minutes(10));
    e.GetException(At(2024, 6, 6, 9, 0), true); // changed without overrides

    std::unique_ptr<CDisplayItem> item;
    std::vector<std::unique_ptr<CDisplayItem>> items;
    for (bool ok = e.FindFirstOccurrenceInRange(At(2024, 6, 4), 3, 2, item); ok;
         ok = e.FindNextOccurrenceInRange(2, item))
        items.push_back(std::move(item));
    ASSERT_EQ(items.size(), 3u);

    const CDisplayItem &plain = *items[0];
    EXPECT_EQ(plain.GetOccurrenceDate(), At(2024, 6, 4, 9, 0));
    EXPECT_EQ(plain.GetFlags(),
              kOwn | CDisplayItem::FlagRecurring | CDisplayItem::FlagReminder | CDisplayItem::FlagNotes);
    EXPECT_EQ(plain.GetNotes(), QStringLiteral("series notes"));

    const CDisplayItem &moved = *items[1];
    EXPECT_EQ(moved.GetOccurrenceDate(), At(2024, 6, 5, 9, 0));
    EXPECT_EQ(moved.GetStart(), At(2024, 6, 5, 14, 0));
    EXPECT_EQ(moved.GetEnd(), At(2024, 6, 5, 14, 0) + Hours(2));
    EXPECT_EQ(moved.GetSubject(), QStringLiteral("Retro"));
    EXPECT_EQ(moved.GetLocation(), QStringLiteral("Room 2"));
    EXPECT_TRUE(moved.GetNotes().isEmpty());
    // The occurrence's own reminder is off and its notes emptied.
    EXPECT_EQ(moved.GetFlags(), kOwn | CDisplayItem::FlagRecurring | CDisplayItem::FlagChanged);

    const CDisplayItem &unchangedTexts = *items[2];
    EXPECT_EQ(unchangedTexts.GetSubject(), QStringLiteral("Standup"));
    EXPECT_EQ(unchangedTexts.GetLocation(), QStringLiteral("Room 1"));
    EXPECT_EQ(unchangedTexts.GetFlags(), kOwn | CDisplayItem::FlagRecurring | CDisplayItem::FlagChanged |
                                             CDisplayItem::FlagReminder | CDisplayItem::FlagNotes);

    // Without notes mode the flag follows the occurrence's notes too.
    std::unique_ptr<CDisplayItem> one;
    ASSERT_TRUE(e.SelectOccurrence(At(2024, 6, 5, 9, 0), 0, one));
    EXPECT_FALSE(one->HasFlag(CDisplayItem::FlagNotes));
}

TEST(EventDisplayItem, AgeOfYearlyEvents)
{
    const FixedClock clock(At(2024, 6, 12, 8, 0));
    CEventItem birthday = MakeSeries(At(1990, 9, 1), Days(1), Recur::Yearly | Recur::ByDate, 1, 1);
    birthday.SetFlag(CCalendarItem::FlagCalculateAge, true);
    std::unique_ptr<CDisplayItem> item;
    ASSERT_TRUE(birthday.FindFirstOccurrenceInRange(At(2024, 9, 1), 1, 0, item));
    EXPECT_EQ(item->GetAge(), 34); // at the occurrence
    ASSERT_TRUE(birthday.SelectOccurrence(CDateTime(), 0, item, true));
    EXPECT_EQ(item->GetAge(), 33); // today, in lists

    CEventItem monthly = MakeSeries(At(1990, 9, 1), Days(1), Recur::Monthly | Recur::ByDate, 1, 1);
    monthly.SetFlag(CCalendarItem::FlagCalculateAge, true);
    ASSERT_TRUE(monthly.FindFirstOccurrenceInRange(At(2024, 9, 1), 1, 0, item));
    EXPECT_EQ(item->GetAge(), -1);
}

TEST(EventDisplayItem, DatedItems)
{
    const FixedClock clock(At(2024, 6, 12, 8, 0));
    CEventItem weekly = MakeSeries(At(2024, 6, 3, 9, 0), Hours(1), Recur::Weekly | Recur::Monday, 1);
    weekly.SetReminder(true, Minutes(15));
    weekly.SetNotes(QStringLiteral("agenda"));

    // The list row of the whole series: the event's start, no occurrence, no notes kept.
    std::unique_ptr<CDisplayItem> item;
    ASSERT_TRUE(weekly.SelectOccurrence(CDateTime(), 2, item, true));
    auto *dated = dynamic_cast<CDatedDisplayItem *>(item.get());
    ASSERT_NE(dated, nullptr);
    EXPECT_EQ(dated->GetStart(), At(2024, 6, 3, 9, 0));
    EXPECT_EQ(dated->GetOccurrenceDate(), CDateTime(0.0));
    EXPECT_TRUE(dated->GetNotes().isEmpty());
    EXPECT_TRUE(dated->HasFlag(CDisplayItem::FlagNotes));
    EXPECT_EQ(dated->GetNextDate(), At(2024, 6, 17, 9, 0));
    EXPECT_TRUE(dated->HasFlag(CDisplayItem::FlagReminderTime));
    EXPECT_EQ(dated->GetReminderTime(), At(2024, 6, 17, 8, 45));

    // An occurrence row (pattern flag) is that occurrence; the enumeration goes on.
    ASSERT_TRUE(weekly.FindFirstOccurrenceInRange(At(2024, 6, 10), 14, 0, item, true, true));
    EXPECT_EQ(item->GetStart(), At(2024, 6, 10, 9, 0));
    EXPECT_EQ(item->GetOccurrenceDate(), At(2024, 6, 10, 9, 0));
    EXPECT_TRUE(weekly.FindNextOccurrenceInRange(0, item, true, true));
    // A whole-event row ends the enumeration it was made in.
    ASSERT_TRUE(weekly.FindFirstOccurrenceInRange(At(2024, 6, 10), 14, 0, item, true));
    EXPECT_EQ(item->GetStart(), At(2024, 6, 3, 9, 0));
    EXPECT_FALSE(weekly.FindNextOccurrenceInRange(0, item, true));

    // A series that ended before today shows its last occurrence; without reminders no moment.
    CEventItem ended = MakeSeries(At(2024, 5, 6, 9, 0), Hours(1),
                                  Recur::Weekly | Recur::Monday | Recur::HasEndDate, 1, 0, At(2024, 5, 22));
    ASSERT_TRUE(ended.SelectOccurrence(CDateTime(), 0, item, true));
    dated = dynamic_cast<CDatedDisplayItem *>(item.get());
    ASSERT_NE(dated, nullptr);
    EXPECT_EQ(dated->GetNextDate(), At(2024, 5, 20, 9, 0));
    EXPECT_FALSE(dated->HasFlag(CDisplayItem::FlagReminderTime));

    // A single event's next date is its start.
    CEventItem once = Event(At(2024, 7, 1, 10, 0), Hours(1));
    ASSERT_TRUE(once.SelectOccurrence(CDateTime(), 0, item, true));
    EXPECT_EQ(static_cast<CDatedDisplayItem &>(*item).GetNextDate(), At(2024, 7, 1, 10, 0));
}

TEST(EventDisplayItem, PatternItemsCarryTheRecurrenceText)
{
    BuildLocaleFormats(LocaleDateData());
    CEventItem daily = MakeSeries(At(2024, 6, 3, 9, 0), Hours(1), Recur::Daily | Recur::ByDate, 2);
    std::unique_ptr<CDisplayItem> item;
    ASSERT_TRUE(daily.FindFirstOccurrenceInRange(At(2024, 6, 3), 1, 0, item, false, true));
    const auto *pattern = dynamic_cast<const CPatternDisplayItem *>(item.get());
    ASSERT_NE(pattern, nullptr);
    EXPECT_FALSE(pattern->GetRecurrenceText().isEmpty());
    EXPECT_EQ(pattern->GetRecurrenceText(), daily.GetRecurrenceText());

    CEventItem once = Event(At(2024, 7, 1, 10, 0), Hours(1));
    ASSERT_TRUE(once.SelectOccurrence(CDateTime(), 0, item, false, true));
    EXPECT_TRUE(static_cast<const CPatternDisplayItem &>(*item).GetRecurrenceText().isEmpty());
}

TEST(EventDisplayItem, WindowWithoutOccurrencesGivesNoItem)
{
    CEventItem once = Event(At(2024, 7, 1, 10, 0), Hours(1));
    std::unique_ptr<CDisplayItem> item;
    EXPECT_FALSE(once.FindFirstOccurrenceInRange(At(2024, 7, 2), 5, 0, item));
    EXPECT_EQ(item, nullptr);
    EXPECT_FALSE(once.FindFirstOccurrenceInRange(At(2024, 7, 1), 0, 0, item));
    EXPECT_TRUE(once.FindFirstOccurrenceBetween(At(2024, 7, 1, 10, 30), At(2024, 7, 1, 10, 45), 0, item));
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(once.FindNextOccurrenceInRange(0, item));
}

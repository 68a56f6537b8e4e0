// Helpers for the summary tests: texts of every length class, and the comparisons of a
// compact summary with an item and of two items.
#pragma once

#include "core/items/EventItem.h"
#include "core/items/ItemRecord.h"
#include "core/items/ItemSummary.h"
#include "core/items/TaskItem.h"

#include <QString>
#include <gtest/gtest.h>
#include <type_traits>
#include <vector>

namespace summary_test {

// Texts of every length class: none, non-ASCII of several widths, and the longest the setters
// allow (ASCII and three-byte characters).
struct Texts
{
    const char *name;
    QString subject;
    QString notes;
};

inline std::vector<Texts> TextCases()
{
    return {
        {"empty", QString(), QString()},
        {"non-ASCII", QStringLiteral("Größe ☂ 会议 🎉 café"), QStringLiteral("Zürich\r\nΑθήνα\t€")},
        {"longest ASCII", QString(CCalendarItem::MaxSubject, QLatin1Char('s')),
         QString(8000, QLatin1Char('n'))},
        {"longest three-byte", QString(CCalendarItem::MaxSubject, QChar(0x20AC)),
         QString(3000, QChar(0x4F1A))},
    };
}

// The fields of a summary against the item a summary read gave.
inline void ExpectSummaryOf(const CItemSummary &s, const CCalendarItem &item)
{
    EXPECT_EQ(s.GetKind(), item.GetKind());
    EXPECT_EQ(s.GetRecordId(), item.GetRecordId());
    EXPECT_EQ(s.GetFlags(), item.GetFlags());
    EXPECT_EQ(s.IsRecurring(), item.IsRecurring());
    EXPECT_EQ(s.GetReservedValue(), item.GetReservedValue());
    EXPECT_EQ(s.GetDataFileStamp(), item.GetDataFileStamp());
    EXPECT_EQ(s.GetKeepMark(), item.GetKeepMark());
    EXPECT_EQ(s.GetRecurrenceFlags(), item.GetRecurrenceFlags());
    EXPECT_EQ(s.GetRecurrenceInterval(), item.GetRecurrenceInterval());
    EXPECT_EQ(s.GetRecurrenceDayNumber(), item.GetRecurrenceDayNumber());
    EXPECT_EQ(s.GetPatternStart(), item.GetPatternStart());
    EXPECT_EQ(s.GetPatternEnd(), item.GetPatternEnd());
    EXPECT_EQ(s.GetSnoozeInterval(), item.GetSnoozeInterval());
    EXPECT_EQ(s.GetSnoozedUntil(), item.GetSnoozedUntil());
    EXPECT_EQ(s.GetSnoozedOccurrence(), item.GetSnoozedOccurrence());
    EXPECT_EQ(s.GetHandledUpTo(), item.GetHandledUpTo());
    if (const auto *e = dynamic_cast<const CEventItem *>(&item)) {
        EXPECT_EQ(s.GetStart(), e->GetStart());
        EXPECT_EQ(s.GetDuration(), e->GetDuration());
        EXPECT_EQ(s.GetReminderLead(), e->GetReminderLead());
        EXPECT_EQ(s.GetDueDate(), CDateTime());
    } else if (const auto *t = dynamic_cast<const CTaskItem *>(&item)) {
        EXPECT_EQ(s.GetDueDate(), t->GetDueDate());
        EXPECT_EQ(s.GetStartDate(), t->GetStartDate());
        EXPECT_EQ(s.GetCompletedDate(), t->GetCompletedDate());
        EXPECT_EQ(s.GetReminderTime(), t->GetReminderTime());
        EXPECT_EQ(s.GetStatus(), t->GetStatus());
        EXPECT_EQ(s.GetStart(), CDateTime());
        EXPECT_EQ(s.GetExceptionCount(), 0u);
    }
}

// Two items alike in everything a record stores and in what the loads set besides (record id,
// item type index, the dates' statuses, which the record bytes do not show).
template <class Item> void ExpectSameItem(const Item &a, const Item &b)
{
    EXPECT_EQ(ItemRecord::RecordBytes(a), ItemRecord::RecordBytes(b));
    EXPECT_EQ(a.GetKind(), b.GetKind());
    EXPECT_EQ(a.GetRecordId(), b.GetRecordId());
    EXPECT_EQ(a.GetItemTypeIndex(), b.GetItemTypeIndex());
    EXPECT_EQ(a.GetPattern(), b.GetPattern());
    EXPECT_EQ(a.GetReminderLead(), b.GetReminderLead());
    EXPECT_EQ(a.GetSnoozeInterval(), b.GetSnoozeInterval());
    EXPECT_EQ(a.GetSnoozedUntil(), b.GetSnoozedUntil());
    EXPECT_EQ(a.GetSnoozedOccurrence(), b.GetSnoozedOccurrence());
    EXPECT_EQ(a.GetHandledUpTo(), b.GetHandledUpTo());
    EXPECT_EQ(a.GetCreatedTime(), b.GetCreatedTime());
    EXPECT_EQ(a.GetModified(), b.GetModified());
    if constexpr (std::is_same_v<Item, CEventItem>) {
        EXPECT_EQ(a.GetStart(), b.GetStart());
        EXPECT_EQ(a.GetDuration(), b.GetDuration());
        EXPECT_EQ(a.GetExceptionCount(), b.GetExceptionCount());
    } else {
        EXPECT_EQ(a.GetDueDate(), b.GetDueDate());
        EXPECT_EQ(a.GetStartDate(), b.GetStartDate());
        EXPECT_EQ(a.GetCompletedDate(), b.GetCompletedDate());
        EXPECT_EQ(a.GetReminderTime(), b.GetReminderTime());
    }
}

} // namespace summary_test

// Event item: exceptions and their upkeep, copying and conversion from a task, item types,
// subject prefixes and age.
#include "core/items/ItemTestUtil.h"

#include "core/lists/ItemTypeCatalog.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
class FakeTask : public CCalendarItem
{
  public:
    FakeTask() { SetKind(KindTask); }
    CDateTime startDate, dueDate;
    bool GetTaskDates(CDateTime &s, CDateTime &d) const override
    {
        s = startDate;
        d = dueDate;
        return true;
    }
};

class EventItemTest : public ::testing::Test
{
  protected:
    EventItemTest()
    {
        types.types = {{QStringLiteral("Appointment"), Minutes(15), 0x68},
                       {QStringLiteral("Birthday"), Days(1), 0x04},
                       {QStringLiteral("Meeting"), Minutes(30), 0}};
        SetItemTypeCatalog(&types);
    }
    ~EventItemTest() override { SetItemTypeCatalog(nullptr); }
    FakeItemTypes types;
    FixedClock clock{At(2024, 6, 20, 8, 15)};
};
} // namespace

TEST_F(EventItemTest, InsertAndFindExceptions)
{
    CEventItem e = MakeSeries(At(2024, 6, 3, 9, 0), Hours(1), 0x1100, 1);
    e.SetReminder(true, Minutes(10));
    CRecurrenceException tmpl;
    tmpl.SetSubject(true, QStringLiteral("moved"));
    const int i = e.InsertException(At(2024, 6, 5, 9, 0), tmpl);
    ASSERT_EQ(i, 0);
    const CRecurrenceException &x = *e.GetExceptionAt(i);
    EXPECT_EQ(x.keyDate, At(2024, 6, 5, 9, 0));
    EXPECT_EQ(x.newStart, At(2024, 6, 5, 9, 0));
    EXPECT_EQ(x.duration, Hours(1));
    EXPECT_TRUE(x.HasOwnReminder());
    EXPECT_EQ(x.reminderLead, Minutes(10));
    EXPECT_EQ(x.modified, At(2024, 6, 20, 8, 15));
    EXPECT_EQ(x.subject, QStringLiteral("moved"));
    EXPECT_EQ(x.overrideFlags, CRecurrenceException::OverrideSubject);

    // GetException with create never makes a second exception for the same key.
    EXPECT_EQ(e.GetException(At(2024, 6, 5, 9, 0), true), e.GetExceptionAt(0));
    EXPECT_EQ(e.GetExceptionCount(), 1);
    EXPECT_EQ(e.GetException(At(2024, 6, 6, 9, 0), false), nullptr);
    ASSERT_NE(e.GetException(At(2024, 6, 6, 9, 0), true), nullptr);
    EXPECT_EQ(e.GetExceptionCount(), 2);
    EXPECT_EQ(e.FindExceptionIndex(At(2024, 6, 6, 9, 0)), 1);
    // Keys match exactly: a second off is another date.
    EXPECT_EQ(e.FindExceptionIndex(At(2024, 6, 6, 9, 0, 1)), -1);

    e.RemoveException(At(2024, 6, 5, 9, 0));
    EXPECT_EQ(e.GetExceptionCount(), 1);
    EXPECT_EQ(e.GetExceptionAt(0)->keyDate, At(2024, 6, 6, 9, 0));
    e.RemoveException(At(2030, 1, 1));
    EXPECT_EQ(e.GetExceptionCount(), 1);
    EXPECT_EQ(e.GetExceptionAt(5), nullptr);
}

TEST_F(EventItemTest, ExceptionTextSetters)
{
    CRecurrenceException x;
    x.SetSubject(true, QString(300, QLatin1Char('s')));
    x.SetLocation(true, QString(300, QLatin1Char('l')));
    x.SetNotes(true, QStringLiteral("n"));
    EXPECT_EQ(x.subject.size(), 255);
    EXPECT_EQ(x.location.size(), 250);
    EXPECT_EQ(x.overrideFlags, 0xE0u);
    x.SetSubject(false, QStringLiteral("ignored"));
    x.SetNotes(false, QString());
    EXPECT_TRUE(x.subject.isEmpty());
    EXPECT_EQ(x.overrideFlags, CRecurrenceException::OverrideLocation);
    x.SetReminder(false, Minutes(5));
    EXPECT_FALSE(x.HasOwnReminder());
    EXPECT_EQ(x.reminderLead, Minutes(5));
}

TEST_F(EventItemTest, SnoozeClearedOnlyForItsOccurrence)
{
    CEventItem e = MakeSeries(At(2024, 6, 3, 9, 0), Hours(1), 0x1100, 1);
    e.SetReminder(true, Minutes(10));
    e.SetSnooze(At(2024, 6, 4, 9, 0), At(2024, 6, 4, 9, 0), Minutes(5), At(2024, 6, 4, 8, 50));
    e.InsertException(At(2024, 6, 5, 9, 0));
    EXPECT_TRUE(e.HasFlag(CCalendarItem::FlagSnoozed));
    e.InsertException(At(2024, 6, 4, 9, 0));
    EXPECT_FALSE(e.HasFlag(CCalendarItem::FlagSnoozed));
}

TEST_F(EventItemTest, ChangingThePatternDropsExceptions)
{
    CEventItem e = MakeSeries(At(2024, 6, 3, 9, 0), Hours(1), 0x1100, 1);
    e.InsertException(At(2024, 6, 4, 9, 0));
    e.InsertException(At(2024, 6, 5, 9, 0));
    e.SetRecurrence(0x1100, 2, 0, At(2024, 6, 3, 9, 0), CDateTime());
    EXPECT_EQ(e.GetExceptionCount(), 0);
    e.InsertException(At(2024, 6, 5, 9, 0));
    e.RemoveRecurrence();
    EXPECT_EQ(e.GetExceptionCount(), 0);
    // A single event has no exceptions to find.
    e.AppendStoredException(CRecurrenceException());
    EXPECT_EQ(e.FindExceptionIndex(CDateTime()), -1);
}

TEST_F(EventItemTest, DuplicateKeepsContentButNotIdentity)
{
    CEventItem e = MakeSeries(At(2024, 6, 3, 9, 0), Hours(1), 0x1100, 1);
    e.SetRecordId(42);
    e.SetDataFileStamp(7);
    e.SetUniqueId(QStringLiteral("ABC"));
    e.SetKeepMark(3);
    e.SetReservedValue(99);
    e.SetSubject(QStringLiteral("Standup"));
    e.SetLocation(QStringLiteral("Room 4"));
    CRecurrenceException tmpl;
    tmpl.SetNotes(true, QStringLiteral("bring slides"));
    e.InsertException(At(2024, 6, 4, 9, 0), tmpl);

    CEventItem copy;
    copy.CopyFromItem(e);
    EXPECT_EQ(copy.GetRecordId(), 0u);
    EXPECT_EQ(copy.GetDataFileStamp(), 0u);
    EXPECT_TRUE(copy.GetUniqueId().isEmpty());
    EXPECT_EQ(copy.GetKeepMark(), 0u);
    EXPECT_EQ(copy.GetReservedValue(), 99u);
    EXPECT_EQ(copy.GetSubject(), QStringLiteral("Standup"));
    EXPECT_EQ(copy.GetLocation(), QStringLiteral("Room 4"));
    EXPECT_EQ(copy.GetPattern(), e.GetPattern());
    ASSERT_EQ(copy.GetExceptionCount(), 1);
    EXPECT_EQ(copy.GetExceptionAt(0)->notes, QStringLiteral("bring slides"));

    // A plain copy keeps the identity too.
    const CEventItem same(e);
    EXPECT_EQ(same.GetRecordId(), 42u);
    EXPECT_EQ(same.GetUniqueId(), QStringLiteral("ABC"));
}

TEST_F(EventItemTest, EventFromTask)
{
    struct Case
    {
        const char *what;
        std::uint32_t flags;
        CDateTime start, due;
        CDateTime expectedStart;
        CDateSpan expectedDuration;
    } cases[] = {
        {"start and due", 0x300, At(2009, 3, 2, 10, 0), At(2009, 3, 4, 18, 0), At(2009, 3, 2), Days(3)},
        {"due only", 0x100, At(2009, 3, 2), At(2009, 3, 4, 18, 0), At(2009, 3, 4), Days(1)},
        {"no due date", 0x200, At(2009, 3, 2), CDateTime(), At(2024, 6, 20), Days(1)},
        {"start after due", 0x300, At(2009, 3, 6), At(2009, 3, 4), At(2009, 3, 6), Days(1)},
    };
    for (const Case &c : cases) {
        FakeTask task;
        task.SetFlags(c.flags | CCalendarItem::FlagLocked);
        task.startDate = c.start;
        task.dueDate = c.due;
        task.SetSubject(QStringLiteral("File taxes"));
        task.SetNotes(QStringLiteral("forms"));
        task.SetCategories(QStringLiteral("Home"));
        task.SetItemTypeName(QStringLiteral("Birthday"));
        task.SetItemTypeIndex(1);
        task.SetRecurrence(0x1100, 1, 0, At(2009, 1, 1), CDateTime());
        CEventItem e;
        e.CopyFromItem(task);
        EXPECT_EQ(e.GetStart(), c.expectedStart) << c.what;
        EXPECT_EQ(e.GetDuration(), c.expectedDuration) << c.what;
        EXPECT_FALSE(e.IsRecurring()) << c.what;
        EXPECT_EQ(e.GetSubject(), QStringLiteral("File taxes"));
        EXPECT_EQ(e.GetNotes(), QStringLiteral("forms"));
        EXPECT_EQ(e.GetCategories(), QStringLiteral("Home"));
        EXPECT_EQ(e.GetItemTypeIndex(), 1);
        EXPECT_EQ(e.GetReminderLead(), Days(1)); // from the type
        EXPECT_TRUE(e.HasFlag(CCalendarItem::FlagNoWindowAfterTime));
        EXPECT_TRUE(e.HasFlag(CCalendarItem::FlagLocked));
    }
}

TEST_F(EventItemTest, SetItemType)
{
    CEventItem e;
    e.SetFlag(CCalendarItem::FlagNoWindowAfterTime, true);
    e.SetItemType(2);
    EXPECT_EQ(e.GetItemTypeIndex(), 2);
    EXPECT_EQ(e.GetItemTypeName(), QStringLiteral("Meeting"));
    EXPECT_EQ(e.GetReminderLead(), Minutes(30));
    EXPECT_FALSE(e.HasFlag(CCalendarItem::FlagNoWindowAfterTime));
    e.SetItemType(7);
    EXPECT_EQ(e.GetItemTypeIndex(), 2);
    types.types.clear();
    e.SetItemType(0);
    EXPECT_EQ(e.GetItemTypeIndex(), -1);
}

TEST_F(EventItemTest, SubjectPrefix)
{
    struct Case
    {
        const char *text;
        CCalendarItem::PrefixResult result;
        const char *after;
        int typeIndex;
    } cases[] = {
        {"MEE:  budget review", CCalendarItem::PrefixResult::Applied, "budget review", 2},
        {"bir:Ann", CCalendarItem::PrefixResult::Applied, "Ann", 1},
        {"XYZ: nothing", CCalendarItem::PrefixResult::UnknownPrefix, "XYZ: nothing", -1},
        {"Meeting: at 3", CCalendarItem::PrefixResult::NoPrefix, "Meeting: at 3", -1},
        {"no colon", CCalendarItem::PrefixResult::NoPrefix, "no colon", -1},
    };
    for (const Case &c : cases) {
        CEventItem e;
        QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(e.ApplyItemTypePrefix(types, text), c.result) << c.text;
        EXPECT_EQ(text, QString::fromUtf8(c.after));
        EXPECT_EQ(e.GetItemTypeIndex(), c.typeIndex);
    }
}

TEST_F(EventItemTest, AgeAt)
{
    CEventItem e = MakeSeries(At(1980, 5, 20), Days(1), 0x1800, 1);
    EXPECT_EQ(e.GetAgeAt(At(2024, 5, 20)), -1);
    e.SetFlag(CCalendarItem::FlagCalculateAge, true);
    EXPECT_EQ(e.GetAgeAt(At(2024, 5, 19)), 43);
    EXPECT_EQ(e.GetAgeAt(At(2024, 5, 20)), 44);
    EXPECT_EQ(e.GetAgeAt(At(1970, 1, 1)), 0);
}

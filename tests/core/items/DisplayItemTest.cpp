// Display items: display order, state bits, item-box texts, captions and tips (private entries,
// continued pieces, long notes), copies of the derived kinds, and drag items.
#include "core/items/ItemTestUtil.h"

#include "core/system/AppSettings.h"
#include "core/dates/DateFormats.h"
#include "core/items/DatedDisplayItem.h"
#include "core/items/DisplayItem.h"
#include "core/items/DragItem.h"
#include "core/items/PatternDisplayItem.h"
#include "core/items/TaskDisplayItem.h"

#include <functional>
#include <gtest/gtest.h>

namespace {
using Edit = std::function<void(CDisplayItem &)>;

// English texts on a 12-hour clock, and the age written with "years".
class DisplayTexts : public testing::Test
{
  protected:
    void SetUp() override
    {
        BuildLocaleFormats(LocaleDateData());
        m_years = ProgramSettings().timeRangeTexts;
        ProgramSettings().timeRangeTexts = 1;
    }
    void TearDown() override { ProgramSettings().timeRangeTexts = m_years; }

  private:
    int m_years = 1;
};

// "Lunch" at the cafe, 09:00-10:00 on Monday 3 June 2024, a Meeting in two categories.
CDisplayItem Lunch()
{
    CDisplayItem e(CDisplayItem::KindEvent, 3, QStringLiteral("Meeting"), At(2024, 6, 3, 9, 0), Hours(1));
    e.SetSubject(QStringLiteral("Lunch"));
    e.SetLocation(QStringLiteral("Cafe"));
    e.SetCategories(QStringLiteral("Home, Work"));
    e.SetFlags(e.GetFlags() | CDisplayItem::FlagOwnItem);
    return e;
}

void Span(CDisplayItem &e, const CDateTime &start, const CDateSpan &duration)
{
    e.SetStart(start);
    e.SetEnd(start + duration);
    e.SetFlag(CDisplayItem::FlagAllDay, duration >= Days(1));
}
} // namespace

TEST(DisplayItemOrder, EachRuleDecidesBeforeTheNext)
{
    // In each row the first entry precedes the second on the named rule although every later
    // rule would put it second.
    const struct
    {
        const char *rule;
        Edit first, second;
    } cases[] = {
        {"ghosts last", [](CDisplayItem &e) { e.SetCells(5, 5); },
         [](CDisplayItem &e) { e.SetState(CDisplayItem::StateDragged); }},
        {"smaller first cell",
         [](CDisplayItem &e) {
             e.SetCells(0, 0);
             e.SetItemRef(9);
         },
         [](CDisplayItem &e) {
             e.SetCells(1, 1);
             Span(e, At(2024, 6, 3), Days(1));
         }},
        {"all-day first", [](CDisplayItem &e) { Span(e, At(2024, 6, 3, 12, 0), Days(1)); },
         [](CDisplayItem &e) { Span(e, At(2024, 6, 3), Hours(1)); }},
        {"earlier start",
         [](CDisplayItem &e) {
             Span(e, At(2024, 6, 3, 9, 0), Hours(1));
             e.SetSubject(QStringLiteral("Zed"));
         },
         [](CDisplayItem &e) { Span(e, At(2024, 6, 3, 10, 0), Hours(3)); }},
        {"start status before value", [](CDisplayItem &e) { e.SetStart(At(2030, 1, 1)); },
         [](CDisplayItem &e) { e.SetStart(CDateTime::Null()); }},
        {"later end first",
         [](CDisplayItem &e) {
             e.SetEnd(At(2024, 6, 3, 11, 0));
             e.SetSubject(QStringLiteral("Zed"));
         },
         [](CDisplayItem &e) { e.SetEnd(At(2024, 6, 3, 10, 0)); }},
        {"subject",
         [](CDisplayItem &e) {
             e.SetSubject(QStringLiteral("Apple"));
             e.SetItemTypeIndex(7);
         },
         [](CDisplayItem &e) { e.SetSubject(QStringLiteral("banana")); }},
        {"smaller type index", [](CDisplayItem &e) { e.SetItemTypeIndex(1); },
         [](CDisplayItem &e) {
             e.SetItemTypeIndex(2);
             e.SetFlag(CDisplayItem::FlagRecurring, true);
         }},
        {"recurring first",
         [](CDisplayItem &e) {
             e.SetFlag(CDisplayItem::FlagRecurring, true);
             e.SetItemRef(9);
         },
         [](CDisplayItem &e) { e.SetItemRef(1); }},
        {"unchanged occurrence first", [](CDisplayItem &e) { e.SetItemRef(9); },
         [](CDisplayItem &e) {
             e.SetFlag(CDisplayItem::FlagChanged, true);
             e.SetItemRef(1);
         }},
        {"smaller record id", [](CDisplayItem &e) { e.SetItemRef(1); },
         [](CDisplayItem &e) { e.SetItemRef(2); }},
    };
    for (const auto &c : cases) {
        CDisplayItem a = Lunch(), b = Lunch();
        a.SetCells(0, 0);
        b.SetCells(0, 0);
        c.first(a);
        c.second(b);
        EXPECT_TRUE(a.Precedes(b)) << c.rule;
        EXPECT_FALSE(b.Precedes(a)) << c.rule;
    }
}

TEST(DisplayItemOrder, TiesAndGhostsNeverPrecedeEachOther)
{
    CDisplayItem a = Lunch(), b = Lunch();
    EXPECT_FALSE(a.Precedes(b));
    EXPECT_FALSE(b.Precedes(a));
    a.SetState(CDisplayItem::StateDragged);
    b.SetState(CDisplayItem::StateDragged);
    a.SetCells(0, 0);
    b.SetCells(4, 4);
    EXPECT_FALSE(a.Precedes(b));
    EXPECT_FALSE(b.Precedes(a));
}

TEST(DisplayItemState, SetStateBits)
{
    const struct
    {
        std::uint32_t old, value, mask, state;
        bool changed;
    } cases[] = {
        {0x03, 0x00, 0x03, 0x00, true},  // selected cleared
        {0x01, 0x00, 0x03, 0x00, false}, // only the focus mark cleared
        {0x00, 0x00, 0x03, 0x00, false}, {0x10, 0x04, 0x04, 0x14, true},
        {0x06, 0x02, 0x00, 0x04, true},  // a value bit outside the mask clears that bit
        {0x12, 0x01, 0x01, 0x13, false}, // focus mark set, the rest kept
        {0x04, 0x03, 0x07, 0x03, true},
    };
    for (const auto &c : cases) {
        CDisplayItem e;
        e.SetState(c.old);
        EXPECT_EQ(e.SetStateBits(c.value, c.mask), c.changed)
            << std::hex << c.old << " " << c.value << " " << c.mask;
        EXPECT_EQ(e.GetState(), c.state) << std::hex << c.old << " " << c.value << " " << c.mask;
    }
}

TEST(DisplayItemIdentity, SameRecordAndOccurrenceValueAndStatus)
{
    CDisplayItem a = Lunch(), b = Lunch();
    a.SetItemRef(5);
    b.SetItemRef(5);
    a.SetOccurrenceDate(At(2024, 6, 3, 9, 0));
    b.SetOccurrenceDate(At(2024, 6, 3, 9, 0));
    EXPECT_TRUE(a.IsSame(b));
    CDateTime other = At(2024, 6, 3, 9, 0);
    other.SetStatus(CDateTime::invalid);
    b.SetOccurrenceDate(other);
    EXPECT_FALSE(a.IsSame(b));
    b.SetOccurrenceDate(At(2024, 6, 3, 9, 0));
    b.SetItemRef(6);
    EXPECT_FALSE(a.IsSame(b));
}

TEST_F(DisplayTexts, CaptionsTipsAndBoxTexts)
{
    const struct
    {
        const char *what;
        Edit edit;
        const char *line, *tip, *box; // the box with start, end, type and categories
    } cases[] = {
        {"timed", [](CDisplayItem &) {}, "[9:00am-10:00am] Lunch (Cafe)\n<Home, Work>",
         "Lunch (Cafe)\n9:00am-10:00am - [Meeting]\n<Home, Work>",
         "9:00am-10:00am Lunch (Cafe) [Meeting] <Home, Work>"},
        {"no length", [](CDisplayItem &e) { Span(e, At(2024, 6, 3, 9, 0), Hours(0)); },
         "[9:00am] Lunch (Cafe)\n<Home, Work>", "Lunch (Cafe)\n9:00am - [Meeting]\n<Home, Work>",
         "9:00am Lunch (Cafe) [Meeting] <Home, Work>"},
        {"one whole day", [](CDisplayItem &e) { Span(e, At(2024, 6, 3), Days(1)); },
         "[All Day] Lunch (Cafe)\n<Home, Work>", "Lunch (Cafe)\nAll Day - [Meeting]\n<Home, Work>",
         "Lunch (Cafe) [Meeting] <Home, Work>"},
        {"two whole days", [](CDisplayItem &e) { Span(e, At(2024, 6, 3), Days(2)); },
         "[All Day] Lunch (Cafe)\n<Home, Work>",
         "Lunch (Cafe)\nMon 6/3/2024 12:00 AM-Wed 6/5/2024 12:00 AM - [Meeting]\n<Home, Work>",
         "Lunch (Cafe) [Meeting] <Home, Work>"},
        {"a day at noon", [](CDisplayItem &e) { Span(e, At(2024, 6, 3, 12, 0), Days(1)); },
         "[All Day] Lunch (Cafe)\n<Home, Work>",
         "Lunch (Cafe)\nMon 6/3/2024 12:00 PM-Tue 6/4/2024 12:00 PM - [Meeting]\n<Home, Work>",
         "Lunch (Cafe) [Meeting] <Home, Work>"},
        {"whole days continued both ways",
         [](CDisplayItem &e) {
             Span(e, At(2024, 6, 1), Days(5));
             e.SetFlag(CDisplayItem::FlagBeginsBefore | CDisplayItem::FlagEndsAfter, true);
         },
         "[All Day] Lunch (Cafe)\n<Home, Work>",
         "Lunch (Cafe)\nSat 6/1/2024 12:00 AM-Thu 6/6/2024 12:00 AM - [Meeting]\n<Home, Work>",
         "Lunch (Cafe) [Meeting] <Home, Work>"},
        {"over midnight, second piece",
         [](CDisplayItem &e) {
             Span(e, At(2024, 6, 3, 22, 0), Hours(4));
             e.SetFlag(CDisplayItem::FlagBeginsBefore, true);
         },
         "[10:00pm-2:00am] Lunch (Cafe)\n<Home, Work>",
         "Lunch (Cafe)\n12:00am-2:00am - [Meeting]\n<Home, Work>",
         "10:00pm-2:00am Lunch (Cafe) [Meeting] <Home, Work>"},
        {"with age",
         [](CDisplayItem &e) {
             e.SetAge(30);
             e.SetCategories(QString());
         },
         "[9:00am-10:00am] Lunch (30 years) (Cafe)", "Lunch (30 years) (Cafe)\n9:00am-10:00am - [Meeting]",
         "9:00am-10:00am Lunch (30 years) (Cafe) [Meeting]"},
        {"age 0, untyped, no place",
         [](CDisplayItem &e) {
             e.SetAge(0);
             e.SetItemTypeName(QString());
             e.SetLocation(QString());
         },
         "[9:00am-10:00am] Lunch (0 years)\n<Home, Work>",
         "Lunch (0 years)\n9:00am-10:00am - [< undefined >]\n<Home, Work>",
         "9:00am-10:00am Lunch (0 years) [< undefined >] <Home, Work>"},
        {"private",
         [](CDisplayItem &e) {
             e.SetFlags(CDisplayItem::FlagPrivate);
             e.SetAge(12);
             e.SetNotes(QStringLiteral("secret"));
         },
         "[9:00am-10:00am] <private item>", "<private item>\n9:00am-10:00am - [< undefined >]",
         "9:00am-10:00am <private item>"},
        {"private flag with own-item flag is not private",
         [](CDisplayItem &e) { e.SetFlag(CDisplayItem::FlagPrivate, true); },
         "[9:00am-10:00am] Lunch (Cafe)\n<Home, Work>",
         "Lunch (Cafe)\n9:00am-10:00am - [Meeting]\n<Home, Work>",
         "9:00am-10:00am Lunch (Cafe) [Meeting] <Home, Work>"},
        {"task",
         [](CDisplayItem &e) {
             e.SetKind(CDisplayItem::KindTask);
             e.SetLocation(QString());
             Span(e, At(2024, 6, 3), Days(1));
         },
         "[Task] Lunch\n<Home, Work>", "Lunch\nTask - [Meeting]\n<Home, Work>",
         "Lunch [Meeting] <Home, Work>"},
        {"private task",
         [](CDisplayItem &e) {
             e.SetKind(CDisplayItem::KindTask);
             e.SetFlags(CDisplayItem::FlagPrivate);
         },
         "[Task] <private item>", "<private item>\nTask - [< undefined >]", "9:00am-10:00am <private item>"},
        {"percent signs stay", [](CDisplayItem &e) { e.SetSubject(QStringLiteral("50% %s off")); },
         "[9:00am-10:00am] 50% %s off (Cafe)\n<Home, Work>",
         "50% %s off (Cafe)\n9:00am-10:00am - [Meeting]\n<Home, Work>",
         "9:00am-10:00am 50% %s off (Cafe) [Meeting] <Home, Work>"},
    };
    for (const auto &c : cases) {
        CDisplayItem e = Lunch();
        c.edit(e);
        EXPECT_EQ(e.FormatCaption(false), QString::fromUtf8(c.line)) << c.what;
        EXPECT_EQ(e.FormatCaption(true), QString::fromUtf8(c.tip)) << c.what;
        EXPECT_EQ(e.GetTimeRangeText(true, true, true, true, false, false), QString::fromUtf8(c.box))
            << c.what;
    }
}

TEST_F(DisplayTexts, BoxTextOptions)
{
    CDisplayItem e = Lunch();
    e.SetAge(30);
    const struct
    {
        bool start, end, type, categories, before, after;
        const char *text;
    } cases[] = {
        {false, false, false, false, false, false, "Lunch (30 years) (Cafe)"},
        {false, true, true, false, false, false, "Lunch (30 years) (Cafe) [Meeting]"},
        {true, false, false, true, false, false, "9:00am Lunch (30 years) (Cafe) <Home, Work>"},
        {true, true, false, false, true, false, "12:00am-10:00am Lunch (30 years) (Cafe)"},
        {true, true, false, false, false, true, "9:00am-12:00am Lunch (30 years) (Cafe)"},
        {true, true, false, false, true, true, "12:00am-10:00am Lunch (30 years) (Cafe)"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(e.GetTimeRangeText(c.start, c.end, c.type, c.categories, c.before, c.after),
                  QString::fromUtf8(c.text))
            << c.start << c.end << c.type << c.categories << c.before << c.after;

    // The setting that leaves out the word.
    ProgramSettings().timeRangeTexts = 0;
    EXPECT_EQ(e.GetTimeRangeText(false, false, false, false, false, false),
              QStringLiteral("Lunch (30) (Cafe)"));
    EXPECT_EQ(e.FormatCaption(false),
              QStringLiteral("[9:00am-10:00am] Lunch (30 years) (Cafe)\n<Home, Work>"));
}

TEST_F(DisplayTexts, TipNotes)
{
    CDisplayItem e = Lunch();
    e.SetCategories(QString());
    e.SetNotes(QStringLiteral("a\tb"));
    EXPECT_EQ(e.FormatCaption(true), QStringLiteral("Lunch (Cafe)\n9:00am-10:00am - [Meeting]\na b"));
    EXPECT_EQ(e.FormatCaption(false), QStringLiteral("[9:00am-10:00am] Lunch (Cafe)"));

    const QString head = QStringLiteral("Lunch (Cafe)\n9:00am-10:00am - [Meeting]\n");
    e.SetNotes(QString(1024, QLatin1Char('x')));
    EXPECT_EQ(e.FormatCaption(true), head + QString(1024, QLatin1Char('x')));
    e.SetNotes(QString(1025, QLatin1Char('x')));
    EXPECT_EQ(e.FormatCaption(true), head + QString(1024, QLatin1Char('x')) + QStringLiteral("\r\n..."));
}

TEST(DisplayItemCopy, EverythingButTheRectangleAndEachKindsOwnMembers)
{
    CTaskDisplayItem task(2, QStringLiteral("Call"), At(2024, 6, 1), Days(3));
    task.SetRect(QRect(1, 2, 30, 40));
    task.SetItemRef(17);
    task.SetOccurrenceDate(At(2024, 6, 3));
    task.SetStamp(At(2024, 5, 1, 8, 0));
    task.SetNewStart(At(2024, 6, 9));
    task.SetState(CDisplayItem::StateSelected);
    task.SetCells(2, 4);
    task.SetNotes(QStringLiteral("notes"));
    task.SetStatus(3);
    task.SetPercentComplete(40);
    task.SetPriority(0);
    task.SetCompletedDate(At(2024, 6, 2));
    task.SetReminderTime(At(2024, 6, 3, 8, 0));

    const std::unique_ptr<CDisplayItem> copy = task.Clone();
    const auto *t = dynamic_cast<const CTaskDisplayItem *>(copy.get());
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->GetRect().isNull());
    EXPECT_EQ(t->GetKind(), CDisplayItem::KindTask);
    EXPECT_TRUE(t->HasFlag(CDisplayItem::FlagAllDay));
    EXPECT_TRUE(t->IsSame(task));
    EXPECT_EQ(t->GetStamp(), task.GetStamp());
    EXPECT_EQ(t->GetNewStart(), task.GetNewStart());
    EXPECT_EQ(t->GetState(), task.GetState());
    EXPECT_EQ(t->GetLastCell(), 4);
    EXPECT_EQ(t->GetNotes(), task.GetNotes());
    EXPECT_EQ(t->GetEnd(), task.GetEnd());
    EXPECT_EQ(t->GetStatus(), 3);
    EXPECT_EQ(t->GetPercentComplete(), 40);
    EXPECT_EQ(t->GetPriority(), 0);
    EXPECT_EQ(t->GetCompletedDate(), At(2024, 6, 2));
    EXPECT_EQ(t->GetReminderTime(), At(2024, 6, 3, 8, 0));

    CDatedDisplayItem dated;
    dated.SetNextDate(At(2025, 1, 1));
    dated.SetReminderTime(At(2024, 12, 31));
    const auto datedCopy = dated.Clone();
    ASSERT_NE(dynamic_cast<const CDatedDisplayItem *>(datedCopy.get()), nullptr);
    EXPECT_EQ(static_cast<const CDatedDisplayItem &>(*datedCopy).GetNextDate(), At(2025, 1, 1));
    EXPECT_EQ(static_cast<const CDatedDisplayItem &>(*datedCopy).GetReminderTime(), At(2024, 12, 31));

    CPatternDisplayItem pattern;
    pattern.SetRecurrenceText(QStringLiteral("Every day"));
    const auto patternCopy = pattern.Clone();
    ASSERT_NE(dynamic_cast<const CPatternDisplayItem *>(patternCopy.get()), nullptr);
    EXPECT_EQ(static_cast<const CPatternDisplayItem &>(*patternCopy).GetRecurrenceText(),
              QStringLiteral("Every day"));

    // Copying into a plain entry takes the base part only; the target keeps its rectangle.
    CDisplayItem plain;
    plain.SetRect(QRect(0, 0, 5, 5));
    plain.CopyFrom(task);
    EXPECT_EQ(plain.GetRect(), QRect(0, 0, 5, 5));
    EXPECT_EQ(plain.GetItemRef(), 17u);
}

TEST_F(DisplayTexts, DragItems)
{
    const FixedClock clock(At(2024, 6, 12, 15, 30));
    const std::uint32_t shown =
        CDisplayItem::FlagRecurring | CDisplayItem::FlagChanged | CDisplayItem::FlagReminder |
        CDisplayItem::FlagCompleted | CDisplayItem::FlagNotes | CDisplayItem::FlagLocked |
        CDisplayItem::FlagOwnItem | CDisplayItem::FlagKeepMark | CDisplayItem::FlagAllDay;
    const std::uint32_t dragged = CDragItem::FlagOneOccurrence | CDragItem::FlagChanged |
                                  CDragItem::FlagReminder | CDragItem::FlagCompleted | CDragItem::FlagNotes |
                                  CDragItem::FlagLocked;
    const struct
    {
        const char *what;
        int kind;
        std::uint32_t dates; // the task's due and start flags
        CDateTime start;
        CDateSpan duration;
    } cases[] = {
        {"event", CDisplayItem::KindEvent, 0, At(2024, 6, 3, 9, 0), Hours(1)},
        {"task with start and due", CDisplayItem::KindTask,
         CDisplayItem::FlagHasDue | CDisplayItem::FlagHasStart, At(2024, 6, 1), Days(3)},
        {"task with a due date", CDisplayItem::KindTask, CDisplayItem::FlagHasDue, At(2024, 6, 3), Days(1)},
        {"task without a due date", CDisplayItem::KindTask, 0, At(2024, 6, 12), Days(1)},
    };
    for (const auto &c : cases) {
        CDisplayItem e = Lunch();
        e.SetKind(c.kind);
        Span(e, At(2024, 6, 1), Days(3)); // a task entry spans its start to the day after its due date
        if (c.kind == CDisplayItem::KindEvent)
            Span(e, At(2024, 6, 3, 9, 0), Hours(1));
        e.SetFlags(shown | c.dates);
        e.SetAge(4);
        e.SetItemRef(8);
        e.SetItemTypeIndex(6);
        e.SetOccurrenceDate(At(2024, 6, 3, 9, 0));
        e.SetNewStart(At(2024, 6, 4, 9, 0));
        const CDragItem d(e);
        EXPECT_EQ(d.kind, c.kind) << c.what;
        EXPECT_EQ(d.recordId, 8u) << c.what;
        EXPECT_EQ(d.occurrenceDate, At(2024, 6, 3, 9, 0)) << c.what;
        EXPECT_EQ(d.movedStart, At(2024, 6, 4, 9, 0)) << c.what;
        EXPECT_EQ(d.flags, dragged) << c.what;
        EXPECT_EQ(d.reserved, 0) << c.what;
        EXPECT_EQ(d.start, c.start) << c.what;
        EXPECT_NEAR(d.duration.GetTotalSeconds(), c.duration.GetTotalSeconds(), 0.01) << c.what;
        EXPECT_EQ(d.itemTypeIndex, 6) << c.what;
        EXPECT_EQ(d.text, QStringLiteral("Lunch (4 years) (Cafe)")) << c.what;
    }
}

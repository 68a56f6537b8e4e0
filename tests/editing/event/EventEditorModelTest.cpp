// The event editor's model: what a series, a single event and an occurrence show and allow, the
// title, the time and all-day synchronisation and the type prefix of the subject.
#include "editing/event/EventEditorModel.h"

#include "core/dates/DurationText.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/ItemTestUtil.h"
#include "core/items/RecurrenceBits.h"
#include "core/lists/ItemTypeCatalog.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<CItemRef> Holder(const CEventItem &event, std::uint32_t holderId)
{
    auto holder = std::make_unique<CItemRef>(1);
    *holder->GetEvent() = event;
    holder->SetRecordId(holderId);
    return holder;
}

CEventItem Single(const CDateTime &start, const CDateSpan &duration)
{
    CEventItem e;
    e.SetStart(start);
    e.SetDuration(duration);
    e.SetItemTypeName(QStringLiteral("Meeting"));
    return e;
}

CEventEditorModel Open(const CEventItem &event, std::uint32_t holderId,
                       const CDateTime &occurrence = CDateTime())
{
    auto holder = Holder(event, holderId);
    holder->SetOccurrenceDate(occurrence);
    CEventEditorModel model(std::move(holder), false, false, EventEditorSettings());
    EXPECT_TRUE(model.Load());
    return model;
}

TEST(EventEditorModelTest, TitlesForNewStoredSeriesAndOccurrence)
{
    CEventItem single = Single(At(2024, 5, 3, 9, 0), Hours(1));
    single.SetRecordId(0);
    EXPECT_EQ(Open(single, 0).GetTitle(), QStringLiteral("New Meeting"));
    single.SetRecordId(4);
    EXPECT_EQ(Open(single, 4).GetTitle(), QStringLiteral("Modify Meeting"));

    CEventItem series =
        MakeSeries(At(2024, 5, 6, 9, 0), Hours(1), Recur::ByDate | Recur::Weekly | Recur::Monday, 1);
    series.SetItemTypeName(QStringLiteral("Meeting"));
    EXPECT_EQ(Open(series, 0).GetTitle(), QStringLiteral("New Recurring Meeting"));
    series.SetRecordId(8);
    EXPECT_EQ(Open(series, 8).GetTitle(), QStringLiteral("Modify Recurring Meeting"));

    // An occurrence: the opener cleared the event's record id and made its exception.
    series.SetRecordId(0);
    series.InsertException(At(2024, 5, 13, 9, 0));
    CEventEditorModel occurrence = Open(series, 8, At(2024, 5, 13, 9, 0));
    EXPECT_EQ(occurrence.GetTitle(), QStringLiteral("Modify an occurrence of the recurring Meeting"));

    single.SetItemTypeName(QString());
    EXPECT_EQ(Open(single, 4).GetTitle(), QStringLiteral("Modify < undefined >"));
}

TEST(EventEditorModelTest, SeriesShowsItsPatternAndOccurrenceLocksSeriesFields)
{
    CEventItem series =
        MakeSeries(At(2024, 5, 6, 9, 0), Hours(1), Recur::ByDate | Recur::Weekly | Recur::Monday, 1);
    series.SetRecordId(8);
    CEventEditorModel whole = Open(series, 8);
    EXPECT_TRUE(whole.ShowsPatternText());
    EXPECT_EQ(whole.GetTimeHeading(), QStringLiteral("Recurrence"));
    EXPECT_FALSE(whole.GetPatternText().isEmpty());
    EXPECT_TRUE(whole.CanEditRecurrence());

    series.SetRecordId(0);
    series.InsertException(At(2024, 5, 13, 9, 0));
    CEventEditorModel one = Open(series, 8, At(2024, 5, 13, 9, 0));
    EXPECT_TRUE(one.IsOccurrence());
    EXPECT_FALSE(one.ShowsPatternText());
    EXPECT_EQ(one.GetTimeHeading(), QStringLiteral("Time"));
    EXPECT_FALSE(one.CanEditRecurrence());
    EXPECT_FALSE(one.CanChooseType());
    EXPECT_FALSE(one.CanEditReminder());
    const EventToolbarState bar = one.GetToolbarState();
    EXPECT_FALSE(bar.hiddenEnabled);
    EXPECT_FALSE(bar.lockedEnabled);
    EXPECT_TRUE(bar.deleteEnabled);
    EXPECT_EQ(one.GetForm().startDate, At(2024, 5, 13));
}

TEST(EventEditorModelTest, OccurrenceWithoutItsExceptionDoesNotOpen)
{
    CEventItem series =
        MakeSeries(At(2024, 5, 6, 9, 0), Hours(1), Recur::ByDate | Recur::Weekly | Recur::Monday, 1);
    auto holder = Holder(series, 8);
    holder->SetOccurrenceDate(At(2024, 5, 13, 9, 0));
    CEventEditorModel model(std::move(holder), false, false, EventEditorSettings());
    EXPECT_FALSE(model.Load());
}

TEST(EventEditorModelTest, TimeSynchronisation)
{
    CEventEditorModel m = Open(Single(At(2024, 5, 3, 9, 0), Hours(1)), 4);
    EXPECT_FALSE(m.GetForm().allDay);

    // Start moved: the end follows with the duration kept.
    m.SetStartTime(At(1899, 12, 30, 10, 30));
    EXPECT_EQ(m.GetFormEnd(), At(2024, 5, 3, 11, 30));
    m.SetStartDate(At(2024, 5, 4));
    EXPECT_EQ(m.GetFormEnd(), At(2024, 5, 4, 11, 30));

    // End moved later: a new duration; before the start: the duration stays.
    m.SetEndTime(At(1899, 12, 30, 12, 30));
    EXPECT_EQ(m.GetForm().duration, Hours(2));
    m.SetEndDate(At(2024, 5, 1));
    EXPECT_EQ(m.GetForm().duration, Hours(2));

    // Duration typed: the end follows.
    m.SetEndDate(At(2024, 5, 4));
    ASSERT_TRUE(m.SetDurationText(QStringLiteral("45")));
    EXPECT_EQ(m.GetFormEnd(), At(2024, 5, 4, 11, 15));
    EXPECT_TRUE(m.IsModifiedFlag());
}

TEST(EventEditorModelTest, AllDaySwitchAndWholeDayDurations)
{
    CEventEditorModel m = Open(Single(At(2024, 5, 3, 9, 0), Hours(1)), 4);
    m.SetEndDate(At(2024, 5, 5));
    m.SetAllDay(true);
    EXPECT_EQ(m.GetFormStart(), At(2024, 5, 3));
    EXPECT_EQ(m.GetForm().duration, Days(3));
    EXPECT_EQ(m.GetForm().endDate, At(2024, 5, 5)) << "the last day shows, not the day after";
    EXPECT_FALSE(m.AreTimeFieldsEnabled());

    m.SetDuration(Days(2));
    EXPECT_TRUE(m.GetForm().allDay);
    EXPECT_EQ(m.GetForm().endDate, At(2024, 5, 4));
    m.SetDuration(Hours(30));
    EXPECT_FALSE(m.GetForm().allDay) << "a duration that is not whole days ends all-day";
    EXPECT_TRUE(m.AreTimeFieldsEnabled());

    // Off again: the work-day start and the default duration.
    m.SetAllDay(true);
    m.SetAllDay(false);
    EXPECT_EQ(m.GetFormStart(), At(2024, 5, 3, 8, 0));
    EXPECT_EQ(m.GetForm().duration, Minutes(30));
}

TEST(EventEditorModelTest, MidnightToMidnightOpensAsAllDay)
{
    CEventEditorModel m = Open(Single(At(2024, 5, 3), Days(3)), 4);
    EXPECT_TRUE(m.GetForm().allDay);
    EXPECT_EQ(m.GetForm().endDate, At(2024, 5, 5));
}

TEST(EventEditorModelTest, TypePrefixPicksTheFirstMatchingTypeAndKeepsTheText)
{
    FakeItemTypes types;
    types.types = {{QStringLiteral("Birthday"), Minutes(15), 0},
                   {QStringLiteral("MEETING"), Minutes(10), 0},
                   {QStringLiteral("Meeting room"), Minutes(5), 0}};
    SetItemTypeCatalog(&types);
    EventEditorSettings settings;
    settings.useTypePrefix = true;
    auto holder = std::make_unique<CItemRef>(1);
    holder->GetEvent()->SetStart(At(2024, 5, 3, 9, 0));
    CEventEditorModel m(std::move(holder), false, false, settings);
    ASSERT_TRUE(m.Load());
    m.SetSubject(QStringLiteral("mtg: budget"));
    EXPECT_EQ(m.ApplyTypePrefix(types), CCalendarItem::PrefixResult::UnknownPrefix);
    m.SetSubject(QStringLiteral("Mee:   budget "));
    EXPECT_EQ(m.ApplyTypePrefix(types), CCalendarItem::PrefixResult::Applied);
    EXPECT_EQ(m.GetForm().subject, QStringLiteral("budget"));
    EXPECT_EQ(m.GetEvent().GetItemTypeName(), QStringLiteral("MEETING"));
    EXPECT_EQ(m.GetForm().reminderLeadText, FormatDuration(Minutes(10)))
        << "a new event takes the type's lead";
    SetItemTypeCatalog(nullptr);
}

TEST(EventEditorModelTest, ModifiedAfterChangesButNotForLocationAlone)
{
    CEventEditorModel m = Open(Single(At(2024, 5, 3, 9, 0), Hours(1)), 4);
    EXPECT_FALSE(m.IsModifiedFlag());
    m.SetLocation(QStringLiteral("Room 2"));
    EXPECT_FALSE(m.IsModifiedFlag()) << "Cancel asks nothing; OK still compares the location";
    m.SetNotes(QStringLiteral("bring slides"));
    EXPECT_TRUE(m.IsModifiedFlag());
}

} // namespace

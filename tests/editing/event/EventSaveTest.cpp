// Saving an event against a temporary data file: after each save, or each failure put at one of
// its store steps, the file is reopened and its records compared (nothing lost, nothing twice).
#include "EventSaveFixture.h"

#include "core/lists/CategoryList.h"
#include "editing/base/EditingStrings.h"
#include "editing/base/ReminderWindowPort.h"

#include <set>

namespace event_save_test {
namespace {

class EventSaveTest : public EventSaveFixture
{
  public:
    // A series with two moved occurrences and one deleted occurrence that carries an external
    // reference id, stored.
    std::uint32_t StoreSeriesWithExceptions()
    {
        CEventItem e =
            MakeSeries(At(2024, 5, 6, 9, 0), Hours(1), Recur::ByDate | Recur::Weekly | Recur::Monday, 1);
        e.SetSubject(QStringLiteral("Standup"));
        for (const CDateTime &key : {At(2024, 5, 13, 9, 0), At(2024, 5, 20, 9, 0)}) {
            CRecurrenceException *x = e.GetException(key, true);
            x->newStart = key + Hours(2);
            x->duration = Hours(1);
        }
        CRecurrenceException *gone = e.GetException(At(2024, 5, 27, 9, 0), true);
        gone->newStart = gone->keyDate;
        gone->duration = Hours(1);
        gone->SetDeleted(true);
        gone->reservedWord = 7;
        EXPECT_EQ(m_doc.StoreEvent(e, false), S_OK);
        return e.GetRecordId();
    }
};

TEST_F(EventSaveTest, NewEventIsStoredOnce)
{
    auto model = OpenNew();
    model->SetSubject(QStringLiteral("Dentist"));
    model->SetStartDate(At(2024, 5, 3));
    model->SetStartTime(At(1899, 12, 30, 14, 0));
    model->SetDuration(Hours(1));
    FaultyStore store(m_doc);
    CEventSave save(*model, store);
    ASSERT_EQ(save.Save(), EventSaveResult::Saved);
    EXPECT_EQ(Reopened(), std::vector<StoredEvent>{Rec("Dentist", At(2024, 5, 3, 14, 0), 1.0 / 24)});
}

TEST_F(EventSaveTest, NewEventWithNothingTypedStoresNothing)
{
    auto holder = std::make_unique<CItemRef>(1);
    holder->GetEvent()->SetStart(At(2024, 5, 3, 9, 0));
    holder->GetEvent()->SetDuration(Hours(1));
    CEventEditorModel model(std::move(holder), false, false, EventEditorSettings());
    ASSERT_TRUE(model.Load());
    FaultyStore store(m_doc);
    CEventSave save(model, store);
    EXPECT_EQ(save.Save(), EventSaveResult::Unchanged);
    EXPECT_EQ(store.calls, 0);
    EXPECT_TRUE(Reopened().empty());
}

TEST_F(EventSaveTest, AllDayRangeIsStoredFromMidnightForWholeDays)
{
    auto model = OpenNew();
    model->SetSubject(QStringLiteral("Trip"));
    model->SetStartDate(At(2024, 5, 3));
    model->SetAllDay(true);
    model->SetEndDate(At(2024, 5, 5));
    FaultyStore store(m_doc);
    CEventSave save(*model, store);
    ASSERT_EQ(save.Save(), EventSaveResult::Saved);
    EXPECT_EQ(Reopened(), std::vector<StoredEvent>{Rec("Trip", At(2024, 5, 3), 3.0)});
}

TEST_F(EventSaveTest, EditedSeriesKeepsItsOneRecord)
{
    const std::uint32_t id = StoreWeeklySeries();
    auto model = OpenStored(id);
    model->SetSubject(QStringLiteral("Standup (new room)"));
    FaultyStore store(m_doc);
    CEventSave save(*model, store);
    ASSERT_EQ(save.Save(), EventSaveResult::Saved);
    EXPECT_EQ(Reopened(),
              std::vector<StoredEvent>{Rec("Standup (new room)", At(2024, 5, 6, 9, 0), 1.0 / 24, true)});
}

TEST_F(EventSaveTest, UnchangedOccurrenceDropsTheExceptionMadeForIt)
{
    const std::uint32_t id = StoreWeeklySeries();
    auto model = OpenOccurrence(id, At(2024, 5, 13, 9, 0));
    FaultyStore store(m_doc);
    CEventSave save(*model, store);
    EXPECT_EQ(save.Save(), EventSaveResult::Unchanged);
    EXPECT_EQ(model->GetEvent().GetExceptionCount(), 0);
    EXPECT_EQ(store.calls, 0);
}

TEST_F(EventSaveTest, ChangedOccurrenceIsStoredAsAnExceptionOfTheSeries)
{
    const std::uint32_t id = StoreWeeklySeries();
    auto model = OpenOccurrence(id, At(2024, 5, 13, 9, 0));
    EXPECT_TRUE(model->IsOccurrence());
    model->SetStartTime(At(1899, 12, 30, 11, 0));
    FaultyStore store(m_doc);
    CEventSave save(*model, store);
    ASSERT_EQ(save.Save(), EventSaveResult::Saved);
    EXPECT_EQ(Reopened(), std::vector<StoredEvent>{Rec("Standup", At(2024, 5, 6, 9, 0), 1.0 / 24, true, 1)});
    CEventItem series(id);
    ASSERT_EQ(m_doc.LoadEvent(series), S_OK);
    const CRecurrenceException *x = series.GetExceptionAt(0);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->keyDate, At(2024, 5, 13, 9, 0));
    EXPECT_EQ(x->newStart, At(2024, 5, 13, 11, 0));
}

// A failed store of a new event, an edited series or a changed occurrence leaves the file as it
// was and the editor open; OK again stores exactly once.
TEST_F(EventSaveTest, FailedSingleStoreLeavesTheFileAndTheNextOkStoresOnce)
{
    enum Scenario
    {
        NewEvent,
        Series,
        Occurrence
    };
    for (Scenario scenario : {NewEvent, Series, Occurrence}) {
        SCOPED_TRACE(int(scenario));
        m_doc.CloseCalendarFile();
        CreateAndOpen();
        std::unique_ptr<CEventEditorModel> model;
        std::vector<StoredEvent> before;
        std::vector<StoredEvent> after;
        if (scenario == NewEvent) {
            model = OpenNew();
            model->SetSubject(QStringLiteral("Dentist"));
            model->SetStartDate(At(2024, 5, 3));
            model->SetStartTime(At(1899, 12, 30, 14, 0));
            model->SetDuration(Hours(1));
            after = {Rec("Dentist", At(2024, 5, 3, 14, 0), 1.0 / 24)};
        } else {
            const std::uint32_t id = StoreWeeklySeries();
            before = {Rec("Standup", At(2024, 5, 6, 9, 0), 1.0 / 24, true)};
            if (scenario == Series) {
                model = OpenStored(id);
                model->SetSubject(QStringLiteral("Daily standup"));
                after = {Rec("Daily standup", At(2024, 5, 6, 9, 0), 1.0 / 24, true)};
            } else {
                model = OpenOccurrence(id, At(2024, 5, 13, 9, 0));
                model->SetStartTime(At(1899, 12, 30, 10, 0));
                after = {Rec("Standup", At(2024, 5, 6, 9, 0), 1.0 / 24, true, 1)};
            }
        }
        FaultyStore store(m_doc);
        store.failAt = 1;
        CEventSave save(*model, store);
        ASSERT_EQ(save.Save(), EventSaveResult::StayOpen);
        EXPECT_FALSE(m_messages.shown.isEmpty());
        EXPECT_EQ(Reopened(), before);

        FaultyStore healthy(m_doc);
        CEventSave again(*model, healthy);
        ASSERT_EQ(again.Save(), EventSaveResult::Saved);
        EXPECT_EQ(Reopened(), after);
    }
}

TEST_F(EventSaveTest, OccurrenceMovedOntoAnotherOccurrencesDayIsRefusedAndTheEditorStaysOpen)
{
    const std::uint32_t id = StoreWeeklySeries();
    auto model = OpenOccurrence(id, At(2024, 5, 13, 9, 0));
    model->SetStartDate(At(2024, 5, 20));
    FaultyStore store(m_doc);
    CEventSave save(*model, store);
    EXPECT_EQ(save.Save(), EventSaveResult::StayOpen);
    EXPECT_EQ(m_messages.LastText(),
              QStringLiteral("Two occurrences of \"Standup\" cannot occur on the same day."));
    EXPECT_EQ(save.GetFocusField(), EventField::StartDate);
    EXPECT_EQ(store.calls, 0);
    EXPECT_EQ(Reopened(), std::vector<StoredEvent>{Rec("Standup", At(2024, 5, 6, 9, 0), 1.0 / 24, true)});
}

TEST_F(EventSaveTest, ValidationMessagesInTheirOrder)
{
    auto model = OpenNew();
    model->SetSubject(QStringLiteral("x"));
    model->SetStartDate(CDateTime::Invalid());
    FaultyStore store(m_doc);
    CEventSave save(*model, store);
    EXPECT_EQ(save.Save(), EventSaveResult::StayOpen);
    EXPECT_EQ(m_messages.LastText(), EditingText(EditText::InvalidDate));
    EXPECT_EQ(save.GetFocusField(), EventField::StartDate);

    model->SetStartDate(At(2024, 5, 3));
    model->SetStartTime(At(1899, 12, 30, 10, 0));
    model->SetEndDate(At(2024, 5, 2)); // before the start: the duration stays, the end as typed
    EXPECT_EQ(save.Save(), EventSaveResult::StayOpen);
    EXPECT_EQ(m_messages.LastText(), EditingText(EditText::EndBeforeStart));
    EXPECT_EQ(save.GetFocusField(), EventField::EndDate);

    model->SetEndDate(At(2024, 5, 3));
    model->SetReminderOn(true);
    model->SetReminderLeadText(QStringLiteral("2 weeks"));
    EXPECT_EQ(save.Save(), EventSaveResult::StayOpen);
    EXPECT_EQ(m_messages.LastText(), EditingText(EditText::DurationNotValid));
    model->SetReminderLeadText(QStringLiteral("400 days"));
    EXPECT_EQ(save.Save(), EventSaveResult::StayOpen);
    EXPECT_EQ(m_messages.LastText(), EditingText(EditText::ShorterDuration));
    EXPECT_EQ(save.GetFocusField(), EventField::ReminderLead);
    EXPECT_EQ(store.calls, 0);
}

// The pattern changed and the user kept the exceptions: each becomes an event of its own (the
// deleted one with its external reference as a deleted-marked record) and the series loses them.
TEST_F(EventSaveTest, KeptExceptionsBecomeEventsWhateverStepFails)
{
    const std::vector<StoredEvent> before = {Rec("Standup", At(2024, 5, 6, 9, 0), 1.0 / 24, true, 3)};
    const std::vector<StoredEvent> after = {
        Rec("Standup", At(2024, 5, 7, 9, 0), 1.0 / 24, true),
        Rec("Standup", At(2024, 5, 13, 11, 0), 1.0 / 24),
        Rec("Standup", At(2024, 5, 20, 11, 0), 1.0 / 24),
        Rec("Standup", At(2024, 5, 27, 9, 0), 1.0 / 24, false, 0, true, 7),
    };
    // Steps: load the series, store three events, store the series.
    for (int failAt = 1; failAt <= 5; ++failAt) {
        SCOPED_TRACE(failAt);
        m_doc.CloseCalendarFile();
        CreateAndOpen();
        const std::uint32_t id = StoreSeriesWithExceptions();
        auto model = OpenStored(id);
        CEventItem &event = model->GetEvent();
        // What the recurrence dialog does on Yes to keeping the exceptions: Tuesdays now.
        event.SetRecurrence(Recur::ByDate | Recur::Weekly | Recur::Tuesday, 1, 0, At(2024, 5, 7, 9, 0),
                            CDateTime());
        event.SetStart(At(2024, 5, 7, 9, 0));
        model->RecurrenceChanged(true, false, true);

        FaultyStore store(m_doc);
        store.failAt = failAt;
        CEventSave save(*model, store);
        ASSERT_EQ(save.Save(), EventSaveResult::StayOpen);
        EXPECT_EQ(Reopened(), before) << "a failed OK leaves the file as it was";

        // OK again, without the failure: everything exactly once.
        FaultyStore healthy(m_doc);
        CEventSave again(*model, healthy);
        ASSERT_EQ(again.Save(), EventSaveResult::Saved);
        EXPECT_EQ(Reopened(), after);
    }
}

TEST_F(EventSaveTest, ExceptionsOutsideANewStartAreDroppedOrKeptAsDeletedMarks)
{
    const std::uint32_t id = StoreSeriesWithExceptions();
    auto model = OpenStored(id);
    CEventItem &event = model->GetEvent();
    // A later start, exceptions kept field by field: those before the start are out of range.
    CRecurrencePattern pattern = event.GetPattern();
    pattern.SetStart(At(2024, 5, 27, 9, 0));
    event.SetPattern(pattern);
    event.SetStart(At(2024, 5, 27, 9, 0));
    model->RecurrenceChanged(false, true, false);
    FaultyStore store(m_doc);
    CEventSave save(*model, store);
    ASSERT_EQ(save.Save(), EventSaveResult::Saved);
    EXPECT_TRUE(save.ViewNeedsReload());
    EXPECT_EQ(Reopened(),
              (std::vector<StoredEvent>{Rec("Standup", At(2024, 5, 27, 9, 0), 1.0 / 24, true, 1)}));
}

TEST_F(EventSaveTest, OutOfRangeExceptionWithExternalReferenceIsKeptAsDeletedMark)
{
    CEventItem e =
        MakeSeries(At(2024, 5, 6, 9, 0), Hours(1), Recur::ByDate | Recur::Weekly | Recur::Monday, 1);
    e.SetSubject(QStringLiteral("Sync"));
    CRecurrenceException *x = e.GetException(At(2024, 5, 13, 9, 0), true);
    x->newStart = At(2024, 5, 13, 10, 0);
    x->duration = Hours(1);
    x->reservedWord = 42;
    ASSERT_EQ(m_doc.StoreEvent(e, false), S_OK);

    for (int failAt = 1; failAt <= 2; ++failAt) {
        SCOPED_TRACE(failAt);
        auto model = OpenStored(e.GetRecordId());
        CEventItem &event = model->GetEvent();
        CRecurrencePattern pattern = event.GetPattern();
        pattern.SetStart(At(2024, 5, 20, 9, 0));
        event.SetPattern(pattern);
        event.SetStart(At(2024, 5, 20, 9, 0));
        model->RecurrenceChanged(false, true, false);
        FaultyStore store(m_doc);
        store.failAt = failAt;
        CEventSave save(*model, store);
        ASSERT_EQ(save.Save(), EventSaveResult::StayOpen);
        EXPECT_EQ(Reopened(),
                  (std::vector<StoredEvent>{Rec("Sync", At(2024, 5, 6, 9, 0), 1.0 / 24, true, 1)}));
    }
    auto model = OpenStored(e.GetRecordId());
    CEventItem &event = model->GetEvent();
    CRecurrencePattern pattern = event.GetPattern();
    pattern.SetStart(At(2024, 5, 20, 9, 0));
    event.SetPattern(pattern);
    event.SetStart(At(2024, 5, 20, 9, 0));
    model->RecurrenceChanged(false, true, false);
    FaultyStore store(m_doc);
    CEventSave save(*model, store);
    ASSERT_EQ(save.Save(), EventSaveResult::Saved);
    EXPECT_EQ(Reopened(),
              (std::vector<StoredEvent>{Rec("Sync", At(2024, 5, 13, 10, 0), 1.0 / 24, false, 0, true, 42),
                                        Rec("Sync", At(2024, 5, 20, 9, 0), 1.0 / 24, true)}));
}

// A series with external references that loses its recurrence is stored as a new record; the
// old one stays only as a deleted mark, and never before the new one is safe.
TEST_F(EventSaveTest, ReplacedRecordIsStoredBeforeTheOldOneGoes)
{
    const std::vector<StoredEvent> before = {Rec("Standup", At(2024, 5, 6, 9, 0), 1.0 / 24, true, 3)};
    for (int failAt = 1; failAt <= 2; ++failAt) {
        SCOPED_TRACE(failAt);
        m_doc.CloseCalendarFile();
        CreateAndOpen();
        const std::uint32_t id = StoreSeriesWithExceptions();
        auto model = OpenStored(id);
        model->GetEvent().RemoveRecurrence();
        model->GetEvent().RemoveAllExceptions();
        model->RecurrenceChanged(false, false, true);
        ASSERT_TRUE(model->GetReplaceRecord());
        FaultyStore store(m_doc);
        store.failAt = failAt;
        CEventSave save(*model, store);
        ASSERT_EQ(save.Save(), EventSaveResult::StayOpen);
        EXPECT_EQ(Reopened(), before);

        FaultyStore healthy(m_doc);
        CEventSave again(*model, healthy);
        ASSERT_EQ(again.Save(), EventSaveResult::Saved);
        const auto records = Reopened();
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0], Rec("Standup", At(2024, 5, 6, 9, 0), 1.0 / 24, false));
        EXPECT_TRUE(records[1].deleted && records[1].recurring) << "the old record is kept as a deleted mark";
        EXPECT_NE(model->GetHolder().GetRecordId(), id);
    }
}

TEST_F(EventSaveTest, RecordIdMismatchIsReportedAndNothingIsStored)
{
    const std::uint32_t id = StoreSeriesWithExceptions();
    auto model = OpenStored(id);
    model->GetEvent().RemoveRecurrence();
    model->RecurrenceChanged(false, false, true);
    model->GetEvent().SetRecordId(id + 100);
    FaultyStore store(m_doc);
    CEventSave save(*model, store);
    EXPECT_EQ(save.Save(), EventSaveResult::StayOpen);
    EXPECT_EQ(m_messages.LastText(), EditingText(EditText::RecordIdMismatch));
    EXPECT_EQ(store.calls, 0);
}

TEST_F(EventSaveTest, NewLocationJoinsTheListOnceIgnoringCase)
{
    m_doc.GetLocationList().Add(CCategory(QStringLiteral("Paris")));
    ASSERT_EQ(m_doc.GetLocationList().Save(m_doc.GetDataFile()), S_OK);
    for (const char *typed : {"paris", "  Rome ", "ROME"}) {
        auto model = OpenNew();
        model->SetSubject(QStringLiteral("Trip"));
        model->SetStartDate(At(2024, 5, 3));
        model->SetLocation(QString::fromUtf8(typed));
        FaultyStore store(m_doc);
        CEventSave save(*model, store);
        ASSERT_EQ(save.Save(), EventSaveResult::Saved);
    }
    Reopened();
    const CCategoryList &list = m_doc.GetLocationList();
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetAt(0)->GetName(), QStringLiteral("Paris"));
    EXPECT_EQ(list.GetAt(1)->GetName(), QStringLiteral("Rome"));
}

TEST_F(EventSaveTest, FailedLocationSaveIsReportedAndTheListKeepsWhatTheFileHolds)
{
    auto model = OpenNew();
    model->SetSubject(QStringLiteral("Trip"));
    model->SetStartDate(At(2024, 5, 3));
    model->SetLocation(QStringLiteral("Oslo"));
    FaultyStore store(m_doc);
    store.failAt = 2; // the event is stored, the list is not
    CEventSave save(*model, store);
    EXPECT_EQ(save.Save(), EventSaveResult::Saved);
    EXPECT_EQ(m_doc.GetLocationList().GetCount(), 0);
    EXPECT_FALSE(m_messages.shown.isEmpty());
    EXPECT_EQ(Reopened().size(), 1u);
}

TEST(EventSaveNotes, LineBreakAddedToLongerNotesWithoutOne)
{
    EXPECT_EQ(CEventSave::NotesForStorage(QStringLiteral("abcd")), QStringLiteral("abcd"));
    EXPECT_EQ(CEventSave::NotesForStorage(QStringLiteral("abcde")), QStringLiteral("abcde\r\n"));
    EXPECT_EQ(CEventSave::NotesForStorage(QStringLiteral("abc\r\n")), QStringLiteral("abc\r\n"));
}

} // namespace
} // namespace event_save_test

namespace event_save_test {

// The reminder windows as the editor sees them: a set of open item ids.
class OpenReminders : public IReminderWindowPort
{
  public:
    bool IsReminderWindowOpen(const CItemKey &key) const override
    {
        return key.kind == 1 && open.count(key.itemId) != 0;
    }
    QWidget *GetReminderWindow(const CItemKey &) const override { return nullptr; }
    void HoldReminderWindow(const CItemKey &, bool) override {}
    void CloseReminderWindow(const CItemKey &key) override { open.erase(key.itemId); }
    std::set<std::uint32_t> open;
};

TEST_F(EventSaveTest, SavingASeriesWithItsReminderOpenHandlesItUpToNow)
{
    const std::uint32_t id = StoreWeeklySeries();
    CEventItem before(id);
    ASSERT_EQ(m_doc.LoadEvent(before), S_OK);
    const CDateTime handled = before.GetHandledUpTo();
    SetClock(At(2024, 5, 6, 8, 50));
    OpenReminders windows;
    FaultyStore store(m_doc);

    // No window open: the handled time stays.
    auto model = OpenStored(id);
    model->SetSubject(QStringLiteral("Standup, room 2"));
    CEventSave quiet(*model, store);
    quiet.SetReminderWindows(&windows);
    ASSERT_EQ(quiet.Save(), EventSaveResult::Saved);
    CEventItem after(id);
    ASSERT_EQ(m_doc.LoadEvent(after), S_OK);
    EXPECT_EQ(after.GetHandledUpTo(), handled);

    // Its window open: the reminders count as handled up to now.
    windows.open.insert(id);
    model = OpenStored(id);
    model->SetSubject(QStringLiteral("Standup, room 3"));
    CEventSave save(*model, store);
    save.SetReminderWindows(&windows);
    ASSERT_EQ(save.Save(), EventSaveResult::Saved);
    ASSERT_EQ(m_doc.LoadEvent(after), S_OK);
    EXPECT_EQ(after.GetHandledUpTo(), At(2024, 5, 6, 8, 50));
}

} // namespace event_save_test

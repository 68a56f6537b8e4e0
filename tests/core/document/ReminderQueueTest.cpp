// The reminder queue on a fake clock and fake timers: due entries become windows once, the
// day's rebuild at midnight, snoozing, silent dismissal of ended events, unreadable records,
// the reminders-off setting and the crash-report flag; a task's reminder completed or snoozed,
// the tip list, re-entered window creation and timers that cannot be set.
#include "core/document/DocumentTestSupport.h"

#include "core/system/CrashReportFlag.h"
#include "core/document/ReminderEntry.h"
#include "core/document/TipWindowSink.h"
#include "core/system/Messages.h"


using namespace document_test;

namespace {

class ReminderQueue : public DocumentFixture
{
  public:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        m_doc.SetTimerPort(&m_timers);
    }

    // Opens the file and lets timer 3 hand over to timer 4, as a minute after opening.
    void OpenAndStartTimers()
    {
        ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
        ASSERT_EQ(m_doc.GetScanTimerId(), CCalendarDocument::kScanTimer);
        ASSERT_TRUE(m_doc.OnTimer(CCalendarDocument::kScanTimer, true));
        ASSERT_EQ(m_doc.GetDueTimerId(), CCalendarDocument::kDueTimer);
        EXPECT_EQ(m_timers.armed, (std::map<int, int>{{CCalendarDocument::kDueTimer, 20000}}));
    }
    void Tick(bool remindersOn = true)
    {
        EXPECT_TRUE(m_doc.OnTimer(CCalendarDocument::kDueTimer, remindersOn));
    }
};

TEST_F(ReminderQueue, DueEntriesOpenWindowsLatestQueuedFirstAndOnlyOnce)
{
    CreateAndOpen();
    const std::uint32_t first = AddEvent(QStringLiteral("First"), At(2024, 3, 12, 9, 15), Minutes(15));
    const std::uint32_t second = AddEvent(QStringLiteral("Second"), At(2024, 3, 12, 9, 20), Minutes(15));
    const std::uint32_t later = AddEvent(QStringLiteral("Later"), At(2024, 3, 12, 17, 0), Minutes(15));
    m_doc.CloseCalendarFile();
    OpenAndStartTimers();
    EXPECT_EQ(QueuedIds(), (std::vector<std::uint32_t>{first, second, later}));

    Tick(); // 08:00: nothing due
    EXPECT_TRUE(m_windows.created.empty());

    SetClock(At(2024, 3, 12, 9, 10));
    Tick();
    EXPECT_EQ(m_windows.created, (std::vector<std::uint32_t>{second, first}));
    EXPECT_EQ(m_windows.subjects, (QStringList{QStringLiteral("Second"), QStringLiteral("First")}));
    EXPECT_EQ(QueuedIds(), std::vector<std::uint32_t>{later});
    for (const auto &window : m_windows.windows)
        EXPECT_EQ(window->ticks, 1);

    SetClock(At(2024, 3, 12, 9, 11));
    Tick();
    EXPECT_EQ(m_windows.created.size(), 2u);
}

TEST_F(ReminderQueue, OpenWindowIsNotOpenedTwice)
{
    CreateAndOpen();
    const std::uint32_t id = AddEvent(QStringLiteral("Call"), At(2024, 3, 12, 8, 30), Minutes(30));
    m_windows.Open(id);
    EXPECT_EQ(m_doc.ShowDueReminders(), S_OK);
    EXPECT_TRUE(m_windows.created.empty());
    EXPECT_TRUE(m_doc.GetQueue().empty()); // the entry still leaves the queue
    EXPECT_EQ(m_windows.windows.size(), 1u);
}

TEST_F(ReminderQueue, TomorrowsReminderComesAfterMidnight)
{
    CreateAndOpen();
    const std::uint32_t id = AddEvent(QStringLiteral("Tomorrow"), At(2024, 3, 13, 10, 0), Minutes(15));
    m_doc.CloseCalendarFile();
    OpenAndStartTimers();
    EXPECT_TRUE(m_doc.GetQueue().empty());
    EXPECT_EQ(m_doc.GetScanHorizon(), At(2024, 3, 12, 23, 59, 59));

    SetClock(At(2024, 3, 12, 23, 59, 50));
    Tick();
    EXPECT_TRUE(m_doc.GetQueue().empty());

    SetClock(At(2024, 3, 13, 0, 0, 10));
    Tick();
    EXPECT_EQ(QueuedIds(), std::vector<std::uint32_t>{id});
    EXPECT_EQ(m_doc.GetQueue()[0]->due, At(2024, 3, 13, 9, 45));
    EXPECT_TRUE(m_windows.created.empty());

    SetClock(At(2024, 3, 13, 9, 45));
    Tick();
    EXPECT_EQ(m_windows.created, std::vector<std::uint32_t>{id});
}

TEST_F(ReminderQueue, SnoozedReminderComesBack)
{
    CreateAndOpen();
    const CDateTime start = At(2024, 3, 12, 9, 0);
    const std::uint32_t id = AddEvent(QStringLiteral("Call"), start, Minutes(15));
    SetClock(At(2024, 3, 12, 8, 45));
    ASSERT_EQ(m_doc.ShowDueReminders(), S_OK);
    ASSERT_EQ(m_windows.created.size(), 1u);

    bool pastNext = true;
    ASSERT_EQ(m_doc.SnoozeEventReminder(id, start, Minutes(5), false, false, 0, 0, pastNext), S_OK);
    m_windows.windows.front()->Close(); // the window goes after a snooze
    ASSERT_EQ(QueuedIds(), std::vector<std::uint32_t>{id});
    EXPECT_EQ(m_doc.GetQueue()[0]->due, At(2024, 3, 12, 8, 50));
    EXPECT_EQ(m_mainWindow.refreshed, std::vector<std::uint32_t>{id});

    SetClock(At(2024, 3, 12, 8, 49));
    ASSERT_EQ(m_doc.ShowDueReminders(), S_OK);
    EXPECT_EQ(m_windows.created.size(), 1u);
    SetClock(At(2024, 3, 12, 8, 50));
    ASSERT_EQ(m_doc.ShowDueReminders(), S_OK);
    EXPECT_EQ(m_windows.created.size(), 2u);

    // Dismissed: no reminder left for the single event.
    ASSERT_EQ(m_doc.DismissEventReminder(id, start), S_OK);
    EXPECT_TRUE(m_doc.GetQueue().empty());
    CEventItem back(id);
    ASSERT_EQ(m_doc.LoadEvent(back), S_OK);
    EXPECT_FALSE(back.HasFlag(CCalendarItem::FlagReminder));
    EXPECT_EQ(m_mainWindow.rescheduled, std::vector<std::uint32_t>{id});
}

TEST_F(ReminderQueue, SnoozesThatReachTooFarAreRefused)
{
    CreateAndOpen();
    CEventItem daily;
    daily.SetSubject(QStringLiteral("Pills"));
    daily.SetStart(At(2024, 3, 12, 9, 0));
    daily.SetDuration(Minutes(5));
    daily.SetReminder(true, Minutes(10));
    daily.SetRecurrence(0x100 | 0x1000, 1, 0, At(2024, 3, 12, 9, 0), CDateTime());
    ASSERT_EQ(m_doc.StoreEvent(daily, true), S_OK);
    const std::uint32_t ended = AddEvent(QStringLiteral("Bus"), At(2024, 3, 12, 8, 30), Minutes(10),
                                         CCalendarItem::FlagNoWindowAfterTime);

    struct Case
    {
        const char *name;
        std::uint32_t id;
        CDateTime occurrence;
        CDateSpan span;
        HRESULT result;
        bool pastNext;
    };
    const Case cases[] = {
        {"daily, past the next reminder", daily.GetRecordId(), At(2024, 3, 12, 9, 0), Days(1) + Hours(1),
         QV_E_REFUSED, true},
        {"daily, before the next reminder", daily.GetRecordId(), At(2024, 3, 12, 9, 0), Days(1), S_OK, false},
        {"past the end of an event without late window", ended, At(2024, 3, 12, 8, 30), Hours(2),
         QV_E_REFUSED, false},
        {"within that event", ended, At(2024, 3, 12, 8, 30), Minutes(5), S_OK, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray before;
        ASSERT_EQ(m_doc.GetDataFile().ReadRecord(c.id, -1, before), S_OK);
        const std::vector<std::uint32_t> queued = QueuedIds();
        bool pastNext = !c.pastNext;
        EXPECT_EQ(m_doc.SnoozeEventReminder(c.id, c.occurrence, c.span, false, false, 0, 0, pastNext),
                  c.result);
        QByteArray after;
        ASSERT_EQ(m_doc.GetDataFile().ReadRecord(c.id, -1, after), S_OK);
        CEventItem back(c.id);
        ASSERT_EQ(m_doc.LoadEvent(back), S_OK);
        if (c.result == QV_E_REFUSED) {
            EXPECT_EQ(pastNext, c.pastNext);
            // Nothing was stored and the queue is as it was.
            EXPECT_EQ(after, before);
            EXPECT_FALSE(back.HasFlag(CCalendarItem::FlagSnoozed));
            EXPECT_EQ(QueuedIds(), queued);
        } else {
            EXPECT_TRUE(back.HasFlag(CCalendarItem::FlagSnoozed));
            EXPECT_EQ(back.GetSnoozedUntil(), At(2024, 3, 12, 8, 0) + c.span);
        }
    }
}

namespace {
// A task due today whose reminder goes off at 08:30.
std::uint32_t AddTaskWithReminder(CCalendarDocument &doc, const QString &subject)
{
    CTaskItem task;
    task.SetSubject(subject);
    task.SetDueDate(At(2024, 3, 12));
    task.SetReminder(true, CDateSpan());
    task.SetReminderTime(At(2024, 3, 12, 8, 30));
    EXPECT_EQ(doc.StoreTask(task, true), S_OK);
    return task.GetRecordId();
}

class FakeTipWindow : public ITipWindowSink
{
  public:
    bool IsVisible() const override { return visible; }
    void AddEntry(const CReminderEntry &entry) override { added.push_back(entry.recordId); }
    void RemoveEntry(std::uint32_t recordId) override { removed.push_back(recordId); }
    void Refill(const std::vector<std::unique_ptr<CReminderEntry>> &queue) override
    {
        refills.push_back(queue.size());
    }
    bool visible = false;
    std::vector<std::uint32_t> added, removed;
    std::vector<std::size_t> refills;
};
} // namespace

TEST_F(ReminderQueue, CompletingATaskFromItsReminder)
{
    CreateAndOpen();
    const std::uint32_t id = AddTaskWithReminder(m_doc, QStringLiteral("Pay rent"));
    ASSERT_EQ(QueuedIds(), std::vector<std::uint32_t>{id});
    SetClock(At(2024, 3, 12, 8, 30));
    ASSERT_EQ(m_doc.ShowDueReminders(), S_OK);
    ASSERT_EQ(m_windows.created, std::vector<std::uint32_t>{id});

    ASSERT_EQ(m_doc.CompleteTaskFromReminder(id, true, 320, 180), S_OK);
    EXPECT_TRUE(m_windows.windows.empty()); // its window closes
    EXPECT_TRUE(m_doc.GetQueue().empty());  // and nothing more is due
    CTaskItem back(id);
    ASSERT_EQ(m_doc.LoadTask(back), S_OK);
    EXPECT_TRUE(back.IsCompleted());
    EXPECT_TRUE(back.HasFlag(CCalendarItem::FlagReminderWindowSize));
    CTaskItem sized;
    sized.SetReminderWindowSize(true, 320, 180);
    EXPECT_EQ(back.GetReminderWindowSize(), sized.GetReminderWindowSize());
    EXPECT_EQ(m_mainWindow.refreshed, std::vector<std::uint32_t>{id});

    // A completed task stays completed: the reminder cannot undo it.
    ASSERT_EQ(m_doc.CompleteTaskFromReminder(id, false, 0, 0), S_OK);
    ASSERT_EQ(m_doc.LoadTask(back), S_OK);
    EXPECT_TRUE(back.IsCompleted());

    // Read-only: a beep and nothing stored.
    const std::uint32_t open = AddTaskWithReminder(m_doc, QStringLiteral("Call"));
    m_doc.CloseCalendarFile();
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path, QString(), nullptr, true, true), S_OK);
    const int beeps = m_messages.beeps;
    EXPECT_EQ(m_doc.CompleteTaskFromReminder(open, false, 0, 0), S_OK);
    EXPECT_EQ(m_messages.beeps, beeps + 1);
    CTaskItem still(open);
    ASSERT_EQ(m_doc.LoadTask(still), S_OK);
    EXPECT_FALSE(still.IsCompleted());
}

TEST_F(ReminderQueue, SnoozedTaskReminderComesBack)
{
    CreateAndOpen();
    const std::uint32_t id = AddTaskWithReminder(m_doc, QStringLiteral("Pay rent"));
    SetClock(At(2024, 3, 12, 8, 30));
    ASSERT_EQ(m_doc.ShowDueReminders(), S_OK);
    ASSERT_EQ(m_windows.created.size(), 1u);

    ASSERT_EQ(m_doc.SnoozeTaskReminder(id, At(2024, 3, 12), Minutes(10), false, false, 0, 0), S_OK);
    m_windows.windows.front()->Close(); // the window goes after a snooze
    ASSERT_EQ(QueuedIds(), std::vector<std::uint32_t>{id});
    EXPECT_EQ(m_doc.GetQueue()[0]->due, At(2024, 3, 12, 8, 40));
    EXPECT_EQ(m_mainWindow.refreshed, std::vector<std::uint32_t>{id});
    CTaskItem back(id);
    ASSERT_EQ(m_doc.LoadTask(back), S_OK);
    EXPECT_TRUE(back.HasFlag(CCalendarItem::FlagSnoozed));
    EXPECT_EQ(back.GetSnoozedUntil(), At(2024, 3, 12, 8, 40));

    SetClock(At(2024, 3, 12, 8, 39));
    ASSERT_EQ(m_doc.ShowDueReminders(), S_OK);
    EXPECT_EQ(m_windows.created.size(), 1u);
    SetClock(At(2024, 3, 12, 8, 40));
    ASSERT_EQ(m_doc.ShowDueReminders(), S_OK);
    EXPECT_EQ(m_windows.created.size(), 2u);

    // Before the task's date: the span counts back from it.
    m_windows.windows.front()->Close();
    ASSERT_EQ(m_doc.SnoozeTaskReminder(id, At(2024, 3, 12, 18, 0), Hours(1), true, false, 0, 0), S_OK);
    ASSERT_EQ(QueuedIds(), std::vector<std::uint32_t>{id});
    EXPECT_EQ(m_doc.GetQueue()[0]->due, At(2024, 3, 12, 17, 0));
}

TEST_F(ReminderQueue, TipWindowFollowsTheQueueOnlyWhileVisible)
{
    FakeTipWindow tip;
    m_doc.SetTipWindow(&tip);
    struct Restore
    {
        CCalendarDocument &doc;
        ~Restore() { doc.SetTipWindow(nullptr); }
    } restore{m_doc};
    CreateAndOpen();
    const std::uint32_t hidden = AddEvent(QStringLiteral("Hidden"), At(2024, 3, 12, 9, 0), Minutes(15));
    EXPECT_TRUE(tip.added.empty());
    EXPECT_TRUE(tip.refills.empty());

    tip.visible = true;
    const std::uint32_t shown = AddEvent(QStringLiteral("Shown"), At(2024, 3, 12, 9, 30), Minutes(15));
    EXPECT_EQ(tip.added, std::vector<std::uint32_t>{shown});
    ASSERT_EQ(m_doc.RescanReminders(), S_OK);
    ASSERT_FALSE(tip.refills.empty());
    EXPECT_EQ(tip.refills.back(), m_doc.GetQueue().size());

    // A reminder that becomes a window leaves the list; so does a deleted item's.
    tip.removed.clear();
    SetClock(At(2024, 3, 12, 8, 50));
    ASSERT_EQ(m_doc.ShowDueReminders(), S_OK);
    EXPECT_EQ(m_windows.created, std::vector<std::uint32_t>{hidden});
    EXPECT_EQ(tip.removed, std::vector<std::uint32_t>{hidden});
    tip.removed.clear();
    ASSERT_EQ(m_doc.DeleteEvent(shown, false, true), S_OK);
    EXPECT_EQ(tip.removed, std::vector<std::uint32_t>{shown});

    // Hidden again: the queue changes without it.
    tip.visible = false;
    tip.added.clear();
    AddEvent(QStringLiteral("Later"), At(2024, 3, 12, 11, 0), Minutes(15));
    EXPECT_TRUE(tip.added.empty());
}

TEST_F(ReminderQueue, WindowCreationIsNotReentered)
{
    // A window host that, while making a window, is asked for another (a message loop run
    // from inside the creation): the inner request is refused and nothing opens twice.
    class ReenteringHost : public FakeWindowHost
    {
      public:
        bool CreateReminder(CItemRef &holder) override
        {
            if (doc && !inner) {
                inner = true;
                CItemRef other(CCalendarItem::KindEvent);
                other.SetRecordId(holder.GetRecordId() + 1);
                innerResult = doc->ShowReminderWindow(other);
            }
            return FakeWindowHost::CreateReminder(holder);
        }
        CCalendarDocument *doc = nullptr;
        bool inner = false;
        HRESULT innerResult = S_OK;
    };
    ReenteringHost host;
    host.doc = &m_doc;
    m_doc.SetReminderWindowHost(&host);
    struct Restore
    {
        CCalendarDocument &doc;
        FakeWindowHost &windows;
        ~Restore()
        {
            doc.CloseCalendarFile();
            doc.SetReminderWindowHost(&windows);
        }
    } restore{m_doc, m_windows};
    CreateAndOpen();
    const std::uint32_t id = AddEvent(QStringLiteral("Call"), At(2024, 3, 12, 8, 30), Minutes(30));
    ASSERT_EQ(m_doc.ShowDueReminders(), S_OK);
    EXPECT_TRUE(host.inner);
    EXPECT_EQ(host.innerResult, QV_E_ALREADY_OPEN);
    EXPECT_EQ(host.created, std::vector<std::uint32_t>{id});
    // Creation works again once the first has finished.
    CItemRef later(CCalendarItem::KindEvent);
    later.SetRecordId(id + 1);
    EXPECT_EQ(m_doc.ShowReminderWindow(later), S_OK);
    EXPECT_EQ(host.created.size(), 2u);
}

TEST_F(ReminderQueue, TimerThatCannotBeSet)
{
    CreateFile();
    // At the open: the file does not stay open.
    m_timers.fail = true;
    EXPECT_EQ(m_doc.OpenCalendarFile(m_path), QV_E_NO_RESOURCES);
    EXPECT_FALSE(m_doc.IsOpen());
    EXPECT_FALSE(m_doc.GetDataFile().IsOpen());

    // At the hand-over from the scan timer to the due timer: the program ends with the code.
    m_timers.fail = false;
    int closes = 0;
    SetMainWindowCloser([&closes] { ++closes; });
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    m_timers.fail = true;
    EXPECT_TRUE(m_doc.OnTimer(CCalendarDocument::kScanTimer, true));
    EXPECT_EQ(GetExitCode(), QV_E_NO_RESOURCES);
    EXPECT_EQ(closes, 1);
    ASSERT_FALSE(m_messages.shown.isEmpty());
    EXPECT_TRUE(m_messages.LastText().startsWith(ErrorCodeToText(QV_E_NO_RESOURCES)));
    EXPECT_EQ(m_doc.GetDueTimerId(), 0);
    SetMainWindowCloser(nullptr);
    QuitWithCode(S_OK, true);
}

TEST_F(ReminderQueue, EndedEventWithoutLateWindowIsDismissedSilently)
{
    SetClock(At(2024, 3, 12, 7, 0));
    CreateAndOpen();
    const std::uint32_t id = AddEvent(QStringLiteral("Bus"), At(2024, 3, 12, 8, 0), Minutes(15),
                                      CCalendarItem::FlagNoWindowAfterTime);
    const std::uint32_t kept = AddEvent(QStringLiteral("Late"), At(2024, 3, 12, 8, 0), Minutes(15));
    m_doc.CloseCalendarFile();

    SetClock(At(2024, 3, 12, 10, 0)); // the program comes back after the event
    OpenAndStartTimers();
    EXPECT_EQ(QueuedIds(), std::vector<std::uint32_t>{kept});
    EXPECT_EQ(m_mainWindow.rescheduled, std::vector<std::uint32_t>{id});
    Tick();
    EXPECT_EQ(m_windows.created, std::vector<std::uint32_t>{kept});
    CEventItem back(id);
    ASSERT_EQ(m_doc.LoadEvent(back), S_OK);
    EXPECT_EQ(back.GetHandledUpTo(), m_now);

    // Queued while it still could be shown, then ended before the tick: dismissed too.
    SetClock(At(2024, 3, 12, 11, 0));
    const std::uint32_t soon = AddEvent(QStringLiteral("Ferry"), At(2024, 3, 12, 11, 30), Minutes(15),
                                        CCalendarItem::FlagNoWindowAfterTime);
    EXPECT_EQ(QueuedIds(), std::vector<std::uint32_t>{soon});
    SetClock(At(2024, 3, 12, 12, 40));
    Tick();
    EXPECT_TRUE(m_doc.GetQueue().empty());
    EXPECT_EQ(m_windows.created.size(), 1u);
}

TEST_F(ReminderQueue, UnreadableRecordIsReportedOnceAndPassedOver)
{
    CreateAndOpen();
    const std::uint32_t a = AddEvent(QStringLiteral("A"), At(2024, 3, 12, 9, 0), Minutes(15));
    {
        // A record that is no event at all.
        CDataFile &file = m_doc.GetDataFile();
        std::uint32_t bad = 0;
        ASSERT_EQ(file.AllocateId(DataFileLayout::EventCollection, bad), S_OK);
        QByteArray junk(212, '\x5a');
        const std::uint32_t used = 212, prefix = 164;
        std::memcpy(junk.data() + 4, &used, 4);
        std::memcpy(junk.data() + 8, &prefix, 4);
        ASSERT_EQ(file.WriteRecord(bad, junk), S_OK);
        ASSERT_EQ(file.SetSlotValue(bad, DataFileLayout::SlotEvent), S_OK);
    }
    const std::uint32_t b = AddEvent(QStringLiteral("B"), At(2024, 3, 12, 9, 5), Minutes(15));
    m_doc.CloseCalendarFile();
    m_messages.shown.clear();

    OpenAndStartTimers();
    EXPECT_TRUE(m_doc.IsOpen());
    EXPECT_EQ(m_messages.shown.size(), 1);
    EXPECT_EQ(QueuedIds(), (std::vector<std::uint32_t>{a, b}));

    SetClock(At(2024, 3, 12, 9, 0));
    Tick();
    EXPECT_EQ(m_windows.created, (std::vector<std::uint32_t>{b, a}));
    EXPECT_TRUE(m_doc.IsOpen());
    EXPECT_EQ(GetExitCode(), S_OK);

    // The next day's scan meets it again without a second box.
    SetClock(At(2024, 3, 13, 0, 1));
    Tick();
    EXPECT_TRUE(m_doc.IsOpen());
    EXPECT_EQ(m_messages.shown.size(), 1);
}

TEST_F(ReminderQueue, RemindersOffKeepEntriesUntilSwitchedOn)
{
    CreateAndOpen();
    m_doc.CloseCalendarFile();
    OpenAndStartTimers();
    const std::uint32_t id = AddEvent(QStringLiteral("Call"), At(2024, 3, 12, 8, 10), Minutes(15));
    Tick(false);
    EXPECT_EQ(QueuedIds(), std::vector<std::uint32_t>{id});
    EXPECT_TRUE(m_windows.created.empty());
    Tick(true);
    EXPECT_EQ(m_windows.created, std::vector<std::uint32_t>{id});
    EXPECT_FALSE(m_doc.OnTimer(99, true)); // not the document's
}

TEST_F(ReminderQueue, TimeChangeRebuildsTheQueueAtOnce)
{
    CreateAndOpen();
    const std::uint32_t id = AddEvent(QStringLiteral("Friday"), At(2024, 3, 15, 10, 0), Minutes(15));
    EXPECT_TRUE(m_doc.GetQueue().empty());
    SetNowProvider([] { return At(2024, 3, 15, 8, 0); });
    m_doc.OnTimeChange();
    EXPECT_EQ(GetToday(), At(2024, 3, 15));
    EXPECT_EQ(QueuedIds(), std::vector<std::uint32_t>{id});
}

TEST_F(ReminderQueue, FailedWindowIsReportedOnceUntilOneIsCreated)
{
    CreateAndOpen();
    m_doc.CloseCalendarFile();
    OpenAndStartTimers();
    AddEvent(QStringLiteral("A"), At(2024, 3, 12, 8, 10), Minutes(15));
    m_windows.fail = true;
    Tick();
    AddEvent(QStringLiteral("B"), At(2024, 3, 12, 8, 12), Minutes(15));
    Tick();
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_EQ(m_messages.LastText(), QStringLiteral("Cannot show next reminder."));

    m_windows.fail = false;
    Tick();
    EXPECT_EQ(m_windows.created.size(), 2u);
    m_windows.fail = true;
    AddEvent(QStringLiteral("C"), At(2024, 3, 12, 8, 14), Minutes(15));
    Tick();
    EXPECT_EQ(m_messages.shown.size(), 2);
}

TEST_F(ReminderQueue, NothingHappensDuringACrashReportOrInReadOnlyFiles)
{
    CreateAndOpen();
    AddEvent(QStringLiteral("A"), At(2024, 3, 12, 8, 10), Minutes(15));
    SetCrashReportInProgress(true);
    EXPECT_EQ(m_doc.ShowDueReminders(), S_OK);
    EXPECT_EQ(m_doc.RescanReminders(), S_OK);
    SetCrashReportInProgress(false);
    EXPECT_TRUE(m_windows.created.empty());

    m_doc.CloseCalendarFile();
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path, QString(), nullptr, true, true), S_OK);
    EXPECT_TRUE(m_doc.GetQueue().empty());
    EXPECT_EQ(m_doc.ShowDueReminders(), S_OK);
    EXPECT_TRUE(m_windows.created.empty());
}

TEST_F(ReminderQueue, ClosingStopsTimersAndWindows)
{
    CreateAndOpen();
    m_doc.CloseCalendarFile();
    OpenAndStartTimers();
    m_windows.Open(16);
    m_doc.EnableReminderWindows(false);
    EXPECT_FALSE(m_windows.windows.front()->enabled);
    m_doc.CloseCalendarFile();
    EXPECT_TRUE(m_timers.armed.empty());
    EXPECT_TRUE(m_windows.windows.empty());
}

} // namespace

// Reminder windows end to end: a temporary data file, a clock the test sets, the document's
// timers fired by hand; the windows open, answer and close as the document's rules say, and
// the file holds the answers after it is opened again. Renders go to the gallery.
#include "shell/reminders/ReminderDlg.h"

#include "common/FakeMessagePort.h"
#include "common/TempProfile.h"
#include "core/dates/DateFormats.h"
#include "core/document/CalendarDocument.h"
#include "core/document/TimerPort.h"
#include "core/items/ItemRef.h"
#include "core/items/ItemTestUtil.h"
#include "core/items/RecurrenceBits.h"
#include "core/items/TaskItem.h"
#include "core/lists/ItemType.h"
#include "core/system/AppSettings.h"
#include "core/system/Messages.h"
#include "editing/base/ItemKey.h"
#include "editing/base/ReminderWindowsGate.h"
#include "editing/event/EditEventDlg.h"
#include "editing/properties/PropertiesDlg.h"
#include "editing/task/EditTaskDlg.h"
#include "shell/reminders/ReminderOptionsDlg.h"
#include "shell/reminders/ReminderPlacement.h"
#include "shell/reminders/ReminderShell.h"
#include "shell/reminders/ReminderTextField.h"
#include "shell/reminders/ReminderWindows.h"
#include "shell/reminders/SetupSoundDlg.h"
#include "shell/sound/FakeSoundOutput.h"
#include "shell/sound/SoundChoicePanel.h"
#include "shell/sound/SoundPlayer.h"
#include "toolkit/controls/DurationComboBox.h"
#include "toolkit/controls/FlatButton.h"
#include "toolkit/controls/LinkButton.h"
#include "toolkit/controls/LinkOpener.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

namespace {

class Timers : public ITimerPort
{
  public:
    int SetTimer(int timerId, int ms) override
    {
        armed[timerId] = ms;
        return timerId;
    }
    void KillTimer(int id) override { armed.erase(id); }
    std::map<int, int> armed;
};

class ScriptedShell : public IReminderShell
{
  public:
    bool CanOpenItem(int) const override { return true; }
    void OpenItemEditor(std::unique_ptr<CItemRef> holder, bool newException, bool, bool) override
    {
        opened.push_back(holder->GetRecordId());
        openedNewException = newException;
        openedEventId = holder->GetEvent() ? holder->GetEvent()->GetRecordId() : 0;
    }
    bool CanShowProperties() const override { return false; }
    void ShowProperties(std::unique_ptr<CItemRef>, QWidget *) override {}
    bool CanPrint() const override { return false; }
    void PrintItems(const CItemKeyArray &) override {}
    int AskDeleteScope(int, const QString &, QWidget *) override
    {
        ++deleteQuestions;
        return deleteScope;
    }
    std::vector<std::uint32_t> opened;
    bool openedNewException = false;
    std::uint32_t openedEventId = 99;
    int deleteQuestions = 0;
    int deleteScope = 0;
};

void SaveRender(QWidget &widget, const char *name)
{
    QCoreApplication::processEvents();
    QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath(QStringLiteral("renders"));
    widget.grab().save(dir.filePath(QStringLiteral("renders/%1.png").arg(QString::fromLatin1(name))));
}

class ReminderWindowTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        BuildLocaleFormats();
        m_saved = ProgramSettings();
        CReminderPlacement::Shared().Reset();
        CSoundPlayer::SetDefaultOutput(&m_sound);
        CLinkOpener::SetHandler([this](const QUrl &url) {
            m_openedLinks << url.toString();
            return true;
        });
        m_path = m_dir.filePath(QStringLiteral("calendar.qvd"));
        SetClock(At(2024, 3, 12, 8, 0));
        ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(m_path, QStringLiteral("Home"), QString()), S_OK);
        m_doc.RegisterAsApplicationDocument();
        m_doc.SetTimerPort(&m_timers);
        m_doc.SetReminderWindowHost(&m_windows);
        m_windows.SetShell(&m_shell);
        ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
        ASSERT_NE(m_doc.ArmReminderTimer(), 0);
        m_doc.OnTimer(CCalendarDocument::kScanTimer, true); // the first minute is over
    }
    void TearDown() override
    {
        while (CReminderDlg *w = m_windows.WindowAt(0))
            w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_doc.SetReminderWindowHost(nullptr);
        m_doc.CloseCalendarFile();
        CSoundPlayer::SetDefaultOutput(nullptr);
        CLinkOpener::SetHandler({});
        ProgramSettings() = m_saved;
        SetNowProvider({});
        ResetToday();
    }

    void SetClock(const CDateTime &now)
    {
        m_now = now;
        SetNowProvider([this] { return m_now; });
        UpdateToday();
    }
    // The document's 20-second timer.
    void Tick()
    {
        m_doc.OnTimer(CCalendarDocument::kDueTimer, true);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    std::uint32_t AddEvent(const QString &subject, const CDateTime &start, int leadMinutes,
                           std::uint32_t flags = 0)
    {
        CEventItem event;
        event.SetSubject(subject);
        event.SetStart(start);
        event.SetDuration(Hours(1));
        event.SetReminder(true, Minutes(leadMinutes));
        event.SetFlags(event.GetFlags() | flags);
        event.SetNotes(QStringLiteral("Agenda at https://example.org/agenda and file:///bin/sh"));
        EXPECT_EQ(m_doc.StoreEvent(event, true), S_OK);
        return event.GetRecordId();
    }
    std::uint32_t AddTask(const QString &subject, const CDateTime &due, const CDateTime &remind)
    {
        CTaskItem task;
        task.SetSubject(subject);
        task.SetDueDate(due);
        task.SetReminder(true, CDateSpan());
        task.SetReminderTime(remind);
        EXPECT_EQ(m_doc.StoreTask(task, true), S_OK);
        return task.GetRecordId();
    }
    // Closes and opens the file again, so that what is checked is what the file holds.
    void Reopen()
    {
        m_doc.CloseCalendarFile();
        ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
        if (m_doc.GetDueTimerId() == 0) {
            ASSERT_NE(m_doc.ArmReminderTimer(), 0);
            m_doc.OnTimer(CCalendarDocument::kScanTimer, true);
        }
    }
    // Types into the snooze field as a person would.
    static void TypeSnooze(CReminderDlg *window, const QString &text)
    {
        window->SnoozeCombo()->setEditText(text);
        emit window->SnoozeCombo()->lineEdit()->textEdited(text);
    }
    CReminderDlg *Window(std::uint32_t id) const { return m_windows.FindWindow(0, id); }

    TempProfile m_profile;
    FakeMessagePort m_messages;
    FakeSoundOutput m_sound;
    QTemporaryDir m_dir;
    QString m_path;
    CDateTime m_now;
    AppSettings m_saved;
    QStringList m_openedLinks;
    Timers m_timers;
    CCalendarDocument m_doc;
    CReminderWindows m_windows{m_doc};
    ScriptedShell m_shell;
};

TEST_F(ReminderWindowTest, EventAndTaskOpenOnceEach)
{
    const std::uint32_t event = AddEvent(QStringLiteral("Budget meeting"), At(2024, 3, 12, 9, 0), 15);
    const std::uint32_t task =
        AddTask(QStringLiteral("Send report"), At(2024, 3, 11), At(2024, 3, 12, 8, 40));
    SetClock(At(2024, 3, 12, 8, 46));
    Tick();
    ASSERT_EQ(m_windows.Count(), 2);
    Tick();
    Tick();
    EXPECT_EQ(m_windows.Count(), 2); // once each
    CReminderDlg *eventWindow = Window(event);
    CReminderDlg *taskWindow = Window(task);
    ASSERT_TRUE(eventWindow && taskWindow);
    EXPECT_EQ(eventWindow->SubjectField()->GetStoredText(), QStringLiteral("Budget meeting"));
    EXPECT_TRUE(eventWindow->isVisible());
    EXPECT_EQ(taskWindow->AcceptButton()->text(), QStringLiteral("Com&plete"));
    EXPECT_TRUE(taskWindow->BandText().endsWith(QStringLiteral(" [ overdue ]")));
    // Cascaded from the work area's corner, in the order they opened.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QList<QPoint> corners{eventWindow->pos() - area.topLeft(), taskWindow->pos() - area.topLeft()};
    std::sort(corners.begin(), corners.end(), [](const QPoint &a, const QPoint &b) { return a.x() < b.x(); });
    EXPECT_EQ(corners, (QList<QPoint>{QPoint(38, 19), QPoint(76, 38)}));
    // Escape and the window system's Close leave a reminder alone.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(eventWindow, &escape);
    eventWindow->close();
    Flush();
    EXPECT_TRUE(eventWindow->isVisible());

    SaveRender(*eventWindow, "reminder_event");
    SaveRender(*taskWindow, "reminder_task_overdue");
}

TEST_F(ReminderWindowTest, AcceptAndCompleteReachTheFile)
{
    const std::uint32_t event = AddEvent(QStringLiteral("Dentist"), At(2024, 3, 12, 9, 0), 15);
    const std::uint32_t task = AddTask(QStringLiteral("Pay rent"), At(2024, 3, 12), At(2024, 3, 12, 8, 30));
    SetClock(At(2024, 3, 12, 8, 50));
    Tick();
    ASSERT_EQ(m_windows.Count(), 2);
    Window(event)->resize(Window(event)->InitialSize() + QSize(40, 30));
    Window(event)->AcceptButton()->click();
    Window(task)->AcceptButton()->click();
    Flush();
    EXPECT_EQ(m_windows.Count(), 0);
    EXPECT_TRUE(m_messages.shown.isEmpty());

    Reopen();
    CEventItem storedEvent(event);
    ASSERT_EQ(m_doc.LoadEvent(storedEvent), S_OK);
    EXPECT_FALSE(storedEvent.HasFlag(CCalendarItem::FlagReminder));
    EXPECT_TRUE(storedEvent.HasFlag(CCalendarItem::FlagReminderWindowSize)); // the size was changed
    CTaskItem storedTask(task);
    ASSERT_EQ(m_doc.LoadTask(storedTask), S_OK);
    EXPECT_TRUE(storedTask.IsCompleted());
    Tick();
    EXPECT_EQ(m_windows.Count(), 0);
}

TEST_F(ReminderWindowTest, SnoozedReminderComesBackAtItsTime)
{
    const std::uint32_t event = AddEvent(QStringLiteral("Call Bob"), At(2024, 3, 12, 10, 0), 60);
    SetClock(At(2024, 3, 12, 9, 5));
    Tick();
    CReminderDlg *window = Window(event);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->BeforeStartBox()->isVisible() || !window->isVisible());
    TypeSnooze(window, QStringLiteral("10 minutes"));
    window->SnoozeButton()->click();
    Flush();
    ASSERT_EQ(m_windows.Count(), 0) << m_messages.LastText().toStdString();

    Reopen();
    CEventItem stored(event);
    ASSERT_EQ(m_doc.LoadEvent(stored), S_OK);
    EXPECT_TRUE(stored.HasFlag(CCalendarItem::FlagSnoozed));
    SetClock(At(2024, 3, 12, 9, 10));
    Tick();
    Tick();
    EXPECT_EQ(m_windows.Count(), 0);
    SetClock(At(2024, 3, 12, 9, 15, 5));
    Tick();
    Tick();
    EXPECT_NE(Window(event), nullptr);
}

TEST_F(ReminderWindowTest, SnoozeRefusalsKeepTheWindow)
{
    const std::uint32_t event = AddEvent(QStringLiteral("Standup"), At(2024, 3, 12, 9, 0), 30);
    SetClock(At(2024, 3, 12, 8, 40));
    Tick();
    CReminderDlg *window = Window(event);
    ASSERT_TRUE(window);
    ASSERT_TRUE(window->Content().beforeStartAllowed);
    // Before start, 30 minutes ahead of a start 20 minutes away: refused with the warning.
    window->BeforeStartBox()->setChecked(true);
    TypeSnooze(window, QStringLiteral("30 minutes"));
    window->SnoozeButton()->click();
    EXPECT_TRUE(m_messages.LastText().contains(QLatin1String("before start")));
    EXPECT_EQ(Window(event), window);
    // Nonsense is not a duration.
    TypeSnooze(window, QStringLiteral("soon-ish"));
    window->SnoozeButton()->click();
    EXPECT_TRUE(m_messages.LastText().startsWith(QLatin1String("The duration you entered is not valid.")));
    // Ten minutes before the start is fine.
    TypeSnooze(window, QStringLiteral("10 minutes"));
    window->SnoozeButton()->click();
    Flush();
    EXPECT_EQ(m_windows.Count(), 0);
    CEventItem stored(event);
    ASSERT_EQ(m_doc.LoadEvent(stored), S_OK);
    EXPECT_EQ(stored.GetSnoozedUntil(), At(2024, 3, 12, 8, 50));
}

TEST_F(ReminderWindowTest, DeleteAndOpen)
{
    const std::uint32_t single = AddEvent(QStringLiteral("Lunch"), At(2024, 3, 12, 9, 0), 30);
    CEventItem daily = MakeSeries(At(2024, 3, 1, 9, 30), Hours(1), Recur::Daily | Recur::ByDate, 1);
    daily.SetSubject(QStringLiteral("Walk"));
    daily.SetReminder(true, Minutes(30));
    ASSERT_EQ(m_doc.StoreEvent(daily, true), S_OK);
    const std::uint32_t series = daily.GetRecordId();
    SetClock(At(2024, 3, 12, 9, 5));
    Tick();
    ASSERT_NE(Window(single), nullptr);
    ASSERT_NE(Window(series), nullptr);

    // Open: the editor gets the item; the window stays. A series' occurrence gets an exception.
    Window(series)->OpenButton()->click();
    ASSERT_EQ(m_shell.opened, std::vector<std::uint32_t>{series});
    EXPECT_TRUE(m_shell.openedNewException);
    EXPECT_EQ(m_shell.openedEventId, 0u); // marked as one occurrence for the editor
    EXPECT_NE(Window(series), nullptr);

    // A recurring item asks first; cancelled, nothing happens.
    m_shell.deleteScope = -1;
    Window(series)->DeleteButton()->click();
    Flush();
    EXPECT_EQ(m_shell.deleteQuestions, 1);
    EXPECT_NE(Window(series), nullptr);
    // Only this occurrence.
    m_shell.deleteScope = 0;
    Window(series)->DeleteButton()->click();
    Flush();
    EXPECT_EQ(Window(series), nullptr);
    Window(single)->DeleteButton()->click();
    Flush();
    EXPECT_EQ(m_windows.Count(), 0);

    Reopen();
    CEventItem gone(single);
    EXPECT_NE(m_doc.LoadEvent(gone), S_OK);
    CEventItem still(series);
    ASSERT_EQ(m_doc.LoadEvent(still), S_OK);
    const int index = still.FindExceptionIndex(At(2024, 3, 12, 9, 30));
    ASSERT_GE(index, 0);
    EXPECT_TRUE(still.GetExceptionAt(index)->IsDeleted());
}

TEST_F(ReminderWindowTest, ConvertAsksThenClosesOnlyAfterTheConversion)
{
    const std::uint32_t task =
        AddTask(QStringLiteral("Book flights"), At(2024, 3, 13), At(2024, 3, 12, 8, 30));
    SetClock(At(2024, 3, 12, 8, 45));
    Tick();
    CReminderDlg *window = Window(task);
    ASSERT_TRUE(window);
    // No: nothing changes.
    m_messages.answer = MessageResult::No;
    window->RunCommand(ReminderCmd::Convert);
    EXPECT_EQ(
        m_messages.LastText(),
        QStringLiteral("You are about to convert this task to an event. Are you sure you want to do this?"));
    Flush();
    ASSERT_EQ(Window(task), window);
    // Yes: the task becomes an event, and then the window goes.
    m_messages.answer = MessageResult::Yes;
    window->RunCommand(ReminderCmd::Convert);
    Flush();
    EXPECT_EQ(Window(task), nullptr);
    Reopen();
    int events = 0, tasks = 0;
    m_doc.EnumAllEvents([&](std::uint32_t) { return ++events, S_OK; });
    m_doc.EnumAllTasks([&](std::uint32_t) { return ++tasks, S_OK; });
    EXPECT_EQ(events, 1);
    EXPECT_EQ(tasks, 0);
}

TEST_F(ReminderWindowTest, ExpiredReminderDismissesItself)
{
    const std::uint32_t event =
        AddEvent(QStringLiteral("Train"), At(2024, 3, 12, 9, 0), 30, CCalendarItem::FlagNoWindowAfterTime);
    const std::uint32_t other = AddEvent(QStringLiteral("Coffee"), At(2024, 3, 12, 9, 0), 30);
    SetClock(At(2024, 3, 12, 8, 45));
    Tick();
    ASSERT_EQ(m_windows.Count(), 2);
    SetClock(At(2024, 3, 12, 10, 1));
    Tick();
    EXPECT_EQ(Window(event), nullptr);
    EXPECT_NE(Window(other), nullptr); // it may stay
    Reopen();
    CEventItem stored(event);
    ASSERT_EQ(m_doc.LoadEvent(stored), S_OK);
    EXPECT_FALSE(stored.HasFlag(CCalendarItem::FlagReminder));
}

TEST_F(ReminderWindowTest, ModalDialogsDisableTheWindows)
{
    const std::uint32_t edited = AddEvent(QStringLiteral("Edited"), At(2024, 3, 12, 9, 0), 30);
    const std::uint32_t other = AddEvent(QStringLiteral("Other"), At(2024, 3, 12, 9, 0), 30);
    SetClock(At(2024, 3, 12, 8, 45));
    Tick();
    CReminderDlg *a = Window(edited);
    CReminderDlg *b = Window(other);
    ASSERT_TRUE(a && b);

    // A plain modal dialog: Open goes grey everywhere, the answers stay.
    CReminderWindowsGate::Enter();
    EXPECT_FALSE(a->OpenButton()->isEnabled());
    EXPECT_TRUE(a->AcceptButton()->isEnabled());
    CReminderWindowsGate::Leave();
    EXPECT_TRUE(a->OpenButton()->isEnabled());

    // The editor of one item: that window goes grey whole while the editor runs.
    CItemKey key;
    key.kind = 1;
    key.itemId = edited;
    ASSERT_TRUE(m_windows.IsReminderWindowOpen(key));
    m_windows.HoldReminderWindow(key, true);
    CReminderWindowsGate::Enter();
    EXPECT_FALSE(a->AcceptButton()->isEnabled());
    EXPECT_FALSE(a->SnoozeButton()->isEnabled());
    EXPECT_TRUE(b->AcceptButton()->isEnabled());
    // While held, its time running out does not dismiss it.
    SetClock(At(2024, 3, 12, 10, 30));
    EXPECT_EQ(a->CheckExpired(m_now), S_OK);
    m_windows.HoldReminderWindow(key, false);
    CReminderWindowsGate::Leave();
    EXPECT_TRUE(a->AcceptButton()->isEnabled());
    EXPECT_TRUE(a->OpenButton()->isEnabled());
    EXPECT_TRUE(b->OpenButton()->isEnabled());

    // The menu follows too.
    CReminderWindowsGate::Enter();
    EXPECT_FALSE(b->CaptionMenu()->isEnabled() && b->MenuAction(ReminderCmd::Convert)->isEnabled());
    CReminderWindowsGate::Leave();
    EXPECT_TRUE(b->CaptionMenu() && b->MenuAction(ReminderCmd::Convert)->isEnabled());
}

TEST_F(ReminderWindowTest, CaptionMenuCollapseTopmostAndSound)
{
    CItemTypeList &types = m_doc.GetItemTypes();
    ASSERT_GT(types.GetTypeCount(), 0);
    CItemType *type = types.GetType(0);
    CReminderSound repeating;
    repeating.SetMode(CReminderSound::DefaultBeep);
    repeating.SetRepeat(true);
    repeating.SetRepeatDelay(0, 20);
    type->SetSound(repeating);
    type->SetFlags(type->GetFlags() | CItemType::kFlagOwnColors);
    type->SetFillColor(MakeColor(255, 236, 160));
    type->SetTextColor(MakeColor(60, 40, 0));

    CEventItem event;
    event.SetSubject(QStringLiteral("Pick up the kids"));
    event.SetItemTypeName(type->GetName());
    event.SetStart(At(2024, 3, 12, 9, 0));
    event.SetDuration(Hours(1));
    event.SetReminder(true, Minutes(30));
    ASSERT_EQ(m_doc.StoreEvent(event, true), S_OK);
    SetClock(At(2024, 3, 12, 8, 45));
    Tick();
    CReminderDlg *window = Window(event.GetRecordId());
    ASSERT_TRUE(window);
    EXPECT_EQ(m_sound.calls.count(QStringLiteral("beep")), 1);
    EXPECT_EQ(window->Player().GetArmedDelayMs(), 20000);
    EXPECT_TRUE(window->Caption().IsStopPresent());
    ASSERT_NE(window->MenuAction(ReminderCmd::StopSound), nullptr);

    SaveRender(*window, "reminder_event_colours");

    // Stop Sound: the player stops and the caption button goes grey.
    window->RunCommand(ReminderCmd::StopSound);
    EXPECT_EQ(window->Player().GetMode(), CSoundPlayer::None);
    EXPECT_FALSE(window->IsSoundPlaying());
    EXPECT_FALSE(window->CaptionMenu() && window->MenuAction(ReminderCmd::StopSound)->isEnabled());

    // Collapse: only the band, the subject in it; expand restores the height.
    const int height = window->height();
    const QString caption = window->BandText();
    window->RunCommand(ReminderCmd::Collapse);
    EXPECT_TRUE(window->IsCollapsed());
    EXPECT_EQ(window->height(), window->Caption().CollapsedHeight());
    EXPECT_EQ(window->BandText(), QStringLiteral("Pick up the kids"));
    window->CaptionMenu();
    EXPECT_TRUE(window->MenuAction(ReminderCmd::Collapse)->isChecked());
    SaveRender(*window, "reminder_collapsed");
    window->RunCommand(ReminderCmd::Collapse);
    EXPECT_EQ(window->height(), height);
    EXPECT_EQ(window->BandText(), caption);

    // Always on top toggles the window and the glyph.
    const bool topmost = window->IsTopmost();
    window->RunCommand(ReminderCmd::AlwaysOnTop);
    EXPECT_EQ(window->IsTopmost(), !topmost);
    EXPECT_EQ(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), !topmost);
    EXPECT_EQ(window->Caption().GlyphOf(HitAlwaysOnTop), topmost ? 0 : 1);
}

TEST_F(ReminderWindowTest, OnlyWebAndMailLinksOpen)
{
    const std::uint32_t event = AddEvent(QStringLiteral("Review"), At(2024, 3, 12, 9, 0), 30);
    SetClock(At(2024, 3, 12, 8, 45));
    Tick();
    CReminderDlg *window = Window(event);
    ASSERT_TRUE(window);
    CReminderTextField *notes = window->NotesField();
    notes->resize(600, 200);
    QCoreApplication::processEvents();
    // Click every character: only the web address opens.
    const QString text = notes->toPlainText();
    for (int i = 0; i < text.size(); ++i) {
        QTextCursor cursor(notes->document());
        cursor.setPosition(i);
        notes->OpenLinkAt(notes->cursorRect(cursor).center() + QPoint(2, 0));
    }
    ASSERT_FALSE(m_openedLinks.isEmpty());
    for (const QString &link : m_openedLinks)
        EXPECT_EQ(link, QStringLiteral("https://example.org/agenda"));
}

TEST_F(ReminderWindowTest, OptionDialogsRender)
{
    CEventItem event;
    event.SetFlags(CCalendarItem::FlagNoWindowAfterTime);
    CReminderSound sound;
    sound.SetMode(CReminderSound::SoundFile);
    sound.SetRepeat(true);
    sound.SetRepeatDelay(1, 30);
    QFont heading = QApplication::font();
    heading.setBold(true);
    CReminderOptionsDlg options(event, &sound, false, false, heading);
    options.CustomBox()->setChecked(true);
    SaveRender(options, "reminder_options");
    EXPECT_TRUE(options.NoWindowBox()->isChecked());
    EXPECT_TRUE(options.SoundPanel()->RepeatBox()->isChecked());
    options.reject();

    CReminderSound typeSound;
    typeSound.SetMode(CReminderSound::DefaultBeep);
    CSetupSoundDlg setup(typeSound);
    SaveRender(setup, "setup_sound");
    EXPECT_TRUE(setup.SoundPanel()->ModeButton(1)->isChecked());
    EXPECT_FALSE(setup.SoundPanel()->PlayButton()->isEnabled());
    setup.reject();
}

TEST_F(ReminderWindowTest, OptionsOkWithoutASoundFileStays)
{
    CEventItem event;
    CReminderOptionsDlg options(event, nullptr, true, false, QApplication::font());
    EXPECT_TRUE(options.TopmostBox()->isChecked());
    EXPECT_FALSE(options.TopmostBox()->isEnabled()); // "AOT" makes every window topmost
    options.CustomBox()->setChecked(true);
    options.SoundPanel()->ModeButton(2)->click();
    options.SoundPanel()->FileList()->clear();
    options.Model().Sound().Recent().SetSelectedRow(-1);
    options.accept();
    EXPECT_EQ(m_messages.LastText(), QStringLiteral("Please specify a sound file name."));
    EXPECT_EQ(options.GetResult(), 0);
    EXPECT_FALSE(event.HasFlag(CCalendarItem::FlagOwnSound));
    // Unchecking the custom sound clears the item's own sound.
    event.SetFlag(CCalendarItem::FlagOwnSound, true);
    options.CustomBox()->setChecked(false);
    options.accept();
    EXPECT_EQ(options.GetResult(), 1);
    EXPECT_FALSE(event.HasFlag(CCalendarItem::FlagOwnSound));
    EXPECT_TRUE(event.HasFlag(0x1000));

    CEventItem readOnlyItem;
    CReminderOptionsDlg readOnly(readOnlyItem, nullptr, false, true, QApplication::font());
    EXPECT_FALSE(readOnly.OkButton()->isEnabled());
}

// The program's own answers: Open on a task reminder opens the task editor, which holds the
// window and opens Reminder Options from Setup...; Properties shows the item's Properties window.
TEST_F(ReminderWindowTest, ProgramShellOpensTheTaskEditorAndProperties)
{
    m_windows.SetShell(nullptr);
    const std::uint32_t task = AddTask(QStringLiteral("Send report"), At(2024, 3, 12), At(2024, 3, 12, 8, 30));
    SetClock(At(2024, 3, 12, 8, 45));
    Tick();
    CReminderDlg *window = Window(task);
    ASSERT_TRUE(window);
    ASSERT_TRUE(window->OpenButton()->isEnabled());

    // Open: without a main window the editor is a window of its own, on the task.
    window->OpenButton()->click();
    CEditTaskDlg *editor = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *e = qobject_cast<CEditTaskDlg *>(w); e && e->isVisible())
            editor = e;
    }
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->GetModel().GetHolder().GetRecordId(), task);
    EXPECT_EQ(editor->GetModel().GetTask().GetSubject(), QStringLiteral("Send report"));
    EXPECT_FALSE(window->IsWholeEnabled()) << "held while its editor is open";
    EXPECT_FALSE(window->AcceptButton()->isEnabled());
    EXPECT_EQ(Window(task), window) << "the window stays";

    // Setup...: Reminder Options over the editor; its OK reaches the editor's task and buttons.
    bool sawOptions = false;
    QTimer::singleShot(0, editor, [&sawOptions] {
        if (auto *options = qobject_cast<CReminderOptionsDlg *>(QApplication::activeModalWidget())) {
            sawOptions = true;
            options->TopmostBox()->setChecked(true);
            options->accept();
        }
    });
    editor->findChild<QPushButton *>(QStringLiteral("reminderSetup"))->click();
    EXPECT_TRUE(sawOptions);
    EXPECT_TRUE(editor->GetModel().GetTask().HasFlag(0x1000));
    EXPECT_TRUE(editor->findChild<QAction *>(QStringLiteral("topmost"))->isChecked());
    EXPECT_TRUE(editor->GetModel().IsModifiedFlag());

    // Cancel without saving gives the window back whole; the file keeps the task as it was.
    m_messages.answer = MessageResult::No;
    editor->reject();
    Flush();
    EXPECT_TRUE(window->IsWholeEnabled());
    EXPECT_TRUE(window->AcceptButton()->isEnabled());
    CTaskItem stored(task);
    ASSERT_EQ(m_doc.LoadTask(stored), S_OK);
    EXPECT_FALSE(stored.HasFlag(0x1000));

    // Properties: the item's Properties window, modal over the reminder window, which is held
    // meanwhile.
    bool sawProperties = false, heldMeanwhile = false;
    QString shownSubject;
    QTimer::singleShot(0, window, [&] {
        if (auto *properties = qobject_cast<CPropertiesDlg *>(QApplication::activeModalWidget())) {
            sawProperties = true;
            heldMeanwhile = !window->IsWholeEnabled();
            if (auto *subject = properties->findChild<QLabel *>(QStringLiteral("subject")))
                shownSubject = subject->text();
            SaveRender(*properties, "reminder_task_properties");
            properties->reject();
        }
    });
    ASSERT_TRUE(window->CaptionMenu() && window->MenuAction(ReminderCmd::Properties)->isEnabled());
    window->RunCommand(ReminderCmd::Properties);
    EXPECT_TRUE(sawProperties);
    EXPECT_TRUE(heldMeanwhile);
    EXPECT_EQ(shownSubject, QStringLiteral("Send report"));
    EXPECT_TRUE(window->IsWholeEnabled());
    EXPECT_EQ(Window(task), window);

    // No print job exists: Print is there, greyed.
    ASSERT_TRUE(window->MenuAction(ReminderCmd::Print));
    EXPECT_FALSE(window->MenuAction(ReminderCmd::Print)->isEnabled());
}

// Open on an event reminder goes to the event editor the same way, and its Setup... too.
TEST_F(ReminderWindowTest, ProgramShellOpensTheEventEditorWithReminderOptions)
{
    m_windows.SetShell(nullptr);
    const std::uint32_t event = AddEvent(QStringLiteral("Review"), At(2024, 3, 12, 9, 0), 30);
    SetClock(At(2024, 3, 12, 8, 45));
    Tick();
    CReminderDlg *window = Window(event);
    ASSERT_TRUE(window);
    window->OpenButton()->click();
    CEditEventDlg *editor = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *e = qobject_cast<CEditEventDlg *>(w); e && e->isVisible())
            editor = e;
    }
    ASSERT_TRUE(editor);
    EXPECT_FALSE(window->IsWholeEnabled());
    QTimer::singleShot(0, editor, [] {
        if (auto *options = qobject_cast<CReminderOptionsDlg *>(QApplication::activeModalWidget())) {
            options->NoWindowBox()->setChecked(true);
            options->accept();
        }
    });
    editor->findChild<QPushButton *>(QStringLiteral("reminderSetup"))->click();
    EXPECT_TRUE(editor->GetModel().GetEvent().HasFlag(CCalendarItem::FlagNoWindowAfterTime));
    EXPECT_TRUE(editor->findChild<QAction *>(QStringLiteral("noWindowAfter"))->isChecked());
    m_messages.answer = MessageResult::No;
    editor->reject();
    Flush();
    EXPECT_TRUE(window->IsWholeEnabled());
}

} // namespace

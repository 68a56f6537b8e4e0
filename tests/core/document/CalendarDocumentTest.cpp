// The calendar document on real data files with fake ports: opening (same path, another
// process's writer, backup copies, passwords, older formats), storing and deleting items,
// completing and converting tasks, and read-only mode.
#include "core/document/DocumentTestSupport.h"
#include "core/storage/ForkSupport.h"
#include "core/items/RecordTestUtil.h"
#include "core/storage/StorageTestSupport.h"
#include "common/ByteBuilder.h"

#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"
#include "core/system/StringTable.h"
#include "core/storage/VersionBlock.h"

#include <QFile>
#include <QFileInfo>

using namespace document_test;

namespace {

using DocumentOpen = DocumentFixture;
using DocumentItems = DocumentFixture;

constexpr HRESULT kSharingViolation = 0x80070020;

TEST_F(DocumentOpen, SamePathIsReportedAndStaysOpen)
{
    CreateAndOpen();
    EXPECT_TRUE(m_doc.IsOpen());
    EXPECT_EQ(GetProfileString(ConstName::Common, ConstName::L0), m_path);

    // Another spelling of the same file is the same file.
    const QString other = m_dir.path() + QStringLiteral("/./sub/../calendar.qvd");
    EXPECT_EQ(m_doc.OpenCalendarFile(m_path), QV_E_ALREADY_OPEN);
    EXPECT_EQ(m_doc.OpenCalendarFile(other), QV_E_ALREADY_OPEN);
    EXPECT_TRUE(m_doc.IsOpen());
    EXPECT_EQ(m_doc.GetMainWindowTitle(), QStringLiteral("Home - Tessivo"));

    // A name that differs only in case is another file here.
    const QString upper = m_dir.filePath(QStringLiteral("CALENDAR.qvd"));
    ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(upper, QStringLiteral("Work"), QString()), S_OK);
    EXPECT_EQ(m_doc.OpenCalendarFile(upper), S_OK);
    EXPECT_EQ(m_doc.GetMainWindowTitle(), QStringLiteral("Work - Tessivo"));
}

TEST_F(DocumentOpen, LastFileFromTheSettings)
{
    EXPECT_EQ(m_doc.OpenLastCalendarFile(false), S_FALSE); // none yet
    CreateAndOpen();
    m_doc.CloseCalendarFile();
    EXPECT_FALSE(m_doc.IsOpen());
    EXPECT_EQ(m_doc.GetMainWindowTitle(), QStringLiteral(" - Tessivo"));

    EXPECT_EQ(m_doc.OpenLastCalendarFile(true), S_OK); // Shift held: read-only
    EXPECT_TRUE(m_doc.IsReadOnly());
    m_doc.CloseCalendarFile();
    QFile::remove(m_path);
    EXPECT_EQ(m_doc.OpenLastCalendarFile(false), S_FALSE); // the last file has gone
}

TEST_F(DocumentOpen, FileHeldByAnotherWriterOpensReadOnlyWhenTheUserAgrees)
{
    CreateFile();
    const std::string path = m_path.toStdString();
    storage_test::ChildProcess child([path](storage_test::ChildProcess &channel) {
        CDataFile writer;
        const HRESULT hr = writer.Open(QString::fromStdString(path), false);
        channel.SendValue(hr);
        channel.ReceiveValue(); // hold the file until the test is done
        return 0;
    });
    ASSERT_TRUE(child.Started());
    ASSERT_EQ(child.ReceiveValue(), S_OK);

    m_messages.answer = MessageResult::No;
    EXPECT_EQ(m_doc.OpenCalendarFile(m_path), kSharingViolation);
    EXPECT_FALSE(m_doc.IsOpen());
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_EQ(m_messages.shown[0].text, LoadResString(59368));
    EXPECT_EQ(m_messages.shown[0].icon, MessageIcon::Question);

    m_messages.answer = MessageResult::Yes;
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    EXPECT_TRUE(m_doc.IsReadOnly());
    EXPECT_EQ(m_doc.GetMainWindowTitle(), QStringLiteral("Home (Read-Only) - Tessivo"));

    child.SendValue(0);
    EXPECT_EQ(child.Wait(), 0);
}

TEST_F(DocumentOpen, BackupCopyIsRefused)
{
    CreateFile();
    {
        CDataFile file;
        ASSERT_EQ(file.Open(m_path, false), S_OK);
        ASSERT_EQ(file.SetBackupFlag(true), S_OK);
    }
    EXPECT_EQ(m_doc.OpenCalendarFile(m_path), QV_E_BACKUP_FILE);
    EXPECT_FALSE(m_doc.IsOpen());
    EXPECT_FALSE(m_doc.GetDataFile().IsOpen());
}

TEST_F(DocumentOpen, PasswordPromptAndKeys)
{
    CreateFile(QStringLiteral("secret"));

    // A wrong password keeps the prompt up; the right one opens the file.
    m_prompt.passwords = {QStringLiteral("guess"), QStringLiteral("secret")};
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    EXPECT_EQ(m_prompt.results, (std::vector<HRESULT>{QV_E_WRONG_PASSWORD, S_OK}));
    const std::unique_ptr<CCipher> key = m_doc.GetDataFile().GetKey();
    m_doc.CloseCalendarFile();

    // Giving up closes the file.
    m_prompt.passwords = {QStringLiteral("guess")};
    EXPECT_EQ(m_doc.OpenCalendarFile(m_path), QV_E_WRONG_PASSWORD);
    EXPECT_FALSE(m_doc.GetDataFile().IsOpen());

    // Without the prompt: the password text, or the key kept from an earlier open.
    EXPECT_EQ(m_doc.OpenCalendarFile(m_path, QStringLiteral("guess"), nullptr, false), QV_E_WRONG_PASSWORD);
    EXPECT_EQ(m_doc.OpenCalendarFile(m_path, QStringLiteral("secret"), nullptr, false), S_OK);
    m_doc.CloseCalendarFile();
    ASSERT_TRUE(key);
    EXPECT_EQ(m_doc.OpenCalendarFile(m_path, QString(), key.get(), false), S_OK);
}

TEST_F(DocumentOpen, DamagedFileOpensReadOnlyWithAWarning)
{
    // A freed block whose size no longer fits the chain: the chain cannot be walked.
    CreateAndOpen();
    const std::uint32_t id = AddEvent(QStringLiteral("Gone"), At(2024, 3, 12, 10, 0), Minutes(15));
    ASSERT_EQ(m_doc.DeleteEvent(id, false, true), S_OK);
    m_doc.CloseCalendarFile();
    const std::uint32_t freeHead = storage_test::U32(storage_test::ReadWholeFile(m_path), 72);
    ASSERT_NE(freeHead, 0u);
    storage_test::Patch32(m_path, freeHead, 16);
    const QByteArray before = storage_test::ReadWholeFile(m_path);

    m_messages.shown.clear();
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    EXPECT_TRUE(m_doc.IsReadOnly());
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_EQ(m_messages.shown[0].text, LoadResString(IDS_DAMAGED_OPENS_READ_ONLY));
    EXPECT_EQ(m_messages.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(m_doc.GetMainWindowTitle(), QStringLiteral("Home (Read-Only) - Tessivo"));
    m_doc.CloseCalendarFile();
    EXPECT_EQ(storage_test::ReadWholeFile(m_path), before);

    // Asked for read-only in the first place: no warning.
    m_messages.shown.clear();
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path, QString(), nullptr, true, true), S_OK);
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

class DocumentConversion : public DocumentFixture
{
  public:
    // A file of the second older format holding one event of the older layout.
    void MakeOlderFile()
    {
        CreateFile();
        CDataFile file;
        ASSERT_EQ(file.Open(m_path, false), S_OK);
        ASSERT_EQ(file.Validate(), S_OK);
        std::uint32_t id = 0;
        ASSERT_EQ(file.AllocateId(DataFileLayout::EventCollection, id), S_OK);
        ASSERT_EQ(file.WriteRecord(id, OlderEventRecord("Old choir", At(2009, 3, 3, 18, 0))), S_OK);
        ASSERT_EQ(file.SetSlotValue(id, DataFileLayout::SlotEvent), S_OK);
        ASSERT_EQ(file.WriteFormatVersion(0x00010004), S_OK);
    }
    QString CopyPath() const { return m_dir.filePath(QStringLiteral("calendar_saved.qv2")); }

    // Opens the file alone and returns what Validate says of it.
    HRESULT ValidateAlone()
    {
        CDataFile file;
        const HRESULT hr = file.Open(m_path, true);
        return hr != S_OK ? hr : file.Validate();
    }
};

TEST_F(DocumentConversion, ConvertedFileKeepsACopyAndOpensAgain)
{
    MakeOlderFile();
    m_messages.answer = MessageResult::Yes;
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_TRUE(m_messages.shown[0].text.contains(CopyPath()));
    EXPECT_TRUE(QFileInfo::exists(CopyPath()));
    EXPECT_EQ(m_doc.GetDataFile().GetFormatVersion(), kCurrentFormatVersion);
    EXPECT_FALSE(m_doc.GetDataFile().IsConverted());
    EXPECT_EQ(m_shell.publishSaves, 1);
    EXPECT_GT(m_doc.GetItemTypes().GetTypeCount(), 0);

    CEventItem event(16);
    ASSERT_EQ(m_doc.LoadEvent(event), S_OK);
    EXPECT_EQ(event.GetSubject(), QStringLiteral("Old choir"));
    EXPECT_FALSE(event.GetUniqueId().isEmpty());
    m_doc.CloseCalendarFile();

    // Opened again later: no question, the current format.
    EXPECT_EQ(ValidateAlone(), S_OK);
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    EXPECT_EQ(m_messages.shown.size(), 1);
    // The copy still holds the older file.
    m_doc.CloseCalendarFile();
    m_path = CopyPath();
    EXPECT_EQ(ValidateAlone(), QV_E_BAD_VERSION);
}

TEST_F(DocumentConversion, RefusedOrFailedConversionLeavesTheFileAsItWas)
{
    MakeOlderFile();
    const QByteArray before = storage_test::ReadWholeFile(m_path);

    m_messages.answer = MessageResult::No;
    EXPECT_EQ(m_doc.OpenCalendarFile(m_path), QV_E_BAD_VERSION);
    EXPECT_FALSE(QFileInfo::exists(CopyPath()));

    // A copy already there: the conversion stops before it changes anything.
    QFile(CopyPath()).open(QIODevice::WriteOnly);
    m_messages.answer = MessageResult::Yes;
    EXPECT_EQ(m_doc.OpenCalendarFile(m_path), QV_E_QUIET_17);
    EXPECT_FALSE(m_doc.GetDataFile().IsOpen());
    EXPECT_EQ(storage_test::ReadWholeFile(m_path), before);

    // Read-only files are not converted.
    EXPECT_EQ(m_doc.OpenCalendarFile(m_path, QString(), nullptr, true, true), QV_E_BAD_VERSION);
}

TEST_F(DocumentConversion, SilentConversionStillKeepsTheCopy)
{
    MakeOlderFile();
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path, QString(), nullptr, true, false, true), S_OK);
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(CopyPath()));
}

TEST(DocumentPaths, CopyNameAndSameFile)
{
    EXPECT_EQ(ConvertedCopyPath(QStringLiteral("/d/cal.qvd"), 0x00010001),
              QStringLiteral("/d/cal_saved.qv1"));
    EXPECT_EQ(ConvertedCopyPath(QStringLiteral("/d/cal"), 0x00010004), QStringLiteral("/d/cal_saved.qv2"));
    EXPECT_TRUE(IsSameDataFilePath(QStringLiteral("/d/x/../cal.qvd"), QStringLiteral("/d/cal.qvd")));
    EXPECT_FALSE(IsSameDataFilePath(QStringLiteral("/d/Cal.qvd"), QStringLiteral("/d/cal.qvd")));
    EXPECT_FALSE(IsSameDataFilePath(QString(), QString()));
}

// ---------------------------------------------------------------------------------------------

TEST_F(DocumentItems, NewEventGetsItsStamps)
{
    CreateAndOpen();
    SetClock(At(2024, 3, 12, 9, 30));
    CEventItem event;
    event.SetSubject(QStringLiteral("Dentist"));
    event.SetStart(At(2024, 3, 20, 10, 0));
    ASSERT_EQ(m_doc.StoreEvent(event, true), S_OK);
    EXPECT_NE(event.GetRecordId(), 0u);
    EXPECT_EQ(event.GetCreatedTime(), m_now);
    EXPECT_EQ(event.GetModified(), m_now);
    EXPECT_EQ(event.GetHandledUpTo(), m_now);
    EXPECT_EQ(m_navigator.updated, std::vector<std::uint32_t>{event.GetRecordId()});

    // A later change keeps the created and handled-up-to times.
    SetClock(At(2024, 3, 13, 9, 0));
    event.SetSubject(QStringLiteral("Dentist (moved)"));
    ASSERT_EQ(m_doc.StoreEvent(event, true), S_OK);
    CEventItem back(event.GetRecordId());
    ASSERT_EQ(m_doc.LoadEvent(back), S_OK);
    EXPECT_EQ(back.GetCreatedTime(), At(2024, 3, 12, 9, 30));
    EXPECT_EQ(back.GetHandledUpTo(), At(2024, 3, 12, 9, 30));
    EXPECT_EQ(back.GetModified(), m_now);
}

TEST_F(DocumentItems, EditedOccurrenceBecomesANewEvent)
{
    CreateAndOpen();
    CEventItem series;
    series.SetSubject(QStringLiteral("Standup"));
    series.SetStart(At(2024, 3, 11, 9, 0));
    series.SetDuration(Minutes(15));
    series.SetRecurrence(0x100 | 0x1000, 1, 0, At(2024, 3, 11, 9, 0), CDateTime());
    ASSERT_EQ(m_doc.StoreEvent(series, true), S_OK);
    const std::uint32_t seriesId = series.GetRecordId();

    const CDateTime occurrence = At(2024, 3, 14, 9, 0);
    CItemRef holder(CCalendarItem::KindEvent);
    holder.SetRecordId(seriesId);
    holder.SetOccurrenceDate(occurrence);
    holder.SetOneOccurrence(true);
    holder.GetEvent()->SetSubject(QStringLiteral("Standup, later"));
    holder.GetEvent()->SetStart(At(2024, 3, 14, 11, 0));
    ASSERT_EQ(m_doc.SaveEventRef(holder), S_OK);

    EXPECT_NE(holder.GetRecordId(), seriesId);
    CEventItem single(holder.GetRecordId());
    ASSERT_EQ(m_doc.LoadEvent(single), S_OK);
    EXPECT_EQ(single.GetStart(), At(2024, 3, 14, 11, 0));

    CEventItem back(seriesId);
    ASSERT_EQ(m_doc.LoadEvent(back), S_OK);
    const int index = back.FindExceptionIndex(occurrence);
    ASSERT_GE(index, 0);
    EXPECT_TRUE(back.GetExceptionAt(index)->IsDeleted());
    COccurrence next;
    ASSERT_TRUE(back.NextOccurrence(At(2024, 3, 13, 12, 0), next));
    EXPECT_EQ(next.start, At(2024, 3, 15, 9, 0));
}

// A weekly task due on Tuesday 12 March 2024, optionally ending on a date.
CTaskItem WeeklyTask(const CDateTime &end = CDateTime())
{
    CTaskItem task;
    task.SetSubject(QStringLiteral("Bins out"));
    task.SetDueDate(At(2024, 3, 12));
    std::uint32_t word = 0x200 | 0x1000 | 0x08; // weekly on Tuesday
    if (end.IsValid() && end.Value() != 0.0)
        word |= 0x2000000;
    task.SetRecurrence(word, 1, 0, At(2024, 3, 12), end);
    return task;
}

TEST_F(DocumentItems, CompletingARecurringTaskSplitsOffACopy)
{
    CreateAndOpen();
    CTaskItem task = WeeklyTask();
    task.SetKeepMark(7);
    ASSERT_EQ(m_doc.StoreTask(task, true), S_OK);

    CItemRef holder(CCalendarItem::KindTask);
    holder.SetRecordId(task.GetRecordId());
    ASSERT_EQ(m_doc.ToggleTaskCompleted(holder, true), S_OK);

    int count = 0;
    ASSERT_EQ(m_doc.CountItemsOfKind(2, count), S_OK);
    ASSERT_EQ(count, 2);
    CTaskItem series(task.GetRecordId());
    ASSERT_EQ(m_doc.LoadTask(series), S_OK);
    EXPECT_EQ(series.GetDueDate(), At(2024, 3, 19));
    EXPECT_FALSE(series.IsCompleted());
    EXPECT_EQ(series.GetKeepMark(), 0u);

    CTaskItem done(task.GetRecordId() + 1);
    ASSERT_EQ(m_doc.LoadTask(done), S_OK);
    EXPECT_TRUE(done.IsCompleted());
    EXPECT_TRUE(done.HasFlag(CTaskItem::TF_SERIES_CLOSED));
    EXPECT_EQ(done.GetDueDate(), At(2024, 3, 12));
    EXPECT_EQ(done.GetKeepMark(), 7u);
    EXPECT_NE(done.GetUniqueId(), series.GetUniqueId());
}

TEST_F(DocumentItems, CompletingTheLastInstanceFinishesTheSeries)
{
    CreateAndOpen();
    CTaskItem task = WeeklyTask(At(2024, 3, 15));
    ASSERT_EQ(m_doc.StoreTask(task, true), S_OK);
    CItemRef holder(CCalendarItem::KindTask);
    holder.SetRecordId(task.GetRecordId());
    ASSERT_EQ(m_doc.ToggleTaskCompleted(holder, true), S_OK);

    int count = 0;
    ASSERT_EQ(m_doc.CountItemsOfKind(2, count), S_OK);
    EXPECT_EQ(count, 1);
    CTaskItem back(task.GetRecordId());
    ASSERT_EQ(m_doc.LoadTask(back), S_OK);
    EXPECT_TRUE(back.IsCompleted());
    EXPECT_TRUE(back.HasFlag(CTaskItem::TF_SERIES_CLOSED));

    // A finished task toggles back only where undo is allowed.
    ASSERT_EQ(m_doc.ToggleTaskCompleted(holder, false), S_OK);
    ASSERT_EQ(m_doc.LoadTask(back), S_OK);
    EXPECT_TRUE(back.IsCompleted());
    ASSERT_EQ(m_doc.ToggleTaskCompleted(holder, true), S_OK);
    ASSERT_EQ(m_doc.LoadTask(back), S_OK);
    EXPECT_FALSE(back.IsCompleted());
}

TEST_F(DocumentItems, DeletingTaskOccurrences)
{
    CreateAndOpen();
    CTaskItem single;
    single.SetSubject(QStringLiteral("Once"));
    single.SetDueDate(At(2024, 3, 12));
    ASSERT_EQ(m_doc.StoreTask(single, true), S_OK);
    CTaskItem weekly = WeeklyTask();
    ASSERT_EQ(m_doc.StoreTask(weekly, true), S_OK);

    ASSERT_EQ(m_doc.DeleteTaskAndNotify(single.GetRecordId(), CDateTime(), false, true), S_OK);
    ASSERT_EQ(m_doc.DeleteTaskAndNotify(weekly.GetRecordId(), CDateTime(), false, true), S_OK);
    EXPECT_EQ(m_mainWindow.changed, (std::vector<std::uint32_t>{single.GetRecordId(), weekly.GetRecordId()}));

    int count = 0;
    ASSERT_EQ(m_doc.CountItemsOfKind(2, count), S_OK);
    EXPECT_EQ(count, 1); // the single task went, the weekly one moved on
    CTaskItem back(weekly.GetRecordId());
    ASSERT_EQ(m_doc.LoadTask(back), S_OK);
    EXPECT_EQ(back.GetDueDate(), At(2024, 3, 19));
}

TEST_F(DocumentItems, KeepMarkWritesTheItemMarkedAndQueuesNothing)
{
    CreateAndOpen();
    const std::uint32_t id = AddEvent(QStringLiteral("Call"), At(2024, 3, 12, 10, 0), Minutes(15));
    EXPECT_EQ(QueuedIds(), std::vector<std::uint32_t>{id});

    ASSERT_EQ(m_doc.DeleteEvent(id, true, true), S_OK);
    EXPECT_TRUE(m_doc.GetQueue().empty());
    EXPECT_EQ(m_navigator.removed, std::vector<std::uint32_t>{id});
    CEventItem back(id);
    ASSERT_EQ(m_doc.LoadEvent(back), S_OK);
    EXPECT_TRUE(back.HasFlag(CCalendarItem::FlagDeleted));

    // Stored again as it is, marked: still not queued, not even after a new scan.
    ASSERT_EQ(m_doc.StoreEvent(back, true), S_OK);
    ASSERT_EQ(m_doc.RescanReminders(), S_OK);
    EXPECT_TRUE(m_doc.GetQueue().empty());

    // Without the mark the record goes.
    ASSERT_EQ(m_doc.DeleteEvent(id, false, true), S_OK);
    EXPECT_EQ(m_doc.LoadEvent(back), QV_E_NO_ENTRY);
}

TEST_F(DocumentItems, ConvertingBetweenEventsAndTasks)
{
    CreateAndOpen();
    const std::uint32_t id = AddEvent(QStringLiteral("Pay rent"), At(2024, 3, 15, 9, 0), Minutes(5));
    CItemRef holder(CCalendarItem::KindEvent);
    holder.SetRecordId(id);
    ASSERT_EQ(m_doc.ConvertEventToTask(holder, true), S_OK);
    ASSERT_NE(holder.GetTask(), nullptr);
    EXPECT_EQ(holder.GetTask()->GetSubject(), QStringLiteral("Pay rent"));
    EXPECT_EQ(m_shell.editorKinds, std::vector<int>{CCalendarItem::KindTask});
    EXPECT_EQ(m_shell.waitCursor, 0);
    int events = -1, tasks = -1;
    ASSERT_EQ(m_doc.CountItemsOfKind(1, events), S_OK);
    ASSERT_EQ(m_doc.CountItemsOfKind(2, tasks), S_OK);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(tasks, 1);

    ASSERT_EQ(m_doc.ConvertTaskToEvent(holder, false), S_OK);
    ASSERT_NE(holder.GetEvent(), nullptr);
    ASSERT_EQ(m_doc.CountItemsOfKind(1, events), S_OK);
    ASSERT_EQ(m_doc.CountItemsOfKind(2, tasks), S_OK);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(tasks, 0);
}

TEST_F(DocumentItems, ReadOnlyRefusesChanges)
{
    CreateFile();
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    AddEvent(QStringLiteral("Call"), At(2024, 3, 12, 10, 0), Minutes(15));
    CTaskItem task;
    task.SetDueDate(At(2024, 3, 12));
    ASSERT_EQ(m_doc.StoreTask(task, true), S_OK);
    m_doc.CloseCalendarFile();

    ASSERT_EQ(m_doc.OpenCalendarFile(m_path, QString(), nullptr, true, true), S_OK);
    EXPECT_TRUE(m_doc.IsReadOnly());
    EXPECT_TRUE(m_doc.GetQueue().empty()); // no reminders in read-only mode

    CItemRef holder(CCalendarItem::KindTask);
    holder.SetRecordId(task.GetRecordId());
    ASSERT_EQ(m_doc.ToggleTaskCompleted(holder, true), S_OK);
    EXPECT_EQ(m_messages.beeps, 1);
    CItemRef eventHolder(CCalendarItem::KindEvent);
    eventHolder.SetRecordId(16);
    ASSERT_EQ(m_doc.ConvertEventToTask(eventHolder, false), S_OK);
    m_doc.CloseCalendarFile();

    ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    CTaskItem back(task.GetRecordId());
    ASSERT_EQ(m_doc.LoadTask(back), S_OK);
    EXPECT_FALSE(back.IsCompleted());
    int events = 0;
    ASSERT_EQ(m_doc.CountItemsOfKind(1, events), S_OK);
    EXPECT_EQ(events, 1);
}

TEST_F(DocumentItems, SessionErrorClosesTheFileAndReports)
{
    CreateAndOpen();
    EXPECT_EQ(m_doc.HandleSessionError(QV_E_DAMAGED), QV_E_DAMAGED);
    EXPECT_FALSE(m_doc.IsOpen());
    EXPECT_EQ(m_shell.sessionCloses, 1);
    EXPECT_EQ(m_mainWindow.titleUpdates, 1);
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_TRUE(m_messages.LastText().endsWith(GetConstString(ConstName::ClosedFileHint)));
}

} // namespace

// Events and tasks in the data file: saving (ids, missing times, record stamps, a first save
// that fails), loading whole and as summaries, item type lookup, deletes, the per-kind
// collections, and records of an older format read while a file is converted.
#include "core/storage/DataFileTestSupport.h"
#include "core/items/ItemTestUtil.h"
#include "core/items/RecordTestUtil.h"

#include "core/storage/Crc32.h"
#include "core/items/ItemRecord.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/items/RecurrenceBits.h"
#include "core/items/TaskItem.h"

#include <QFile>
#include <map>

using namespace datafile_test;
using namespace DataFileLayout;

namespace {
CEventItem MakeEvent(const QString &subject, const CDateTime &start, bool recurring = false)
{
    CEventItem e = recurring ? MakeSeries(start, Hours(1), Recur::Weekly | Recur::ByDate | Recur::Monday, 1)
                             : CEventItem();
    if (!recurring) {
        e.SetStart(start);
        e.SetDuration(Hours(1));
    }
    e.SetSubject(subject);
    e.SetLocation(QStringLiteral("Room 4"));
    e.SetNotes(QStringLiteral("Bring the minutes of the last meeting."));
    e.SetItemTypeName(QStringLiteral("Meeting"));
    e.SetCategories(QStringLiteral("Work"));
    return e;
}

CTaskItem MakeTask(const QString &subject, const CDateTime &due)
{
    CTaskItem t;
    t.SetSubject(subject);
    t.SetDueDate(due);
    t.SetPriority(CTaskItem::PriorityHigh);
    t.SetItemTypeName(QStringLiteral("Call"));
    return t;
}

class FakeTypes : public IItemTypeCatalog
{
  public:
    int GetTypeCount() const override { return 2; }
    bool GetTypeInfo(int, ItemTypeInfo &) const override { return false; }
    int FindType(const QString &name) const override
    {
        return name == QLatin1String("Call") ? 0 : name == QLatin1String("Meeting") ? 1 : -1;
    }
    int FindTypeByPrefix(const QString &) const override { return -1; }
};

class DataFileItems : public DataFileFixture
{
  protected:
    FixedClock m_clock{At(2024, 5, 6, 9, 30)};
};

template <class Item> QByteArray Bytes(const Item &item)
{
    return ItemRecord::RecordBytes(item);
}
} // namespace

TEST_F(DataFileItems, SaveAndLoadEvents)
{
    CDataFile file;
    CreateAndOpen(file);
    CEventItem single = MakeEvent(QStringLiteral("Budget review"), At(2024, 5, 7, 14, 0));
    CEventItem series = MakeEvent(QStringLiteral("Choir"), At(2024, 5, 6, 19, 0), true);
    const int moved = series.InsertException(At(2024, 5, 13, 19, 0));
    ASSERT_GE(moved, 0);
    series.GetExceptionAt(moved)->SetSubject(true, QStringLiteral("Choir (moved)"));
    ASSERT_EQ(file.SaveEvent(single), S_OK);
    ASSERT_EQ(file.SaveEvent(series), S_OK);
    EXPECT_EQ(single.GetRecordId(), 16u);
    EXPECT_EQ(series.GetRecordId(), 17u);
    std::uint32_t slot = 0;
    ASSERT_EQ(file.GetSlotValue(17, slot), S_OK);
    EXPECT_EQ(slot, SlotEvent);

    // A new item gets a unique id, its times and a stamp, which the stored record carries.
    EXPECT_FALSE(single.GetUniqueId().isEmpty());
    EXPECT_EQ(single.GetCreatedTime(), At(2024, 5, 6, 9, 30));
    EXPECT_EQ(single.GetModified(), At(2024, 5, 6, 9, 30));
    EXPECT_NE(single.GetDataFileStamp(), 0u);
    EXPECT_NE(single.GetDataFileStamp(), series.GetDataFileStamp());
    QByteArray stored;
    ASSERT_EQ(file.ReadRecord(16, -1, stored), S_OK);
    EXPECT_EQ(U32(stored, RecordStampOffset), single.GetDataFileStamp());
    EXPECT_EQ(stored, Bytes(single));

    CEventItem loaded(17);
    ASSERT_EQ(file.LoadEvent(loaded), S_OK);
    EXPECT_EQ(Bytes(loaded), Bytes(series));
    ASSERT_EQ(loaded.GetExceptionCount(), 1);
    EXPECT_EQ(loaded.GetExceptions()[0].subject, QStringLiteral("Choir (moved)"));

    // Saving again keeps id and stamp, whether the record grows or shrinks.
    const std::uint32_t stamp = single.GetDataFileStamp();
    for (const QString &notes : {QString(3000, QLatin1Char('n')), QString()}) {
        single.SetNotes(notes);
        ASSERT_EQ(file.SaveEvent(single), S_OK);
        EXPECT_EQ(single.GetRecordId(), 16u);
        EXPECT_EQ(single.GetDataFileStamp(), stamp);
        CEventItem again(16);
        ASSERT_EQ(file.LoadEvent(again), S_OK);
        EXPECT_EQ(again.GetNotes(), notes);
        EXPECT_EQ(again.GetDataFileStamp(), stamp);
    }
    // A copy made for storing as a new item gets a stamp of its own.
    CEventItem copy;
    copy.CopyFromItem(single);
    EXPECT_EQ(copy.GetDataFileStamp(), 0u);
    ASSERT_EQ(file.SaveEvent(copy), S_OK);
    EXPECT_EQ(copy.GetRecordId(), 18u);
    EXPECT_NE(copy.GetDataFileStamp(), 0u);
    EXPECT_NE(copy.GetDataFileStamp(), stamp);

    int count = 0;
    ASSERT_EQ(file.CountItems(1, count), S_OK);
    EXPECT_EQ(count, 3);
    QString problem;
    ASSERT_EQ(file.GetStorageFile().CheckAllocator(problem), S_OK);
    EXPECT_EQ(problem, QString());
}

TEST_F(DataFileItems, SaveFillsMissingTimes)
{
    CDataFile file;
    CreateAndOpen(file);
    const CDateTime now = At(2024, 5, 6, 9, 30);
    const CDateTime earlier = At(2023, 1, 2, 3, 4, 5);
    const CDateTime later = At(2023, 2, 3, 4, 5, 6);
    struct Case
    {
        const char *name;
        bool hasUniqueId;
        CDateTime created, modified;
        CDateTime expectCreated, expectModified;
    };
    const Case cases[] = {
        {"new item", false, earlier, later, now, now},
        {"no created, modified set", true, CDateTime(), later, later, later},
        {"created invalid, modified set", true, CDateTime::Invalid(), later, later, later},
        {"neither", true, CDateTime(), CDateTime::Null(), now, now},
        {"no modified", true, earlier, CDateTime(), earlier, earlier},
        {"both set", true, earlier, later, earlier, later},
    };
    for (const Case &c : cases) {
        CEventItem e = MakeEvent(QStringLiteral("x"), At(2024, 6, 1, 8, 0));
        if (c.hasUniqueId)
            e.SetUniqueId(QStringLiteral("given-id"));
        e.SetCreatedTime(c.created);
        e.SetModified(c.modified);
        ASSERT_EQ(file.SaveEvent(e), S_OK) << c.name;
        EXPECT_EQ(e.GetCreatedTime(), c.expectCreated) << c.name;
        EXPECT_EQ(e.GetModified(), c.expectModified) << c.name;
        EXPECT_EQ(e.GetUniqueId().isEmpty(), false) << c.name;
        if (c.hasUniqueId) {
            EXPECT_EQ(e.GetUniqueId(), QStringLiteral("given-id")) << c.name;
        }
        CEventItem back(e.GetRecordId());
        ASSERT_EQ(file.LoadEvent(back), S_OK);
        EXPECT_EQ(back.GetCreatedTime(), c.expectCreated) << c.name;
    }
}

TEST_F(DataFileItems, TasksAndSummariesWithoutTheKey)
{
    {
        CDataFile file;
        CreateAndOpen(file, QStringLiteral("pw"));
        CTaskItem task = MakeTask(QStringLiteral("Call the bank"), At(2024, 5, 10));
        ASSERT_EQ(file.SaveTask(task), S_OK);
        EXPECT_EQ(task.GetRecordId(), 0x100010u);
        CEventItem event = MakeEvent(QStringLiteral("Dentist"), At(2024, 5, 8, 10, 15), true);
        ASSERT_EQ(file.SaveEvent(event), S_OK);
        CTaskItem back(0x100010);
        ASSERT_EQ(file.LoadTask(back), S_OK);
        EXPECT_EQ(Bytes(back), Bytes(task));
    }
    CDataFile file;
    ASSERT_EQ(file.Open(m_path, true), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    ASSERT_EQ(file.GetPasswordState(), CDataFile::PasswordRequired);
    CEventItem event(16);
    ASSERT_EQ(file.LoadEventSummary(event), S_OK);
    EXPECT_EQ(event.GetStart(), At(2024, 5, 8, 10, 15));
    EXPECT_TRUE(event.IsRecurring());
    EXPECT_TRUE(event.GetSubject().isEmpty());
    CTaskItem task(0x100010);
    ASSERT_EQ(file.LoadTaskSummary(task), S_OK);
    EXPECT_EQ(task.GetDueDate(), At(2024, 5, 10));
    EXPECT_NE(task.GetDataFileStamp(), 0u);
    std::vector<ItemStamp> stamps;
    ASSERT_EQ(file.CollectItemStamps(2, stamps, 10), S_OK);
    ASSERT_EQ(stamps.size(), 1u);
    EXPECT_EQ(stamps[0].stamp, task.GetDataFileStamp());

    EXPECT_EQ(file.LoadEvent(event), QV_E_DECIPHER_CHECK);
    EXPECT_EQ(file.LoadTask(task), QV_E_DECIPHER_CHECK);
    ASSERT_EQ(file.CheckPassword(QStringLiteral("pw")), S_OK);
    ASSERT_EQ(file.LoadEvent(event), S_OK);
    EXPECT_EQ(event.GetSubject(), QStringLiteral("Dentist"));
}

TEST_F(DataFileItems, ItemTypeIndexFollowsTheName)
{
    CDataFile file;
    CreateAndOpen(file);
    CEventItem event = MakeEvent(QStringLiteral("Standup"), At(2024, 5, 7, 9, 0));
    CTaskItem task = MakeTask(QStringLiteral("Ring Ann"), At(2024, 5, 9));
    ASSERT_EQ(file.SaveEvent(event), S_OK);
    ASSERT_EQ(file.SaveTask(task), S_OK);

    FakeTypes types;
    SetItemTypeCatalog(&types);
    CEventItem e(16);
    CTaskItem t(0x100010);
    EXPECT_EQ(file.LoadEvent(e), S_OK);
    EXPECT_EQ(file.LoadTask(t), S_OK);
    EXPECT_EQ(e.GetItemTypeIndex(), 1);
    EXPECT_EQ(t.GetItemTypeIndex(), 0);
    // A reload leaves the index alone.
    e.SetItemTypeIndex(7);
    EXPECT_EQ(file.ReloadEvent(e), S_OK);
    EXPECT_EQ(e.GetItemTypeIndex(), 7);
    SetItemTypeCatalog(nullptr);
    EXPECT_EQ(file.LoadEvent(e), S_OK);
    EXPECT_EQ(e.GetItemTypeIndex(), -1);
}

TEST_F(DataFileItems, FailedFirstSaveLeavesNoItem)
{
    ASSERT_EQ(CDataFile().Create(m_path, QString(), QStringLiteral("pw")), S_OK);
    CDataFile file;
    ASSERT_EQ(file.Open(m_path, false), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    // No key yet: the record cannot be enciphered, after its slot was reserved.
    CEventItem event = MakeEvent(QStringLiteral("Lost?"), At(2024, 5, 7, 9, 0));
    EXPECT_EQ(file.SaveEvent(event), QV_E_ENCIPHER);
    EXPECT_EQ(event.GetRecordId(), 0u);
    std::uint32_t slot = 1;
    ASSERT_EQ(file.GetSlotValue(16, slot), S_OK);
    EXPECT_EQ(slot, SlotFree);
    int count = -1;
    ASSERT_EQ(file.CountItems(1, count), S_OK);
    EXPECT_EQ(count, 0);
    // Saving an item whose id belongs to no event is refused before anything is written.
    CEventItem stray = MakeEvent(QStringLiteral("stray"), At(2024, 5, 7, 9, 0));
    stray.SetRecordId(3);
    EXPECT_EQ(file.SaveEvent(stray), HresultFromSystem(SystemError::InvalidParameter));
    CTaskItem strayTask;
    strayTask.SetRecordId(16);
    EXPECT_EQ(file.SaveTask(strayTask), HresultFromSystem(SystemError::InvalidParameter));

    ASSERT_EQ(file.CheckPassword(QStringLiteral("pw")), S_OK);
    ASSERT_EQ(file.SaveEvent(event), S_OK);
    EXPECT_EQ(event.GetRecordId(), 16u);
    file.Close();
    ASSERT_EQ(file.Open(m_path, true), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    ASSERT_EQ(file.CountItems(1, count), S_OK);
    EXPECT_EQ(count, 1);
}

TEST_F(DataFileItems, DeleteAndReuse)
{
    CDataFile file;
    CreateAndOpen(file);
    for (int i = 0; i < 3; ++i) {
        CEventItem e = MakeEvent(QStringLiteral("E%1").arg(i), At(2024, 5, 7 + i, 9, 0));
        ASSERT_EQ(file.SaveEvent(e), S_OK);
        CTaskItem t = MakeTask(QStringLiteral("T%1").arg(i), At(2024, 5, 7 + i));
        ASSERT_EQ(file.SaveTask(t), S_OK);
    }
    ASSERT_EQ(file.DeleteEvent(17), S_OK);
    ASSERT_EQ(file.DeleteTask(0x100010), S_OK);
    CEventItem gone(17);
    EXPECT_EQ(file.LoadEvent(gone), QV_E_NO_ENTRY);
    std::vector<ItemListEntry> list;
    ASSERT_EQ(file.EnumItemsOfKind(1, list), S_OK);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].recordId, 16u);
    EXPECT_EQ(list[1].recordId, 18u);
    EXPECT_EQ(file.DeleteEvent(17), S_OK) << "deleting twice";

    CEventItem next = MakeEvent(QStringLiteral("New"), At(2024, 6, 1, 9, 0));
    ASSERT_EQ(file.SaveEvent(next), S_OK);
    EXPECT_EQ(next.GetRecordId(), 17u);
    CTaskItem nextTask = MakeTask(QStringLiteral("New"), At(2024, 6, 1));
    ASSERT_EQ(file.SaveTask(nextTask), S_OK);
    EXPECT_EQ(nextTask.GetRecordId(), 0x100010u);
    ASSERT_EQ(file.DeleteEvent(18), S_OK);
    file.Close();

    ASSERT_EQ(file.Open(m_path, true), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    CEventItem deleted(18);
    EXPECT_EQ(file.LoadEvent(deleted), QV_E_ITEM_LOAD);
    CEventItem reused(17);
    ASSERT_EQ(file.LoadEvent(reused), S_OK);
    EXPECT_EQ(reused.GetSubject(), QStringLiteral("New"));
}

TEST_F(DataFileItems, CollectionsOfAKind)
{
    CDataFile file;
    CreateAndOpen(file);
    std::map<std::uint32_t, CEventItem> events;
    for (int i = 0; i < 5; ++i) {
        CEventItem e = MakeEvent(QStringLiteral("Event Ü%1").arg(i), At(2024, 7, 1 + i, 8, 0), i % 2 == 1);
        ASSERT_EQ(file.SaveEvent(e), S_OK);
        events.emplace(e.GetRecordId(), e);
    }
    CTaskItem task = MakeTask(QStringLiteral("Renew passport"), At(2024, 8, 1));
    ASSERT_EQ(file.SaveTask(task), S_OK);

    std::vector<ItemStamp> stamps;
    ASSERT_EQ(file.CollectItemStamps(1, stamps, 3), S_OK);
    ASSERT_EQ(stamps.size(), 3u);
    for (const ItemStamp &s : stamps)
        EXPECT_EQ(s.stamp, events.at(s.recordId).GetDataFileStamp());

    std::vector<ItemListEntry> list;
    ASSERT_EQ(file.EnumItemsOfKind(1, list), S_OK);
    ASSERT_EQ(list.size(), 5u);
    for (const ItemListEntry &entry : list) {
        EXPECT_EQ(entry.kind, 1u);
        EXPECT_EQ(entry.recurring, events.at(entry.recordId).IsRecurring());
        EXPECT_EQ(entry.uniqueId, events.at(entry.recordId).GetUniqueId());
    }

    std::vector<ItemFingerprint> prints;
    ASSERT_EQ(file.CollectFingerprints(1, prints, 100), S_OK);
    ASSERT_EQ(file.CollectFingerprints(2, prints, 100), S_OK);
    ASSERT_EQ(prints.size(), 6u);
    for (const ItemFingerprint &p : prints) {
        const bool isTask = p.recordId == task.GetRecordId();
        const QString subject = isTask ? task.GetSubject() : events.at(p.recordId).GetSubject();
        const CDateTime date = isTask ? task.GetDueDate() : events.at(p.recordId).GetStart();
        std::uint32_t crc = 0;
        const QByteArray bytes = subject.toUtf8();
        const double value = date.Value();
        Crc32Update(bytes.constData(), std::size_t(bytes.size()), crc);
        Crc32Update(&value, 8, crc);
        EXPECT_EQ(p.checksum, crc);
        EXPECT_EQ(p.date, date);
        EXPECT_EQ(p.taskFlags, isTask ? task.GetFlags() : 0u);
    }
    prints.clear();
    ASSERT_EQ(file.CollectFingerprints(1, prints, 2), S_OK);
    EXPECT_EQ(prints.size(), 2u);

    for (int kind : {0, 3, -1}) {
        EXPECT_EQ(file.CollectItemStamps(kind, stamps, 10), QV_E_CANCELLED);
        EXPECT_EQ(file.EnumItemsOfKind(kind, list), QV_E_CANCELLED);
        EXPECT_EQ(file.CollectFingerprints(kind, prints, 10), QV_E_CANCELLED);
        int count = 0;
        EXPECT_EQ(file.CountItems(kind, count), QV_E_CANCELLED);
    }

    // A slot naming a record that is gone: a writable file stops there, a reader goes on.
    ASSERT_EQ(file.GetStorageFile().DeleteObject(18), S_OK);
    stamps.clear();
    EXPECT_EQ(file.CollectItemStamps(1, stamps, 10), QV_E_NO_ENTRY);
    file.Close();
    ASSERT_EQ(file.Open(m_path, true), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    stamps.clear();
    EXPECT_EQ(file.CollectItemStamps(1, stamps, 10), S_OK);
    EXPECT_EQ(stamps.size(), 4u);
}


TEST_F(DataFileItems, OlderFormatIsReadForConversion)
{
    CreateOlderFormatFile(OlderEventRecord("Old choir", At(2009, 3, 3, 18, 0)));
    if (HasFatalFailure())
        return;
    CDataFile file;
    ASSERT_EQ(file.Open(m_path, false), S_OK);
    ASSERT_EQ(file.Validate(), QV_E_BAD_VERSION);
    EXPECT_EQ(file.GetFormatVersion(), 0x00010004u);
    // The conversion: every item read in the older layout and stored in the current one,
    // then the version block rewritten.
    ASSERT_EQ(file.SetConvertedFlag(true), S_OK);
    ASSERT_EQ(file.EnumEvents([&file](std::uint32_t id) {
        CEventItem e(id);
        HRESULT hr = file.LoadEvent(e);
        e.SetUniqueId(QStringLiteral("filled-%1").arg(id)); // as the conversion fills it
        if (hr == S_OK)
            hr = file.SaveEvent(e);
        return hr;
    }),
              S_OK);
    ASSERT_EQ(file.WriteFormatVersion(kCurrentFormatVersion), S_OK);
    CEventItem summary(16);
    ASSERT_EQ(file.LoadEventSummary(summary), S_OK);
    EXPECT_EQ(summary.GetStart(), At(2009, 3, 3, 18, 0));
    ASSERT_EQ(file.SetConvertedFlag(false), S_OK);
    file.Close();

    ASSERT_EQ(file.Open(m_path, true), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    CEventItem e(16);
    ASSERT_EQ(file.LoadEvent(e), S_OK);
    EXPECT_EQ(e.GetSubject(), QStringLiteral("Old choir"));
    EXPECT_EQ(e.GetNotes(), QStringLiteral("old notes"));
    EXPECT_EQ(e.GetStart(), At(2009, 3, 3, 18, 0));
    EXPECT_EQ(e.GetFlags() & CCalendarItem::FlagLocked, 0u);
    EXPECT_EQ(e.GetDataFileStamp(), 0x1234u);
    EXPECT_EQ(e.GetModified(), At(2009, 1, 1)) << "a missing stamp takes the other one";
}

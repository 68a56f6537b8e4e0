// The data file below the item records: the layout of a new file, validation codes, record
// ids and collection growth, record storage and its cipher, enumerations, fixed objects and
// read-only refusals.
#include "core/storage/DataFileTestSupport.h"

#include "core/lists/CategoryList.h"
#include "core/lists/ItemTypeList.h"
#include "core/storage/Cipher.h"
#include "core/lists/MasterList.h"
#include "core/storage/VersionBlock.h"

#include <QFile>
#include <vector>

using namespace datafile_test;
using namespace DataFileLayout;

namespace {
class DataFileTest : public DataFileFixture
{
  protected:
    // Reserves an id and stores a record under it, as a save of a new item does.
    static std::uint32_t AddRecord(CDataFile &file, std::uint32_t collection, std::uint32_t marker)
    {
        std::uint32_t id = 0;
        EXPECT_EQ(file.AllocateId(collection, id), S_OK);
        EXPECT_EQ(file.WriteRecord(id, MakeRecord(marker, 100 + marker % 50)), S_OK);
        EXPECT_EQ(file.SetSlotValue(id, collection == EventCollection ? SlotEvent : SlotTask), S_OK);
        return id;
    }

    static std::vector<std::uint32_t> EventIds(CDataFile &file, HRESULT *result = nullptr)
    {
        std::vector<std::uint32_t> ids;
        const HRESULT hr = file.EnumEvents([&ids](std::uint32_t id) {
            ids.push_back(id);
            return S_OK;
        });
        if (result)
            *result = hr;
        return ids;
    }
};
} // namespace

TEST_F(DataFileTest, NewFileLayout)
{
    ASSERT_EQ(CDataFile().Create(m_path, QStringLiteral("Home"), QString()), S_OK);
    // Header and root table, then a level-2 and a level-3 table for ids 0..5 and again for
    // the task collection; the objects themselves have no blocks yet.
    EXPECT_EQ(QFile(m_path).size(), 53392);
    const QByteArray bytes = ReadWholeFile(m_path);
    EXPECT_EQ(U32(bytes, 68), 53392u);

    CDataFile file;
    ASSERT_EQ(file.Open(m_path, true), S_OK);
    EXPECT_EQ(file.GetFormatVersion(), 0u);
    ASSERT_EQ(file.Validate(), S_OK);
    EXPECT_EQ(file.GetFormatVersion(), kCurrentFormatVersion);
    EXPECT_EQ(file.GetPasswordState(), CDataFile::PasswordNone);
    EXPECT_EQ(file.GetTitle(), QStringLiteral("Home"));
    EXPECT_EQ(file.GetPath(), m_path);
    EXPECT_FALSE(file.IsBackupCopy());
    EXPECT_FALSE(file.IsConverted());
    for (std::uint32_t id : {0u, 1u, 2u, 3u, 4u, 5u, 0x100000u}) {
        std::uint32_t offset = 1;
        ASSERT_EQ(file.GetStorageFile().OpenObject(id, offset), S_OK) << id;
        EXPECT_EQ(offset, 0u) << id;
        file.GetStorageFile().ReleaseObject(id);
    }
    // Opening read-write writes nothing into a complete file.
    file.Close();
    ASSERT_EQ(file.Open(m_path, false), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    file.Close();
    EXPECT_EQ(ReadWholeFile(m_path), bytes);
}

TEST_F(DataFileTest, CreateNeverReplacesAFile)
{
    {
        QFile f(m_path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    EXPECT_EQ(CDataFile().Create(m_path, QString(), QString()), HresultFromSystem(SystemError::FileExists));
    EXPECT_EQ(ReadWholeFile(m_path), QByteArray("keep me"));
    EXPECT_NE(CDataFile().Create(m_dir.filePath("no/such/folder.qvd"), QString(), QString()), S_OK);
}

TEST_F(DataFileTest, ValidateCodes)
{
    struct Case
    {
        const char *name;
        std::function<void(const QString &)> damage;
        HRESULT expected;
        std::uint32_t version; // kept by Validate
    };
    auto writeVersion = [](std::uint32_t v) {
        return [v](const QString &path) {
            CStorageFile f;
            ASSERT_EQ(f.OpenExisting(path, false), S_OK);
            ASSERT_EQ(f.WriteFormatVersion(v), S_OK);
        };
    };
    const Case cases[] = {
        {"current", [](const QString &) {}, S_OK, kCurrentFormatVersion},
        {"converted flag", [](const QString &path) { PatchFile(path, 28, QByteArray("\x00\x01", 2)); },
         QV_E_CONVERT_FAILED, 0},
        {"older 1.4", writeVersion(0x00010004), QV_E_BAD_VERSION, 0x00010004},
        {"older 1.1", writeVersion(0x00010001), QV_E_BAD_VERSION, 0x00010001},
        {"newer", writeVersion(0x00020006), QV_E_NEWER_VERSION, 0x00020006},
        {"damaged version block", [](const QString &path) { PatchFile(path, 1030, QByteArray("xx")); },
         QV_E_CORRUPT_CONTACT, 0},
        {"zero version block", [](const QString &path) { PatchFile(path, 1024, QByteArray(32, 0)); },
         QV_E_CORRUPT_CONTACT, 0},
    };
    for (const Case &c : cases) {
        QFile::remove(m_path);
        ASSERT_EQ(CDataFile().Create(m_path, QString(), QStringLiteral("pw")), S_OK);
        c.damage(m_path);
        for (bool readOnly : {true, false}) {
            CDataFile file;
            ASSERT_EQ(file.Open(m_path, readOnly), S_OK) << c.name;
            EXPECT_EQ(file.Validate(), c.expected) << c.name;
            EXPECT_EQ(file.GetFormatVersion(), c.version) << c.name;
            if (c.version != 0) {
                EXPECT_EQ(file.GetPasswordState(), CDataFile::PasswordRequired) << c.name;
            }
        }
    }
}

TEST_F(DataFileTest, PasswordsAndKeys)
{
    CDataFile file;
    ASSERT_EQ(file.Create(m_path, QString(), QStringLiteral("s3cret")), S_OK);
    ASSERT_EQ(file.Open(m_path, false), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    EXPECT_EQ(file.GetPasswordState(), CDataFile::PasswordRequired);
    EXPECT_FALSE(file.GetKey());
    EXPECT_EQ(file.CheckPassword(QStringLiteral("S3CRET")), QV_E_WRONG_PASSWORD);
    ASSERT_EQ(file.CheckPassword(QStringLiteral("s3cret")), S_OK);
    const std::uint32_t id = [&] {
        std::uint32_t v = 0;
        EXPECT_EQ(file.AllocateId(EventCollection, v), S_OK);
        return v;
    }();
    const QByteArray record = MakeRecord(7, 300);
    ASSERT_EQ(file.WriteRecord(id, record), S_OK);
    ASSERT_EQ(file.SetSlotValue(id, SlotEvent), S_OK);

    // A wrong password leaves the key in force.
    EXPECT_EQ(file.CheckPassword(QStringLiteral("wrong")), QV_E_WRONG_PASSWORD);
    QByteArray back;
    ASSERT_EQ(file.ReadRecord(id, -1, back), S_OK);
    EXPECT_EQ(back, record);
    const std::unique_ptr<CCipher> key = file.GetKey();
    ASSERT_TRUE(key);
    file.Close();

    // A reader: the plain prefix without the key, the rest only with it (or the kept key).
    ASSERT_EQ(file.Open(m_path, true), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    ASSERT_EQ(file.ReadRecord(id, SummaryLength, back), S_OK);
    EXPECT_EQ(back, record.left(SummaryLength));
    EXPECT_EQ(file.ReadRecord(id, -1, back), QV_E_DECIPHER_CHECK);
    EXPECT_TRUE(back.isEmpty());
    ASSERT_EQ(file.CheckPassword(*key), S_OK);
    ASSERT_EQ(file.ReadRecord(id, -1, back), S_OK);
    EXPECT_EQ(back, record);
    file.Close();

    // A writer without the password: what needs the key is refused, the rest goes through.
    ASSERT_EQ(file.Open(m_path, false), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    ASSERT_FALSE(file.GetKey());
    ASSERT_EQ(file.ReadRecord(id, SummaryLength, back), S_OK);
    EXPECT_EQ(file.ReadRecord(id, -1, back), QV_E_DECIPHER_CHECK);
    EXPECT_EQ(file.WriteRecord(kFixedLocations, MakeRecord(8, 60)), QV_E_ENCIPHER);
    QByteArray none;
    EXPECT_EQ(file.ReadFixedObject(kFixedLocations, none), S_OK);
    EXPECT_TRUE(none.isEmpty()) << "a refused write stored nothing";
    EXPECT_EQ(file.SetTitle(QStringLiteral("Renamed")), S_OK);
    EXPECT_EQ(file.DeleteEvent(id), S_OK);
    int count = -1;
    ASSERT_EQ(file.CountItems(1, count), S_OK);
    EXPECT_EQ(count, 0);
    std::uint32_t second = 0;
    EXPECT_EQ(file.AllocateId(EventCollection, second), S_OK);
    file.Close();
    ASSERT_EQ(file.Open(m_path, true), S_OK);
    EXPECT_EQ(file.GetTitle(), QStringLiteral("Renamed"));
}

TEST_F(DataFileTest, NoPasswordNeedsNoPrompt)
{
    {
        CDataFile file;
        CreateAndOpen(file);
        ASSERT_EQ(file.WriteFixedObject(kFixedLocations, MakeRecord(3, 40)), S_OK);
    }
    CDataFile file;
    ASSERT_EQ(file.Open(m_path, true), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    EXPECT_EQ(file.GetPasswordState(), CDataFile::PasswordNone);
    QByteArray back;
    EXPECT_EQ(file.ReadFixedObject(kFixedLocations, back), S_OK);
    EXPECT_EQ(back, MakeRecord(3, 40));
}

TEST_F(DataFileTest, RecordsAreStoredEncipheredAfterThePrefix)
{
    CDataFile file;
    CreateAndOpen(file);
    const QByteArray record = MakeRecord(11, 250);
    ASSERT_EQ(file.WriteRecord(kFixedPrintStyles, record), S_OK);
    const std::uint32_t at = ObjectOffset(file, kFixedPrintStyles);
    ASSERT_NE(at, 0u);
    const QByteArray stored = ReadWholeFile(m_path).mid(at, record.size());
    EXPECT_EQ(stored.left(SummaryLength), record.left(SummaryLength));
    QByteArray body = stored.mid(SummaryLength);
    EXPECT_NE(body, record.mid(SummaryLength));
    ASSERT_TRUE(CCipher(KeyFromPassword(QString())).Decrypt(body.data(), std::size_t(body.size())));
    EXPECT_EQ(body, record.mid(SummaryLength));

    // The whole read is cut to the used length; a short read is as stored.
    QByteArray back;
    ASSERT_EQ(file.ReadRecord(kFixedPrintStyles, -1, back), S_OK);
    EXPECT_EQ(back, record);
    ASSERT_EQ(file.ReadRecord(kFixedPrintStyles, 10, back), S_OK);
    EXPECT_EQ(back, record.left(10));
    ASSERT_EQ(file.ReadRecord(kFixedPrintStyles, 1 << 20, back), S_OK);
    EXPECT_EQ(back.size(), qsizetype(BlockUsable(file, at)));
    EXPECT_EQ(back.left(SummaryLength), record.left(SummaryLength));
}

TEST_F(DataFileTest, RewriteMovesToANewBlockAndFreesTheOld)
{
    CDataFile file;
    CreateAndOpen(file);
    for (std::uint32_t bodyLength : {400u, 400u, 100u, 2000u}) {
        const std::uint32_t before = ObjectOffset(file, kFixedItemTypes);
        const QByteArray record = MakeRecord(bodyLength, bodyLength);
        ASSERT_EQ(file.WriteRecord(kFixedItemTypes, record), S_OK);
        const std::uint32_t after = ObjectOffset(file, kFixedItemTypes);
        EXPECT_NE(after, before) << bodyLength;
        if (before != 0) {
            std::uint32_t usable = 0;
            EXPECT_EQ(file.GetStorageFile().GetBlockDataSize(before, usable), QV_E_2A)
                << "old block still in use";
        }
        QByteArray back;
        ASSERT_EQ(file.ReadRecord(kFixedItemTypes, -1, back), S_OK);
        EXPECT_EQ(back, record);
    }
    QString problem;
    ASSERT_EQ(file.GetStorageFile().CheckAllocator(problem), S_OK);
    EXPECT_EQ(problem, QString());
    // An empty record leaves the object without data.
    ASSERT_EQ(file.WriteRecord(kFixedItemTypes, QByteArray()), S_OK);
    EXPECT_EQ(ObjectOffset(file, kFixedItemTypes), 0u);
}

TEST_F(DataFileTest, DamagedRecordsAreRefusedBeforeDeciphering)
{
    CDataFile file;
    CreateAndOpen(file);
    struct Case
    {
        const char *name;
        std::uint32_t used;
        std::uint32_t prefix;
    };
    const Case cases[] = {
        {"used below prefix", 100, 164},          {"used beyond the block", 0x10000, 164},
        {"body not whole blocks", 164 + 40, 164}, {"huge used length", 0xFFFFFFF0, 164},
        {"huge prefix", 0xFFFFFFF0, 0xFFFFFFE0},
    };
    for (const Case &c : cases) {
        // Stored raw, past the record cipher.
        QByteArray record = MakeRecord(5, 64);
        std::memcpy(record.data() + 4, &c.used, 4);
        std::memcpy(record.data() + 8, &c.prefix, 4);
        CStorageFile &storage = file.GetStorageFile();
        std::uint32_t old = 0, block = 0;
        ASSERT_EQ(storage.OpenOrCreateObject(kFixedWebPublishOptions, old), S_OK);
        ASSERT_EQ(storage.AllocateBlock(std::uint32_t(record.size()), block), S_OK);
        ASSERT_EQ(storage.WriteAt(block, record.constData(), std::size_t(record.size())), S_OK);
        ASSERT_EQ(storage.SetObjectOffset(kFixedWebPublishOptions, block), S_OK);
        storage.ReleaseObject(kFixedWebPublishOptions);

        QByteArray back("stale");
        EXPECT_EQ(file.ReadFixedObject(kFixedWebPublishOptions, back), QV_E_BAD_DATA_TYPE) << c.name;
        EXPECT_TRUE(back.isEmpty()) << c.name;
        // The plain prefix still reads.
        EXPECT_EQ(file.ReadRecord(kFixedWebPublishOptions, 12, back), S_OK) << c.name;
    }
    // A record to write whose lengths do not fit its buffer is refused before anything is written.
    QByteArray bad = MakeRecord(6, 64);
    bad.chop(16);
    EXPECT_EQ(file.WriteRecord(kFixedWebPublishOptions, bad), QV_E_ENCIPHER);
}

TEST_F(DataFileTest, RecordsWithoutData)
{
    {
        CDataFile file;
        CreateAndOpen(file);
        QByteArray back("x");
        // An object without data reads as nothing in a writable file.
        EXPECT_EQ(file.ReadRecord(kFixedItemTypes, -1, back), S_OK);
        EXPECT_TRUE(back.isEmpty());
        EXPECT_EQ(file.ReadRecord(0x1234, -1, back), QV_E_NO_ENTRY);
        EXPECT_EQ(file.ReadFixedObject(0, back), HresultFromSystem(SystemError::InvalidParameter));
        EXPECT_EQ(file.ReadFixedObject(6, back), HresultFromSystem(SystemError::InvalidParameter));
    }
    // In a read-only file both are "the item could not be loaded".
    CDataFile file;
    ASSERT_EQ(file.Open(m_path, true), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    QByteArray back;
    EXPECT_EQ(file.ReadRecord(kFixedItemTypes, -1, back), QV_E_ITEM_LOAD);
    EXPECT_EQ(file.ReadRecord(0x1234, -1, back), QV_E_ITEM_LOAD);
    EXPECT_EQ(file.ReadFixedObject(kFixedMasterCategories, back), QV_E_ITEM_LOAD);
}

TEST_F(DataFileTest, FirstIdsAndCollectionGrowth)
{
    CDataFile file;
    CreateAndOpen(file);
    std::uint32_t id = 0;
    ASSERT_EQ(file.AllocateId(EventCollection, id), S_OK);
    EXPECT_EQ(id, 16u);
    // Asked for 128 slots (512 bytes): a 528-byte block with 519 usable bytes, 129 slots.
    const std::uint32_t first = ObjectOffset(file, EventCollection);
    EXPECT_EQ(BlockUsable(file, first), 519u);
    std::uint32_t slot = 0;
    ASSERT_EQ(file.GetSlotValue(16, slot), S_OK);
    EXPECT_EQ(slot, SlotReserved);

    ASSERT_EQ(file.AllocateId(TaskCollection, id), S_OK);
    EXPECT_EQ(id, 0x100010u);

    for (std::uint32_t expected = 17; expected < 16 + 129; ++expected) {
        ASSERT_EQ(file.AllocateId(EventCollection, id), S_OK);
        ASSERT_EQ(id, expected);
    }
    EXPECT_EQ(ObjectOffset(file, EventCollection), first);
    // The 130th grows the collection: 257 slots asked (1028 bytes), a 1040-byte block.
    ASSERT_EQ(file.AllocateId(EventCollection, id), S_OK);
    EXPECT_EQ(id, 145u);
    const std::uint32_t grown = ObjectOffset(file, EventCollection);
    EXPECT_NE(grown, first);
    EXPECT_EQ(BlockUsable(file, grown), 1031u);
    // The old slots came along; the new ones are free.
    for (std::uint32_t check : {16u, 100u, 144u, 145u}) {
        ASSERT_EQ(file.GetSlotValue(check, slot), S_OK);
        EXPECT_EQ(slot, SlotReserved) << check;
    }
    ASSERT_EQ(file.GetSlotValue(146, slot), S_OK);
    EXPECT_EQ(slot, SlotFree);

    // A freed slot is the next one handed out when every lower one is in use.
    ASSERT_EQ(file.SetSlotValue(20, SlotFree), S_OK);
    ASSERT_EQ(file.SetSlotValue(90, SlotFree), S_OK);
    ASSERT_EQ(file.AllocateId(EventCollection, id), S_OK);
    EXPECT_EQ(id, 20u);
    ASSERT_EQ(file.AllocateId(EventCollection, id), S_OK);
    EXPECT_EQ(id, 90u);
    ASSERT_EQ(file.AllocateId(EventCollection, id), S_OK);
    EXPECT_EQ(id, 146u);

    // The same after reopening (nothing kept in memory decides it).
    for (std::uint32_t stored = 16; stored <= 146; ++stored)
        ASSERT_EQ(file.SetSlotValue(stored, SlotEvent), S_OK);
    file.Close();
    ASSERT_EQ(file.Open(m_path, false), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    ASSERT_EQ(file.SetSlotValue(30, SlotEvent), S_OK);
    ASSERT_EQ(file.SetSlotValue(18, SlotFree), S_OK);
    ASSERT_EQ(file.AllocateId(EventCollection, id), S_OK);
    EXPECT_EQ(id, 18u);
}

TEST_F(DataFileTest, SlotArgumentsAreChecked)
{
    CDataFile file;
    CreateAndOpen(file);
    const HRESULT invalid = HresultFromSystem(SystemError::InvalidParameter);
    std::uint32_t id = 0;
    EXPECT_EQ(file.AllocateId(5, id), invalid);
    EXPECT_EQ(file.AllocateId(EventCollection, id), S_OK);
    // Slots beyond the collection, ids of no collection, fixed objects.
    for (std::uint32_t bad : {0u, 5u, 15u, 16u + 129u, 0x100000u, 0x10000Fu, 0x100010u, 0x1000000u}) {
        EXPECT_EQ(file.SetSlotValue(bad, SlotEvent), invalid) << bad;
    }
    EXPECT_EQ(file.DeleteEvent(0x100010), invalid);
    EXPECT_EQ(file.DeleteTask(16), invalid);
    EXPECT_EQ(file.DeleteEvent(3), invalid);
}

TEST_F(DataFileTest, EventIdsNeverReachTheTaskCollection)
{
    CDataFile file;
    CreateAndOpen(file);
    CStorageFile &storage = file.GetStorageFile();
    // An event collection with every slot below the limit but the last few in use.
    auto installCollection = [&](std::uint32_t slotCount, std::uint32_t freeFrom) {
        std::vector<std::uint32_t> slotValues(slotCount, SlotEvent);
        for (std::uint32_t i = freeFrom; i < slotCount; ++i)
            slotValues[i] = SlotFree;
        std::uint32_t old = 0, block = 0;
        ASSERT_EQ(storage.OpenOrCreateObject(EventCollection, old), S_OK);
        ASSERT_EQ(storage.AllocateBlock(slotCount * 4, block), S_OK);
        std::uint32_t usable = 0;
        ASSERT_EQ(storage.GetBlockDataSize(block, usable), S_OK);
        slotValues.resize(usable / 4 + 1, SlotFree);
        ASSERT_EQ(storage.WriteAt(block, slotValues.data(), usable), S_OK);
        ASSERT_EQ(storage.SetObjectOffset(EventCollection, block), S_OK);
        storage.ReleaseObject(EventCollection);
    };
    // 100 slots short of the limit: growth stops at the limit.
    installCollection(MaxEventSlots - 100, MaxEventSlots - 100);
    file.Close();
    ASSERT_EQ(file.Open(m_path, false), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    std::uint32_t id = 0;
    for (std::uint32_t n = 0; n < 100; ++n) {
        ASSERT_EQ(file.AllocateId(EventCollection, id), S_OK);
    }
    EXPECT_EQ(id, TaskCollection - 1);
    EXPECT_EQ(file.AllocateId(EventCollection, id), QV_E_FILE_FULL);
    EXPECT_EQ(id, 0u);
    // The task collection is untouched and still hands out its first id.
    ASSERT_EQ(file.AllocateId(TaskCollection, id), S_OK);
    EXPECT_EQ(id, 0x100010u);
    // A collection block with room beyond the limit does not use it.
    installCollection(MaxEventSlots + 8, MaxEventSlots);
    EXPECT_EQ(file.AllocateId(EventCollection, id), QV_E_FILE_FULL);
    std::uint32_t seen = 0;
    EXPECT_EQ(file.EnumEvents([&seen](std::uint32_t recordId) {
        seen = std::max(seen, recordId);
        return S_OK;
    }),
              S_OK);
    EXPECT_EQ(seen, TaskCollection - 1);
}

TEST_F(DataFileTest, EnumerationResults)
{
    {
        CDataFile file;
        CreateAndOpen(file);
        for (std::uint32_t m = 0; m < 5; ++m)
            AddRecord(file, EventCollection, m);
        AddRecord(file, TaskCollection, 9);
        EXPECT_EQ(EventIds(file), (std::vector<std::uint32_t>{16, 17, 18, 19, 20}));
        int count = 0;
        EXPECT_EQ(file.CountItems(2, count), S_OK);
        EXPECT_EQ(count, 1);
        EXPECT_EQ(file.CountItems(3, count), QV_E_CANCELLED);

        // In a writable file any result but 0 ends the walk and is returned.
        for (HRESULT stop : {S_FALSE, QV_E_ITEM_LOAD, QV_E_CORRUPT}) {
            int calls = 0;
            EXPECT_EQ(file.EnumEvents([&](std::uint32_t) {
                ++calls;
                return calls == 2 ? stop : S_OK;
            }),
                      stop);
            EXPECT_EQ(calls, 2);
        }
        file.Close();
        EXPECT_EQ(EventIds(file), std::vector<std::uint32_t>()) << "a closed file enumerates nothing";
    }
    CDataFile file;
    ASSERT_EQ(file.Open(m_path, true), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    struct Case
    {
        std::vector<HRESULT> results; // per call
        HRESULT expected;
        int calls;
    };
    const Case cases[] = {
        {{S_OK, QV_E_ITEM_LOAD, S_OK, S_OK, QV_E_ITEM_LOAD}, S_OK, 5},
        {{S_OK, S_FALSE, S_OK, S_OK, S_FALSE}, S_FALSE, 5},
        {{QV_E_REFUSED, S_OK, S_OK, S_OK, QV_E_NO_HINT}, QV_E_NO_HINT, 5},
        {{S_OK, QV_E_CORRUPT, S_OK, S_OK, S_OK}, QV_E_CORRUPT, 2},
        {{S_OK, S_OK, S_OK, S_OK, 14}, 14, 5},
    };
    for (const Case &c : cases) {
        int calls = 0;
        EXPECT_EQ(file.EnumEvents([&](std::uint32_t) { return c.results[std::size_t(calls++)]; }),
                  c.expected);
        EXPECT_EQ(calls, c.calls);
    }
}

TEST_F(DataFileTest, ReservedSlotsWithoutDataAreNoItems)
{
    CDataFile file;
    CreateAndOpen(file);
    const std::uint32_t a = AddRecord(file, EventCollection, 1);
    std::uint32_t pending = 0, written = 0;
    // One save that got no further than its slot, one that wrote its record but not its slot.
    ASSERT_EQ(file.AllocateId(EventCollection, pending), S_OK);
    ASSERT_EQ(file.AllocateId(EventCollection, written), S_OK);
    ASSERT_EQ(file.WriteRecord(written, MakeRecord(2, 80)), S_OK);
    const std::uint32_t b = AddRecord(file, EventCollection, 3);
    EXPECT_EQ(EventIds(file), (std::vector<std::uint32_t>{a, written, b}));
    int count = 0;
    ASSERT_EQ(file.CountItems(1, count), S_OK);
    EXPECT_EQ(count, 3);

    // Reopening settles both: the first slot is free again, the second names a stored item.
    file.Close();
    {
        CDataFile reader;
        ASSERT_EQ(reader.Open(m_path, true), S_OK);
        ASSERT_EQ(reader.Validate(), S_OK);
        EXPECT_EQ(EventIds(reader), (std::vector<std::uint32_t>{a, written, b}));
    }
    ASSERT_EQ(file.Open(m_path, false), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    std::uint32_t value = 0;
    ASSERT_EQ(file.GetSlotValue(pending, value), S_OK);
    EXPECT_EQ(value, SlotFree);
    ASSERT_EQ(file.GetSlotValue(written, value), S_OK);
    EXPECT_EQ(value, SlotEvent);
    std::uint32_t id = 0;
    ASSERT_EQ(file.AllocateId(EventCollection, id), S_OK);
    EXPECT_EQ(id, pending);
}

TEST_F(DataFileTest, CallbacksMayChangeTheCollection)
{
    CDataFile file;
    CreateAndOpen(file);
    for (std::uint32_t m = 0; m < 129; ++m)
        AddRecord(file, EventCollection, m);
    // While walking: delete the item after the current one, and add enough new items that
    // the collection moves to a larger block. The deleted one is not reported; the walk
    // ends with the items stored.
    std::vector<std::uint32_t> seen;
    ASSERT_EQ(file.EnumEvents([&](std::uint32_t id) {
        seen.push_back(id);
        if (id == 20) {
            EXPECT_EQ(file.DeleteEvent(21), S_OK);
        }
        if (id == 30) {
            for (std::uint32_t m = 0; m < 3; ++m)
                AddRecord(file, EventCollection, 500 + m);
        }
        return S_OK;
    }),
              S_OK);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 21u), 0);
    // 21 was taken again by the first new item (the lowest free slot), behind the walk.
    EXPECT_EQ(seen.size(), 129u - 1u + 2u);
    EXPECT_EQ(seen.back(), 16u + 130u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
}

TEST_F(DataFileTest, FixedObjectsThroughTheLists)
{
    {
        CDataFile file;
        CreateAndOpen(file);
        CMasterList master;
        ASSERT_EQ(master.Load(file), S_OK);
        EXPECT_EQ(master.GetCount(), 0);
        master.Add(CCategory(QStringLiteral("Work"), 0x0000FF));
        master.Add(CCategory(QStringLiteral("Home"), 0x00FF00));
        ASSERT_EQ(master.Save(file), S_OK);
        CCategoryList locations;
        ASSERT_EQ(locations.Load(file), S_OK);
        locations.Add(CCategory(QStringLiteral("Office")));
        ASSERT_EQ(locations.Save(file), S_OK);
        // A new file's item types are made and stored at their first load.
        CItemTypeList types;
        ASSERT_EQ(types.Load(file), S_OK);
        EXPECT_EQ(types.GetTypeCount(), 11);
        EXPECT_NE(ObjectOffset(file, kFixedItemTypes), 0u);
    }
    CDataFile file;
    ASSERT_EQ(file.Open(m_path, true), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    CMasterList master;
    ASSERT_EQ(master.Load(file), S_OK);
    ASSERT_EQ(master.GetCount(), 2);
    EXPECT_EQ(master.GetAt(0)->GetName(), QStringLiteral("Work"));
    EXPECT_EQ(master.GetAt(1)->GetColor(), 0x00FF00u);
    CCategoryList locations;
    ASSERT_EQ(locations.Load(file), S_OK);
    ASSERT_EQ(locations.GetCount(), 1);
    EXPECT_EQ(locations.GetAt(0)->GetName(), QStringLiteral("Office"));
    CItemTypeList types;
    ASSERT_EQ(types.Load(file), S_OK);
    EXPECT_EQ(types.GetTypeCount(), 11);
}

TEST_F(DataFileTest, ReadOnlyFileRefusesChanges)
{
    {
        CDataFile file;
        CreateAndOpen(file);
        AddRecord(file, EventCollection, 1);
    }
    const QByteArray before = ReadWholeFile(m_path);
    CDataFile file;
    ASSERT_EQ(file.Open(m_path, true), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    const HRESULT denied = HresultFromSystem(SystemError::AccessDenied);
    std::uint32_t id = 0;
    EXPECT_EQ(file.AllocateId(EventCollection, id), denied);
    EXPECT_EQ(file.SetSlotValue(16, SlotFree), denied);
    EXPECT_EQ(file.WriteRecord(16, MakeRecord(1, 10)), denied);
    EXPECT_EQ(file.WriteFixedObject(kFixedItemTypes, MakeRecord(1, 10)), denied);
    EXPECT_EQ(file.DeleteEvent(16), denied);
    EXPECT_EQ(file.WriteFormatVersion(kCurrentFormatVersion), denied);
    file.Close();
    EXPECT_EQ(ReadWholeFile(m_path), before);
    // A closed file refuses too.
    EXPECT_NE(file.AllocateId(EventCollection, id), S_OK);
    QByteArray back;
    EXPECT_NE(file.ReadRecord(16, -1, back), S_OK);
}

TEST_F(DataFileTest, HeaderFieldsAndRegistryPath)
{
    CDataFile file;
    CreateAndOpen(file);
    ASSERT_EQ(file.SetTitle(QString(200, QLatin1Char('t'))), S_OK);
    EXPECT_EQ(file.GetTitle(), QString(127, QLatin1Char('t')));
    ASSERT_EQ(file.SetBackupFlag(true), S_OK);
    EXPECT_TRUE(file.IsBackupCopy());
    ASSERT_EQ(file.SetConvertedFlag(true), S_OK);
    EXPECT_TRUE(file.IsConverted());
    ASSERT_EQ(file.SetConvertedFlag(false), S_OK);
    EXPECT_FALSE(file.IsConverted());
    EXPECT_TRUE(file.IsBackupCopy());
    ASSERT_EQ(file.SetLastBackupTime(CDateTime(2024, 3, 1, 12, 0, 0)), S_OK);
    file.Close();

    // "%x%x": the low 32 bits of the creation time first, without leading zeros.
    struct Case
    {
        double created;
        const char *section;
    };
    const Case cases[] = {
        {2.0, "Database\\040000000"}, // low word 0
        {45000.5, "Database\\040e5f910"},
        {1.0 / 3.0, "Database\\555555553fd55555"},
    };
    for (const Case &c : cases) {
        PatchFile(m_path, 48, QByteArray(reinterpret_cast<const char *>(&c.created), 8));
        ASSERT_EQ(file.Open(m_path, true), S_OK);
        EXPECT_EQ(file.GetRegistrySection(), QString::fromLatin1(c.section));
        EXPECT_EQ(file.GetRegistryPath(QStringLiteral("SF")), QString::fromLatin1(c.section) + "\\SF");
        EXPECT_EQ(file.GetLastBackupTime(), CDateTime(2024, 3, 1, 12, 0, 0));
        file.Close();
    }
}

TEST_F(DataFileTest, CopyToNewFileCarriesTheHeaderAndObjects)
{
    CDataFile source;
    CreateAndOpen(source, QStringLiteral("pw"));
    const std::uint32_t a = AddRecord(source, EventCollection, 1);
    const std::uint32_t t = AddRecord(source, TaskCollection, 2);
    ASSERT_EQ(source.WriteFixedObject(kFixedItemTypes, MakeRecord(3, 500)), S_OK);

    const QString copyPath = m_dir.filePath("backup.qvd");
    CDataFile copy;
    ASSERT_EQ(copy.CopyToNewFile(copyPath, source), S_OK);
    EXPECT_EQ(copy.GetFormatVersion(), kCurrentFormatVersion);
    for (std::uint32_t id : {EventCollection, TaskCollection, a, t, std::uint32_t(kFixedItemTypes)})
        ASSERT_EQ(copy.CopyObjectFrom(source, id), S_OK) << id;
    ASSERT_EQ(copy.SetBackupFlag(true), S_OK);
    copy.Close();
    EXPECT_EQ(copy.CopyToNewFile(copyPath, source), HresultFromSystem(SystemError::FileExists));

    ASSERT_EQ(copy.Open(copyPath, true), S_OK);
    ASSERT_EQ(copy.Validate(), S_OK);
    EXPECT_TRUE(copy.IsBackupCopy());
    EXPECT_EQ(copy.GetPasswordState(), CDataFile::PasswordRequired);
    EXPECT_EQ(copy.GetCreationTime(), source.GetCreationTime());
    EXPECT_EQ(copy.GetTitle(), source.GetTitle());
    ASSERT_EQ(copy.CheckPassword(QStringLiteral("pw")), S_OK);
    EXPECT_EQ(EventIds(copy), std::vector<std::uint32_t>{a});
    QByteArray back;
    ASSERT_EQ(copy.ReadRecord(a, -1, back), S_OK);
    EXPECT_EQ(back, MakeRecord(1, 101));
    ASSERT_EQ(copy.ReadRecord(t, -1, back), S_OK);
    EXPECT_EQ(back, MakeRecord(2, 102));
    ASSERT_EQ(copy.ReadItemTypes(back), S_OK);
    EXPECT_EQ(back, MakeRecord(3, 500));
}

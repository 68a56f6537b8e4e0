// Damaged and truncated data files give result codes, never a crash or a hang: specific
// damage gives its own code, and files cut or scribbled on anywhere are read through every
// path without a fault (the sanitizers watch the reads).
#include "core/storage/DataFileTestSupport.h"

#include <QFile>
#include <random>
#include <vector>

using namespace datafile_test;
using namespace DataFileLayout;

namespace {
class DataFileDamage : public DataFileFixture
{
  protected:
    // A file with events (enough to grow the collection), a task and two fixed objects.
    void MakeFile()
    {
        CDataFile file;
        CreateAndOpen(file, QStringLiteral("pw"));
        for (std::uint32_t m = 0; m < 140; ++m) {
            std::uint32_t id = 0;
            ASSERT_EQ(file.AllocateId(m == 7 ? TaskCollection : EventCollection, id), S_OK);
            ASSERT_EQ(file.WriteRecord(id, MakeRecord(m, 16 + m * 13 % 700)), S_OK);
            ASSERT_EQ(file.SetSlotValue(id, m == 7 ? SlotTask : SlotEvent), S_OK);
        }
        ASSERT_EQ(file.WriteFixedObject(kFixedItemTypes, MakeRecord(1000, 3000)), S_OK);
        ASSERT_EQ(file.WriteFixedObject(kFixedLocations, MakeRecord(1001, 200)), S_OK);
    }

    // Runs every read path over the file, read-only and read-write; returns the first
    // failure code seen (S_OK when everything read). A save is tried in the writable open.
    static HRESULT Exercise(const QString &path)
    {
        HRESULT first = S_OK;
        auto note = [&first](HRESULT hr) {
            EXPECT_TRUE(hr == S_OK || hr == S_FALSE || Failed(hr)) << std::hex << hr;
            if (first == S_OK && hr != S_OK)
                first = hr;
            return hr;
        };
        for (bool readOnly : {true, false}) {
            CDataFile file;
            if (note(file.Open(path, readOnly)) != S_OK)
                continue;
            note(file.Validate());
            note(file.CheckPassword(QStringLiteral("pw")));
            QByteArray record;
            for (int id = kFixedItemTypes; id <= kFixedPrintStyles; ++id)
                note(file.ReadFixedObject(id, record));
            auto readEach = [&](std::uint32_t id) {
                QByteArray r;
                note(file.ReadRecord(id, SummaryLength, r));
                return note(file.ReadRecord(id, -1, r)) == S_OK ? S_OK : S_FALSE;
            };
            note(file.EnumEvents(readEach));
            note(file.EnumTasks(readEach));
            if (!readOnly) {
                std::uint32_t id = 0;
                if (note(file.AllocateId(EventCollection, id)) == S_OK)
                    note(file.WriteRecord(id, MakeRecord(77, 50)));
            }
        }
        return first;
    }
};
} // namespace

TEST_F(DataFileDamage, SpecificDamageGivesItsCode)
{
    MakeFile();
    const QString pristine = m_dir.filePath("pristine.qvd");
    ASSERT_TRUE(QFile::copy(m_path, pristine));
    std::uint32_t collectionBlock = 0, recordBlock = 0;
    {
        CDataFile file;
        ASSERT_EQ(file.Open(m_path, true), S_OK);
        collectionBlock = ObjectOffset(file, EventCollection);
        recordBlock = ObjectOffset(file, 20);
    }
    ASSERT_NE(collectionBlock, 0u);
    ASSERT_NE(recordBlock, 0u);

    struct Case
    {
        const char *name;
        std::function<void(const QString &)> damage;
        HRESULT open;     // of a read-only open
        HRESULT validate; // after a successful open
    };
    const Case cases[] = {
        {"empty file", [](const QString &p) { QFile::resize(p, 0); }, QV_E_BAD_BLOCK, S_OK},
        {"cut in the header", [](const QString &p) { QFile::resize(p, 1500); }, QV_E_BAD_BLOCK, S_OK},
        {"magic", [](const QString &p) { PatchFile(p, 0, "?"); }, QV_E_UNEXPECTED_DATA_FORMAT, S_OK},
        {"header version", [](const QString &p) { Patch32(p, 8, 2); }, QV_E_UNEXPECTED_DATA_FORMAT, S_OK},
        {"version block", [](const QString &p) { PatchFile(p, 1050, "!"); }, S_OK, QV_E_CORRUPT_CONTACT},
        {"root table offset", [](const QString &p) { Patch32(p, 64, 2058); }, QV_E_BAD_BLOCK, S_OK},
    };
    for (const Case &c : cases) {
        QFile::remove(m_path);
        ASSERT_TRUE(QFile::copy(pristine, m_path));
        c.damage(m_path);
        CDataFile file;
        EXPECT_EQ(file.Open(m_path, true), c.open) << c.name;
        if (c.open == S_OK) {
            EXPECT_EQ(file.Validate(), c.validate) << c.name;
        }
        Exercise(m_path);
    }

    // Damage inside the objects shows when they are read.
    struct ReadCase
    {
        const char *name;
        std::uint32_t offset;
        std::uint32_t value;
        HRESULT enumerate; // EnumEvents with loads
    };
    const ReadCase reads[] = {
        // The collection's block header says it is free.
        {"collection block not in use", collectionBlock - 1, 0, QV_E_2A},
        // A record's used length beyond its block.
        {"record length", recordBlock + 4, 0x7FFFFFF0, QV_E_BAD_DATA_TYPE},
        // A slot naming a record that has no object.
        {"slot of nothing", collectionBlock + 4 * 139, SlotEvent, QV_E_NO_ENTRY},
    };
    for (const ReadCase &c : reads) {
        QFile::remove(m_path);
        ASSERT_TRUE(QFile::copy(pristine, m_path));
        if (c.offset == collectionBlock - 1)
            PatchFile(m_path, c.offset, QByteArray(1, 0));
        else
            Patch32(m_path, c.offset, c.value);
        CDataFile file;
        ASSERT_EQ(file.Open(m_path, false), S_OK) << c.name;
        ASSERT_EQ(file.Validate(), S_OK) << c.name;
        ASSERT_EQ(file.CheckPassword(QStringLiteral("pw")), S_OK);
        EXPECT_EQ(file.EnumEvents([&file](std::uint32_t id) {
            QByteArray r;
            return file.ReadRecord(id, -1, r);
        }),
                  c.enumerate)
            << c.name;
    }
}

TEST_F(DataFileDamage, BrokenChainIsReportedWhenAWriterOpens)
{
    MakeFile();
    std::uint32_t record = 0;
    {
        CDataFile file;
        ASSERT_EQ(file.Open(m_path, true), S_OK);
        record = ObjectOffset(file, 20);
    }
    ASSERT_NE(record, 0u);
    Patch32(m_path, record - 9, 0); // a block of size 0 ends the walk
    const QByteArray before = ReadWholeFile(m_path);

    CDataFile writer;
    ASSERT_EQ(writer.Open(m_path, false), S_OK);
    EXPECT_EQ(writer.Validate(), QV_E_DAMAGED);
    EXPECT_EQ(writer.GetFormatVersion(), kCurrentFormatVersion);
    EXPECT_EQ(writer.GetPasswordState(), CDataFile::PasswordRequired);
    // Still readable, never written.
    ASSERT_EQ(writer.CheckPassword(QStringLiteral("pw")), S_OK);
    QByteArray back;
    EXPECT_EQ(writer.ReadRecord(21, -1, back), S_OK);
    std::uint32_t id = 0;
    EXPECT_EQ(writer.AllocateId(EventCollection, id), QV_E_DAMAGED);
    writer.Close();
    EXPECT_EQ(ReadWholeFile(m_path), before);

    CDataFile reader;
    ASSERT_EQ(reader.Open(m_path, true), S_OK);
    EXPECT_EQ(reader.Validate(), S_OK);
}

TEST_F(DataFileDamage, WriterOpenFreesBlocksNothingNames)
{
    // A save stopped after allocating its new block, before the entry named it: the block is
    // in use and nothing refers to it.
    MakeFile();
    std::uint32_t leaked = 0;
    {
        CStorageFile storage;
        ASSERT_EQ(storage.OpenExisting(m_path, false), S_OK);
        ASSERT_EQ(storage.AllocateBlock(700, leaked), S_OK);
        ASSERT_EQ(storage.WriteAt(leaked, "orphan", 6), S_OK);
    }
    const std::uint32_t end = U32(ReadWholeFile(m_path), 68);
    ASSERT_EQ(storage_test::CheckChain(m_path), QString());

    // A reader leaves the file as it is.
    {
        CDataFile reader;
        ASSERT_EQ(reader.Open(m_path, true), S_OK);
        std::uint32_t usable = 0;
        EXPECT_EQ(reader.GetStorageFile().GetBlockDataSize(leaked, usable), S_OK);
    }

    CDataFile writer;
    ASSERT_EQ(writer.Open(m_path, false), S_OK);
    ASSERT_EQ(writer.Validate(), S_OK);
    ASSERT_EQ(writer.CheckPassword(QStringLiteral("pw")), S_OK);
    std::uint32_t usable = 0;
    EXPECT_EQ(writer.GetStorageFile().GetBlockDataSize(leaked, usable), QV_E_2A) << "still in use";
    QString problem;
    ASSERT_EQ(writer.GetStorageFile().CheckAllocator(problem), S_OK);
    EXPECT_EQ(problem, QString());
    // Every item is still there, and the freed space is used again before the file grows.
    int count = 0;
    ASSERT_EQ(writer.CountItems(1, count), S_OK);
    EXPECT_EQ(count, 139);
    EXPECT_EQ(writer.EnumEvents([&writer](std::uint32_t id) {
        QByteArray r;
        return writer.ReadRecord(id, -1, r);
    }),
              S_OK);
    ASSERT_EQ(writer.WriteFixedObject(kFixedPrintStyles, MakeRecord(5, 500)), S_OK);
    EXPECT_EQ(U32(ReadWholeFile(m_path), 68), end);
    writer.Close();

    // Nothing is left to free the next time.
    int freed = -1;
    CStorageFile storage;
    ASSERT_EQ(storage.OpenExisting(m_path, false), S_OK);
    ASSERT_EQ(storage.FreeUnreferencedBlocks(&freed), S_OK);
    EXPECT_EQ(freed, 0);
}

TEST_F(DataFileDamage, TruncatedAnywhere)
{
    MakeFile();
    const QByteArray whole = ReadWholeFile(m_path);
    std::vector<qsizetype> cuts = {0, 7, 8, 64, 115, 116, 1024, 1055, 2047, 2048, 2057, 2127, 2128, 3000};
    for (qsizetype at = 2128; at < whole.size(); at += 1733)
        cuts.push_back(at);
    cuts.push_back(whole.size() - 1);
    for (qsizetype cut : cuts) {
        QFile::remove(m_path);
        {
            QFile f(m_path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(whole.left(cut));
        }
        SCOPED_TRACE(cut);
        const HRESULT hr = Exercise(m_path);
        if (cut < 2048) {
            EXPECT_EQ(hr, QV_E_BAD_BLOCK);
        }
    }
}

TEST_F(DataFileDamage, ScribbledBytes)
{
    MakeFile();
    const QByteArray whole = ReadWholeFile(m_path);
    std::mt19937 rng(1234);
    for (int round = 0; round < 60; ++round) {
        QByteArray damaged = whole;
        // A few bytes anywhere past the header, sometimes a run of them, sometimes header
        // fields the engine trusts.
        const int count = 1 + int(rng() % 6);
        for (int i = 0; i < count; ++i) {
            const qsizetype at =
                round % 4 == 0 ? 64 + qsizetype(rng() % 16) : 2048 + qsizetype(rng() % (whole.size() - 2048));
            const qsizetype run = rng() % 3 == 0 ? 1 + qsizetype(rng() % 24) : 1;
            for (qsizetype k = at; k < std::min(at + run, damaged.size()); ++k)
                damaged[k] = char(rng());
        }
        QFile::remove(m_path);
        {
            QFile f(m_path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(damaged);
        }
        SCOPED_TRACE(round);
        Exercise(m_path);
    }
}

// Damaged and truncated files: the engine answers with its error codes, never writes
// through a damaged link, and a read-write open rebuilds the allocator state that a cut-off
// write sequence can leave behind.
#include "core/storage/StorageTestSupport.h"

#include "core/storage/StorageFile.h"

#include <QFile>

using namespace storage_test;
using namespace StorageLayout;

namespace {
class StorageDamage : public StorageFixture
{
  public:
    // A file with blocks A B C D E (data offsets in m_blocks), B and D free, each block
    // holding its index in its first bytes.
    void MakeFile()
    {
        CStorageFile file;
        CreateFile(file);
        for (std::uint32_t i = 0; i < 5; ++i) {
            std::uint32_t offset = 0;
            ASSERT_EQ(file.AllocateBlock(100 + 50 * i, offset), S_OK);
            ASSERT_EQ(file.WriteAt(offset, &i, 4), S_OK);
            m_blocks.push_back(offset);
        }
        ASSERT_EQ(file.FreeBlock(m_blocks[1]), S_OK);
        ASSERT_EQ(file.FreeBlock(m_blocks[3]), S_OK);
        ASSERT_EQ(CheckChain(m_path), QString());
    }
    std::uint32_t Start(int i) const { return m_blocks[static_cast<std::size_t>(i)] - 9; }
    void ExpectLiveBlocksIntact(CStorageFile &file, const std::vector<std::uint32_t> &live = {0, 2, 4})
    {
        for (std::uint32_t i : live) {
            std::uint32_t stored = 99;
            ASSERT_EQ(file.ReadAt(m_blocks[i], &stored, 4), S_OK);
            EXPECT_EQ(stored, i);
        }
    }

    std::vector<std::uint32_t> m_blocks;
};
} // namespace

TEST_F(StorageDamage, NotADataFileOrTruncatedHeader)
{
    struct Case
    {
        const char *name;
        qint64 offset;
        QByteArray bytes;
        qint64 truncateTo; // -1: keep the size
        HRESULT expected;
    };
    const Case cases[] = {
        {"magic", 3, "X", -1, QV_E_UNEXPECTED_DATA_FORMAT},
        {"header version", 8, QByteArray::fromHex("02000000"), -1, QV_E_UNEXPECTED_DATA_FORMAT},
        {"empty file", 0, {}, 0, QV_E_BAD_BLOCK},
        {"cut inside the first header bytes", 0, {}, 50, QV_E_BAD_BLOCK},
        {"cut before the version block", 0, {}, 116, QV_E_BAD_BLOCK},
        {"cut inside the title", 0, {}, 2000, QV_E_BAD_BLOCK},
    };
    for (const Case &c : cases) {
        for (bool readOnly : {true, false}) {
            QFile::remove(m_path);
            {
                CStorageFile file;
                CreateFile(file);
            }
            if (!c.bytes.isEmpty())
                PatchFile(m_path, c.offset, c.bytes);
            if (c.truncateTo >= 0) {
                ASSERT_TRUE(QFile::resize(m_path, c.truncateTo));
            }
            CStorageFile file;
            EXPECT_EQ(file.OpenExisting(m_path, readOnly), c.expected) << c.name;
            EXPECT_FALSE(file.IsOpen()) << c.name;
        }
    }
    CStorageFile file;
    EXPECT_EQ(file.OpenExisting(m_dir.filePath("missing.qvd"), true),
              HresultFromSystem(SystemError::FileNotFound));
    // A folder picked as the data file: refused as the system refuses opening a folder, not
    // as a device error.
    for (bool readOnly : {true, false}) {
        EXPECT_EQ(file.OpenExisting(m_dir.path(), readOnly), HresultFromSystem(SystemError::AccessDenied))
            << readOnly;
        EXPECT_FALSE(file.IsOpen());
    }
}

TEST_F(StorageDamage, BrokenChainMakesTheFileReadOnlyInEffect)
{
    struct Case
    {
        const char *name;
        int block;
        std::uint32_t size;
    };
    const Case cases[] = {
        {"zero size", 2, 0},
        {"size past the end", 2, 0x100000},
        {"size not a multiple of 16", 0, 120},
        {"size below the smallest block", 4, 16},
    };
    for (const Case &c : cases) {
        QFile::remove(m_path);
        m_blocks.clear();
        MakeFile();
        Patch32(m_path, Start(c.block), c.size);
        const QByteArray before = ReadWholeFile(m_path);
        CStorageFile file;
        ASSERT_EQ(file.OpenExisting(m_path, false), S_OK) << c.name;
        EXPECT_EQ(file.GetStickyError(), QV_E_DAMAGED) << c.name;
        std::uint32_t offset = 0;
        EXPECT_EQ(file.AllocateBlock(10, offset), QV_E_DAMAGED) << c.name;
        EXPECT_EQ(file.FreeBlock(m_blocks[0]), QV_E_DAMAGED) << c.name;
        EXPECT_EQ(file.WriteAt(m_blocks[0], "x", 1), QV_E_DAMAGED) << c.name;
        std::uint32_t stored = 99;
        EXPECT_EQ(file.ReadAt(m_blocks[0], &stored, 4), S_OK);
        EXPECT_EQ(stored, 0u);
        file.Close();
        EXPECT_EQ(ReadWholeFile(m_path), before) << c.name;
    }

    // A body cut short of the end of used space is damaged the same way.
    QFile::remove(m_path);
    m_blocks.clear();
    MakeFile();
    ASSERT_TRUE(QFile::resize(m_path, Start(3) + 5));
    CStorageFile file;
    ASSERT_EQ(file.OpenExisting(m_path, false), S_OK);
    EXPECT_EQ(file.GetStickyError(), QV_E_DAMAGED);
    std::uint32_t size = 0;
    EXPECT_EQ(file.GetBlockDataSize(m_blocks[4], size), QV_E_BAD_BLOCK);
}

TEST_F(StorageDamage, DamagedFreeListFoundWhileOpen)
{
    // Links damaged behind the engine's back while it has the file open (as a failing disk
    // or another program could): the walk stops, nothing is written through the bad link,
    // every change is refused until the file is closed, and reopening repairs it.
    struct Case
    {
        const char *name;
        std::uint32_t (*offset)(const StorageDamage &);
        std::uint32_t (*value)(const StorageDamage &);
    };
    // The free list is D -> B (D was freed last).
    const Case cases[] = {
        {"next names an in-use block", [](const StorageDamage &t) { return t.Start(3) + 9; },
         [](const StorageDamage &t) { return t.Start(2); }},
        {"next names itself", [](const StorageDamage &t) { return t.Start(3) + 9; },
         [](const StorageDamage &t) { return t.Start(3); }},
        {"next not aligned", [](const StorageDamage &t) { return t.Start(3) + 9; },
         [](const StorageDamage &t) { return t.Start(1) + 3; }},
        {"loop back to the head", [](const StorageDamage &t) { return t.Start(1) + 9; },
         [](const StorageDamage &t) { return t.Start(3); }},
        {"previous link wrong", [](const StorageDamage &t) { return t.Start(1) + 13; },
         [](const StorageDamage &t) { return t.Start(0); }},
        {"head names a block's middle", [](const StorageDamage &) { return 72u; },
         [](const StorageDamage &t) { return t.Start(2) + 32; }},
        {"size of a free block grown", [](const StorageDamage &t) { return t.Start(1); },
         [](const StorageDamage &) { return 0x10000u; }},
    };
    for (const Case &c : cases) {
        QFile::remove(m_path);
        m_blocks.clear();
        MakeFile();
        CStorageFile file;
        ASSERT_EQ(file.OpenExisting(m_path, false), S_OK);
        Patch32(m_path, c.offset(*this), c.value(*this));
        const QByteArray before = ReadWholeFile(m_path);
        std::uint32_t offset = 0;
        EXPECT_EQ(file.AllocateBlock(2000, offset), QV_E_BAD_BLOCK) << c.name; // walks the whole list
        EXPECT_EQ(file.GetStickyError(), QV_E_DAMAGED) << c.name;
        EXPECT_EQ(file.AllocateBlock(10, offset), QV_E_DAMAGED) << c.name;
        EXPECT_EQ(file.FreeBlock(m_blocks[0]), QV_E_DAMAGED) << c.name;
        ExpectLiveBlocksIntact(file);
        file.Close();
        EXPECT_EQ(ReadWholeFile(m_path), before) << c.name;

        if (QString(c.name) == "size of a free block grown")
            continue; // the chain itself is broken: not repairable
        ASSERT_EQ(file.OpenExisting(m_path, false), S_OK) << c.name;
        EXPECT_EQ(file.GetStickyError(), S_OK) << c.name;
        EXPECT_EQ(CheckChain(m_path), QString()) << c.name;
        ExpectLiveBlocksIntact(file);
        EXPECT_EQ(file.AllocateBlock(2000, offset), S_OK) << c.name;
        EXPECT_EQ(CheckChain(m_path), QString()) << c.name;
    }
}

TEST_F(StorageDamage, OpenRepairsWhatACutOffSequenceLeaves)
{
    // Each case is a state some prefix of the allocator's writes can leave on disk.
    struct Case
    {
        const char *name;
        void (*damage)(StorageDamage &);
        bool freesC = false;
    };
    const Case cases[] = {
        {"stale previous size after a split or merge",
         [](StorageDamage &t) { Patch32(t.m_path, t.Start(2) + 4, 999 * 16); }},
        {"freed block not yet on the list (head still old)",
         [](StorageDamage &t) {
             // E marked free, not linked, not merged: the first write of a release.
             PatchFile(t.m_path, t.Start(4) + 8, QByteArray(1, 0));
         }},
        {"free blocks not yet merged",
         [](StorageDamage &t) {
             // C marked free and pushed on the list, neighbours B and D not yet absorbed.
             PatchFile(t.m_path, t.Start(2) + 8, QByteArray(1, 0));
             Patch32(t.m_path, t.Start(2) + 9, t.Start(3));
             Patch32(t.m_path, t.Start(2) + 13, 0);
             Patch32(t.m_path, t.Start(3) + 13, t.Start(2));
             Patch32(t.m_path, 72, t.Start(2));
         },
         true},
        {"taken block still on the list",
         [](StorageDamage &t) { PatchFile(t.m_path, t.Start(3) + 8, QByteArray(1, 1)); }},
        {"list emptied before the in-use bit was set", [](StorageDamage &t) { Patch32(t.m_path, 72, 0); }},
        {"last-block size stale", [](StorageDamage &t) { Patch32(t.m_path, 76, 32); }},
    };
    for (const Case &c : cases) {
        QFile::remove(m_path);
        m_blocks.clear();
        MakeFile();
        c.damage(*this);
        const std::vector<std::uint32_t> live =
            c.freesC ? std::vector<std::uint32_t>{0, 4} : std::vector<std::uint32_t>{0, 2, 4};
        ASSERT_NE(CheckChain(m_path), QString()) << c.name;
        const QByteArray before = ReadWholeFile(m_path);
        {
            // A reader neither needs nor makes the repair.
            CStorageFile reader;
            ASSERT_EQ(reader.OpenExisting(m_path, true), S_OK);
            ExpectLiveBlocksIntact(reader, live);
        }
        EXPECT_EQ(ReadWholeFile(m_path), before);

        CStorageFile file;
        ASSERT_EQ(file.OpenExisting(m_path, false), S_OK) << c.name;
        EXPECT_EQ(file.GetStickyError(), S_OK) << c.name;
        EXPECT_EQ(CheckChain(m_path), QString()) << c.name;
        ExpectLiveBlocksIntact(file, live);
        // And the allocator carries on from the rebuilt state.
        std::vector<std::uint32_t> fresh;
        for (std::uint32_t n : {20u, 150u, 400u, 3000u}) {
            std::uint32_t offset = 0;
            ASSERT_EQ(file.AllocateBlock(n, offset), S_OK) << c.name;
            fresh.push_back(offset);
        }
        for (std::uint32_t offset : fresh)
            ASSERT_EQ(file.FreeBlock(offset), S_OK) << c.name;
        EXPECT_EQ(CheckChain(m_path), QString()) << c.name;
        ExpectLiveBlocksIntact(file, live);
    }
}

TEST_F(StorageDamage, DamagedObjectTable)
{
    MakeFile();
    const std::uint32_t root = U32(ReadWholeFile(m_path), 64);
    {
        CStorageFile file;
        ASSERT_EQ(file.OpenExisting(m_path, false), S_OK);
        std::uint32_t offset = 0;
        ASSERT_EQ(file.OpenOrCreateObject(7, offset), S_OK);
        ASSERT_EQ(file.SetObjectOffset(7, m_blocks[0]), S_OK);
        ASSERT_EQ(file.ReleaseObject(7), S_OK);
    }
    const QByteArray good = ReadWholeFile(m_path);
    const std::uint32_t level2 = U32(good, root + 4);

    // Table offsets that name no in-use block large enough for a table.
    for (std::uint32_t bad : {level2 + 3, 0x7FFFFFF9u, Start(1) + 9, m_blocks[0]}) {
        PatchFile(m_path, 0, good);
        Patch32(m_path, root + 4, bad);
        const QByteArray before = ReadWholeFile(m_path);
        CStorageFile file;
        ASSERT_EQ(file.OpenExisting(m_path, false), S_OK);
        std::uint32_t offset = 0;
        EXPECT_EQ(file.OpenObject(7, offset), QV_E_BAD_BLOCK) << bad;
        EXPECT_EQ(file.OpenOrCreateObject(8, offset), QV_E_BAD_BLOCK) << bad;
        EXPECT_EQ(file.DeleteObject(7), QV_E_BAD_BLOCK) << bad;
        file.Close();
        EXPECT_EQ(ReadWholeFile(m_path), before) << bad;
    }

    // An entry whose offset is garbage: its size is refused, and replacing or deleting it
    // drops the garbage without touching the allocator.
    PatchFile(m_path, 0, good);
    const std::uint32_t level3 = U32(good, level2 + 4);
    Patch32(m_path, level3 + 4 + 7 * 6, 0x12345);
    CStorageFile file;
    ASSERT_EQ(file.OpenExisting(m_path, false), S_OK);
    std::uint32_t offset = 0;
    ASSERT_EQ(file.OpenObject(7, offset), S_OK);
    EXPECT_EQ(offset, 0x12345u);
    std::uint32_t size = 0;
    EXPECT_EQ(file.GetBlockDataSize(offset, size), QV_E_2A);
    EXPECT_EQ(file.SetObjectOffset(7, m_blocks[2]), S_OK);
    EXPECT_EQ(file.ReleaseObject(7), S_OK);
    EXPECT_EQ(file.DeleteObject(7), S_OK);
    EXPECT_EQ(file.GetStickyError(), S_OK);
    EXPECT_EQ(CheckChain(m_path), QString());
}

// The storage file engine: layout of a new file, block sizes, split and coalesce, the
// object table, header fields, and a randomised run against an independent chain checker.
#include "core/storage/StorageTestSupport.h"

#include "core/storage/StorageFile.h"

#include <QFile>
#include <map>
#include <random>

using namespace storage_test;
using namespace StorageLayout;

namespace {
class StorageFile : public StorageFixture
{
};

std::uint32_t Allocate(CStorageFile &file, std::uint32_t n)
{
    std::uint32_t offset = 0;
    EXPECT_EQ(file.AllocateBlock(n, offset), S_OK) << n;
    return offset;
}
} // namespace

TEST_F(StorageFile, NewFileLayout)
{
    CStorageFile file;
    CreateFile(file);
    EXPECT_FALSE(file.IsReadOnly());
    const QByteArray b = ReadWholeFile(m_path);
    ASSERT_EQ(b.size(), 2048 + 80);
    EXPECT_EQ(b.left(8), QByteArray("!QVDATA$"));
    EXPECT_EQ(U32(b, 8), 1u);
    EXPECT_EQ(U32(b, 64), 2057u); // root table data offset
    EXPECT_EQ(U32(b, 68), 2128u); // end of used space
    EXPECT_EQ(U32(b, 72), 0u);    // free list empty
    EXPECT_EQ(U32(b, 76), 80u);   // last block size
    EXPECT_EQ(U32(b, 2048), 80u); // the root block: 80 bytes, first block, in use
    EXPECT_EQ(U32(b, 2052), 0u);
    EXPECT_EQ(b[2056], 1);
    EXPECT_EQ(U32(b, 2057), RootMagic);
    EXPECT_EQ(b.mid(2061, 64), QByteArray(64, 0));
    EXPECT_GT(file.GetCreationTime().Value(), CDateTime(2020, 1, 1).Value());
    EXPECT_TRUE(file.GetTitle().isEmpty());
    EXPECT_EQ(CheckChain(m_path), QString());

    // Create never replaces a file.
    CStorageFile again;
    EXPECT_EQ(again.Create(m_path), HresultFromSystem(SystemError::FileExists));
    EXPECT_EQ(ReadWholeFile(m_path), b);
}

TEST_F(StorageFile, RequestSizesToBlockSizes)
{
    const std::pair<std::uint32_t, std::uint32_t> table[] = {
        {0, 32},  {1, 32},  {7, 32},    {8, 32},      {9, 32},        {23, 32},
        {24, 48}, {68, 80}, {512, 528}, {1028, 1040}, {24580, 24592},
    };
    CStorageFile file;
    CreateFile(file);
    for (const auto &[request, size] : table) {
        EXPECT_EQ(BlockSizeFor(request), size) << request;
        const std::uint32_t offset = Allocate(file, request);
        EXPECT_EQ((offset - 9) % 16, 0u);
        std::uint32_t usable = 0;
        EXPECT_EQ(file.GetBlockDataSize(offset, usable), S_OK);
        EXPECT_EQ(usable, size - 9) << request;
        EXPECT_GE(usable, request);
    }
    std::uint32_t usable = 1;
    EXPECT_EQ(file.GetBlockDataSize(0, usable), S_OK);
    EXPECT_EQ(usable, 0u);
    EXPECT_EQ(CheckChain(m_path), QString());
}

TEST_F(StorageFile, SplitOnlyBeyondTheSlack)
{
    // A free block of 512 bytes; requests whose block size is 512 - 128 and 512 - 144.
    struct Case
    {
        std::uint32_t wantedBlock;
        bool split;
    };
    for (const Case c : {Case{384, false}, Case{368, true}, Case{512, false}}) {
        QFile::remove(m_path);
        CStorageFile file;
        CreateFile(file);
        const std::uint32_t a = Allocate(file, 512 - 24);
        Allocate(file, 100); // keeps the freed block from being the last one
        ASSERT_EQ(file.FreeBlock(a), S_OK);
        const std::uint32_t taken = Allocate(file, c.wantedBlock - 24);
        EXPECT_EQ(taken, a) << c.wantedBlock; // first fit reuses the free block
        std::uint32_t usable = 0;
        ASSERT_EQ(file.GetBlockDataSize(taken, usable), S_OK);
        const QByteArray b = ReadWholeFile(m_path);
        if (c.split) {
            EXPECT_EQ(usable, c.wantedBlock - 9);
            const std::uint32_t rest = a - 9 + c.wantedBlock;
            EXPECT_EQ(U32(b, 72), rest);                  // the remainder heads the free list
            EXPECT_EQ(U32(b, rest), 512 - c.wantedBlock); // its size
            EXPECT_EQ(U32(b, rest + 4), c.wantedBlock);   // its previous size
            EXPECT_EQ(U32(b, rest + 512 - c.wantedBlock + 4),
                      512 - c.wantedBlock); // next block's previous size
        } else {
            EXPECT_EQ(usable, 512u - 9);
            EXPECT_EQ(U32(b, 72), 0u);
        }
        EXPECT_EQ(CheckChain(m_path), QString()) << c.wantedBlock;
    }
}

TEST_F(StorageFile, FreeingCoalescesNeighbours)
{
    CStorageFile file;
    CreateFile(file);
    const std::uint32_t a = Allocate(file, 100); // 112
    const std::uint32_t b = Allocate(file, 200); // 224
    const std::uint32_t c = Allocate(file, 300); // 320
    const std::uint32_t d = Allocate(file, 50);  // 64, the last block

    // Two adjacent blocks become one whose size the following block records.
    ASSERT_EQ(file.FreeBlock(b), S_OK);
    ASSERT_EQ(file.FreeBlock(a), S_OK);
    QByteArray bytes = ReadWholeFile(m_path);
    EXPECT_EQ(U32(bytes, a - 9), 112u + 224);
    EXPECT_EQ(U32(bytes, c - 9 + 4), 112u + 224);
    EXPECT_EQ(U32(bytes, 72), a - 9);
    EXPECT_EQ(CheckChain(m_path), QString());

    // Freeing the last block merges it with a free block before it: the last-block size is the sum.
    ASSERT_EQ(file.FreeBlock(c), S_OK);
    bytes = ReadWholeFile(m_path);
    EXPECT_EQ(U32(bytes, a - 9), 112u + 224 + 320);
    ASSERT_EQ(file.FreeBlock(d), S_OK);
    bytes = ReadWholeFile(m_path);
    EXPECT_EQ(U32(bytes, a - 9), 112u + 224 + 320 + 64);
    EXPECT_EQ(U32(bytes, 76), 112u + 224 + 320 + 64);
    EXPECT_EQ(U32(bytes, 68), static_cast<std::uint32_t>(bytes.size()));
    EXPECT_EQ(CheckChain(m_path), QString());

    // A request that fits takes the merged block from its start.
    EXPECT_EQ(Allocate(file, 600), a);
    EXPECT_EQ(CheckChain(m_path), QString());
}

TEST_F(StorageFile, FreeRefusesWhatIsNoInUseBlock)
{
    CStorageFile file;
    CreateFile(file);
    const std::uint32_t a = Allocate(file, 40);
    const std::uint32_t b = Allocate(file, 40);
    ASSERT_EQ(file.FreeBlock(a), S_OK);
    for (std::uint32_t bad : {0u, 9u, 2056u, 2058u, b + 16, b + 1000, a /* already free */, 0xFFFFFFF9u}) {
        EXPECT_EQ(file.FreeBlock(bad), QV_E_2A) << bad;
        std::uint32_t size = 0;
        if (bad != 0) {
            EXPECT_EQ(file.GetBlockDataSize(bad, size), QV_E_2A) << bad;
        }
    }
    EXPECT_EQ(CheckChain(m_path), QString());
    EXPECT_EQ(file.GetStickyError(), S_OK);
    std::uint32_t huge = 0;
    EXPECT_EQ(file.AllocateBlock(0xFFFFFFF0u, huge), HresultFromSystem(SystemError::DiskFull));
}

TEST_F(StorageFile, ObjectTable)
{
    CStorageFile file;
    CreateFile(file);
    // The seven objects of a new data file make it 53,392 bytes long.
    for (std::uint32_t id : {0u, 1u, 2u, 3u, 4u, 5u, 0x100000u}) {
        std::uint32_t offset = 1;
        ASSERT_EQ(file.OpenOrCreateObject(id, offset), S_OK);
        EXPECT_EQ(offset, 0u);
        ASSERT_EQ(file.ReleaseObject(id), S_OK);
    }
    EXPECT_EQ(QFile(m_path).size(), 53392);

    std::uint32_t offset = 0;
    EXPECT_EQ(file.OpenObject(0x1000000, offset), QV_E_29);
    EXPECT_EQ(file.OpenOrCreateObject(0x1000000, offset), QV_E_29);
    EXPECT_EQ(file.DeleteObject(0x1000000), QV_E_29);
    EXPECT_EQ(file.DeleteObject(0x12345), S_OK); // never created
    EXPECT_EQ(file.OpenObject(0x12345, offset), QV_E_NO_ENTRY);
    EXPECT_EQ(file.OpenObject(6, offset), QV_E_NO_ENTRY); // table exists, entry does not
    EXPECT_EQ(file.ReleaseObject(6), HresultFromSystem(158));

    // Ids at the edges of every table level, and ids that share a level-2 index under
    // different root slots, each keep their own entry.
    const std::uint32_t ids[] = {0, 5, 0xFFF, 0x1000, 0x100005, 0x1FF005, 0xFFFFFF, 0x205, 16};
    std::map<std::uint32_t, std::uint32_t> blockOf;
    for (std::uint32_t id : ids) {
        ASSERT_EQ(file.OpenOrCreateObject(id, offset), S_OK) << id;
        const std::uint32_t block = Allocate(file, 16 + id % 50);
        ASSERT_EQ(file.WriteAt(block, &id, 4), S_OK);
        ASSERT_EQ(file.SetObjectOffset(id, block), S_OK);
        ASSERT_EQ(file.ReleaseObject(id), S_OK);
        blockOf[id] = block;
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (std::uint32_t id : ids) {
            ASSERT_EQ(file.OpenObject(id, offset), S_OK) << id;
            EXPECT_EQ(offset, blockOf[id]) << id;
            std::uint32_t stored = 0;
            ASSERT_EQ(file.ReadAt(offset, &stored, 4), S_OK);
            EXPECT_EQ(stored, id);
            ASSERT_EQ(file.ReleaseObject(id), S_OK);
        }
        ASSERT_EQ(file.Close(), S_OK);
        ASSERT_EQ(file.OpenExisting(m_path, pass == 0), S_OK);
    }
    file.Close();
    ASSERT_EQ(file.OpenExisting(m_path, false), S_OK);

    // A new offset frees the old block; deleting frees the block and clears the entry.
    ASSERT_EQ(file.OpenObject(5, offset), S_OK);
    const std::uint32_t moved = Allocate(file, 400);
    ASSERT_EQ(file.SetObjectOffset(5, moved), S_OK);
    ASSERT_EQ(file.ReleaseObject(5), S_OK);
    std::uint32_t size = 0;
    EXPECT_EQ(file.GetBlockDataSize(blockOf[5], size), QV_E_2A);
    ASSERT_EQ(file.DeleteObject(5), S_OK);
    EXPECT_EQ(file.GetBlockDataSize(moved, size), QV_E_2A);
    EXPECT_EQ(file.OpenObject(5, offset), QV_E_NO_ENTRY);
    EXPECT_EQ(CheckChain(m_path), QString());
}

TEST_F(StorageFile, NestedOpensOfOneObject)
{
    CStorageFile file;
    CreateFile(file);
    std::uint32_t offset = 0;
    ASSERT_EQ(file.OpenOrCreateObject(0, offset), S_OK);
    ASSERT_EQ(file.OpenOrCreateObject(0, offset), S_OK); // an enumeration saving into its own collection
    EXPECT_EQ(file.ReleaseObject(0), S_OK);
    EXPECT_EQ(file.ReleaseObject(0), S_OK);
    EXPECT_EQ(file.ReleaseObject(0), HresultFromSystem(158));
}

TEST_F(StorageFile, HeaderFields)
{
    {
        CStorageFile file;
        CreateFile(file);
        // The title keeps 127 bytes, cut before a character that would not fit whole.
        ASSERT_EQ(file.SetTitle(QString(200, 'T')), S_OK);
        EXPECT_EQ(file.GetTitle(), QString(127, 'T'));
        const QString accented = QString(126, 'a') + QStringLiteral("é");
        ASSERT_EQ(file.SetTitle(accented), S_OK);
        EXPECT_EQ(file.GetTitle(), QString(126, 'a'));
        ASSERT_EQ(file.SetTitle(QStringLiteral("Family calendar — 2024")), S_OK);
        ASSERT_EQ(file.SetLastBackupTime(CDateTime(2024, 5, 6, 7, 8, 9)), S_OK);
        ASSERT_EQ(file.SetBackupFlag(true), S_OK);
        ASSERT_EQ(file.SetConvertedFlag(true), S_OK);
        ASSERT_EQ(file.SetBackupFlag(false), S_OK);
        ASSERT_EQ(file.Flush(), S_OK);
    }
    const QByteArray b = ReadWholeFile(m_path);
    EXPECT_EQ(b.mid(1920, 128).indexOf('\0'), QByteArray("Family calendar — 2024").size());
    EXPECT_EQ(b.mid(28, 2), QByteArray::fromHex("0001"));

    CStorageFile file;
    ASSERT_EQ(file.OpenExisting(m_path, true), S_OK);
    EXPECT_EQ(file.GetTitle(), QStringLiteral("Family calendar — 2024"));
    EXPECT_EQ(file.GetLastBackupTime(), CDateTime(2024, 5, 6, 7, 8, 9));
    EXPECT_EQ(file.GetFlags(), FlagConverted);
    StorageFileInformation info;
    ASSERT_EQ(file.GetFileInformation(info), S_OK);
    EXPECT_EQ(info.size, static_cast<std::uint64_t>(b.size()));
    EXPECT_EQ(info.links, 1u);
}

TEST_F(StorageFile, OpeningSetsAMissingCreationTime)
{
    {
        CStorageFile file;
        CreateFile(file);
    }
    PatchFile(m_path, 48, QByteArray(8, 0));
    CStorageFile file;
    ASSERT_EQ(file.OpenExisting(m_path, false), S_OK);
    EXPECT_GT(file.GetCreationTime().Value(), CDateTime(2020, 1, 1).Value());
    double stored = 0;
    std::memcpy(&stored, ReadWholeFile(m_path).constData() + 48, 8);
    EXPECT_EQ(stored, file.GetCreationTime().Value());
}

TEST_F(StorageFile, ReadOnlyOpenWritesNothing)
{
    {
        CStorageFile file;
        CreateFile(file);
    }
    const QByteArray before = ReadWholeFile(m_path);
    CStorageFile file;
    ASSERT_EQ(file.OpenExisting(m_path, true), S_OK);
    EXPECT_TRUE(file.IsReadOnly());
    EXPECT_EQ(file.SetTitle(QStringLiteral("x")), S_OK);
    std::uint32_t offset = 0;
    // A reader sees an object it cannot create as one without data, and leaves no trace.
    EXPECT_EQ(file.OpenOrCreateObject(0x100000, offset), S_OK);
    EXPECT_EQ(offset, 0u);
    EXPECT_EQ(file.ReleaseObject(0x100000), S_OK);
    EXPECT_EQ(file.Flush(), S_OK);
    EXPECT_EQ(ReadWholeFile(m_path), before);
}

// A long random run of allocations, frees and reopens; after each stretch the chain and
// free list are checked by the independent checker and every live block still holds what
// was written into it.
TEST_F(StorageFile, RandomisedAllocateFreeReopen)
{
    std::mt19937 rng(20240611);
    CStorageFile file;
    CreateFile(file);
    std::map<std::uint32_t, std::pair<std::uint32_t, std::uint32_t>> live; // data offset -> (size, tag)
    std::uint32_t nextTag = 1;
    auto sizeFor = [&] {
        const int kind = static_cast<int>(rng() % 10);
        if (kind < 6)
            return static_cast<std::uint32_t>(rng() % 200);
        if (kind < 9)
            return static_cast<std::uint32_t>(200 + rng() % 3000);
        return static_cast<std::uint32_t>(3000 + rng() % 30000);
    };
    auto verify = [&](int step) {
        std::set<std::uint32_t> inUse;
        ASSERT_EQ(CheckChain(m_path, &inUse), QString()) << "step " << step;
        inUse.erase(2048); // the root table
        std::set<std::uint32_t> expected;
        for (const auto &[offset, info] : live) {
            expected.insert(offset - 9);
            std::uint32_t tag[2] = {};
            ASSERT_EQ(file.ReadAt(offset, tag, std::min<std::uint32_t>(8, info.first)), S_OK);
            ASSERT_EQ(tag[0], info.second) << "step " << step;
        }
        ASSERT_EQ(inUse, expected) << "step " << step;
        QString problem;
        ASSERT_EQ(file.CheckAllocator(problem), S_OK);
        ASSERT_EQ(problem, QString()) << "step " << step;
    };
    for (int step = 1; step <= 4000; ++step) {
        const bool allocate = live.empty() || rng() % 100 < (live.size() < 60 ? 60u : 45u);
        if (allocate) {
            const std::uint32_t n = sizeFor();
            std::uint32_t offset = 0;
            ASSERT_EQ(file.AllocateBlock(n, offset), S_OK) << "step " << step;
            ASSERT_FALSE(live.count(offset));
            const std::uint32_t tag = nextTag++;
            const std::uint32_t words[2] = {tag, ~tag};
            ASSERT_EQ(file.WriteAt(offset, words, std::min<std::uint32_t>(8, std::max<std::uint32_t>(n, 4))),
                      S_OK);
            live[offset] = {std::max<std::uint32_t>(n, 4), tag};
        } else {
            auto it = live.begin();
            std::advance(it, static_cast<long>(rng() % live.size()));
            ASSERT_EQ(file.FreeBlock(it->first), S_OK) << "step " << step;
            live.erase(it);
        }
        if (step % 97 == 0)
            verify(step);
        if (step % 500 == 0) {
            ASSERT_EQ(file.Close(), S_OK);
            ASSERT_EQ(file.OpenExisting(m_path, false), S_OK);
        }
    }
    verify(0);
}

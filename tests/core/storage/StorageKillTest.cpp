// A writer killed at random moments must never cost the file: after each kill the file
// opens, its chain and free list check out, and every object written before the kill reads
// back (the one being written at the kill either as it was or as it was going to be).
#include "core/storage/ForkSupport.h"
#include "core/storage/StorageTestSupport.h"

#include "core/storage/StorageFile.h"

#include <chrono>
#include <map>
#include <random>
#include <thread>
#include <vector>

using namespace storage_test;

namespace {
constexpr std::uint32_t kObjects = 40;

enum : std::uint8_t
{
    OpWrite = 1,
    OpDelete = 2,
    OpScratch = 3,
    OpFailed = 9
};

struct Message
{
    std::uint8_t op;
    std::uint8_t done; // 0 when the operation starts, 1 when it has completed
    std::uint32_t id;
    std::uint32_t seed;
    std::uint32_t length;
};

std::uint8_t PayloadByte(std::uint32_t seed, std::uint32_t i)
{
    return static_cast<std::uint8_t>((seed * 2654435761u + i * 40503u) >> 13);
}

// Object content: id, seed and length, then bytes that depend on the seed.
std::vector<std::uint8_t> Content(std::uint32_t id, std::uint32_t seed, std::uint32_t length)
{
    std::vector<std::uint8_t> data(12 + length);
    std::memcpy(data.data(), &id, 4);
    std::memcpy(data.data() + 4, &seed, 4);
    std::memcpy(data.data() + 8, &length, 4);
    for (std::uint32_t i = 0; i < length; ++i)
        data[12 + i] = PayloadByte(seed, i);
    return data;
}

// Writes an object as the object store will: a new block, the entry repointed, the old freed.
HRESULT WriteObject(CStorageFile &file, std::uint32_t id, std::uint32_t seed, std::uint32_t length)
{
    const std::vector<std::uint8_t> data = Content(id, seed, length);
    std::uint32_t offset = 0, block = 0;
    HRESULT hr = file.OpenOrCreateObject(id, offset);
    if (hr != S_OK)
        return hr;
    hr = file.AllocateBlock(static_cast<std::uint32_t>(data.size()), block);
    if (hr == S_OK)
        hr = file.WriteAt(block, data.data(), data.size());
    if (hr == S_OK)
        hr = file.SetObjectOffset(id, block);
    const HRESULT release = file.ReleaseObject(id);
    return hr != S_OK ? hr : release;
}

// The child: changes objects for ever, announcing each operation before and after.
int Churn(ChildProcess &io, const QString &path, std::uint32_t round)
{
    CStorageFile file;
    HRESULT hr = file.OpenExisting(path, false);
    std::mt19937 rng(round * 7919u + 1);
    std::vector<std::uint32_t> scratch;
    for (std::uint32_t counter = 1; hr == S_OK; ++counter) {
        Message m{};
        const std::uint32_t pick = rng() % 100;
        m.id = 1 + rng() % kObjects;
        if (pick < 60) {
            m.op = OpWrite;
            m.seed = (round << 16) | counter;
            m.length = rng() % 8 == 0 ? 2000 + rng() % 20000 : 1 + rng() % 1500;
        } else if (pick < 75) {
            m.op = OpDelete;
        } else {
            m.op = OpScratch; // blocks no object names: allocate some, free some
        }
        io.Send(&m, sizeof m);
        if (m.op == OpWrite) {
            hr = WriteObject(file, m.id, m.seed, m.length);
        } else if (m.op == OpDelete) {
            hr = file.DeleteObject(m.id);
        } else if (scratch.size() < 8 && rng() % 2) {
            std::uint32_t block = 0;
            hr = file.AllocateBlock(rng() % 3000, block);
            scratch.push_back(block);
        } else if (!scratch.empty()) {
            hr = file.FreeBlock(scratch.back());
            scratch.pop_back();
        }
        m.done = 1;
        if (hr != S_OK) {
            m.op = OpFailed;
            m.seed = hr;
        }
        io.Send(&m, sizeof m);
    }
    return 3;
}

// What object id holds now: seed 0 for none.
std::uint32_t ReadObject(CStorageFile &file, std::uint32_t id, QString &problem)
{
    std::uint32_t offset = 0;
    const HRESULT hr = file.OpenObject(id, offset);
    if (hr == QV_E_NO_ENTRY)
        return 0;
    if (hr != S_OK) {
        problem = QString("object %1 does not open: %2").arg(id).arg(hr, 8, 16);
        return 0;
    }
    std::uint32_t seed = 0;
    if (offset != 0) {
        std::uint32_t size = 0, head[3] = {};
        if (file.GetBlockDataSize(offset, size) != S_OK || size < 12 ||
            file.ReadAt(offset, head, 12) != S_OK || head[0] != id || head[2] > size - 12) {
            problem = QString("object %1 has no valid block").arg(id);
        } else {
            std::vector<std::uint8_t> data(12 + head[2]);
            file.ReadAt(offset, data.data(), data.size());
            if (data != Content(id, head[1], head[2]))
                problem = QString("object %1 holds damaged bytes").arg(id);
            seed = head[1];
        }
    }
    file.ReleaseObject(id);
    return seed;
}
} // namespace

TEST(StorageKill, WriterKilledAtRandomMoments)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("killed.qvd");
    {
        CStorageFile file;
        ASSERT_EQ(file.Create(path), S_OK);
    }
    std::map<std::uint32_t, std::uint32_t> committed; // id -> seed of what it must hold
    std::mt19937 rng(4242);
    int cutMidOperation = 0;
    for (std::uint32_t round = 1; round <= 250; ++round) {
        std::vector<Message> log;
        {
            ChildProcess child([&](ChildProcess &io) { return Churn(io, path, round); });
            ASSERT_TRUE(child.Started());
            // Wait for the writer's first announcement, so that the kill lands inside its
            // work however slowly a loaded machine starts it.
            Message m;
            if (child.Receive(&m, sizeof m))
                log.push_back(m);
            std::this_thread::sleep_for(std::chrono::microseconds(500 + rng() % 15000));
            child.Kill();
            EXPECT_EQ(child.Wait(), -1);
            while (child.Receive(&m, sizeof m))
                log.push_back(m);
        }
        // Replay what completed; note what was under way at the kill.
        const Message *pending = nullptr;
        for (const Message &m : log) {
            ASSERT_NE(m.op, OpFailed)
                << "round " << round << ": the writer failed with " << std::hex << m.seed;
            if (!m.done) {
                pending = &m;
                continue;
            }
            pending = nullptr;
            if (m.op == OpWrite)
                committed[m.id] = m.seed;
            else if (m.op == OpDelete)
                committed[m.id] = 0;
        }
        if (pending)
            ++cutMidOperation;

        CStorageFile file;
        ASSERT_EQ(file.OpenExisting(path, false), S_OK) << "round " << round;
        ASSERT_EQ(file.GetStickyError(), S_OK) << "round " << round;
        ASSERT_EQ(CheckChain(path), QString()) << "round " << round;
        for (std::uint32_t id = 1; id <= kObjects; ++id) {
            QString problem;
            const std::uint32_t seed = ReadObject(file, id, problem);
            ASSERT_EQ(problem, QString()) << "round " << round;
            const std::uint32_t before = committed.count(id) ? committed[id] : 0;
            if (pending && pending->id == id && pending->op != OpScratch) {
                const std::uint32_t after = pending->op == OpWrite ? pending->seed : 0;
                ASSERT_TRUE(seed == before || seed == after) << "round " << round << " id " << id;
                committed[id] = seed;
            } else {
                ASSERT_EQ(seed, before) << "round " << round << " id " << id;
            }
        }
        // The repaired file keeps working.
        std::uint32_t block = 0;
        ASSERT_EQ(file.AllocateBlock(100, block), S_OK);
        ASSERT_EQ(file.FreeBlock(block), S_OK);
        ASSERT_EQ(CheckChain(path), QString()) << "round " << round;
    }
    // The kills must have landed inside operations, or the test proved nothing.
    EXPECT_GT(cutMidOperation, 0);
}

// The same guarantee at every cut point of each kind of change: the engine is stopped after
// n writes for every n the change makes, and the file is then opened and checked.
TEST(StorageKill, EveryCutPointOfEachChange)
{
    QTemporaryDir dir;
    const QString basePath = dir.filePath("base.qvd");
    // Objects 1..12 of assorted sizes; 3, 5, 6 and 9 deleted again, leaving free blocks of
    // several sizes (5 and 6 merged into one) on both sides of object 4.
    std::map<std::uint32_t, std::uint32_t> base; // id -> seed
    const std::uint32_t lengths[] = {0, 40, 300, 5000, 100, 700, 900, 60, 2000, 4000, 150, 80, 30};
    {
        CStorageFile file;
        ASSERT_EQ(file.Create(basePath), S_OK);
        for (std::uint32_t id = 1; id <= 12; ++id) {
            ASSERT_EQ(WriteObject(file, id, 1000 + id, lengths[id]), S_OK);
            base[id] = 1000 + id;
        }
        for (std::uint32_t id : {3u, 5u, 6u, 9u}) {
            ASSERT_EQ(file.DeleteObject(id), S_OK);
            base[id] = 0;
        }
        ASSERT_EQ(CheckChain(basePath), QString());
    }

    struct Change
    {
        const char *name;
        std::uint32_t id;
        std::uint32_t seed; // what the object holds after the change; 0: deleted
        std::uint32_t length;
    };
    const Change changes[] = {
        {"new object split from a large free block", 20, 7001, 200},
        {"rewrite taking a free block whole", 2, 7002, 4980},
        {"rewrite appended at the end", 7, 7003, 30000},
        {"rewrite freeing a block between free neighbours", 4, 7004, 10},
        {"delete between free neighbours", 4, 0, 0},
        {"delete of the last block", 12, 0, 0},
        {"first object of a new level-3 table", 0x5123, 7005, 64},
        {"first object under a new root slot", 0x300001, 7006, 64},
    };
    for (const Change &c : changes) {
        // How many writes the whole change makes.
        const QString path = dir.filePath("cut.qvd");
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(basePath, path));
        long total = 0;
        {
            CStorageFile file;
            ASSERT_EQ(file.OpenExisting(path, false), S_OK);
            const long before = CStorageFile::GetWriteCountForTesting();
            ASSERT_EQ(c.seed ? WriteObject(file, c.id, c.seed, c.length) : file.DeleteObject(c.id), S_OK)
                << c.name;
            total = CStorageFile::GetWriteCountForTesting() - before;
        }
        ASSERT_GT(total, 0) << c.name;
        for (long cut = 0; cut <= total; ++cut) {
            QFile::remove(path);
            ASSERT_TRUE(QFile::copy(basePath, path));
            {
                CStorageFile file;
                ASSERT_EQ(file.OpenExisting(path, false), S_OK);
                CStorageFile::SetWriteLimitForTesting(cut);
                if (c.seed)
                    WriteObject(file, c.id, c.seed, c.length);
                else
                    file.DeleteObject(c.id);
                CStorageFile::SetWriteLimitForTesting(-1);
            }
            CStorageFile file;
            ASSERT_EQ(file.OpenExisting(path, false), S_OK) << c.name << " cut " << cut;
            ASSERT_EQ(file.GetStickyError(), S_OK) << c.name << " cut " << cut;
            ASSERT_EQ(CheckChain(path), QString()) << c.name << " cut " << cut;
            for (const auto &[id, seed] : base) {
                QString problem;
                const std::uint32_t now = ReadObject(file, id, problem);
                ASSERT_EQ(problem, QString()) << c.name << " cut " << cut;
                if (id == c.id) {
                    ASSERT_TRUE(now == seed || now == c.seed) << c.name << " cut " << cut;
                    if (cut == total) {
                        ASSERT_EQ(now, c.seed) << c.name;
                    }
                } else {
                    ASSERT_EQ(now, seed) << c.name << " cut " << cut << " object " << id;
                }
            }
            if (base.count(c.id) == 0) {
                QString problem;
                const std::uint32_t now = ReadObject(file, c.id, problem);
                ASSERT_EQ(problem, QString()) << c.name << " cut " << cut;
                ASSERT_TRUE(now == 0 || now == c.seed) << c.name << " cut " << cut;
            }
            std::uint32_t block = 0;
            ASSERT_EQ(file.AllocateBlock(3000, block), S_OK);
            ASSERT_EQ(file.FreeBlock(block), S_OK);
            ASSERT_EQ(CheckChain(path), QString()) << c.name << " cut " << cut;
        }
    }
}

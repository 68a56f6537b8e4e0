// A save cut off anywhere must not cost the data file: after a writer is killed the file
// opens and validates, every event saved before the kill loads as it was saved, the one being
// saved is either its old or its new version, and later saves succeed. Checked with a writer
// killed at random moments, and with every cut point of each kind of change.
#include "core/storage/DataFileTestSupport.h"
#include "core/storage/ForkSupport.h"
#include "core/items/ItemTestUtil.h"

#include "core/items/RecurrenceBits.h"
#include "core/items/TaskItem.h"

#include <QFile>
#include <chrono>
#include <map>
#include <random>
#include <thread>
#include <vector>

using namespace datafile_test;
using namespace DataFileLayout;
using storage_test::CheckChain;
using storage_test::ChildProcess;

namespace {
// The event a seed stands for; its subject names the seed, the rest follows from it.
CEventItem EventFor(std::uint32_t seed)
{
    CEventItem e;
    const CDateTime start = At(2024, 1, 1, int(seed % 24), 0) + CDateSpan(double(seed % 365));
    if (seed % 10 == 0) {
        e = MakeSeries(start, Hours(2), Recur::Weekly | Recur::ByDate | Recur::Monday | Recur::Friday, 1);
    } else {
        e.SetStart(start);
        e.SetDuration(Minutes(15 + seed % 200));
    }
    e.SetSubject(QStringLiteral("Seed %1").arg(seed));
    const QString phrase = QStringLiteral("Agenda item, notes and follow-up for the team. ");
    e.SetNotes(phrase.repeated(int(seed * 7919u % 60)));
    e.SetLocation(QStringLiteral("Room %1").arg(seed % 17));
    return e;
}

// The seed an event was saved with, or 0 when its content does not match any seed.
std::uint32_t SeedOf(const CEventItem &e)
{
    bool ok = false;
    const std::uint32_t seed = e.GetSubject().mid(5).toUInt(&ok);
    if (!ok || !e.GetSubject().startsWith(QLatin1String("Seed ")))
        return 0;
    const CEventItem expected = EventFor(seed);
    if (e.GetNotes() != expected.GetNotes() || e.GetStart() != expected.GetStart() ||
        e.GetLocation() != expected.GetLocation() || e.IsRecurring() != expected.IsRecurring())
        return 0;
    return seed;
}

// Every event of the file by id, with the seed it holds; problems are reported as failures.
std::map<std::uint32_t, std::uint32_t> LoadAll(CDataFile &file)
{
    std::map<std::uint32_t, std::uint32_t> seeds;
    const HRESULT hr = file.EnumEvents([&](std::uint32_t id) {
        CEventItem e(id);
        const HRESULT load = file.LoadEvent(e);
        EXPECT_EQ(load, S_OK) << "event " << id;
        const std::uint32_t seed = SeedOf(e);
        EXPECT_NE(seed, 0u) << "event " << id << " holds something no save wrote";
        seeds[id] = seed;
        return load;
    });
    EXPECT_EQ(hr, S_OK);
    return seeds;
}

// Opens the file as a user would after the crash and checks everything that must hold.
void CheckAfterCut(const QString &path, std::map<std::uint32_t, std::uint32_t> &seeds,
                   const std::string &where)
{
    SCOPED_TRACE(where);
    CDataFile file;
    ASSERT_EQ(file.Open(path, false), S_OK);
    ASSERT_EQ(file.GetStorageFile().GetStickyError(), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    ASSERT_EQ(CheckChain(path), QString());
    seeds = LoadAll(file);
    // Later saves succeed and read back.
    CEventItem later = EventFor(999999);
    ASSERT_EQ(file.SaveEvent(later), S_OK);
    CEventItem back(later.GetRecordId());
    ASSERT_EQ(file.LoadEvent(back), S_OK);
    EXPECT_EQ(SeedOf(back), 999999u);
    ASSERT_EQ(file.DeleteEvent(later.GetRecordId()), S_OK);
    ASSERT_EQ(CheckChain(path), QString());
}

enum : std::uint8_t
{
    OpNew = 1,
    OpResave = 2,
    OpDelete = 3,
    OpFailed = 9
};

constexpr std::uint32_t kReady = 0x52454459;

struct Message
{
    std::uint8_t op;
    std::uint8_t done; // 0 when the operation starts, 1 when it has completed
    std::uint32_t id;
    std::uint32_t seed;
};

// The child: saves, resaves and deletes events for ever, announcing each before and after.
int Churn(ChildProcess &io, const QString &path, std::uint32_t round)
{
    CDataFile file;
    if (file.Open(path, false) != S_OK || file.Validate() != S_OK)
        return 2;
    // A kill loses nothing that reached the file, synced or not; without a sync per save the
    // kills land inside the writes more often.
    file.SetWriteThrough(false);
    std::vector<std::uint32_t> ids;
    file.EnumEvents([&ids](std::uint32_t id) {
        ids.push_back(id);
        return S_OK;
    });
    std::mt19937 rng(round * 7919u + 17);
    io.SendValue(kReady);
    for (std::uint32_t counter = 1;; ++counter) {
        Message m{};
        const std::uint32_t pick = rng() % 100;
        m.seed = (round << 12) | counter;
        HRESULT hr = S_OK;
        if (ids.size() < 20 || pick < 40) {
            m.op = OpNew;
            io.Send(&m, sizeof m);
            CEventItem e = EventFor(m.seed);
            hr = file.SaveEvent(e);
            m.id = e.GetRecordId();
            ids.push_back(m.id);
        } else if (pick < 70) {
            m.op = OpResave;
            m.id = ids[rng() % ids.size()];
            io.Send(&m, sizeof m);
            CEventItem e(m.id);
            hr = file.LoadEvent(e);
            if (hr == S_OK) {
                const CEventItem fresh = EventFor(m.seed);
                e.SetSubject(fresh.GetSubject());
                e.SetNotes(fresh.GetNotes());
                e.SetLocation(fresh.GetLocation());
                if (fresh.IsRecurring())
                    e.SetRecurrence(fresh.GetRecurrenceFlags(), 1, 0, fresh.GetStart(), CDateTime());
                else
                    e.RemoveRecurrence();
                e.SetStart(fresh.GetStart());
                hr = file.SaveEvent(e);
            }
        } else {
            m.op = OpDelete;
            const std::size_t at = rng() % ids.size();
            m.id = ids[at];
            io.Send(&m, sizeof m);
            hr = file.DeleteEvent(m.id);
            ids.erase(ids.begin() + std::ptrdiff_t(at));
        }
        m.done = 1;
        if (hr != S_OK) {
            m.op = OpFailed;
            m.seed = hr;
        }
        io.Send(&m, sizeof m);
        if (hr != S_OK)
            return 3;
    }
}
} // namespace

class DataFileKill : public DataFileFixture
{
};

TEST_F(DataFileKill, WriterKilledAtRandomMoments)
{
    {
        CDataFile file;
        CreateAndOpen(file);
    }
    std::map<std::uint32_t, std::uint32_t> committed; // id -> seed it must hold
    std::mt19937 rng(777);
    int cutMidSave = 0;
    for (std::uint32_t round = 1; round <= 60; ++round) {
        std::vector<Message> log;
        {
            ChildProcess child([&](ChildProcess &io) { return Churn(io, m_path, round); });
            ASSERT_TRUE(child.Started());
            // Killed at a random moment after a random number of completed changes, so that
            // the run does not depend on how fast the machine is.
            std::uint32_t ready = 0;
            ASSERT_TRUE(child.Receive(&ready, 4));
            ASSERT_EQ(ready, kReady) << "round " << round << ": the writer could not open the file";
            const int wanted = int(rng() % 24);
            Message m;
            for (int completed = 0; completed < wanted && child.Receive(&m, sizeof m);) {
                log.push_back(m);
                completed += m.done;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(rng() % 4000));
            child.Kill();
            while (child.Receive(&m, sizeof m))
                log.push_back(m);
            EXPECT_EQ(child.Wait(), -1) << "round " << round << ": the writer stopped by itself";
        }
        // Replay what completed; keep what was under way at the kill.
        const Message *pending = nullptr;
        for (const Message &m : log) {
            ASSERT_NE(m.op, OpFailed) << "round " << round << ": a save failed with " << std::hex << m.seed;
            if (!m.done) {
                pending = &m;
                continue;
            }
            pending = nullptr;
            if (m.op == OpDelete)
                committed.erase(m.id);
            else
                committed[m.id] = m.seed;
        }

        std::map<std::uint32_t, std::uint32_t> found;
        CheckAfterCut(m_path, found, "round " + std::to_string(round));
        if (HasFatalFailure())
            return;
        for (const auto &[id, seed] : committed) {
            if (pending && pending->id == id)
                continue;
            ASSERT_TRUE(found.count(id)) << "round " << round << ": event " << id << " was lost";
            ASSERT_EQ(found[id], seed) << "round " << round << ": event " << id;
        }
        for (const auto &[id, seed] : found) {
            if (committed.count(id) || (pending && pending->op == OpNew && seed == pending->seed))
                continue;
            ADD_FAILURE() << "round " << round << ": event " << id << " (seed " << seed
                          << ") was never saved";
        }
        if (pending) {
            ++cutMidSave;
            const std::uint32_t id = pending->id;
            if (pending->op == OpResave) {
                ASSERT_TRUE(found.count(id)) << "round " << round;
                ASSERT_TRUE(found[id] == committed[id] || found[id] == pending->seed) << "round " << round;
            } else if (pending->op == OpDelete) {
                ASSERT_TRUE(!found.count(id) || found[id] == committed[id]) << "round " << round;
            }
        }
        committed = found;
    }
    // The kills must have landed inside saves, or the test proved nothing.
    EXPECT_GT(cutMidSave, 20);
    EXPECT_GT(committed.size(), 20u);
}

// The same guarantees at every cut point of each kind of change: the engine drops every
// write after the nth, for each n the change makes, as if the process had died there.
TEST_F(DataFileKill, EveryCutPointOfEachChange)
{
    const QString basePath = m_dir.filePath("base.qvd");
    std::map<std::uint32_t, std::uint32_t> base;
    {
        CDataFile file;
        ASSERT_EQ(file.Create(basePath, QString(), QStringLiteral("pw")), S_OK);
        ASSERT_EQ(file.Open(basePath, false), S_OK);
        ASSERT_EQ(file.Validate(), S_OK);
        ASSERT_EQ(file.CheckPassword(QStringLiteral("pw")), S_OK);
        // 128 events: the next new one still fits, the one after grows the collection.
        for (std::uint32_t seed = 1; seed <= 128; ++seed) {
            CEventItem e = EventFor(seed);
            ASSERT_EQ(file.SaveEvent(e), S_OK);
            base[e.GetRecordId()] = seed;
        }
        ASSERT_EQ(file.DeleteEvent(50), S_OK);
        base.erase(50);
    }

    struct Change
    {
        const char *name;
        std::function<HRESULT(CDataFile &)> run;
        std::uint32_t id;       // the event changed (0: a new one)
        std::uint32_t seed;     // what it holds afterwards (0: deleted)
        std::uint32_t extraNew; // a second new event made first (growth case)
    };
    auto saveNew = [](std::uint32_t seed) {
        return [seed](CDataFile &f) {
            CEventItem e = EventFor(seed);
            return f.SaveEvent(e);
        };
    };
    auto resave = [](std::uint32_t id, std::uint32_t seed) {
        return [id, seed](CDataFile &f) {
            CEventItem e = EventFor(seed);
            e.SetRecordId(id);
            e.SetUniqueId(QStringLiteral("kept"));
            return f.SaveEvent(e);
        };
    };
    const Change changes[] = {
        {"new event in a free slot", saveNew(5001), 0, 5001, 0},
        {"new event growing the collection",
         [](CDataFile &f) {
             CEventItem a = EventFor(5002), b = EventFor(5003);
             const HRESULT hr = f.SaveEvent(a);
             return hr != S_OK ? hr : f.SaveEvent(b);
         },
         0, 5003, 5002},
        {"resave growing", resave(20, 5009), 20, 5009, 0},   // seed 5009 has long notes
        {"resave shrinking", resave(21, 5010), 21, 5010, 0}, // seed 5010 has none
        {"delete", [](CDataFile &f) { return f.DeleteEvent(22); }, 22, 0, 0},
        {"new task",
         [](CDataFile &f) {
             CTaskItem t;
             t.SetSubject(QStringLiteral("task"));
             return f.SaveTask(t);
         },
         0, 0, 0},
    };
    for (const Change &c : changes) {
        const QString path = m_dir.filePath("cut.qvd");
        auto fresh = [&] {
            QFile::remove(path);
            ASSERT_TRUE(QFile::copy(basePath, path));
        };
        auto open = [&](CDataFile &file) {
            ASSERT_EQ(file.Open(path, false), S_OK);
            ASSERT_EQ(file.Validate(), S_OK);
            ASSERT_EQ(file.CheckPassword(QStringLiteral("pw")), S_OK);
        };
        long total = 0;
        fresh();
        {
            CDataFile file;
            open(file);
            const long before = CStorageFile::GetWriteCountForTesting();
            ASSERT_EQ(c.run(file), S_OK) << c.name;
            total = CStorageFile::GetWriteCountForTesting() - before;
        }
        ASSERT_GT(total, 0) << c.name;
        for (long cut = 0; cut <= total; ++cut) {
            const std::string where = std::string(c.name) + ", cut after " + std::to_string(cut) + " writes";
            fresh();
            {
                CDataFile file;
                open(file);
                CStorageFile::SetWriteLimitForTesting(cut);
                c.run(file);
                CStorageFile::SetWriteLimitForTesting(-1);
            }
            std::map<std::uint32_t, std::uint32_t> found;
            {
                SCOPED_TRACE(where);
                CDataFile file;
                open(file);
                ASSERT_EQ(file.GetStorageFile().GetStickyError(), S_OK);
                ASSERT_EQ(CheckChain(path), QString());
                found = LoadAll(file);
                CEventItem later = EventFor(999999);
                ASSERT_EQ(file.SaveEvent(later), S_OK);
                CEventItem back(later.GetRecordId());
                ASSERT_EQ(file.LoadEvent(back), S_OK);
                EXPECT_EQ(SeedOf(back), 999999u);
                ASSERT_EQ(CheckChain(path), QString());
            }
            for (const auto &[id, seed] : base) {
                if (id == c.id) {
                    const bool before = found.count(id) && found[id] == seed;
                    const bool after =
                        c.seed == 0 ? !found.count(id) : (found.count(id) && found[id] == c.seed);
                    ASSERT_TRUE(before || after) << where;
                    if (cut == total) {
                        ASSERT_TRUE(after) << where;
                    }
                } else {
                    ASSERT_TRUE(found.count(id) && found[id] == seed) << where << ": event " << id;
                }
            }
            // New events: present whole or not at all, and all of them at the last cut.
            std::size_t extra = 0;
            for (const auto &[id, seed] : found) {
                if (base.count(id))
                    continue;
                ASSERT_TRUE(c.id == 0 && (seed == c.seed || seed == c.extraNew)) << where << ": event " << id;
                ++extra;
            }
            if (cut == total && c.id == 0 && c.seed != 0) {
                EXPECT_EQ(extra, c.extraNew ? 2u : 1u) << where;
            }
        }
    }
}

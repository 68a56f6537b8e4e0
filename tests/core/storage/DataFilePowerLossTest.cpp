// A power loss may keep any part of the writes made since the last completed sync, in any
// order, with a sector half written. For a run of durable changes (new items, updates that
// move a record, deletes, a collection that grows, a record under new tables) every file such
// a loss could leave must open and pass its checks, every change that returned before the
// loss must be there, and the one under way must show its old or its new state, never a mix.
#include "core/storage/DataFileTestSupport.h"
#include "core/storage/RecordingFileIo.h"
#include "core/items/ItemTestUtil.h"

#include "core/items/RecurrenceBits.h"
#include "core/items/TaskItem.h"

#include <QFile>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace datafile_test;
using storage_test::CheckChain;
using storage_test::RecordingFileIo;

namespace {
// What each id holds: "E<seed>" an event, "T<seed>" a task, "R<marker>" a raw record.
using Contents = std::map<std::uint32_t, std::string>;

CEventItem EventFor(std::uint32_t seed)
{
    CEventItem e;
    const CDateTime start = At(2025, 3, 1, int(seed % 24), 0) + CDateSpan(double(seed % 300));
    if (seed % 5 == 0) {
        e = MakeSeries(start, Hours(1), Recur::Weekly | Recur::ByDate | Recur::Wednesday, 1);
    } else {
        e.SetStart(start);
        e.SetDuration(Minutes(30 + seed % 90));
    }
    e.SetSubject(QStringLiteral("Event %1").arg(seed));
    // Notes of very different lengths, so that updates move records between block sizes.
    e.SetNotes(QStringLiteral("Minutes of the meeting and what follows from them. ").repeated(int(seed * 37 % 41)));
    e.SetLocation(QStringLiteral("Room %1").arg(seed % 13));
    return e;
}

std::string EventKey(const CEventItem &e)
{
    bool ok = false;
    const std::uint32_t seed = e.GetSubject().mid(6).toUInt(&ok);
    if (!ok || !e.GetSubject().startsWith(QLatin1String("Event ")))
        return "damaged event";
    const CEventItem expected = EventFor(seed);
    if (e.GetNotes() != expected.GetNotes() || e.GetStart() != expected.GetStart() ||
        e.GetLocation() != expected.GetLocation() || e.IsRecurring() != expected.IsRecurring())
        return "damaged event " + std::to_string(seed);
    return "E" + std::to_string(seed);
}

CTaskItem TaskFor(std::uint32_t seed)
{
    CTaskItem t;
    t.SetSubject(QStringLiteral("Task %1").arg(seed));
    t.SetNotes(QStringLiteral("Steps to take. ").repeated(int(seed * 13 % 90)));
    return t;
}

std::string TaskKey(const CTaskItem &t)
{
    bool ok = false;
    const std::uint32_t seed = t.GetSubject().mid(5).toUInt(&ok);
    if (!ok || t.GetNotes() != TaskFor(seed).GetNotes())
        return "damaged task";
    return "T" + std::to_string(seed);
}

std::string Show(const Contents &c, std::uint32_t id)
{
    const auto it = c.find(id);
    return it == c.end() ? "absent" : it->second;
}

// One change of the run: what it does, and what it leaves in the contents.
struct Change
{
    std::string name;
    std::function<HRESULT(CDataFile &, Contents &)> run;
};

class DataFilePowerLoss : public DataFileFixture
{
  protected:
    // Opens a file a power loss left and checks it against the contents it may hold: before
    // the change under way or after it. Returns the first problem, or an empty text.
    std::string CheckImage(const QByteArray &image, const Contents &before, const Contents &after,
                           bool saveAfterwards)
    {
        const QString path = m_dir.filePath(QStringLiteral("lost.qvd"));
        {
            QFile f(path);
            // Overwritten in place: a file cut to nothing and rewritten is flushed on close.
            if (!f.open(QIODevice::ReadWrite) || f.write(image) != image.size() || !f.resize(image.size()))
                return "cannot write the image";
        }
        CDataFile file;
        file.SetWriteThrough(false); // this copy is never lost again: no syncs needed
        HRESULT hr = file.Open(path, false);
        if (hr != S_OK)
            return "open failed: " + std::to_string(hr);
        if ((hr = file.Validate()) != S_OK)
            return "validate failed: " + std::to_string(hr);
        if (file.GetStorageFile().GetStickyError() != S_OK)
            return "the file was found damaged";
        QString problem;
        if (file.GetStorageFile().CheckAllocator(problem) != S_OK || !problem.isEmpty())
            return "allocator: " + problem.toStdString();
        const QString chain = CheckChain(path);
        if (!chain.isEmpty())
            return "chain: " + chain.toStdString();
        // No entry may name a block that is not in use: a later change of that object would
        // free whatever holds the space by then.
        for (const std::uint32_t id : m_touched) {
            std::uint32_t offset = 0, usable = 0;
            if (file.GetStorageFile().PeekObject(id, offset) == S_OK && offset != 0 &&
                file.GetStorageFile().GetBlockDataSize(offset, usable) != S_OK)
                return "the entry of " + std::to_string(id) + " names a block not in use";
        }

        Contents found;
        std::string trouble;
        file.EnumEvents([&](std::uint32_t id) {
            CEventItem e(id);
            const HRESULT load = file.LoadEvent(e);
            found[id] = load == S_OK ? EventKey(e) : "unreadable event";
            return S_OK;
        });
        file.EnumTasks([&](std::uint32_t id) {
            CTaskItem t(id);
            const HRESULT load = file.LoadTask(t);
            found[id] = load == S_OK ? TaskKey(t) : "unreadable task";
            return S_OK;
        });
        std::set<std::uint32_t> raw;
        for (const Contents *c : {&before, &after}) {
            for (const auto &[id, what] : *c) {
                if (what[0] == 'R')
                    raw.insert(id);
            }
        }
        for (const std::uint32_t id : raw) {
            QByteArray record;
            if (file.ReadRecord(id, -1, record) != S_OK || record.isEmpty())
                continue;
            std::uint32_t marker = U32(record, 12);
            found[id] = record == MakeRecord(marker, 700) ? "R" + std::to_string(marker) : "damaged record";
        }

        std::set<std::uint32_t> ids;
        for (const Contents *c : {&before, &after, static_cast<const Contents *>(&found)}) {
            for (const auto &entry : *c)
                ids.insert(entry.first);
        }
        for (const std::uint32_t id : ids) {
            const std::string now = Show(found, id);
            if (now != Show(before, id) && now != Show(after, id))
                return "item " + std::to_string(id) + " is " + now + ", expected " + Show(before, id) +
                       (Show(before, id) == Show(after, id) ? std::string() : " or " + Show(after, id));
        }
        if (saveAfterwards) {
            // The allocator must be fit for later changes too.
            CEventItem later = EventFor(9999);
            if (file.SaveEvent(later) != S_OK)
                return "a later save failed";
            CEventItem back(later.GetRecordId());
            if (file.LoadEvent(back) != S_OK || EventKey(back) != "E9999")
                return "a later save does not read back";
            const QString afterSave = CheckChain(path);
            if (!afterSave.isEmpty())
                return "chain after a later save: " + afterSave.toStdString();
        }
        return std::string();
    }

    // Every object the run changed.
    std::set<std::uint32_t> m_touched;
};
} // namespace

TEST_F(DataFilePowerLoss, EveryStateALossCanLeave)
{
    CDataFile file;
    CreateAndOpen(file);
    Contents contents;
    std::map<std::uint32_t, std::uint32_t> idOfSeed;
    // A file with some history: records of several sizes and a hole where one was deleted.
    file.SetWriteThrough(false);
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        CEventItem e = EventFor(seed);
        ASSERT_EQ(file.SaveEvent(e), S_OK);
        idOfSeed[seed] = e.GetRecordId();
        contents[e.GetRecordId()] = "E" + std::to_string(seed);
    }
    ASSERT_EQ(file.DeleteEvent(idOfSeed[3]), S_OK);
    contents.erase(idOfSeed[3]);
    // A large free block full of old bytes, from which new tables are cut.
    ASSERT_EQ(file.WriteRecord(0x200010, MakeRecord(5, 40000)), S_OK);
    ASSERT_EQ(file.WriteRecord(0x200010, QByteArray()), S_OK);
    ASSERT_EQ(file.Flush(), S_OK);

    RecordingFileIo recorder(storage_test::ReadWholeFile(m_path));
    file.GetStorageFile().SetFileIo(&recorder);
    file.SetWriteThrough(true);

    std::uint32_t taskId = 0;
    const auto saveEvent = [&](std::uint32_t id, std::uint32_t seed) {
        return [&, id, seed](CDataFile &f, Contents &c) {
            CEventItem e = EventFor(seed);
            if (id != 0) {
                e.SetRecordId(idOfSeed.at(id));
                e.SetUniqueId(QStringLiteral("kept"));
            }
            const HRESULT hr = f.SaveEvent(e);
            if (hr == S_OK)
                c[e.GetRecordId()] = "E" + std::to_string(seed);
            return hr;
        };
    };
    const Change changes[] = {
        {"first task, growing the task collection",
         [&](CDataFile &f, Contents &c) {
             CTaskItem t = TaskFor(101);
             const HRESULT hr = f.SaveTask(t);
             taskId = t.GetRecordId();
             c[taskId] = "T101";
             return hr;
         }},
        {"new event in a freed slot", saveEvent(0, 102)},
        {"update moving to a larger block", saveEvent(2, 104)},
        {"update into a smaller block", saveEvent(1, 105)},
        {"delete",
         [&](CDataFile &f, Contents &c) {
             c.erase(idOfSeed[4]);
             return f.DeleteEvent(idOfSeed[4]);
         }},
        {"task update",
         [&](CDataFile &f, Contents &c) {
             CTaskItem t = TaskFor(106);
             t.SetRecordId(taskId);
             t.SetUniqueId(QStringLiteral("kept"));
             c[taskId] = "T106";
             return f.SaveTask(t);
         }},
        {"record under new tables",
         [&](CDataFile &f, Contents &c) {
             const std::uint32_t id = 0x345678;
             c[id] = "R77";
             const HRESULT hr = f.WriteRecord(id, MakeRecord(77, 700));
             return hr != S_OK ? hr : f.Flush();
         }},
        {"new event at the end", saveEvent(0, 40)},
        {"delete of a task",
         [&](CDataFile &f, Contents &c) {
             c.erase(taskId);
             return f.DeleteTask(taskId);
         }},
        {"update of the event just made", saveEvent(5, 107)},
    };
    // contents[i]: what the file holds once the first i changes returned.
    std::vector<Contents> states{contents};
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        recorder.SetOperation(int(i), int(i));
        ASSERT_EQ(changes[i].run(file, contents), S_OK) << changes[i].name;
        states.push_back(contents);
        recorder.SetOperation(-1, int(i + 1));
    }
    for (const Contents &c : states) {
        for (const auto &entry : c)
            m_touched.insert(entry.first);
    }
    file.GetStorageFile().SetFileIo(nullptr);
    const std::vector<RecordingFileIo::Epoch> epochs = recorder.Finish();
    file.Close();

    std::mt19937 rng(1604);
    int checked = 0;
    int failures = 0;
    std::map<std::string, int> failuresByChange;
    for (std::size_t e = 0; e < epochs.size(); ++e) {
        const RecordingFileIo::Epoch &epoch = epochs[e];
        const Contents &before = states[std::size_t(epoch.returned)];
        const Contents &after =
            epoch.inFlight >= 0 ? states[std::size_t(epoch.inFlight) + 1] : states[std::size_t(epoch.returned)];
        const std::size_t n = epoch.writes.size();
        std::string change = epoch.inFlight >= 0 ? changes[epoch.inFlight].name : "after the last change";
        if (!epoch.writes.empty() && epoch.writes.front().op >= 0)
            change = changes[epoch.writes.front().op].name;

        // Which writes reached the disk: all subsets of a few, else a fixed sample.
        std::vector<std::vector<bool>> subsets;
        if (n <= 8) {
            for (std::uint32_t mask = 0; mask < (1u << n); ++mask) {
                std::vector<bool> s(n);
                for (std::size_t i = 0; i < n; ++i)
                    s[i] = mask & (1u << i);
                subsets.push_back(s);
            }
        } else {
            subsets.push_back(std::vector<bool>(n, true));
            subsets.push_back(std::vector<bool>(n, false));
            for (std::size_t i = 0; i < n; ++i) {
                std::vector<bool> one(n, false), allBut(n, true);
                one[i] = true;
                allBut[i] = false;
                subsets.push_back(one);
                subsets.push_back(allBut);
            }
            for (int k = 0; k < 96; ++k) {
                std::vector<bool> s(n);
                for (std::size_t i = 0; i < n; ++i)
                    s[i] = rng() & 1;
                subsets.push_back(s);
            }
        }
        // A write applied in part: each write in turn, a sector of it (its first, its last and
        // one between) half written, with a random choice of the other writes.
        struct Torn
        {
            std::size_t write;
            int sector;
            bool firstHalf;
        };
        std::vector<std::pair<std::vector<bool>, Torn>> torn;
        for (std::size_t i = 0; i < n; ++i) {
            const int sectors = RecordingFileIo::Sectors(epoch.writes[i]);
            std::set<int> picks{0, sectors - 1, int(rng() % std::uint32_t(sectors))};
            for (const int sector : picks) {
                for (const bool firstHalf : {true, false}) {
                    std::vector<bool> s(n);
                    for (std::size_t j = 0; j < n; ++j)
                        s[j] = rng() & 1;
                    s[i] = true;
                    torn.push_back({s, Torn{i, sector, firstHalf}});
                }
            }
        }

        const auto check = [&](const std::vector<bool> &subset, const Torn *tear) {
            QByteArray image = epoch.durable;
            for (std::size_t i = 0; i < n; ++i) {
                if (!subset[i])
                    continue;
                if (tear && tear->write == i)
                    RecordingFileIo::ApplyTorn(image, epoch.writes[i], tear->sector, tear->firstHalf);
                else
                    RecordingFileIo::Apply(image, epoch.writes[i]);
            }
            const std::string problem = CheckImage(image, before, after, checked % 16 == 0);
            ++checked;
            if (problem.empty())
                return;
            ++failuresByChange[change];
            if (++failures > 12)
                return;
            std::string kept;
            for (std::size_t i = 0; i < n; ++i) {
                const auto &w = epoch.writes[i];
                kept += "\n  " + std::string(subset[i] ? (tear && tear->write == i ? "torn " : "kept ") : "lost ") +
                        std::to_string(w.bytes.size()) + " bytes at " + std::to_string(w.offset);
                if (tear && tear->write == i)
                    kept += " (sector " + std::to_string(tear->sector) + (tear->firstHalf ? ", first half)" : ", second half)");
            }
            ADD_FAILURE() << change << ", after sync " << e << ": " << problem << kept;
        };
        for (const auto &subset : subsets)
            check(subset, nullptr);
        for (const auto &[subset, tear] : torn)
            check(subset, &tear);
    }
    for (const auto &[change, count] : failuresByChange)
        ADD_FAILURE() << count << " lost states during: " << change;
    EXPECT_GT(checked, 500);
    std::printf("power-loss states checked: %d over %zu syncs\n", checked, epochs.size());
}

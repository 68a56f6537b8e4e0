// The data file against SQLite on the same work: 100,000 events (one in ten recurring, a third
// of those with a moved and a deleted occurrence, texts of everyday calendars) saved into a new
// file, the file reopened, the summaries enumerated and every event loaded. SQLite keeps the
// same record bytes, enciphered the same way, as blobs of one table read back by id. Each save
// is its own crash-safe change on both sides. SQLite runs in WAL mode three ways: without
// sync, with normal sync and with full sync; the data file without write-through (compared
// with the first two) and with it (durable when the save returns, compared with full sync;
// also timed with a single sync per save and no barriers between its writes, the order a
// killed process keeps but a power loss may not).
// Three rounds run side by side and the medians are printed, each ratio as SQLite's time over
// ours (above 1: the data file is faster). Then the peak memory of holding 100,000 compact
// summaries (and, for comparison, the same summaries as event items) and of loading 100,000
// events, and the longest save while two other processes enumerate in a loop.
#include "core/storage/Cipher.h"
#include "core/storage/DataFile.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRecord.h"
#include "core/items/ItemSummary.h"
#include "core/storage/MemoryStream.h"
#include "core/items/RecurrenceBits.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <random>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kEvents = 100000;

const char *const kSubjects[] = {"Team meeting",      "Dentist appointment", "Call with the landlord",
                                 "Lunch with Sarah",  "Project review",      "Pick up the children",
                                 "Yoga class",        "Budget planning",     "Flight to Lisbon",
                                 "Parents' evening",  "Car service",         "Quarterly report due",
                                 "Birthday: Grandma", "Book club",           "Plumber visit",
                                 "1:1 with manager",  "Conference keynote",  "Vet: vaccinations",
                                 "Piano lesson",      "Interview candidate"};
const char *const kLocations[] = {"",       "Room 4.12",    "Main Street Dental, 14 Main Street",
                                  "Online", "Café Central", "Head office, 3rd floor",
                                  "Gym"};
const char *const kSentences[] = {"Bring the printed agenda and last month's figures. ",
                                  "Remember to ask about the invoice from March. ",
                                  "Parking is behind the building; the entrance is on the left. ",
                                  "Dial-in details are in the invitation e-mail. ",
                                  "Prepare three questions about the roadmap. ",
                                  "Take the umbrella, rain is forecast. "};
const char *const kTypes[] = {"Appointment", "Meeting", "Birthday", "Call", "Travel", "Personal"};
const char *const kCategories[] = {"", "Work", "Family", "Work, Important", "Health", "Hobbies"};

std::vector<CEventItem> MakeEvents()
{
    std::mt19937 rng(2024);
    std::vector<CEventItem> events;
    events.reserve(kEvents);
    for (int i = 0; i < kEvents; ++i) {
        const CDateTime start = CDateTime(2020, 1, 1, 7 + int(rng() % 12), int(rng() % 4) * 15, 0) +
                                CDateSpan(double(rng() % 2500));
        CEventItem e;
        e.SetStart(start);
        e.SetDuration(CDateSpan::FromMinutes(15.0 * (1 + rng() % 12)));
        if (i % 10 == 0) {
            const std::uint32_t word =
                i % 20 == 0 ? Recur::Weekly | Recur::ByDate | Recur::Tuesday : Recur::Monthly | Recur::ByDate;
            e.SetRecurrence(word, 1, std::uint16_t(start.GetDay()), start, CDateTime());
            if (i % 30 == 0) {
                // One occurrence changed, a later one deleted.
                const CDateTime second = e.NextPatternDate(start);
                int x = e.InsertException(second);
                if (x >= 0)
                    e.GetExceptionAt(x)->SetSubject(true, QStringLiteral("Moved this time"));
                x = e.InsertException(e.NextPatternDate(second));
                if (x >= 0)
                    e.GetExceptionAt(x)->SetDeleted(true);
            }
        }
        e.SetSubject(QString::fromUtf8(kSubjects[rng() % std::size(kSubjects)]));
        e.SetLocation(QString::fromUtf8(kLocations[rng() % std::size(kLocations)]));
        QString notes;
        for (int n = int(rng() % 6); n > 0; --n)
            notes += QString::fromUtf8(kSentences[rng() % std::size(kSentences)]);
        e.SetNotes(notes);
        e.SetItemTypeName(QString::fromUtf8(kTypes[rng() % std::size(kTypes)]));
        e.SetCategories(QString::fromUtf8(kCategories[rng() % std::size(kCategories)]));
        if (rng() % 3 == 0)
            e.SetReminder(true, CDateSpan::FromMinutes(15));
        events.push_back(std::move(e));
    }
    return events;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Durable saves sync the disk each time; fewer of them keep the run short.
constexpr int kDurableSaves = 1000;
constexpr int kRounds = 3;

struct Figures
{
    double save = 0, durableSave = 0, reopen = 0, summaries = 0, loads = 0;
    // Durable saves with a single sync at the end of each and no barriers between the writes:
    // safe when the process dies, not when the power fails. For comparison only.
    double oneSyncSave = 0;
    double fileBytes = 0;
};

// A fresh copy of an event for a first save into another file.
CEventItem Unsaved(const CEventItem &e)
{
    CEventItem copy(e);
    copy.SetRecordId(0);
    return copy;
}

Figures RunDataFile(const QString &path, const QString &durablePath, std::vector<CEventItem> &events,
                    std::vector<std::uint32_t> &ids)
{
    Figures f;
    const auto durableSaves = [&](const QString &where, bool barriers) {
        // Write-through on, as the program saves: each save is on the disk when it returns.
        CDataFile file;
        if (file.Create(where, QStringLiteral("Benchmark"), QString()) != S_OK ||
            file.Open(where, false) != S_OK || file.Validate() != S_OK)
            return 0.0;
        file.GetStorageFile().SetWriteBarriers(barriers);
        std::vector<CEventItem> some;
        for (int i = 0; i < kDurableSaves; ++i)
            some.push_back(Unsaved(events[std::size_t(i)]));
        const auto t = std::chrono::steady_clock::now();
        for (CEventItem &e : some) {
            if (file.SaveEvent(e) != S_OK)
                std::fprintf(stderr, "durable save failed\n");
        }
        return Seconds(t);
    };
    f.durableSave = durableSaves(durablePath, true);
    f.oneSyncSave = durableSaves(durablePath + QStringLiteral(".onesync"), false);

    CDataFile file;
    if (file.Create(path, QStringLiteral("Benchmark"), QString()) != S_OK || file.Open(path, false) != S_OK ||
        file.Validate() != S_OK)
        return f;
    file.SetWriteThrough(false);
    ids.clear();
    auto t = std::chrono::steady_clock::now();
    for (CEventItem &e : events) {
        e.SetRecordId(0);
        if (file.SaveEvent(e) != S_OK)
            std::fprintf(stderr, "save failed\n");
        ids.push_back(e.GetRecordId());
    }
    file.Flush();
    file.Close();
    f.save = Seconds(t);

    t = std::chrono::steady_clock::now();
    file.Open(path, true);
    file.Validate();
    f.reopen = Seconds(t);

    t = std::chrono::steady_clock::now();
    long long sum = 0;
    file.EnumSummaries(CCalendarItem::KindEvent, [&](const CItemSummary &summary) {
        sum += summary.IsRecurring();
        return S_OK;
    });
    f.summaries = Seconds(t);

    t = std::chrono::steady_clock::now();
    file.EnumEvents([&](std::uint32_t id) {
        CEventItem e(id);
        const HRESULT hr = file.LoadEvent(e);
        sum += e.GetSubject().size() + e.GetExceptionCount();
        return hr;
    });
    f.loads = Seconds(t);
    benchmark::DoNotOptimize(sum);
    f.fileBytes = double(QFileInfo(path).size());
    return f;
}

// The record as the data file stores it: serialised, its body enciphered.
QByteArray StoredRecord(const CEventItem &e, const CCipher &cipher)
{
    QByteArray r = ItemRecord::RecordBytes(e);
    cipher.Encrypt(r.data() + ItemRecord::PlainBlockSize, std::size_t(r.size()) - ItemRecord::PlainBlockSize);
    return r;
}

// Inserts the first count events, one transaction each, with the given synchronous setting.
double SqliteSaves(const QString &path, const std::vector<CEventItem> &events,
                   const std::vector<std::uint32_t> &ids, std::size_t count, const char *synchronous)
{
    const CCipher cipher(KeyFromPassword(QString()));
    sqlite3 *db = nullptr;
    const auto t = std::chrono::steady_clock::now();
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return 0;
    const QByteArray pragmas = QByteArray("PRAGMA journal_mode=WAL; PRAGMA synchronous=") + synchronous + ";";
    sqlite3_exec(db, pragmas.constData(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, "CREATE TABLE records (id INTEGER PRIMARY KEY, record BLOB NOT NULL)", nullptr, nullptr,
                 nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO records (id, record) VALUES (?, ?)", -1, &insert, nullptr);
    for (std::size_t i = 0; i < count; ++i) {
        const QByteArray r = StoredRecord(events[i], cipher);
        sqlite3_bind_int64(insert, 1, ids[i]);
        sqlite3_bind_blob(insert, 2, r.constData(), int(r.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(insert) != SQLITE_DONE)
            std::fprintf(stderr, "insert failed\n");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_close(db);
    return Seconds(t);
}

Figures RunSqlite(const QString &dir, const std::vector<CEventItem> &events, const std::vector<std::uint32_t> &ids,
                  Figures &normal, Figures &full)
{
    Figures f;
    const QString path = dir + QStringLiteral("/bench.sqlite");
    f.save = SqliteSaves(path, events, ids, events.size(), "OFF");
    normal.save = SqliteSaves(dir + QStringLiteral("/normal.sqlite"), events, ids, events.size(), "NORMAL");
    full.durableSave = SqliteSaves(dir + QStringLiteral("/full.sqlite"), events, ids, kDurableSaves, "FULL");

    const CCipher cipher(KeyFromPassword(QString()));
    sqlite3 *db = nullptr;
    auto t = std::chrono::steady_clock::now();
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    f.reopen = Seconds(t);

    long long sum = 0;
    t = std::chrono::steady_clock::now();
    sqlite3_stmt *summaries = nullptr;
    sqlite3_prepare_v2(db, "SELECT id, substr(record, 1, 164) FROM records ORDER BY id", -1, &summaries,
                       nullptr);
    CItemSummary summary;
    while (sqlite3_step(summaries) == SQLITE_ROW) {
        CMemoryStream s;
        s.Attach(sqlite3_column_blob(summaries, 1), std::size_t(sqlite3_column_bytes(summaries, 1)));
        summary.ReadEvent(s, std::uint32_t(sqlite3_column_int64(summaries, 0)));
        sum += summary.IsRecurring();
    }
    sqlite3_finalize(summaries);
    f.summaries = Seconds(t);

    t = std::chrono::steady_clock::now();
    sqlite3_stmt *ids_ = nullptr, *load = nullptr;
    sqlite3_prepare_v2(db, "SELECT id FROM records ORDER BY id", -1, &ids_, nullptr);
    sqlite3_prepare_v2(db, "SELECT record FROM records WHERE id = ?", -1, &load, nullptr);
    while (sqlite3_step(ids_) == SQLITE_ROW) {
        const auto id = sqlite3_column_int64(ids_, 0);
        sqlite3_bind_int64(load, 1, id);
        if (sqlite3_step(load) == SQLITE_ROW) {
            QByteArray r(static_cast<const char *>(sqlite3_column_blob(load, 0)),
                         sqlite3_column_bytes(load, 0));
            cipher.Decrypt(r.data() + ItemRecord::PlainBlockSize,
                           std::size_t(r.size()) - ItemRecord::PlainBlockSize);
            CEventItem e{std::uint32_t(id)};
            CMemoryStream s;
            s.Attach(r.constData(), std::size_t(r.size()));
            e.Read(s);
            sum += e.GetSubject().size() + e.GetExceptionCount();
        }
        sqlite3_reset(load);
    }
    sqlite3_finalize(ids_);
    sqlite3_finalize(load);
    f.loads = Seconds(t);
    sqlite3_close(db);
    benchmark::DoNotOptimize(sum);
    f.fileBytes = double(QFileInfo(path).size() + QFileInfo(path + "-wal").size());
    return f;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// ---- Memory, measured in a child process so that nothing else the benchmark holds counts ----

long StatusKb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

struct Memory
{
    double peakMB = 0, heldMB = 0;
};

// Peak and held growth of the resident set while `load` runs and keeps what it loaded.
template <class Load> Memory MeasureInChild(Load load)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5"); // starts the peak afresh
        clear.close();
        const long base = StatusKb("VmRSS");
        auto kept = load();
        double figures[2] = {double(StatusKb("VmHWM") - base) / 1024.0, double(StatusKb("VmRSS") - base) / 1024.0};
        benchmark::DoNotOptimize(kept);
        (void)!::write(fds[1], figures, sizeof figures);
        ::_exit(0);
    }
    ::close(fds[1]);
    double figures[2] = {0, 0};
    (void)!::read(fds[0], figures, sizeof figures);
    ::close(fds[0]);
    ::waitpid(pid, nullptr, 0);
    return {figures[0], figures[1]};
}

Memory HoldSummaries(const QString &path)
{
    return MeasureInChild([&] {
        CDataFile file;
        std::vector<CItemSummary> kept;
        if (file.Open(path, true) != S_OK || file.Validate() != S_OK)
            return kept;
        file.CollectSummaries(CCalendarItem::KindEvent, kept);
        return kept;
    });
}

// The same summaries kept as event items, as they were kept before the compact summary.
Memory HoldSummaryItems(const QString &path)
{
    return MeasureInChild([&] {
        CDataFile file;
        std::vector<CEventItem> kept;
        if (file.Open(path, true) != S_OK || file.Validate() != S_OK)
            return kept;
        file.EnumEvents([&](std::uint32_t id) {
            CEventItem e(id);
            const HRESULT hr = file.LoadEventSummary(e);
            if (hr == S_OK)
                kept.push_back(std::move(e));
            return hr;
        });
        return kept;
    });
}

Memory HoldEvents(const QString &path)
{
    return MeasureInChild([&] {
        CDataFile file;
        std::vector<CEventItem> kept;
        if (file.Open(path, true) != S_OK || file.Validate() != S_OK)
            return kept;
        file.EnumEvents([&](std::uint32_t id) {
            CEventItem e(id);
            const HRESULT hr = file.LoadEvent(e);
            if (hr == S_OK)
                kept.push_back(std::move(e));
            return hr;
        });
        return kept;
    });
}

// ---- Saves while two other processes enumerate the summaries over and over ----

struct Waits
{
    int saves = 0, failed = 0, readerLoops = 0;
    double longestMs = 0, medianUs = 0;
};

Waits SavesAgainstReaders(const QString &path, const std::vector<CEventItem> &events,
                          const std::vector<std::uint32_t> &ids)
{
    Waits w;
    int ready[2], loops[2];
    if (::pipe(ready) != 0 || ::pipe(loops) != 0)
        return w;
    pid_t readers[2] = {-1, -1};
    for (pid_t &pid : readers) {
        pid = ::fork();
        if (pid == 0) {
            ::close(ready[0]);
            ::close(loops[0]);
            CDataFile file;
            if (file.Open(path, true) != S_OK || file.Validate() != S_OK)
                ::_exit(1);
            (void)!::write(ready[1], "r", 1);
            for (;;) {
                file.EnumEvents([&](std::uint32_t id) {
                    CEventItem e(id);
                    return file.LoadEventSummary(e);
                });
                (void)!::write(loops[1], "l", 1);
            }
        }
    }
    ::close(ready[1]);
    ::close(loops[1]);
    char c;
    for (int i = 0; i < 2; ++i)
        (void)!::read(ready[0], &c, 1);

    CDataFile file;
    std::vector<double> times;
    const auto opening = std::chrono::steady_clock::now();
    const HRESULT opened = file.Open(path, false);
    if (opened != S_OK || file.Validate() != S_OK) {
        std::printf("the writer could not open the file beside the readers (%08x after %.1f s)\n",
                    unsigned(opened), Seconds(opening));
        w.failed = 1;
    } else {
        file.SetWriteThrough(false);
        std::mt19937 rng(5);
        std::vector<std::uint32_t> live = ids;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(4);
        for (int n = 0; std::chrono::steady_clock::now() < until && !live.empty(); ++n) {
            // New events, changes and deletions in turn.
            CEventItem e = Unsaved(events[rng() % events.size()]);
            const std::size_t pick = rng() % live.size();
            if (n % 3 == 1)
                e.SetRecordId(live[pick]);
            const auto t = std::chrono::steady_clock::now();
            HRESULT hr = S_OK;
            if (n % 3 == 2) {
                hr = file.DeleteEvent(live[pick]);
                live[pick] = live.back();
                live.pop_back();
            } else {
                hr = file.SaveEvent(e);
                if (n % 3 == 0 && hr == S_OK)
                    live.push_back(e.GetRecordId());
            }
            times.push_back(Seconds(t));
            w.failed += hr != S_OK;
        }
    }
    for (pid_t pid : readers) {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    ::close(ready[0]);
    std::vector<char> buffer(4096);
    for (ssize_t r; (r = ::read(loops[0], buffer.data(), buffer.size())) > 0;)
        w.readerLoops += int(r);
    ::close(loops[0]);
    w.saves = int(times.size());
    w.longestMs = times.empty() ? 0 : *std::max_element(times.begin(), times.end()) * 1e3;
    w.medianUs = Median(times) * 1e6;
    return w;
}

void DataFileAgainstSqlite(benchmark::State &state)
{
    for (auto _ : state) {
        QTemporaryDir dir;
        std::vector<CEventItem> events = MakeEvents();
        int exceptions = 0;
        for (const CEventItem &e : events)
            exceptions += e.GetExceptionCount();
        std::vector<std::uint32_t> ids;
        ids.reserve(events.size());
        std::vector<Figures> ours, off, normal, full;
        for (int round = 0; round < kRounds; ++round) {
            const QString sub = dir.filePath(QStringLiteral("round%1").arg(round));
            QDir().mkpath(sub);
            ours.push_back(RunDataFile(sub + QStringLiteral("/bench.qvd"), sub + QStringLiteral("/durable.qvd"),
                                       events, ids));
            Figures n, f;
            off.push_back(RunSqlite(sub, events, ids, n, f));
            normal.push_back(n);
            full.push_back(f);
            std::printf("round %d: summaries %.3f / %.3f s, loads %.3f / %.3f s, saves %.3f / %.3f / %.3f s, "
                        "durable saves %.3f / %.3f s (data file / SQLite)\n",
                        round + 1, ours.back().summaries, off.back().summaries, ours.back().loads,
                        off.back().loads, ours.back().save, off.back().save, normal.back().save,
                        ours.back().durableSave, full.back().durableSave);
        }
        auto median = [](const std::vector<Figures> &v, double Figures::*field) {
            std::vector<double> values;
            for (const Figures &f : v)
                values.push_back(f.*field);
            return Median(values);
        };
        // Each ratio is taken per round (the two sides ran back to back) and its median kept.
        auto ratio = [](const std::vector<Figures> &ours, const std::vector<Figures> &theirs,
                        double Figures::*field) {
            std::vector<double> values;
            for (std::size_t i = 0; i < ours.size(); ++i)
                values.push_back(ours[i].*field > 0 ? theirs[i].*field / (ours[i].*field) : 0);
            return Median(values);
        };

        std::printf("\n%d events (%d recurring exceptions), medians of %d rounds\n", kEvents, exceptions, kRounds);
        std::printf("%-44s %10s %10s %9s %6s\n", "work", "data file", "SQLite", "ratio", "goal");
        auto row = [](const char *what, double a, double b, double r, const char *goal) {
            std::printf("%-44s %9.3fs %9.3fs %8.2fx %6s\n", what, a, b, r, goal);
        };
        const double rSummaries = ratio(ours, off, &Figures::summaries);
        const double rLoads = ratio(ours, off, &Figures::loads);
        const double rSaveOff = ratio(ours, off, &Figures::save);
        const double rSaveNormal = ratio(ours, normal, &Figures::save);
        const double rDurable = ratio(ours, full, &Figures::durableSave);
        std::vector<double> oneSyncRatios;
        for (std::size_t i = 0; i < ours.size(); ++i)
            oneSyncRatios.push_back(ours[i].oneSyncSave > 0 ? full[i].durableSave / ours[i].oneSyncSave : 0);
        const double rOneSync = Median(oneSyncRatios);
        row("enumerate summaries vs WAL", median(ours, &Figures::summaries), median(off, &Figures::summaries),
            rSummaries, ">= 1x");
        row("load all vs WAL", median(ours, &Figures::loads), median(off, &Figures::loads), rLoads, ">= 1x");
        row("save all, no write-through vs WAL no sync", median(ours, &Figures::save), median(off, &Figures::save),
            rSaveOff, ">=0.5x");
        row("save all, no write-through vs WAL normal", median(ours, &Figures::save),
            median(normal, &Figures::save), rSaveNormal, "");
        char durable[64];
        std::snprintf(durable, sizeof durable, "%d saves, write-through vs WAL full sync", kDurableSaves);
        row(durable, median(ours, &Figures::durableSave), median(full, &Figures::durableSave), rDurable, ">= 1x");
        row("  the same, one sync per save (not power-safe)", median(ours, &Figures::oneSyncSave),
            median(full, &Figures::durableSave), rOneSync, "");
        std::printf("%-44s %9.3fms %8.3fms\n", "reopen", median(ours, &Figures::reopen) * 1e3,
                    median(off, &Figures::reopen) * 1e3);
        std::printf("%-44s %9.1fMB %8.1fMB\n", "file size", median(ours, &Figures::fileBytes) * 1e-6,
                    median(off, &Figures::fileBytes) * 1e-6);

        const QString last = dir.filePath(QStringLiteral("round%1/bench.qvd").arg(kRounds - 1));
        const Memory summaries = HoldSummaries(last);
        const Memory summaryItems = HoldSummaryItems(last);
        const Memory loaded = HoldEvents(last);
        std::printf("%-44s peak %7.1fMB, held %7.1fMB\n", "memory: 100k summaries kept", summaries.peakMB,
                    summaries.heldMB);
        std::printf("%-44s peak %7.1fMB, held %7.1fMB\n", "memory: 100k summaries kept as event items",
                    summaryItems.peakMB, summaryItems.heldMB);
        std::printf("%-44s peak %7.1fMB, held %7.1fMB\n", "memory: 100k events loaded and kept", loaded.peakMB,
                    loaded.heldMB);
        const Waits waits = SavesAgainstReaders(last, events, ids);
        std::printf("%-44s %d saves, %d gave up, longest %.1f ms, median %.0f us (%d reader passes)\n",
                    "saves against two looping readers", waits.saves, waits.failed, waits.longestMs,
                    waits.medianUs, waits.readerLoops);
        std::fflush(stdout);

        state.counters["summaries_ratio"] = rSummaries;
        state.counters["load_ratio"] = rLoads;
        state.counters["save_ratio_nosync"] = rSaveOff;
        state.counters["save_ratio_normal"] = rSaveNormal;
        state.counters["durable_save_ratio"] = rDurable;
        state.counters["one_sync_save_ratio"] = rOneSync;
        state.counters["summaries_peak_MB"] = summaries.peakMB;
        state.counters["summary_items_peak_MB"] = summaryItems.peakMB;
        state.counters["loads_peak_MB"] = loaded.peakMB;
        state.counters["longest_save_ms"] = waits.longestMs;
        state.counters["saves_given_up"] = waits.failed;
    }
}
BENCHMARK(DataFileAgainstSqlite)->Iterations(1)->Unit(benchmark::kSecond);
} // namespace

// The data file against SQLite on the same work: 100,000 events (one in ten recurring, texts of
// everyday calendars) saved into a new file, the file reopened, the summaries enumerated and
// every event loaded. SQLite keeps the same record bytes, enciphered the same way, as blobs
// of one table read back by id. Each save is its own crash-safe change on both sides and
// neither syncs per save: write-through off here, WAL with synchronous=OFF and one
// transaction per insert there.
#include "core/storage/Cipher.h"
#include "core/storage/DataFile.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRecord.h"
#include "core/storage/MemoryStream.h"
#include "core/items/RecurrenceBits.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <random>
#include <sqlite3.h>
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
                const int x = e.InsertException(e.NextPatternDate(start));
                if (x >= 0)
                    e.GetExceptionAt(x)->SetSubject(true, QStringLiteral("Moved this time"));
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

struct Figures
{
    double save = 0, reopen = 0, summaries = 0, loads = 0;
    double fileBytes = 0;
};

Figures RunDataFile(const QString &path, std::vector<CEventItem> &events, std::vector<std::uint32_t> &ids)
{
    Figures f;
    CDataFile file;
    if (file.Create(path, QStringLiteral("Benchmark"), QString()) != S_OK || file.Open(path, false) != S_OK ||
        file.Validate() != S_OK)
        return f;
    file.SetWriteThrough(false);
    auto t = std::chrono::steady_clock::now();
    for (CEventItem &e : events) {
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
    file.EnumEvents([&](std::uint32_t id) {
        CEventItem e(id);
        const HRESULT hr = file.LoadEventSummary(e);
        sum += e.IsRecurring();
        return hr;
    });
    f.summaries = Seconds(t);

    t = std::chrono::steady_clock::now();
    file.EnumEvents([&](std::uint32_t id) {
        CEventItem e(id);
        const HRESULT hr = file.LoadEvent(e);
        sum += e.GetSubject().size();
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

Figures RunSqlite(const QString &path, const std::vector<CEventItem> &events,
                  const std::vector<std::uint32_t> &ids)
{
    Figures f;
    const CCipher cipher(KeyFromPassword(QString()));
    sqlite3 *db = nullptr;
    auto t = std::chrono::steady_clock::now();
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return f;
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=OFF;", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "CREATE TABLE records (id INTEGER PRIMARY KEY, record BLOB NOT NULL)", nullptr, nullptr,
                 nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO records (id, record) VALUES (?, ?)", -1, &insert, nullptr);
    for (std::size_t i = 0; i < events.size(); ++i) {
        const QByteArray r = StoredRecord(events[i], cipher);
        sqlite3_bind_int64(insert, 1, ids[i]);
        sqlite3_bind_blob(insert, 2, r.constData(), int(r.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(insert) != SQLITE_DONE)
            std::fprintf(stderr, "insert failed\n");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_close(db);
    f.save = Seconds(t);

    t = std::chrono::steady_clock::now();
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    f.reopen = Seconds(t);

    long long sum = 0;
    t = std::chrono::steady_clock::now();
    sqlite3_stmt *summaries = nullptr;
    sqlite3_prepare_v2(db, "SELECT id, substr(record, 1, 164) FROM records ORDER BY id", -1, &summaries,
                       nullptr);
    while (sqlite3_step(summaries) == SQLITE_ROW) {
        CEventItem e(std::uint32_t(sqlite3_column_int64(summaries, 0)));
        CMemoryStream s;
        s.Attach(sqlite3_column_blob(summaries, 1), std::size_t(sqlite3_column_bytes(summaries, 1)));
        e.ReadSummary(s);
        sum += e.IsRecurring();
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
            sum += e.GetSubject().size();
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

void DataFileAgainstSqlite(benchmark::State &state)
{
    for (auto _ : state) {
        QTemporaryDir dir;
        std::vector<CEventItem> events = MakeEvents();
        std::vector<std::uint32_t> ids;
        ids.reserve(events.size());
        const Figures d = RunDataFile(dir.filePath(QStringLiteral("bench.qvd")), events, ids);
        const Figures s = RunSqlite(dir.filePath(QStringLiteral("bench.sqlite")), events, ids);

        std::printf("\n%d events            data file      SQLite   data file / SQLite\n", kEvents);
        auto row = [](const char *what, double a, double b, const char *unit, double scale) {
            std::printf("%-20s %10.3f %s %8.3f %s   %6.2f\n", what, a * scale, unit, b * scale, unit,
                        b > 0 ? a / b : 0.0);
        };
        row("save all", d.save, s.save, "s ", 1);
        row("reopen", d.reopen, s.reopen, "ms", 1000);
        row("summaries", d.summaries, s.summaries, "s ", 1);
        row("load all", d.loads, s.loads, "s ", 1);
        row("per save", d.save / kEvents, s.save / kEvents, "us", 1e6);
        row("per load", d.loads / kEvents, s.loads / kEvents, "us", 1e6);
        row("file size", d.fileBytes, s.fileBytes, "MB", 1e-6);
        std::fflush(stdout);

        state.counters["datafile_save_s"] = d.save;
        state.counters["datafile_summaries_s"] = d.summaries;
        state.counters["datafile_load_s"] = d.loads;
        state.counters["sqlite_save_s"] = s.save;
        state.counters["sqlite_summaries_s"] = s.summaries;
        state.counters["sqlite_load_s"] = s.loads;
        state.counters["save_ratio"] = s.save > 0 ? d.save / s.save : 0;
        state.counters["summaries_ratio"] = s.summaries > 0 ? d.summaries / s.summaries : 0;
        state.counters["load_ratio"] = s.loads > 0 ? d.loads / s.loads : 0;
    }
}
BENCHMARK(DataFileAgainstSqlite)->Iterations(1)->Unit(benchmark::kSecond);
} // namespace

// Compact summaries from the data file: what they carry against the summary loads, the whole
// items got from them, the results of loads and enumerations that fail, enciphered files and
// records of an older format.
#include "core/items/ItemTestUtil.h"
#include "core/items/RecordTestUtil.h"
#include "core/items/SummaryTestUtil.h"
#include "core/storage/DataFileTestSupport.h"

#include "core/items/RecurrenceBits.h"

#include <map>

using namespace datafile_test;
using namespace summary_test;
using namespace DataFileLayout;

namespace {
constexpr int kEvents = CCalendarItem::KindEvent;
constexpr int kTasks = CCalendarItem::KindTask;

class DataFileSummaries : public DataFileFixture
{
  protected:
    FixedClock m_clock{At(2024, 5, 6, 9, 30)};

    // Saves events and tasks with every kind of text, single and recurring, snoozed and not.
    void SaveItems(CDataFile &file)
    {
        int n = 0;
        for (const Texts &texts : TextCases()) {
            for (bool recurring : {false, true}) {
                const CDateTime start = At(2024, 6, 1 + n, 8 + n % 5, 15);
                CEventItem e = recurring
                                   ? MakeSeries(start, Hours(2),
                                                Recur::Weekly | Recur::ByDate | Recur::Friday, 1 + n % 3)
                                   : CEventItem();
                if (!recurring) {
                    e.SetStart(start);
                    e.SetDuration(Minutes(45));
                } else {
                    e.InsertException(e.NextPatternDate(start));
                    e.SetSnooze(start + Minutes(10), start, Minutes(5), start - Hours(1));
                }
                e.SetReminder(n % 2 == 0, Minutes(15));
                e.SetStoredTexts(texts.subject, texts.notes, QStringLiteral("Meeting"),
                                 QStringLiteral("Ämter"), QString());
                e.SetStoredLocation(texts.subject);
                ASSERT_EQ(file.SaveEvent(e), S_OK);
                m_events.emplace(e.GetRecordId(), e);

                CTaskItem t;
                t.SetDueDate(At(2024, 7, 1 + n));
                if (recurring) {
                    t.SetStartDate(At(2024, 6, 20));
                    t.SetRecurrence(Recur::Monthly | Recur::ByDate, 1, std::uint16_t(1 + n),
                                    At(2024, 7, 1 + n), CDateTime());
                    t.MarkCompleted(At(2024, 6, 30));
                }
                t.SetReminderTime(At(2024, 7, 1 + n, 9, 0));
                t.SetStoredTexts(texts.subject, texts.notes, QStringLiteral("Call"), QString(), QString());
                ASSERT_EQ(file.SaveTask(t), S_OK);
                m_tasks.emplace(t.GetRecordId(), t);
                ++n;
            }
        }
    }

    // Every summary of the file against the summary load and whole load of its item.
    void ExpectSummariesMatchLoads(CDataFile &file)
    {
        for (int kind : {kEvents, kTasks}) {
            SCOPED_TRACE(kind);
            std::vector<CItemSummary> summaries;
            ASSERT_EQ(file.CollectSummaries(kind, summaries), S_OK);
            std::vector<std::uint32_t> ids;
            const auto collect = [&ids](std::uint32_t id) {
                ids.push_back(id);
                return S_OK;
            };
            ASSERT_EQ(kind == kEvents ? file.EnumEvents(collect) : file.EnumTasks(collect), S_OK);
            ASSERT_EQ(summaries.size(), ids.size());
            ASSERT_EQ(summaries.size(), kind == kEvents ? m_events.size() : m_tasks.size());
            for (std::size_t i = 0; i < summaries.size(); ++i) {
                const CItemSummary &summary = summaries[i];
                SCOPED_TRACE(summary.GetRecordId());
                EXPECT_EQ(summary.GetRecordId(), ids[i]);
                std::unique_ptr<CCalendarItem> whole;
                ASSERT_EQ(file.LoadWholeItem(summary, whole), S_OK);
                if (kind == kEvents) {
                    CEventItem loaded(ids[i]);
                    ASSERT_EQ(file.LoadEventSummary(loaded), S_OK);
                    ExpectSummaryOf(summary, loaded);
                    ExpectSameItem(summary.ToEvent(), loaded);
                    EXPECT_EQ(summary.GetExceptionCount(),
                              std::uint32_t(m_events.at(ids[i]).GetExceptionCount()));
                    CEventItem direct(ids[i]);
                    ASSERT_EQ(file.LoadEvent(direct), S_OK);
                    ASSERT_NE(dynamic_cast<CEventItem *>(whole.get()), nullptr);
                    ExpectSameItem(*static_cast<CEventItem *>(whole.get()), direct);
                    EXPECT_EQ(ItemRecord::RecordBytes(direct), ItemRecord::RecordBytes(m_events.at(ids[i])));
                } else {
                    CTaskItem loaded(ids[i]);
                    ASSERT_EQ(file.LoadTaskSummary(loaded), S_OK);
                    ExpectSummaryOf(summary, loaded);
                    ExpectSameItem(summary.ToTask(), loaded);
                    CTaskItem direct(ids[i]);
                    ASSERT_EQ(file.LoadTask(direct), S_OK);
                    ASSERT_NE(dynamic_cast<CTaskItem *>(whole.get()), nullptr);
                    ExpectSameItem(*static_cast<CTaskItem *>(whole.get()), direct);
                    EXPECT_EQ(ItemRecord::RecordBytes(direct), ItemRecord::RecordBytes(m_tasks.at(ids[i])));
                }
            }
        }
    }

    std::map<std::uint32_t, CEventItem> m_events;
    std::map<std::uint32_t, CTaskItem> m_tasks;
};
} // namespace

TEST_F(DataFileSummaries, CarryWhatTheSummaryLoadsGive)
{
    {
        CDataFile file;
        CreateAndOpen(file);
        SaveItems(file);
        ExpectSummariesMatchLoads(file);
    }
    CDataFile reader;
    ASSERT_EQ(reader.Open(m_path, true), S_OK);
    ASSERT_EQ(reader.Validate(), S_OK);
    ExpectSummariesMatchLoads(reader);

    // A callback's result ends the walk as it ends the record walk (a reader passes over the
    // quiet ones).
    for (HRESULT code : {QV_E_INTERNAL, QV_E_REFUSED, S_FALSE}) {
        SCOPED_TRACE(code);
        int walked = 0, seen = 0;
        const HRESULT expected = reader.EnumEvents([&walked, code](std::uint32_t) {
            ++walked;
            return code;
        });
        EXPECT_EQ(reader.EnumSummaries(kEvents,
                                       [&seen, code](const CItemSummary &) {
                                           ++seen;
                                           return code;
                                       }),
                  expected);
        EXPECT_EQ(seen, walked);
    }
}

TEST_F(DataFileSummaries, FailuresGiveTheResultsOfTheSummaryLoads)
{
    CDataFile file;
    CreateAndOpen(file);
    SaveItems(file);
    const std::uint32_t eventId = m_events.begin()->first;
    const std::uint32_t taskId = m_tasks.begin()->first;
    std::uint32_t reservedId = 0;
    ASSERT_EQ(file.AllocateId(EventCollection, reservedId), S_OK);
    const std::uint32_t damagedId = std::next(m_events.begin())->first;
    ASSERT_EQ(file.WriteRecord(damagedId, MakeRecord(7, 40, 0x12345678)), S_OK);
    const std::uint32_t goneId = std::next(m_events.begin(), 2)->first;
    ASSERT_EQ(file.GetStorageFile().DeleteObject(goneId), S_OK);

    struct Case
    {
        const char *name;
        int kind;
        std::uint32_t id;
    };
    for (const Case &c :
         {Case{"a task's id as an event", kEvents, taskId}, Case{"an event's id as a task", kTasks, eventId},
          Case{"id 0", kEvents, 0}, Case{"a reserved id", kEvents, reservedId},
          Case{"a damaged record", kEvents, damagedId}, Case{"a deleted record", kEvents, goneId}}) {
        SCOPED_TRACE(c.name);
        HRESULT expected = S_OK;
        if (c.kind == kEvents) {
            CEventItem item(c.id);
            expected = file.LoadEventSummary(item);
        } else {
            CTaskItem item(c.id);
            expected = file.LoadTaskSummary(item);
        }
        ASSERT_NE(expected, S_OK);
        CItemSummary summary;
        ASSERT_EQ(file.LoadSummary(kEvents, eventId, summary), S_OK);
        EXPECT_EQ(file.LoadSummary(c.kind, c.id, summary), expected);
        EXPECT_EQ(summary.GetRecordId(), eventId); // kept as it was
    }

    std::vector<CItemSummary> summaries;
    CItemSummary summary;
    for (int kind : {0, 3, -1}) {
        EXPECT_EQ(file.LoadSummary(kind, eventId, summary), QV_E_CANCELLED);
        EXPECT_EQ(file.EnumSummaries(kind, [](const CItemSummary &) { return S_OK; }), QV_E_CANCELLED);
        EXPECT_EQ(file.CollectSummaries(kind, summaries), QV_E_CANCELLED);
    }
    std::unique_ptr<CCalendarItem> whole;
    EXPECT_EQ(file.LoadWholeItem(CItemSummary(), whole), QV_E_CANCELLED);
    EXPECT_EQ(whole, nullptr);

    // Walks over the damaged and deleted records end as the walks with summary loads do, in a
    // writable file and in a reader, and keep the summaries those walks load.
    const auto walkWithLoads = [](CDataFile &f, std::size_t &loaded) {
        loaded = 0;
        return f.EnumEvents([&f, &loaded](std::uint32_t id) {
            CEventItem e(id);
            const HRESULT hr = f.LoadEventSummary(e);
            loaded += hr == S_OK;
            return hr;
        });
    };
    std::size_t loaded = 0;
    const HRESULT writable = walkWithLoads(file, loaded);
    EXPECT_NE(writable, S_OK);
    summaries.clear();
    EXPECT_EQ(file.CollectSummaries(kEvents, summaries), writable);
    EXPECT_EQ(summaries.size(), loaded);
    file.Close();
    ASSERT_EQ(file.Open(m_path, true), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    const HRESULT reader = walkWithLoads(file, loaded);
    summaries.clear();
    EXPECT_EQ(file.CollectSummaries(kEvents, summaries), reader);
    EXPECT_EQ(summaries.size(), loaded);
}

TEST_F(DataFileSummaries, EncipheredFilesGiveSummariesWithoutThePassword)
{
    {
        CDataFile file;
        CreateAndOpen(file, QStringLiteral("pw"));
        SaveItems(file);
    }
    CDataFile file;
    ASSERT_EQ(file.Open(m_path, true), S_OK);
    ASSERT_EQ(file.Validate(), S_OK);
    std::vector<CItemSummary> summaries;
    ASSERT_EQ(file.CollectSummaries(kTasks, summaries), S_OK);
    ASSERT_EQ(summaries.size(), m_tasks.size());
    for (const CItemSummary &summary : summaries) {
        CTaskItem loaded(summary.GetRecordId());
        ASSERT_EQ(file.LoadTaskSummary(loaded), S_OK);
        ExpectSameItem(summary.ToTask(), loaded);
        EXPECT_EQ(summary.GetDueDate(), m_tasks.at(summary.GetRecordId()).GetDueDate());
    }
    // The whole item needs the key, as a whole load does.
    std::unique_ptr<CCalendarItem> whole;
    EXPECT_EQ(file.LoadWholeItem(summaries.front(), whole), QV_E_DECIPHER_CHECK);
    EXPECT_EQ(whole, nullptr);
    ASSERT_EQ(file.CheckPassword(QStringLiteral("pw")), S_OK);
    ASSERT_EQ(file.LoadWholeItem(summaries.front(), whole), S_OK);
    EXPECT_EQ(whole->GetSubject(), m_tasks.at(summaries.front().GetRecordId()).GetSubject());
}

TEST_F(DataFileSummaries, OlderRecordsAreSummarisedFromTheWholeRecord)
{
    CreateOlderFormatFile(OlderEventRecord("Old choir ♫", At(2009, 3, 3, 18, 0)));
    if (HasFatalFailure())
        return;
    CDataFile file;
    ASSERT_EQ(file.Open(m_path, false), S_OK);
    ASSERT_EQ(file.Validate(), QV_E_BAD_VERSION);
    std::vector<CItemSummary> summaries;
    ASSERT_EQ(file.CollectSummaries(kEvents, summaries), S_OK);
    ASSERT_EQ(summaries.size(), 1u);
    CEventItem loaded(16);
    ASSERT_EQ(file.LoadEventSummary(loaded), S_OK);
    ExpectSummaryOf(summaries[0], loaded);
    EXPECT_EQ(summaries[0].GetStart(), At(2009, 3, 3, 18, 0));
    EXPECT_FALSE(summaries[0].HasFlag(CCalendarItem::FlagLocked)); // repaired as the load repairs it
    std::vector<ItemStamp> stamps;
    ASSERT_EQ(file.CollectItemStamps(kEvents, stamps, 10), S_OK);
    ASSERT_EQ(stamps.size(), 1u);
    EXPECT_EQ(stamps[0].stamp, loaded.GetDataFileStamp());
}

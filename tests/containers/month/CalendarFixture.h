// A temporary data file with a few hundred items for the calendar containers (month, week and
// year): single, all-day and multi-day events, recurring series with deleted and moved
// occurrences, and tasks in every state; what the core's own searches say each period holds; and
// a document sink that passes stores and deletions on to a container as the main window does.
#pragma once

#include "containers/support/ContainerFixture.h"
#include "containers/support/ForwardingSink.h"
#include "core/dates/WeekRules.h"
#include "core/items/RecurrenceBits.h"

#include <map>
#include <random>
#include <set>

namespace container_test {

// (record id, occurrence key date) pairs; single events and tasks carry a zero date.
using OccurrenceSet = std::set<std::pair<std::uint32_t, double>>;

// The Date Navigator and the TaskPad fakes, also keeping the period they were last given.
class PeriodNavigator : public FakeNavigatorPort
{
  public:
    void SetSelection(const CDateTime &start, int unit, int count) override
    {
        ++selections;
        selectionStart = start;
        selectionUnit = unit;
        selectionCount = count;
    }
    int selections = 0, selectionUnit = 0, selectionCount = 0;
    CDateTime selectionStart;
};

class DatedTaskPad : public FakeTaskPad
{
  public:
    void SetDate(const CDateTime &d) override { date = d; }
    void ScrollFullyLeft() override { ++scrolledLeft; }
    CDateTime date;
    int scrolledLeft = 0;
};

class CalendarFixture : public ContainerFixture
{
  public:
    void SetUp() override
    {
        ContainerFixture::SetUp();
        m_savedMask = GetWorkWeekMask();
        m_savedFirstDay = GetFirstDayOfWeek();
        m_context.navigator = &m_periodNavigator;
        m_context.taskPad = &m_datedTaskPad;
        SetWorkWeekMask(0x3E); // Monday to Friday
        SetFirstDayOfWeek(6);  // weeks start on Sunday
        m_doc.SetMainWindow(&m_sink);
    }
    void TearDown() override
    {
        m_doc.SetMainWindow(nullptr);
        ContainerFixture::TearDown();
        SetWorkWeekMask(m_savedMask);
        SetFirstDayOfWeek(m_savedFirstDay);
    }

    // About three hundred items over 2023 and 2024, the same on every run.
    void FillCalendar()
    {
        std::mt19937 random(20240312);
        const auto pick = [&random](int lo, int hi) {
            return std::uniform_int_distribution<int>(lo, hi)(random);
        };
        const char *subjects[] = {"Standup",    "Dentist",       "Lunch with Ana", "Budget review",
                                  "Gym",        "Call the bank", "Piano lesson",   "Team retro",
                                  "School run", "Dinner"};
        const auto dayIn = [&](int year) {
            CDateTime d(year, 1, 1);
            AddDays(d, pick(0, 364));
            return d;
        };
        for (int i = 0; i < 150; ++i) { // timed single events
            CDateTime start = dayIn(pick(2023, 2024));
            start += CDateSpan(0, pick(7, 20), pick(0, 3) * 15, 0);
            StoreEvent(QString::fromLatin1(subjects[i % 10]), start, CDateSpan(0, pick(0, 2), 30, 0));
        }
        for (int i = 0; i < 30; ++i) // whole days
            StoreEvent(QStringLiteral("Holiday %1").arg(i), dayIn(2024), CDateSpan(1.0));
        for (int i = 0; i < 25; ++i) // several days, some across week and month ends
            StoreEvent(QStringLiteral("Trip %1").arg(i), dayIn(2024), CDateSpan(double(pick(2, 9))));
        StoreEvent(QStringLiteral("Night shift"), CDateTime(2024, 3, 9, 22, 0, 0), CDateSpan(0, 8, 0, 0));
        StoreEvent(QStringLiteral("Hidden"), CDateTime(2024, 3, 13, 9, 0, 0), CDateSpan(0, 1, 0, 0),
                   CCalendarItem::FlagHidden);
        for (int i = 0; i < 12; ++i)
            StoreSeriesWithExceptions(i);
        for (int i = 0; i < 60; ++i) {
            const std::uint32_t id = StoreTask(QStringLiteral("Task %1").arg(i), dayIn(2024));
            CTaskItem t = Task(id);
            switch (i % 6) {
            case 1: // completed
                t.SetFlags(t.GetFlags() | CTaskItem::TF_COMPLETED);
                break;
            case 2: // started before it is due
                t.SetStartDate((t.GetDueDate() - CDateSpan(double(pick(1, 20)))).DatePart());
                break;
            case 3: // no due date
                t.SetFlags(t.GetFlags() & ~CTaskItem::TF_HAS_DUE);
                break;
            case 4:
                t.SetPriority(pick(0, 4));
                t.SetStatus(pick(0, 3));
                break;
            default:
                break;
            }
            EXPECT_EQ(m_doc.StoreTask(t, true), S_OK);
        }
    }

    // A weekly or daily series through 2024, one occurrence deleted and one moved to the next day.
    void StoreSeriesWithExceptions(int i)
    {
        const CDateTime start = CDateTime(2023, 11 + i % 2, 1 + 2 * i, 8 + i % 9, 0, 0);
        const bool weekly = i % 3 != 0;
        const std::uint32_t word =
            weekly ? (Recur::Weekly | Recur::ByDate | Recur::WeekdayBit(start.GetDayOfWeek()))
                   : (Recur::Daily | Recur::ByDate);
        CEventItem e = MakeSeries(start, CDateSpan(0, 1, 0, 0), word | Recur::HasEndDate, weekly ? 1 : 3, 0,
                                  CDateTime(2024, 12, 31));
        e.SetSubject(QStringLiteral("Series %1").arg(i));
        const std::vector<COccurrence> all =
            e.OccurrencesInWindow(CDateTime(2024, 2, 1), CDateTime(2024, 5, 1));
        if (all.size() > 6) {
            e.InsertException(all[2].keyDate);
            e.GetException(all[2].keyDate, false)->SetDeleted(true);
            e.InsertException(all[5].keyDate);
            CRecurrenceException *moved = e.GetException(all[5].keyDate, false);
            moved->newStart = all[5].start + CDateSpan(1, 2, 0, 0);
            moved->SetSubject(true, QStringLiteral("Series %1 (moved)").arg(i));
        }
        EXPECT_EQ(m_doc.StoreEvent(e, true), S_OK);
    }

    // What the core's occurrence search puts in the days [start, start + days): every occurrence
    // of the shown events and the tasks the range shows. With a day filter (1 work days, 2
    // weekend days) only those that touch a day the filter shows.
    OccurrenceSet Expected(const CDateTime &start, int days, bool withTasks, const CShownRange &range,
                           int dayFilter = 0)
    {
        OccurrenceSet out;
        CDateTime end = start;
        AddDays(end, days);
        const auto touchesShownDay = [&](const CDateTime &from, const CDateTime &to) {
            if (dayFilter == 0)
                return true;
            const CDateTime last = to > from ? to - CDateSpan(0, 0, 0, 1) : from;
            for (CDateTime d = std::max(from, start).DatePart(); d <= last && d < end; AddDays(d, 1))
                if ((dayFilter == 1) == IsWorkDate(d))
                    return true;
            return false;
        };
        for (std::uint32_t id : EventIds()) {
            CEventItem e = Event(id);
            if (e.HasFlag(CCalendarItem::FlagHidden))
                continue;
            for (const COccurrence &o : e.OccurrencesInWindow(start, end))
                if (touchesShownDay(o.start, o.End()))
                    out.insert({id, e.IsRecurring() ? o.keyDate.Value() : 0.0});
        }
        if (withTasks)
            for (std::uint32_t id : TaskIds()) {
                CTaskItem t = Task(id);
                std::unique_ptr<CDisplayItem> shown;
                if (range.Contains(t) && t.MakeDisplayItemInRange(&shown, 1, start, days) && shown &&
                    touchesShownDay(shown->GetStart(), shown->GetEnd()))
                    out.insert({id, 0.0});
            }
        return out;
    }
    // The distinct occurrences a view holds (pieces of one occurrence count once); single items
    // count with a zero date.
    static OccurrenceSet Shown(const CCalendarViewCtrl &view)
    {
        OccurrenceSet out;
        for (const auto &e : view.GetEntries())
            out.insert({e->GetItemRef(),
                        e->HasFlag(CDisplayItem::FlagRecurring) ? e->GetOccurrenceDate().Value() : 0.0});
        return out;
    }

    static bool HasRecord(const CCalendarViewCtrl &view, std::uint32_t id)
    {
        for (const auto &e : view.GetEntries())
            if (e->GetItemRef() == id)
                return true;
        return false;
    }

    template <class Container> Container &Open(int width = 900, int height = 600)
    {
        auto owned = std::make_unique<Container>();
        Container &c = *owned;
        m_owned.push_back(std::move(owned));
        c.SetContext(&m_context);
        c.SetDataSource(&m_port);
        c.LoadPaneOptions(true);
        c.UpdateFilter(false);
        c.resize(width, height);
        m_sink.container = &c;
        return c;
    }
    void Close()
    {
        m_sink.container = nullptr;
        m_owned.clear();
    }

    int m_savedMask = 0x3E;
    int m_savedFirstDay = 0;
    ForwardingSink m_sink;
    PeriodNavigator m_periodNavigator;
    DatedTaskPad m_datedTaskPad;
    std::vector<std::unique_ptr<QWidget>> m_owned;
};

} // namespace container_test

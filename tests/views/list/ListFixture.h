// A small calendar for the list view tests: events and tasks built directly as display items
// (for sorting and texts) or as stored items (for the Event List's filling).
#pragma once

#include "core/dates/DateRules.h"
#include "core/items/DatedDisplayItem.h"
#include "core/items/EventItem.h"
#include "core/items/RecurrenceBits.h"
#include "core/items/TaskDisplayItem.h"
#include "core/items/TaskItem.h"

#include <memory>

namespace listfixture {

inline CDateSpan Hours(double n)
{
    return CDateSpan(n / 24.0);
}

// A whole-event list entry.
inline std::unique_ptr<CDatedDisplayItem> EventEntry(std::uint32_t id, const QString &subject,
                                                     const CDateTime &start,
                                                     const CDateSpan &duration = Hours(1))
{
    auto e = std::make_unique<CDatedDisplayItem>(CDisplayItem::KindEvent, 0, QStringLiteral("Appointment"),
                                                 start, duration);
    e->SetItemRef(id);
    e->SetSubject(subject);
    e->SetOccurrenceDate(CDateTime(0.0));
    e->SetNextDate(start);
    e->SetCreated(CDateTime(2020, 1, 1));
    return e;
}

inline std::unique_ptr<CTaskDisplayItem> TaskEntry(std::uint32_t id, const QString &subject, int priority = 2)
{
    auto t = std::make_unique<CTaskDisplayItem>();
    t->SetItemRef(id);
    t->SetSubject(subject);
    t->SetPriority(priority);
    t->SetCreated(CDateTime(2020, 1, 1));
    return t;
}

// A stored event with a record id.
inline CEventItem StoredEvent(std::uint32_t id, const QString &subject, const CDateTime &start,
                              const CDateSpan &duration = Hours(1))
{
    CEventItem e;
    e.SetRecordId(id);
    e.SetSubject(subject);
    e.SetStart(start);
    e.SetDuration(duration);
    e.SetCreatedTime(CDateTime(2020, 1, 1));
    return e;
}

inline CEventItem StoredSeries(std::uint32_t id, const QString &subject, const CDateTime &start,
                               std::uint32_t word, const CDateTime &end = CDateTime::Null())
{
    CEventItem e = StoredEvent(id, subject, start);
    e.SetRecurrence(end.IsValid() ? (word | Recur::HasEndDate) : word, 1, 0, start, end);
    return e;
}

inline CTaskItem StoredTask(std::uint32_t id, const QString &subject,
                            const CDateTime &due = CDateTime::Null())
{
    CTaskItem t;
    t.SetRecordId(id);
    t.SetSubject(subject);
    t.SetCreatedTime(CDateTime(2020, 1, 1));
    if (due.IsValid())
        t.SetDueDate(due);
    return t;
}

// Installs a fixed clock (and today) for the life of the object.
class Clock
{
  public:
    explicit Clock(const CDateTime &now)
    {
        SetNowProvider([now] { return now; });
        UpdateToday();
    }
    ~Clock()
    {
        SetNowProvider({});
        ResetToday();
    }
    Clock(const Clock &) = delete;
    Clock &operator=(const Clock &) = delete;
};

} // namespace listfixture

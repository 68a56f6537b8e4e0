// Shared pieces of the month view tests: a fixed work week, a fixed clock and a text measurer
// with whole-pixel arithmetic.
#pragma once

#include "core/dates/DateRules.h"
#include "core/items/DisplayItem.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/RecurrenceBits.h"
#include "core/dates/WeekRules.h"
#include "views/month/MonthGridModel.h"

#include <gtest/gtest.h>
#include <memory>

// Every character 6 pixels wide, every line `lineHeight` tall; a "\r\n" starts a new line.
class FixedMeasurer : public IMonthTextMeasurer
{
  public:
    explicit FixedMeasurer(int lineHeight) : m_lineHeight(lineHeight) {}
    int WrappedHeight(const QString &text, int width) const override
    {
        int lines = 0;
        for (const QString &part : text.split(QStringLiteral("\r\n"))) {
            const int w = int(part.size()) * 6;
            lines += std::max(1, (w + std::max(1, width) - 1) / std::max(1, width));
        }
        return lines * m_lineHeight;
    }

  private:
    int m_lineHeight;
};

// Monday starts the week, Monday to Friday are work days, and today is fixed.
class MonthWeekScope
{
  public:
    explicit MonthWeekScope(const CDateTime &today = CDateTime(2024, 9, 12, 10, 0, 0))
        : m_firstDay(GetFirstDayOfWeek()), m_mask(GetWorkWeekMask())
    {
        SetFirstDayOfWeek(0);
        SetWorkWeekMask(0x3E);
        SetToday(today);
    }
    ~MonthWeekScope()
    {
        SetFirstDayOfWeek(m_firstDay);
        SetWorkWeekMask(m_mask);
        SetNowProvider({});
        UpdateToday();
    }
    static void SetToday(const CDateTime &now)
    {
        SetNowProvider([now] { return now; });
        UpdateToday();
    }

  private:
    int m_firstDay;
    int m_mask;
};

// An event from start to end (FlagAllDay when a day or more).
inline std::unique_ptr<CDisplayItem> MakeEntry(const CDateTime &start, const CDateTime &end,
                                               const QString &subject = QStringLiteral("Item"),
                                               std::uint32_t extraFlags = 0)
{
    auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, QStringLiteral("Type"), start,
                                            end - start);
    e->SetSubject(subject);
    e->SetFlags(e->GetFlags() | extraFlags | CDisplayItem::FlagOwnItem);
    return e;
}

// A daily series from start, each occurrence `duration` long.
inline CEventItem DailyEvent(const QString &subject, const CDateTime &start, const CDateSpan &duration)
{
    CEventItem daily;
    daily.SetSubject(subject);
    daily.SetStart(start);
    daily.SetDuration(duration);
    daily.SetRecurrence(Recur::Daily | Recur::ByDate, 1, 0, start, CDateTime());
    return daily;
}

// The event as a record loaded from the data file.
inline CItemRef StoredRef(const CEventItem &event, std::uint32_t recordId)
{
    CItemRef ref;
    ref.SetItem(std::make_unique<CEventItem>(event));
    ref.SetRecordId(recordId);
    return ref;
}

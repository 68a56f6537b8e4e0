// A host for the navigator engine that records what the engine asks of its window.
#pragma once

#include "core/dates/WeekRules.h"
#include "toolkit/navigator/DateNavigator.h"

#include <set>
#include <vector>

class RecordingNavigatorHost : public INavigatorHost
{
  public:
    void Invalidate(const QRect &rect) override { invalidated.push_back(rect); }
    void InvalidateAll() override { ++invalidatedAll; }
    void UpdateNow() override { ++updates; }
    void SetMouseCapture(bool on) override { captured = on; }
    void StartTimer(int id, int) override { timers.insert(id); }
    void StopTimer(int id) override { timers.erase(id); }
    QPoint CursorPos() const override { return cursor; }
    QPoint ToScreen(const QPoint &client) const override { return client + QPoint(1000, 500); }
    void SetCursorShape(NavigatorCursor c) override { shape = c; }
    int Notify(const NavigatorNotification &n) override
    {
        notes.push_back(n);
        return answer;
    }

    std::vector<QRect> invalidated;
    int invalidatedAll = 0;
    int updates = 0;
    bool captured = false;
    std::set<int> timers;
    QPoint cursor;
    NavigatorCursor shape = NavigatorCursor::Arrow;
    std::vector<NavigatorNotification> notes;
    int answer = 1;
};

// Fixed font sizes: 6-pixel characters, 13-pixel lines. A month is then 172 x 128 pixels with
// week numbers (152 without), 147 high with the today bar.
inline NavigatorFontSizes FixedFontSizes(const QFont &, const QFont &) { return {6, 13, 13}; }

// Sets the week rules for the life of the object.
class ScopedWeekRules
{
  public:
    ScopedWeekRules(int firstDay, int rule)
        : m_firstDay(GetFirstDayOfWeek()), m_rule(GetWeekOfYearRule())
    {
        SetFirstDayOfWeek(firstDay);
        SetWeekOfYearRule(rule);
    }
    ~ScopedWeekRules()
    {
        SetFirstDayOfWeek(m_firstDay);
        SetWeekOfYearRule(m_rule);
    }

  private:
    int m_firstDay, m_rule;
};

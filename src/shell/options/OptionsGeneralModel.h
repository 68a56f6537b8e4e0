// COptionsGeneralModel: the General page without its window: the work week and hours, the week
// rules, the start-up choices and the five hot keys; what the page reads, what OK writes and
// which changes ask the views to be redrawn.
#pragma once

#include "core/system/ResultCode.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

struct AppSettings;
class CHotKeySet;

class COptionsGeneralModel
{
  public:
    static constexpr int kViewCount = 8; // "Last opened view" and the seven views

    // Hot keys in the page's order: main window, new event, new task, stop sound, reminders.
    static const std::array<int, 5> &HotKeyOrder();

    struct State
    {
        int weekOfYearRule = 0;         // 0 Jan 1, 1 first 4-day week, 2 first full week
        int firstDayOfWeek = 0;         // 0 Monday .. 6 Sunday
        std::array<bool, 7> workDays{}; // 0 Sunday .. 6 Saturday
        int startHour = 8, startMinute = 0;
        int endHour = 17, endMinute = 0;
        bool startWithSystem = false;
        bool startWithSystemAvailable = false; // the program file exists
        bool showMainWindow = true;
        int startupView = 0;
        std::array<std::uint16_t, 5> hotKeys{}; // in HotKeyOrder
    };

    enum class TimeCheck
    {
        Ok,
        BadStart,      // "Please specify a valid time."
        BadEnd,        // likewise, on the end field
        EndBeforeStart // "The end time you entered occurs before the start time."
    };

    struct ApplyResult
    {
        bool ok = true;            // false keeps the dialog open
        bool refreshViews = false; // the work week, week rules or hours changed
        bool layOutAgain = false;
        QStringList refusedHotKeys;       // texts of keys another program holds
        std::uint32_t autostartError = 0; // system error of a failed start-up entry
    };

    // Reads the live settings, "Common" and the desktop's start-up entry for the program file.
    void Load(const AppSettings &live, const QString &programPath);
    State &GetState() { return m_state; }
    const State &GetState() const { return m_state; }
    const State &GetLoaded() const { return m_loaded; }

    // The work-day table entry (0 Sunday) that check box `box` (0..6, from the first day) shows.
    static int BoxToDay(int box, int firstDayOfWeek) { return (firstDayOfWeek + 1 + box) % 7; }
    std::array<bool, 7> GetBoxChecks() const;
    void SetBoxChecks(const std::array<bool, 7> &checks);
    // The boxes' checks are stored under the old first day, then the first day changes; the
    // boxes are then to be relabelled and re-checked from GetBoxChecks.
    void ChangeFirstDay(int firstDayOfWeek, const std::array<bool, 7> &checks);

    // Leaving the page: both times must have been read, and the start must not be after the end.
    static TimeCheck CheckTimes(bool startRead, int startHour, int startMinute, bool endRead, int endHour,
                                int endMinute);

    // "WD": bit i for table entry i.
    static int PackWorkDays(const std::array<bool, 7> &days);
    static std::array<bool, 7> UnpackWorkDays(int mask);

    // Stores the values as the live settings and in "Common", changes the hot keys (a refused
    // one keeps its old value and stored word) and writes or removes the start-up entry. A
    // start-up entry that cannot be written unchecks the box and fails the apply.
    ApplyResult Apply(AppSettings &live, CHotKeySet *hotKeys, const QString &programPath);

    // The desktop start-up entry starts exactly this program file.
    static bool AutostartStarts(const QString &programPath);

  private:
    State m_state;
    State m_loaded;
};

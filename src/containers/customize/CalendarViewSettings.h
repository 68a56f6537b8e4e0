// CCalendarViewSettings: what the Customize dialog of the Day, Multi-day, Week and Month views
// shows and writes: read from the view's section when the dialog opens, written on OK with the
// changed flag the view reads afterwards. No widget, so that tests drive it directly.
#pragma once

#include "containers/customize/CustomColors.h"
#include "containers/customize/FontChoice.h"

#include <QString>
#include <QStringList>

class CCalendarViewSettings
{
  public:
    enum class Kind
    {
        Day,
        MultiDay,
        Week,
        Month,
    };
    static constexpr COLORREF kDefaultBackground = 0xFF000000; // the combo's "Default" entry
    static constexpr int kWorkWeekEntry = 13;                   // after "2 days" ... "14 days"

    // The section by fixed name index: 34 "Day", 35 "MDay", 36 "Week", 37 "Month"; false for any
    // other.
    static bool KindForSection(int sectionIndex, Kind &kind);
    explicit CCalendarViewSettings(Kind kind);

    Kind GetKind() const { return m_kind; }
    QString Section() const;
    // "Day View", "Multi-day View", "Week View", "Month View".
    QString TitleSuffix() const;

    // Reads the section (and "Common"/"FDOW" and "CCS").
    void Load();
    // Writes the values the kind uses, the font, "CB3" and "Common"/"CCS"; returns the changed
    // flag: always for Day and Multi-day, otherwise when a value that changes what the view
    // draws differs from the one stored before ("SF" and the font do not count).
    bool Save();

    // Entries of the choices.
    static QStringList TimeScaleEntries();
    QStringList ShowAsEntries() const; // Day: "1 day"; Multi-day: "2 days" ... "14 days", "Work week"
    static QStringList MonthShowAsEntries();
    static QStringList DisplayEntries();
    static QStringList TextModeEntries();

    // Which controls the kind shows.
    bool UsesTimeScale() const { return m_kind == Kind::Day || m_kind == Kind::MultiDay; }
    bool UsesTextMode() const { return m_kind == Kind::Week || m_kind == Kind::Month; }
    bool UsesWeekOptions() const { return m_kind == Kind::Week; }
    bool UsesMonthOptions() const { return m_kind == Kind::Month; }
    bool ShowAsEnabled() const { return m_kind == Kind::MultiDay; }
    // Start the week from Monday is fixed on when the program's week starts on Monday.
    bool WeekFromMondayEnabled() const { return m_firstDayOfWeek != 0; }
    // Dependent boxes.
    bool CompletedTasksEnabled() const { return includeDueTasks; }
    bool EndTimeEnabled() const { return showStartTime; }
    bool NotesEnabled() const { return textMode == 1; }

    // The dependent rules as the boxes change.
    void SetIncludeDueTasks(bool on);
    void SetShowStartTime(bool on);
    void SetTextMode(int index);

    CFontChoice font{6, 24};
    CCustomColors::Colors customColors = CCustomColors::White();
    COLORREF background = kDefaultBackground;
    int textMode = 1;  // 0 single-line, 1 multi-line
    int timeScale = 4; // 0 "5 minutes" ... 5 "60 minutes"
    int showAs = 0;    // Multi-day: 0 "2 days" ... 12 "14 days", 13 "Work week"
    bool workingTimeOnly = false;
    bool weekFromMonday = false;
    bool shadeWeekends = false;
    int monthShowAs = 0; // 0 "Full month", n "n weeks"
    int display = 0;     // 0 all days, 1 weekdays only, 2 weekends only
    bool rememberFilter = false;
    bool includeDueTasks = true;
    bool includeCompletedTasks = true;
    bool showIcons = false;
    bool showSymbols = true;
    bool showStartTime = false;
    bool showEndTime = false;
    bool showItemTypes = false;
    bool showCategories = false;
    bool showNotes = false;

  private:
    Kind m_kind;
    int m_firstDayOfWeek = 6;
};

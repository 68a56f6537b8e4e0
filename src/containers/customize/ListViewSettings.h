// CListViewSettings: what the Customize dialog of the Event List, Search Results, Tasks and
// TaskPad lists shows and writes. No widget, so that tests drive it directly.
#pragma once

#include "containers/customize/CustomColors.h"
#include "containers/customize/FontChoice.h"

#include <QString>

class CListViewSettings
{
  public:
    enum class Kind
    {
        EventList,
        Search,
        Tasks,
        TaskPad,
    };
    static constexpr COLORREF kDefaultBackground = 0xFF000000;

    // 39 "List", 40 "ListF", 41 "Tasks", 42 "TaskPad"; false for any other.
    static bool KindForSection(int sectionIndex, Kind &kind);
    explicit CListViewSettings(Kind kind) : m_kind(kind) {}

    Kind GetKind() const { return m_kind; }
    QString Section() const;
    // "Event List View", "Search Item List", "Task View", "TaskPad View".
    QString TitleSuffix() const;
    // "Remember selected filter": shown outside the TaskPad, fixed off for Search Results.
    bool ShowsRememberFilter() const { return m_kind != Kind::TaskPad; }
    bool RememberFilterEnabled() const { return m_kind != Kind::Search && m_kind != Kind::TaskPad; }
    // "Take into account filters": the TaskPad only.
    bool ShowsUseFilters() const { return m_kind == Kind::TaskPad; }

    void Load();
    void Save() const;

    CFontChoice font{6, 24};
    CCustomColors::Colors customColors = CCustomColors::White();
    COLORREF background = kDefaultBackground;
    bool standardSelection = true;
    bool itemTypeColors = true;
    bool rememberFilter = false;
    bool useFilters = false;

  private:
    Kind m_kind;
};

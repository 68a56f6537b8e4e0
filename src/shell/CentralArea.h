// What the main window needs of its client area: show a view kind, attach the open data file,
// and tell the active view about changed items. The main base window with its containers fills
// it.
#pragma once

#include "core/dates/DateTime.h"

#include <QWidget>
#include <cstdint>

class CCalendarDocument;
class CCalendarItem;
class CCaptionBar;
class CItemsStatusBar;
class IReminderWindowPort;

// The main window's parts the client area writes to; each may be null.
struct CentralAreaParts
{
    CCaptionBar *infoBar = nullptr;
    CItemsStatusBar *statusBar = nullptr;
    IReminderWindowPort *reminders = nullptr;
};

class ICentralArea
{
  public:
    virtual ~ICentralArea() = default;
    virtual QWidget *Widget() = 0;
    // The open data file changed (opened, closed, reopened).
    virtual void AttachDataFile() = 0;
    virtual void ShowView(int kind, int days, bool workWeek) = 0;
    virtual int ActiveViewKind() const = 0;
    // The hour or the date moved on.
    virtual void TimeChanged() = 0;
    // The document stored, removed or rescheduled an item; the active view follows.
    virtual void ItemStored(const CCalendarItem &) {}
    virtual void ItemRemoved(std::uint32_t /*recordId*/, const CDateTime & /*occurrence*/, bool /*oneOccurrence*/) {}
    virtual void ItemRescheduled(const CCalendarItem &, const CDateTime & /*occurrence*/) {}
    // Loads the active view's items again.
    virtual void Reload() {}
    // The desktop's colours or the locale's formats changed: the views redraw in them.
    virtual void SettingsChanged() {}
    // The pane switches (Date Navigator bar 32814, TaskPad 34789, details pane 34855): whether one
    // is on and may be switched, and switching it.
    virtual bool PaneState(int /*commandId*/, bool &checked) const
    {
        checked = false;
        return false;
    }
    virtual void TogglePane(int /*commandId*/) {}
    // Shows the active view's item counts; false when no view counts them.
    virtual bool UpdateCountPane() { return false; }
};

// The one place the main window gets its client area from.
ICentralArea *MakeCentralArea(CCalendarDocument &document, const CentralAreaParts &parts, QWidget *parent);

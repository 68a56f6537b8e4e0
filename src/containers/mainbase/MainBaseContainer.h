// IMainBaseContainer: what the main base window asks of a view container it shows. The real
// containers implement it; tests give fakes.
#pragma once

#include "core/dates/DateTime.h"
#include "core/system/ResultCode.h"

#include <QString>

class CCalendarDocument;
class INotifyTarget;
class QWidget;

class IMainBaseContainer
{
  public:
    virtual ~IMainBaseContainer() = default;

    // The container's window; the main base window parents, moves, shows and hides it.
    virtual QWidget *Widget() = 0;
    // 1 Day, 2 Multi-day, 3 Week, 4 Month, 5 Year, 6 Event List, 7 Tasks, 8 Search Results.
    virtual int GetViewKind() const = 0;
    // Its settings section ("Day", "MDay", ...), where "SSP" and "SDP" are written.
    virtual QString GetSection() const = 0;

    // Attaches the open calendar (null detaches it).
    virtual void SetDocument(CCalendarDocument *document) = 0;
    // The first day of the shown range, and the date it was last asked to show.
    virtual CDateTime GetShownStart() const = 0;
    virtual CDateTime GetShownDate() const = 0;
    // Ends an edit in place, a drag or other pending work before another view is shown.
    virtual void FinishPendingWork() = 0;
    // Resolves its filter for the open calendar; a failing code stops a switch.
    virtual HRESULT ResolveFilter() = 0;
    // Reloads the items for the date (null: the container's own date), both reload flags set.
    virtual HRESULT Reload(const CDateTime &date) = 0;
    // The view drops its transient state (tips, a drag in progress) as it is hidden.
    virtual void DropTransientState() = 0;
    // The filter text of the info bar.
    virtual QString GetFilterText() const = 0;
    virtual void UpdateCountPane() = 0;
    // Gives the focus to the remembered focus child, else to its view.
    virtual void TakeFocus() = 0;
    virtual void FocusView() = 0;
    // Re-reads its options and colours.
    virtual void ApplyOptions() = 0;
    virtual void ReloadColors() = 0;
    // Shows its focused item in the preview pane (or clears it).
    virtual void UpdateDetailsPane() = 0;
    // Hears Ctrl+Tab from the preview pane.
    virtual INotifyTarget *GetNotifyTarget() = 0;

    // Whether the Date Navigator bar ("SSP") and the preview pane ("SDP") show beside it.
    virtual bool GetShowNavigator() const = 0;
    virtual void SetShowNavigator(bool on) = 0;
    virtual bool GetShowDetails() const = 0;
    virtual void SetShowDetails(bool on) = 0;
    // The child that last had the focus inside it (or in the preview pane for it).
    virtual QWidget *GetFocusChild() const = 0;
    virtual void SetFocusChild(QWidget *child) = 0;

    // Multi-day only: the number of days and the work-week flag.
    virtual int GetDayCount() const { return 1; }
    virtual bool IsWorkWeek() const { return false; }
    virtual void SetDayCount(int /*days*/, bool /*workWeek*/) {}
    // Day only: select a time range, or focus the all-day banner.
    virtual void SelectTimeRange(const CDateTime & /*start*/, const CDateTime & /*end*/) {}
    virtual void FocusAllDayBanner() {}
    // Search Results only: starts a search with an empty filter.
    virtual HRESULT StartEmptySearch() { return S_OK; }
};

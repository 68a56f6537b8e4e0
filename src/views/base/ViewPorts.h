// What a calendar view asks of the calendar document, of its container and of its window. The
// view logic talks only to these, so that tests can drive it without a window.
#pragma once

#include "core/dates/DateTime.h"
#include "core/system/ResultCode.h"
#include "views/base/NotifyTarget.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

class CItemRef;
class CDisplayItem;
class CDragState;
class CCalendarViewCtrl;
class IItemTypeCatalog;
class QMimeData;

// Commands a view sends to its container.
inline constexpr int kCmdOpenItem = 32809;
inline constexpr int kCmdZoomDay = 32912;
inline constexpr int kCmdNewItem = 33022;
inline constexpr int kCmdPrevPeriod = 34733;
inline constexpr int kCmdNextPeriod = 34734;

// The document operations the views use.
class IViewDocument
{
  public:
    virtual ~IViewDocument() = default;
    // Loads the stored item into the holder (which takes the record id).
    virtual HRESULT LoadEvent(std::uint32_t recordId, CItemRef &out) = 0;
    virtual HRESULT LoadTask(std::uint32_t recordId, CItemRef &out) = 0;
    // Stores the held item (a new one gets its record id).
    virtual HRESULT SaveEventRef(CItemRef &ref) = 0;
    virtual HRESULT SaveTaskRef(CItemRef &ref) = 0;
    // The item types, for the subject-prefix shortcut; null when none.
    virtual const IItemTypeCatalog *GetItemTypes() const = 0;
    // Format version of the open data file; copies between files of different versions carry
    // nothing.
    virtual std::uint32_t GetFormatVersion() const = 0;
    // Completes the held task, or opens it again; S_FALSE when the document cannot.
    virtual HRESULT ToggleTaskCompleted(CItemRef &) { return S_FALSE; }
    // The open data file's calendar title; empty when none.
    virtual QString GetCalendarTitle() const { return {}; }
};

// The view's container: notifications (INotifyTarget), commands and the item operations.
class IViewContainer : public INotifyTarget
{
  public:
    virtual IViewDocument *GetDocument() = 0;
    // True when there is no data file or it is open read-only.
    virtual bool IsDataReadOnly() const = 0;
    // A command sent (handled now) or posted (handled after the current event).
    virtual void SendCommand(int commandId) = 0;
    virtual void PostCommand(int commandId) = 0;
    // Applies the drag items' moved starts and durations (effect move or copy); false when refused.
    virtual bool MoveItems(CCalendarViewCtrl &view, const QMimeData *data, int effect, const QPoint &point,
                           CDragState &drag) = 0;
    // Adds the item to the view when it passes the filter; false when it is not shown.
    virtual bool AddItemToView(CItemRef &ref, int flag) = 0;
    virtual void UpdateCountPane() = 0;
    // Reloads the view (after a paste, a drop or a resize).
    virtual void Refresh() = 0;
    // A task changed through the view; the TaskPad shows it again.
    virtual void TaskChanged(CItemRef &) {}
    // The container's kind: 1..5 calendar views, 6 Event List, 7 Tasks, 8 Search.
    virtual int GetContainerKind() const { return 0; }
    // The day last picked in the Date Navigator, null when none.
    virtual CDateTime GetNavigatorDay() const { return CDateTime::Null(); }
    // A pasted task, offered to the TaskPad when it shows it; the TaskPad refreshed once after.
    virtual void OfferTaskToTaskPad(CItemRef &) {}
    virtual void RefreshTaskPad() {}
    // Opens the event editor on a new, unsaved event (pasted text).
    virtual void OpenNewEventEditor(CItemRef &, bool /*readOnly*/) {}
    // Shows another period with the date in it (the year grid's arrows past the year use mode 2).
    virtual void GoToDate(const CDateTime &, int /*mode*/) {}
    // Whether the zoom-day list of the container is open.
    virtual bool IsZoomListOpen() const { return false; }

    // ---- Operations of the zoom-day list on its rows' items ----
    virtual void OpenItem(const CDisplayItem &) {}
    virtual void ShowItemProperties(const CDisplayItem &) {}
    // A print job limited to the items.
    virtual void PrintItems(const std::vector<const CDisplayItem *> &) {}
    // Each item the container deleted or changed away from the day gets StateRemoved; `quiet`
    // deletes without the container's own questions.
    virtual void DeleteItems(const std::vector<CDisplayItem *> &, bool /*quiet*/) {}
    virtual void SetItemsLocked(const std::vector<CDisplayItem *> &, bool /*lock*/) {}
    virtual void ChangeItemsType(const std::vector<CDisplayItem *> &, int /*typeIndex*/) {}
    virtual void ConvertEventsToTasks(const std::vector<CDisplayItem *> &, bool /*withDueDates*/) {}
    virtual void ConvertTasksToEvents(const std::vector<CDisplayItem *> &) {}
    // Has the view add its entries of that day to the open zoom-day list again.
    virtual void RefillDayList(int /*dayKey*/) {}
    // The details pane: whether it shows, the item to show (null clears it; `force` reloads the
    // same item), and the view's own focused item again.
    virtual bool IsDetailsPaneVisible() const { return false; }
    virtual void ShowDetails(const CDisplayItem *, bool /*force*/) {}
    virtual void UpdateDetailsPane() {}
};

// Cursor shapes the view asks for.
enum class ViewCursor
{
    Normal,
    Zoom,
    Move,
    ResizeVertical,
    ResizeHorizontal
};

// The window side of a view: painting requests, the mouse capture, the in-place edit, menus and
// messages.
class IViewHost
{
  public:
    virtual ~IViewHost() = default;
    virtual QRect ClientRect() const = 0;
    // An empty rectangle invalidates the whole client area.
    virtual void Invalidate(const QRect &rect) = 0;
    virtual void UpdateWindow() = 0;
    virtual void SetCapture(bool on) = 0;
    virtual bool HasCapture() const = 0;
    virtual void SetCursorShape(ViewCursor cursor) = 0;
    virtual void TakeFocus() = 0;
    virtual void Beep() = 0;
    virtual QPoint MapToScreen(const QPoint &client) const = 0;
    virtual QPoint MapFromScreen(const QPoint &screen) const = 0;
    // Shows popup `index` of the views' context menu at the screen point.
    virtual void ShowContextMenu(int popupIndex, const QPoint &screenPoint) = 0;
    // Runs the drag of the view's selection; the effect it ended with.
    virtual int StartOleDrag(int allowedEffects, const QRect &screenStartRect) = 0;
    virtual void ShowWarning(int stringId) = 0;
    virtual void ReportError(HRESULT code) = 0;
    // An information box with a ready text.
    virtual void ShowInfoText(const QString &) {}
    // The in-place edit.
    virtual void ShowEdit(const QRect &rect, const QString &text, bool multiLine) = 0;
    virtual void HideEdit() = 0;
    virtual bool IsEditVisible() const = 0;
    virtual QString EditText() const = 0;
    virtual bool IsEditModified() const = 0;
    virtual void FocusEdit() = 0;
    // A character typed into the open edit, as if the user had typed it there.
    virtual void SendCharToEdit(QChar) {}
    // Pastes a dropped data object that carries no drag of the program's own.
    virtual HRESULT PasteFromDataObject(const QMimeData *data, const QPoint &point) = 0;
};

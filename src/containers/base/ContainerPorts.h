// What a container asks of the windows around it: the TaskPad, the Date Navigator, the details
// pane, the open zoom-day list and the main window, the editors it opens, and the dialogs and
// keyboard state it asks about. Each may be absent; the main base window hands them in through
// one CContainerContext, tests fake them.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>
#include <cstdint>
#include <memory>

class CActiveFilter;
class CCalendarItem;
class CCalendarViewCtrl;
class CDisplayItem;
class CEventItem;
class CItemRef;
class CTaskItem;
class ICommandTarget;
class QWidget;

// The answer of the occurrence-or-series prompt.
enum class OccurrenceChoice
{
    Cancel = -1,
    Occurrence = 0,
    Series = 1
};

// Dialogs other than message boxes (those go through the message port) and the keyboard state.
class IContainerPrompts
{
  public:
    virtual ~IContainerPrompts() = default;
    // kind 1 event, 2 task; mode 1 delete, 0 modify. Runs with the reminder windows disabled.
    virtual OccurrenceChoice AskOccurrenceOrSeries(int kind, int mode, const QString &subject,
                                                   QWidget *parent) = 0;
    // Go To Date starting at the date; false after Cancel.
    virtual bool AskGoToDate(CDateTime &date, QWidget *parent) = 0;
    virtual bool IsShiftHeld() const = 0;
    virtual void SetWaitCursor(bool on) = 0;
};

// Opens the editors on held items. The editors own the holder they are given.
class IItemEditorOpener
{
  public:
    virtual ~IItemEditorOpener() = default;
    // newException: the holder's occurrence change was made just now and is not stored yet.
    virtual void OpenEvent(std::unique_ptr<CItemRef> holder, QWidget *parent, bool readOnly,
                           bool newException, bool recurrencePage) = 0;
    virtual void OpenTask(std::unique_ptr<CItemRef> holder, QWidget *parent, bool readOnly) = 0;
    virtual void ShowProperties(std::unique_ptr<CItemRef> holder, QWidget *parent) = 0;
};

// The TaskPad beside the views of kinds 1 to 4.
class ITaskPadPort
{
  public:
    virtual ~ITaskPadPort() = default;
    virtual bool IsShown() const = 0;
    // Its window (focus routing) and its list (drags that start in it); either may be null.
    virtual QWidget *GetWidget() const = 0;
    virtual CCalendarViewCtrl *GetListView() const = 0;
    virtual ICommandTarget *GetCommandTarget() const = 0;
    virtual int GetEntryCount() const = 0;
    // Null when it has no focused entry.
    virtual const CDisplayItem *GetFocusedEntry() const = 0;
    // Whether the task belongs to its selection; a summary is enough.
    virtual bool WantsTask(const CTaskItem &task) const = 0;
    // Adds the task when it passes its own selection; true when added.
    virtual bool AddTask(const CTaskItem &task) = 0;
    // Replaces the rows of the task (a changed task); true when a row changed.
    virtual bool UpdateTask(const CTaskItem &task) = 0;
    // Sets the removed state (0x08) on the rows of the record; true when a row changed.
    virtual bool MarkRemoved(std::uint32_t recordId) = 0;
    // Removes the rows of the record now; true when a row went.
    virtual bool RemoveTask(std::uint32_t recordId) = 0;
    // Drops the rows marked removed and clamps its focus; true when a row went.
    virtual bool RemoveMarked() = 0;
    // Whether it applies a filter of its own (then changed items are tested against it).
    virtual bool IsFiltering() const = 0;
    virtual void Refresh(bool notifyFocus) = 0;
    virtual void Reload() = 0;
    virtual void ReloadOptions() = 0;
    virtual void TakeFocus() = 0;
    // The calendar views keep it on their date and show its list from the first column.
    virtual void SetDate(const CDateTime & /*date*/) {}
    virtual void ScrollFullyLeft() {}
};

// The Date Navigator's share of a container: the filter it marks busy days through and its
// busy-day marks.
class IDateNavigatorPort
{
  public:
    virtual ~IDateNavigatorPort() = default;
    virtual void SetFilter(const CActiveFilter &filter) = 0;
    virtual void Repaint() = 0;
    virtual void UpdateToday() = 0;
    // Whether the event (a summary) falls in the shown months and marks busy days.
    virtual bool WantsEvent(const CEventItem &summary) const = 0;
    virtual void MarkBusyDays(const CEventItem &event) = 0;
    // Highlights the days a view shows: from `start`, `count` days in steps of the unit (1 day,
    // 7 week, 31 month).
    virtual void SetSelection(const CDateTime & /*start*/, int /*unit*/, int /*count*/) {}
};

// The details pane below the views.
class IDetailsPanePort
{
  public:
    virtual ~IDetailsPanePort() = default;
    virtual bool IsVisible() const = 0;
    // Kind and record id of the item it shows; 0 when empty.
    virtual int GetShownKind() const = 0;
    virtual std::uint32_t GetShownRecordId() const = 0;
    // Null empties it. The occurrence names the shown occurrence of a series (its overrides).
    virtual void ShowItem(const CCalendarItem *item, const CDateTime &occurrence) = 0;
    // True when it shows an event or a task (Alt+N may focus it).
    virtual bool CanTakeFocus() const = 0;
    virtual void TakeFocus() = 0;
};

// The zoom-day list while it is open.
class IZoomListPort
{
  public:
    virtual ~IZoomListPort() = default;
    virtual bool IsOpen() const = 0;
    virtual ICommandTarget *GetCommandTarget() const = 0;
    virtual void TakeFocus() = 0;
};

// The main window's share: its current date, its bars and the views it switches to.
class IContainerMainWindow
{
  public:
    virtual ~IContainerMainWindow() = default;
    // Valid only while a single date is picked in the Date Navigator.
    virtual CDateTime GetCurrentDate() const = 0;
    // "%d items" or "%d (%d) items"; a TaskPad count of -1 means none.
    virtual void SetItemCounts(int viewCount, int taskPadCount) = 0;
    virtual void SetInfoBarTitle(const QString &title) = 0;
    virtual void ShowInfoBarText(const QString &text) = 0;
    virtual void ShowDayView(const CDateTime &date) = 0;
    // Prints the selected items in the Memo style without the print dialog.
    virtual void PrintSelectedMemo() = 0;
    // A task was stored on the container's behalf (shown again wherever it appears).
    virtual void TaskChanged(const CTaskItem &task) = 0;
    // Runs a view customisation dialog for the section; true after OK, `reload` when the items
    // must be loaded again.
    virtual bool CustomizeView(int sectionIndex, bool &reload) = 0;
    virtual void CustomizeDateNavigator() = 0;
    // Opens the zoom-day list of the container's view for the day cell; false when out of memory.
    virtual bool OpenZoomList(int cell, const CDateTime &date) = 0;
};

// Everything above, each pointer null when absent.
struct CContainerContext
{
    IContainerPrompts *prompts = nullptr;
    IItemEditorOpener *editors = nullptr;
    ITaskPadPort *taskPad = nullptr;
    IDateNavigatorPort *navigator = nullptr;
    IDetailsPanePort *details = nullptr;
    IZoomListPort *zoomList = nullptr;
    IContainerMainWindow *mainWindow = nullptr;
};

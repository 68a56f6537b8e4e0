// CDayZoomModel: the rows and commands of the zoom-day list (all items of one day in a popup),
// without its window: the sorted rows and their selection, the window size, the time columns,
// the context menu's choice, the clipboard formats and what each command asks and hands to
// the container. CDayZoomList shows it.
#pragma once

#include "core/dates/DateFormats.h"
#include "core/dates/DateTime.h"
#include "core/items/DisplayItem.h"
#include "core/document/MessagePort.h"
#include "views/base/ViewContextMenus.h"
#include "views/base/ViewPorts.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <memory>
#include <vector>

class QMimeData;
class QObject;

// What the list asks of its window.
class IDayZoomHost
{
  public:
    virtual ~IDayZoomHost() = default;
    // Puts the data on the clipboard; false when it could not be written.
    virtual bool SetClipboardData(std::unique_ptr<QMimeData> data) = 0;
    // Runs the command after the current event.
    virtual void PostCommand(int commandId) = 0;
    // Closes the window now.
    virtual void DestroyWindow() = 0;
    virtual void Repaint() = 0;
    // Shows or ends the wait state (the busy cursor) around work that may take a while.
    virtual void SetWaitState(bool /*on*/) {}
    // Owner of the message boxes; null lets the program choose its main window.
    virtual QObject *MessageOwner() const { return nullptr; }
};

// The zoom list's commands: the views' menu commands, and the list's own Close and Select All.
namespace ZoomCommand {
inline constexpr int Open = kCmdOpenItem;
inline constexpr int Print = kCmdPrintItems;
inline constexpr int Delete = kCmdDeleteItems;
inline constexpr int Close = 32816;
inline constexpr int Properties = kCmdItemProperties;
inline constexpr int FirstType = kCmdSetItemType;
inline constexpr int LastType = kCmdSetItemTypeLast;
inline constexpr int MarkComplete = kCmdCompleteTasks;
inline constexpr int EventToTask = kCmdConvertToTask;
inline constexpr int Lock = kCmdLockItems;
inline constexpr int Unlock = kCmdUnlockItems;
inline constexpr int TaskToEvent = kCmdConvertToEvent;
inline constexpr int Copy = kCmdCopy;
inline constexpr int Cut = kCmdCut;
inline constexpr int SelectAll = 57642;
} // namespace ZoomCommand

// Popups of the list's context menu: the views' menus, and one with Close alone.
namespace ZoomPopup {
inline constexpr int Item = MenuEvent;
inline constexpr int ItemTypesFirst = MenuEventWithTypes;
inline constexpr int Task = MenuTask;
inline constexpr int TaskTypesFirst = MenuTaskWithTypes;
inline constexpr int CloseOnly = 17;
} // namespace ZoomPopup

class CDayZoomModel
{
  public:
    CDayZoomModel(IViewContainer *owner, int dayKey, const CDateTime &day, bool gradient);
    ~CDayZoomModel();
    CDayZoomModel(const CDayZoomModel &) = delete;
    CDayZoomModel &operator=(const CDayZoomModel &) = delete;

    void SetHost(IDayZoomHost *host) { m_host = host; }
    IViewContainer *GetOwner() const { return m_owner; }
    int GetDayKey() const { return m_dayKey; }
    const CDateTime &GetDay() const { return m_day; }
    bool GetGradient() const { return m_gradient; }
    bool IsBusy() const { return m_busy; }

    // ---- Rows ----
    void ClearRows();
    // Inserts the row in display order; its index, or -1 for none.
    int AddRow(std::unique_ptr<CDisplayItem> item);
    int GetRowCount() const { return int(m_rows.size()); }
    CDisplayItem *GetRow(int row) const;

    // ---- Selection (mirrored in each row's selected state) ----
    void SetSelected(int row, bool selected);
    bool IsSelected(int row) const;
    int GetSelectedCount() const;
    std::vector<int> GetSelectedRows() const;
    void SelectAll();
    void ClearSelection();
    // Selects the row of that occurrence alone; false when none.
    bool SelectByKey(std::uint32_t recordId, const CDateTime &occurrence);

    // ---- Sizes ----
    // 400 wide; the rows plus the heading and frame, grown in whole rows to 360 and shrunk in
    // whole rows to the work area.
    static QSize FitWindowSize(int rowCount, int rowHeight, int headingHeight, int workAreaHeight);
    // Where a menu opened from the keyboard appears: half a row height inside the selected
    // row (its rectangle), or at the corner (0, 0) when no row is selected (a null rectangle).
    static QPoint KeyboardMenuPoint(const QRect &selectedRow, int rowHeight);
    struct TimeColumns
    {
        int space = 0, start = 0, end = 0;
    };
    TimeColumns MeasureTimeColumns(const TextWidthFn &measure) const;
    // The row's text: the item box text without times, type or categories.
    static QString RowText(const CDisplayItem &item);

    // ---- Commands ----
    bool IsCommandEnabled(int commandId) const;
    void OnCommand(int commandId);
    // Keys before the list handles them; true when used.
    bool OnKey(int key, int modifiers);
    // The list lost the focus: it closes unless a box or an operation is under way.
    void OnFocusLost();
    int GetContextPopup() const;
    // Shows the single selected row's item in the details pane when it is visible.
    void UpdateDetailsPane(bool force);

    // The clipboard texts of the selected rows: subjects, and the private item format with,
    // per row, whether its record was written (a failed load writes an empty record).
    QByteArray RenderText() const;
    QByteArray RenderItems(std::vector<bool> *written) const;
    // A subject as the delete question quotes it: from 128 characters on, cut to 124 and "...".
    static QString QuotedSubject(const QString &subject);

  private:
    std::vector<CDisplayItem *> SelectedItems() const;
    void OpenSelected(bool properties);
    void Print();
    // Copies the selection; the rows whose records went to the clipboard (none when it failed).
    std::vector<int> Copy();
    void Cut();
    void Delete();
    void ConvertEventsToTasks();
    void ConvertTasksToEvents();
    void SetLocked(bool lock);
    void MarkComplete();
    void ChangeType(int typeIndex);
    void Close();
    // Removes the rows the container marked as changed away, last first.
    void RemoveMarkedRows();
    int Ask(const QString &text, MessageButtons buttons);

    IViewContainer *m_owner;
    IDayZoomHost *m_host = nullptr;
    int m_dayKey;
    CDateTime m_day;
    bool m_gradient;
    bool m_busy = false;
    std::vector<std::unique_ptr<CDisplayItem>> m_rows;
};

// CViewContainer: the base of the container windows, one per view kind. A container owns the
// view of its kind, keeps that view's settings section and active filter, decides which items
// belong in the shown period, loads them, keeps the view, the TaskPad and the details pane in
// step after every change, routes the commands of its view and carries the item commands,
// moving, the clipboard and the details pane. Concrete containers (day, week, month, year,
// lists, tasks, search, web month) derive from it and override the period and view operations.
#pragma once

#include "containers/base/ContainerPorts.h"
#include "containers/base/ShownRange.h"
#include "core/dates/DateTime.h"
#include "core/lists/ActiveFilter.h"
#include "core/system/ResultCode.h"
#include "toolkit/commands/CommandTarget.h"
#include "views/base/CustomWnd.h"
#include "views/base/ViewPorts.h"

#include <QPointer>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class CCalendarItem;
class CCalendarViewCtrl;
class CDayZoomList;
class CDisplayItem;
class CDragState;
class CEventItem;
class CItemRef;
class CTaskItem;
class IContainerDocument;

// The TaskPad column of a print job: takes a task when it passes its own test and filter.
class ITaskPadPrintView
{
  public:
    virtual ~ITaskPadPrintView() = default;
    virtual bool AddTaskIfPasses(const CTaskItem &task) = 0;
};

// What the print visitors need of a print job the container serves.
struct ContainerPrintJob
{
    int styleId = 0; // 32 Details, 64 Memo, 257..262 the view styles
    CCalendarViewCtrl *view = nullptr;
    ITaskPadPrintView *taskPad = nullptr;
    CDateTime start;
    int dayCount = 0;
};

// Command ids of the container's message map.
namespace ContainerCmd {
inline constexpr int Today = 32805;
inline constexpr int GoToDate = 32806;
inline constexpr int CustomizeView = 32808;
inline constexpr int OpenItem = 32809;
inline constexpr int PrintMemo = 32810;
inline constexpr int Delete = 32811;
inline constexpr int DayView = 32812;
inline constexpr int ZoomListClose = 32814;
inline constexpr int Properties = 32817;
inline constexpr int HiddenItems = 32911;
inline constexpr int ZoomDay = 32912;
inline constexpr int NewEventFirst = 33022;
inline constexpr int NewEventLast = 33122;
inline constexpr int NewRecurringFirst = 33123;
inline constexpr int NewRecurringLast = 33222;
inline constexpr int SetTypeFirst = 33223;
inline constexpr int SetTypeLast = 33322;
inline constexpr int PrevPeriod = 34733;
inline constexpr int NextPeriod = 34734;
inline constexpr int Refresh = 34735;
inline constexpr int CustomizeNavigator = 34744;
inline constexpr int NewTask = 34747;
inline constexpr int CompleteTasks = 34751;
inline constexpr int NewItem = 34752;
inline constexpr int ConvertToTask = 34777;
inline constexpr int JumpBack = 34792;
inline constexpr int JumpForward = 34793;
inline constexpr int Lock = 34847;
inline constexpr int Unlock = 34848;
inline constexpr int NewTaskForDays = 34854;
inline constexpr int FocusDetails = 34856;
inline constexpr int ConvertToEvent = 34858;
inline constexpr int Copy = 57634;
inline constexpr int Cut = 57635;
inline constexpr int Paste = 57637;
inline constexpr int NextPane = 57680;
inline constexpr int PrevPane = 57681;
} // namespace ContainerCmd

class CViewContainer : public CCustomWnd, public IViewContainer, public ICommandTarget
{
  public:
    using EntryList = std::vector<CDisplayItem *>;
    // Result bits of MarkItemRemoved and RemoveItemFromViews.
    static constexpr int ChangedView = 0x01;
    static constexpr int ChangedTaskPad = 0x10;

    explicit CViewContainer(QWidget *parent = nullptr);
    ~CViewContainer() override;

    // ---- Set-up ----
    void SetContext(const CContainerContext *context) { m_context = context; }
    const CContainerContext &Context() const;
    // The document the items come from; null while no data file is open. The view document
    // is what the views use (the same object when it serves both).
    void SetDataSource(IContainerDocument *document, IViewDocument *viewDocument = nullptr);
    IContainerDocument *GetDataSource() const { return m_document; }
    bool IsDataReadOnly() const override;

    // ---- Kind, section, dates ----
    // Stores both and hands the section to the view; returns the view.
    virtual CCalendarViewCtrl *SetViewKind(int kind, int sectionIndex);
    int GetViewKind() const { return m_kind; }
    // The settings section's name.
    QString GetSection() const;
    virtual CDateTime GetFirstShownDate() const;
    virtual CDateTime GetLastShownDate() const;
    // A zero date here; containers return the date they show.
    virtual CDateTime GetCurrentDate() const;
    // The first date a print of the view starts on.
    virtual CDateTime GetPrintStartDate() const { return GetFirstShownDate(); }
    // The print style and range a print of this view offers first; nothing in the base.
    virtual void GetDefaultPrintRange(int & /*styleId*/, CDateTime & /*start*/, CDateTime & /*end*/) const {}
    // Widens a chosen print range to whole periods of the view; nothing in the base.
    virtual void AlignPrintRange(CDateTime & /*start*/, CDateTime & /*end*/) const {}
    virtual int GetTaskFilterKind() const { return -1; }
    virtual void SetTaskFilterKind(int) {}
    virtual QString GetCaptionText() const { return {}; }
    // Modes: 1 go to the date (Today), 2 show the period with the date, 3 one period back, 4
    // one period forward.
    virtual void GoToDate(int mode, const CDateTime &date);
    virtual HRESULT LoadPeriodItems(bool first, bool second, const CDateTime &date);
    virtual bool IsWorkWeek() const { return false; }
    virtual bool GoPrevPeriod();
    virtual bool GoNextPeriod();

    // ---- Views ----
    virtual CCalendarViewCtrl *GetViewCtrl() const { return nullptr; }
    virtual CCalendarViewCtrl *GetFirstView() const { return GetViewCtrl(); }
    virtual CCalendarViewCtrl *GetSecondView() const { return nullptr; }
    virtual int GetItemCount() const { return 0; }
    // The view's first selected cell (else the focused entry's) and its date; -1 without a view.
    virtual int GetFocusedDay(CDateTime &date) const;
    // Fills the zoom-day list with copies of the view's entries of the cell; the day container
    // adds its banner's.
    virtual void AttachZoomList(CDayZoomList &list, int cell);
    virtual void ReloadOptions();
    // The views reload their colours.
    virtual void ReloadColors();
    virtual void Reload(bool flag);
    virtual void ClearEntries();
    virtual void RefreshViews(bool sort);
    virtual int EndInPlaceEdit(bool, bool) { return 0; }
    virtual void SwitchPane(bool forward);
    virtual void PrintMemoDirect();
    virtual void LoadPaneOptions(bool reload);
    virtual QString GetFilterCaption() const;

    // ---- The shown period ----
    virtual CShownRange GetShownRange() const;
    virtual bool IsItemInShownRange(const CCalendarItem &item) const;
    virtual bool IsItemInPrintRange(const CCalendarItem &item) const;
    static bool IsShowingHiddenItems();
    static void SetShowingHiddenItems(bool on);

    // ---- Filter ----
    virtual HRESULT ApplyFilter(const CActiveFilter &filter, bool flag);
    // Flag 0 resets the filter first. Returns 0.
    int UpdateFilter(bool flag);
    const CActiveFilter &GetActiveFilter() const { return m_filter; }

    // ---- Items in the views ----
    // Adds the held item's occurrences when it is shown at all: not deleted, not hidden while
    // hidden items are not shown, passing the filter, and for a task in the shown range.
    bool AddItemToView(CItemRef &holder, int select) override;
    virtual bool AddItemToPrintView(CItemRef &holder, int mode);
    // The holder names the item as it was (its occurrence); its item is the stored new one.
    virtual void OnItemUpdated(CItemRef &holder, bool select);
    // A reminder moved the item's schedule: every entry of the item takes the new start, and the
    // entry of that occurrence of a single item loses its reminder mark. True when one matched.
    virtual bool OnItemRescheduled(std::uint32_t recordId, const CDateTime &occurrence,
                                   const CDateTime &newStart);
    // Sets the removed state on the entries of the occurrence (null: the whole item); for kinds
    // 1 to 4 on the TaskPad rows too. Returns ChangedView / ChangedTaskPad.
    virtual int MarkItemRemoved(std::uint32_t recordId, const CDateTime *occurrence, bool notify);
    virtual int RemoveItemFromViews(std::uint32_t recordId, const CDateTime *occurrence, bool notify);
    // Forwarders to the view; nothing without one. A container with two views applies them to both.
    virtual bool SetItemStates(std::uint32_t recordId, std::uint32_t value, std::uint32_t mask, bool redraw);
    virtual bool SetOccurrenceStates(std::uint32_t recordId, const CDateTime &occurrence, std::uint32_t value,
                                     std::uint32_t mask, bool redraw);
    virtual bool SetAllStates(std::uint32_t value, std::uint32_t mask, bool redraw);
    virtual void RemoveOccurrenceEntries(std::uint32_t recordId, const CDateTime &occurrence);
    virtual void RemoveItemEntries(std::uint32_t recordId);
    virtual void RemoveEntriesWithStates(std::uint32_t bits);
    virtual void UpdateItemTypeEntries(std::uint32_t recordId, int typeIndex, const QString &typeName);

    // ---- Loading ----
    // LoadPeriodItems, then the details pane when it succeeded.
    HRESULT ReloadItems(bool first, bool second, const CDateTime &date);
    void UpdateCountPane() override;
    bool IsTaskPadCounted() const;
    bool IsSidePaneShown() const { return m_sidePaneShown; }
    bool IsDetailsPaneShown() const { return m_detailsPaneShown; }
    bool IncludesTasksWithDue() const { return m_includeTasksWithDue; }
    bool IncludesCompletedTasks() const { return m_includeCompleted; }
    // The print job the container serves; null job on screen.
    void SetPrintJob(const ContainerPrintJob *job) { m_printJob = job; }
    const ContainerPrintJob *GetPrintJob() const { return m_printJob; }

    // ---- Details pane ----
    void UpdateDetailsPane(bool force);
    void ShowInDetailsPane(const CDisplayItem *entry, bool force);

    // ---- Item operations (the TaskPad and the zoom-day list pass their own entries) ----
    // `refresh`: the container removes the changed entries from its views itself and sends the
    // focus notifications; without it the given entries are marked instead. `interactive`:
    // questions and messages are shown (off for Cut).
    void OpenItem(const CDisplayItem &entry) override;
    void ShowItemProperties(const CDisplayItem &entry) override;
    int DeleteItems(const EntryList &entries, bool refresh, bool interactive, QWidget *parent);
    void ChangeItemsType(int typeIndex, const EntryList &entries, bool refresh, QWidget *parent);
    void ConvertEventsToTasks(const EntryList &entries, bool withDueDates, bool refresh, bool interactive,
                              QWidget *parent);
    void ConvertTasksToEvents(const EntryList &entries, bool refresh, bool interactive, QWidget *parent);
    void SetItemsLocked(const EntryList &entries, bool lock, bool refresh, bool interactive, QWidget *parent);
    void CompleteTasks(const EntryList &entries, QWidget *parent);
    // The drop or drag end of entries: target view (null: the container's own), the move
    // confirmation, the drop effect (2 moves, else copies), the drag and an optional drop date
    // (null when none). False when nothing was done.
    bool MoveItems(CCalendarViewCtrl *targetView, bool confirm, int effect, CDragState &drag,
                   const CDateTime &dropDate);

    // ---- Clipboard ----
    bool CopyToClipboard();
    // Puts the view's selected entries on the clipboard as text and as items; false when none.
    static bool CopyViewSelection(const CCalendarViewCtrl &view);
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanPaste() const;

    // A new event's start on the date: the time of now rounded up to the next half hour; the
    // date is never advanced (23:45 gives 00:00 of the same date).
    static CDateTime RoundedNewEventStart(const CDateTime &date, const CDateTime &now);

    // ---- Commands and notifications ----
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CCmdUI &ui) override;
    int OnNotify(const CNotifyRecord &record) override;
    // The container's own message map; derived containers add theirs and call these.
    virtual bool OnContainerCommand(int id);
    virtual bool OnUpdateContainerCommand(int id, CCmdUI &ui);
    QWidget *GetFocusedPane() const { return m_focusedPane; }
    void SetFocusedPane(QWidget *pane) { m_focusedPane = pane; }

    // ---- IViewContainer ----
    IViewDocument *GetDocument() override { return m_viewDocument; }
    void SendCommand(int commandId) override;
    void PostCommand(int commandId) override;
    bool MoveItems(CCalendarViewCtrl &view, const QMimeData *data, int effect, const QPoint &point,
                   CDragState &drag) override;
    void Refresh() override;
    void TaskChanged(CItemRef &holder) override;
    int GetContainerKind() const override { return m_kind; }
    CDateTime GetNavigatorDay() const override;
    void OfferTaskToTaskPad(CItemRef &holder) override;
    void RefreshTaskPad() override;
    void OpenNewEventEditor(CItemRef &holder, bool readOnly) override;
    void GoToDate(const CDateTime &date, int mode) override { GoToDate(mode, date); }
    bool IsZoomListOpen() const override;
    void PrintItems(const std::vector<const CDisplayItem *> &) override { PrintMemoDirect(); }
    void DeleteItems(const std::vector<CDisplayItem *> &entries, bool quiet) override;
    void SetItemsLocked(const std::vector<CDisplayItem *> &entries, bool lock) override;
    void ChangeItemsType(const std::vector<CDisplayItem *> &entries, int typeIndex) override;
    void ConvertEventsToTasks(const std::vector<CDisplayItem *> &entries, bool withDueDates) override;
    void ConvertTasksToEvents(const std::vector<CDisplayItem *> &entries) override;
    bool IsDetailsPaneVisible() const override;
    void ShowDetails(const CDisplayItem *entry, bool force) override { ShowInDetailsPane(entry, force); }
    void UpdateDetailsPane() override { UpdateDetailsPane(false); }

  protected:
    void focusInEvent(QFocusEvent *event) override;
    // The program's options through one place, so that derived containers read them alike.
    static bool SelectAddedItems();
    // The view's selected entries, one copy per selected occurrence.
    std::vector<std::unique_ptr<CDisplayItem>> SelectedEntries() const;
    static EntryList Pointers(const std::vector<std::unique_ptr<CDisplayItem>> &entries);
    // Reports a failed reload or hands it to the session error handling.
    void AfterReload(HRESULT result, bool repaintNavigator);
    void Beep() const;
    // The entries of the record in one view take the new start (see OnItemRescheduled).
    static bool RescheduleEntries(CCalendarViewCtrl &view, std::uint32_t recordId, const CDateTime &occurrence,
                                  const CDateTime &newStart);
    // Adds a just stored item to the views, selected when the options say so.
    bool ShowStoredItem(std::unique_ptr<CCalendarItem> item);
    void WaitCursor(bool on) const;

    int m_sectionIndex = 33;
    int m_kind = 0;
    IContainerDocument *m_document = nullptr;
    IViewDocument *m_viewDocument = nullptr;
    QPointer<QWidget> m_focusedPane;
    const ContainerPrintJob *m_printJob = nullptr;
    bool m_includeTasksWithDue = true; // "STDD"
    bool m_includeCompleted = true;    // "STC"
    bool m_sidePaneShown = true;       // "SSP"
    bool m_detailsPaneShown = false;   // "SDP"
    CActiveFilter m_filter;

  private:
    // Per-entry helpers of the item operations.
    HRESULT DeleteOneEntry(CDisplayItem &entry, bool interactive, QWidget *parent, bool &deleted,
                           bool &wholeItem, bool &changedTaskPad);
    // Runs after a loop over entries that were marked removed: drops them from the view and
    // the TaskPad and refreshes both.
    void FinishRemoval(int changed, bool refresh);
    // The shared steps of converting events to tasks and back: one entry's item replaced by its
    // stored conversion, then the views, the TaskPad and the editor of a single conversion.
    void ReplaceConvertedEntry(CDisplayItem &entry, std::uint32_t oldId, std::unique_ptr<CCalendarItem> converted,
                               bool refresh);
    void FinishConversion(std::size_t entryCount, std::uint32_t lastNewId, bool toTasks, bool taskPadChanged,
                          bool refresh, bool interactive, int lockedCount, const CDisplayItem *lockedEntry,
                          QWidget *parent);
    void ReportLocked(int lockedCount, const CDisplayItem *lockedEntry, bool interactive, int oneId,
                      int someId, QWidget *parent) const;
    void NewEvent(int command);
    void NewTask(bool forSelectedDays);
    void ConvertSelection(bool toTasks);
    void ZoomDay();
    void GoToDateCommand();
    void CustomizeViewCommand();
    void ToggleHiddenItems();
    void JumpPeriod(bool forward);
    bool StepPeriod(bool forward);

    const CContainerContext *m_context = nullptr;
};

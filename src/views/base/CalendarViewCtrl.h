// CCalendarViewCtrl: the logic every calendar view shares, free of any window: the shown entries,
// cells and their selection, the display options, and the mouse, keyboard, drag and in-place edit
// behaviour. Views derive from it for their geometry and drawing; CCalendarViewWnd shows one.
#pragma once

#include "core/dates/DateTime.h"
#include "core/items/DisplayItem.h"
#include "core/system/ResultCode.h"
#include "core/document/TransferPaste.h"
#include "views/base/ViewPorts.h"
#include "views/print/ViewPrintHooks.h"
#include "views/base/WheelScroll.h"

#include <QFont>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class CDragItem;
class CTextShapeCache;
class CDragState;
class CEventItem;
class CItemRef;
class QMimeData;
class QPainter;
typedef std::uint32_t COLORREF;

// Hit codes of HitTest.
enum ViewHit
{
    HitNothing = 0,
    HitCell = 1,
    HitCellArea = 2,
    HitDayHeader = 3,
    HitEntryBody = 4,
    HitEntryMove = 5,
    HitEntryStart = 6,
    HitEntryEnd = 7,
    HitHeader = 8,
    HitHorzScroll = 9,
    HitVertScroll = 10
};

// Modifier flags of the input handlers.
inline constexpr int kModShift = 0x1;
inline constexpr int kModCtrl = 0x2;

// Control id of the in-place edit.
inline constexpr int kInPlaceEditId = 804;
// "Attention ! This item will not be shown because filtering is on."
inline constexpr int kIdsHiddenByFilter = 59381;

// The colours an entry's item box is drawn in.
struct ItemColors
{
    COLORREF text = 0;
    COLORREF background = 0;
    COLORREF gradientLight = 0; // top of a gradient fill
    COLORREF gradientDark = 0;  // its bottom
};

class CCalendarViewCtrl
{
  public:
    using EntryList = std::vector<std::unique_ptr<CDisplayItem>>;

    CCalendarViewCtrl();
    virtual ~CCalendarViewCtrl();
    CCalendarViewCtrl(const CCalendarViewCtrl &) = delete;
    CCalendarViewCtrl &operator=(const CCalendarViewCtrl &) = delete;

    void SetHost(IViewHost *host) { m_host = host; }
    IViewHost *GetHost() const { return m_host; }
    void SetContainer(IViewContainer *container) { m_container = container; }
    IViewContainer *GetContainer() const { return m_container; }

    int GetSectionIndex() const { return m_sectionIndex; }
    void SetSectionIndex(int index) { m_sectionIndex = index; }
    int GetViewKind() const { return m_viewKind; }
    void SetViewKind(int kind) { m_viewKind = kind; }

    // ---- Geometry, supplied by the views ----
    virtual int CellFromDate(const CDateTime &date, int *flags = nullptr) const;
    virtual int CellFromPoint(const QPoint &point) const;
    virtual QRect GetCellRect(int cell, int part) const;
    virtual void EnsureCellVisible(int cell);
    virtual void SetCurrentCell(int cell);
    virtual void RecalcLayout();
    virtual CDateTime GetDayDate(int n) const;
    virtual CDateSpan GetShownSpan() const;
    // The time one cell covers: the end of a selection or a resized entry is the date of its
    // last cell plus this.
    virtual CDateSpan GetCellSpan(int cell) const;
    virtual CDateSpan GetDaySpan(int a, int b) const;
    virtual void InvalidateRange(int from, int to, bool redraw);
    virtual int HitTest(const QPoint &point, int *index) const;
    virtual int EntryFromPoint(const QPoint &point) const;
    virtual QRect GetEntryRect(int index) const;
    virtual QRect GetEntryTextRect(int index) const;
    virtual void EnsureEntryVisible(int index);
    virtual void InvalidateEntry(int index);
    virtual void LayoutEntries();
    virtual void Draw(QPainter &painter, const QRect &updateRect);
    virtual QRect GetViewRect() const;
    virtual QString GetCaption() const;

    // ---- Entries ----
    const EntryList &GetEntries() const { return m_entries; }
    int GetEntryCount() const { return int(m_entries.size()); }
    CDisplayItem *GetEntry(int index) const;
    virtual bool AddEntry(std::unique_ptr<CDisplayItem> entry);
    // Adds the item's display items inside the shown days; true when one was added.
    virtual bool AddItem(CItemRef &ref);
    virtual void RemoveOccurrenceEntries(std::uint32_t recordId, const CDateTime &occurrence);
    virtual void RemoveEntriesOfRecord(std::uint32_t recordId);
    virtual void RemoveEntriesMatching(std::uint32_t bits);
    virtual void RemoveEntryAt(int index);
    virtual void RemoveAllEntries();
    virtual void SortDisplayItems();
    virtual void SetEntryTypeForItem(std::uint32_t recordId, int typeIndex, const QString &typeName,
                                     const CDateTime *movedStart);
    // Index of the entry of that occurrence, -1 none.
    virtual int FindEntry(std::uint32_t recordId, const CDateTime &occurrence) const;
    virtual int CountDistinctItems() const;
    virtual int CopyEntriesForCell(EntryList &out, int cell) const;
    virtual bool GetEntryTipText(int index, QString &text) const;
    virtual void Refresh(bool sort);
    virtual void OnEntriesChanged();

    // ---- State of entries ----
    // Bits of the mask take the value's bits; true when a bit other than the focus mark changed.
    bool SetAllItemStates(std::uint32_t value, std::uint32_t mask, bool redraw);
    virtual bool SetItemState(std::uint32_t recordId, std::uint32_t value, std::uint32_t mask, bool redraw);
    virtual bool SetOccurrenceState(std::uint32_t recordId, const CDateTime &occurrence, std::uint32_t value,
                                    std::uint32_t mask, bool redraw);
    // state = (state | set) & ~clear, optionally storing a moved start; redraws changed entries.
    virtual bool SetItemStateEx(std::uint32_t recordId, std::uint32_t set, std::uint32_t clear, bool redraw,
                                const CDateTime *movedStart = nullptr);
    virtual bool SetOccurrenceStateEx(std::uint32_t recordId, const CDateTime &occurrence, std::uint32_t set,
                                      std::uint32_t clear, bool redraw,
                                      const CDateTime *movedStart = nullptr);
    int GetSelectedCount() const;
    // The first entry that is selected and neither dragged nor hidden; -1 none.
    int GetFirstSelectedEntry() const;
    bool IsSingleOccurrenceSelected() const;
    // One copy per selected occurrence / per occurrence.
    int GetSelectedItems(EntryList &out) const;
    int GetDistinctItems(EntryList &out) const;
    int GetFocusedEntry() const { return m_focusedEntry; }
    void SetFocusedEntry(int index) { m_focusedEntry = index; }

    struct SavedState
    {
        std::uint32_t recordId = 0;
        CDateTime occurrence;
        std::uint32_t state = 0;
    };
    struct SavedSelection
    {
        std::vector<SavedState> entries;
        bool hasFocus = false;
        std::uint32_t focusRecord = 0;
        CDateTime focusOccurrence;
    };
    // The selection across a reload; recordId 0 saves every item's entries.
    SavedSelection SaveSelection(std::uint32_t recordId = 0) const;
    void RestoreSelection(const SavedSelection &saved);

    // ---- Cells ----
    int GetDayCount() const { return int(m_cellMarks.size()); }
    void SetDayCount(int count);
    const CDateTime &GetFirstDate() const { return m_firstDate; }
    void SetFirstDate(const CDateTime &date) { m_firstDate = date; }
    int GetCurrentCell() const { return m_currentCell; }
    int GetAnchorCell() const { return m_anchorCell; }
    void SetAnchorCell(int cell) { m_anchorCell = cell; }
    bool IsCellSelected(int cell) const;
    int GetSelectedCellCount() const;
    int GetFirstSelectedCell() const;
    void ClearSelectedCells();
    // Draws the cell range from the anchor (when the focus entry allows it) to the current cell.
    void DrawCellRange();

    // ---- Options ----
    virtual void LoadViewOptions();
    virtual void LoadViewColors();
    virtual bool LoadFonts(bool reload);
    virtual void ReloadOptions();
    const QFont &GetItemFont() const { return m_fonts[0]; }
    // Captions shaped once for laying out and every paint after.
    CTextShapeCache &TextCache() const { return *m_textCache; }
    // The font of completed tasks.
    const QFont &GetCompletedFont() const { return m_fonts[1]; }
    // The entry's item type's own colours when it has them, else the shared item colours.
    virtual ItemColors GetItemColors(const CDisplayItem &entry) const;
    void SetFonts(const QFont &item, const QFont &completed, const QFont &third);

    // ---- Commands and requests ----
    virtual void SetDate(const CDateTime &date);
    virtual void Reset();
    virtual void UpdateToday();
    virtual CDateTime GetFocusDate() const;
    virtual int GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const;
    virtual void NotifyContainer(int code);
    virtual bool PreviewKey(int key, int modifiers);
    virtual void RequestNewItem();
    virtual void RequestOpenItem();
    virtual void InvalidateAll();
    bool IsReadOnly() const;

    // ---- Input ----
    virtual void OnFocusGained();
    virtual void OnFocusLost();
    virtual void OnLeftDown(const QPoint &point, int modifiers);
    void OnMouseMove(const QPoint &point);
    // The whole button-up: clears the pending states, notifies, then OnLeftUp.
    void OnLeftButtonUp(const QPoint &point);
    virtual void OnLeftUp(const QPoint &point);
    virtual void OnDoubleClick(const QPoint &point);
    virtual void OnRightDown(const QPoint &point);
    void OnRightButtonUp();
    // A screen point, or (-1, -1) from the keyboard.
    void OnContextMenu(const QPoint &screenPoint);
    // True when the key was handled.
    bool OnKeyDown(int key, int modifiers);
    void OnChar(QChar ch);
    // Escape while the mouse is captured; true when it was consumed.
    bool OnEscapeWhileCaptured();
    virtual void OnDragTrack(const QPoint &point);
    virtual void CancelDrag();
    void OnDragComplete(int effect);
    virtual void FocusNextEntry();
    virtual void FocusPrevEntry();
    virtual void MoveFocusByKey(int key, int modifiers);
    virtual void StartItemByTyping(QChar ch);
    virtual void EditFocusedItem();
    virtual void BuildDragRecords();
    virtual void OnDragFeedback(bool escape);
    // What the drag's source view does after the drop target's callbacks.
    virtual int OnDragEnter(const QMimeData *data, int keyState, const QPoint &point);
    virtual int OnDragOver(const QMimeData *data, int keyState, const QPoint &point);
    virtual void OnDragLeave();
    virtual int OnDropEx(const QMimeData *data, int effect, const QPoint &point);
    // The window's drag-scroll question: 0x80000000 lets the drop target's border rule scroll,
    // anything else is the answer as it stands; by default views do not scroll while dragged over.
    virtual int OnDragScroll(const QPoint &) const { return 0; }

    // ---- Clipboard and drag transfer ----
    // The selected occurrences as text (each subject and CR LF, then a NUL), in the private
    // item format and as the drag marker; null when nothing is selected.
    virtual QByteArray RenderSelectionText() const;
    virtual QByteArray SerializeSelection() const;
    virtual QByteArray RenderInternalFormat() const;
    // Pastes the private item format: QV_E_REFUSED without it, S_OK or the first store error
    // (S_FALSE when damaged bytes were refused with a warning).
    virtual HRESULT PasteItems(const QMimeData &data, const QPoint &dropPoint);
    // Opens the editor on a new event made from the text, dated by the cell under the drop point
    // (none for a point outside the cells); QV_E_REFUSED without text.
    virtual HRESULT PasteText(const QMimeData &data, const QPoint &dropPoint);
    // Where a paste lands, from the view's selection, document and container.
    PasteTarget MakePasteTarget() const;

    // ---- New items ----
    struct NewItemSettings
    {
        QString eventTypeName;   // item type of new events
        int defaultMinutes = 30; // "DD"
        bool allDay = false;     // "NEAD"
    };
    void SetNewItemSettings(const NewItemSettings &settings) { m_newItemSettings = settings; }
    const NewItemSettings &GetNewItemSettings() const { return m_newItemSettings; }
    // The clock, for new events without a given start.
    virtual CDateTime CurrentTime() const;
    // Gives a new event its item type and its start and duration from the selection; `start`
    // may be null.
    void InitNewEventTimes(CEventItem &event, const QString &itemTypeName, const CDateTime &start) const;
    // New item holders: an event with the new-event type and times, a task with the type only.
    // Null after reporting out of memory.
    std::unique_ptr<CItemRef> NewEvent(const CDateTime &start) const;
    std::unique_ptr<CItemRef> NewTask(const QString &itemTypeName) const;

    // ---- Mouse wheel ----
    // A wheel delta (120 a notch, positive away from the user); true when the view scrolled or
    // paged.
    bool OnMouseWheel(int delta);
    // Whether the view can scroll that way, and one scroll step with a combined scroll code;
    // true when it moved.
    virtual bool CanScrollVertically() const { return false; }
    virtual bool CanScrollHorizontally() const { return false; }
    virtual bool OnScroll(std::uint16_t scrollCode);

    // ---- In-place edit ----
    bool IsEditing() const;
    // Opens the edit over the focused entry; views override. Returns 1.
    virtual int BeginInPlaceEdit();
    // Opens the edit over the entry with the text; the entry is the edited one (the view owns it
    // until the edit ends; a new unsaved entry has record id 0).
    void OpenEditFor(std::unique_ptr<CDisplayItem> edited, const QRect &rect, const QString &text);
    virtual void EndEdit(bool commit, bool fromKey);
    // The in-place edit's key notification (Tab, Enter, Escape) and its loss of focus.
    void OnEditKey(int key);
    void OnEditFocusLost();
    const CDisplayItem *GetEditedEntry() const { return m_editedEntry.get(); }

    // ---- Printing (page units of 0.1 mm, y growing upward) ----
    // The print style's options and three fonts from the style's settings section; "OS" and "C"
    // also become the view's options of those names.
    virtual void LoadPrintOptions(const CPrintSession &session);
    // The Details time column's width into the session.
    virtual void MeasurePrintTimeColumn(QPainter &painter, const CPrintUnits &units, CPrintSession &session);
    // One Details or Memo page of the view's entries from the session's resume position;
    // renderers of the other styles override it. Returns the height used.
    virtual int PrintPage(QPainter &painter, const CPrintUnits &units, const PrintRect &page,
                          CPrintSession &session);
    bool PrintDetailsEntry(QPainter &painter, const CPrintUnits &units, const CDisplayItem &entry,
                           PrintRect &rect, const CPrintSession &session, int &offset);
    bool PrintMemoEntry(QPainter &painter, const CPrintUnits &units, const CDisplayItem *entry,
                        PrintRect &rect, const CPrintSession &session, int &offset);
    // The long date (and " Continued") with a rule under it; returns the height used.
    virtual int DrawPrintDayHeader(QPainter &painter, const CPrintUnits &units, const PrintRect &rect,
                                   const QFont &font, const CDateTime &date, bool continued);
    const CViewPrintHooks &GetPrintHooks() const { return m_printHooks; }

    // ---- Tooltips ----
    // The tool under the point: its id (entry index x 1024 + 1) and rectangle; 0 for none.
    virtual int ToolHitTest(const QPoint &point, QRect &rect) const;
    virtual QString ToolTipText(int toolId) const;

    // ---- Options and state the views read ----
    int m_optionSCS = 1;
    int m_gradient = 1;
    int m_optionC = 1;
    int m_showTypeIcon = 0;
    int m_showStatusIcons = 0;
    int m_showStartTime = 0;
    int m_showEndTime = 0;
    int m_showItemType = 0;
    int m_showCategories = 0;
    int m_showNotes = 0;
    int m_sortByText = 0;
    int m_cellsAreDates = 1;
    int m_vertical = 1;
    int m_keepCellRange = 1;
    int m_optionSWD = 1;
    int m_optionOS = 1;
    int m_rowHeight = 16;
    COLORREF m_backgroundColour = 0xFFFFFFFF;
    COLORREF m_secondColour = 0xFFFFFFFF;
    COLORREF m_extraColour1 = 0xFFFFFFFF;
    COLORREF m_extraColour2 = 0xFFFFFFFF;
    int m_lastDropEffect = 0;
    int m_lastDragOverEffect = 0;
    int m_pendingClick = 0;
    bool m_dragPending = false;
    int m_resizePending = 0;
    QPoint m_buttonDownPoint;

    // The drag threshold in pixels: at least 3.
    static int DragThreshold();

  protected:
    // Tab and Shift+Tab: the next or previous focusable entry, or the first cell past the end.
    void FocusNeighbourEntry(bool forward);
    void Invalidate(const QRect &rect);
    void Beep();
    bool HasCapture() const;
    void SetCapture(bool on);
    // The selection becomes the entry's occurrence alone, focused.
    void SelectOnly(int index);
    void BeginDrag(int mode);
    void StartOleDrag(const QPoint &point);
    void RemovePreviews();
    // Stores the edited subject; true when the item was saved and shown again.
    bool StoreEditedText(const CDisplayItem &edited, const QString &text);
    HRESULT SplitRecurringTask(IViewDocument &doc, CItemRef &series, const QString &text);
    // The in-place edit over the focused entry, as the day, banner, week and month views share it.
    void EditFocusedEntryShared();
    // Opens the edit over the focused entry's box less `inset`; 0 when read-only (after a beep)
    // or nothing is focused.
    int OpenEditOverFocusedEntry(const QMargins &inset);
    // A focus key moved the current cell: the selection becomes the cells from the anchor (kept
    // with Shift) to it, and no entry stays focused.
    void SelectCellsFromKey(int modifiers);
    // The entry typing starts on the selected cells: an unsaved event (record id 0) of the
    // new-event type, focused and selected; null after reporting out of memory.
    std::unique_ptr<CDisplayItem> MakeTypedEntry(const CDateTime &start, const CDateSpan &span);
    // Marks the entries the drag carries as dragged (ghosts), also clearing `clearStates`, and
    // redraws those that changed.
    void GhostDraggedEntries(const CDragState &drag, std::uint32_t clearStates);
    // Shows the dragged draft as a preview entry (record id 0) in place of the previous one.
    void ShowDragPreview(const CDragItem &item);
    // A drop that is no drag of the program's own: a paste through the window.
    HRESULT PasteFromDrop(const QMimeData *data, const QPoint &point);
    // Adds the item's occurrences over `days` days from `from` through AddEntry; true when one
    // was added.
    bool AddOccurrences(CItemRef &ref, const CDateTime &from, int days);

    IViewHost *m_host = nullptr;
    IViewContainer *m_container = nullptr;
    int m_sectionIndex = 33;
    int m_viewKind = 0;
    int m_currentCell = 0;
    int m_anchorCell = 0;
    int m_focusedEntry = -1;
    CDateTime m_firstDate;
    std::vector<std::uint8_t> m_cellMarks;
    EntryList m_entries;
    std::unique_ptr<CDisplayItem> m_editedEntry;
    QFont m_fonts[3];
    std::unique_ptr<CTextShapeCache> m_textCache;
    QString m_tipText;
    bool m_editOpen = false;
    NewItemSettings m_newItemSettings;
    CWheelAccumulator m_wheel;
    CViewPrintHooks m_printHooks;
};

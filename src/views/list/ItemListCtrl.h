// CItemListCtrl: the table form of a calendar view: one row per entry, one column per field,
// with a header of its own on top that sorts, resizes and hides columns. The columns and their
// settings live in CListColumns, the cell texts and sort order in ListEntryRules.
#pragma once

#include "views/base/CalendarViewCtrl.h"
#include "views/list/ListColumns.h"
#include "toolkit/style/MenuLook.h"

#include <QFont>
#include <functional>
#include <vector>

class QPainter;

// List commands.
inline constexpr int kCmdSortAscending = 32917;
inline constexpr int kCmdSortDescending = 32918;
inline constexpr int kCmdHideColumn = 34748;
inline constexpr int kCmdFieldChooser = 34779;
// Popup code of the header's context menu.
inline constexpr int kMenuListHeader = 7;

class CItemListCtrl : public CCalendarViewCtrl
{
  public:
    // How a column sort is asked for: a header click toggles, the commands force a direction.
    enum class SortRequest
    {
        Toggle,
        Ascending,
        Descending
    };

    // The colours of one row.
    struct RowColors
    {
        COLORREF text = 0;
        COLORREF back = 0;
        ColorPair gradient;
        bool useGradient = false;
    };
    // The colours of an item type for "colour rows by item type"; false when the type has none.
    using TypeColorFn =
        std::function<bool(int typeIndex, COLORREF &text, COLORREF &back, ColorPair &gradient)>;
    // The Field Chooser: takes the layout (width << 16 | id, display order), the fields the view
    // offers and its default columns; true with the new layout on OK.
    using FieldChooserFn =
        std::function<bool(std::vector<std::uint32_t> &values, const std::vector<int> &available,
                           const std::vector<int> &defaults)>;

    // The info text shown when the last column would be hidden.
    static QString LastColumnText();

    CItemListCtrl();
    ~CItemListCtrl() override;

    // ---- Own virtuals ----
    // Sets the sort mark on the header item at that display position; -1 clears it, ascending.
    virtual void SetSortColumn(int visual, bool ascending);
    // The sort column's id; with none, "Due Date" in the task lists and "Start" elsewhere,
    // ascending.
    virtual int GetSortColumnId(bool &ascending) const;
    virtual int GetMaxColumns() const { return CListColumns::kMaxColumns; }
    // A click on an icon cell; toggles a task's completion from its "Complete" cell. True
    // when it acted.
    virtual bool OnIconCellClick(int row, int columnId);
    // Whether the view shows the column id at all.
    virtual bool AcceptsColumn(int id) const;
    // The view's default columns (all false) or every column it offers (true), and the
    // default sort column.
    virtual void GetDefaultColumns(bool all, int &sortId, std::vector<int> &ids) const;
    virtual void LoadDefaultLayout();
    // The width that fits the header text and every cell of the column.
    virtual int GetAutoWidth(int columnId) const;
    virtual void DrawIconCell(QPainter &painter, const QRect &cell, const CDisplayItem &entry,
                              int columnId) const;
    virtual bool IsRowSelectionHidden(int row) const;
    virtual bool GetCellText(const CDisplayItem &entry, int columnId, QString &text) const;
    virtual RowColors GetRowColors(const CDisplayItem &entry, bool shownSelected) const;

    // ---- Columns and their settings ----
    const CListColumns &Columns() const { return m_columns; }
    QString GetSection() const;
    // Reads the columns and the list options ("STDS", "TCO", "TCC").
    void LoadLayout();
    void LoadListOptions();
    bool SaveLayout() const;
    // Sorts by the column at that display position.
    void SortByColumn(int visual, SortRequest request);
    void HideColumn(int visual);
    void AutoSizeColumn(int visual);
    // Moves a column to another display position (header drag).
    void MoveColumn(int fromVisual, int toVisual);
    // A new layout from the Field Chooser.
    void ApplyFieldValues(const std::vector<std::uint32_t> &values);
    int GetRightClickColumn() const { return m_rightClickColumn; }
    void SetRightClickColumn(int visual) const { m_rightClickColumn = visual; }
    // The list commands; true when the id is one of them.
    bool OnCommand(int commandId);
    bool IsCommandChecked(int commandId) const;
    void SetFieldChooser(FieldChooserFn chooser) { m_fieldChooser = std::move(chooser); }
    void SetTypeColorSource(TypeColorFn source) { m_typeColors = std::move(source); }

    // ---- Geometry ----
    int GetHeaderHeight() const { return m_headerHeight; }
    int GetRowHeight() const { return m_rowHeight; }
    int GetFirstVisibleRow() const { return m_firstRow; }
    int GetHorzPos() const { return m_horzPos; }
    int GetAnchorRow() const { return m_anchorRow; }
    void SetAnchorRow(int row) { m_anchorRow = row; }
    int RowsPerPage() const;
    // The header rectangle of the column at a display position, in client coordinates.
    QRect GetHeaderItemRect(int visual) const;
    // The column whose right divider is within reach of x in the header, -1 none.
    int DividerAt(const QPoint &point) const;
    // The column under a client point's x, -1 none.
    int ColumnAtX(int x) const;

    // ---- Scrolling ----
    enum class Scroll
    {
        LineUp,
        LineDown,
        PageUp,
        PageDown,
        Top,
        Bottom,
        Track
    };
    // True when the position changed.
    bool ScrollVertically(Scroll how, int trackRow = 0);
    bool ScrollHorizontally(Scroll how, int trackPos = 0);

    // ---- Overrides of the view base ----
    CDateTime GetDayDate(int n) const override;
    CDateSpan GetCellSpan(int cell) const override;
    CDateSpan GetDaySpan(int a, int b) const override;
    void SetDate(const CDateTime &date) override;
    void RecalcLayout() override;
    int HitTest(const QPoint &point, int *index) const override;
    int EntryFromPoint(const QPoint &point) const override;
    QRect GetEntryRect(int index) const override;
    QRect GetEntryTextRect(int index) const override;
    void EnsureEntryVisible(int index) override;
    void LayoutEntries() override;
    void Draw(QPainter &painter, const QRect &updateRect) override;
    void RemoveEntryAt(int index) override;
    void RemoveAllEntries() override;
    void SortDisplayItems() override;
    void LoadViewOptions() override;
    bool LoadFonts(bool reload) override;
    int GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const override;
    bool PreviewKey(int key, int modifiers) override;
    void OnLeftDown(const QPoint &point, int modifiers) override;
    void OnLeftUp(const QPoint &point) override;
    void OnRightDown(const QPoint &point) override;
    void OnDoubleClick(const QPoint &point) override;
    void OnDragTrack(const QPoint &point) override;
    void MoveFocusByKey(int key, int modifiers) override;
    void OnFocusGained() override;
    void OnFocusLost() override;
    int OnDragEnter(const QMimeData *data, int keyState, const QPoint &point) override;
    int OnDragOver(const QMimeData *data, int keyState, const QPoint &point) override;
    QByteArray RenderSelectionText() const override;
    int ToolHitTest(const QPoint &point, QRect &rect) const override;
    QString ToolTipText(int toolId) const override;
    bool CanScrollVertically() const override { return true; }
    bool CanScrollHorizontally() const override { return true; }
    bool OnScroll(std::uint16_t scrollCode) override;

    // Options read with the layout.
    int m_solidSelection = 1;              // "STDS"
    COLORREF m_overdueColour = 0x0000FF;   // "Tasks"/"TCO"
    COLORREF m_completedColour = 0x848484; // "Tasks"/"TCC"

  protected:
    // The whole client width and height.
    QRect Client() const;
    void DrawHeader(QPainter &painter) const;
    void DrawRow(QPainter &painter, int index, const QRect &rowRect) const;
    // Selects the rows from the anchor to the focus (both bits), leaving others as they are.
    void SelectAnchorToFocus();
    void ToggleFocusedSelection();
    void ClampFirstRow();
    void ClampHorzPos();
    int LastFirstRow() const;
    // The text of one text cell, for painting, copying and tips.
    QString CellText(const CDisplayItem &entry, int columnId) const;

    CListColumns m_columns;
    int m_headerHeight = 20;
    int m_firstRow = 0;
    int m_horzPos = 0;
    int m_anchorRow = -1;
    mutable int m_rightClickColumn = -1;
    CDateTime m_viewDate;
    // Header tracking: the column whose divider is dragged, or the column pressed.
    int m_trackColumn = -1;
    int m_headerPress = -1;
    bool m_hasFocus = false;
    bool m_layoutLoaded = false;
    FieldChooserFn m_fieldChooser;
    TypeColorFn m_typeColors;
};

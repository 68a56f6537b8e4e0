// The day time grid under the mouse and the keyboard: hit codes, focus keys, scrolling, typing a
// new event, the in-place edit and live resizing during a drag.
#include "core/items/ItemRef.h"
#include "core/lists/ItemTypeCatalog.h"
#include "views/base/CustomWnd.h"
#include "views/timegrid/DayViewCtrl.h"
#include "views/base/DragScrollRule.h"
#include "views/base/DragState.h"

#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>

namespace {

constexpr std::uint32_t kFocusSelected = CDisplayItem::StateFocus | CDisplayItem::StateSelected;

enum VerticalScroll
{
    kLineUp = 0,
    kLineDown = 1,
    kPageUp = 2,
    kPageDown = 3,
    kThumbPosition = 4,
    kThumbTrack = 5,
    kTop = 6,
    kBottom = 7,
};

} // namespace

// ---- Hit testing ----

int CDayViewCtrl::HitTest(const QPoint &point, int *index) const
{
    if (index)
        *index = -1;
    if (point.y() < 0)
        return HitNothing;
    const Qt::KeyboardModifiers mods = QGuiApplication::keyboardModifiers();
    const bool modifierMode =
        GetSelectedCount() > 0 && (mods & (Qt::ControlModifier | Qt::ShiftModifier)) != Qt::NoModifier;
    const int entry = EntryFromPoint(point);
    if (entry >= 0) {
        if (index)
            *index = entry;
        if (modifierMode)
            return HitEntryBody;
        const CDisplayItem &e = *GetEntry(entry);
        const QRect box = e.GetRect();
        if (point.x() < box.x() + 16 && box.width() > 18)
            return HitEntryMove;
        if (e.GetKind() != CDisplayItem::KindEvent)
            return HitEntryBody;
        const int y = m_grid.ClientToGridY(point.y());
        if (y <= box.y() + 5)
            return e.HasFlag(CDisplayItem::FlagBeginsBefore) ? HitEntryBody : HitEntryStart;
        if (y >= RectBottom(box) - 5)
            return e.HasFlag(CDisplayItem::FlagEndsAfter) ? HitEntryBody : HitEntryEnd;
        return HitEntryBody;
    }
    if (modifierMode)
        return HitNothing;
    bool below = false;
    const int cell = LabelColumnPointCell(point, &below);
    if (below)
        return HitNothing;
    if (index)
        *index = cell;
    return HitCell;
}

// ---- Keys ----

void CDayViewCtrl::MoveFocusByKey(int key, int modifiers)
{
    m_grid.SetViewRect(GetViewRect());
    const int rows = m_grid.RowsPerDay();
    const int focus = m_currentCell;
    const int column = focus / rows, row = focus % rows;
    const int visible = m_grid.FullRowsVisible();
    const int top = m_grid.TopRow();
    const bool ctrl = modifiers & kModCtrl;
    const auto outOfView = [&](int r) {
        return r < m_grid.TopRow() || r >= m_grid.TopRow() + m_grid.RowsShown();
    };
    switch (key) {
    case Qt::Key_PageUp: {
        SetCurrentCell(std::max(focus - visible, column * rows + m_grid.FirstRow()));
        if (outOfView(m_currentCell % rows))
            EnsureCellVisible(m_currentCell);
        break;
    }
    case Qt::Key_PageDown: {
        SetCurrentCell(std::min(focus + visible, column * rows + rows - 1));
        const int newRow = m_currentCell % rows;
        if (newRow == top + visible)
            OnScroll(std::uint16_t(kPageDown << 8 | 0xFF));
        else if (outOfView(newRow))
            EnsureCellVisible(m_currentCell);
        break;
    }
    case Qt::Key_Up:
        if (row != m_grid.FirstRow())
            SetCurrentCell(focus - 1);
        if (outOfView(m_currentCell % rows))
            EnsureCellVisible(m_currentCell);
        break;
    case Qt::Key_Down: {
        if (row != m_grid.EndRow() - 1)
            SetCurrentCell(focus + 1);
        const int newRow = m_currentCell % rows;
        if (newRow == top + visible)
            OnScroll(std::uint16_t(kLineDown << 8 | 0xFF));
        else if (outOfView(newRow))
            EnsureCellVisible(m_currentCell);
        break;
    }
    case Qt::Key_Home:
        if (ctrl) {
            SetCurrentCell(column * rows + m_grid.FirstRow());
            OnScroll(std::uint16_t(kTop << 8 | 0xFF));
        } else {
            SetCurrentCell(column * rows + m_grid.WorkStartMinutes() / m_grid.MinutesPerRow());
            EnsureCellVisible(m_currentCell);
        }
        break;
    case Qt::Key_End:
        if (ctrl) {
            SetCurrentCell(column * rows + m_grid.EndRow() - 1);
            OnScroll(std::uint16_t(kBottom << 8 | 0xFF));
        } else {
            const int endRow =
                std::max(m_grid.FirstRow(), m_grid.WorkEndMinutes() / m_grid.MinutesPerRow() - 1);
            SetCurrentCell(column * rows + endRow);
            EnsureCellVisible(m_currentCell);
        }
        break;
    case Qt::Key_Left:
        if (column == 0) {
            if (m_container)
                m_container->SendCommand(kCmdPrevPeriod);
        } else {
            SetCurrentCell(focus - rows);
        }
        break;
    case Qt::Key_Right:
        if (column >= m_grid.ColumnCount() - 1) {
            if (m_container)
                m_container->SendCommand(kCmdNextPeriod);
        } else {
            SetCurrentCell(focus + rows);
        }
        break;
    default:
        return;
    }
    SelectCellsFromKey(modifiers);
}

// ---- Scrolling ----

bool CDayViewCtrl::OnScroll(std::uint16_t scrollCode)
{
    const int code = scrollCode >> 8;
    if (code == 0xFF)
        return false;
    m_grid.SetViewRect(GetViewRect());
    const int top = m_grid.TopRow(), visible = m_grid.FullRowsVisible();
    const int first = m_grid.FirstRow(), end = m_grid.EndRow();
    int next = top;
    switch (code) {
    case kLineUp:
        next = std::max(first, top - 1);
        break;
    case kLineDown:
        next = std::min(top + 1, std::max(top, end - visible));
        break;
    case kPageUp:
        next = std::max(first, top - visible);
        break;
    case kPageDown:
        next = std::min({top + visible, std::max(top, end - visible), end - 1});
        break;
    case kTop:
        next = first;
        break;
    case kBottom:
        next = std::max(first, end - visible);
        break;
    default:
        return false;
    }
    return ScrollToRow(next);
}

bool CDayViewCtrl::ScrollToRow(int row)
{
    const int top = m_grid.TopRow();
    row = std::max(m_grid.FirstRow(), row);
    if (row == top)
        return false;
    m_grid.SetTopRow(row);
    OnEntriesChanged();
    Invalidate(QRect());
    return m_grid.TopRow() != top;
}

void CDayViewCtrl::EnsureCellVisible(int cell)
{
    m_grid.SetViewRect(GetViewRect());
    const int row = cell % m_grid.RowsPerDay();
    const int top = m_grid.TopRow();
    if (row >= top && row < top + m_grid.RowsShown())
        return;
    m_grid.SetTopRow(row < top ? row : row + 1 - m_grid.FullRowsVisible());
    OnEntriesChanged();
    Invalidate(QRect());
}

void CDayViewCtrl::EnsureEntryVisible(int index)
{
    const CDisplayItem *e = GetEntry(index);
    if (!e)
        return;
    m_grid.SetViewRect(GetViewRect());
    const int height = m_grid.RowHeight();
    const int start = e->GetRect().y() / height, end = RectBottom(e->GetRect()) / height;
    const int top = m_grid.TopRow();
    if (start >= top && end < top + m_grid.RowsShown())
        return;
    if (start < top)
        m_grid.SetTopRow(start);
    else
        m_grid.SetTopRow(std::min(start, std::max(0, end - m_grid.FullRowsVisible())));
    OnEntriesChanged();
    Invalidate(QRect());
}

int CDayViewCtrl::OnDragScroll(const QPoint &point) const
{
    bool below = false;
    m_grid.SetViewRect(GetViewRect());
    const int cell = m_grid.CellFromPoint(point, &below);
    if (cell != 0 && !(cell == m_grid.CellCount() - 1 && below))
        return int(DropEffect::Scroll);
    return CCalendarViewCtrl::OnDragScroll(point);
}

// ---- Typing and the in-place edit ----

void CDayViewCtrl::StartItemByTyping(QChar ch)
{
    if (IsReadOnly()) {
        Beep();
        return;
    }
    const QString typeName = m_newItemSettings.eventTypeName;
    int typeIndex = -1;
    if (IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr) {
        if (const IItemTypeCatalog *types = doc->GetItemTypes(); types && !typeName.isEmpty())
            typeIndex = types->FindType(typeName);
    }
    const int first = std::min(m_anchorCell, m_currentCell), last = std::max(m_anchorCell, m_currentCell);
    const CDateTime start = GetDayDate(first);
    // The end is the end of the last selected cell, never the start of the cell after it: in a
    // work week that cell may be another day or no cell at all.
    const CDateTime end = m_grid.CellEnd(last);
    auto entry =
        std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, typeIndex, typeName, start, end - start);
    entry->SetOccurrenceDate(start);
    entry->SetFlag(CDisplayItem::FlagOwnItem, true);
    entry->SetState(kFocusSelected);
    SetAllItemStates(0, kFocusSelected, true);
    AddEntry(std::move(entry));
    Refresh(true);
    m_focusedEntry = FindEntry(0, start);
    EnsureEntryVisible(m_focusedEntry);
    InvalidateRange(-1, m_currentCell, true);
    InvalidateAll();
    if (BeginInPlaceEdit() && m_host)
        m_host->SendCharToEdit(ch);
}

int CDayViewCtrl::BeginInPlaceEdit()
{
    const CDisplayItem *e = GetEntry(m_focusedEntry);
    if (IsReadOnly() || !e || e->GetKind() != CDisplayItem::KindEvent) {
        Beep();
        return 0;
    }
    EnsureEntryVisible(m_focusedEntry);
    const QRect rect = GetEntryRect(m_focusedEntry).adjusted(1, 1, -1, -1);
    OpenEditFor(e->Clone(), rect, e->GetSubject());
    return 1;
}

// ---- Dragging ----

void CDayViewCtrl::OnDragTrack(const QPoint &point)
{
    if (!HasCapture())
        return;
    m_grid.SetViewRect(GetViewRect());
    const int rows = m_grid.RowsPerDay();
    const int visible = m_grid.FullRowsVisible();
    bool below = false;
    const int cell = LabelColumnPointCell(point, &below);
    CDragState *drag = CDragState::Current();
    const bool itemDrag = drag && drag->sourceView == this;
    const int focusRow = m_currentCell % rows;
    // Scrolling follows the mouse's moves, one row each, never a resting mouse.
    if (point.y() < 1) {
        if (!(m_grid.TopRow() == m_grid.FirstRow() && focusRow == m_grid.FirstRow())) {
            m_grid.SetTopRow(std::max(m_grid.FirstRow(), m_grid.TopRow() - 1));
            SetCurrentCell(std::max(cell - 1, (cell / rows) * rows));
            OnEntriesChanged();
            Invalidate(QRect());
        }
    } else if (below || cell % rows >= m_grid.TopRow() + visible) {
        if (!(m_grid.TopRow() == m_grid.EndRow() - visible && focusRow == m_grid.EndRow() - 1)) {
            m_grid.SetTopRow(
                std::min(m_grid.TopRow() + 1, std::max(m_grid.FirstRow(), m_grid.EndRow() - visible)));
            SetCurrentCell(cell);
            OnEntriesChanged();
            Invalidate(QRect());
        }
    } else {
        SetCurrentCell(cell);
    }
    if (!itemDrag) {
        InvalidateRange(m_anchorCell, m_currentCell, true);
        return;
    }

    m_anchorCell = m_currentCell;
    drag->moved = true;
    GhostDraggedEntries(*drag, kFocusSelected);
    if (drag->dragItems.empty())
        return;
    CDragItem &item = drag->dragItems.front();
    const CDateTime start = item.movedStart;
    const CDateTime end = start + item.duration;
    bool changed = false;
    if (drag->mode == CDragState::ModeResizeStart) {
        const CDateTime newStart = GetDayDate(m_currentCell);
        if (newStart > end) {
            if (item.duration.GetTotalDays() != 0.0) {
                item.movedStart = end;
                item.duration = CDateSpan(0.0);
                changed = true;
            }
        } else if (newStart != start) {
            item.movedStart = newStart;
            item.duration = end - newStart;
            changed = true;
        }
    } else if (drag->mode == CDragState::ModeResizeEnd) {
        const CDateTime newEnd = m_grid.CellEnd(m_currentCell);
        if (newEnd < start) {
            if (item.duration.GetTotalDays() != 0.0) {
                item.duration = CDateSpan(0.0);
                changed = true;
            }
        } else if (newEnd != end) {
            item.duration = newEnd - start;
            changed = true;
        }
    }
    if (!changed)
        return;
    ShowDragPreview(item);
}

int CDayViewCtrl::OnDragEnter(const QMimeData *data, int keyState, const QPoint &point)
{
    CDragState *drag = CDragState::Current();
    if (drag && drag->sourceView != this && data && data->hasFormat(InternalFormatMimeType()) &&
        !drag->dragItems.empty()) {
        // Items from another window arrive one row long at the top visible row of the first
        // column; moving over the grid shifts them from there.
        const int top = m_grid.TopRow();
        for (CDragItem &item : drag->dragItems) {
            item.start = GetDayDate(top);
            item.movedStart = item.start;
            item.duration = m_grid.RowSpan();
        }
        drag->sourceCell = drag->lastCell = top;
    }
    return CCalendarViewCtrl::OnDragEnter(data, keyState, point);
}

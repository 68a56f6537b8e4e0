// Input of the list view: the header (sorting, dividers, moving columns), the mouse on rows,
// the keys that move the focus and the selection, and focus changes.
#include "views/list/ItemListCtrl.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr std::uint32_t kFocusSelected = CDisplayItem::StateFocus | CDisplayItem::StateSelected;
} // namespace

void CItemListCtrl::SelectAnchorToFocus()
{
    if (m_focusedEntry < 0)
        return;
    const int anchor = m_anchorRow < 0 ? m_focusedEntry : std::min(m_anchorRow, GetEntryCount() - 1);
    const int lo = std::min(anchor, m_focusedEntry), hi = std::max(anchor, m_focusedEntry);
    for (int i = lo; i <= hi; ++i) {
        CDisplayItem &e = *m_entries[std::size_t(i)];
        if ((e.GetState() & kFocusSelected) != kFocusSelected) {
            e.SetState(e.GetState() | kFocusSelected);
            InvalidateEntry(i);
        }
    }
}

void CItemListCtrl::ToggleFocusedSelection()
{
    CDisplayItem *e = GetEntry(m_focusedEntry);
    if (!e)
        return;
    if (e->HasState(CDisplayItem::StateSelected))
        e->SetState(e->GetState() & ~kFocusSelected);
    else
        e->SetState(e->GetState() | kFocusSelected);
    InvalidateEntry(m_focusedEntry);
    NotifyContainer(kNotifySelectionChanged);
}

// ---- Mouse ----

void CItemListCtrl::OnLeftDown(const QPoint &point, int modifiers)
{
    if (IsEditing())
        EndEdit(true, false);
    if (m_host)
        m_host->TakeFocus();
    if (point.y() >= 0 && point.y() < m_headerHeight) {
        m_trackColumn = DividerAt(point);
        m_headerPress = m_trackColumn < 0 ? ColumnAtX(point.x()) : -1;
        if (m_trackColumn >= 0 || m_headerPress >= 0) {
            m_buttonDownPoint = point;
            SetCapture(true);
        }
        return;
    }
    const int index = EntryFromPoint(point);
    CDisplayItem *e = GetEntry(index);
    if (!e)
        return;
    const bool shift = modifiers & kModShift, ctrl = modifiers & kModCtrl;
    const bool selected = e->HasState(CDisplayItem::StateSelected);
    if (ctrl) {
        if (selected) {
            m_pendingClick = 2;
        } else {
            e->SetState(e->GetState() | kFocusSelected);
            InvalidateEntry(index);
        }
    } else if (shift) {
        if (!selected) {
            e->SetState(e->GetState() | kFocusSelected);
            InvalidateEntry(index);
        }
    } else {
        if (!selected)
            SelectOnly(index);
        // The click settles at button up: the selection, then an icon cell's action.
        m_pendingClick = 1;
    }
    InvalidateEntry(m_focusedEntry);
    m_focusedEntry = index;
    if (shift)
        SelectAnchorToFocus();
    else
        m_anchorRow = m_focusedEntry;
    InvalidateEntry(index);
    SetCapture(true);
    m_buttonDownPoint = point;
    m_dragPending = !shift && !ctrl;
}

void CItemListCtrl::OnLeftUp(const QPoint &point)
{
    if (!HasCapture())
        return;
    SetCapture(false);
    if (m_trackColumn >= 0) {
        m_trackColumn = -1;
        ClampHorzPos();
        LayoutEntries();
        InvalidateAll();
        return;
    }
    if (m_headerPress >= 0) {
        const int pressed = m_headerPress;
        m_headerPress = -1;
        const int target = ColumnAtX(point.x());
        const bool moved = std::abs(point.x() - m_buttonDownPoint.x()) > DragThreshold();
        if (target == pressed || !moved)
            SortByColumn(pressed, SortRequest::Toggle);
        else if (target >= 0)
            MoveColumn(pressed, target);
        return;
    }
    const int pending = m_pendingClick;
    m_pendingClick = 0;
    if (!pending)
        return;
    const int index = EntryFromPoint(point);
    CDisplayItem *e = GetEntry(index);
    if (!e)
        return;
    if (pending == 2 && e->HasState(CDisplayItem::StateSelected)) {
        e->SetState(e->GetState() & ~kFocusSelected);
        InvalidateEntry(index);
        m_focusedEntry = index;
        m_anchorRow = index;
        NotifyContainer(kNotifySelectionChanged);
    } else if (pending == 1) {
        SelectOnly(index);
        m_anchorRow = index;
        const int visual = ColumnAtX(point.x() + 1);
        if (visual >= 0)
            OnIconCellClick(index, m_columns.IdAt(visual));
    }
}

void CItemListCtrl::OnRightDown(const QPoint &point)
{
    if (IsEditing())
        EndEdit(true, false);
    if (m_host)
        m_host->TakeFocus();
    if (point.y() >= 0 && point.y() < m_headerHeight) {
        m_rightClickColumn = ColumnAtX(point.x());
        return;
    }
    const int index = EntryFromPoint(point);
    CDisplayItem *e = GetEntry(index);
    if (!e)
        return;
    if (!e->HasState(CDisplayItem::StateSelected))
        SelectOnly(index);
    InvalidateEntry(m_focusedEntry);
    m_focusedEntry = index;
    m_anchorRow = index;
    InvalidateEntry(index);
}

void CItemListCtrl::OnDoubleClick(const QPoint &point)
{
    if (HasCapture())
        SetCapture(false);
    m_trackColumn = -1;
    m_headerPress = -1;
    if (point.y() >= 0 && point.y() < m_headerHeight) {
        const int divider = DividerAt(point);
        if (divider >= 0)
            AutoSizeColumn(divider);
        return;
    }
    if (EntryFromPoint(point) >= 0)
        RequestOpenItem();
    else if (IsReadOnly())
        Beep();
    else
        RequestNewItem();
}

void CItemListCtrl::OnDragTrack(const QPoint &point)
{
    if (m_trackColumn < 0 || m_trackColumn >= m_columns.Count())
        return;
    const int left = m_columns.LeftOf(m_trackColumn) - m_horzPos;
    const int width = std::max(CListColumns::kMinTrackWidth, point.x() - left);
    if (width == m_columns.At(m_trackColumn).width)
        return;
    m_columns.SetWidth(m_trackColumn, width);
    LayoutEntries();
    InvalidateAll();
}

void CItemListCtrl::OnFocusGained()
{
    m_hasFocus = true;
    CCalendarViewCtrl::OnFocusGained();
    InvalidateEntry(m_focusedEntry);
}

void CItemListCtrl::OnFocusLost()
{
    m_hasFocus = false;
    CCalendarViewCtrl::OnFocusLost();
    InvalidateEntry(m_focusedEntry);
}

int CItemListCtrl::GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const
{
    if (!fromKeyboard && point.y() >= 0 && point.y() < m_headerHeight) {
        m_rightClickColumn = ColumnAtX(point.x());
        return kMenuListHeader;
    }
    return CCalendarViewCtrl::GetContextMenuIndex(point, fromKeyboard);
}

// ---- Keyboard ----

bool CItemListCtrl::PreviewKey(int key, int modifiers)
{
    if (key == Qt::Key_Space && (modifiers & kModCtrl) && !(modifiers & kModShift)) {
        ToggleFocusedSelection();
        return true;
    }
    return CCalendarViewCtrl::PreviewKey(key, modifiers);
}

void CItemListCtrl::MoveFocusByKey(int key, int modifiers)
{
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        ScrollHorizontally(key == Qt::Key_Left ? Scroll::LineUp : Scroll::LineDown);
        return;
    }
    const int count = GetEntryCount();
    if (count == 0)
        return;
    const int last = count - 1;
    const int focus = std::clamp(m_focusedEntry, 0, last);
    const int page = RowsPerPage();
    int next = focus;
    switch (key) {
    case Qt::Key_PageUp:
        next = std::max(0, focus - page);
        ScrollVertically(Scroll::PageUp);
        break;
    case Qt::Key_PageDown:
        next = std::min(last, focus + page);
        ScrollVertically(Scroll::PageDown);
        break;
    case Qt::Key_Home:
        next = 0;
        ScrollVertically(Scroll::Top);
        break;
    case Qt::Key_End:
        next = last;
        ScrollVertically(Scroll::Bottom);
        break;
    case Qt::Key_Up:
        next = std::max(0, focus - 1);
        break;
    case Qt::Key_Down:
        next = std::min(last, focus + 1);
        break;
    default:
        return;
    }
    const bool shift = modifiers & kModShift, ctrl = modifiers & kModCtrl;
    InvalidateEntry(m_focusedEntry);
    if (!ctrl || shift)
        SetAllItemStates(0, kFocusSelected, true);
    m_focusedEntry = next;
    if (!shift)
        m_anchorRow = next;
    if (!ctrl || shift)
        SelectAnchorToFocus();
    InvalidateEntry(next);
    EnsureEntryVisible(next);
    NotifyContainer(kNotifySelectionChanged);
}

// The input behaviour of the calendar views: focus, selection by mouse and keyboard, moving and
// resizing entries, dropping on a view, the context menu and the in-place edit of a subject.
#include "core/system/AppSettings.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/items/TaskItem.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/base/CustomWnd.h"
#include "views/base/DragState.h"

#include <QDateTime>
#include <QMimeData>
#include <QUuid>
#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

constexpr std::uint32_t kFocusSelected = CDisplayItem::StateFocus | CDisplayItem::StateSelected;
constexpr std::uint32_t kGhost = CDisplayItem::StateDragged;
constexpr int kViewKindBanner = 2;
constexpr int kViewKindTasks = 7;

bool IsEntryCode(int code)
{
    return code >= HitEntryBody && code <= HitEntryEnd;
}

bool Holds(const CCalendarViewCtrl::EntryList &entries, const CDisplayItem *entry)
{
    return std::any_of(entries.begin(), entries.end(), [entry](const auto &e) { return e.get() == entry; });
}

// Applies fn to each dragged entry still shown by the view.
template <typename Fn>
void ForEachDragged(const CDragState &drag, const CCalendarViewCtrl::EntryList &entries, Fn fn)
{
    for (CDisplayItem *e : drag.draggedEntries) {
        if (Holds(entries, e))
            fn(*e);
    }
}

CDateTime Now()
{
    return CDateTime::FromQDateTime(QDateTime::currentDateTime());
}

} // namespace

// ---- Focus ----

void CCalendarViewCtrl::OnFocusGained()
{
    NotifyContainer(kNotifyFocusGained);
    for (int i = 0; i < GetEntryCount(); ++i) {
        CDisplayItem &e = *m_entries[std::size_t(i)];
        e.SetState(e.GetState() | CDisplayItem::StateFocus);
        if (e.HasState(CDisplayItem::StateSelected))
            InvalidateEntry(i);
    }
    if (IsEditing() && m_host)
        m_host->FocusEdit();
    DrawCellRange();
    if (m_host)
        m_host->UpdateWindow();
}

void CCalendarViewCtrl::OnFocusLost()
{
    for (int i = 0; i < GetEntryCount(); ++i) {
        CDisplayItem &e = *m_entries[std::size_t(i)];
        e.SetState(e.GetState() & ~CDisplayItem::StateFocus);
        if (e.HasState(CDisplayItem::StateSelected))
            InvalidateEntry(i);
    }
    InvalidateRange(-1, m_currentCell, true);
    if (m_host)
        m_host->UpdateWindow();
}

// ---- Mouse ----

void CCalendarViewCtrl::SelectOnly(int index)
{
    SetAllItemStates(0, kFocusSelected, true);
    const CDisplayItem *e = GetEntry(index);
    if (!e)
        return;
    SetOccurrenceState(e->GetItemRef(), e->GetOccurrenceDate(), kFocusSelected, kFocusSelected, true);
    m_focusedEntry = index;
}

void CCalendarViewCtrl::OnLeftDown(const QPoint &point, int modifiers)
{
    if (IsEditing())
        EndEdit(true, false);
    if (m_host)
        m_host->TakeFocus();
    int index = -1;
    const int code = HitTest(point, &index);
    const bool shift = modifiers & kModShift, ctrl = modifiers & kModCtrl;
    switch (code) {
    case HitCell:
    case HitCellArea:
    case HitDayHeader:
    case HitHeader:
        SetAllItemStates(0, kFocusSelected, true);
        m_focusedEntry = -1;
        SetCurrentCell(index);
        if (!shift)
            m_anchorCell = m_currentCell;
        DrawCellRange();
        if (code == HitDayHeader || code == HitHeader) {
            if (m_host)
                m_host->SetCursorShape(ViewCursor::Normal);
            if (m_container)
                m_container->PostCommand(kCmdZoomDay);
        } else {
            SetCapture(true);
        }
        break;
    case HitEntryBody:
    case HitEntryMove: {
        CDisplayItem *e = GetEntry(index);
        if (!e)
            return;
        const bool selected = e->HasState(CDisplayItem::StateSelected);
        if (ctrl) {
            if (selected) {
                m_pendingClick = 2;
            } else {
                SetOccurrenceState(e->GetItemRef(), e->GetOccurrenceDate(), kFocusSelected, kFocusSelected,
                                   true);
                m_focusedEntry = index;
            }
        } else if (shift) {
            if (!selected)
                SetOccurrenceState(e->GetItemRef(), e->GetOccurrenceDate(), kFocusSelected, kFocusSelected,
                                   true);
            m_focusedEntry = index;
        } else if (selected) {
            m_pendingClick = 1;
        } else {
            SelectOnly(index);
        }
        const int cell = CellFromPoint(point);
        if (cell >= 0)
            SetCurrentCell(cell);
        if (m_host)
            m_host->UpdateWindow();
        SetCapture(true);
        m_buttonDownPoint = point;
        m_dragPending = true;
        break;
    }
    case HitEntryStart:
    case HitEntryEnd: {
        if (!GetEntry(index))
            return;
        SelectOnly(index);
        const int cell = CellFromPoint(point);
        if (cell >= 0)
            SetCurrentCell(cell);
        if (m_host)
            m_host->UpdateWindow();
        m_buttonDownPoint = point;
        m_resizePending = code;
        SetCapture(true);
        break;
    }
    default:
        break;
    }
}

void CCalendarViewCtrl::OnMouseMove(const QPoint &point)
{
    if (!HasCapture()) {
        int index = -1;
        ViewCursor cursor = ViewCursor::Normal;
        switch (HitTest(point, &index)) {
        case HitDayHeader:
            cursor = ViewCursor::Zoom;
            break;
        case HitEntryMove:
            cursor = ViewCursor::Move;
            break;
        case HitEntryStart:
        case HitEntryEnd:
            cursor = m_vertical ? ViewCursor::ResizeVertical : ViewCursor::ResizeHorizontal;
            break;
        default:
            break;
        }
        if (m_host)
            m_host->SetCursorShape(cursor);
        return;
    }
    const QPoint delta = point - m_buttonDownPoint;
    const bool beyond = std::abs(delta.x()) > DragThreshold() || std::abs(delta.y()) > DragThreshold();
    if (m_dragPending) {
        if (!beyond)
            return;
        m_dragPending = false;
        m_pendingClick = 0;
        SetCapture(false);
        if (m_host)
            m_host->UpdateWindow();
        BeginDrag(CDragState::ModeMove);
        CDragState *drag = CDragState::Current();
        if (drag && drag->sourceView == this)
            StartOleDrag(point);
    } else if (m_resizePending) {
        if (beyond) {
            BeginDrag(m_resizePending);
            m_resizePending = 0;
        }
    }
    OnDragTrack(point);
}

void CCalendarViewCtrl::BeginDrag(int mode)
{
    CDragState *drag = CDragState::Begin();
    if (!drag)
        return; // a drag is already under way elsewhere
    for (auto &e : m_entries) {
        if (e->HasState(CDisplayItem::StateSelected))
            drag->draggedEntries.push_back(e.get());
    }
    drag->sourceViewKind = m_viewKind;
    drag->sourceView = this;
    drag->mode = mode;
    drag->sourceCell = drag->lastCell = m_currentCell;
    m_lastDropEffect = 0;
    if (mode != CDragState::ModeMove)
        BuildDragRecords();
}

void CCalendarViewCtrl::BuildDragRecords()
{
    CDragState *drag = CDragState::Current();
    if (!drag)
        return;
    drag->dragItems.clear();
    for (std::size_t i = 0; i < drag->draggedEntries.size(); ++i) {
        const CDisplayItem *e = drag->draggedEntries[i];
        bool earlier = false;
        for (std::size_t j = 0; j < i && !earlier; ++j)
            earlier = drag->draggedEntries[j]->IsSame(*e);
        if (earlier)
            continue;
        CDragItem item(*e);
        if (!item.movedStart.IsValid() || item.movedStart.Value() == 0.0)
            item.movedStart = item.start;
        drag->dragItems.push_back(item);
    }
}

void CCalendarViewCtrl::StartOleDrag(const QPoint &point)
{
    const int t = DragThreshold();
    QRect rect(point - QPoint(t, t), point + QPoint(t, t));
    if (m_host)
        rect.moveTopLeft(m_host->MapToScreen(rect.topLeft()));
    m_lastDropEffect = 0;
    const int effect = m_host ? m_host->StartOleDrag(kDropEffectCopy | kDropEffectMove, rect) : 0;
    if (effect != kDropEffectNone)
        OnDragComplete(effect);
    else
        CancelDrag();
    if (m_container)
        m_container->UpdateCountPane();
}

void CCalendarViewCtrl::RemovePreviews()
{
    RemoveEntriesOfRecord(0);
}

void CCalendarViewCtrl::OnDragTrack(const QPoint &point)
{
    if (!HasCapture())
        return;
    CDragState *drag = CDragState::Current();
    const int cell = CellFromPoint(point);
    if (cell >= 0) {
        SetCurrentCell(cell);
        if (drag)
            m_anchorCell = m_currentCell;
    }
    DrawCellRange();
    if (!drag || drag->sourceView != this)
        return;
    drag->moved = true;
    GhostDraggedEntries(*drag, 0);
    if (drag->dragItems.empty())
        return;
    CDragItem &item = drag->dragItems.front();
    const bool banner = m_viewKind == kViewKindBanner;
    const CDateTime start = item.movedStart;
    const CDateTime end = start + item.duration;
    if (drag->mode == CDragState::ModeResizeStart) {
        const CDateTime newStart = GetDayDate(m_currentCell);
        if (newStart > end) {
            SetCurrentCell(CellFromDate(end));
            DrawCellRange();
            if (banner)
                return;
            item.movedStart = end;
            item.duration = CDateSpan(0.0);
        } else if (!(banner && (end - newStart).GetTotalDays() < 1.0)) {
            item.duration = end - newStart;
            item.movedStart = newStart;
        }
    } else if (drag->mode == CDragState::ModeResizeEnd) {
        const CDateTime newEnd = GetDayDate(m_currentCell) + GetCellSpan(m_currentCell);
        if (newEnd <= start) {
            SetCurrentCell(CellFromDate(start));
            DrawCellRange();
            if (banner)
                return;
            item.duration = CDateSpan(0.0);
        } else if (newEnd != end && !(banner && (newEnd - start).GetTotalDays() < 1.0)) {
            item.duration = newEnd - start;
        }
    }
    ShowDragPreview(item);
}

std::unique_ptr<CDisplayItem> CCalendarViewCtrl::MakeTypedEntry(const CDateTime &start, const CDateSpan &span)
{
    IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
    const IItemTypeCatalog *types = doc ? doc->GetItemTypes() : nullptr;
    const QString typeName = m_newItemSettings.eventTypeName;
    std::unique_ptr<CDisplayItem> entry;
    try {
        entry = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent,
                                               types ? types->FindType(typeName) : -1, typeName, start, span);
    } catch (const std::bad_alloc &) {
        if (m_host)
            m_host->ReportError(E_OUT_OF_MEMORY);
        return nullptr;
    }
    entry->SetItemRef(0);
    entry->SetOccurrenceDate(start);
    entry->SetFlag(CDisplayItem::FlagOwnItem, true);
    entry->SetState(kFocusSelected);
    return entry;
}

void CCalendarViewCtrl::GhostDraggedEntries(const CDragState &drag, std::uint32_t clearStates)
{
    for (int i = 0; i < GetEntryCount(); ++i) {
        CDisplayItem *e = m_entries[std::size_t(i)].get();
        if (std::find(drag.draggedEntries.begin(), drag.draggedEntries.end(), e) !=
                drag.draggedEntries.end() &&
            !e->HasState(kGhost)) {
            e->SetState((e->GetState() | kGhost) & ~clearStates);
            InvalidateEntry(i);
        }
    }
}

void CCalendarViewCtrl::ShowDragPreview(const CDragItem &item)
{
    RemovePreviews();
    CItemRef preview;
    if (preview.CreateFromViewDraft(item)) {
        preview.SetRecordId(0);
        AddItem(preview);
    }
    SetItemState(0, kFocusSelected, kFocusSelected, false);
    Refresh(true);
    InvalidateAll();
}

void CCalendarViewCtrl::SelectCellsFromKey(int modifiers)
{
    SetAllItemStates(0, kFocusSelected, true);
    m_focusedEntry = -1;
    if (!(modifiers & kModShift))
        m_anchorCell = m_currentCell;
    InvalidateRange(m_anchorCell, m_currentCell, true);
    NotifyContainer(kNotifySelectionChanged);
}

void CCalendarViewCtrl::OnLeftButtonUp(const QPoint &point)
{
    m_dragPending = false;
    m_resizePending = 0;
    NotifyContainer(kNotifySelectionChanged);
    OnLeftUp(point);
}

void CCalendarViewCtrl::OnLeftUp(const QPoint &point)
{
    if (!HasCapture())
        return;
    SetCapture(false);
    CDragState *drag = CDragState::Current();
    if (m_pendingClick) {
        int index = -1;
        const int code = HitTest(point, &index);
        bool deselected = false;
        const CDisplayItem *e = GetEntry(index);
        if (IsEntryCode(code) && e) {
            if (m_pendingClick == 2 && e->HasState(CDisplayItem::StateSelected)) {
                SetOccurrenceState(e->GetItemRef(), e->GetOccurrenceDate(), 0, kFocusSelected, true);
                m_focusedEntry = GetFirstSelectedEntry();
                deselected = true;
            } else if (m_pendingClick == 1) {
                SelectOnly(index);
            }
        }
        m_pendingClick = 0;
        const int cell = CellFromPoint(point);
        if (cell >= 0) {
            SetCurrentCell(cell);
            m_anchorCell = m_currentCell;
            DrawCellRange();
        }
        if (deselected)
            NotifyContainer(kNotifySelectionChanged);
    } else if (drag && drag->sourceView == this) {
        const bool moved = drag->moved;
        if (moved) {
            const bool agreed =
                m_container && m_container->MoveItems(*this, nullptr, kDropEffectMove, point, *drag);
            if (agreed) {
                RemoveEntriesMatching(kGhost);
            } else {
                ForEachDragged(*drag, m_entries, [](CDisplayItem &e) {
                    e.SetState((e.GetState() | kFocusSelected) & ~kGhost);
                });
            }
        }
        RemovePreviews();
        CDragState::End();
        if (moved) {
            if (m_container)
                m_container->Refresh();
            NotifyContainer(kNotifySelectionChanged);
        }
        Refresh(true);
        InvalidateAll();
    }
}

void CCalendarViewCtrl::OnDragComplete(int effect)
{
    CDragState *drag = CDragState::Current();
    if (drag) {
        if (effect == kDropEffectMove) {
            RemoveEntriesMatching(kGhost);
        } else {
            ForEachDragged(*drag, m_entries, [](CDisplayItem &e) {
                e.SetState((e.GetState() | CDisplayItem::StateFocus) &
                           ~(CDisplayItem::StateSelected | kGhost));
            });
        }
    }
    Refresh(true);
    InvalidateAll();
    CDragState::End();
    NotifyContainer(kNotifySelectionChanged);
}

void CCalendarViewCtrl::CancelDrag()
{
    CDragState *drag = CDragState::Current();
    if (!drag || drag->sourceView != this) {
        m_dragPending = false;
        m_resizePending = 0;
        NotifyContainer(kNotifySelectionChanged);
        return;
    }
    if (drag->moved) {
        ForEachDragged(*drag, m_entries,
                       [](CDisplayItem &e) { e.SetState((e.GetState() | kFocusSelected) & ~kGhost); });
        RemovePreviews();
        Refresh(true);
        DrawCellRange();
        InvalidateAll();
    }
    CDragState::End();
    NotifyContainer(kNotifySelectionChanged);
}

bool CCalendarViewCtrl::OnEscapeWhileCaptured()
{
    if (!HasCapture())
        return false;
    SetCapture(false);
    CancelDrag();
    return true;
}

void CCalendarViewCtrl::OnDoubleClick(const QPoint &point)
{
    if (IsEditing())
        EndEdit(true, false);
    if (HasCapture())
        SetCapture(false);
    int index = -1;
    const int code = HitTest(point, &index);
    if (IsEntryCode(code)) {
        const CDisplayItem *e = GetEntry(index);
        if (e && e->HasState(CDisplayItem::StateSelected) &&
            (GetSelectedCount() == 1 || IsSingleOccurrenceSelected()))
            RequestOpenItem();
        else
            Beep();
    } else if (code == HitNothing) {
        Beep();
    } else if (code != HitHorzScroll && code != HitVertScroll) {
        if (IsReadOnly())
            Beep();
        else
            RequestNewItem();
    }
}

void CCalendarViewCtrl::OnRightDown(const QPoint &point)
{
    if (IsEditing())
        EndEdit(true, false);
    if (m_host)
        m_host->TakeFocus();
    int index = -1;
    const int code = HitTest(point, &index);
    if (IsEntryCode(code)) {
        const CDisplayItem *e = GetEntry(index);
        if (e && !e->HasState(CDisplayItem::StateSelected))
            SelectOnly(index);
    } else if (code == HitHorzScroll || code == HitVertScroll) {
        return;
    } else {
        SetAllItemStates(0, kFocusSelected, true);
        m_focusedEntry = -1;
    }
    if ((code == HitCell || code == HitCellArea) && IsCellSelected(index))
        return;
    const int cell = code == HitCell ? index : CellFromPoint(point);
    if (cell < 0)
        return;
    SetCurrentCell(cell);
    m_anchorCell = m_currentCell;
    DrawCellRange();
}

void CCalendarViewCtrl::OnRightButtonUp()
{
    NotifyContainer(kNotifySelectionChanged);
}

void CCalendarViewCtrl::OnContextMenu(const QPoint &screenPoint)
{
    const bool fromKeyboard = screenPoint == QPoint(-1, -1);
    QPoint client, screen = screenPoint;
    if (fromKeyboard) {
        const int first = GetFirstSelectedEntry();
        if (first >= 0) {
            const QRect r = GetEntryRect(first);
            client = QPoint(r.left(), std::max(0, r.top()));
        } else {
            const int cell =
                (m_viewKind == 6 || m_viewKind == kViewKindTasks) ? m_currentCell : GetFirstSelectedCell();
            client = GetCellRect(cell, 0).topLeft();
        }
        screen = m_host ? m_host->MapToScreen(client) : client;
    } else {
        client = m_host ? m_host->MapFromScreen(screenPoint) : screenPoint;
    }
    int popup = GetContextMenuIndex(client, fromKeyboard);
    if (ProgramSettings().itemTypeMenusFirst) {
        if (popup == 4)
            popup = 5;
        else if (popup == 9)
            popup = 10;
    }
    if (m_host)
        m_host->ShowContextMenu(popup, screen);
}

// ---- Keyboard ----

bool CCalendarViewCtrl::OnKeyDown(int key, int modifiers)
{
    if (PreviewKey(key, modifiers))
        return true;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (IsEditing())
            EndEdit(true, false);
        if (modifiers & kModCtrl)
            PreviewKey(key, modifiers);
        else if (key == Qt::Key_Backtab || (modifiers & kModShift))
            FocusPrevEntry();
        else
            FocusNextEntry();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (GetSelectedCount() > 0)
            RequestOpenItem();
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        MoveFocusByKey(key, modifiers);
        return true;
    case Qt::Key_F2:
        EditFocusedItem();
        return true;
    default:
        return false;
    }
}

void CCalendarViewCtrl::OnChar(QChar ch)
{
    if (ch.unicode() < 32)
        return;
    StartItemByTyping(ch);
}

void CCalendarViewCtrl::MoveFocusByKey(int, int) {}

void CCalendarViewCtrl::StartItemByTyping(QChar) {}

void CCalendarViewCtrl::EditFocusedItem() {}

namespace {
bool Focusable(const CDisplayItem &e)
{
    return e.GetRect().height() != 0 && (!e.HasFlag(CDisplayItem::FlagBeginsBefore) || e.GetFirstCell() == 0);
}
} // namespace

void CCalendarViewCtrl::FocusNextEntry()
{
    FocusNeighbourEntry(true);
}

void CCalendarViewCtrl::FocusPrevEntry()
{
    FocusNeighbourEntry(false);
}

void CCalendarViewCtrl::FocusNeighbourEntry(bool forward)
{
    if (m_entries.empty())
        return;
    SetAllItemStates(0, kFocusSelected, true);
    const int from = m_focusedEntry;
    m_focusedEntry = -1;
    const int low = std::min(m_currentCell, m_anchorCell);
    const int step = forward ? 1 : -1;
    int found = -1;
    // Without a focused entry the search starts at the selected cells' end of the list.
    int i = from >= 0 ? from + step : (forward ? 0 : GetEntryCount() - 1);
    for (; i >= 0 && i < GetEntryCount() && found < 0; i += step) {
        const CDisplayItem &e = *m_entries[std::size_t(i)];
        const bool fromCells = forward ? e.GetFirstCell() >= low : e.GetFirstCell() <= low;
        if (Focusable(e) && (from >= 0 || fromCells))
            found = i;
    }
    if (found < 0) {
        SetCurrentCell((forward ? m_entries.front() : m_entries.back())->GetFirstCell());
        m_anchorCell = m_currentCell;
        EnsureCellVisible(m_currentCell);
    } else {
        const CDisplayItem &e = *m_entries[std::size_t(found)];
        SetOccurrenceState(e.GetItemRef(), e.GetOccurrenceDate(), kFocusSelected, kFocusSelected, true);
        m_focusedEntry = found;
        SetCurrentCell(e.GetFirstCell());
        m_anchorCell = m_currentCell;
        EnsureEntryVisible(found);
    }
    DrawCellRange();
    NotifyContainer(kNotifySelectionChanged);
}

// ---- Drop on a view ----

int CCalendarViewCtrl::OnDragEnter(const QMimeData *data, int keyState, const QPoint &point)
{
    CDragState *drag = CDragState::Current();
    if (data && data->hasFormat(InternalFormatMimeType()) && drag) {
        drag->moved = true;
        if (drag->sourceView == this)
            BuildDragRecords();
    }
    return OnDragOver(data, keyState, point);
}

int CCalendarViewCtrl::OnDragOver(const QMimeData *data, int keyState, const QPoint &point)
{
    CDragState *drag = CDragState::Current();
    if (!data)
        return kDropEffectNone;
    if (!data->hasFormat(InternalFormatMimeType()) || !drag)
        return data->hasText() ? kDropEffectCopy : kDropEffectNone;
    int effect = (keyState & kKeyStateControl) ? kDropEffectCopy : kDropEffectMove;
    const bool fromTasks = drag->sourceViewKind == kViewKindTasks && drag->sourceView != this;
    if (fromTasks && m_viewKind == 1)
        effect = kDropEffectNone;
    const bool source = drag->sourceView == this;
    int cell = CellFromPoint(point);
    if (cell < 0)
        cell = drag->lastCell;
    if (source) {
        ForEachDragged(*drag, m_entries, [effect](CDisplayItem &e) {
            if (effect == kDropEffectMove)
                e.SetState(e.GetState() | kGhost);
            else
                e.SetState(e.GetState() & ~(kFocusSelected | kGhost));
        });
    }
    if (effect != kDropEffectNone && (cell != drag->lastCell || effect != m_lastDragOverEffect)) {
        RemovePreviews();
        const CDateSpan shift = m_cellsAreDates ? GetDaySpan(drag->sourceCell, cell) : CDateSpan(0.0);
        for (CDragItem &item : drag->dragItems) {
            if (fromTasks) {
                const int own = FindEntry(item.recordId, item.occurrenceDate);
                if (CDisplayItem *e = GetEntry(own))
                    e->SetState(effect == kDropEffectMove ? (e->GetState() | kGhost)
                                                          : (e->GetState() & ~kGhost));
                item.movedStart = GetDayDate(cell);
            } else {
                item.movedStart = item.start + shift;
            }
            if (item.kind == CDisplayItem::KindTask && m_viewKind == 1)
                continue;
            CItemRef preview;
            if (preview.CreateFromViewDraft(item)) {
                preview.SetRecordId(0);
                AddItem(preview);
            }
        }
        if (source && (effect == kDropEffectCopy || cell != drag->sourceCell))
            SetItemState(0, kFocusSelected, kFocusSelected, false);
        Refresh(true);
        InvalidateAll();
    }
    drag->lastCell = cell;
    m_lastDragOverEffect = effect;
    return effect;
}

void CCalendarViewCtrl::OnDragLeave()
{
    CDragState *drag = CDragState::Current();
    if (drag) {
        if (drag->sourceView == this) {
            ForEachDragged(*drag, m_entries,
                           [](CDisplayItem &e) { e.SetState((e.GetState() | kFocusSelected) & ~kGhost); });
        } else if (drag->sourceViewKind == kViewKindTasks) {
            for (const CDragItem &item : drag->dragItems) {
                if (CDisplayItem *e = GetEntry(FindEntry(item.recordId, item.occurrenceDate)))
                    e->SetState(e->GetState() & ~kGhost);
            }
        }
        for (CDragItem &item : drag->dragItems)
            item.movedStart = item.start;
        drag->lastCell = drag->sourceCell;
    }
    RemovePreviews();
    Refresh(true);
    InvalidateAll();
    m_lastDragOverEffect = 0;
}

int CCalendarViewCtrl::OnDropEx(const QMimeData *data, int effect, const QPoint &point)
{
    m_lastDropEffect = effect;
    CDragState *drag = CDragState::Current();
    const bool source = drag && drag->sourceView == this;
    if (drag) {
        const int cell = CellFromPoint(point);
        const bool sameCell = cell < 0 || cell == drag->sourceCell;
        if (!(source && effect == kDropEffectMove && (sameCell || !m_cellsAreDates))) {
            if (cell >= 0)
                SetCurrentCell(cell);
            if (m_container)
                m_container->MoveItems(*this, data, effect, point, *drag);
        }
        RemovePreviews();
        if (source) {
            if (m_container)
                m_container->Refresh();
        } else {
            Refresh(true);
        }
        InvalidateAll();
    } else {
        if (const HRESULT pasted = PasteFromDrop(data, point); pasted != S_OK && pasted != S_FALSE)
            m_lastDropEffect = effect = kDropEffectNone;
    }
    m_anchorCell = m_currentCell;
    if (source)
        DrawCellRange();
    return effect;
}

HRESULT CCalendarViewCtrl::PasteFromDrop(const QMimeData *data, const QPoint &point)
{
    return m_host ? m_host->PasteFromDataObject(data, point) : QV_E_REFUSED;
}

void CCalendarViewCtrl::OnDragFeedback(bool)
{
    CDragState *drag = CDragState::Current();
    if (!drag || drag->sourceView != this || m_lastDragOverEffect != 0)
        return;
    if (!drag->draggedEntries.empty() && Holds(m_entries, drag->draggedEntries.front()) &&
        drag->draggedEntries.front()->HasState(kGhost)) {
        ForEachDragged(*drag, m_entries,
                       [](CDisplayItem &e) { e.SetState(e.GetState() & ~(kFocusSelected | kGhost)); });
    }
    Refresh(true);
    InvalidateAll();
}

// ---- In-place edit ----

bool CCalendarViewCtrl::IsEditing() const
{
    return m_editOpen && m_host && m_host->IsEditVisible();
}

int CCalendarViewCtrl::BeginInPlaceEdit()
{
    return 1;
}

int CCalendarViewCtrl::OpenEditOverFocusedEntry(const QMargins &inset)
{
    if (IsReadOnly()) {
        Beep();
        return 0;
    }
    const CDisplayItem *e = GetEntry(m_focusedEntry);
    if (!e)
        return 0;
    EnsureEntryVisible(m_focusedEntry);
    // Read after scrolling it into view: the box may have moved.
    OpenEditFor(e->Clone(), GetEntryRect(m_focusedEntry).marginsRemoved(inset), e->GetSubject());
    return 1;
}

void CCalendarViewCtrl::EditFocusedEntryShared()
{
    if (GetSelectedCount() == 0)
        return;
    if (IsReadOnly()) {
        Beep();
        return;
    }
    const CDisplayItem *focused = GetEntry(m_focusedEntry);
    if (!focused)
        return;
    const std::uint32_t record = focused->GetItemRef();
    const CDateTime occurrence = focused->GetOccurrenceDate();
    SetAllItemStates(0, kFocusSelected, true);
    SetOccurrenceState(record, occurrence, kFocusSelected, kFocusSelected, true);
    m_focusedEntry = FindEntry(record, occurrence);
    if (const CDisplayItem *e = GetEntry(m_focusedEntry))
        SetCurrentCell(e->GetFirstCell());
    m_anchorCell = m_currentCell;
    BeginInPlaceEdit();
}

void CCalendarViewCtrl::OpenEditFor(std::unique_ptr<CDisplayItem> edited, const QRect &rect,
                                    const QString &text)
{
    m_editedEntry = std::move(edited);
    m_editOpen = true;
    if (m_host) {
        m_host->ShowEdit(rect, text, rect.height() > 2 * m_rowHeight);
        m_host->FocusEdit();
    }
}

void CCalendarViewCtrl::OnEditKey(int key)
{
    if (key == Qt::Key_Escape)
        EndEdit(false, true);
    else if (key == Qt::Key_Tab || key == Qt::Key_Return || key == Qt::Key_Enter)
        EndEdit(true, true);
}

void CCalendarViewCtrl::OnEditFocusLost()
{
    EndEdit(true, false);
}

void CCalendarViewCtrl::EndEdit(bool commit, bool fromKey)
{
    if (!m_editOpen)
        return;
    m_editOpen = false;
    const bool modified = m_host && m_host->IsEditModified();
    const QString text = m_host ? m_host->EditText() : QString();
    if (m_host)
        m_host->HideEdit();
    std::unique_ptr<CDisplayItem> edited = std::move(m_editedEntry);
    bool stored = false;
    if (edited && commit && modified)
        stored = StoreEditedText(*edited, text);
    if (edited && !stored && edited->GetItemRef() == 0) {
        RemoveOccurrenceEntries(0, edited->GetOccurrenceDate());
        RemovePreviews();
        Refresh(true);
        InvalidateAll();
    }
    if (fromKey && m_host)
        m_host->TakeFocus();
}

bool CCalendarViewCtrl::StoreEditedText(const CDisplayItem &edited, const QString &typed)
{
    IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
    if (!doc)
        return false;
    const IItemTypeCatalog *types = doc->GetItemTypes();
    const bool prefixes = ProgramSettings().typePrefixShortcut != 0 && types;
    const std::uint32_t record = edited.GetItemRef();
    const bool isTask = edited.GetKind() == CDisplayItem::KindTask;
    QString text = typed;
    CItemRef ref;
    HRESULT hr = S_OK;
    if (record == 0) {
        // A new item typed into the view: the holder starts from the entry's times.
        CItemRef fresh(edited);
        ref = std::move(fresh);
        CCalendarItem *item = ref.GetItem();
        if (!item)
            return false;
        item->SetItemType(edited.GetItemTypeIndex());
        if (prefixes)
            item->ApplyItemTypePrefix(*types, text);
        item->SetSubject(text);
        if (!ProgramSettings().newItemsWithoutReminder)
            item->SetFlags(item->GetFlags() | CCalendarItem::FlagReminder);
    } else {
        hr = isTask ? doc->LoadTask(record, ref) : doc->LoadEvent(record, ref);
        if ((hr != S_OK && hr != S_FALSE) || !ref.GetItem()) {
            if (m_host)
                m_host->ReportError((hr != S_OK && hr != S_FALSE) ? hr : QV_E_ITEM_LOAD);
            return false;
        }
        CCalendarItem *item = ref.GetItem();
        if (CEventItem *event = ref.GetEvent(); event && event->IsRecurring()) {
            const CDateTime occurrence = edited.GetOccurrenceDate();
            if (event->FindExceptionIndex(occurrence) < 0 && text == event->GetSubject())
                return false;
            CRecurrenceException *exception = event->GetException(occurrence, true);
            if (!exception) {
                if (m_host)
                    m_host->ReportError(E_OUT_OF_MEMORY);
                return false;
            }
            exception->SetSubject(true, text);
            exception->SetModifiedTime(Now());
        } else if (CTaskItem *task = ref.GetTask();
                   task && task->IsRecurring() && !task->HasFlag(CCalendarItem::FlagSeriesClosed)) {
            if (text == task->GetSubject())
                return false;
            hr = SplitRecurringTask(*doc, ref, text);
            if ((hr != S_OK && hr != S_FALSE)) {
                if (m_host)
                    m_host->ReportError(hr);
                return false;
            }
            m_container->TaskChanged(ref);
        } else {
            if (text == item->GetSubject())
                return false;
            if (prefixes)
                item->ApplyItemTypePrefix(*types, text);
            item->SetSubject(text);
        }
    }
    hr = isTask ? doc->SaveTaskRef(ref) : doc->SaveEventRef(ref);
    if ((hr != S_OK && hr != S_FALSE)) {
        if (m_host)
            m_host->ReportError(hr);
        return false;
    }
    RemoveOccurrenceEntries(record, edited.GetOccurrenceDate());
    if (record == 0)
        RemovePreviews();
    if (m_container->AddItemToView(ref, 1)) {
        const int index = FindEntry(ref.GetRecordId(), edited.GetOccurrenceDate());
        if (const CDisplayItem *e = GetEntry(index)) {
            SetOccurrenceState(e->GetItemRef(), e->GetOccurrenceDate(), kFocusSelected, kFocusSelected, true);
            m_focusedEntry = FindEntry(ref.GetRecordId(), edited.GetOccurrenceDate());
        }
    } else if (m_host) {
        m_host->ShowWarning(kIdsHiddenByFilter);
    }
    if (isTask)
        m_container->TaskChanged(ref);
    m_container->UpdateCountPane();
    Refresh(true);
    InvalidateAll();
    NotifyContainer(kNotifySelectionChanged);
    return true;
}

HRESULT CCalendarViewCtrl::SplitRecurringTask(IViewDocument &doc, CItemRef &series, const QString &text)
{
    CTaskItem *task = series.GetTask();
    // The current instance becomes a task of its own under the new subject; it keeps the
    // series' identity, and the series, which goes on, takes a new one so that no two stored
    // tasks share an id.
    CItemRef copyRef(CDisplayItem::KindTask);
    CTaskItem *copy = copyRef.GetTask();
    if (!copy)
        return E_OUT_OF_MEMORY;
    *copy = *task;
    copy->SetRecordId(0);
    copy->SetFlags(copy->GetFlags() | CCalendarItem::FlagSeriesClosed);
    copy->SetSubject(text);
    copy->SetUniqueId(task->GetUniqueId());
    copy->SetKeepMark(task->GetKeepMark());
    copyRef.SetRecordId(0);
    HRESULT hr = doc.SaveTaskRef(copyRef);
    if ((hr != S_OK && hr != S_FALSE))
        return hr;
    task->SetKeepMark(0);
    task->SetUniqueId(QUuid::createUuid().toString(QUuid::WithoutBraces));
    CDateTime next;
    if (task->GetNextDueDate(TodayForDisplay(), next))
        task->MoveToDueDate(next);
    return S_OK;
}

// ---- Tooltips ----

int CCalendarViewCtrl::ToolHitTest(const QPoint &point, QRect &rect) const
{
    int index = -1;
    const int code = HitTest(point, &index);
    if ((code != HitEntryBody && code != HitEntryMove) || !GetEntry(index))
        return 0;
    rect = GetEntryTextRect(index);
    return index * 1024 + 1;
}

QString CCalendarViewCtrl::ToolTipText(int toolId) const
{
    QString text;
    if (toolId <= 0 || !GetEntryTipText((toolId - 1) / 1024, text))
        return {};
    return text;
}

#include "containers/tasks/TaskPadCtrl.h"

#include "containers/base/ContainerDocument.h"
#include "containers/base/ViewContainer.h"
#include "containers/tasks/TaskListRules.h"
#include "core/dates/DateRules.h"
#include "core/document/TransferFormat.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/system/ConstStrings.h"
#include "core/system/Messages.h"
#include "core/system/Profile.h"
#include "toolkit/commands/CommandTarget.h"
#include "views/base/CustomWnd.h"
#include "views/base/DragState.h"
#include "views/base/NotifyTarget.h"

#include <QMetaObject>
#include <QMimeData>
#include <QWidget>

namespace {
constexpr std::uint32_t kKeptStates = CDisplayItem::StateFocus | CDisplayItem::StateSelected;
constexpr int kReadOnlyMessage = 58016;
} // namespace

CTaskPadCtrl::CTaskPadCtrl()
{
    m_sectionIndex = ConstName::TaskPad;
    LoadSettings();
    m_useFilter = GetProfileInt(GetSection(), QStringLiteral("UF"), 0) != 0;
}

void CTaskPadCtrl::SetOwner(CViewContainer *owner)
{
    m_owner = owner;
    SetContainer(owner);
    if (!owner)
        RemoveAllEntries();
}

void CTaskPadCtrl::LoadSettings()
{
    m_filter.Load(GetSection());
}

void CTaskPadCtrl::LoadOptions()
{
    CTaskListCtrl::ReloadOptions();
    m_useFilter = GetProfileInt(GetSection(), QStringLiteral("UF"), 0) != 0;
}

void CTaskPadCtrl::GetDefaultColumns(bool all, int &sortId, std::vector<int> &ids) const
{
    ids = CTaskListRules::TaskPadColumns(all);
    sortId = CTaskListRules::DefaultSortColumn;
}

int CTaskPadCtrl::MapMenu(int menu) const
{
    return CTaskListRules::TaskPadMenu(menu);
}

// ---- Rows ----

bool CTaskPadCtrl::IsTaskShown(const CTaskItem &task) const
{
    if (!m_owner || task.HasFlag(CCalendarItem::FlagDeleted))
        return false;
    if (task.HasFlag(CCalendarItem::FlagHidden) && !CViewContainer::IsShowingHiddenItems())
        return false;
    if (!m_owner->GetViewCtrl())
        return true;
    const CShownRange range = m_owner->GetShownRange();
    const CDateTime start = range.start.DatePart();
    CDateTime end = start;
    AddDays(end, std::max(1, range.dayCount));
    return m_filter.Accepts(task, start, end, TodayForDisplay());
}

bool CTaskPadCtrl::AddTaskIfShown(const CTaskItem &task, bool repaint)
{
    if (!IsTaskShown(task))
        return false;
    if (m_useFilter && !m_owner->GetActiveFilter().MatchesItem(task))
        return false;
    for (const auto &row : m_entries)
        if (row->GetItemRef() == task.GetRecordId())
            return false;
    CItemRef ref;
    ref.SetRecordId(task.GetRecordId());
    ref.SetItem(std::make_unique<CTaskItem>(task));
    if (!AddItem(ref))
        return false;
    if (repaint) {
        Refresh(true);
        InvalidateAll();
    }
    return true;
}

void CTaskPadCtrl::ReloadRows()
{
    const std::uint32_t focused = FocusedRecord();
    RemoveAllEntries();
    m_horzPos = 0;
    IContainerDocument *doc = m_owner ? m_owner->GetDataSource() : nullptr;
    if (doc) {
        doc->EnumTasks([&](std::uint32_t id) {
            CTaskItem summary(id);
            if (doc->LoadTaskSummary(summary) != S_OK || !IsTaskShown(summary))
                return S_OK; // an unreadable record is left out, not the whole list
            CTaskItem task(id);
            if (doc->LoadTask(task) == S_OK)
                AddTaskIfShown(task, false);
            return S_OK;
        });
    }
    Refresh(true);
    FocusRecord(focused);
    InvalidateAll();
    m_filter.Save(GetSection());
}

std::uint32_t CTaskPadCtrl::FocusedRecord() const
{
    const CDisplayItem *row = GetEntry(m_focusedEntry);
    return row ? row->GetItemRef() : 0;
}

void CTaskPadCtrl::FocusRecord(std::uint32_t recordId)
{
    if (recordId == 0)
        return;
    for (int i = 0; i < GetEntryCount(); ++i) {
        if (GetEntry(i)->GetItemRef() == recordId) {
            m_focusedEntry = i;
            m_anchorRow = i;
            EnsureEntryVisible(i);
            return;
        }
    }
}

bool CTaskPadCtrl::UpdateTask(const CTaskItem &task, bool repaint)
{
    if (task.GetKind() != CCalendarItem::KindTask)
        return false;
    const std::uint32_t focused = FocusedRecord();
    const std::uint32_t id = task.GetRecordId();
    bool hadRow = false;
    std::uint32_t oldState = 0;
    for (const auto &row : m_entries) {
        if (row->GetItemRef() == id) {
            hadRow = true;
            oldState = row->GetState();
            break;
        }
    }
    const int before = GetEntryCount();
    RemoveEntriesOfRecord(id);
    const bool removed = GetEntryCount() != before;
    const bool added = AddTaskIfShown(task, false);
    if (added && hadRow) {
        for (const auto &row : m_entries)
            if (row->GetItemRef() == id)
                row->SetState((row->GetState() & ~kKeptStates) | (oldState & kKeptStates));
    }
    if (!removed && !added)
        return false;
    if (repaint) {
        Refresh(true);
        FocusRecord(focused);
        InvalidateAll();
        NotifyContainer(kNotifySelectionChanged);
    }
    return true;
}

int CTaskPadCtrl::MarkItemRows(std::uint32_t recordId)
{
    bool found = false;
    for (const auto &row : m_entries) {
        if (row->GetItemRef() == recordId) {
            row->SetState(row->GetState() | CDisplayItem::StateRemoved);
            found = true;
        }
    }
    return found ? RowsChanged : 0;
}

int CTaskPadCtrl::AddOrRemoveRow(const CTaskItem &task, bool add, bool refresh)
{
    bool changed = false;
    if (add) {
        changed = AddTaskIfShown(task, false);
    } else {
        const int before = GetEntryCount();
        RemoveEntriesOfRecord(task.GetRecordId());
        changed = GetEntryCount() != before;
    }
    if (!changed)
        return 0;
    if (refresh) {
        ReloadRows();
        NotifyContainer(kNotifySelectionChanged);
    }
    return RowsChanged;
}

void CTaskPadCtrl::OnDayChange()
{
    if (m_filter.view != CTaskPadFilter::ViewSelectedDays) {
        MarkOverdue();
        return;
    }
    const CDateTime today = TodayForDisplay();
    if (today == m_overdueDay)
        return;
    m_overdueDay = today;
    // Tasks that fell due before the new day leave the selected days: marked, then reloaded.
    bool marked = false;
    for (const auto &row : m_entries) {
        if (!row->HasFlag(CDisplayItem::FlagCompleted) && row->HasFlag(CDisplayItem::FlagHasDue) &&
            row->GetOccurrenceDate().DatePart() < today) {
            row->SetState(row->GetState() | CDisplayItem::StateRemoved);
            marked = true;
        }
    }
    if (marked) {
        ReloadRows();
        NotifyContainer(kNotifySelectionChanged);
    }
}

// ---- Input and notifications ----

void CTaskPadCtrl::RequestOpenItem()
{
    // Posted, so the double click ends before an editor opens.
    QWidget *window = dynamic_cast<QWidget *>(m_host);
    ICommandTarget *target = m_commands;
    if (window && target)
        QMetaObject::invokeMethod(
            window, [target] { target->OnCommand(ContainerCmd::OpenItem); }, Qt::QueuedConnection);
    else if (target)
        target->OnCommand(ContainerCmd::OpenItem);
}

void CTaskPadCtrl::NotifyContainer(int code)
{
    if (!m_container)
        return;
    CNotifyRecord record;
    record.sender = dynamic_cast<QWidget *>(m_host);
    record.controlId = kControlId;
    record.code = code;
    m_container->OnNotify(record);
}

bool CTaskPadCtrl::PreviewKey(int key, int modifiers)
{
    const bool ctrl = modifiers & kModCtrl, shift = modifiers & kModShift;
    int command = 0;
    if ((key == Qt::Key_Insert && ctrl) || (key == Qt::Key_C && ctrl && !shift))
        command = ContainerCmd::Copy;
    else if ((key == Qt::Key_Insert && shift) || (key == Qt::Key_V && ctrl && !shift))
        command = ContainerCmd::Paste;
    else if (key == Qt::Key_X && ctrl && !shift)
        command = ContainerCmd::Cut;
    else if (key == Qt::Key_A && ctrl && !shift)
        command = 57642; // Select All
    else if (key == Qt::Key_Delete && !ctrl && !shift)
        command = ContainerCmd::Delete;
    if (command != 0 && m_commands) {
        m_commands->OnCommand(command);
        return true;
    }
    return CTaskListCtrl::PreviewKey(key, modifiers);
}

// ---- Drops ----

int CTaskPadCtrl::OnDragOver(const QMimeData *data, int keyState, const QPoint &)
{
    int effect = kDropEffectNone;
    if (data && (data->hasFormat(InternalFormatMimeType()) || data->hasFormat(TransferFormatMimeType()))) {
        effect = (keyState & kKeyStateControl) ? kDropEffectCopy : kDropEffectMove;
        // Items dragged from a calendar view stay where they are: the pad gets copies.
        const CDragState *drag = CDragState::Current();
        if (drag && drag->sourceViewKind != kViewKind)
            effect = kDropEffectCopy;
    } else if (data && data->hasText()) {
        effect = kDropEffectCopy;
    }
    m_lastDragOverEffect = effect;
    return effect;
}

int CTaskPadCtrl::OnDropEx(const QMimeData *data, int effect, const QPoint &point)
{
    CDragState *drag = CDragState::Current();
    if (!drag || !data || !data->hasFormat(InternalFormatMimeType()))
        return CTaskListCtrl::OnDropEx(data, effect, point);
    m_lastDropEffect = effect;
    // Moving rows within the pad changes nothing: its order is its sort.
    if (drag->sourceView == this && effect == kDropEffectMove)
        return effect;
    const std::uint32_t focused = FocusedRecord();
    const int before = m_owner ? m_owner->GetItemCount() : 0;
    PasteDraggedItems(*drag);
    if (m_owner && m_owner->GetItemCount() != before)
        m_owner->Refresh();
    if (drag->sourceView != this && effect == kDropEffectCopy) {
        ReloadRows();
        FocusRecord(focused);
    }
    InvalidateAll();
    return effect;
}

HRESULT CTaskPadCtrl::PasteDraggedItems(const CDragState &drag)
{
    IContainerDocument *doc = m_owner ? m_owner->GetDataSource() : nullptr;
    if (!doc)
        return QV_E_REFUSED;
    if (doc->IsReadOnly()) {
        ShowWarning(kReadOnlyMessage);
        return QV_E_REFUSED;
    }
    for (const CDragItem &item : drag.dragItems) {
        CTaskItem made;
        HRESULT hr = S_OK;
        if (item.kind == CDisplayItem::KindEvent) {
            CEventItem event(item.recordId);
            hr = doc->LoadEvent(event);
            if (hr == S_OK) {
                const bool one = (item.flags & CDragItem::FlagOneOccurrence) != 0;
                made.CopyFromItem(event, one ? item.occurrenceDate : CDateTime());
            }
        } else if (item.kind == CDisplayItem::KindTask) {
            CTaskItem task(item.recordId);
            hr = doc->LoadTask(task);
            if (hr == S_OK)
                made.CopyFromItem(task);
        } else {
            continue;
        }
        if (hr == S_OK) {
            ClearStoredIdentity(made);
            hr = doc->StoreTask(made);
        }
        if (hr != S_OK) {
            ReportError(hr);
            return hr;
        }
        CItemRef shown;
        shown.SetRecordId(made.GetRecordId());
        shown.SetItem(std::make_unique<CTaskItem>(made));
        m_owner->AddItemToView(shown, 1);
        AddTaskIfShown(made, false);
    }
    Refresh(true);
    return S_OK;
}

#include "containers/tasks/TaskListCtrl.h"

#include "containers/base/ViewContainer.h"
#include "containers/base/ViewKinds.h"
#include "containers/tasks/TaskListPaste.h"
#include "containers/tasks/TaskListRules.h"
#include "core/document/TransferPaste.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/system/ConstStrings.h"
#include "core/system/Messages.h"
#include "core/system/StringTable.h"
#include "views/base/CustomWnd.h"

#include <QMimeData>
#include <algorithm>

CTaskListCtrl::CTaskListCtrl()
{
    m_viewKind = kViewKind;
    m_sectionIndex = ConstName::Tasks;
    m_overdueDay = TodayForDisplay();
}

CViewContainer *CTaskListCtrl::GetViewContainer() const
{
    return dynamic_cast<CViewContainer *>(m_container);
}

QString CTaskListCtrl::GetCaption() const
{
    return CTaskListRules::Caption();
}

bool CTaskListCtrl::AcceptsColumn(int id) const
{
    const std::vector<int> &all = CTaskListRules::Columns(true);
    return std::find(all.begin(), all.end(), id) != all.end();
}

void CTaskListCtrl::GetDefaultColumns(bool all, int &sortId, std::vector<int> &ids) const
{
    ids = CTaskListRules::Columns(all);
    sortId = CTaskListRules::DefaultSortColumn;
}

bool CTaskListCtrl::AddItem(CItemRef &ref)
{
    const CTaskItem *task = ref.GetTask();
    if (!task)
        return false;
    std::unique_ptr<CDisplayItem> row = task->MakeDisplayItem(0);
    if (!row)
        return false;
    return AddEntry(std::move(row));
}

bool CTaskListCtrl::MarkOverdue()
{
    const CDateTime today = TodayForDisplay();
    if (today == m_overdueDay)
        return false;
    m_overdueDay = today;
    const bool changed = CTaskListRules::MarkOverdueRows(m_entries, today);
    InvalidateAll();
    if (m_host)
        m_host->UpdateWindow();
    return changed;
}

int CTaskListCtrl::GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const
{
    using Place = CTaskListRules::MenuPlace;
    if (fromKeyboard)
        return MapMenu(
            CTaskListRules::ChooseContextMenu(Place::Keyboard, GetEntry(m_focusedEntry) != nullptr, 0));
    if (point.y() >= 0 && point.y() < m_headerHeight) {
        m_rightClickColumn = ColumnAtX(point.x());
        return MapMenu(CTaskListRules::MenuListHeader);
    }
    const int hit = HitTest(point, nullptr);
    return MapMenu(CTaskListRules::ChooseContextMenu(Place::Rows, false, hit));
}

void CTaskListCtrl::OnLeftDown(const QPoint &point, int modifiers)
{
    const int row = point.y() >= m_headerHeight ? EntryFromPoint(point) : -1;
    const int visual = row >= 0 ? ColumnAtX(point.x() + 1) : -1;
    if (visual >= 0 && m_columns.IdAt(visual) == CTaskListRules::CompleteColumn) {
        // The check box acts on its own row: no selection change and no drag start.
        if (IsEditing())
            EndEdit(true, false);
        if (m_host)
            m_host->TakeFocus();
        m_completePress = row;
        SetCapture(true);
        return;
    }
    m_completePress = -1;
    CItemListCtrl::OnLeftDown(point, modifiers);
}

void CTaskListCtrl::OnLeftUp(const QPoint &point)
{
    if (m_completePress < 0) {
        CItemListCtrl::OnLeftUp(point);
        return;
    }
    const int pressed = m_completePress;
    m_completePress = -1;
    if (HasCapture())
        SetCapture(false);
    // Only a release over the same check box counts, as with a button.
    const int row = EntryFromPoint(point);
    const int visual = row >= 0 ? ColumnAtX(point.x() + 1) : -1;
    if (row == pressed && visual >= 0 && m_columns.IdAt(visual) == CTaskListRules::CompleteColumn)
        OnIconCellClick(row, CTaskListRules::CompleteColumn);
}

void CTaskListCtrl::RequestNewItem()
{
    if (m_container)
        m_container->SendCommand(ContainerCmd::NewTask);
}

HRESULT CTaskListCtrl::PasteText(const QMimeData &data, const QPoint &)
{
    const QString mime = QString::fromLatin1(kTextMimeType);
    if (!data.hasFormat(mime))
        return QV_E_CANCELLED;
    QString subject, notes;
    CTaskListRules::SplitPastedText(QString::fromUtf8(data.data(mime)), subject, notes);
    IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
    // A new task takes the first item type; the editor lets the user choose another.
    ItemTypeInfo first;
    const IItemTypeCatalog *types = doc ? doc->GetItemTypes() : nullptr;
    if (!types || !types->GetTypeInfo(0, first))
        first.name.clear();
    std::unique_ptr<CItemRef> ref = NewTask(first.name);
    if (!ref)
        return S_OK;
    ref->GetTask()->SetSubject(subject);
    ref->GetTask()->SetNotes(notes);
    if (m_host)
        m_host->TakeFocus();
    CViewContainer *container = GetViewContainer();
    if (container && container->Context().editors)
        container->Context().editors->OpenTask(std::move(ref), container, IsReadOnly());
    return S_OK;
}

HRESULT CTaskListCtrl::PasteItems(const QMimeData &data, const QPoint &)
{
    if (!data.hasFormat(TransferFormatMimeType()))
        return QV_E_REFUSED;
    IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
    if (!doc)
        return QV_E_REFUSED;
    const CDisplayItem *focused = GetEntry(m_focusedEntry);
    const std::uint32_t focusRecord = focused ? focused->GetItemRef() : 0;

    std::vector<std::unique_ptr<CTaskItem>> tasks;
    const HRESULT read = CTaskListPaste::ReadTasks(data.data(TransferFormatMimeType()),
                                                   doc->GetFormatVersion(), doc->GetItemTypes(), tasks);
    if (read == QV_E_BAD_DATA_TYPE) {
        // Any process can put bytes under the format's name: say that nothing was pasted.
        ShowWarning(IDS_PASTE_DAMAGED);
        return S_FALSE;
    }
    if (read != S_OK)
        return read;

    const bool offer = ViewKind::HasTaskPad(m_container->GetContainerKind());
    bool added = false;
    HRESULT result = S_OK;
    for (auto &task : tasks) {
        CItemRef ref;
        ref.SetItem(std::make_unique<CTaskItem>(*task));
        const HRESULT hr = doc->SaveTaskRef(ref);
        if (Failed(hr)) {
            result = hr;
            break;
        }
        CItemRef shown;
        shown.SetRecordId(ref.GetRecordId());
        shown.SetItem(std::make_unique<CTaskItem>(*ref.GetTask()));
        added = m_container->AddItemToView(shown, 1) || added;
        if (offer)
            m_container->OfferTaskToTaskPad(shown);
    }
    AfterPaste(added, offer, focusRecord);
    return result;
}

void CTaskListCtrl::AfterPaste(bool added, bool offeredToTaskPad, std::uint32_t focusRecord)
{
    if (added)
        m_container->Refresh();
    if (offeredToTaskPad)
        m_container->RefreshTaskPad();
    if (focusRecord != 0) {
        for (int i = 0; i < GetEntryCount(); ++i) {
            if (GetEntry(i)->GetItemRef() == focusRecord) {
                m_focusedEntry = i;
                EnsureEntryVisible(i);
                break;
            }
        }
    }
    InvalidateAll();
}

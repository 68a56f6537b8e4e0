#include "containers/mainbase/PreviewPanePort.h"

#include "containers/mainbase/MainBasePointers.h"
#include "containers/preview/PreviewPane.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"

bool CPreviewPanePort::IsVisible() const
{
    const CPreviewPane *pane = CMainBasePointers::PreviewPane();
    return pane && pane->isVisible();
}

int CPreviewPanePort::GetShownKind() const
{
    const CPreviewPane *pane = CMainBasePointers::PreviewPane();
    return pane ? pane->GetShownKey().GetKind() : 0;
}

std::uint32_t CPreviewPanePort::GetShownRecordId() const
{
    const CPreviewPane *pane = CMainBasePointers::PreviewPane();
    return pane ? pane->GetShownKey().GetRecordId() : 0;
}

void CPreviewPanePort::ShowItem(const CCalendarItem *item, const CDateTime &occurrence)
{
    CPreviewPane *pane = CMainBasePointers::PreviewPane();
    if (!pane)
        return;
    if (!item) {
        pane->ShowItem(nullptr);
        return;
    }
    CItemRef holder;
    holder.SetRecordId(item->GetRecordId());
    if (const auto *event = dynamic_cast<const CEventItem *>(item))
        holder.SetItem(std::make_unique<CEventItem>(*event));
    else if (const auto *task = dynamic_cast<const CTaskItem *>(item))
        holder.SetItem(std::make_unique<CTaskItem>(*task));
    else
        return;
    holder.SetOccurrenceDate(occurrence);
    pane->ShowItem(&holder);
}

bool CPreviewPanePort::CanTakeFocus() const
{
    const CPreviewPane *pane = CMainBasePointers::PreviewPane();
    return pane && pane->IsShowingItem();
}

void CPreviewPanePort::TakeFocus()
{
    if (CPreviewPane *pane = CMainBasePointers::PreviewPane())
        pane->setFocus();
}

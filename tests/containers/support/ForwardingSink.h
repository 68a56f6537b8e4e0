// A document sink that passes stores and deletions on to the container shown, as the main
// window does.
#pragma once

#include "containers/base/ViewContainer.h"
#include "core/document/MainWindowSink.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"

#include <memory>

namespace container_test {

// Passes the document's notifications to the container shown.
class ForwardingSink : public IMainWindowSink
{
  public:
    void RefreshItemInView(const CCalendarItem &item) override
    {
        if (!container)
            return;
        CItemRef holder;
        holder.SetRecordId(item.GetRecordId());
        if (item.GetKind() == CCalendarItem::KindTask)
            holder.SetItem(std::make_unique<CTaskItem>(static_cast<const CTaskItem &>(item)));
        else
            holder.SetItem(std::make_unique<CEventItem>(static_cast<const CEventItem &>(item)));
        container->OnItemUpdated(holder, false);
    }
    void NotifyItemRescheduled(const CCalendarItem &, const CDateTime &) override {}
    void NotifyItemChanged(std::uint32_t recordId, const CDateTime &occurrence, bool oneOccurrence,
                           bool redraw) override
    {
        if (container)
            container->RemoveItemFromViews(recordId, oneOccurrence ? &occurrence : nullptr, redraw);
    }
    void UpdateTitle() override {}
    void RefreshViews(bool, bool) override {}
    void ClearItemCount() override {}

    CViewContainer *container = nullptr;
};

} // namespace container_test

// ITaskStore: what saving a task asks of the calendar document. The editor saves through it so
// that tests can put a failure at any step; CDocumentTaskStore is the document's.
#pragma once

#include "core/system/ResultCode.h"

#include <cstdint>

class CItemRef;
class CTaskItem;

class ITaskStore
{
  public:
    virtual ~ITaskStore() = default;
    virtual HRESULT LoadTask(CTaskItem &task) = 0;
    // Stores the task; one without a record id becomes a new record and gets its id.
    virtual HRESULT StoreTask(CTaskItem &task) = 0;
    virtual HRESULT DeleteTask(std::uint32_t recordId) = 0;
    // The holder's task, under the holder's record id (a new record when it has none).
    virtual HRESULT SaveTaskRef(CItemRef &holder) = 0;
    // Delete from the editor: the whole task, or with oneOccurrence only the held occurrence.
    virtual HRESULT DeleteHeldTask(CItemRef &holder, bool oneOccurrence) = 0;
    // The stored item was redrawn in the views.
    virtual void RefreshItem(const CTaskItem &task) = 0;
};

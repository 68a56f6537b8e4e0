// The document's store operations for the task editor.
#include "editing/task/DocumentTaskStore.h"

#include "core/document/CalendarDocument.h"
#include "core/document/MainWindowSink.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"

HRESULT CDocumentTaskStore::LoadTask(CTaskItem &task)
{
    return m_document.LoadTask(task);
}

HRESULT CDocumentTaskStore::StoreTask(CTaskItem &task)
{
    return m_document.StoreTask(task, true);
}

HRESULT CDocumentTaskStore::DeleteTask(std::uint32_t recordId)
{
    return m_document.DeleteTask(recordId, false, false);
}

HRESULT CDocumentTaskStore::SaveTaskRef(CItemRef &holder)
{
    return m_document.SaveTaskRef(holder);
}

HRESULT CDocumentTaskStore::DeleteHeldTask(CItemRef &holder, bool oneOccurrence)
{
    const CTaskItem *task = holder.GetTask();
    const bool externalRef = task && task->GetKeepMark() != 0;
    return m_document.DeleteTaskAndNotify(holder.GetRecordId(), holder.GetOccurrenceDate(), externalRef,
                                          oneOccurrence);
}

void CDocumentTaskStore::RefreshItem(const CTaskItem &task)
{
    if (m_window)
        m_window->RefreshItemInView(task);
}

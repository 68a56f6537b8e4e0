// The calendar document as the task editor's store.
#pragma once

#include "editing/task/TaskStore.h"

class CCalendarDocument;
class IMainWindowSink;

class CDocumentTaskStore : public ITaskStore
{
  public:
    // `window` redraws stored items in the active view (none: nothing is redrawn).
    explicit CDocumentTaskStore(CCalendarDocument &document, IMainWindowSink *window = nullptr)
        : m_document(document), m_window(window)
    {
    }
    HRESULT LoadTask(CTaskItem &task) override;
    HRESULT StoreTask(CTaskItem &task) override;
    HRESULT DeleteTask(std::uint32_t recordId) override;
    HRESULT SaveTaskRef(CItemRef &holder) override;
    HRESULT DeleteHeldTask(CItemRef &holder, bool oneOccurrence) override;
    void RefreshItem(const CTaskItem &task) override;

  private:
    CCalendarDocument &m_document;
    IMainWindowSink *m_window;
};

// CDocumentItemPort: the container's and the views' document operations served by the calendar
// document and its open data file.
#pragma once

#include "containers/base/ContainerDocument.h"
#include "core/lists/ItemTypeList.h"
#include "views/base/ViewPorts.h"

class CCalendarDocument;

class CDocumentItemPort : public IContainerDocument, public IViewDocument
{
  public:
    explicit CDocumentItemPort(CCalendarDocument &document) : m_document(document) {}

    CCalendarDocument &GetCalendarDocument() const { return m_document; }

    // ---- IContainerDocument ----
    bool IsReadOnly() const override;
    QString GetDataFilePath() const override;
    HRESULT LoadEvent(CEventItem &event) override;
    HRESULT LoadTask(CTaskItem &task) override;
    HRESULT LoadEventSummary(CEventItem &event) override;
    HRESULT LoadTaskSummary(CTaskItem &task) override;
    HRESULT StoreEvent(CEventItem &event) override;
    HRESULT StoreTask(CTaskItem &task) override;
    HRESULT DeleteEvent(std::uint32_t recordId, bool keepMark) override;
    HRESULT DeleteTask(std::uint32_t recordId, bool keepMark) override;
    HRESULT DeleteOccurrence(std::uint32_t recordId, const CDateTime &occurrence) override;
    HRESULT CompleteTask(CItemRef &holder) override;
    HRESULT EnumEvents(const RecordVisitor &visit) override;
    HRESULT EnumTasks(const RecordVisitor &visit) override;
    // Serves both ports: the views see the list as their item-type catalog.
    const CItemTypeList *GetItemTypes() const override;
    const CCategoryListBase *GetCategories() const override;

    // ---- IViewDocument ----
    HRESULT LoadEvent(std::uint32_t recordId, CItemRef &out) override;
    HRESULT LoadTask(std::uint32_t recordId, CItemRef &out) override;
    HRESULT SaveEventRef(CItemRef &ref) override;
    HRESULT SaveTaskRef(CItemRef &ref) override;
    std::uint32_t GetFormatVersion() const override;
    HRESULT ToggleTaskCompleted(CItemRef &ref) override;
    QString GetCalendarTitle() const override;

  private:
    CCalendarDocument &m_document;
};

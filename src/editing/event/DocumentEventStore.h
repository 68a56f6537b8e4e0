// The calendar document as the event editor's store.
#pragma once

#include "editing/event/EventStore.h"

class CCalendarDocument;

class CDocumentEventStore : public IEventStore
{
  public:
    explicit CDocumentEventStore(CCalendarDocument &document) : m_document(document) {}
    HRESULT LoadEvent(CEventItem &event) override;
    HRESULT StoreEvent(CEventItem &event) override;
    HRESULT DeleteEvent(std::uint32_t recordId, bool keepMark) override;
    HRESULT SaveEventRef(CItemRef &holder) override;
    HRESULT DeleteHeldEvent(CItemRef &holder, bool oneOccurrence) override;
    CCategoryList &GetLocationList() override;
    HRESULT SaveLocationList() override;

  private:
    CCalendarDocument &m_document;
};

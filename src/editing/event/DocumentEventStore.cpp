// The document's store operations for the event editor.
#include "editing/event/DocumentEventStore.h"

#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"

HRESULT CDocumentEventStore::LoadEvent(CEventItem &event)
{
    return m_document.LoadEvent(event);
}

HRESULT CDocumentEventStore::StoreEvent(CEventItem &event)
{
    return m_document.StoreEvent(event, true);
}

HRESULT CDocumentEventStore::DeleteEvent(std::uint32_t recordId, bool keepMark)
{
    return m_document.DeleteEvent(recordId, keepMark, false);
}

HRESULT CDocumentEventStore::SaveEventRef(CItemRef &holder)
{
    return m_document.SaveEventRef(holder);
}

CCategoryList &CDocumentEventStore::GetLocationList()
{
    return m_document.GetLocationList();
}

HRESULT CDocumentEventStore::SaveLocationList()
{
    return m_document.GetLocationList().Save(m_document.GetDataFile());
}

HRESULT CDocumentEventStore::DeleteHeldEvent(CItemRef &holder, bool oneOccurrence)
{
    const CEventItem *event = holder.GetEvent();
    const bool externalRef = event && event->GetReservedValue() != 0;
    return m_document.DeleteEventAndNotify(holder.GetRecordId(), holder.GetOccurrenceDate(), externalRef,
                                           oneOccurrence);
}

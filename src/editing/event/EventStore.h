// IEventStore: what saving an event asks of the calendar document. The editor saves through it
// so that tests can put a failure at any step; CDocumentEventStore is the document's.
#pragma once

#include "core/system/ResultCode.h"

#include <cstdint>

class CCategoryList;
class CEventItem;
class CItemRef;

class IEventStore
{
  public:
    virtual ~IEventStore() = default;
    virtual HRESULT LoadEvent(CEventItem &event) = 0;
    // Stores the event; one without a record id becomes a new record and gets its id.
    virtual HRESULT StoreEvent(CEventItem &event) = 0;
    // With keepMark the record stays, marked deleted.
    virtual HRESULT DeleteEvent(std::uint32_t recordId, bool keepMark) = 0;
    // The holder's item as a whole: a series or single event with its exceptions.
    virtual HRESULT SaveEventRef(CItemRef &holder) = 0;
    // Delete from the editor: the whole event, or with oneOccurrence only the holder's occurrence.
    virtual HRESULT DeleteHeldEvent(CItemRef &holder, bool oneOccurrence) = 0;
    virtual CCategoryList &GetLocationList() = 0;
    virtual HRESULT SaveLocationList() = 0;
};

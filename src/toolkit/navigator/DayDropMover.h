// CDayDropMover: carries out a drop of dragged items on a Date Navigator day: each event (or one
// occurrence of a series) moves to that day keeping its time of day, or is copied there as a new
// single event with the copy effect; a task takes the day as its due date. Everything is written
// through the document.
#pragma once

#include "core/dates/DateTime.h"
#include "core/items/DragItem.h"
#include "core/system/ResultCode.h"

#include <vector>

class CCalendarDocument;

class CDayDropMover
{
  public:
    explicit CDayDropMover(CCalendarDocument &document) : m_document(document) {}

    // Moves (or copies) the items to the day; S_OK when all were handled. Locked items and moved
    // occurrences that would clash with their series are left where they are and counted; the
    // first store that fails ends the run and its code is returned.
    HRESULT Drop(const std::vector<CDragItem> &items, const CDateTime &day, bool copy);
    int GetChangedCount() const { return m_changed; }
    int GetUnchangedCount() const { return m_unchanged; }

  private:
    HRESULT DropEvent(const CDragItem &item, const CDateTime &day, bool copy);
    HRESULT DropTask(const CDragItem &item, const CDateTime &day, bool copy);

    CCalendarDocument &m_document;
    int m_changed = 0;
    int m_unchanged = 0;
};

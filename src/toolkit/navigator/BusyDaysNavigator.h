// CBusyDaysNavigator: the navigator engine with busy days: the days on which events of an item
// type with the busy-day flag fall are drawn bold, or in their item type's colours. The events
// come from the open data file; the document keeps the marks in step as items are stored and
// deleted.
#pragma once

#include "core/lists/ActiveFilter.h"
#include "toolkit/navigator/DateNavigator.h"

#include <cstdint>

class CDataFile;
class CEventItem;
class CItemTypeList;

class CBusyDaysNavigator : public CDateNavigator
{
  public:
    // Reads "Calendar": "SWN", "BD", "UF", "ITC" and "CY", then lays out without the today bar.
    // With rebuild, a change of "BD" or "UF" rebuilds the marks.
    bool LoadSettings(INavigatorHost *host, int controlId, bool rebuild);
    // The open data file (null while none is open) and the item types that tell which items mark
    // days (null: the application document's).
    void SetDataFile(CDataFile *file) { m_file = file; }
    void SetItemTypes(const CItemTypeList *types) { m_types = types; }
    // The program-wide switch that shows hidden items.
    void SetShowHidden(bool on) { m_showHidden = on; }
    // Empties the marks; keeps a copy of a filter that differs from the kept one (true then).
    bool SetFilter(const CActiveFilter &filter);
    const CActiveFilter &GetFilter() const { return m_filter; }
    bool GetBusyDays() const { return m_busyDays; }
    bool GetUseFilter() const { return m_useFilter; }
    bool GetItemTypeColors() const { return m_itemTypeColors; }

    // The quick test on an event's summary before it is loaded in full.
    bool ItemInRange(const CEventItem &event) const;
    // Adds the days of the event's occurrences in the shown months.
    void MarkItem(const CEventItem &event, bool repaint);
    // Drops the event's old marks, then marks it again.
    void UpdateItemDays(const CEventItem &event, bool repaint);
    // Removes an item's marks from every day; true when there were any.
    bool RemoveItemDays(std::uint32_t recordId, bool repaint);

    int ClearBusyDays() override;
    int RebuildBusyDays() override;

  protected:
    void MonthsRefilled() override;
    bool BusyCellLook(const CNavigatorDay &cell, bool highlighted, CellLook &look) const override;

  private:
    const CItemTypeList *ItemTypes() const;

    CDataFile *m_file = nullptr;
    const CItemTypeList *m_types = nullptr;
    bool m_busyDays = true;
    bool m_useFilter = true;
    bool m_showHidden = false;
    CActiveFilter m_filter;
};

// CEventListWnd: the list view in its two modes, the Event List (section "List", the items of
// a date range) and Search Results (section "ListF", the items a search found): which items and
// occurrences enter, the default columns, the caption, the popup menu and keeping the next
// occurrences of recurring entries current.
#pragma once

#include "views/list/ItemListCtrl.h"

class CActiveFilter;
class CEventItem;

class CEventListWnd : public CItemListCtrl
{
  public:
    // The modes are the views' section indices.
    static constexpr int ModeEventList = 39;
    static constexpr int ModeSearch = 40;

    // Popup codes.
    static constexpr int MenuItem = 4;
    static constexpr int MenuList = 6;
    static constexpr int MenuSearch = 8;
    static constexpr int MenuTask = 9;

    explicit CEventListWnd(int mode = ModeEventList);

    int GetMode() const { return m_sectionIndex; }
    bool IsSearch() const { return m_sectionIndex == ModeSearch; }

    // ---- The date range ----
    // "from" is the view's date (SetDate); either bound may be null.
    const CDateTime &GetFromDate() const { return m_viewDate; }
    const CDateTime &GetToDate() const { return m_toDate; }
    void SetToDate(const CDateTime &to) { m_toDate = to; }
    void SetRange(const CDateTime &from, const CDateTime &to);

    // ---- Adding items ----
    // The item's one entry when it falls into the range; true when an entry was added.
    bool AddItemInRange(CItemRef &ref);
    // The entry of one occurrence of an event (kind 1 only), by its key date.
    bool AddEventEntry(CEventItem &event, const CDateTime &keyDate);
    bool AddItem(CItemRef &ref) override;

    // What the list's container lets in. Event List: events only, never deleted ones, those
    // passing the filter (null: every item) and, while past items are excluded, not over.
    // Search Results: items whose texts match the filter's search text as a whole, then
    // every changed occurrence of an event that matches on its own. True when anything was
    // added.
    bool OfferItem(CItemRef &ref, const CActiveFilter *filter);
    void SetIncludePastItems(bool include) { m_includePastItems = include; }
    bool GetIncludePastItems() const { return m_includePastItems; }
    // Whether an event is over by `today`: a single one ended before it, a series with an end
    // date whose last day plus its duration is before it. Series without an end never are.
    static bool IsEventOver(const CEventItem &event, const CDateTime &today);

    // ---- Day change ----
    // Recomputes the next occurrence and reminder of recurring entries, re-sorts and repaints;
    // nothing while the view's date is today.
    void RefreshRecurringEntries();
    void UpdateToday() override { RefreshRecurringEntries(); }

    // ---- Overrides ----
    QString GetCaption() const override;
    bool AcceptsColumn(int id) const override;
    void GetDefaultColumns(bool all, int &sortId, std::vector<int> &ids) const override;
    // The popup code for a point (client coordinates) or the keyboard.
    int GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const override;

  private:
    int MenuForSelection() const;

    CDateTime m_toDate = CDateTime::Null();
    bool m_includePastItems = true;
};

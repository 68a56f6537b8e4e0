// CEventListContainer: the container of the Event List view: one event list in a bordered frame
// listing every event of the data file that passes the container's filter, optionally without
// the events that are over, printed as a table. The Search Results container derives from it.
#pragma once

#include "containers/base/MainViewContainer.h"
#include "containers/lists/TablePrintColumns.h"
#include "core/dates/DateTime.h"

#include <vector>

class CBorderWnd;
class CEventListWnd;
class CItemListWnd;
class CListColumns;

class CEventListContainer : public CMainViewContainer
{
  public:
    static constexpr int kFrameId = 886;
    static constexpr int kListId = 786;
    static constexpr int kCmdIncludePastItems = 34861;
    static constexpr int kTableStyle = 262;
    // "Event List", the info bar's title.
    static QString Title();

    explicit CEventListContainer(QWidget *parent = nullptr);
    ~CEventListContainer() override;

    CEventListWnd &GetList() const { return *m_list; }
    CItemListWnd *GetListWnd() const { return m_listWnd; }
    CBorderWnd *GetFrame() const { return m_frame; }
    bool GetIncludePastItems() const { return m_includePastItems; }

    // ---- Overrides of the container base ----
    CCalendarViewCtrl *GetViewCtrl() const override;
    int GetItemCount() const override;
    // Today's date without time.
    CDateTime GetCurrentDate() const override;
    // The search range: from and to date (both null in the Event List).
    CDateTime GetFirstShownDate() const override { return m_fromDate; }
    CDateTime GetLastShownDate() const override { return m_toDate; }
    // The Table style over today.
    void GetDefaultPrintRange(int &styleId, CDateTime &start, CDateTime &end) const override;
    HRESULT LoadPeriodItems(bool keepStatus, bool dateGiven, const CDateTime &date) override;
    // The list decides by the item itself: every event is read whole and offered to it.
    bool IsItemInShownRange(const CCalendarItem &item) const override;
    bool AddItemToView(CItemRef &holder, int select) override;
    void OnItemUpdated(CItemRef &holder, bool select) override;
    // The kinds of item the list holds: events here, tasks too in the search results.
    virtual bool ListsKind(int kind) const;
    // The list shows the event's next occurrence and reminder: a rescheduled event is read
    // again and its entry made afresh, keeping the selection.
    bool OnItemRescheduled(std::uint32_t recordId, const CDateTime &occurrence, const CDateTime &newStart) override;
    void LoadPaneOptions(bool reload) override;
    QString GetFilterCaption() const override;
    bool OnContainerCommand(int id) override;
    bool OnUpdateContainerCommand(int id, CCmdUI &ui) override;

    // Hidden items are always listed on screen; a print follows the job's own choice.
    bool IsShowingHiddenItemsHere() const;

    // ---- Table print ----
    // The columns a table print of the source view takes (the list's own for the list views,
    // the TaskPad's beside a calendar view).
    std::vector<CTablePrintColumns::Column> GetTablePrintColumns(int sourceKind, const CListColumns *taskPad,
                                                                 bool imageColumns) const;
    // The first row of each printed page of the list: the body height and row height of the
    // page, the number of pages the table is wide, and whether only selected rows print.
    std::vector<int> CountTablePages(int bodyHeight, int rowHeight, int pagesWide, bool selectedOnly) const;

  protected:
    // The Search Results container's constructor: its own kind and list mode.
    CEventListContainer(int kind, QWidget *parent);
    void resizeEvent(QResizeEvent *event) override;
    // Where the frame goes: the whole client area here.
    virtual QRect FrameRect() const;
    // Gives the entries of the record the states they had, and the focus back to the entry
    // that had it; `states` and the focus key were taken before the record's entries went.
    struct KeptState
    {
        std::vector<std::pair<CDateTime, std::uint32_t>> states;
        bool hasFocus = false;
        std::uint32_t focusRecord = 0;
        CDateTime focusOccurrence;
    };
    KeptState KeepState(std::uint32_t recordId) const;
    void RestoreState(const KeptState &kept, std::uint32_t recordId);
    // Removes what the holder names: every entry of the item when it names the stored item
    // itself, else the entry of its occurrence. True when an entry went.
    bool RemoveHeldEntries(const CItemRef &holder);
    // Refreshes the list after a change, focuses the kept entry and tells the container.
    void FinishItemChange(const KeptState &kept, std::uint32_t recordId);
    void ToggleIncludePastItems();

    CDateTime m_fromDate = CDateTime::Null();
    CDateTime m_toDate = CDateTime::Null();
    CBorderWnd *m_frame = nullptr;
    std::unique_ptr<CEventListWnd> m_list;
    CItemListWnd *m_listWnd = nullptr;
    bool m_includePastItems = true; // "IPI"

  private:
    void CreateChildren(int listMode);
};

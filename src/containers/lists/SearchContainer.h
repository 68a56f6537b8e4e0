// CSearchContainer: the container of the Search Results view: the event list with the find bar
// above it. "Find Now" checks the text and the optional date range, keeps the text in the find
// bar's history and lists every event, every changed occurrence and every task whose subject,
// location or notes contain it; "Close" goes back to the view shown before the search.
#pragma once

#include "containers/lists/EventListContainer.h"

#include <functional>

class CFindBar;

class CSearchContainer : public CEventListContainer
{
  public:
    static constexpr int kFindBarId = 59404;
    // The main window's command that returns to the view shown before the search.
    static constexpr int kCmdLeaveSearch = 34784;
    // Room between the find bar and the list frame.
    static constexpr int kBarGap = 6;

    explicit CSearchContainer(QWidget *parent = nullptr);
    ~CSearchContainer() override;

    CFindBar *GetFindBar() const { return m_findBar; }
    // Runs "Find Now" with what the find bar holds; the reload's result (S_OK when the input
    // was refused with a warning).
    HRESULT RunSearch();
    // Focuses the find bar's "Look for" text when the bar shows.
    void FocusFindBar();
    // Where "Close" sends the main window's command that leaves the search.
    void SetMainCommandSink(std::function<void(int command)> sink) { m_mainCommand = std::move(sink); }

    // ---- Overrides ----
    HRESULT StartEmptySearch() override;
    HRESULT LoadPeriodItems(bool keepStatus, bool dateGiven, const CDateTime &date) override;
    bool AddItemToView(CItemRef &holder, int select) override;
    bool ListsKind(int) const override { return true; }
    bool OnContainerCommand(int id) override;
    bool OnUpdateContainerCommand(int id, CCmdUI &ui) override;
    int OnNotify(const CNotifyRecord &record) override;

  protected:
    QRect FrameRect() const override;
    // The bar across the top at its own height, the list frame below it.
    void resizeEvent(QResizeEvent *event) override;

  private:
    // Adds the changed occurrences of the event whose own texts match and that fall into the
    // search range; stops at the first the list refuses. True when one was added.
    bool AddMatchingOccurrences(CEventItem &event);
    bool ListHasFocus() const;

    CFindBar *m_findBar = nullptr;
    std::function<void(int)> m_mainCommand;
};

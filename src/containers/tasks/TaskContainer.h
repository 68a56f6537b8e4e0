// CTaskContainer: the container of the Tasks view: the task list in a bordered frame, its own
// task filter (all, active, overdue or completed tasks) on top of the item filter, and the Table
// print style's paging. Item commands, clipboard and details pane come from the container base.
#pragma once

#include "containers/base/MainViewContainer.h"
#include "containers/lists/TablePaging.h"
#include "containers/tasks/TaskListCtrl.h"

#include <vector>

class CBorderWnd;
class CTaskListWnd;
class CTaskItem;

class CTaskContainer : public CMainViewContainer
{
  public:
    static constexpr int kFrameId = 888;
    static constexpr int kListId = 788;
    static constexpr int kTableStyle = 262;
    // Task filter modes ("FltC").
    static constexpr int ModeAll = 0;
    static constexpr int ModeActive = 1;
    static constexpr int ModeOverdue = 2;
    static constexpr int ModeCompleted = 3;
    // Their commands.
    static constexpr int CmdActive = 34753;
    static constexpr int CmdOverdue = 34755;
    static constexpr int CmdCompleted = 34756;
    static constexpr int CmdAll = 34757;
    // The status a postponed task has.
    static constexpr int StatusPostponed = 4;

    explicit CTaskContainer(QWidget *parent = nullptr);
    ~CTaskContainer() override;

    CTaskListCtrl &List() { return m_list; }
    CTaskListWnd *ListWindow() const { return m_listWnd; }

    // Whether the task filter mode shows the task on `today`; deleted records never pass.
    static bool PassesTaskMode(const CTaskItem &task, int mode, const CDateTime &today);
    // The mode that runs for a command, -1 for other commands.
    static int ModeOfCommand(int id);

    // ---- The container's virtuals ----
    int GetTaskFilterKind() const override { return m_mode; }
    void SetTaskFilterKind(int mode) override { m_mode = mode; }
    CDateTime GetCurrentDate() const override;
    void GetDefaultPrintRange(int &styleId, CDateTime &start, CDateTime &end) const override;
    HRESULT LoadPeriodItems(bool keepStatus, bool dateGiven, const CDateTime &date) override;
    bool IsItemInShownRange(const CCalendarItem &item) const override;
    void OnItemUpdated(CItemRef &holder, bool select) override;
    bool OnItemRescheduled(std::uint32_t, const CDateTime &, const CDateTime &) override { return false; }
    CCalendarViewCtrl *GetViewCtrl() const override;
    int GetItemCount() const override { return m_list.GetEntryCount(); }
    bool OnContainerCommand(int id) override;
    bool OnUpdateContainerCommand(int id, CCmdUI &ui) override;

    // ---- Table printing ----
    // The first row of every printed page of the list for a page body of that size, the title
    // already taken off: rows in bands of whole pages, the columns of the screen list (icon
    // columns only with `withImages`). `selectedOnly` prints only the selected rows.
    std::vector<int> CountTablePages(int bodyWidth, int bodyHeight, int rowHeight, bool withImages,
                                     bool selectedOnly) const;

  protected:
    void resizeEvent(QResizeEvent *event) override;

  private:
    void RunModeCommand(int mode);

    CTaskListCtrl m_list;
    CBorderWnd *m_frame = nullptr;
    CTaskListWnd *m_listWnd = nullptr;
    int m_mode = ModeAll;
};

// CTaskPadCtrl: the task list under the Date Navigator. It shows the tasks that fit the period of
// the current container under one of the TaskPad views, follows that container, keeps its rows
// in step as tasks change, marks the tasks that fell due at the day change, and turns what is
// dropped on it into new tasks. CTaskPad carries it in its window with its commands.
#pragma once

#include "containers/tasks/TaskListCtrl.h"
#include "containers/tasks/TaskPadFilter.h"

class CDragState;
class CTaskItem;
class ICommandTarget;

class CTaskPadCtrl : public CTaskListCtrl
{
  public:
    static constexpr int kControlId = 790;
    // The result bit of MarkItemRows and AddOrRemoveRow: the rows changed.
    static constexpr int RowsChanged = 16;

    CTaskPadCtrl();

    // The container whose period and filter it follows; null shows nothing.
    void SetOwner(CViewContainer *owner);
    CViewContainer *GetOwner() const { return m_owner; }
    // Where the pad's own commands go (Open after a double click).
    void SetCommandTarget(ICommandTarget *target) { m_commands = target; }

    CTaskPadFilter &Filter() { return m_filter; }
    const CTaskPadFilter &Filter() const { return m_filter; }
    bool IsUsingFilter() const { return m_useFilter; }
    // "FltT", "FlND", "FlCD", "FlSD" of the "TaskPad" section.
    void LoadSettings();
    // The list's options, then "UF".
    void LoadOptions();

    // ---- Rows ----
    // Clears the rows and adds every task of the data file that passes; writes the view and
    // the include options.
    void ReloadRows();
    bool IsTaskShown(const CTaskItem &task) const;
    // Adds the task's row when it passes the view and, with "UF" on, the container's filter;
    // a task that has a row already is not added twice. True when added.
    bool AddTaskIfShown(const CTaskItem &task, bool repaint);
    // Replaces the task's row, keeping its selection; true when the rows changed.
    bool UpdateTask(const CTaskItem &task, bool repaint);
    // Sets the removed state (0x08) on the task's rows; RowsChanged when one was found.
    int MarkItemRows(std::uint32_t recordId);
    // Adds or removes the task's row; RowsChanged when the rows changed, and with `refresh` the
    // pad is then reloaded and the container told.
    int AddOrRemoveRow(const CTaskItem &task, bool add, bool refresh);
    // The record id of the focused row (0 none), and focusing it again after a change.
    std::uint32_t FocusedRecord() const;
    void FocusRecord(std::uint32_t recordId);
    // Makes a new task of every dragged entry (an event becomes a task, a task is copied);
    // refused on a read-only data file. S_OK or the first error, reported.
    HRESULT PasteDraggedItems(const CDragState &drag);

    // ---- The list view's virtuals ----
    void OnDayChange() override;
    bool FrameFocusedOnly() const override { return true; }
    void GetDefaultColumns(bool all, int &sortId, std::vector<int> &ids) const override;
    void RequestOpenItem() override;
    void NotifyContainer(int code) override;
    bool PreviewKey(int key, int modifiers) override;
    int OnDragOver(const QMimeData *data, int keyState, const QPoint &point) override;
    int OnDropEx(const QMimeData *data, int effect, const QPoint &point) override;

  protected:
    int MapMenu(int menu) const override;

  private:
    CTaskPadFilter m_filter;
    bool m_useFilter = false; // "UF"
    CViewContainer *m_owner = nullptr;
    ICommandTarget *m_commands = nullptr;
};

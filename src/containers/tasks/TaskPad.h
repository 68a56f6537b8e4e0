// CTaskPad: the TaskPad pane's list under the Date Navigator: the TaskPad list in its window,
// what the containers ask of it (ITaskPadPort), what the main base window asks (IMainBaseTaskPad)
// and the task commands of its menus and keys.
#pragma once

#include "containers/base/ContainerPorts.h"
#include "containers/mainbase/MainBaseTaskPad.h"
#include "containers/tasks/TaskPadCtrl.h"
#include "toolkit/commands/CommandTarget.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

class CTaskListWnd;

class CTaskPad : public ITaskPadPort, public IMainBaseTaskPad, public ICommandTarget
{
  public:
    // Commands of the TaskPad's own menus.
    static constexpr int CmdPrint = 32810;
    static constexpr int CmdSelectAll = 57642;
    static constexpr int CmdCustomize = 34750;
    static constexpr int CmdToday = 34760;
    static constexpr int CmdSelectedDays = 34753;
    static constexpr int CmdCompletedOnDays = 34756;
    static constexpr int CmdOverdue = 34755;
    static constexpr int CmdAll = 34757;
    static constexpr int CmdIncludeNoDue = 34787;
    static constexpr int CmdIncludeCompleted = 34786;

    explicit CTaskPad(QWidget *parent = nullptr);
    ~CTaskPad() override;
    CTaskPad(const CTaskPad &) = delete;
    CTaskPad &operator=(const CTaskPad &) = delete;

    CTaskPadCtrl &Ctrl() { return m_ctrl; }
    const CTaskPadCtrl &Ctrl() const { return m_ctrl; }
    CTaskListWnd *Window() const { return m_window; }
    // The container it works for, as a container (null: none).
    void SetContainer(CViewContainer *container);
    CViewContainer *GetContainer() const { return m_ctrl.GetOwner(); }
    // Whether the item-type commands are for it (ids 33223 to 33322).
    static bool IsItemTypeCommand(int id) { return id >= 33223 && id <= 33322; }

    // ---- ITaskPadPort ----
    bool IsShown() const override;
    QWidget *GetWidget() const override;
    CCalendarViewCtrl *GetListView() const override;
    ICommandTarget *GetCommandTarget() const override;
    int GetEntryCount() const override { return m_ctrl.GetEntryCount(); }
    const CDisplayItem *GetFocusedEntry() const override;
    bool WantsTask(const CTaskItem &task) const override { return m_ctrl.IsTaskShown(task); }
    bool AddTask(const CTaskItem &task) override { return m_ctrl.AddTaskIfShown(task, false); }
    bool UpdateTask(const CTaskItem &task) override { return m_ctrl.UpdateTask(task, true); }
    bool MarkRemoved(std::uint32_t recordId) override { return m_ctrl.MarkItemRows(recordId) != 0; }
    bool RemoveTask(std::uint32_t recordId) override;
    bool RemoveMarked() override;
    bool IsFiltering() const override { return m_ctrl.IsUsingFilter(); }
    void Refresh(bool notifyFocus) override;
    void Reload() override { m_ctrl.ReloadRows(); }
    void ReloadOptions() override;
    void TakeFocus() override;

    // ---- IMainBaseTaskPad ----
    QWidget *Widget() override { return GetWidget(); }
    void SetOwner(IMainBaseContainer *owner) override;
    void RefreshRows() override;

    // ---- ICommandTarget ----
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CCmdUI &ui) override;

    // Delete with the TaskPad's own question, then the container deletes.
    void DeleteSelected();

  private:
    // Copies of the selected rows (the container changes the rows while it works on them).
    std::vector<std::unique_ptr<CDisplayItem>> SelectedCopies() const;
    static std::vector<CDisplayItem *> Pointers(const std::vector<std::unique_ptr<CDisplayItem>> &copies);
    void SetView(int view);
    void ToggleInclude(bool noDue);
    // The container loads its period again (and with it the pad).
    void ReloadContainer();
    bool CopySelection() const;
    void Paste();
    void Customize();
    bool IsWritable() const;

    CTaskPadCtrl m_ctrl;
    QPointer<CTaskListWnd> m_window;
    QMetaObject::Connection m_ownerWatch;
};

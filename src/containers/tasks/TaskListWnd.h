// CTaskListWnd: the window of the task list and of the TaskPad: the list view's window with the
// task menus of the header and of the empty rows, whose commands go to the list's own commands,
// then to the window's command target (the TaskPad, or the container).
#pragma once

#include "views/list/ItemListWnd.h"

class ICommandTarget;

class CTaskListWnd : public CItemListWnd
{
  public:
    explicit CTaskListWnd(CItemListCtrl &list, QWidget *parent = nullptr);

    // Null sends the commands to the list's container.
    void SetCommandTarget(ICommandTarget *target) { m_target = target; }
    ICommandTarget *GetCommandTarget() const;

    void ShowContextMenu(int popupIndex, const QPoint &screenPoint) override;
    // Runs one command of the task menus: the list's column commands first, then the target.
    bool RunMenuCommand(int commandId);

  private:
    CItemListCtrl &m_list;
    ICommandTarget *m_target = nullptr;
};

#include "containers/tasks/TaskListWnd.h"

#include "containers/tasks/TaskListMenus.h"
#include "toolkit/commands/CommandTarget.h"

#include <QAction>
#include <QMenu>

CTaskListWnd::CTaskListWnd(CItemListCtrl &list, QWidget *parent) : CItemListWnd(list, parent), m_list(list) {}

ICommandTarget *CTaskListWnd::GetCommandTarget() const
{
    if (m_target)
        return m_target;
    return dynamic_cast<ICommandTarget *>(m_list.GetContainer());
}

bool CTaskListWnd::RunMenuCommand(int commandId)
{
    if (m_list.OnCommand(commandId)) {
        update();
        return true;
    }
    ICommandTarget *target = GetCommandTarget();
    return target && target->OnCommand(commandId);
}

void CTaskListWnd::ShowContextMenu(int popupIndex, const QPoint &screenPoint)
{
    const auto entries = CTaskListMenus::Entries(popupIndex);
    if (entries.empty()) {
        CItemListWnd::ShowContextMenu(popupIndex, screenPoint);
        return;
    }
    QMenu menu(this);
    ICommandTarget *target = GetCommandTarget();
    for (const CTaskListMenus::Entry &entry : entries) {
        if (entry.commandId == 0) {
            menu.addSeparator();
            continue;
        }
        QAction *action = menu.addAction(QString::fromLatin1(entry.text));
        action->setData(entry.commandId);
        CCmdUI ui;
        const bool listCommand = entry.commandId == 32917 || entry.commandId == 32918 ||
                                 entry.commandId == 34748 || entry.commandId == 34779;
        if (listCommand) {
            ui.checked = m_list.IsCommandChecked(entry.commandId);
        } else if (!target || !target->OnUpdateCommand(entry.commandId, ui)) {
            ui.enabled = false;
        }
        action->setEnabled(ui.enabled);
        if (ui.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
    }
    const QAction *chosen = ExecMenu(menu, screenPoint);
    if (chosen && chosen->data().isValid())
        RunMenuCommand(chosen->data().toInt());
}

// The plain walk along a command route, shared by menus, toolbars and accelerators.
#include "toolkit/commands/CommandTarget.h"

bool RouteCommand(const QList<ICommandTarget*>& targets, int id)
{
    for (ICommandTarget* target : targets) {
        if (target && target->OnCommand(id))
            return true;
    }
    return false;
}

CCmdUI RouteUpdate(const QList<ICommandTarget*>& targets, int id)
{
    for (ICommandTarget* target : targets) {
        CCmdUI ui;
        if (target && target->OnUpdateCommand(id, ui))
            return ui;
    }
    CCmdUI none;
    none.enabled = false;
    return none;
}

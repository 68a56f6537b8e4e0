// CTaskListMenus: the popup menus of the task list and the TaskPad that are not the views' item
// menus: the header menus and the menus shown over no task.
#pragma once

#include <span>

class CTaskListMenus
{
  public:
    struct Entry
    {
        int commandId = 0; // 0: a separator
        const char *text = "";
    };
    // The entries of the sub-menu; empty for a sub-menu the views build themselves.
    static std::span<const Entry> Entries(int menu);
};

#include "containers/tasks/TaskListMenus.h"

#include "containers/tasks/TaskListRules.h"

namespace {
using E = CTaskListMenus::Entry;
constexpr E kSeparator{0, ""};

constexpr E kListHeader[] = {
    {32917, "Sort &Ascending"},     {32918, "Sort &Descending"},  kSeparator,
    {34748, "&Remove This Column"}, {34779, "&Field Chooser..."}, kSeparator,
    {32808, "Customize &View..."},
};
constexpr E kTaskViewNoSelection[] = {
    {34747, "&New Task"},
    {57637, "&Paste"},
    kSeparator,
    {34757, "&All Tasks"},
    {34753, "Acti&ve Tasks"},
    {34755, "&Overdue Tasks"},
    {34756, "&Completed Tasks"},
    kSeparator,
    {32808, "Customize &View..."},
};
constexpr E kTaskPadNoSelection[] = {
    {34747, "&New Task"},
    {57637, "&Paste"},
    kSeparator,
    {34760, "&Today's Tasks"},
    {34753, "Tasks for &Selected Days Only"},
    {34756, "Tasks &Completed on Selected Days"},
    {34755, "&Overdue Tasks"},
    {34757, "&All Tasks"},
    kSeparator,
    {34787, "Include Tasks With No &Due Date"},
    {34786, "Include Co&mpleted Tasks"},
    kSeparator,
    {34750, "Customi&ze TaskPad..."},
};
constexpr E kTaskPadHeader[] = {
    {32917, "Sort &Ascending"},       {32918, "Sort &Descending"},  kSeparator,
    {34748, "&Remove This Column"},   {34779, "&Field Chooser..."}, kSeparator,
    {34750, "Customi&ze TaskPad..."},
};
} // namespace

std::span<const CTaskListMenus::Entry> CTaskListMenus::Entries(int menu)
{
    switch (menu) {
    case CTaskListRules::MenuListHeader:
        return kListHeader;
    case CTaskListRules::MenuNoSelection:
        return kTaskViewNoSelection;
    case CTaskListRules::MenuTaskPadNoSelection:
        return kTaskPadNoSelection;
    case CTaskListRules::MenuTaskPadHeader:
        return kTaskPadHeader;
    default:
        return {};
    }
}

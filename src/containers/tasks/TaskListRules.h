// CTaskListRules: what the task list decides without a window: its column sets, the popup menu
// for a right click or the context key, the day-change pass that marks overdue rows and the
// split of pasted text into a new task's subject and notes.
#pragma once

#include <QString>
#include <memory>
#include <vector>

class CDisplayItem;
class CDateTime;

class CTaskListRules
{
  public:
    // Sub-menus of the views' popup menu.
    static constexpr int MenuNone = -1;
    static constexpr int MenuListHeader = 7;          // "listviewheader"
    static constexpr int MenuTaskSelected = 9;        // "task_selected"
    static constexpr int MenuNoSelection = 11;        // "taskviewnosel"
    static constexpr int MenuTaskPadNoSelection = 19; // "taskpadnosel"
    static constexpr int MenuTaskPadHeader = 20;      // "taskpadheader"
    // Rows are sorted by "Due Date" unless the settings say otherwise.
    static constexpr int DefaultSortColumn = 35;
    // The "Complete" check-box column.
    static constexpr int CompleteColumn = 33;

    // The caption of the task list and the Tasks view's title (string 58078).
    static QString Caption() { return QStringLiteral("Tasks"); }
    // The full or the short column set of the task list, in display order.
    static const std::vector<int> &Columns(bool full);
    // The TaskPad's short set (its full set is the task list's).
    static const std::vector<int> &TaskPadColumns(bool full);

    // Where a context menu was asked for.
    enum class MenuPlace
    {
        Keyboard, // the context key or Shift+F10
        Header,
        Rows
    };
    // The sub-menu for the place: from the keyboard by whether a row is focused, over the rows by
    // the list view's hit code (an entry, nothing, or a part that shows no menu).
    static int ChooseContextMenu(MenuPlace place, bool rowFocused, int hitCode);
    // The TaskPad's own sub-menus replace the header and the no-selection menus.
    static int TaskPadMenu(int taskListMenu);

    // Marks each open task row with a due date before today as overdue; completed rows and rows
    // without a due date are never marked. True when a row changed.
    static bool MarkOverdueRows(const std::vector<std::unique_ptr<CDisplayItem>> &rows,
                                const CDateTime &today);

    // Pasted text: one line is the subject; with a line feed the first line is the subject and
    // the rest the notes. Trailing NULs and the line's carriage return are dropped.
    static void SplitPastedText(const QString &text, QString &subject, QString &notes);
};

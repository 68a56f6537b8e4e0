#include "containers/tasks/TaskListRules.h"

#include "core/dates/DateTime.h"
#include "core/items/DisplayItem.h"
#include "views/base/CalendarViewCtrl.h"

const std::vector<int> &CTaskListRules::Columns(bool full)
{
    static const std::vector<int> shortSet = {0, 32, 2, 3, 33, 4, 34, 35, 5, 37, 38, 6, 7};
    static const std::vector<int> fullSet = {0, 1, 32, 2, 10, 3, 33, 4, 34, 35, 36, 5, 37, 38, 6, 7, 8, 9};
    return full ? fullSet : shortSet;
}

const std::vector<int> &CTaskListRules::TaskPadColumns(bool full)
{
    static const std::vector<int> shortSet = {0, 32, 33, 4, 35};
    return full ? Columns(true) : shortSet;
}

int CTaskListRules::ChooseContextMenu(MenuPlace place, bool rowFocused, int hitCode)
{
    switch (place) {
    case MenuPlace::Keyboard:
        return rowFocused ? MenuTaskSelected : MenuNoSelection;
    case MenuPlace::Header:
        return MenuListHeader;
    case MenuPlace::Rows:
        break;
    }
    switch (hitCode) {
    case HitEntryBody:
    case HitEntryMove:
    case HitEntryStart:
    case HitEntryEnd:
        return MenuTaskSelected;
    case HitNothing:
    case HitCell:
    case HitCellArea:
        return MenuNoSelection;
    default:
        // The scroll bars and the header edge show no menu.
        return MenuNone;
    }
}

int CTaskListRules::TaskPadMenu(int taskListMenu)
{
    if (taskListMenu == MenuListHeader)
        return MenuTaskPadHeader;
    if (taskListMenu == MenuNoSelection)
        return MenuTaskPadNoSelection;
    return taskListMenu;
}

bool CTaskListRules::MarkOverdueRows(const std::vector<std::unique_ptr<CDisplayItem>> &rows,
                                     const CDateTime &today)
{
    bool changed = false;
    for (const auto &row : rows) {
        if (row->GetKind() != CDisplayItem::KindTask || row->HasFlag(CDisplayItem::FlagCompleted) ||
            !row->HasFlag(CDisplayItem::FlagHasDue) || row->HasFlag(CDisplayItem::FlagOverdue))
            continue;
        // A task's row carries its due date as the occurrence date.
        if (row->GetOccurrenceDate().DatePart() < today) {
            row->SetFlag(CDisplayItem::FlagOverdue, true);
            changed = true;
        }
    }
    return changed;
}

void CTaskListRules::SplitPastedText(const QString &text, QString &subject, QString &notes)
{
    QString body = text;
    // Clipboard text from other programs often ends in a NUL.
    while (body.endsWith(QChar(0)))
        body.chop(1);
    const qsizetype feed = body.indexOf(QLatin1Char('\n'));
    if (feed < 0) {
        subject = body;
        notes.clear();
        return;
    }
    subject = body.left(feed);
    if (subject.endsWith(QLatin1Char('\r')))
        subject.chop(1);
    notes = body.mid(feed + 1);
}

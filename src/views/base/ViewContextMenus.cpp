// The context menus of the calendar views.
#include "views/base/ViewContextMenus.h"

#include "core/lists/ItemTypeCatalog.h"
#include "core/system/StringTable.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/base/CustomWnd.h"

#include <QAction>
#include <QMenu>
#include <QMimeData>

#include <array>
#include <cstddef>

namespace {
using E = MenuEnable;

// Texts of the menu entries.
enum MenuText
{
    TextNewEvent = 20701,
    TextNewRecurringEvent = 20702,
    TextNewTask = 20703,
    TextPaste = 20704,
    TextZoomDay = 20705,
    TextGoToToday = 20706,
    TextGoToDate = 20707,
    TextOpen = 20708,
    TextPrint = 20709,
    TextCut = 20710,
    TextCopy = 20711,
    TextDelete = 20712,
    TextConvertToTask = 20713,
    TextConvertToEvent = 20714,
    TextLock = 20715,
    TextUnlock = 20716,
    TextProperties = 20717,
    TextMarkComplete = 20718,
    TextUndefinedType = 59311,
};

constexpr ContextMenuEntry kSeparator{0, 0, E::Always};
constexpr ContextMenuEntry kTypes{kCmdSetItemType, TextUndefinedType, E::EntrySelectedWritable};

// A menu's entries with the item types and a separator before them.
template <std::size_t N>
constexpr std::array<ContextMenuEntry, N + 2> WithTypesFirst(const ContextMenuEntry (&plain)[N])
{
    std::array<ContextMenuEntry, N + 2> menu{kTypes, kSeparator};
    for (std::size_t i = 0; i < N; ++i)
        menu[i + 2] = plain[i];
    return menu;
}

constexpr ContextMenuEntry kCellsMenu[] = {
    {kCmdNewItem, TextNewEvent, E::Writable},
    {kCmdNewRecurringEvent, TextNewRecurringEvent, E::Writable},
    {kCmdNewTaskForDays, TextNewTask, E::Writable},
    kSeparator,
    {kCmdPaste, TextPaste, E::CanPaste},
    kSeparator,
    {kCmdZoomDay, TextZoomDay, E::ZoomDay},
    {kCmdGoToToday, TextGoToToday, E::Dated},
    {kCmdGoToDate, TextGoToDate, E::Dated},
};

constexpr ContextMenuEntry kEventMenu[] = {
    {kCmdOpenItem, TextOpen, E::SingleOccurrence},
    {kCmdPrintItems, TextPrint, E::EntrySelected},
    kSeparator,
    {kCmdCut, TextCut, E::EntrySelectedWritable},
    {kCmdCopy, TextCopy, E::EntrySelected},
    {kCmdPaste, TextPaste, E::CanPaste},
    kSeparator,
    {kCmdDeleteItems, TextDelete, E::EntrySelectedWritable},
    kSeparator,
    {kCmdConvertToTask, TextConvertToTask, E::EntrySelectedWritable},
    {kCmdLockItems, TextLock, E::EntrySelectedWritable},
    {kCmdUnlockItems, TextUnlock, E::EntrySelectedWritable},
    kSeparator,
    {kCmdItemProperties, TextProperties, E::SingleOccurrence},
};
constexpr ContextMenuEntry kTaskMenu[] = {
    {kCmdOpenItem, TextOpen, E::SingleOccurrence},
    {kCmdPrintItems, TextPrint, E::EntrySelected},
    kSeparator,
    {kCmdCompleteTasks, TextMarkComplete, E::EntrySelectedWritable},
    kSeparator,
    {kCmdCut, TextCut, E::EntrySelectedWritable},
    {kCmdCopy, TextCopy, E::EntrySelected},
    {kCmdPaste, TextPaste, E::CanPaste},
    kSeparator,
    {kCmdDeleteItems, TextDelete, E::EntrySelectedWritable},
    kSeparator,
    {kCmdConvertToEvent, TextConvertToEvent, E::EntrySelectedWritable},
    {kCmdLockItems, TextLock, E::EntrySelectedWritable},
    {kCmdUnlockItems, TextUnlock, E::EntrySelectedWritable},
    kSeparator,
    {kCmdItemProperties, TextProperties, E::SingleOccurrence},
};
constexpr auto kEventTypesMenu = WithTypesFirst(kEventMenu);
constexpr auto kTaskTypesMenu = WithTypesFirst(kTaskMenu);
} // namespace

std::span<const ContextMenuEntry> ContextMenuEntries(int menuKind)
{
    switch (menuKind) {
    case MenuCells:
    case MenuMonthCells:
        return kCellsMenu;
    case MenuEvent:
        return kEventMenu;
    case MenuEventWithTypes:
        return kEventTypesMenu;
    case MenuTask:
        return kTaskMenu;
    case MenuTaskWithTypes:
        return kTaskTypesMenu;
    default:
        return {};
    }
}

bool IsMenuEntryEnabled(MenuEnable rule, const MenuState &s)
{
    const bool listView = s.viewKind >= 6 && s.viewKind <= 8;
    switch (rule) {
    case E::Always:
        return true;
    case E::Writable:
        return !s.readOnly;
    case E::EntrySelected:
        return s.selectedEntries > 0;
    case E::EntrySelectedWritable:
        return s.selectedEntries > 0 && !s.readOnly;
    case E::SingleOccurrence:
        return s.singleOccurrence;
    case E::CanPaste:
        return !s.readOnly && s.clipboardHasItems;
    case E::ZoomDay:
        return s.viewKind == 1 || s.viewKind == 2 ||
               (s.viewKind >= 3 && s.viewKind <= 5 && s.selectedCells == 1);
    case E::Dated:
        return !listView;
    }
    return false;
}

MenuState MenuStateOf(const CCalendarViewCtrl &view, const QMimeData *clipboard)
{
    MenuState s;
    s.readOnly = view.IsReadOnly();
    s.selectedEntries = view.GetSelectedCount();
    s.singleOccurrence = view.IsSingleOccurrenceSelected();
    s.clipboardHasItems = clipboard && (clipboard->hasFormat(TransferFormatMimeType()) ||
                                        clipboard->hasFormat(QString::fromLatin1(kTextMimeType)));
    s.selectedCells = view.GetSelectedCellCount();
    s.viewKind = view.GetViewKind();
    return s;
}

void BuildContextMenu(QMenu &menu, int menuKind, const MenuState &state, const IItemTypeCatalog *types)
{
    for (const ContextMenuEntry &entry : ContextMenuEntries(menuKind)) {
        if (entry.commandId == 0) {
            menu.addSeparator();
            continue;
        }
        const bool enabled = IsMenuEntryEnabled(entry.enable, state);
        if (entry.commandId == kCmdSetItemType) {
            const int count =
                types ? std::min(types->GetTypeCount(), kCmdSetItemTypeLast - kCmdSetItemType + 1) : 0;
            ItemTypeInfo info;
            for (int i = 0; i < count; ++i) {
                if (!types->GetTypeInfo(i, info))
                    continue;
                QAction *action = menu.addAction(info.name);
                action->setData(kCmdSetItemType + i);
                action->setEnabled(enabled);
            }
            if (count == 0) {
                QAction *action = menu.addAction(LoadResString(entry.textId));
                action->setData(kCmdSetItemType);
                action->setEnabled(false);
            }
            continue;
        }
        QAction *action = menu.addAction(LoadResString(entry.textId));
        action->setData(entry.commandId);
        action->setEnabled(enabled);
    }
}

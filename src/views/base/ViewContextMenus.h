// The context menus of the calendar views: for each menu kind a view asks for, its commands,
// their texts and when each is enabled. The window shows them; the chosen command goes to the
// view's container.
#pragma once

#include <QString>
#include <span>

class CCalendarViewCtrl;
class IItemTypeCatalog;
class QMenu;
class QMimeData;

// Commands of the views' context menus besides those of ViewPorts.h.
inline constexpr int kCmdGoToToday = 32805;
inline constexpr int kCmdGoToDate = 32806;
inline constexpr int kCmdPrintItems = 32810;
inline constexpr int kCmdDeleteItems = 32811;
inline constexpr int kCmdItemProperties = 32817;
inline constexpr int kCmdNewRecurringEvent = 33123;
inline constexpr int kCmdSetItemType = 33223; // + item type index, up to 33322
inline constexpr int kCmdSetItemTypeLast = 33322;
inline constexpr int kCmdCompleteTasks = 34751;
inline constexpr int kCmdConvertToTask = 34777;
inline constexpr int kCmdLockItems = 34847;
inline constexpr int kCmdUnlockItems = 34848;
inline constexpr int kCmdNewTaskForDays = 34854;
inline constexpr int kCmdConvertToEvent = 34858;
inline constexpr int kCmdCopy = 57634;
inline constexpr int kCmdCut = 57635;
inline constexpr int kCmdPaste = 57637;

// The menu kinds GetContextMenuIndex and the item-type menu setting choose from.
enum ViewMenuKind
{
    MenuCells = 3,          // no entry under the point
    MenuEvent = 4,          // an event (or a mixed selection) selected
    MenuEventWithTypes = 5, // the same with the item types first
    MenuTask = 9,           // the first selected entry is a task
    MenuTaskWithTypes = 10,
    MenuMonthCells = 14, // the month view's empty cells: the cells menu
};

// When an entry of a menu is enabled.
enum class MenuEnable
{
    Always,
    Writable,              // the data file can be changed
    EntrySelected,         // at least one entry is selected
    EntrySelectedWritable, // ... and the data file can be changed
    SingleOccurrence,      // the selection is one occurrence
    CanPaste,              // writable and the clipboard holds text or items
    ZoomDay,               // day and banner views always, week to year views with one day cell
    Dated,                 // a view of dates (not a list)
};

struct ContextMenuEntry
{
    int commandId = 0; // 0: a separator; kCmdSetItemType: the item types go here
    int textId = 0;    // string table id of the text
    MenuEnable enable = MenuEnable::Always;
};

// What the enable rules look at.
struct MenuState
{
    bool readOnly = true;
    int selectedEntries = 0;
    bool singleOccurrence = false;
    bool clipboardHasItems = false; // text or the private item format
    int selectedCells = 0;
    int viewKind = 0;
};

// The entries of a menu kind; empty for a kind no view shows.
std::span<const ContextMenuEntry> ContextMenuEntries(int menuKind);
bool IsMenuEntryEnabled(MenuEnable rule, const MenuState &state);
// The state of a view, with the data the clipboard offers (null: none).
MenuState MenuStateOf(const CCalendarViewCtrl &view, const QMimeData *clipboard);
// Fills the menu with the kind's entries: each action carries its command id as data, the item
// types (from the catalog, may be null) are listed where the kind has them, and a type list
// with no types shows one disabled "< undefined >" entry.
void BuildContextMenu(QMenu &menu, int menuKind, const MenuState &state, const IItemTypeCatalog *types);

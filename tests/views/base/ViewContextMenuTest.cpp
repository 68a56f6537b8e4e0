// Context menus of the views: the commands of each menu kind, their enable rules, the item-type
// list, and the window handing the chosen command to the container.
#include "views/base/EntryHitView.h"
#include "views/support/ViewFakes.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/system/StringTable.h"
#include "views/base/CalendarViewWnd.h"
#include "views/base/ViewContextMenus.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <gtest/gtest.h>

namespace {
std::vector<int> Commands(int kind)
{
    std::vector<int> ids;
    for (const ContextMenuEntry &e : ContextMenuEntries(kind))
        ids.push_back(e.commandId);
    return ids;
}

std::vector<int> ActionCommands(const QMenu &menu)
{
    std::vector<int> ids;
    for (const QAction *a : menu.actions())
        ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
    return ids;
}

class Types : public IItemTypeCatalog
{
  public:
    int GetTypeCount() const override { return 2; }
    bool GetTypeInfo(int index, ItemTypeInfo &out) const override
    {
        out.name = index == 0 ? QStringLiteral("Birthday") : QStringLiteral("Meeting");
        return true;
    }
    int FindType(const QString &) const override { return -1; }
    int FindTypeByPrefix(const QString &) const override { return -1; }
};

// Chooses the action with the command the test asks for, instead of running a menu.
class ChoosingWnd : public CCalendarViewWnd
{
  public:
    using CCalendarViewWnd::CCalendarViewWnd;
    int choose = 0;
    std::vector<int> offered;
    std::vector<bool> enabled;

  protected:
    QAction *ExecMenu(QMenu &menu, const QPoint &) override
    {
        QAction *chosen = nullptr;
        for (QAction *a : menu.actions()) {
            if (a->isSeparator())
                continue;
            offered.push_back(a->data().toInt());
            enabled.push_back(a->isEnabled());
            if (a->data().toInt() == choose && a->isEnabled())
                chosen = a;
        }
        return chosen;
    }
};
} // namespace

TEST(ViewContextMenuTest, EachKindHasItsCommands)
{
    EXPECT_EQ(Commands(MenuCells),
              (std::vector<int>{kCmdNewItem, kCmdNewRecurringEvent, kCmdNewTaskForDays, 0, kCmdPaste, 0,
                                kCmdZoomDay, kCmdGoToToday, kCmdGoToDate}));
    const std::vector<int> event{kCmdOpenItem,
                                 kCmdPrintItems,
                                 0,
                                 kCmdCut,
                                 kCmdCopy,
                                 kCmdPaste,
                                 0,
                                 kCmdDeleteItems,
                                 0,
                                 kCmdConvertToTask,
                                 kCmdLockItems,
                                 kCmdUnlockItems,
                                 0,
                                 kCmdItemProperties};
    EXPECT_EQ(Commands(MenuEvent), event);
    std::vector<int> withTypes{kCmdSetItemType, 0};
    withTypes.insert(withTypes.end(), event.begin(), event.end());
    EXPECT_EQ(Commands(MenuEventWithTypes), withTypes);
    const std::vector<int> task = Commands(MenuTask);
    EXPECT_NE(std::find(task.begin(), task.end(), kCmdCompleteTasks), task.end());
    EXPECT_NE(std::find(task.begin(), task.end(), kCmdConvertToEvent), task.end());
    EXPECT_EQ(std::find(task.begin(), task.end(), kCmdConvertToTask), task.end());
    EXPECT_EQ(Commands(MenuTaskWithTypes).front(), kCmdSetItemType);
    EXPECT_TRUE(ContextMenuEntries(17).empty());
    // Every text is in the string table.
    for (int kind : {3, 4, 5, 9, 10}) {
        for (const ContextMenuEntry &e : ContextMenuEntries(kind)) {
            QString text;
            if (e.commandId != 0) {
                EXPECT_TRUE(FindResString(e.textId, text)) << e.commandId;
            }
        }
    }
}

TEST(ViewContextMenuTest, EnableRules)
{
    MenuState writable;
    writable.readOnly = false;
    MenuState selected = writable;
    selected.selectedEntries = 2;
    MenuState single = selected;
    single.singleOccurrence = true;
    MenuState readOnly = single;
    readOnly.readOnly = true;
    MenuState clip = writable;
    clip.clipboardHasItems = true;
    struct Case
    {
        MenuEnable rule;
        MenuState state;
        bool enabled;
    };
    const Case cases[] = {
        {MenuEnable::Writable, writable, true},
        {MenuEnable::Writable, readOnly, false},
        {MenuEnable::EntrySelected, writable, false},
        {MenuEnable::EntrySelected, readOnly, true},
        {MenuEnable::EntrySelectedWritable, selected, true},
        {MenuEnable::EntrySelectedWritable, readOnly, false},
        {MenuEnable::SingleOccurrence, selected, false},
        {MenuEnable::SingleOccurrence, single, true},
        {MenuEnable::CanPaste, writable, false},
        {MenuEnable::CanPaste, clip, true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(IsMenuEntryEnabled(c.rule, c.state), c.enabled) << int(c.rule);
    // Zoom Day: day and banner views always; week to year views with exactly one day cell.
    MenuState zoom;
    for (int kind = 1; kind <= 8; ++kind) {
        zoom.viewKind = kind;
        for (int cells : {0, 1, 2}) {
            zoom.selectedCells = cells;
            const bool expected = kind <= 2 || (kind <= 5 && cells == 1);
            EXPECT_EQ(IsMenuEntryEnabled(MenuEnable::ZoomDay, zoom), expected) << kind << " " << cells;
        }
        EXPECT_EQ(IsMenuEntryEnabled(MenuEnable::Dated, zoom), kind <= 5);
    }
}

TEST(ViewContextMenuTest, ItemTypesComeFirstWhereAsked)
{
    MenuState state;
    state.readOnly = false;
    state.selectedEntries = 1;
    Types types;
    QMenu menu;
    BuildContextMenu(menu, MenuEventWithTypes, state, &types);
    const std::vector<int> ids = ActionCommands(menu);
    ASSERT_GT(ids.size(), 3u);
    EXPECT_EQ(ids[0], kCmdSetItemType);
    EXPECT_EQ(ids[1], kCmdSetItemType + 1);
    EXPECT_EQ(ids[2], 0);
    EXPECT_EQ(menu.actions()[1]->text(), QStringLiteral("Meeting"));
    EXPECT_TRUE(menu.actions()[1]->isEnabled());

    QMenu none;
    BuildContextMenu(none, MenuTaskWithTypes, state, nullptr);
    EXPECT_EQ(none.actions()[0]->text(), QStringLiteral("< undefined >"));
    EXPECT_FALSE(none.actions()[0]->isEnabled());
    EXPECT_EQ(none.actions()[1]->text(), QString()); // the separator
}

TEST(ViewContextMenuTest, ChosenCommandGoesToTheContainer)
{
    QApplication::clipboard()->clear();
    EntryHitView view;
    FakeContainer container;
    view.SetContainer(&container);
    view.SetViewKind(4);
    view.SetDayCount(7);
    auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, -1, QString(),
                                            CDateTime(2024, 3, 4, 9, 0, 0), CDateSpan(1.0 / 24));
    e->SetItemRef(7);
    e->SetRect(QRect(10, 10, 80, 16));
    view.AddEntry(std::move(e));
    ChoosingWnd wnd(view);
    wnd.resize(200, 100);

    // Right click on the entry selects it; the event menu's Open is enabled and goes out.
    view.OnRightDown(QPoint(20, 15));
    wnd.choose = kCmdOpenItem;
    QContextMenuEvent onEntry(QContextMenuEvent::Mouse, QPoint(20, 15), wnd.mapToGlobal(QPoint(20, 15)));
    QApplication::sendEvent(&wnd, &onEntry);
    EXPECT_EQ(container.commands, (std::vector<int>{kCmdOpenItem}));
    ASSERT_FALSE(wnd.offered.empty());
    EXPECT_EQ(wnd.offered.front(), kCmdOpenItem);

    // Off the entries: the cell menu; Paste is offered but disabled with an empty clipboard,
    // and choosing it sends nothing.
    container.commands.clear();
    wnd.offered.clear();
    wnd.enabled.clear();
    wnd.choose = kCmdPaste;
    QContextMenuEvent offEntry(QContextMenuEvent::Mouse, QPoint(150, 80), wnd.mapToGlobal(QPoint(150, 80)));
    QApplication::sendEvent(&wnd, &offEntry);
    ASSERT_FALSE(wnd.offered.empty());
    EXPECT_EQ(wnd.offered.front(), kCmdNewItem);
    EXPECT_TRUE(wnd.enabled.front());
    EXPECT_TRUE(container.commands.empty());

    // A read-only file disables New Event.
    container.readOnly = true;
    wnd.offered.clear();
    wnd.enabled.clear();
    wnd.choose = kCmdNewItem;
    QApplication::sendEvent(&wnd, &offEntry);
    EXPECT_FALSE(wnd.enabled.front());
    EXPECT_TRUE(container.commands.empty());
}

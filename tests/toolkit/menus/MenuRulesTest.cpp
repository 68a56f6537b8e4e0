// The menu rules that need no window: item measures, text splitting, mnemonics, popup
// placement and the menu bar's mode and stepping rules.
#include "toolkit/menus/MenuBarLayout.h"
#include "toolkit/menus/MenuBarState.h"
#include "toolkit/menus/MenuMetrics.h"
#include "toolkit/menus/MenuPlacement.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <iterator>

namespace {

TEST(MenuMetrics, ItemMeasures)
{
    const MenuMetrics m{19, 16};
    EXPECT_EQ(MeasureMenuSeparator(m).height(), 3);
    EXPECT_EQ(MeasureMenuSeparator(m).width(), 22 + 19 + 2);
    // Popup item: height max(text, H, h + 6); width height + text + H + 2, plus 9 with a tab.
    EXPECT_EQ(MeasureMenuPopupItem({60, 15}, false, m), QSize(22 + 60 + 19 + 2, 22));
    EXPECT_EQ(MeasureMenuPopupItem({60, 15}, true, m), QSize(22 + 60 + 19 + 2 + 9, 22));
    EXPECT_EQ(MeasureMenuPopupItem({60, 30}, false, m), QSize(30 + 60 + 19 + 2, 30));
    // Bar item: the text width; height max(text, max(h + 2, H)).
    EXPECT_EQ(MeasureMenuBarItem({33, 15}, m), QSize(33, 19));
    EXPECT_EQ(MeasureMenuBarItem({33, 15}, MenuMetrics{12, 16}), QSize(33, 18));
    EXPECT_EQ(MenuIconColumnWidth(m), 24);
}

TEST(MenuMetrics, TextSplitAndMnemonics)
{
    struct Case
    {
        QString text, label, accelerator, measured;
    } cases[] = {
        {"&Open\tCtrl+O", "&Open", "Ctrl+O", "Open"},
        {"Save &As...", "Save &As...", "", "Save As..."},
        {"a\tb\tc", "a", "c", "a"}, // label to the first tab, accelerator after the last
        {"", "", "", ""},
    };
    for (const Case &c : cases) {
        const MenuItemText split = SplitMenuItemText(c.text);
        EXPECT_EQ(split.label, c.label) << c.text.toStdString();
        EXPECT_EQ(split.accelerator, c.accelerator) << c.text.toStdString();
        EXPECT_EQ(MenuMeasureText(c.text), c.measured) << c.text.toStdString();
    }
    const QStringList texts{"&File", "", "&Edit", "E&xit", "&edit again"};
    EXPECT_EQ(FindMenuMnemonic(texts, 'f'), 0);
    EXPECT_EQ(FindMenuMnemonic(texts, 'e'), 2); // the first match, upper-cased on both sides
    EXPECT_EQ(FindMenuMnemonic(texts, 'X'), 3);
    EXPECT_EQ(FindMenuMnemonic(texts, 'q'), -1);
    EXPECT_EQ(FindMenuMnemonic({}, 'a'), -1);
}

TEST(MenuPlacement, BarPopupsOpenBelowOrAboveInsideTheWorkArea)
{
    const QRect work(0, 0, 1000, 800);
    struct Case
    {
        QRect item;
        QSize popup;
        QPoint expected;
    } cases[] = {
        {{100, 20, 40, 20}, {200, 300}, {100, 39}},   // below, overlapping the bottom edge
        {{100, 700, 40, 20}, {200, 300}, {100, 401}}, // no room below: above, overlapping the top
        {{900, 20, 40, 20}, {200, 300}, {800, 39}},   // pushed left to end at the right edge
        {{-50, 20, 40, 20}, {200, 300}, {0, 39}},     // never left of the work area
    };
    for (const Case &c : cases)
        EXPECT_EQ(PlaceBarPopup(c.item, c.popup, work), c.expected) << c.item.x() << "," << c.item.y();

    // The border gives way where the popup touches its item, one pixel in from each side.
    EXPECT_EQ(PopupBorderGap(QRect(100, 39, 200, 300), QRect(100, 20, 40, 20)), QRect(101, 39, 38, 1));
    EXPECT_TRUE(PopupBorderGap(QRect(100, 45, 200, 300), QRect(100, 20, 40, 20)).isEmpty());
}

TEST(MenuPlacement, TrackedPopups)
{
    const QRect work(0, 0, 1000, 800);
    // Under a horizontal bar: below, or above in the lower half when it does not fit.
    EXPECT_EQ(TrackMenuPopupPosition({100, 20, 30, 20}, {150, 200}, work, false, false), QPoint(100, 40));
    EXPECT_EQ(TrackMenuPopupPosition({100, 700, 30, 20}, {150, 200}, work, false, false), QPoint(100, 500));
    EXPECT_EQ(TrackMenuPopupPosition({100, 500, 30, 20}, {150, 200}, work, false, false), QPoint(100, 520));
    EXPECT_EQ(TrackMenuPopupPosition({100, 20, 30, 20}, {150, 200}, work, false, true), QPoint(-50, 40));
    // Beside a vertical bar: right of the item in the left half, left of it in the right half.
    EXPECT_EQ(TrackMenuPopupPosition({0, 100, 30, 20}, {150, 200}, work, true, false), QPoint(29, 101));
    EXPECT_EQ(TrackMenuPopupPosition({970, 100, 30, 20}, {150, 200}, work, true, false), QPoint(969 - 150, 101));
}

QList<MenuBarItemInfo> BarItems()
{
    return {{"&File", 0, true}, {"&Edit", 0, true}, {"Re&store", 0xF120, false}, {"&Help", 0, true}};
}

TEST(MenuBarState, NextItemWrapsAndSkipsSystemCommands)
{
    CMenuBarState state;
    // With no items there is nothing to step to (and nothing to divide by).
    EXPECT_EQ(state.NextItem(0, true), -1);
    EXPECT_EQ(state.NextItem(-1, false), -1);

    state.SetItems(BarItems());
    struct Case
    {
        int from;
        bool forward;
        int expected;
    } cases[] = {{0, true, 1}, {1, true, 3}, {3, true, 0}, {0, false, 3}, {3, false, 1}, {-1, true, 0}, {-1, false, 1}};
    for (const Case &c : cases)
        EXPECT_EQ(state.NextItem(c.from, c.forward), c.expected) << c.from << " " << c.forward;

    CMenuBarState onlySystem;
    onlySystem.SetItems({{"Restore", 0xF120, false}, {"Close", 0xF060, false}});
    EXPECT_EQ(onlySystem.NextItem(0, true), -1);
}

TEST(MenuBarState, AltEntersAndLeavesMenuMode)
{
    CMenuBarState state;
    state.SetItems(BarItems());
    EXPECT_TRUE(state.KeyPress(BarKey::Menu, true, false).consumed);
    EXPECT_EQ(state.GetMode(), CMenuBarState::Idle);
    EXPECT_TRUE(state.KeyRelease(BarKey::Menu).consumed);
    EXPECT_EQ(state.GetMode(), CMenuBarState::Hot);
    EXPECT_EQ(state.HotIndex(), 0);
    EXPECT_TRUE(state.InMenuMode());
    EXPECT_TRUE(state.ShowsMnemonics());
    EXPECT_EQ(state.ItemState(0) & (CMenuBarState::kHot | CMenuBarState::kNoAccel), CMenuBarState::kHot);

    state.KeyPress(BarKey::Menu, true, false); // a second Alt leaves ...
    EXPECT_EQ(state.GetMode(), CMenuBarState::Idle);
    state.KeyRelease(BarKey::Menu); // ... and its release does not come back
    EXPECT_EQ(state.GetMode(), CMenuBarState::Idle);
    EXPECT_FALSE(state.InMenuMode());
    EXPECT_TRUE(state.ItemState(0) & CMenuBarState::kNoAccel);
}

TEST(MenuBarState, KeysInMenuMode)
{
    CMenuBarState state;
    state.SetItems(BarItems());
    state.KeyRelease(BarKey::Menu);
    state.KeyPress(BarKey::Right, false, false);
    EXPECT_EQ(state.HotIndex(), 1);
    state.KeyPress(BarKey::Right, false, false);
    EXPECT_EQ(state.HotIndex(), 3); // the system item is skipped
    BarKeyResult r = state.KeyPress(BarKey::Down, false, false);
    EXPECT_EQ(r.kind, BarKeyResult::Open);
    EXPECT_EQ(r.index, 3);
    state.PopupOpened(3, true);
    EXPECT_EQ(state.ItemState(3) & (CMenuBarState::kSelected | CMenuBarState::kPressed),
              CMenuBarState::kSelected | CMenuBarState::kPressed);
    r = state.KeyPress(BarKey::Right, false, false); // slides to the next popup
    EXPECT_EQ(r.kind, BarKeyResult::Open);
    EXPECT_EQ(r.index, 0);
    state.PopupOpened(0, true);
    state.PopupClosed(true, -1); // Escape: the item stays selected in menu mode
    EXPECT_EQ(state.GetMode(), CMenuBarState::Hot);
    EXPECT_EQ(state.HotIndex(), 0);
    EXPECT_TRUE(state.InMenuMode());
    r = state.KeyPress(BarKey::Other, false, false, 'h'); // mnemonic without Alt in menu mode
    EXPECT_EQ(r.kind, BarKeyResult::Open);
    EXPECT_EQ(r.index, 3);
    r = state.KeyPress(BarKey::Other, false, false, 'z');
    EXPECT_EQ(r.kind, BarKeyResult::Beep);
    EXPECT_TRUE(r.consumed);
    state.KeyPress(BarKey::Escape, false, false);
    EXPECT_EQ(state.GetMode(), CMenuBarState::Idle);

    // A popup closed by the mouse away from the bar leaves the bar idle.
    state.PopupOpened(1, false);
    state.PopupClosed(false, -1);
    EXPECT_EQ(state.GetMode(), CMenuBarState::Idle);
    // Over an item it stays hot.
    state.PopupOpened(1, false);
    state.PopupClosed(false, 1);
    EXPECT_EQ(state.GetMode(), CMenuBarState::Hot);
    EXPECT_FALSE(state.InMenuMode());
    state.MouseLeft();
    EXPECT_EQ(state.GetMode(), CMenuBarState::Idle);

    // Enter on an item without a popup runs its command.
    state.KeyRelease(BarKey::Menu);
    state.KeyPress(BarKey::Left, false, false);
    state.KeyPress(BarKey::Left, false, false);
    EXPECT_EQ(state.HotIndex(), 1);
    CMenuBarState withCommand;
    withCommand.SetItems({{"&Today", 32805, false}});
    withCommand.KeyRelease(BarKey::Menu);
    r = withCommand.KeyPress(BarKey::Enter, false, false);
    EXPECT_EQ(r.kind, BarKeyResult::Execute);
    EXPECT_EQ(r.commandId, 32805);
    EXPECT_EQ(withCommand.GetMode(), CMenuBarState::Idle);
}

// Items of the given widths, 19 high; a negative width marks a right-justified item.
QList<MenuBarLayoutItem> BarItems(std::initializer_list<int> widths)
{
    QList<MenuBarLayoutItem> items;
    for (int w : widths)
        items.append({QRect(0, 0, std::abs(w), 19), w < 0 ? CMenuBarState::kRightJustified : 0u});
    return items;
}

// Each item's left edge and row (its top / 19).
QList<QPoint> Places(const QList<MenuBarLayoutItem> &items)
{
    QList<QPoint> places;
    for (const MenuBarLayoutItem &item : items)
        places.append({item.rect.left(), item.rect.top() / 19});
    return places;
}

TEST(MenuBarLayout, WrapsIntoRowsWithRightJustifiedRunsFlush)
{
    struct Case
    {
        const char *name;
        std::initializer_list<int> widths;
        int length;
        int rows;
        QList<QPoint> places;
    } cases[] = {
        {"one row, run flush at the end", {40, 50, 30, -45}, 300, 1, {{0, 0}, {40, 0}, {90, 0}, {255, 0}}},
        {"run on the second row", {40, 50, 30, -45}, 100, 2, {{0, 0}, {40, 0}, {0, 1}, {55, 1}}},
        {"one item a row", {40, 50, 30, -45}, 60, 4, {{0, 0}, {0, 1}, {0, 2}, {15, 3}}},
        {"a run goes on into the next row", {40, -50, 30, 45}, 100, 2, {{0, 0}, {50, 0}, {25, 1}, {55, 1}}},
        {"an item wider than the length keeps its row", {120, 30}, 100, 2, {{0, 0}, {0, 1}}},
        {"length 0 aligns nothing", {40, -50}, 0, 2, {{0, 0}, {0, 1}}},
        {"no items", {}, 100, 0, {}},
    };
    for (const Case &c : cases) {
        QList<MenuBarLayoutItem> items = BarItems(c.widths);
        EXPECT_EQ(CMenuBarLayout::WrapItems(items, c.length), c.rows) << c.name;
        EXPECT_EQ(Places(items), c.places) << c.name;
        for (int i = 0; i < items.size(); ++i) {
            const bool newRow = i > 0 && c.places[i].y() != c.places[i - 1].y();
            EXPECT_EQ(bool(items[i].state & CMenuBarState::kNewRow), newRow) << c.name << " item " << i;
            EXPECT_EQ(items[i].rect.width(), std::abs(std::data(c.widths)[i])) << c.name;
        }
    }
}

TEST(MenuBarLayout, FloatingBarTakesTheWidestLayoutThatFits)
{
    struct Case
    {
        int length;
        QSize size;
    } cases[] = {
        {1000, {165, 19}}, // everything in one row
        {165, {165, 19}},
        {164, {120, 38}},  // 40 50 30 | 45
        {100, {90, 38}},   // 40 50 | 30 45
        {89, {80, 57}},    // 40 | 50 30 | 45
        {50, {50, 76}},    // the narrowest: one item a row
        {10, {50, 76}},    // narrower than any layout
    };
    for (const Case &c : cases) {
        QList<MenuBarLayoutItem> items = BarItems({40, 50, 30, 45});
        EXPECT_EQ(CMenuBarLayout::SizeBar(items, c.length, true), c.size) << c.length;
        EXPECT_EQ(CMenuBarLayout::CalcSize(items), c.size) << c.length;
    }
    // A right-justified run of a floating bar ends with its row, not at the unlimited length.
    QList<MenuBarLayoutItem> withRun = BarItems({40, 50, -30});
    EXPECT_EQ(CMenuBarLayout::SizeBar(withRun, CMenuBarLayout::kUnlimited, true), QSize(120, 19));
    EXPECT_EQ(withRun[2].rect.left(), 90);
    // Docked, the bar wraps at its length and a run is flush with it.
    QList<MenuBarLayoutItem> docked = BarItems({40, 50, -30});
    EXPECT_EQ(CMenuBarLayout::SizeBar(docked, 400, false), QSize(400, 19));
    EXPECT_EQ(docked[2].rect.left(), 370);
    QList<MenuBarLayoutItem> none;
    EXPECT_EQ(CMenuBarLayout::SizeBar(none, 100, true), QSize(0, 0));
}

} // namespace

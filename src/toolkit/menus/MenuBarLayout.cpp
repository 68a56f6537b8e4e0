// The menu bar's wrapping and sizing rules.
#include "toolkit/menus/MenuBarLayout.h"

#include "toolkit/menus/MenuBarState.h"

#include <algorithm>

int CMenuBarLayout::WrapItems(QList<MenuBarLayoutItem> &items, int length)
{
    const int count = int(items.size());
    if (count == 0)
        return 0;
    int rows = 1;
    int x = 0;
    int rowTop = 0;
    int lowest = 0;
    int runStart = -1;
    bool inRun = false;
    for (int i = 0; i < count; ++i) {
        MenuBarLayoutItem &item = items[i];
        const int width = item.rect.width();
        const int height = item.rect.height();
        item.state &= ~CMenuBarState::kNewRow;
        if (x > 0 && x + width > length) {
            // The row ends: its right-justified run goes to the row's end.
            if (runStart >= 0)
                AlignRightItems(items, runStart, i - 1, length);
            item.state |= CMenuBarState::kNewRow;
            rowTop = lowest;
            x = 0;
            ++rows;
            runStart = inRun ? i : -1;
        }
        if (!inRun && (item.state & CMenuBarState::kRightJustified)) {
            inRun = true;
            runStart = i;
        }
        item.rect = QRect(x, rowTop, width, height);
        x += width;
        lowest = std::max(lowest, rowTop + height);
    }
    if (runStart >= 0)
        AlignRightItems(items, runStart, count - 1, length);
    return rows;
}

void CMenuBarLayout::AlignRightItems(QList<MenuBarLayoutItem> &items, int first, int last, int length)
{
    if (length <= 0 || first < 0 || last >= items.size() || first > last)
        return;
    const int shift = length - (items[last].rect.left() + items[last].rect.width());
    // A run is never pushed left over the items before it.
    if (shift <= 0)
        return;
    for (int i = first; i <= last; ++i)
        items[i].rect.translate(shift, 0);
}

QSize CMenuBarLayout::CalcSize(const QList<MenuBarLayoutItem> &items)
{
    int width = 0;
    int height = 0;
    for (const MenuBarLayoutItem &item : items) {
        width = std::max(width, item.rect.left() + item.rect.width());
        height = std::max(height, item.rect.top() + item.rect.height());
    }
    return {width, height};
}

QSize CMenuBarLayout::SizeBar(QList<MenuBarLayoutItem> &items, int length, bool floating)
{
    if (!floating) {
        WrapItems(items, length);
        return CalcSize(items);
    }
    // The widest layout is one row as long as the items together; wrapping it at the
    // unlimited length would push a right-justified run out to that length.
    int total = 0;
    for (const MenuBarLayoutItem &item : items)
        total += item.rect.width();
    WrapItems(items, 0);
    int low = CalcSize(items).width();
    int high = total;
    if (length <= low) {
        return CalcSize(items);
    }
    // Bisect on the wrap length for the widest layout that fits the asked length.
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        WrapItems(items, middle);
        if (CalcSize(items).width() <= length)
            low = middle;
        else
            high = middle - 1;
    }
    WrapItems(items, low);
    return CalcSize(items);
}

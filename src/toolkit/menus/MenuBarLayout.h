// Where the menu bar's items go: left to right in rows no longer than a length, right-justified
// items flush with the row's end, and the width a floating bar settles on for an asked width.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// One item of the layout: its rectangle as if the bar were horizontal, and its state bits
// (CMenuBarState's kRightJustified is read, kNewRow is written).
struct MenuBarLayoutItem
{
    QRect rect;
    unsigned state = 0;
};

class CMenuBarLayout
{
  public:
    // The length a bar wraps at when it may be as wide as it likes.
    static constexpr int kUnlimited = 32767;

    // Places the items in rows of at most `length` (an item wider than the length still gets
    // a row of its own); everything from the first right-justified item on ends flush at the
    // length in each row. Returns the number of rows.
    static int WrapItems(QList<MenuBarLayoutItem> &items, int length);
    // Moves the items first..last right so that the last one ends at `length`.
    static void AlignRightItems(QList<MenuBarLayoutItem> &items, int first, int last, int length);
    // The widest row and the total height.
    static QSize CalcSize(const QList<MenuBarLayoutItem> &items);
    // Lays the items out for a bar of `length`: a docked bar wraps at the length; a floating
    // bar takes the widest of its layouts that is no wider than the length (the narrowest
    // layout, one item a row, when none is). Returns the size the bar needs.
    static QSize SizeBar(QList<MenuBarLayoutItem> &items, int length, bool floating);
};

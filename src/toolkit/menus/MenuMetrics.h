// The sizes and text rules of the program's menu items, given the font's measurements: how high
// and wide an item is, where its icon column and text go, and how a mnemonic is found.
#pragma once

#include <QChar>
#include <QSize>
#include <QString>
#include <QStringList>

// The measures every item depends on.
struct MenuMetrics
{
    int menuHeight = 19; // the system menu height: the least height of an item
    int imageHeight = 16;
};

// The system menu height for a font height: the text with a little air above and below.
int MenuHeightForFont(int fontHeight);

QSize MeasureMenuSeparator(const MenuMetrics &m);
// A top-level item of the menu bar, from its text size.
QSize MeasureMenuBarItem(QSize text, const MenuMetrics &m);
// A popup item, from the size of its label (without "&" and the accelerator); `hasTab` when the
// item has an accelerator, which leaves room between label and accelerator.
QSize MeasureMenuPopupItem(QSize label, bool hasTab, const MenuMetrics &m);
// The width of the icon column on the item's leading side.
int MenuIconColumnWidth(const MenuMetrics &m);
// Where the text starts after the icon column.
inline constexpr int kMenuTextGap = 8;

// An item text split at its tab: the label up to the first tab, the accelerator after the last.
struct MenuItemText
{
    QString label;
    QString accelerator;
};
MenuItemText SplitMenuItemText(const QString &text);
// The label as measured: without the accelerator and without any "&".
QString MenuMeasureText(const QString &text);

// The position of the first item whose text holds "&" followed by the character (compared
// upper-cased), -1 when none does.
int FindMenuMnemonic(const QStringList &texts, QChar character);

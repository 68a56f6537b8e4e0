// Menu item measuring and text rules.
#include "toolkit/menus/MenuMetrics.h"

#include <algorithm>

int MenuHeightForFont(int fontHeight)
{
    return std::max(19, fontHeight + 6);
}

QSize MeasureMenuSeparator(const MenuMetrics &m)
{
    return {std::max(m.menuHeight, m.imageHeight + 6) + m.menuHeight + 2, 3};
}

QSize MeasureMenuBarItem(QSize text, const MenuMetrics &m)
{
    return {text.width(), std::max(text.height(), std::max(m.imageHeight + 2, m.menuHeight))};
}

QSize MeasureMenuPopupItem(QSize label, bool hasTab, const MenuMetrics &m)
{
    const int height = std::max(label.height(), std::max(m.menuHeight, m.imageHeight + 6));
    const int width = height + label.width() + m.menuHeight + 2 + (hasTab ? 9 : 0);
    return {width, height};
}

int MenuIconColumnWidth(const MenuMetrics &m)
{
    return std::max(m.menuHeight, m.imageHeight + 6) + 2;
}

MenuItemText SplitMenuItemText(const QString &text)
{
    const qsizetype first = text.indexOf(QLatin1Char('\t'));
    if (first < 0)
        return {text, {}};
    const qsizetype last = text.lastIndexOf(QLatin1Char('\t'));
    return {text.left(first), text.mid(last + 1)};
}

QString MenuMeasureText(const QString &text)
{
    return SplitMenuItemText(text).label.remove(QLatin1Char('&'));
}

int FindMenuMnemonic(const QStringList &texts, QChar character)
{
    const QString wanted = (QStringLiteral("&") + character).toUpper();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (texts[i].toUpper().contains(wanted))
            return int(i);
    }
    return -1;
}

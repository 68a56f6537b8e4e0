// The heading's measuring rules.
#include "toolkit/controls/LabelRule.h"

QString CLabelRule::MeasuredText(const QString &text)
{
    QString t = ShownText(text);
    t.remove(QLatin1Char('&'));
    return t;
}

CLabelRule::Lines CLabelRule::Rule(int textWidth, const QRect &client)
{
    Lines lines;
    const int x0 = client.left() + std::max(0, textWidth) + kGap;
    const int right = client.right(); // the last column inside
    const int middle = client.top() + client.height() / 2;
    if (x0 > right || client.height() < 3)
        return lines;
    lines.shadow = QLine(x0, middle + 1, right - 1, middle + 1);
    lines.highlight = QLine(x0, middle + 2, right, middle + 2);
    lines.highlightEnd = QLine(right, middle + 1, right, middle);
    lines.empty = false;
    return lines;
}

// The items status bar.
#include "toolkit/bars/ItemsStatusBar.h"

#include <QLabel>
#include <QMouseEvent>

QString ItemCountText(int count, int secondCount)
{
    if (count < 0)
        return {};
    if (secondCount == -1)
        return QStringLiteral("%1 items").arg(count);
    return QStringLiteral("%1 (%2) items").arg(count).arg(secondCount);
}

CItemsStatusBar::CItemsStatusBar(QWidget *parent) : QStatusBar(parent)
{
    m_count = new QLabel(this);
    m_count->setContentsMargins(4, 0, 4, 0);
    addPermanentWidget(m_count);
    setSizeGripEnabled(false);
}

void CItemsStatusBar::SetItemCount(int count, int secondCount)
{
    const QString text = ItemCountText(count, secondCount);
    m_count->setText(text);
    m_count->setFixedWidth(text.isEmpty() ? 0 : m_count->fontMetrics().horizontalAdvance(text) + 8);
}

void CItemsStatusBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept(); // a double click on the bar does nothing
}

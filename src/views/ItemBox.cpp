// Painting of the item box shared by the views.
#include "views/ItemBox.h"

#include "core/DisplayItem.h"
#include "views/CalendarViewCtrl.h"
#include "views/DrawHelpers.h"
#include "views/MenuLook.h"

#include <QFontMetrics>
#include <QPainter>

ItemBoxIconSizes ItemBoxIcons(int rowHeight)
{
    ItemBoxIconSizes sizes;
    if (rowHeight <= 17)
        sizes.status = QSize(14, 11);
    else if (rowHeight <= 24)
        sizes.status = QSize(18, 15);
    else
        sizes.status = QSize(25, 20);
    sizes.type = rowHeight < 15 ? 14 : (rowHeight <= 24 ? 16 : 25);
    return sizes;
}

int ItemBoxIconOffset(int rowHeight, int iconHeight)
{
    const int twice = rowHeight - iconHeight + 1;
    return twice > 0 ? (twice + 1) / 2 : twice / 2;
}

void DrawItemBox(QPainter &painter, const CCalendarViewCtrl &view, const CDisplayItem &entry,
                 const QRect &rect, bool editing)
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const COLORREF text = colors.itemText;
    const COLORREF background = colors.viewBackground;
    const bool allDay = entry.HasFlag(CDisplayItem::FlagAllDay);
    const QString caption = entry.GetTimeRangeText(
        view.m_showStartTime, view.m_showEndTime, view.m_showItemType, view.m_showCategories,
        entry.HasFlag(CDisplayItem::FlagBeginsBefore), entry.HasFlag(CDisplayItem::FlagEndsAfter));
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    if (inner.isEmpty())
        return;
    if (view.m_gradient)
        FillGradientRect(painter, inner, background, background, true);
    else
        painter.fillRect(inner, ToQColor(background));

    const bool twoRows = 2 * view.m_rowHeight >= rect.height();
    QRect textRect = inner.adjusted(1, 0, 0, 0);
    painter.setFont(entry.HasFlag(CDisplayItem::FlagCompleted) ? view.GetItemFont() : view.GetItemFont());
    painter.setPen(ToQColor(text));
    const int flags =
        Qt::TextSingleLine | (allDay && twoRows ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
    if (twoRows) {
        const QString shown =
            QFontMetrics(painter.font()).elidedText(caption, Qt::ElideRight, textRect.width());
        painter.drawText(textRect, flags, shown);
    } else {
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption);
    }

    painter.setBrush(Qt::NoBrush);
    painter.setPen(ToQColor(allDay ? colors.frame : background));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    if (allDay) {
        painter.setPen(ToQColor(background));
        if (entry.HasFlag(CDisplayItem::FlagBeginsBefore))
            painter.drawLine(rect.left(), rect.top() + 2, rect.left(), rect.bottom() - 2);
        if (entry.HasFlag(CDisplayItem::FlagEndsAfter))
            painter.drawLine(rect.right(), rect.top() + 2, rect.right(), rect.bottom() - 2);
    }
    const std::uint32_t state = entry.GetState();
    if ((state & CDisplayItem::StateSelected) && ((state & CDisplayItem::StateFocus) || editing)) {
        painter.setPen(ToQColor(editing ? colors.highlightFrame : colors.focusFrame));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        if (!editing)
            painter.drawRect(rect.adjusted(1, 1, -2, -2));
    }
}

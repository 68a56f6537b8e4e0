// Painting of the item box shared by the views.
#include "views/drawing/ItemBox.h"

#include "core/items/DisplayItem.h"
#include "core/lists/ItemType.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/lists/ItemTypeList.h"
#include "views/base/CalendarViewCtrl.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"
#include "views/drawing/TextShapeCache.h"
#include "views/drawing/TypeIconDrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

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

std::vector<int> ItemBoxStatusGlyphs(const CDisplayItem &entry)
{
    std::vector<int> glyphs;
    if (entry.GetKind() == CDisplayItem::KindTask)
        glyphs.push_back(entry.HasFlag(CDisplayItem::FlagCompleted) ? 8 : 7);
    if (entry.HasFlag(CDisplayItem::FlagReminder))
        glyphs.push_back(1);
    if (entry.HasFlag(CDisplayItem::FlagRecurring))
        glyphs.push_back(entry.HasFlag(CDisplayItem::FlagChanged) ? 2 : 0);
    if (entry.HasFlag(CDisplayItem::FlagLocked))
        glyphs.push_back(entry.HasFlag(CDisplayItem::FlagOwnItem) ? 4 : 5);
    if (entry.HasFlag(CDisplayItem::FlagNotes))
        glyphs.push_back(3);
    return glyphs;
}

ItemBoxLayout LayoutItemBoxIcons(const QRect &inner, int rowHeight, bool typeIcon,
                                 const std::vector<int> &glyphs)
{
    ItemBoxLayout layout;
    layout.textLeft = inner.left() + 1;
    const ItemBoxIconSizes sizes = ItemBoxIcons(rowHeight);
    std::vector<std::pair<int, QSize>> icons;
    if (typeIcon)
        icons.emplace_back(-1, QSize(sizes.type, sizes.type));
    for (int g : glyphs)
        icons.emplace_back(g, sizes.status);
    if (icons.empty())
        return layout;

    const int iconHeight = std::max(typeIcon ? sizes.type : 0, glyphs.empty() ? 0 : sizes.status.height());
    const int step = std::max(iconHeight, rowHeight);
    int columnLeft = inner.left();
    int columnRight = columnLeft;
    int row = 0;
    int columns = 1;
    for (const auto &[glyph, size] : icons) {
        int top = inner.top() + row * step + ItemBoxIconOffset(rowHeight, size.height());
        if (row > 0 && top + size.height() > inner.bottom() + 1) {
            // No room below: the next column, in the first row.
            columnLeft = columnRight + 1;
            ++columns;
            row = 0;
            top = inner.top() + ItemBoxIconOffset(rowHeight, size.height());
        }
        const QRect r(columnLeft, top, size.width(), size.height());
        layout.icons.push_back({glyph, r});
        columnRight = std::max(columnRight, r.right() + 1);
        ++row;
    }
    layout.textLeft = columnRight + (columns == 1 ? 2 : 1);
    return layout;
}

ItemColors CCalendarViewCtrl::GetItemColors(const CDisplayItem &entry) const
{
    ItemColors colours;
    const auto *types = dynamic_cast<const CItemTypeList *>(GetItemTypeCatalog());
    const CItemType *type = types ? types->GetType(entry.GetItemTypeIndex()) : nullptr;
    if (type && type->HasFlag(CItemType::kFlagOwnColors)) {
        colours.text = type->GetTextColor();
        colours.background = type->GetFillColor();
        const GradientPair shades = type->GetGradientColors();
        colours.gradientLight = shades.light;
        colours.gradientDark = shades.dark;
        return colours;
    }
    const CMenuLook::Colors &shared = CMenuLook::Instance().GetColors();
    colours.text = shared.itemText;
    colours.background = colours.gradientLight = colours.gradientDark = shared.viewBackground;
    return colours;
}

void DrawItemBox(QPainter &painter, const CCalendarViewCtrl &view, const CDisplayItem &entry,
                 const QRect &rect, bool editing)
{
    const CMenuLook::Colors &shared = CMenuLook::Instance().GetColors();
    const ItemColors colours = view.GetItemColors(entry);
    const bool allDay = entry.HasFlag(CDisplayItem::FlagAllDay);
    const bool completed =
        entry.GetKind() == CDisplayItem::KindTask && entry.HasFlag(CDisplayItem::FlagCompleted);
    const QString caption = entry.GetTimeRangeText(
        view.m_showStartTime, view.m_showEndTime, view.m_showItemType, view.m_showCategories,
        entry.HasFlag(CDisplayItem::FlagBeginsBefore), entry.HasFlag(CDisplayItem::FlagEndsAfter));
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    if (inner.isEmpty())
        return;
    // A flat box whose frame is its own colour (all but the all-day bars) is one fill; the texts
    // and icons stay inside the frame line, so it may come first.
    const bool oneFill = !view.m_gradient && !allDay;
    if (view.m_gradient)
        FillGradientRect(painter, inner, colours.gradientLight, colours.gradientDark, true);
    else
        painter.fillRect(oneFill ? rect : inner, ToQColor(colours.background));

    const int rowHeight = view.m_rowHeight;
    const bool twoRows = 2 * rowHeight >= rect.height();
    const ItemBoxLayout icons =
        LayoutItemBoxIcons(inner, rowHeight, view.m_showTypeIcon != 0,
                           view.m_showStatusIcons ? ItemBoxStatusGlyphs(entry) : std::vector<int>());
    // Icons can reach past the box, and a caller's clip must come back: then the painter's state
    // is kept and the box clipped. Otherwise the texts stay inside their own rectangles, and
    // the painter is left with the box's pen, brush and font, as callers set their own.
    const bool keepState = painter.hasClipping() || !icons.icons.empty();
    if (keepState) {
        painter.save();
        painter.setClipRect(inner);
    }
    painter.setPen(ToQColor(colours.text));
    for (const ItemBoxIconPlace &icon : icons.icons) {
        const QRect &r = icon.rect;
        if (icon.glyph < 0)
            DrawTypeIconSized(painter, entry.GetItemTypeIndex(), r.left(), r.top(), r.width(), r.height(),
                              false);
        else
            DrawItemGlyph(painter, icon.glyph, r.left(), r.top(), r.width(), r.height(),
                          inner.right() + 1 - r.left());
    }

    const QFont &font = completed ? view.GetCompletedFont() : view.GetItemFont();
    if (painter.font() != font)
        painter.setFont(font);
    if (!icons.icons.empty())
        painter.setPen(ToQColor(colours.text));
    CTextShapeCache &texts = view.TextCache();
    QRect textRect(QPoint(icons.textLeft, inner.top()), inner.bottomRight());
    if (twoRows) {
        const QString shown = texts.Elided(painter.font(), caption, std::max(textRect.width(), 0),
                                           painter.device() ? painter.device()->logicalDpiY() : 0);
        const int align = allDay ? Qt::AlignHCenter : Qt::AlignLeft;
        // One line in the first row.
        const QRect line(textRect.left(), inner.top(), textRect.width(), std::min(rowHeight, inner.height()));
        texts.DrawText(painter, line, Qt::TextSingleLine | align | Qt::AlignVCenter, shown);
    } else {
        texts.DrawText(painter, textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption);
        // Notes fill what the subject left of a tall box; only then is the subject measured.
        if (view.m_showNotes && entry.HasFlag(CDisplayItem::FlagNotes) && !entry.IsPrivate() &&
            !entry.GetNotes().isEmpty()) {
            const QFontMetrics fm(painter.font());
            const QRect used =
                fm.boundingRect(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption)
                    .intersected(textRect);
            const QRect notesRect(QPoint(textRect.left(), used.bottom() + 1), textRect.bottomRight());
            if (used.height() > 0 && notesRect.height() > 0)
                painter.drawText(notesRect,
                                 Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs,
                                 entry.GetNotes());
        }
    }
    if (keepState)
        painter.setClipping(false);

    // The frame line as four fills: the same pixels as an outline drawn with a one-pixel pen,
    // without the stroker.
    if (!oneFill) {
        const QColor frame = ToQColor(allDay ? shared.frame : colours.background);
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), frame);
        painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), frame);
        painter.fillRect(QRect(rect.left(), rect.top() + 1, 1, rect.height() - 2), frame);
        painter.fillRect(QRect(rect.right(), rect.top() + 1, 1, rect.height() - 2), frame);
    }
    painter.setBrush(Qt::NoBrush);
    if (allDay) {
        // Notches at an edge the bar goes on past.
        painter.setPen(ToQColor(colours.background));
        if (entry.HasFlag(CDisplayItem::FlagBeginsBefore))
            painter.drawLine(rect.left(), rect.top() + 2, rect.left(), rect.bottom() - 2);
        if (entry.HasFlag(CDisplayItem::FlagEndsAfter))
            painter.drawLine(rect.right(), rect.top() + 2, rect.right(), rect.bottom() - 2);
    }
    const std::uint32_t state = entry.GetState();
    if ((state & CDisplayItem::StateSelected) && ((state & CDisplayItem::StateFocus) || editing)) {
        painter.setPen(ToQColor(editing ? shared.highlightFrame : shared.focusFrame));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        if (!editing)
            painter.drawRect(rect.adjusted(1, 1, -2, -2));
    }
    if (keepState)
        painter.restore();
}

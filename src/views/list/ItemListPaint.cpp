// Painting of the list view: its header, its rows with their icon and text cells, the grid and
// the selection and focus marks.
#include "core/items/TaskDisplayItem.h"
#include "core/items/TaskItem.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "views/list/ItemListCtrl.h"
#include "views/drawing/TypeIconDrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace {

constexpr int kCellInset = 2;
constexpr int kIconBox = 16;
constexpr int kGlyphWidth = 14;
constexpr int kGlyphHeight = 11;

// Glyphs of the status strip.
constexpr int kGlyphRecurring = 0;
constexpr int kGlyphReminder = 1;
constexpr int kGlyphChanged = 2;
constexpr int kGlyphNotes = 3;
constexpr int kGlyphLocked = 4;
constexpr int kGlyphNotComplete = 7;
constexpr int kGlyphComplete = 8;

QPoint IconBoxOrigin(const QRect &cell)
{
    return {cell.left() + (cell.width() - kIconBox) / 2,
            std::max(cell.top(), cell.top() + (cell.height() - kIconBox) / 2)};
}

void DrawGlyphInCell(QPainter &painter, int glyph, const QRect &cell)
{
    const QPoint box = IconBoxOrigin(cell);
    const int x = box.x() + 1;
    DrawItemGlyph(painter, glyph, x, box.y() + 2, kGlyphWidth, kGlyphHeight,
                  std::min(kGlyphWidth, cell.right() + 1 - x));
}

} // namespace

CItemListCtrl::RowColors CItemListCtrl::GetRowColors(const CDisplayItem &entry, bool shownSelected) const
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    RowColors rc;
    if (m_solidSelection && shownSelected) {
        if (entry.HasState(CDisplayItem::StateFocus)) {
            rc.text = colors.highlightText;
            rc.back = colors.highlight;
        } else {
            rc.text = colors.itemText;
            rc.back = colors.windowShade;
        }
        return rc;
    }
    rc.back = m_backgroundColour;
    rc.text = colors.itemText;
    if (m_optionC) {
        COLORREF text = 0, back = 0;
        ColorPair gradient;
        if (m_typeColors && m_typeColors(entry.GetItemTypeIndex(), text, back, gradient)) {
            rc.text = text;
            rc.back = back;
            rc.gradient = gradient;
            rc.useGradient = true;
        }
        return rc;
    }
    if (entry.GetKind() == CDisplayItem::KindTask) {
        if (entry.HasFlag(CDisplayItem::FlagCompleted))
            rc.text = m_completedColour;
        else if (entry.HasFlag(CDisplayItem::FlagOverdue))
            rc.text = m_overdueColour;
    }
    return rc;
}

void CItemListCtrl::DrawIconCell(QPainter &painter, const QRect &cell, const CDisplayItem &entry,
                                 int columnId) const
{
    const bool task = entry.GetKind() == CDisplayItem::KindTask;
    switch (columnId) {
    case 0: {
        const QPoint box = IconBoxOrigin(cell);
        painter.save();
        painter.setClipRect(cell, Qt::IntersectClip);
        DrawTypeIconAt(painter, entry.GetItemTypeIndex(), box.x(), box.y(), 0, task);
        painter.restore();
        break;
    }
    case 1:
        if (entry.HasFlag(CDisplayItem::FlagRecurring))
            DrawGlyphInCell(painter,
                            entry.HasFlag(CDisplayItem::FlagChanged) ? kGlyphChanged : kGlyphRecurring, cell);
        break;
    case 2:
        if (entry.HasFlag(CDisplayItem::FlagReminder))
            DrawGlyphInCell(painter, kGlyphReminder, cell);
        break;
    case 3:
        if (entry.HasFlag(CDisplayItem::FlagNotes))
            DrawGlyphInCell(painter, kGlyphNotes, cell);
        break;
    case 10:
        if (entry.HasFlag(CDisplayItem::FlagLocked))
            DrawGlyphInCell(painter, kGlyphLocked, cell);
        break;
    case 33:
        if (task)
            DrawGlyphInCell(painter,
                            entry.HasFlag(CDisplayItem::FlagCompleted) ? kGlyphComplete : kGlyphNotComplete,
                            cell);
        break;
    case 32:
        if (const auto *t = dynamic_cast<const CTaskDisplayItem *>(&entry)) {
            // Urgent draws image 4, Lowest image 0; Normal draws nothing.
            const int priority = t->GetPriority();
            if (priority != CTaskItem::PriorityNormal && priority >= 0 && priority <= 4) {
                const QPoint box = IconBoxOrigin(cell);
                painter.save();
                painter.setClipRect(cell, Qt::IntersectClip);
                DrawImageListIcon(painter, 4 - priority, box.x(), box.y() + 1, 0);
                painter.restore();
            }
        }
        break;
    default:
        break;
    }
}

void CItemListCtrl::DrawHeader(QPainter &painter) const
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const QRect client = Client();
    const QRect band(0, 0, std::max(client.width(), m_columns.TotalWidth() - m_horzPos), m_headerHeight);
    painter.fillRect(band, ToQColor(colors.buttonFace));
    painter.setFont(m_fonts[0]);
    for (int v = 0; v < m_columns.Count(); ++v) {
        const QRect r = GetHeaderItemRect(v);
        if (r.right() < 0 || r.left() > client.right())
            continue;
        const int id = m_columns.IdAt(v);
        painter.setPen(ToQColor(colors.buttonShadow));
        painter.drawLine(r.right(), r.top() + 2, r.right(), r.bottom() - 2);
        painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        const QRect inner = r.adjusted(4, 0, -4, 0);
        painter.setPen(ToQColor(colors.buttonFace == colors.windowText ? colors.window : colors.windowText));
        const bool sorted = m_columns.SortId() == id;
        if (IsIconColumn(id)) {
            CDisplayItem sample;
            sample.SetKind(id == 32 || id == 33 ? CDisplayItem::KindTask : CDisplayItem::KindEvent);
            sample.SetFlags(CDisplayItem::FlagRecurring | CDisplayItem::FlagReminder |
                            CDisplayItem::FlagNotes | CDisplayItem::FlagLocked | CDisplayItem::FlagCompleted);
            if (id == 32) {
                painter.save();
                painter.setClipRect(r, Qt::IntersectClip);
                DrawImageListIcon(painter, 4, r.left() + 1, r.top() + (r.height() - kIconBox) / 2, 0);
                painter.restore();
            } else {
                DrawIconCell(painter, r.adjusted(1, 0, -1, 0), sample, id);
            }
        } else {
            const int markSpace = sorted ? 12 : 0;
            const QRect textRect = inner.adjusted(0, 0, -markSpace, 0);
            const QString text = QFontMetrics(painter.font())
                                     .elidedText(QString::fromLatin1(FindListColumn(id)->text),
                                                 Qt::ElideRight, std::max(0, textRect.width()));
            painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        }
        if (sorted && !IsIconColumn(id) && r.width() > 16) {
            // The sort mark: a small triangle at the right, pointing up when ascending.
            const int cx = r.right() - 8, cy = r.center().y();
            QPolygon mark;
            if (m_columns.Ascending())
                mark << QPoint(cx - 3, cy + 2) << QPoint(cx + 3, cy + 2) << QPoint(cx, cy - 2);
            else
                mark << QPoint(cx - 3, cy - 2) << QPoint(cx + 3, cy - 2) << QPoint(cx, cy + 2);
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setBrush(ToQColor(colors.buttonShadow));
            painter.setPen(Qt::NoPen);
            painter.drawPolygon(mark);
            painter.restore();
        }
    }
}

void CItemListCtrl::DrawRow(QPainter &painter, int index, const QRect &rowRect) const
{
    const CDisplayItem &e = *m_entries[std::size_t(index)];
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();

    painter.setPen(ToQColor(colors.grid));
    painter.drawLine(rowRect.left(), rowRect.bottom(), rowRect.right(), rowRect.bottom());
    const QRect r = rowRect.adjusted(0, 0, -1, -1);

    const std::uint32_t state = e.GetState();
    const bool shownSelected = (state & CDisplayItem::StateSelected) &&
                               ((state & CDisplayItem::StateFocus) || !IsRowSelectionHidden(index));
    const RowColors rc = GetRowColors(e, shownSelected);
    if (rc.useGradient && m_gradient)
        FillGradientRect(painter, r, rc.gradient.first, rc.gradient.second, true);
    else
        painter.fillRect(r, ToQColor(rc.back));

    if (e.HasFlag(CDisplayItem::FlagCompleted))
        painter.setFont(m_fonts[1]);
    else if (e.HasFlag(CDisplayItem::FlagOverdue))
        painter.setFont(m_fonts[2]);
    else
        painter.setFont(m_fonts[0]);
    const QFontMetrics fm(painter.font());

    int left = r.left();
    for (int v = 0; v < m_columns.Count(); ++v) {
        const int width = m_columns.At(v).width;
        const int id = m_columns.IdAt(v);
        const QRect cell(left + kCellInset, r.top(), width - 2 * kCellInset, r.height());
        if (cell.width() > 0) {
            painter.setPen(ToQColor(rc.text));
            if (IsIconColumn(id)) {
                DrawIconCell(painter, cell, e, id);
            } else {
                const QString shown = fm.elidedText(CellText(e, id), Qt::ElideRight, cell.width());
                painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
            }
        }
        left += width;
        painter.setPen(ToQColor(colors.grid));
        painter.drawLine(left - 1, rowRect.top(), left - 1, rowRect.bottom());
    }

    if (!m_solidSelection && shownSelected) {
        painter.setPen(
            ToQColor((state & CDisplayItem::StateFocus) ? colors.windowHighlight : colors.windowShade));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        painter.drawRect(r.adjusted(1, 1, -2, -2));
    }
    if (index == m_focusedEntry && m_hasFocus) {
        QPen pen(Qt::black);
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

void CItemListCtrl::Draw(QPainter &painter, const QRect &updateRect)
{
    const QRect client = Client();
    const int total = m_columns.TotalWidth();
    painter.save();
    painter.setClipRect(
        QRect(0, m_headerHeight, client.width(), std::max(0, client.height() - m_headerHeight)) &
        (updateRect.isEmpty() ? client : updateRect));
    for (int i = m_firstRow; i < GetEntryCount(); ++i) {
        const QRect row(-m_horzPos, m_headerHeight + (i - m_firstRow) * m_rowHeight, total, m_rowHeight);
        if (row.top() > client.bottom())
            break;
        if (updateRect.isEmpty() || row.intersects(updateRect))
            DrawRow(painter, i, row);
    }
    painter.restore();
    DrawHeader(painter);
}

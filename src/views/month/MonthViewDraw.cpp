// Painting of the month view: weekday header, entries, grid lines, cells and overflow marks.
#include "core/system/AppSettings.h"
#include "core/dates/DateFormats.h"
#include "core/dates/WeekRules.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "views/drawing/ItemBox.h"
#include "views/drawing/TextShapeCache.h"
#include "toolkit/style/MenuLook.h"
#include "views/month/MonthViewCtrl.h"

#include <QFontMetrics>
#include <QPainter>

bool CMonthViewCtrl::IsNonWorkCell(int cell) const
{
    switch (m_model.GetWeekdayMode()) {
    case CMonthGridModel::WorkDaysOnly:
        return false;
    case CMonthGridModel::NonWorkDaysOnly:
        return true;
    default:
        return IsNonWorkDayByIndex(cell % 7);
    }
}

void CMonthViewCtrl::Draw(QPainter &painter, const QRect &)
{
    const QRect view = GetViewRect();
    if (view.isEmpty())
        return;
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    painter.save();
    const int columns = m_model.GetColumns(), rows = m_model.GetRows();
    const int columnWidth = view.width() / columns;
    const int rowHeight = (view.height() - m_model.GetHeaderHeight()) / rows;
    // The header band, the cells (strip and body fill each cell inside its top and left edge;
    // the last column and row reach the view's edge) and the grid lines on those edges cover
    // the whole view, so the ground needs painting only when some cell is not drawn or too
    // small to fill itself.
    const bool cellsCoverGrid = m_model.CellCount() <= GetDayCount() && columnWidth >= 8 &&
                                rowHeight >= m_model.GetStripHeight() + 8;
    if (!cellsCoverGrid)
        painter.fillRect(view, ToQColor(m_backgroundColour == 0xFFFFFFFF ? 0xFFFFFF : m_backgroundColour));
    DrawHeader(painter, view);
    const int headerBottom = view.top() + m_model.GetHeaderHeight();
    painter.setPen(ToQColor(colors.grid));
    painter.drawLine(view.left(), headerBottom - 1, view.left() + view.width() - 1, headerBottom - 1);

    const QRect grid =
        EdgeRect(view.left(), headerBottom, view.left() + view.width(), view.top() + view.height());
    // The grid first, then the boxes over it: a box covers its whole rectangle, so nothing needs
    // cutting out of the grid.
    painter.setClipRect(grid);
    for (int cell = 0; cell < m_model.CellCount() && cell < GetDayCount(); ++cell)
        DrawCell(painter, view, cell);
    painter.setPen(ToQColor(colors.grid));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(grid.adjusted(0, 0, -1, -1));
    painter.setPen(ToQColor(m_gridLineColour));
    for (int r = 1; r < rows; ++r) {
        const int y = headerBottom + r * rowHeight;
        painter.drawLine(grid.left() + 1, y, grid.left() + grid.width() - 2, y);
    }
    for (int c = 1; c < columns; ++c) {
        const int x = view.left() + c * columnWidth;
        painter.drawLine(x, headerBottom + 1, x, grid.top() + grid.height() - 2);
    }
    painter.setClipping(false);

    const int editing = IsEditing() ? m_focusedEntry : -1;
    const QColor ground = ToQColor(m_backgroundColour == 0xFFFFFFFF ? 0xFFFFFF : m_backgroundColour);
    for (int i = 0; i < GetEntryCount(); ++i) {
        const CDisplayItem &e = *m_entries[std::size_t(i)];
        if (e.HasState(CDisplayItem::StateDragged) || e.GetRect().height() <= 0)
            continue;
        const QRect box = e.GetRect().adjusted(3, 1, -3, -1);
        if (box.isEmpty() || !box.intersects(grid))
            continue;
        // A box too small to draw keeps the grid out all the same.
        if (box.adjusted(1, 1, -1, -1).isEmpty())
            painter.fillRect(box & grid, ground);
        else
            DrawItemBox(painter, *this, e, box, i == editing);
    }

    const QPixmap &glyph = CMenuLook::Instance().GetOverflowGlyph();
    for (int cell = 0; cell < m_model.CellCount() && cell < GetDayCount(); ++cell) {
        if (!(m_cellMarks[std::size_t(cell)] & CMonthGridModel::CellOverflow))
            continue;
        const QRect r = m_model.OverflowGlyphRect(view, cell);
        if (!glyph.isNull()) {
            painter.drawPixmap(r, glyph);
        } else {
            // Without the art: a small downward triangle.
            painter.setPen(Qt::NoPen);
            painter.setBrush(ToQColor(colors.dayText));
            const QPoint points[3] = {r.topLeft(), QPoint(r.left() + r.width() - 1, r.top()),
                                      QPoint(r.left() + r.width() / 2, r.top() + r.height() - 1)};
            painter.drawPolygon(points, 3);
        }
    }
    painter.restore();
}

void CMonthViewCtrl::DrawHeader(QPainter &painter, const QRect &view) const
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const int height = m_model.GetHeaderHeight();
    const QRect band(view.left(), view.top(), view.width(), height);
    painter.fillRect(band, ToQColor(colors.headerBackground));
    painter.setPen(ToQColor(colors.grid));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(band.adjusted(0, 0, -1, -1));
    painter.setFont(m_boldFont);
    const int columns = m_model.GetColumns();
    const int columnWidth = view.width() / columns;
    const bool shadow = ProgramSettings().nonWorkDayShadow != 0;
    for (int col = 0; col < columns; ++col) {
        const int weekday = m_model.ColumnToWeekday(col);
        const CDateTime day = m_model.GetDayDate(col);
        const QString name =
            FormatDateTime(day, columnWidth >= m_widestDayName ? QStringLiteral("%A") : QStringLiteral("%a"));
        const QRect r(view.left() + col * columnWidth, view.top(), columnWidth, height);
        if (shadow && IsNonWorkDayByIndex(weekday)) {
            painter.setPen(ToQColor(colors.headerShadow));
            TextCache().DrawText(painter, r.translated(1, 1), Qt::AlignCenter | Qt::TextSingleLine, name);
        }
        painter.setPen(ToQColor(colors.headerText));
        TextCache().DrawText(painter, r, Qt::AlignCenter | Qt::TextSingleLine, name);
        if (col > 0)
            painter.drawLine(r.left(), r.top() + 4, r.left(), r.top() + height - 5);
    }
}

void CMonthViewCtrl::DrawCell(QPainter &painter, const QRect &view, int cell) const
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const std::uint8_t mark = m_cellMarks[std::size_t(cell)];
    const bool nonWork = IsNonWorkCell(m_model.CellToDayOffset(cell));
    const bool hatched = m_optionSWD && nonWork;
    const QRect whole = GetCellRect(cell, CMonthGridModel::PartCell).adjusted(1, 1, 0, 0);
    if (hatched) {
        painter.setBrushOrigin(0, 0); // the pattern lines up across cells
        painter.fillRect(whole,
                         QBrush(mark & CMonthGridModel::CellOtherMonth ? m_otherMonthHatch : m_workHatch));
    }
    DrawDayStrip(painter, cell, GetCellRect(cell, CMonthGridModel::PartStrip), hatched);
    QRect body = GetCellRect(cell, CMonthGridModel::PartBody);
    if (cell == m_todayCell) {
        painter.setPen(ToQColor(colors.today));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(whole.adjusted(0, 0, -1, -1));
        painter.drawRect(whole.adjusted(1, 1, -2, -2));
        body.adjust(2, 0, -2, -2);
    }
    if (!hatched) {
        const COLORREF back =
            (mark & CMonthGridModel::CellOtherMonth) ? m_otherMonthColour : m_backgroundColour;
        painter.fillRect(body, ToQColor(back == 0xFFFFFFFF ? 0xFFFFFF : back));
    }
    (void)view;
}

void CMonthViewCtrl::DrawDayStrip(QPainter &painter, int cell, const QRect &strip, bool hatched) const
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const std::uint8_t mark = m_cellMarks[std::size_t(cell)];
    const bool selected = mark & CMonthGridModel::CellSelected;
    COLORREF back = (mark & CMonthGridModel::CellOtherMonth) ? m_otherMonthColour : m_backgroundColour;
    if (back == 0xFFFFFFFF)
        back = 0xFFFFFF;
    COLORREF text = colors.dayText;
    if (selected) {
        back = m_selectedBack;
        text = m_selectedText;
    }
    if (!hatched || selected)
        painter.fillRect(strip, ToQColor(back));
    const bool nonWork = IsNonWorkCell(m_model.CellToDayOffset(cell));
    if (!selected && nonWork && ProgramSettings().nonWorkDayTextColour != 0)
        text = colors.nonWorkDayText;
    const CDateTime date = GetDayDate(cell);
    bool withMonth = cell == 0;
    if (!withMonth) {
        if (m_model.GetWeekdayMode() == CMonthGridModel::AllDays)
            withMonth = date.GetDay() == 1;
        else
            withMonth = ((mark ^ m_cellMarks[std::size_t(cell - 1)]) & CMonthGridModel::CellOtherMonth) != 0;
    }
    painter.setFont(m_boldFont);
    const QFontMetrics fm(m_boldFont);
    const QRect textRect = strip.adjusted(0, 0, -2, 0);
    const QString label = withMonth
                              ? FormatDayMonthToFit([&](const QString &s) { return fm.horizontalAdvance(s); },
                                                    date, textRect.width())
                              : FormatDateTime(date, QStringLiteral("%#d"));
    painter.setPen(ToQColor(text));
    TextCache().DrawText(painter, textRect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, label);
}

// The look of the day time grid: the time labels, the shaded cells, the today bars and the item
// boxes.
#include "core/dates/DateFormats.h"
#include "core/dates/WeekRules.h"
#include "views/drawing/TextShapeCache.h"
#include "views/timegrid/DayViewCtrl.h"
#include "views/base/DragState.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "views/drawing/ItemBox.h"
#include "toolkit/style/MenuLook.h"
#include "views/drawing/TypeIconDrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

constexpr std::uint32_t kSkipped = CDisplayItem::StateDragged | CDisplayItem::StateHidden;

void HLine(QPainter &p, int x1, int x2, int y, COLORREF colour)
{
    if (x2 > x1)
        p.fillRect(QRect(x1, y, x2 - x1, 1), ToQColor(colour));
}

void VLine(QPainter &p, int x, int y1, int y2, COLORREF colour)
{
    if (y2 > y1)
        p.fillRect(QRect(x, y1, 1, y2 - y1), ToQColor(colour));
}

void Frame(QPainter &p, const QRect &r, COLORREF colour)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    HLine(p, r.x(), RectRight(r), r.y(), colour);
    HLine(p, r.x(), RectRight(r), RectBottom(r) - 1, colour);
    VLine(p, r.x(), r.y(), RectBottom(r), colour);
    VLine(p, RectRight(r) - 1, r.y(), RectBottom(r), colour);
}

// A plain pen of the colour. Boxes after the first mostly find the pen in their text colour
// already, and setting it anew would build a pen each time.
void SetInk(QPainter &p, const QColor &ink)
{
    const QPen &pen = p.pen();
    if (pen.style() != Qt::SolidLine || pen.brush().style() != Qt::SolidPattern || pen.color() != ink)
        p.setPen(ink);
}

// Hour numbers and AM/PM texts of the labels.
QString HourText(int hour, const QString &format)
{
    return FormatDateTime(CDateTime(2000, 1, 1, hour, 0, 0), format);
}

} // namespace

// ---- Rows ----

int CDayViewCtrl::WorkStartRow() const
{
    return m_grid.WorkStartMinutes() / m_grid.MinutesPerRow();
}

int CDayViewCtrl::WorkEndRow() const
{
    int row = m_grid.WorkEndMinutes() / m_grid.MinutesPerRow();
    // A working day that ends in the last minutes of the day takes in the last row.
    if (m_grid.WorkEndHour() == 23 && m_grid.WorkEndMinute() > 55)
        ++row;
    return row;
}

bool CDayViewCtrl::IsCurrentHourRow(int row) const
{
    const int first = CurrentTime().GetHour() * 60 / m_grid.MinutesPerRow();
    return row >= first && row <= first + 60 / m_grid.MinutesPerRow() - 1;
}

// ---- Label width ----

void CDayViewCtrl::ComputeLabelWidth()
{
    int width = 0;
    if (m_grid.MinutesPerRow() == 60) {
        const QFontMetrics metrics(m_normalFont);
        const LocaleFormats &formats = GetLocaleFormats();
        const QString format = formats.clock12 ? QStringLiteral("%I %p") : formats.time;
        for (int hour : {0, 10, 22})
            width = std::max(width, metrics.horizontalAdvance(HourText(hour, format)));
    } else {
        width = 5 * QFontMetrics(m_hourFont).averageCharWidth();
    }
    m_grid.SetLabelWidth(width + 11);
}

// ---- Drawing ----

void CDayViewCtrl::Draw(QPainter &painter, const QRect &)
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const QRect client = GetViewRect();
    m_grid.SetViewRect(client);
    const int rows = m_grid.RowsPerDay();
    const int labelWidth = m_grid.LabelWidth();
    const int rowHeight = m_grid.RowHeight();

    // The cell selection shows only while the grid has the focus and no entry is selected.
    const CDragState *drag = CDragState::Current();
    const bool itemDrag = drag && drag->sourceView == this;
    if (GetSelectedCount() == 0 && !itemDrag && m_hasFocus)
        InvalidateRange(m_anchorCell, m_currentCell, false);
    else
        InvalidateRange(-1, m_currentCell, false);

    VLine(painter, client.x() + labelWidth, client.y(), RectBottom(client), colors.buttonShadow);
    painter.fillRect(QRect(client.x() + labelWidth + 1, client.y(), 2, client.height()),
                     ToQColor(colors.window));
    const int gridLeft = client.x() + labelWidth + 3;
    const QRect gridArea = RectFromEdges(gridLeft, 0, RectRight(client), RectBottom(client));
    const int lastRow = m_grid.WorkingTimeOnly() ? m_grid.EndRow() : rows;
    const int rowsHeight = (lastRow - m_grid.TopRow()) * rowHeight;

    // The right margin and the ground below the last row. The cells painted next may take the
    // line under the last row; the boxes are painted over all of it and these parts go over the
    // boxes again below.
    const QRect rightMargin(RectRight(client) - 2, client.y(), 2, client.height());
    const QRect belowRows = RectFromEdges(gridLeft, rowsHeight + 1, RectRight(client) - 2, RectBottom(client));
    const bool groundBelow = rowsHeight < client.height();
    painter.fillRect(rightMargin, ToQColor(colors.window));
    if (groundBelow) {
        painter.fillRect(belowRows, ToQColor(colors.window));
        HLine(painter, gridLeft, RectRight(client) - 2, rowsHeight, colors.buttonShadow);
    }

    // The cells and the today bars first, then the boxes over them: each box covers its whole
    // rectangle, so nothing needs cutting out of the cells.
    painter.setClipRect(gridArea);
    const int columns = m_grid.ColumnCount();
    std::vector<QRect> todayBars;
    if (columns > 1 && m_todayColumn >= 0 && m_todayColumn < columns) {
        const int left = m_grid.ColumnLeft(m_todayColumn), right = m_grid.ColumnRight(m_todayColumn);
        const int top = m_grid.GridToClientY(0) + 1;
        const int bottom = m_grid.GridToClientY(lastRow * rowHeight);
        todayBars = {RectFromEdges(left + 1, top, left + 3, bottom), RectFromEdges(right - 2, top, right, bottom)};
    }
    // The current hour shades its cells and marks its label alike.
    const int nowHour = CurrentTime().GetHour();
    DrawCells(painter, lastRow, nowHour);
    for (const QRect &bar : todayBars)
        painter.fillRect(bar, ToQColor(colors.today));
    painter.setClipping(false);

    bool moreAbove = false, moreBelow = false;
    painter.setFont(m_normalFont);
    QRect boxesBounds;
    for (int i = 0; i < GetEntryCount(); ++i) {
        const CDisplayItem &e = *m_entries[std::size_t(i)];
        if (e.GetState() & kSkipped)
            continue;
        const QRect box = GetEntryRect(i);
        if (box.width() <= 0)
            continue;
        if (box.intersects(gridArea)) {
            DrawItemBox(painter, e, box);
            boxesBounds |= box;
        } else if (RectBottom(box) <= 0) {
            moreAbove = true;
        } else {
            moreBelow = true;
        }
    }

    // The margin and the ground below the rows lie over the boxes; the line under the last row
    // lies over a box but under the cells.
    if (boxesBounds.intersects(rightMargin))
        painter.fillRect(rightMargin, ToQColor(colors.window));
    if (groundBelow && boxesBounds.bottom() >= rowsHeight) {
        painter.fillRect(belowRows, ToQColor(colors.window));
        const QRect line = RectFromEdges(gridLeft, rowsHeight, RectRight(client) - 2, rowsHeight + 1);
        const QColor lineColour = ToQColor(colors.buttonShadow);
        for (int i = 0; i < GetEntryCount(); ++i) {
            if (m_entries[std::size_t(i)]->GetState() & kSkipped)
                continue;
            const QRect box = GetEntryRect(i);
            if (box.width() <= 0 || !box.intersects(gridArea))
                continue;
            const QRect under = box & line & gridArea;
            if (!under.isEmpty())
                painter.fillRect(under, lineColour);
        }
    }

    DrawLabels(painter, client, moreAbove, moreBelow, nowHour);

    const int shownRows = m_grid.RowsShown();
    const int rowsShownHeight = shownRows * rowHeight + 1;
    if (rowsShownHeight == client.height() && shownRows <= m_grid.EndRow() - m_grid.FirstRow())
        HLine(painter, gridLeft, RectRight(client) - 2, RectBottom(client) - 1, colors.buttonShadow);
}

void CDayViewCtrl::DrawCells(QPainter &painter, int lastRow, int nowHour) const
{
    const int rows = m_grid.RowsPerDay();
    const int columns = m_grid.ColumnCount();
    const int workStart = WorkStartRow(), workEnd = WorkEndRow();
    const int firstDrawn = m_grid.WorkingTimeOnly() ? m_grid.FirstRow() : 0;
    const int lastDrawn = lastRow - 1;
    const auto workingRow = [&](int r) { return r >= workStart && r < workEnd; };
    std::vector<bool> workingColumn(std::size_t(columns), false);
    for (int c = 0; c < columns; ++c)
        workingColumn[std::size_t(c)] =
            IsWorkDate(m_grid.FirstDate() + CDateSpan(double(std::max(0, m_grid.ColumnToDay(c)))));
    const int currentFirst = nowHour * 60 / m_grid.MinutesPerRow();
    const int currentLast = currentFirst + 60 / m_grid.MinutesPerRow() - 1;
    const int topRow = m_grid.TopRow();
    const int endRow = std::min(topRow + m_grid.RowsShown(), lastRow);
    const int perHour = 60 / m_grid.MinutesPerRow();
    const bool hourMarks = m_markHours && m_grid.MinutesPerRow() != 60;
    std::vector<CellLook> run;
    for (int c = 0; c < columns; ++c) {
        const bool working = workingColumn[std::size_t(c)];
        const bool leftDark = c == 0 || !working || !workingColumn[std::size_t(c - 1)];
        const bool rightDark = c == columns - 1 || !working || !workingColumn[std::size_t(c + 1)];
        run.clear();
        int runFirst = topRow;
        for (int r = topRow; r < endRow; ++r) {
            const bool isWorking = working && workingRow(r);
            const bool current = !m_alternateRows && m_currentHour && r >= currentFirst && r <= currentLast;
            const bool alternate = m_alternateRows ? ((c * rows + r) % 2 == 1) : current;
            CellLook look;
            look.edgeLeft = leftDark || !isWorking;
            look.edgeRight = rightDark || !isWorking;
            look.edgeTop = !(isWorking && r != firstDrawn && workingRow(r - 1));
            look.edgeBottom = !(isWorking && r != lastDrawn && workingRow(r + 1));
            look.hourMark = hourMarks && r % perHour == 0;
            if (IsCellSelected(c * rows + r))
                look.fill = m_selectionColour;
            else if (isWorking)
                look.fill = alternate ? m_workingAltColour : m_workingColour;
            else
                look.fill = alternate ? m_nonWorkingAltColour : m_nonWorkingColour;
            // A run goes on while the cells share their fill and their side lines.
            if (!run.empty() && (look.fill != run.back().fill || look.edgeLeft != run.back().edgeLeft ||
                                 look.edgeRight != run.back().edgeRight)) {
                DrawCellRun(painter, c, runFirst, run);
                run.clear();
            }
            if (run.empty())
                runFirst = r;
            run.push_back(look);
        }
        if (!run.empty())
            DrawCellRun(painter, c, runFirst, run);
    }
}

// Paints the cells of one column from `firstRow` down, as cell after cell would paint them: the
// cells overlap by their shared line, where the lower cell's top line and corners win.
void CDayViewCtrl::DrawCellRun(QPainter &painter, int column, int firstRow, const std::vector<CellLook> &run) const
{
    const auto lineColour = [this](bool dark) { return dark ? m_nonWorkingLine : m_workingLine; };
    const int rows = m_grid.RowsPerDay();
    const QRect first = m_grid.GetCellRect(column * rows + firstRow).adjusted(0, 0, 1, 1);
    const QRect last =
        m_grid.GetCellRect(column * rows + firstRow + int(run.size()) - 1).adjusted(0, 0, 1, 1);
    const int left = first.x(), right = RectRight(first);
    const CellLook &look = run.front();
    // The inside of the whole run in one fill; the lines between the cells go over it.
    const QRect inside = RectFromEdges(left + 1, first.y() + 1, right - 1, RectBottom(last) - 1);
    if (inside.width() > 0 && inside.height() > 0)
        painter.fillRect(inside, ToQColor(look.fill));
    const QColor dark = ToQColor(m_nonWorkingLine);
    for (std::size_t i = 0; i < run.size(); ++i) {
        const int top = m_grid.GetCellRect(column * rows + firstRow + int(i)).y();
        HLine(painter, left, right, top, lineColour(run[i].edgeTop));
        if (run[i].hourMark && right - 1 > left + 1)
            HLine(painter, left + 1, right - 1, top + 1, lineColour(run[i].edgeTop));
    }
    HLine(painter, left, right, RectBottom(last) - 1, lineColour(run.back().edgeBottom));
    VLine(painter, left, first.y(), RectBottom(last), lineColour(look.edgeLeft));
    // The right line of a column is the left line of the next one, which is painted after it
    // over the same rows: only the last column paints its own.
    const bool rightLine = column == m_grid.ColumnCount() - 1;
    if (rightLine)
        VLine(painter, right - 1, first.y(), RectBottom(last), lineColour(look.edgeRight));
    // Where a dark and a light edge meet, the corner takes the dark line.
    const auto corner = [&](bool a, bool b, int x, int y) {
        if (a != b)
            painter.fillRect(QRect(x, y, 1, 1), dark);
    };
    for (std::size_t i = 0; i < run.size(); ++i) {
        const int top = m_grid.GetCellRect(column * rows + firstRow + int(i)).y();
        corner(run[i].edgeTop, look.edgeLeft, left, top);
        if (rightLine)
            corner(run[i].edgeTop, look.edgeRight, right - 1, top);
    }
    corner(run.back().edgeBottom, look.edgeLeft, left, RectBottom(last) - 1);
    if (rightLine)
        corner(run.back().edgeBottom, look.edgeRight, right - 1, RectBottom(last) - 1);
}

void CDayViewCtrl::DrawLabels(QPainter &painter, const QRect &client, bool moreAbove, bool moreBelow,
                              int nowHour) const
{
    const CMenuLook &look = CMenuLook::Instance();
    const int labelWidth = m_grid.LabelWidth();
    const int minutes = m_grid.MinutesPerRow();
    const int perHour = 60 / minutes;
    const int rowHeight = m_grid.RowHeight();
    const QRect column(client.x(), client.y(), labelWidth, client.height());
    painter.fillRect(column, ToQColor(m_labelBackground));

    const bool wto = m_grid.WorkingTimeOnly();
    const int lastHour = wto ? m_grid.WorkEndHour() + (m_grid.WorkEndMinute() != 0 ? 1 : 0) : 24;
    int lastBandBottom = -1;
    // Each label leaves the normal font set again after its hour number.
    painter.setFont(m_normalFont);
    for (int hour = 0; hour < lastHour; ++hour) {
        const int top = m_grid.GridToClientY(hour * perHour * rowHeight);
        const QRect band =
            RectFromEdges(column.x() + 7, top, RectRight(column) - 4, top + perHour * rowHeight);
        lastBandBottom = RectBottom(band);
        if (RectBottom(band) < client.y() || band.y() > RectBottom(client))
            continue;
        COLORREF ink = m_labelText;
        if (hour == nowHour) {
            painter.fillRect(
                RectFromEdges(band.x() - 6, band.y() + 2, RectRight(band) + 3, RectBottom(band) - 1),
                ToQColor(m_labelText));
            ink = m_labelBackground;
        }
        HLine(painter, band.x(), RectRight(band), band.y(), m_labelText);
        const int ticks = (wto && hour == m_grid.WorkEndHour()) ? m_grid.WorkEndMinute() / minutes : perHour;
        for (int t = 1; t <= ticks && t < perHour; ++t)
            HLine(painter, RectRight(band) - labelWidth / 3, RectRight(band), band.y() + t * rowHeight, ink);

        SetInk(painter, ToQColor(ink));
        const QRect textRect = RectFromEdges(band.x(), band.y() + 3, RectRight(band), RectBottom(band));
        const int align = Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine;
        const HourLabel label = GetHourLabel(hour);
        TextCache().DrawText(painter, textRect, align, label.text);
        if (!label.number.isEmpty()) {
            painter.setFont(m_hourFont);
            TextCache().DrawText(painter, textRect.adjusted(0, 2, -labelWidth / 3, 0), align, label.number);
            painter.setFont(m_normalFont);
        }
    }
    if (lastBandBottom >= 0)
        HLine(painter, column.x() + 7, RectRight(column) - 4, lastBandBottom, m_labelText);

    const QList<QPixmap> &marks = look.GetSortMarks();
    const QRect up(RectRight(column) - 11, column.y(), 11, 7);
    const QRect down(RectRight(column) - 11, RectBottom(column) - 7, 11, 7);
    const auto drawMark = [&](const QRect &r, int image, bool pointsUp) {
        if (marks.size() > image) {
            painter.drawPixmap(r.topLeft(), marks[image]);
            return;
        }
        QPolygon arrow;
        if (pointsUp)
            arrow << QPoint(r.x() + 5, r.y() + 1) << QPoint(r.x() + 1, r.y() + 5)
                  << QPoint(r.x() + 9, r.y() + 5);
        else
            arrow << QPoint(r.x() + 1, r.y() + 1) << QPoint(r.x() + 9, r.y() + 1)
                  << QPoint(r.x() + 5, r.y() + 5);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(m_labelText));
        painter.drawPolygon(arrow);
        painter.setBrush(Qt::NoBrush);
    };
    if (moreAbove)
        drawMark(up, 1, true);
    if (moreBelow)
        drawMark(down, 0, false);
}

CDayViewCtrl::HourLabel CDayViewCtrl::GetHourLabel(int hour) const
{
    const LocaleFormats &formats = GetLocaleFormats();
    const int perHour = 60 / m_grid.MinutesPerRow();
    HourLabel label;
    if (perHour == 1) {
        // In 12-hour locales midnight, noon and the first whole hour at the top carry AM/PM.
        if (!formats.clock12)
            label.text = HourText(hour, formats.time);
        else if (hour == 0 || hour == 12 || hour == m_grid.TopRow())
            label.text = HourText(hour, QStringLiteral("%#I %p"));
        else
            label.text = HourText(hour, QStringLiteral("%#I:%M"));
        return label;
    }
    label.text = formats.clock12 ? HourText(hour, QStringLiteral("%p")) : QStringLiteral("00");
    const int shown = formats.clock12 ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
    label.number = formats.hourLeadingZero ? QStringLiteral("%1").arg(shown, 2, 10, QLatin1Char('0'))
                                           : QString::number(shown);
    return label;
}

void CDayViewCtrl::DrawItemBox(QPainter &painter, const CDisplayItem &entry, const QRect &box) const
{
    const CMenuLook::Colors &look = CMenuLook::Instance().GetColors();
    const bool editing = m_host && m_host->IsEditVisible();
    const std::uint32_t state = entry.GetState();
    const bool selectedLook =
        (state & CDisplayItem::StateSelected) && ((state & CDisplayItem::StateFocus) || editing);

    const QRect inner = box.adjusted(1, 1, -1, -1);
    if (inner.width() <= 0 || inner.height() <= 0)
        return;
    const ItemColors colors = GetItemColors(entry);
    const bool icons = m_showTypeIcon != 0, symbols = m_showStatusIcons != 0;
    const std::vector<int> glyphs = symbols ? ItemBoxStatusGlyphs(entry) : std::vector<int>();
    // A plain box is its frame line and a one-pixel ring of its own colour around the text: two
    // fills under the text, which stays inside the ring. Boxes with icons or the selected look
    // paint their frames last, over whatever came before.
    const bool plain = !selectedLook && !icons && glyphs.empty();
    if (plain) {
        const QColor frame = ToQColor(look.windowFrame), inside = ToQColor(colors.background);
        if (!m_boxStamps.Draw(painter, box, frame, inside)) {
            painter.fillRect(box, frame);
            painter.fillRect(inner, inside);
        }
    } else if (selectedLook) {
        FillGradientRect(painter, inner, colors.gradientLight, colors.gradientDark, true);
    } else {
        painter.fillRect(inner, ToQColor(colors.background));
    }

    // Icon and status symbols in a column at the left.
    const int h = m_textHeight;
    int textLeft = inner.x() + 1;
    if (icons || symbols) {
        QSize symbol = h <= 17 ? QSize(14, 11) : (h > 24 ? QSize(25, 20) : QSize(18, 15));
        const int iconSize = (h >= 15 && h <= 24) ? 16 : symbol.width();
        const int columnWidth = std::max(icons ? iconSize : 0, symbols ? symbol.width() : 0);
        const int iconTop = inner.y() + std::max(0, (h - iconSize) / 2);
        const auto drawIcon = [&] {
            if (icons)
                DrawTypeIconSized(painter, entry.GetItemTypeIndex(), inner.x() + 1, iconTop, iconSize,
                                  iconSize, entry.GetKind() == CDisplayItem::KindTask);
        };
        if (selectedLook)
            drawIcon();
        const int step = std::max({icons ? iconSize : 0, symbol.height(), h});
        int y = inner.y() + (icons ? step : 0), x = inner.x() + 1 + columnWidth + 1;
        int usedWidth = columnWidth;
        if (!glyphs.empty()) {
            painter.setPen(ToQColor(colors.text));
            for (int glyph : glyphs) {
                if (y + symbol.height() <= RectBottom(inner)) {
                    DrawItemGlyph(painter, glyph, inner.x() + 1, y, symbol.width(), symbol.height(),
                                  symbol.width());
                    y += step;
                } else if (x + symbol.width() <= RectRight(inner)) {
                    DrawItemGlyph(painter, glyph, x, inner.y() + std::max(0, (h - symbol.height()) / 2),
                                  symbol.width(), symbol.height(), symbol.width());
                    x += symbol.width() + 1;
                    usedWidth = x - inner.x() - 1;
                }
            }
        }
        textLeft = inner.x() + 1 + usedWidth + 1;
        if (!selectedLook)
            drawIcon();
    }

    // The marks of a box that goes on from the day before or into the next lie under its frame
    // line, which is painted over them below.
    if (!plain) {
        if (entry.HasFlag(CDisplayItem::FlagBeginsBefore))
            HLine(painter, box.x() + 3, RectRight(box) - 1, box.y(), look.buttonShadow);
        if (entry.HasFlag(CDisplayItem::FlagEndsAfter))
            HLine(painter, box.x(), RectRight(box), RectBottom(box) - 1, colors.background);
    }

    // Caption, word-wrapped in tall boxes, then the notes under a line. A plain box clips them to
    // the inside of its ring rather than painting the ring again over them.
    const QRect textRect = RectFromEdges(textLeft, inner.y(), RectRight(inner), RectBottom(inner));
    const QRect ringInside = inner.adjusted(1, 1, -1, -1);
    QString caption, shown;
    bool wrap = false;
    if (textRect.width() > 0 && (!plain || !ringInside.isEmpty())) {
        caption = entry.GetTimeRangeText(m_showStartTime, m_showEndTime, m_showItemType, m_showCategories,
                                         entry.HasFlag(CDisplayItem::FlagBeginsBefore),
                                         entry.HasFlag(CDisplayItem::FlagEndsAfter));
        const int cells = entry.GetLastCell() - entry.GetFirstCell() + 1;
        wrap = cells > 1 || (h > 0 && cells < box.height() / h);
        if (!wrap)
            shown = TextCache().Elided(m_normalFont, caption, textRect.width());
    }
    // A one-line caption cut to nothing leaves nothing to paint, and no font, clip or pen to set.
    if (wrap || !shown.isEmpty()) {
        if (painter.font() != m_normalFont)
            painter.setFont(m_normalFont);
        if (plain)
            painter.setClipRect(ringInside);
        SetInk(painter, ToQColor(colors.text));
        if (wrap) {
            QRect used;
            painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption, &used);
            if (m_showNotes && entry.HasFlag(CDisplayItem::FlagNotes) && !entry.GetNotes().isEmpty() &&
                used.height() > 0) {
                const int lineY = used.y() + used.height() + 3;
                if (lineY < RectBottom(inner)) {
                    HLine(painter, textRect.x(), RectRight(box) - 2, lineY, colors.text);
                    painter.drawText(RectFromEdges(textRect.x(), lineY + 1, textRect.x() + textRect.width(),
                                                   RectBottom(inner)),
                                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs,
                                     entry.GetNotes());
                }
            }
        } else {
            TextCache().DrawText(painter, textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
        }
        if (plain)
            painter.setClipping(false);
    }

    if (plain)
        return;
    Frame(painter, inner, selectedLook ? look.selectedFrame : colors.background);
    if (selectedLook)
        Frame(painter, inner.adjusted(1, 1, -1, -1), look.selectedFrame);
    Frame(painter, box, look.windowFrame);
}

// The year grid's panels, day entries, geometry and font fitting.
#include "views/year/YearGridModel.h"

#include "core/items/DisplayItem.h"
#include "core/dates/WeekRules.h"
#include "views/base/CellDateFlags.h"

#include <algorithm>
#include <cmath>

namespace {

// Whole days from a to b (both taken at their date).
int DaysBetween(const CDateTime &a, const CDateTime &b)
{
    return int(std::lround(b.DatePart().Linear() - a.DatePart().Linear()));
}

CDateTime AddWholeDays(const CDateTime &date, int days)
{
    return (date + CDateSpan(double(days))).DatePart();
}

bool AtMidnight(const CDateTime &t)
{
    return t.IsValid() && t == t.DatePart();
}

} // namespace

YearGridMetrics YearGridMetrics::From(const YearFontSizes &s, bool weekNumbers)
{
    YearGridMetrics m;
    m.captionHeight = s.boldHeight + 4;
    m.sideMargin = s.averageWidth;
    m.weekdayRowHeight = s.height + 3;
    m.cellWidth = 3 * s.averageWidth + 2;
    m.cellHeight = s.height + 2;
    m.bottomMargin = 2;
    m.weekNumberWidth = weekNumbers ? 3 * s.averageWidth + 2 : 0;
    m.contentWidth = 23 * s.averageWidth + m.weekNumberWidth + 16;
    m.contentHeight = m.captionHeight + 7 * s.height + 19;
    return m;
}

bool YearFontFits(const YearFontSizes &s, bool weekNumbers, int pw, int ph)
{
    const int width = 23 * s.averageWidth + 16 + (weekNumbers ? 3 * s.averageWidth + 2 : 0);
    return pw >= width && ph >= 7 * s.height + s.boldHeight + 23;
}

// ---- Panels and dates ----

void CYearGridModel::CreatePanels()
{
    m_panels = std::make_unique<std::array<CNavigatorMonth, kPanels>>();
    for (CNavigatorMonth &panel : *m_panels)
        panel.weekNumbers.fill(0);
}

void CYearGridModel::DestroyPanels()
{
    m_panels.reset();
    m_entryCount = 0;
    m_focusCell = -1;
    m_todayCell = -1;
}

void CYearGridModel::ClearEntries()
{
    m_entryCount = 0;
    if (!m_panels)
        return;
    for (CNavigatorMonth &panel : *m_panels) {
        for (CYearDayCell &cell : panel.cells) {
            cell.entries.clear();
            cell.commonType = -1;
        }
    }
}

void CYearGridModel::Fill(const CDateTime &date, int firstDayOfWeek, int weekRule, const CDateTime &today)
{
    if (!m_panels)
        CreatePanels();
    m_year = date.GetYear();
    m_firstDate = CDateTime(m_year, 1, 1);
    m_lastDate = CDateTime(m_year, 12, 31);
    m_daysInYear = m_lastDate.GetDayOfYear();
    m_focusCell = -1;
    m_todayCell = -1;
    for (int m = 1; m <= 12; ++m) {
        CNavigatorMonth &panel = (*m_panels)[std::size_t(m - 1)];
        panel.firstOfMonth = CDateTime(m_year, m, 1);
        // Weekday of the 1st counted from Monday, then from the first day of the week.
        const int mondayBased = (panel.firstOfMonth.GetDayOfWeek() + 5) % 7;
        panel.leadingBlanks = (mondayBased - firstDayOfWeek + 7) % 7;
        const int days = CDateTime::DaysInMonth(m_year, m);
        const CDateTime gridStart = AddWholeDays(panel.firstOfMonth, -panel.leadingBlanks);
        for (int row = 0; row < CNavigatorMonth::kRows; ++row) {
            const int firstIndex = row * CNavigatorMonth::kColumns - panel.leadingBlanks;
            const bool inMonth = firstIndex >= 0 && firstIndex < days;
            panel.weekNumbers[std::size_t(row)] =
                (inMonth || row < 2)
                    ? GetWeekOfYear(weekRule, firstDayOfWeek, AddWholeDays(gridStart, row * 7 + 6))
                    : -1;
        }
        for (int i = 0; i < CNavigatorMonth::kCells; ++i) {
            CYearDayCell &cell = panel.cells[std::size_t(i)];
            const int day = i - panel.leadingBlanks + 1;
            if (day < 1 || day > days) {
                cell.flags = CYearDayCell::FlagBlank;
                cell.day = -1;
                continue;
            }
            cell.flags = CYearDayCell::FlagInMonth;
            cell.day = day;
            const int index = (m - 1) * CNavigatorMonth::kCells + i;
            if (m == date.GetMonth() && day == date.GetDay())
                m_focusCell = index;
            if (today.IsValid() && today.GetYear() == m_year && today.GetMonth() == m &&
                today.GetDay() == day)
                m_todayCell = index;
        }
    }
}

const CYearDayCell *CYearGridModel::GetCell(int cell) const
{
    if (!m_panels || cell < 0 || cell >= kCells)
        return nullptr;
    return &(*m_panels)[std::size_t(cell / CNavigatorMonth::kCells)]
                .cells[std::size_t(cell % CNavigatorMonth::kCells)];
}

CYearDayCell *CYearGridModel::CellAt(int cell)
{
    return const_cast<CYearDayCell *>(GetCell(cell));
}

int CYearGridModel::CellOfDay(int dayIndex) const
{
    const CDateTime date = AddWholeDays(m_firstDate, dayIndex);
    const int panel = date.GetMonth() - 1;
    return panel * CNavigatorMonth::kCells + GetPanel(panel).leadingBlanks + date.GetDay() - 1;
}

int CYearGridModel::CellFromDate(const CDateTime &date, int *flags) const
{
    int f = AtMidnight(date) ? kCellAtMidnight : 0;
    int result = -1;
    if (m_panels && date.IsValid()) {
        int index = DaysBetween(m_firstDate, date);
        if (index < 0 || index >= m_daysInYear) {
            f |= kCellClipped;
            index = std::clamp(index, 0, m_daysInYear - 1);
        }
        result = CellOfDay(index);
    }
    if (flags)
        *flags = f;
    return result;
}

CDateTime CYearGridModel::GetDayDate(int cell) const
{
    if (!m_panels || cell < 0 || cell >= kCells)
        return m_firstDate;
    const CNavigatorMonth &panel = GetPanel(cell / CNavigatorMonth::kCells);
    // Every cell, blank or not, stands for the day at its own position in the panel's weeks.
    return AddWholeDays(panel.firstOfMonth, cell % CNavigatorMonth::kCells - panel.leadingBlanks);
}

// ---- Entries ----

bool CYearGridModel::AddEntry(const CDisplayItem &item)
{
    if (!m_panels || item.GetKind() == CDisplayItem::KindTask || m_daysInYear <= 0)
        return false;
    const CDateTime &start = item.GetStart();
    const CDateTime &end = item.GetEnd();
    if (!start.IsValid() || !end.IsValid())
        return false;
    const int startIndex = DaysBetween(m_firstDate, start);
    const int endIndex = DaysBetween(m_firstDate, end);
    const bool endAtMidnight = AtMidnight(end);
    // An occurrence that falls wholly outside the shown year marks nothing.
    if (startIndex >= m_daysInYear || endIndex < 0 || (startIndex < 0 && endIndex == 0 && endAtMidnight))
        return false;
    const int first = std::max(startIndex, 0);
    int last = std::min(endIndex, m_daysInYear - 1);
    // An end at 00:00 inside the year does not cover its day.
    if (endAtMidnight && endIndex < m_daysInYear)
        last = endIndex - 1;
    if (last == first - 1)
        last = first;
    if (first > last)
        return false;
    CYearDayEntry entry;
    entry.kind = item.GetKind();
    entry.recordId = item.GetItemRef();
    entry.occurrence = item.GetOccurrenceDate();
    entry.itemTypeIndex = item.GetItemTypeIndex();
    entry.subject = item.GetSubject();
    for (int day = first; day <= last; ++day) {
        CYearDayCell *cell = CellAt(CellOfDay(day));
        if (!cell || !cell->ShowsDay())
            continue;
        cell->entries.push_back(entry);
        cell->RecomputeCommonType();
        ++m_entryCount;
    }
    return true;
}

bool CYearGridModel::RemoveEntriesWhere(const std::function<bool(const CYearDayEntry &)> &match)
{
    bool any = false;
    for (int c = 0; m_panels && c < kCells; ++c) {
        CYearDayCell &cell = *CellAt(c);
        const auto gone = std::remove_if(cell.entries.begin(), cell.entries.end(), match);
        const int removed = int(cell.entries.end() - gone);
        if (removed == 0)
            continue;
        cell.entries.erase(gone, cell.entries.end());
        cell.RecomputeCommonType();
        m_entryCount -= removed;
        any = true;
    }
    return any;
}

bool CYearGridModel::RemoveEntriesOfRecord(std::uint32_t recordId)
{
    return RemoveEntriesWhere([recordId](const CYearDayEntry &e) { return e.recordId == recordId; });
}

bool CYearGridModel::RemoveOccurrenceEntries(std::uint32_t recordId, const CDateTime &occurrence)
{
    return RemoveEntriesWhere(
        [&](const CYearDayEntry &e) { return e.recordId == recordId && e.occurrence == occurrence; });
}

void CYearGridModel::SetEntryTypeForItem(std::uint32_t recordId, int typeIndex)
{
    for (int c = 0; m_panels && c < kCells; ++c) {
        CYearDayCell &cell = *CellAt(c);
        bool changed = false;
        for (CYearDayEntry &e : cell.entries) {
            if (e.recordId == recordId) {
                e.itemTypeIndex = typeIndex;
                changed = true;
            }
        }
        if (changed)
            cell.RecomputeCommonType();
    }
}

QString CYearGridModel::GetEntryTipText(int cell) const
{
    const CYearDayCell *c = GetCell(cell);
    if (!c || !c->ShowsDay())
        return {};
    QString text;
    for (const CYearDayEntry &e : c->entries) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += e.subject;
    }
    return text;
}

// ---- Fonts ----

bool CYearGridModel::SetFontPoints(int points)
{
    YearFontSizes sizes;
    if (!m_probe || !m_probe(points, sizes))
        return false;
    m_points = points;
    m_metrics = YearGridMetrics::From(sizes, m_weekNumbers);
    return true;
}

int CYearGridModel::ShrinkFonts(int pw, int ph, int minimum)
{
    int chosen = minimum;
    YearFontSizes sizes;
    for (int n = m_points - 1; n > minimum; --n) {
        if (!m_probe || !m_probe(n, sizes))
            return m_points; // keep the last good size
        if (YearFontFits(sizes, m_weekNumbers, pw, ph)) {
            chosen = n;
            break;
        }
    }
    if (!SetFontPoints(chosen))
        return m_points;
    return chosen;
}

int CYearGridModel::GrowFonts(int pw, int ph, int limit)
{
    int chosen = m_points;
    YearFontSizes sizes;
    while (chosen < limit) {
        if (!m_probe || !m_probe(chosen + 1, sizes) || !YearFontFits(sizes, m_weekNumbers, pw, ph))
            break;
        ++chosen;
    }
    if (chosen != m_points)
        SetFontPoints(chosen);
    return m_points;
}

// ---- Geometry ----

void CYearGridModel::Relayout(const QRect &view, int settingPoints)
{
    const int w = view.width(), h = view.height();
    if (w <= 0 || h <= 0 || !m_panels)
        return;
    m_panelColumns = h < w ? 4 : 3;
    m_panelRows = h < w ? 3 : 4;
    const int pw = w / m_panelColumns, ph = h / m_panelRows;
    if (pw < m_metrics.contentWidth || ph < m_metrics.contentHeight)
        ShrinkFonts(pw, ph, kMinPoints);
    else
        GrowFonts(pw, ph, m_autoSize ? kAutoSizeLimit : settingPoints);
    int cellW = pw, cellH = ph, left = view.left(), top = view.top();
    if (!m_autoSize) {
        cellW = m_metrics.contentWidth;
        cellH = m_metrics.contentHeight;
        left += std::max(0, (w - m_panelColumns * cellW) / 2);
        top += std::max(0, (h - m_panelRows * cellH) / 2);
    }
    for (int p = 0; p < kPanels; ++p) {
        const int col = p % m_panelColumns, row = p / m_panelColumns;
        (*m_panels)[std::size_t(p)].rect = QRect(left + col * cellW, top + row * cellH, cellW, cellH);
    }
}

QRect CYearGridModel::ContentRect(int panel) const
{
    if (!m_panels || panel < 0 || panel >= kPanels)
        return {};
    const QRect r = GetPanel(panel).rect;
    return QRect(r.left() + (r.width() - m_metrics.contentWidth) / 2,
                 r.top() + (r.height() - m_metrics.contentHeight) / 2, m_metrics.contentWidth,
                 m_metrics.contentHeight);
}

QRect CYearGridModel::CellArea(int panel) const
{
    const QRect content = ContentRect(panel);
    if (content.isNull())
        return {};
    const YearGridMetrics &m = m_metrics;
    return QRect(content.left() + m.sideMargin + m.weekNumberWidth + 1,
                 content.top() + m.captionHeight + m.weekdayRowHeight + 1,
                 CNavigatorMonth::kColumns * m.cellWidth, CNavigatorMonth::kRows * m.cellHeight);
}

QRect CYearGridModel::GetCellRect(int cell) const
{
    if (!m_panels || cell < 0 || cell >= kCells)
        return {};
    const QRect area = CellArea(cell / CNavigatorMonth::kCells);
    const int index = cell % CNavigatorMonth::kCells;
    return QRect(area.left() + (index % CNavigatorMonth::kColumns) * m_metrics.cellWidth,
                 area.top() + (index / CNavigatorMonth::kColumns) * m_metrics.cellHeight, m_metrics.cellWidth,
                 m_metrics.cellHeight);
}

int CYearGridModel::CellFromPoint(const QPoint &point) const
{
    if (!m_panels || m_metrics.cellWidth <= 0 || m_metrics.cellHeight <= 0)
        return -1;
    for (int p = 0; p < kPanels; ++p) {
        const QRect area = CellArea(p);
        if (!area.contains(point))
            continue;
        const int column = std::min(6, (point.x() - area.left()) / m_metrics.cellWidth);
        const int row = std::min(5, (point.y() - area.top()) / m_metrics.cellHeight);
        const int cell = p * CNavigatorMonth::kCells + row * CNavigatorMonth::kColumns + column;
        return GetCell(cell)->ShowsDay() ? cell : -1;
    }
    return -1;
}

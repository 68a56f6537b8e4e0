// The month grid's arithmetic: weekday maps, dates of cells, geometry, pieces and lanes.
#include "views/month/MonthGridModel.h"

#include "core/dates/DateRules.h"
#include "core/dates/WeekRules.h"
#include "views/month/LanePacking.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {
constexpr std::uint32_t kBar = CDisplayItem::FlagAllDay;
constexpr std::uint32_t kPerDay = CDisplayItem::FlagCrossesMidnight;
constexpr std::uint32_t kBefore = CDisplayItem::FlagBeginsBefore;
constexpr std::uint32_t kAfter = CDisplayItem::FlagEndsAfter;

int CeilDiv(int a, int b)
{
    return (a + b - 1) / b;
}

CDateTime MidnightOf(const CDateTime &date)
{
    // One split of the date into its parts serves the year, the month and the day.
    CDateTime::Parts p;
    if (!date.GetParts(p))
        return CDateTime(date.GetYear(), date.GetMonth(), date.GetDay());
    return CDateTime(p.year, p.month, p.day);
}

// Whole days from `from` to `to` (both midnights of their days).
int DaysBetween(const CDateTime &from, const CDateTime &to)
{
    return int(std::lround((MidnightOf(to) - MidnightOf(from)).GetTotalDays()));
}

bool IsPlaced(const CDisplayItem &e)
{
    return e.GetRect().height() > 0;
}

bool IsDragged(const CDisplayItem &e)
{
    return e.HasState(CDisplayItem::StateDragged);
}
} // namespace

CMonthGridModel::CMonthGridModel()
{
    for (int i = 0; i < 7; ++i) {
        m_columnToWeekday[std::size_t(i)] = i;
        m_weekdayToColumn[std::size_t(i)] = i;
    }
    m_gridStart = MidnightOf(GetToday());
    m_anchorDate = m_gridStart;
}

// ---- Weekdays and rows ----

void CMonthGridModel::SetVisibleWeekdays(bool showWork, bool showNonWork)
{
    m_weekdayMode = showWork == showNonWork ? AllDays : (showWork ? WorkDaysOnly : NonWorkDaysOnly);
    for (;;) {
        m_columns = 0;
        m_columnToWeekday.fill(-1);
        for (int i = 0; i < 7; ++i) {
            const bool visible = m_weekdayMode == AllDays ||
                                 (m_weekdayMode == WorkDaysOnly && IsWorkDayByIndex(i)) ||
                                 (m_weekdayMode == NonWorkDaysOnly && IsNonWorkDayByIndex(i));
            m_weekdayToColumn[std::size_t(i)] = visible ? m_columns : -1;
            if (visible)
                m_columnToWeekday[std::size_t(m_columns++)] = i;
        }
        if (m_columns > 0)
            return;
        m_weekdayMode = AllDays;
    }
}

int CMonthGridModel::ColumnToWeekday(int column) const
{
    return column >= 0 && column < 7 ? m_columnToWeekday[std::size_t(column)] : -1;
}

int CMonthGridModel::WeekdayToColumn(int weekday) const
{
    return weekday >= 0 && weekday < 7 ? m_weekdayToColumn[std::size_t(weekday)] : -1;
}

void CMonthGridModel::SetWeekCountMode(bool on, int weeks)
{
    m_weekCountMode = on;
    m_weekCount = std::clamp(weeks, 1, 10);
    if (on)
        m_rows = m_weekCount;
}

int CMonthGridModel::DayCount() const
{
    return m_weekdayMode != AllDays ? m_rows * 7 : CellCount();
}

int CMonthGridModel::CellToDayOffset(int cell) const
{
    if (cell < 0)
        return -1;
    return m_columnToWeekday[std::size_t(cell % m_columns)] + 7 * (cell / m_columns);
}

int CMonthGridModel::DayOffsetToCell(int offset) const
{
    if (offset < 0)
        return -1;
    return m_weekdayToColumn[std::size_t(offset % 7)] + m_columns * (offset / 7);
}

bool CMonthGridModel::IsOffsetVisible(int offset) const
{
    return offset >= 0 && m_weekdayToColumn[std::size_t(offset % 7)] >= 0;
}

// ---- Dates ----

CDateTime CMonthGridModel::GetDayDate(int cell) const
{
    CDateTime date = m_gridStart;
    AddDays(date, CellToDayOffset(cell));
    return date;
}

int CMonthGridModel::SetDate(const CDateTime &date, bool keepContext, bool scrollContext,
                             const CDateTime &today, std::vector<std::uint8_t> &marks)
{
    const CDateTime day = MidnightOf(date);
    CDateTime start = day;
    if (!m_weekCountMode)
        start = CDateTime(day.GetYear(), day.GetMonth(), 1);
    else if (keepContext && scrollContext && m_rows > 2)
        AddDays(start, -7);
    m_anchorDate = start;
    const int f = GetFirstDayOfWeek(), w = start.GetDayOfWeek();
    AddDays(start, f - w - 5 + (w - f >= 2 ? 7 : 0));
    m_gridStart = start;

    if (!m_weekCountMode) {
        CDateTime sixth = m_gridStart;
        AddDays(sixth, 35);
        m_rows = sixth.GetMonth() == m_anchorDate.GetMonth() ? 6 : 5;
    }

    const int cells = CellCount();
    marks.assign(std::size_t(cells), 0);
    const int shownMonth = m_anchorDate.GetMonth();
    const int s = m_gridStart.GetMonth(), t = today.GetMonth();
    const int shadedParity = (s - t > 0 && (s - t) % 2 == 1) ? s % 2 : 1 - s % 2;
    for (int offset = 0; offset < 7 * m_rows; ++offset) {
        if (!IsOffsetVisible(offset))
            continue;
        const int cell = DayOffsetToCell(offset);
        CDateTime d = m_gridStart;
        AddDays(d, offset);
        const bool other = m_weekCountMode ? d.GetMonth() % 2 == shadedParity : d.GetMonth() != shownMonth;
        if (other && cell < cells)
            marks[std::size_t(cell)] |= CellOtherMonth;
    }

    int offset = DaysBetween(m_gridStart, day);
    for (int i = 0; i < 7 && m_weekdayMode != AllDays && !IsOffsetVisible(offset); ++i)
        ++offset;
    const int cell = DayOffsetToCell(std::max(0, offset));
    return cells > 0 ? cell % cells : 0;
}

int CMonthGridModel::TodayCell(const CDateTime &today) const
{
    if (!today.IsValid())
        return -1;
    const int offset = DaysBetween(m_gridStart, today);
    if (offset < 0 || offset >= DayCount() || !IsOffsetVisible(offset))
        return -1;
    const int cell = DayOffsetToCell(offset);
    return cell < CellCount() ? cell : -1;
}

const CMonthGridModel::GridSpan &CMonthGridModel::Span() const
{
    const int days = DayCount();
    if (m_span.days != days || !(m_span.start == m_gridStart)) {
        m_span.start = m_gridStart;
        m_span.days = days;
        m_span.end = m_gridStart;
        AddDays(m_span.end, days);
        long day = 0, seconds = 0;
        m_span.startDayValid = m_gridStart.GetDayAndSeconds(day, seconds);
        m_span.startDay = m_span.startDayValid ? day : 0;
    }
    return m_span;
}

int CMonthGridModel::DayOffsetFromDate(const CDateTime &date, bool *atMidnight, bool *clipped) const
{
    // The day and the time of day are taken once, without the calendar parts.
    long day = 0, seconds = 0;
    const bool split = date.GetDayAndSeconds(day, seconds);
    bool midnight = split && seconds == 0;
    bool clip = false;
    int result = 0;
    const int n = DayCount();
    if (date < m_gridStart) {
        clip = true;
    } else {
        const GridSpan &span = Span();
        const int offset = split && span.startDayValid ? int(day - span.startDay) : DaysBetween(m_gridStart, date);
        if (offset < n) {
            result = offset;
        } else if (offset == n && midnight) {
            // An end exactly at the grid's end covers the last day only.
            if (m_weekdayMode == AllDays) {
                result = n - 1;
                midnight = false;
            } else {
                result = n;
            }
        } else {
            clip = true;
            result = n - 1;
        }
    }
    if (atMidnight)
        *atMidnight = midnight;
    if (clipped)
        *clipped = clip;
    return result;
}

// ---- Geometry ----

void CMonthGridModel::SetMetrics(int textHeight, int boldTextHeight)
{
    m_lineHeight = textHeight;
    m_laneHeight = textHeight + 5;
    m_stripHeight = textHeight + 3;
    m_headerHeight = boldTextHeight + 6;
}

QRect CMonthGridModel::CellRect(const QRect &view, int cell, int part) const
{
    const int viewRight = view.left() + view.width(), viewBottom = view.top() + view.height();
    const int columnWidth = view.width() / m_columns;
    const int rowHeight = (view.height() - m_headerHeight) / m_rows;
    const int column = cell % m_columns, row = cell / m_columns;
    const int left = view.left() + column * columnWidth;
    const int top = view.top() + m_headerHeight + row * rowHeight;
    const int right = column == m_columns - 1 ? viewRight - 1 : left + columnWidth;
    const int bottom = cell >= m_columns * (m_rows - 1) ? viewBottom - 1 : top + rowHeight;
    switch (part) {
    case PartStrip:
        return EdgeRect(left + 1, top + 1, right, top + 1 + m_stripHeight);
    case PartBody:
        return EdgeRect(left + 1, top + 1 + m_stripHeight, right, bottom);
    default:
        return EdgeRect(left, top, right, bottom);
    }
}

int CMonthGridModel::CellFromPoint(const QRect &view, const QPoint &point) const
{
    // A window smaller than the grid has zero-sized columns or rows: count them as one pixel.
    const int columnWidth = std::max(1, view.width() / m_columns);
    const int rowHeight = std::max(1, (view.height() - m_headerHeight) / m_rows);
    const int row = std::min(std::max(0, point.y() - (view.top() + m_headerHeight)) / rowHeight, m_rows - 1);
    const int column = std::min(std::max(0, point.x() - view.left()) / columnWidth, m_columns - 1);
    return column + m_columns * row;
}

QRect CMonthGridModel::OverflowGlyphRect(const QRect &view, int cell) const
{
    const QRect body = CellRect(view, cell, PartBody);
    const int right = body.left() + body.width() - 1, bottom = body.top() + body.height() - 1;
    return EdgeRect(right - kGlyphWidth, bottom - kGlyphHeight, right, bottom);
}

// ---- Placement ----

bool CMonthGridModel::MapEntryCells(const CDisplayItem &entry, int &first, int &last, bool &clippedStart,
                                    bool &clippedEnd) const
{
    // Entries wholly before or after the grid would otherwise be pinned to its first or last day.
    const CDateTime &gridEnd = Span().end;
    if (entry.GetStart() >= gridEnd || entry.GetEnd() < m_gridStart ||
        (entry.GetEnd() == m_gridStart && entry.GetStart() < entry.GetEnd()))
        return false;
    bool startMidnight = false, endMidnight = false;
    first = DayOffsetFromDate(entry.GetStart(), &startMidnight, &clippedStart);
    last = DayOffsetFromDate(entry.GetEnd(), &endMidnight, &clippedEnd);
    if (!clippedEnd && endMidnight) {
        --last;
        if (last == first - 1)
            last = first;
    }
    if (m_weekdayMode != AllDays) {
        while (first <= last && !IsOffsetVisible(first)) {
            ++first;
            clippedStart = true;
        }
        while (last >= first && !IsOffsetVisible(last)) {
            --last;
            clippedEnd = true;
        }
        if (first > last)
            return false;
        first = DayOffsetToCell(first);
        last = DayOffsetToCell(last);
    }
    // An entry that starts exactly where the grid ends shows on none of its cells.
    if (first >= CellCount())
        return false;
    last = std::min(last, CellCount() - 1);
    return last >= first;
}

bool CMonthGridModel::PlaceEntry(std::unique_ptr<CDisplayItem> entry, EntryList &out) const
{
    if (!entry)
        return false;
    int first = 0, last = 0;
    bool clippedStart = false, clippedEnd = false;
    if (!MapEntryCells(*entry, first, last, clippedStart, clippedEnd))
        return false;
    return SplitEntry(std::move(entry), first, last, clippedStart, clippedEnd, out);
}

bool CMonthGridModel::SplitEntry(std::unique_ptr<CDisplayItem> entry, int first, int last, bool clippedStart,
                                 bool clippedEnd, EntryList &out) const
{
    if (entry->HasFlag(kBar) || entry->HasFlag(kPerDay)) {
        if (clippedStart)
            entry->SetFlag(kBefore, true);
        if (clippedEnd)
            entry->SetFlag(kAfter, true);
    }
    if (entry->HasFlag(kBar)) {
        // A bar is cut at the end of each week row it crosses.
        std::vector<std::unique_ptr<CDisplayItem>> pieces;
        for (int cell = first; cell <= last;) {
            const int rowEnd = (cell / m_columns + 1) * m_columns - 1;
            const int end = std::min(rowEnd, last);
            std::unique_ptr<CDisplayItem> piece;
            if (cell == first) {
                piece = std::move(entry);
            } else {
                piece = pieces.front()->Clone();
                std::uint32_t flags = piece->GetFlags() & ~kBefore;
                if (!clippedEnd)
                    flags &= ~kAfter;
                piece->SetFlags(flags | kBefore);
            }
            if (end < last)
                piece->SetFlag(kAfter, true);
            piece->SetCells(cell, end);
            pieces.push_back(std::move(piece));
            cell = end + 1;
        }
        for (auto &p : pieces)
            out.push_back(std::move(p));
        return true;
    }
    if (entry->HasFlag(kPerDay)) {
        if (last > first)
            entry->SetFlag(kAfter, true);
        std::vector<std::unique_ptr<CDisplayItem>> copies;
        for (int cell = first + 1; cell <= last; ++cell) {
            auto copy = entry->Clone();
            copy->SetFlags((copy->GetFlags() & ~kAfter) | kBefore);
            copy->SetCells(cell, cell);
            copies.push_back(std::move(copy));
        }
        entry->SetCells(first, first);
        out.push_back(std::move(entry));
        for (auto &c : copies)
            out.push_back(std::move(c));
        return true;
    }
    entry->SetCells(first, last);
    out.push_back(std::move(entry));
    return true;
}

bool CMonthGridModel::PlaceEntryPerDay(std::unique_ptr<CDisplayItem> entry, EntryList &out,
                                       const std::vector<std::uint8_t> &marks) const
{
    if (!entry)
        return false;
    int first = 0, last = 0;
    bool clippedStart = false, clippedEnd = false;
    if (!MapEntryCells(*entry, first, last, clippedStart, clippedEnd))
        return false;
    const auto otherMonth = [&](int cell) {
        return cell < int(marks.size()) && (marks[std::size_t(cell)] & CellOtherMonth);
    };
    if (!entry->HasFlag(kBar) && !entry->HasFlag(kPerDay)) {
        entry->SetCells(first, last);
        out.push_back(std::move(entry));
        return true;
    }
    if (clippedStart)
        entry->SetFlag(kBefore, true);
    if (clippedEnd)
        entry->SetFlag(kAfter, true);
    const bool bar = entry->HasFlag(kBar);
    std::unique_ptr<CDisplayItem> original = entry->Clone();
    bool any = false;
    for (int cell = first; cell <= last; ++cell) {
        if (otherMonth(cell))
            continue;
        std::unique_ptr<CDisplayItem> piece;
        if (!any) {
            piece = std::move(entry);
            if (bar && cell != first)
                piece->SetFlag(kBefore, true);
        } else {
            piece = original->Clone();
            if (bar)
                piece->SetFlags((piece->GetFlags() & ~kBefore) | (cell != first ? kBefore : 0));
            else
                piece->SetFlags((piece->GetFlags() & ~kAfter) | kBefore);
        }
        if (bar && cell != last)
            piece->SetFlag(kAfter, true);
        if (!bar && !any && last > first)
            piece->SetFlag(kAfter, true);
        piece->SetCells(cell, cell);
        out.push_back(std::move(piece));
        any = true;
    }
    return any;
}

// ---- Layout ----

void CMonthGridModel::Layout(const QRect &view, EntryList &entries, std::vector<std::uint8_t> &marks,
                             const MonthLayoutOptions &options, const IMonthTextMeasurer &measurer) const
{
    // Each entry spans its cells' bodies at the top of its first one (at 0 when nothing is laid out).
    const int cellCount = CellCount();
    std::vector<QRect> bodies(std::size_t(std::max(0, cellCount)));
    for (int cell = 0; cell < cellCount; ++cell)
        bodies[std::size_t(cell)] = CellRect(view, cell, PartBody);
    const auto body = [&](int cell) {
        return cell >= 0 && cell < cellCount ? bodies[std::size_t(cell)] : CellRect(view, cell, PartBody);
    };
    const bool laidOut = !entries.empty() && view.width() > 0;
    for (auto &e : entries) {
        const QRect a = body(e->GetFirstCell());
        const QRect b = body(e->GetLastCell());
        const int top = laidOut ? a.top() : 0;
        e->SetRect(EdgeRect(a.left(), top, b.left() + b.width(), top));
    }
    for (auto &m : marks)
        m &= std::uint8_t(~CellOverflow);
    if (!laidOut)
        return;
    const int laneHeight = std::max(1, options.laneHeight);
    const int n = int(entries.size());
    for (int first = 0; first < n;) {
        const int last = ClusterEnd(entries, first);
        const QRect cell = CellRect(view, entries[std::size_t(first)]->GetFirstCell(), PartCell);
        if (!FillBoundedLanes(entries, first, last, laneHeight, cell.top() + cell.height()))
            MarkUnplacedCells(entries, first, last, marks, CellOverflow);
        first = last + 1;
    }
    if (!options.oneLane)
        StackSingleDays(view, entries, marks, options, measurer);
}

std::pair<int, int> CMonthGridModel::FindFreeGap(int top, int bottom,
                                                 const std::vector<std::pair<int, int>> &bars, int minHeight)
{
    int gapTop = top, gapBottom = bottom;
    if (bottom - top <= minHeight)
        return {gapTop, gapBottom};
    for (const auto &[barTop, barBottom] : bars) {
        if (barTop - gapTop >= minHeight) {
            gapBottom = barTop;
            break;
        }
        if (barBottom >= gapTop) {
            gapTop = barBottom;
            gapBottom = bottom;
        }
    }
    return {gapTop, gapBottom};
}

int CMonthGridModel::IconCount(const CDisplayItem &entry, bool typeIcon, bool statusIcons)
{
    int n = typeIcon ? 1 : 0;
    if (statusIcons) {
        n += entry.GetKind() == CDisplayItem::KindTask ? 1 : 0;
        n += entry.HasFlag(CDisplayItem::FlagReminder) ? 1 : 0;
        n += entry.HasFlag(CDisplayItem::FlagRecurring) ? 1 : 0;
        n += entry.HasFlag(CDisplayItem::FlagLocked) ? 1 : 0;
        n += entry.HasFlag(CDisplayItem::FlagNotes) ? 1 : 0;
    }
    return n;
}

MonthIconFit CMonthGridModel::FitIcons(int count, int lineHeight, int width, const QString &text,
                                       const IMonthTextMeasurer &measurer)
{
    MonthIconFit fit;
    const int L = lineHeight;
    const int box = L < 18 ? 14 : (L < 25 ? 18 : 25);
    const int size = L < 18 ? 11 : (L < 25 ? 15 : 20);
    const int step = (L >= 15 && L <= 24) ? 16 : box;
    const int firstColumn = std::max(step, box) + 1;
    const int rowHeight = L > std::max(step, size) ? L : std::max(step, size);
    const auto blockWidth = [&](int rows) { return (CeilDiv(count, rows) - 1) * (box + 1) + firstColumn; };
    const auto indentFor = [&](int rows) {
        return blockWidth(rows) + 1 + (CeilDiv(count, rows) == 1 ? 1 : 0);
    };
    if (count <= 0) {
        fit.textHeight = measurer.WrappedHeight(text, width);
        return fit;
    }
    int rows = 0;
    for (int r = 1; r <= 6; ++r) {
        if (blockWidth(r) + firstColumn / 2 <= width) {
            rows = r;
            break;
        }
    }
    if (rows == 0) {
        fit.rows = count;
        fit.textHeight = measurer.WrappedHeight(text, width);
    } else {
        fit.textIndent = indentFor(rows);
        fit.textHeight = measurer.WrappedHeight(text, width - fit.textIndent);
        while (rows < 6 && rows < count) {
            const int next = rows + 1;
            if (fit.textHeight < std::max(next * L, rows * rowHeight))
                break;
            rows = next;
            fit.textIndent = indentFor(rows);
            fit.textHeight = measurer.WrappedHeight(text, width - fit.textIndent);
        }
        fit.rows = rows;
    }
    fit.columns = CeilDiv(count, fit.rows);
    fit.blockHeight = fit.rows >= 2 ? CeilDiv(count, fit.columns) * rowHeight : rowHeight;
    if (fit.rows >= 2)
        fit.textHeight = std::max(fit.textHeight, fit.blockHeight);
    return fit;
}

void CMonthGridModel::StackSingleDays(const QRect &view, EntryList &entries, std::vector<std::uint8_t> &marks,
                                      const MonthLayoutOptions &options,
                                      const IMonthTextMeasurer &measurer) const
{
    const int L = options.lineHeight;
    const int minGap = L + 5;
    for (auto &e : entries) {
        if (e->GetFirstCell() == e->GetLastCell()) {
            const QRect r = e->GetRect();
            e->SetRect(QRect(r.left(), 0, r.width(), 0));
        }
    }
    const int cells = std::min(CellCount(), int(marks.size()));
    // Each cell's bars and single-day entries, in display order. Bars keep their places while
    // the single days are stacked, so one pass over the entries sorts them all out.
    std::vector<std::vector<const CDisplayItem *>> cellBars(std::size_t(std::max(0, cells)));
    std::vector<std::vector<CDisplayItem *>> cellSingles(std::size_t(std::max(0, cells)));
    for (auto &e : entries) {
        const int first = e->GetFirstCell(), last = e->GetLastCell();
        if (first == last) {
            if (first >= 0 && first < cells && !IsDragged(*e))
                cellSingles[std::size_t(first)].push_back(e.get());
        } else if (IsPlaced(*e) && !IsDragged(*e)) {
            for (int cell = std::max(0, first); cell <= std::min(last, cells - 1); ++cell)
                cellBars[std::size_t(cell)].push_back(e.get());
        }
    }
    for (int cell = 0; cell < cells; ++cell) {
        std::vector<std::pair<int, int>> bars;
        for (const CDisplayItem *e : cellBars[std::size_t(cell)]) {
            const std::pair<int, int> bar(e->GetRect().top(), e->GetRect().top() + e->GetRect().height());
            const auto at =
                std::find_if(bars.begin(), bars.end(), [&](const auto &b) { return b.first > bar.first; });
            bars.insert(at, bar);
        }
        const QRect body = CellRect(view, cell, PartBody);
        const int bodyBottom = body.top() + body.height();
        auto [gapTop, gapBottom] = FindFreeGap(body.top(), bodyBottom, bars, minGap);
        for (CDisplayItem *e : cellSingles[std::size_t(cell)]) {
            if (gapBottom - gapTop < minGap) {
                marks[std::size_t(cell)] |= CellOverflow;
                break;
            }
            const int left = e->GetRect().left(), right = e->GetRect().left() + e->GetRect().width();
            QString text = e->GetTimeRangeText(options.startTime, options.endTime, options.itemType,
                                               options.categories, e->HasFlag(kBefore), e->HasFlag(kAfter));
            if (e->HasFlag(CDisplayItem::FlagNotes) && options.notes)
                text += QStringLiteral("\r\n") + e->GetNotes();
            int bottom = 0;
            if (text.isEmpty()) {
                bottom = gapTop + minGap;
            } else {
                const int width = (right - 4) - (left + 5);
                const int icons = IconCount(*e, options.typeIcon, options.statusIcons);
                int height = 0;
                if (icons > 0) {
                    const MonthIconFit fit = FitIcons(icons, L, width, text, measurer);
                    height = std::max(fit.textHeight, fit.blockHeight);
                } else {
                    height = measurer.WrappedHeight(text, width);
                }
                const int needed = gapTop + height + 5;
                if (needed < gapBottom)
                    bottom = needed;
                else
                    bottom = gapTop + std::max(L * ((gapBottom - gapTop - 5) / std::max(1, L)) + 5, minGap);
            }
            if (gapBottom != bodyBottom && gapBottom - bottom < L + 6)
                bottom = gapBottom;
            e->SetRect(EdgeRect(left, gapTop, right, bottom));
            std::tie(gapTop, gapBottom) = FindFreeGap(bottom, bodyBottom, bars, minGap);
        }
    }
}

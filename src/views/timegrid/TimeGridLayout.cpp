// Geometry and placement of the day time grid.
#include "views/timegrid/TimeGridLayout.h"


#include <algorithm>
#include <climits>
#include <cmath>

namespace {

bool OverlapVertically(const QRect &a, const QRect &b)
{
    return a.y() < RectBottom(b) && b.y() < RectBottom(a);
}

bool OverlapHorizontally(const QRect &a, const QRect &b)
{
    return a.x() < RectRight(b) && b.x() < RectRight(a);
}

int WholeDaysBetween(const CDateTime &from, const CDateTime &to)
{
    return int(std::floor((to.DatePart() - from.DatePart()).GetTotalDays() + 0.5));
}

// The same time rebuilt from its day and time of day (rounded to the second) when it has them,
// so that equal times compare equal.
CDateTime Rebuilt(const CDateTime &t, long day, long seconds, bool valid)
{
    return valid ? CDateTime::FromDayAndSeconds(day, seconds) : t;
}


} // namespace

CTimeGridLayout::CTimeGridLayout() = default;

void CTimeGridLayout::SetFirstDate(const CDateTime &date)
{
    m_firstDate = date.DatePart();
    long seconds = 0;
    m_firstDayValid = m_firstDate.GetDayAndSeconds(m_firstDay, seconds);
    if (!m_firstDayValid)
        m_firstDay = 0;
}

int CTimeGridLayout::SetGridDays(int days, bool workWeek)
{
    m_dayCount = std::clamp(days, 1, kMaxDays);
    m_workWeek = workWeek;
    m_columnCount = m_columns.Build(workWeek);
    if (!workWeek) {
        m_columnCount = m_dayCount;
    } else if (m_columnCount == 0) {
        // A week without work days still shows its first day rather than no column at all.
        m_columns.MapFirstDays(1);
        m_columnCount = 1;
    }
    return m_columnCount;
}

int CTimeGridLayout::ColumnToDay(int column) const
{
    return m_columns.ColumnToDay(column);
}

int CTimeGridLayout::DayToColumn(int day) const
{
    return m_columns.DayToColumn(day);
}

int CTimeGridLayout::GetShownDays() const
{
    return m_workWeek ? ColumnToDay(m_columnCount - 1) + 1 : m_dayCount;
}

void CTimeGridLayout::SetTimeScale(int minutes, bool workingTimeOnly)
{
    switch (minutes) {
    case 5:
    case 6:
    case 10:
    case 15:
    case 30:
    case 60:
        break;
    default:
        minutes = 30;
        break;
    }
    const int oldMinutes = m_minutes, oldTop = m_topRow;
    m_minutes = minutes;
    m_rowsPerDay = 1440 / minutes;
    if (workingTimeOnly && WorkStartMinutes() >= WorkEndMinutes())
        workingTimeOnly = false;
    m_workingTimeOnly = workingTimeOnly;
    if (workingTimeOnly) {
        m_firstRow = WorkStartMinutes() / minutes;
        m_endRow = WorkEndMinutes() / minutes + (m_workEndMinute % minutes != 0 ? 1 : 0);
        m_endRow = std::min(m_endRow, m_rowsPerDay);
    } else {
        m_firstRow = 0;
        m_endRow = m_rowsPerDay;
    }
    SetTopRow(std::clamp(oldMinutes * oldTop / minutes, 0, m_rowsPerDay - 1));
}

void CTimeGridLayout::SetTopRow(int row)
{
    m_topRow = std::max(m_firstRow, std::min(row, m_endRow - 1));
}

void CTimeGridLayout::SetWorkingTime(int startHour, int startMinute, int endHour, int endMinute)
{
    m_workStartHour = std::clamp(startHour, 0, 23);
    m_workStartMinute = std::clamp(startMinute, 0, 59);
    m_workEndHour = std::clamp(endHour, 0, 24);
    m_workEndMinute = m_workEndHour == 24 ? 0 : std::clamp(endMinute, 0, 59);
}

int CTimeGridLayout::FullRowsVisible() const
{
    return std::max(1, m_viewRect.height() / m_rowHeight);
}

int CTimeGridLayout::RowsShown() const
{
    return std::max(1, (m_viewRect.height() + m_rowHeight - 1) / m_rowHeight);
}

int CTimeGridLayout::ColumnLeft(int column) const
{
    const int x0 = m_viewRect.x() + m_labelWidth + 3;
    const int width = (RectRight(m_viewRect) - x0 - 2) / std::max(1, m_columnCount);
    return x0 + column * width;
}

int CTimeGridLayout::ColumnRight(int column) const
{
    if (column >= m_columnCount - 1)
        return RectRight(m_viewRect) - 3;
    return ColumnLeft(column + 1);
}

int CTimeGridLayout::CellFromDate(const CDateTime &time, bool *exact, bool *outside) const
{
    long day = 0, seconds = 0;
    const bool valid = time.GetDayAndSeconds(day, seconds);
    return CellFromDay(time, day, seconds, valid, exact, outside);
}

int CTimeGridLayout::CellFromDay(const CDateTime &time, long dayNumber, long seconds, bool valid, bool *exact,
                                 bool *outside) const
{
    if (exact)
        *exact = false;
    if (outside)
        *outside = true;
    if (time < m_firstDate)
        return m_firstRow;
    const int shownDays = GetShownDays();
    if (time >= m_firstDate + CDateSpan(double(shownDays)))
        return (shownDays - 1) * m_rowsPerDay + m_endRow - 1;
    if (outside)
        *outside = false;
    // A time without parts counts from midnight; the day number already at hand gives the day,
    // and a time without one takes the long way.
    const int days = valid && m_firstDayValid ? int(dayNumber - m_firstDay) : WholeDaysBetween(m_firstDate, time);
    return CellAt(days, valid ? int(seconds / 60) : 0, exact);
}

int CTimeGridLayout::CellAt(int days, int minuteOfDay, bool *exact) const
{
    if (exact)
        *exact = minuteOfDay % m_minutes == 0;
    return minuteOfDay / m_minutes + m_rowsPerDay * days;
}

CDateTime CTimeGridLayout::GetDayDate(int cell) const
{
    cell = std::clamp(cell, 0, std::max(0, CellCount() - 1));
    const int day = std::max(0, ColumnToDay(Column(cell)));
    CDateTime::Parts p;
    (m_firstDate + CDateSpan(double(day))).DatePart().GetParts(p);
    const int minuteOfDay = Row(cell) * m_minutes;
    return CDateTime(p.year, p.month, p.day, minuteOfDay / 60, minuteOfDay % 60, 0);
}

CDateTime CTimeGridLayout::CellEnd(int cell) const
{
    const CDateTime start = GetDayDate(cell);
    const int minuteOfDay = start.GetHour() * 60 + start.GetMinute() + m_minutes;
    CDateTime::Parts p;
    (minuteOfDay >= 1440 ? (start.DatePart() + CDateSpan(1.0)).DatePart() : start).GetParts(p);
    return CDateTime(p.year, p.month, p.day, (minuteOfDay % 1440) / 60, minuteOfDay % 60, 0);
}

CDateSpan CTimeGridLayout::RowSpan() const
{
    return CDateSpan(0, 0, m_minutes, 0);
}

CDateSpan CTimeGridLayout::GetDaySpan(int a, int b) const
{
    const auto linear = [this](int cell) {
        return std::max(0, ColumnToDay(Column(cell))) * m_rowsPerDay + Row(cell);
    };
    const int minutes = (linear(b) - linear(a)) * m_minutes;
    const int sign = minutes < 0 ? -1 : 1;
    const int abs = std::abs(minutes);
    CDateSpan span(abs / 1440, (abs % 1440) / 60, abs % 60, 0);
    return sign < 0 ? -span : span;
}

QRect CTimeGridLayout::GetCellRect(int cell) const
{
    const int column = Column(cell);
    const int top = m_rowHeight * (Row(cell) - m_topRow);
    return RectFromEdges(ColumnLeft(column), top, ColumnRight(column), top + m_rowHeight);
}

int CTimeGridLayout::CellFromPoint(const QPoint &point, bool *below) const
{
    const int y = std::max(point.y(), 0);
    // However narrow the window, every column counts at least one pixel.
    const int width = std::max(1, (m_viewRect.width() - m_labelWidth - 5) / std::max(1, m_columnCount));
    if (below)
        *below = (m_endRow - m_topRow) * m_rowHeight < y;
    const int column = std::max(point.x() - m_viewRect.x() - m_labelWidth - 3, 0) / width;
    const int row = y / m_rowHeight + m_topRow;
    return std::min(row, m_rowsPerDay - 1) + std::min(column, m_columnCount - 1) * m_rowsPerDay;
}

void CTimeGridLayout::PlaceEntry(std::unique_ptr<CDisplayItem> entry, bool printing, EntryList &out) const
{
    if (!entry)
        return;
    const int shownDays = GetShownDays();
    // Where the entry lies against the shown days: -1 before the first, 1 at the end or after
    // it, 0 inside; whether the end lies past the shown days (not on their end); and the cells.
    int startSide = 0, endSide = 0;
    bool endsAfter = false;
    int startCell = m_firstRow, endCell = 0;
    bool exact = false;
    long startDay = 0, startSeconds = 0, endDay = 0, endSeconds = 0;
    const bool startValid = entry->GetStart().GetDayAndSeconds(startDay, startSeconds);
    const bool endValid = entry->GetEnd().GetDayAndSeconds(endDay, endSeconds);
    if (startValid && endValid && m_firstDayValid) {
        // Times rebuilt from their day and seconds compare as those two numbers do, and the
        // shown days begin and end at midnights: whole numbers settle it all.
        const long rangeEndDay = m_firstDay + shownDays;
        startSide = startDay < m_firstDay ? -1 : (startDay >= rangeEndDay ? 1 : 0);
        endSide = endDay < m_firstDay ? -1 : (endDay >= rangeEndDay ? 1 : 0);
        endsAfter = endDay > rangeEndDay || (endDay == rangeEndDay && endSeconds > 0);
        if (startSide == 0)
            startCell = CellAt(int(startDay - m_firstDay), int(startSeconds / 60), nullptr);
        if (endSide == 0)
            endCell = CellAt(int(endDay - m_firstDay), int(endSeconds / 60), &exact);
    } else {
        const CDateTime start = Rebuilt(entry->GetStart(), startDay, startSeconds, startValid);
        const CDateTime end = Rebuilt(entry->GetEnd(), endDay, endSeconds, endValid);
        const CDateTime rangeEnd = m_firstDate + CDateSpan(double(shownDays));
        startSide = start < m_firstDate ? -1 : (start >= rangeEnd ? 1 : 0);
        endSide = end < m_firstDate ? -1 : (end >= rangeEnd ? 1 : 0);
        endsAfter = end > rangeEnd;
        if (startSide == 0)
            startCell = CellFromDay(start, startDay, startSeconds, startValid, nullptr, nullptr);
        if (endSide == 0)
            endCell = CellFromDay(end, endDay, endSeconds, endValid, &exact, nullptr);
    }
    // Entries that do not touch the shown days have nothing to show.
    if (startSide > 0 || endSide < 0)
        return;

    if (startSide < 0)
        entry->SetFlag(CDisplayItem::FlagBeginsBefore, true);
    if (endSide > 0) {
        endCell = (shownDays - 1) * m_rowsPerDay + m_endRow - 1;
        if (endsAfter)
            entry->SetFlag(CDisplayItem::FlagEndsAfter, true);
    } else {
        endsAfter = false;
        if (exact)
            --endCell;
    }
    if (endCell == startCell - 1)
        endCell = startCell; // no length on a row boundary: the row it begins
    if (startCell > endCell)
        return;

    // Only an entry over several days needs a pattern for its later pieces.
    std::unique_ptr<CDisplayItem> pattern;
    if (endCell / m_rowsPerDay > startCell / m_rowsPerDay)
        pattern = std::make_unique<CDisplayItem>(*entry);
    std::unique_ptr<CDisplayItem> piece = std::move(entry);
    for (int first = startCell; first <= endCell;) {
        const int day = first / m_rowsPerDay;
        const int last = std::min(endCell, day * m_rowsPerDay + m_rowsPerDay - 1);
        if (!piece) {
            piece = pattern->Clone();
            piece->SetFlag(CDisplayItem::FlagBeginsBefore, true);
        }
        // The entry continues after this box when a later day holds more of it, or when it
        // runs past the shown days.
        piece->SetFlag(CDisplayItem::FlagEndsAfter, last < endCell || endsAfter);
        const int firstRow = first % m_rowsPerDay, lastRow = last % m_rowsPerDay;
        first = last + 1;

        const int column = DayToColumn(day);
        if (column < 0) {
            piece.reset();
            continue;
        }
        const bool outsideRows = lastRow < m_firstRow || firstRow >= m_endRow;
        if (printing) {
            if (outsideRows) {
                piece->SetRect(QRect());
                piece->SetCells(-1, -1);
            } else {
                piece->SetCells(day, day);
            }
            out.push_back(std::move(piece));
            continue;
        }
        if (m_workingTimeOnly && outsideRows) {
            piece.reset();
            continue;
        }
        piece->SetCells(column * m_rowsPerDay + firstRow, column * m_rowsPerDay + lastRow);
        out.push_back(std::move(piece));
    }
}

void CTimeGridLayout::LayoutEntries(EntryList &entries) const
{
    // The boxes are worked on in one compact array and stored back at the end.
    const int n = int(entries.size());
    std::vector<Box> boxes(static_cast<std::size_t>(n));
    // Vertical pass: rows to grid y, kept within the shown rows.
    for (int i = 0; i < n; ++i) {
        const CDisplayItem &e = *entries[std::size_t(i)];
        Box &b = boxes[std::size_t(i)];
        b.state = e.GetState() & ~CDisplayItem::StateHidden;
        b.rect = e.GetRect();
        b.firstCell = e.GetFirstCell();
        int first = e.GetFirstCell(), last = e.GetLastCell();
        if (first < 0 || last < 0)
            continue;
        if (Row(first) < m_firstRow)
            first = Column(first) * m_rowsPerDay + m_firstRow;
        if (Row(last) >= m_endRow)
            last = Column(last) * m_rowsPerDay + m_endRow - 1;
        const int left = ColumnLeft(Column(first));
        b.rect = RectFromEdges(left, Row(first) * m_rowHeight, left, (Row(last) + 1) * m_rowHeight);
    }

    // Horizontal pass.
    if (n > 0 && m_viewRect.width() != 0) {
        PlaceGroups(boxes);
        TrimOverlaps(boxes);
    }
    for (int i = 0; i < n; ++i) {
        CDisplayItem &e = *entries[std::size_t(i)];
        e.SetState(boxes[std::size_t(i)].state);
        e.SetRect(boxes[std::size_t(i)].rect);
    }
}

// Cuts the entries into groups of boxes that overlap in one column and places each group.
// An entry joins the group when it overlaps one of its shown boxes in the same column; how many
// it overlaps sets the group's sub-columns. The boxes met so far are kept per column, and those
// that end above the newest box are dropped while the boxes come down the column in order; an
// entry that starts higher than one before it in its column is counted against the whole group.
void CTimeGridLayout::PlaceGroups(std::vector<Box> &boxes) const
{
    const int n = int(boxes.size());
    // The boxes met so far in a column that may still overlap the next ones, as a heap with the
    // one ending first on top: the boxes come down the column, so those ending above the
    // newest box leave from the top.
    struct Span
    {
        int bottom;
        int top;
        bool operator<(const Span &o) const { return bottom > o.bottom; }
    };
    struct Live
    {
        int x;
        int maxTop;
        std::vector<Span> spans;
    };
    std::vector<Live> live;
    const auto liveOf = [&live](int x) -> Live & {
        for (Live &l : live)
            if (l.x == x)
                return l;
        live.push_back({x, INT_MIN, {}});
        return live.back();
    };
    const auto join = [&](const QRect &r) {
        Live &l = liveOf(r.x());
        l.maxTop = std::max(l.maxTop, r.y());
        l.spans.push_back({RectBottom(r), r.y()});
        std::push_heap(l.spans.begin(), l.spans.end());
    };
    const auto restart = [&](const Box &b) {
        for (Live &l : live) {
            l.maxTop = INT_MIN;
            l.spans.clear();
        }
        if (!b.Skipped())
            join(b.rect);
    };

    std::vector<int> pending;
    int start = 0, end = 0, widest = 0;
    restart(boxes[0]);
    for (int i = 1; i < n; ++i) {
        const Box &e = boxes[std::size_t(i)];
        if (e.Skipped())
            continue;
        const QRect &r = e.rect;
        Live &l = liveOf(r.x());
        int overlapping = 0;
        if (r.y() >= l.maxTop) {
            // Boxes of this column ending above this one end above every later one too.
            while (!l.spans.empty() && l.spans.front().bottom <= r.y()) {
                std::pop_heap(l.spans.begin(), l.spans.end());
                l.spans.pop_back();
            }
            // The rest begin no lower than this box and end below its top, so they all overlap
            // it, unless it has no height.
            overlapping = int(l.spans.size());
            if (r.height() <= 0) {
                overlapping = 0;
                for (const Span &b : l.spans)
                    overlapping += b.top < RectBottom(r) ? 1 : 0;
            }
        } else {
            for (int j = start; j < i; ++j) {
                const Box &o = boxes[std::size_t(j)];
                overlapping += !o.Skipped() && OverlapVertically(o.rect, r) && o.rect.x() == r.x() ? 1 : 0;
            }
        }
        if (overlapping > 0) {
            end = i;
            widest = std::max(widest, overlapping);
            join(r);
        } else {
            PlaceGroup(boxes, start, end, widest + 1, pending);
            // The next group starts here, so that skipped entries between groups never leave
            // later ones unplaced.
            start = end = i;
            widest = 0;
            restart(e);
        }
    }
    PlaceGroup(boxes, start, end, widest + 1, pending);
}

// A box ends 4 pixels before an overlapping box to its right; of two boxes from one left edge
// the later one is hidden. Pairs go in order, earlier entry first. Boxes only lose width on
// their right here, so only pairs whose boxes overlap now can ever meet: those are found once
// through the boxes sorted by top in each column, and the rest cannot change anything.
void CTimeGridLayout::TrimOverlaps(std::vector<Box> &boxes) const
{
    const int n = int(boxes.size());
    // The column a box lies wholly inside, or -1 for any other box (empty, or across columns),
    // which is then paired with every box.
    std::vector<int> lefts(std::size_t(std::max(0, m_columnCount)) + 1);
    for (int c = 0; c < m_columnCount; ++c)
        lefts[std::size_t(c)] = ColumnLeft(c);
    const auto columnOf = [&](const QRect &r) {
        if (r.width() <= 0 || r.height() <= 0)
            return -1;
        for (int c = 0; c < m_columnCount; ++c) {
            const int right = c + 1 < m_columnCount ? lefts[std::size_t(c) + 1] : ColumnRight(c);
            if (r.x() >= lefts[std::size_t(c)] && RectRight(r) <= right)
                return c;
        }
        return -1;
    };
    std::vector<std::vector<int>> columns(std::size_t(std::max(0, m_columnCount)));
    std::vector<int> loose;
    for (int i = 0; i < n; ++i) {
        const Box &b = boxes[std::size_t(i)];
        if (b.Skipped())
            continue;
        const int c = columnOf(b.rect);
        if (c < 0)
            loose.push_back(i);
        else
            columns[std::size_t(c)].push_back(i);
    }
    const auto overlap = [&boxes](int a, int b) {
        const QRect &ra = boxes[std::size_t(a)].rect, &rb = boxes[std::size_t(b)].rect;
        return OverlapVertically(ra, rb) && OverlapHorizontally(ra, rb);
    };
    const auto byTop = [&boxes](int a, int b) {
        return boxes[std::size_t(a)].rect.y() < boxes[std::size_t(b)].rect.y();
    };
    std::vector<std::pair<int, int>> pairs;
    for (std::vector<int> &column : columns) {
        // A column in display order that is also in top order meets its pairs in their order;
        // with no loose box they touch no other column's boxes, so each is settled as it comes.
        // Boxes only lose width, so the pairs apart now stay apart.
        if (loose.empty() && std::is_sorted(column.begin(), column.end(), byTop)) {
            for (std::size_t p = 0; p < column.size(); ++p) {
                Box &a = boxes[std::size_t(column[p])];
                const int bottom = RectBottom(a.rect);
                for (std::size_t q = p + 1; q < column.size() && !a.Skipped(); ++q) {
                    Box &b = boxes[std::size_t(column[q])];
                    if (b.rect.y() >= bottom)
                        break;
                    if (!b.Skipped() && OverlapHorizontally(a.rect, b.rect))
                        Trim(a, b);
                }
            }
            continue;
        }
        if (!std::is_sorted(column.begin(), column.end(), byTop))
            std::stable_sort(column.begin(), column.end(), byTop);
        for (std::size_t p = 0; p < column.size(); ++p) {
            const int a = column[p];
            const QRect &ra = boxes[std::size_t(a)].rect;
            const int bottom = RectBottom(ra);
            for (std::size_t q = p + 1; q < column.size(); ++q) {
                const int b = column[q];
                const QRect &rb = boxes[std::size_t(b)].rect;
                if (rb.y() >= bottom)
                    break;
                if (OverlapHorizontally(ra, rb))
                    pairs.emplace_back(std::min(a, b), std::max(a, b));
            }
        }
    }
    for (std::size_t p = 0; p < loose.size(); ++p) {
        const int a = loose[p];
        for (int b = 0; b < n; ++b) {
            if (b == a || boxes[std::size_t(b)].Skipped())
                continue;
            // Two loose boxes pair once, from the first of them.
            if (b < a && std::binary_search(loose.begin(), loose.end(), b))
                continue;
            if (overlap(a, b))
                pairs.emplace_back(std::min(a, b), std::max(a, b));
        }
    }
    // In display order the pairs come out sorted already.
    if (!std::is_sorted(pairs.begin(), pairs.end()))
        std::sort(pairs.begin(), pairs.end());

    for (const auto &[q, r] : pairs) {
        Box &a = boxes[std::size_t(q)];
        Box &b = boxes[std::size_t(r)];
        if (b.Skipped() || a.Skipped())
            continue;
        if (OverlapVertically(a.rect, b.rect) && OverlapHorizontally(a.rect, b.rect))
            Trim(a, b);
    }
}

// Settles one overlapping pair, `a` the earlier entry.
void CTimeGridLayout::Trim(Box &a, Box &b)
{
    const QRect ra = a.rect, rb = b.rect;
    if (ra.x() < rb.x() && RectRight(ra) >= rb.x()) {
        a.rect = RectFromEdges(ra.x(), ra.y(), rb.x() - 4, RectBottom(ra));
    } else if (ra.x() >= rb.x() && RectRight(rb) >= ra.x()) {
        // Two boxes from one left edge leave the later one no room at all.
        if (ra.x() - 4 <= rb.x())
            b.state |= CDisplayItem::StateHidden;
        else
            b.rect = RectFromEdges(rb.x(), rb.y(), ra.x() - 4, RectBottom(rb));
    }
}

// Gives the group's boxes sub-columns from the left: each pass takes the next sub-column and
// places, in order, every box still waiting that does not overlap the one placed before it.
void CTimeGridLayout::PlaceGroup(std::vector<Box> &boxes, int first, int last, int wanted,
                                 std::vector<int> &pending) const
{
    if (first > last || first < 0 || last >= int(boxes.size()))
        return;
    const Box &head = boxes[std::size_t(first)];
    const int column = Column(std::max(0, head.firstCell));
    const int left = ColumnLeft(column), right = ColumnRight(column);
    const int width = right - left;
    const int fits = (width - 6) / (kMinBoxWidth + 4);
    const int subColumns = std::max(1, std::min(wanted, fits));
    const int step = (width - 6) / subColumns - 6;
    int x = left + 6;
    const int limit = right - 5;
    // Boxes already placed or hidden never wait again.
    pending.clear();
    for (int i = first; i <= last; ++i) {
        const Box &e = boxes[std::size_t(i)];
        if (!e.Skipped() && e.rect.width() == 0 && e.firstCell >= 0)
            pending.push_back(i);
    }
    while (!pending.empty()) {
        std::size_t kept = 0;
        const Box *previous = nullptr;
        for (const int i : pending) {
            Box &e = boxes[std::size_t(i)];
            if (previous && OverlapVertically(previous->rect, e.rect)) {
                pending[kept++] = i;
                continue;
            }
            if (limit > x && limit - x >= kMinBoxWidth)
                e.rect = RectFromEdges(x, e.rect.y(), limit, RectBottom(e.rect));
            else
                e.state |= CDisplayItem::StateHidden;
            previous = &e;
        }
        pending.resize(kept);
        x += step + 4;
    }
}

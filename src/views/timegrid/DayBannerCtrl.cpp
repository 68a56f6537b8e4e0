// The all-day banner: its columns, dates, geometry, item placement and scrolling.
#include "views/timegrid/DayBannerCtrl.h"

#include "core/dates/DateFormats.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/dates/WeekRules.h"
#include "views/month/LanePacking.h"

#include <QDateTime>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace {

int DaysBetween(const CDateTime &from, const CDateTime &to)
{
    return int(std::lround((to.DatePart() - from.DatePart()).GetTotalDays()));
}

// Weekday of a date counted from the program's first day of the week.
int WeekdayIndex(const CDateTime &date)
{
    const int mondayBased = (date.GetDayOfWeek() + 5) % 7;
    return (mondayBased - GetFirstDayOfWeek() + 7) % 7;
}

} // namespace

BannerDayHit BannerDayFromDate(const CDateTime &firstDate, int dayCount, bool workWeek, const CDateTime &date)
{
    BannerDayHit hit;
    hit.atMidnight = date == date.DatePart();
    const int index = DaysBetween(firstDate, date);
    if (date < firstDate) {
        hit.day = 0;
        hit.clipped = true;
    } else if (index < dayCount) {
        hit.day = index;
    } else if (index == dayCount && hit.atMidnight) {
        if (!workWeek) {
            hit.day = dayCount - 1;
            hit.atMidnight = false;
        } else {
            hit.day = dayCount == 1 ? 0 : dayCount;
        }
    } else {
        hit.day = dayCount - 1;
        hit.clipped = true;
    }
    return hit;
}

CDayBannerCtrl::CDayBannerCtrl()
{
    m_viewKind = kViewKindBanner;
    m_sectionIndex = kSectionIndex;
    m_vertical = 0;
    m_rowHeight = 19;
    m_firstDate = Today();
    SetDayCount(m_dayCount);
}

CDayBannerCtrl::~CDayBannerCtrl() = default;

// ---- Columns ----

void CDayBannerCtrl::SetBannerDays(int count, bool workWeek)
{
    m_dayCount = std::max(1, count);
    m_workWeek = workWeek;
    RebuildColumnMaps();
}

void CDayBannerCtrl::RebuildColumnMaps()
{
    // A week without work days would show nothing at all: show the whole week instead.
    if (m_columns.Build(m_workWeek) == 0 && m_workWeek)
        m_columns.MapFirstDays(7);
}

int CDayBannerCtrl::DayToColumn(int day) const
{
    return m_columns.DayToColumn(day);
}

int CDayBannerCtrl::ColumnToDay(int column) const
{
    return m_columns.ColumnToDay(column);
}

int CDayBannerCtrl::DayIndexOf(const CDateTime &date) const
{
    return DaysBetween(m_firstDate, date);
}

void CDayBannerCtrl::SetLabelWidth(int width)
{
    if (width == m_labelWidth)
        return;
    // The columns follow the time grid's label column.
    m_labelWidth = width;
    Refresh(false);
    InvalidateAll();
}

// ---- Dates ----

CDateTime CDayBannerCtrl::Today() const
{
    return CDateTime::FromQDateTime(QDateTime::currentDateTime()).DatePart();
}

void CDayBannerCtrl::SetDate(const CDateTime &date)
{
    SetDate(date, true, true);
}

void CDayBannerCtrl::SetDate(const CDateTime &date, bool keepContext, bool rebuild)
{
    CCalendarViewCtrl::SetDate(date);
    if (!rebuild)
        return;
    const int oldColumns = GetColumnCount();
    RebuildColumnMaps();
    int columns = m_dayCount;
    if (m_workWeek)
        columns = m_columns.Count();
    SetDayCount(columns);
    // The work-week columns are weekdays counted from the week's first day, so the first date
    // is the start of the date's week.
    m_firstDate = date.DatePart();
    if (m_workWeek)
        m_firstDate = (m_firstDate - CDateSpan(double(WeekdayIndex(m_firstDate)))).DatePart();

    const int lastColumn = columns - 1;
    if (!keepContext) {
        // The selected range keeps its length but starts at the first column; the column count
        // may just have shrunk, so both ends stay inside it.
        if (m_currentCell >= m_anchorCell) {
            m_currentCell -= m_anchorCell;
            m_anchorCell = 0;
        } else {
            m_anchorCell -= m_currentCell;
            m_currentCell = 0;
        }
        m_currentCell = std::clamp(m_currentCell, 0, std::max(0, lastColumn));
        m_anchorCell = std::clamp(m_anchorCell, 0, std::max(0, lastColumn));
    } else {
        // Context: one day before the date stays in view (never in a work week, whose columns
        // are tied to the week's weekdays).
        if (m_optionSCS && columns > 2 && !m_workWeek)
            m_firstDate = (m_firstDate - CDateSpan(1.0)).DatePart();
        const int focus = DayToColumn(DayIndexOf(date));
        m_currentCell = std::clamp(focus, 0, std::max(0, lastColumn));
        m_anchorCell = m_currentCell;
    }
    ComputeTodayColumn();
    if ((oldColumns <= 1) != (columns <= 1))
        LoadFonts(false);
    InvalidateAll();
}

void CDayBannerCtrl::GoToDate(const CDateTime &date)
{
    const int column = DayToColumn(DayIndexOf(date));
    m_currentCell = std::clamp(column, 0, std::max(0, GetColumnCount() - 1));
    m_anchorCell = m_currentCell;
    InvalidateRange(m_anchorCell, m_currentCell, true);
}

void CDayBannerCtrl::ComputeTodayColumn()
{
    const CDateTime today = Today();
    const int day = DayIndexOf(today);
    if ((m_workWeek && IsNonWorkDate(today)) || day < 0 || day >= GetShownDayCount())
        m_todayColumn = -1;
    else
        m_todayColumn = DayToColumn(day);
    if (m_todayColumn >= GetColumnCount())
        m_todayColumn = -1;
}

void CDayBannerCtrl::UpdateToday()
{
    ComputeTodayColumn();
    InvalidateAll();
    if (m_host)
        m_host->UpdateWindow();
}

CDateTime CDayBannerCtrl::GetDayDate(int column) const
{
    const int columns = GetColumnCount();
    if (!m_workWeek || columns == 0)
        return (m_firstDate + CDateSpan(double(column))).DatePart();
    // Columns before the first or past the last count on by whole days from the nearest one,
    // so that "the column after the last" is the day after the last shown day.
    const int inside = std::clamp(column, 0, columns - 1);
    const int day = ColumnToDay(inside) + (column - inside);
    return (m_firstDate + CDateSpan(double(day))).DatePart();
}

CDateSpan CDayBannerCtrl::GetDaySpan(int a, int b) const
{
    return CDateSpan(double(DaysBetween(GetDayDate(a), GetDayDate(b))));
}

CDateTime CDayBannerCtrl::GetFocusDate() const
{
    return GetDayDate(m_currentCell);
}

// ---- Geometry ----

QRect CDayBannerCtrl::GetViewRect() const
{
    const QRect client = CCalendarViewCtrl::GetViewRect();
    const int header = GetHeaderHeight();
    const int bar = m_scrollBar.visible ? m_scrollBarWidth : 0;
    return QRect(client.left(), client.top() + header, std::max(0, client.width() - bar),
                 std::max(0, client.height() - header));
}

void CDayBannerCtrl::ColumnSpan(int &start, int &end, int &width) const
{
    const QRect view = GetViewRect();
    const int n = std::max(1, GetColumnCount());
    const int left = view.left(), right = view.left() + view.width();
    start = left + Margin() + (n == 1 ? 0 : 2);
    end = n == 1 ? right : right - 2;
    width = std::max(0, (end - start) / n);
}

QRect CDayBannerCtrl::GetCellRect(int cell, int) const
{
    const int n = GetColumnCount();
    if (n == 0 || cell < 0 || cell >= n)
        return {};
    int start = 0, end = 0, width = 0;
    ColumnSpan(start, end, width);
    const QRect view = GetViewRect();
    const int left = start + cell * width;
    const int right = cell == n - 1 ? end - 1 : left + width;
    return QRect(left, view.top(), std::max(0, right - left), view.height());
}

int CDayBannerCtrl::CellFromPoint(const QPoint &point) const
{
    const int n = GetColumnCount();
    if (n == 0)
        return -1;
    const QRect view = GetViewRect();
    const int m = Margin();
    // However narrow the window, a column is at least one pixel wide here.
    const int width = std::max(1, (view.width() - m - 4) / n);
    const int x = point.x() - view.left() - (n == 1 ? 2 : m + 2);
    return x < 0 ? 0 : std::min(x / width, n - 1);
}

int CDayBannerCtrl::CellFromDate(const CDateTime &date, int *flags) const
{
    const int n = GetColumnCount();
    const int shown = GetShownDayCount();
    const BannerDayHit hit = BannerDayFromDate(m_firstDate, shown, m_workWeek, date);
    int day = std::clamp(hit.day, 0, shown - 1);
    int column = DayToColumn(day);
    // A non-work day falls on the next work column (the last one past the week's end).
    while (column < 0 && ++day < shown)
        column = DayToColumn(day);
    if (column < 0)
        column = n - 1;
    if (flags)
        *flags = (hit.atMidnight ? kCellAtMidnight : 0) | (hit.clipped ? kCellClipped : 0);
    return std::clamp(column, 0, std::max(0, n - 1));
}

void CDayBannerCtrl::SetCurrentCell(int cell)
{
    m_currentCell = std::clamp(cell, 0, std::max(0, GetColumnCount() - 1));
}

bool CDayBannerCtrl::IsHeaderPoint(const QPoint &point) const
{
    return GetColumnCount() >= 2 && point.y() < GetViewRect().top();
}

bool CDayBannerCtrl::IsCornerPoint(const QPoint &point) const
{
    return IsHeaderPoint(point) && point.x() < GetViewRect().left() + m_labelWidth + 7;
}

QRect CDayBannerCtrl::GetCornerRect() const
{
    const QRect client = CCalendarViewCtrl::GetViewRect();
    return QRect(client.left(), client.top(), m_labelWidth + 5, GetHeaderHeight());
}

QRect CDayBannerCtrl::GetCaptionRect(int column) const
{
    const int n = GetColumnCount();
    if (n == 0 || column < 0 || column >= n)
        return {};
    const QRect client = CCalendarViewCtrl::GetViewRect();
    const int from = client.left() + m_labelWidth + 3 + 2;
    const int to = client.left() + client.width() - (m_scrollBarWidth + 2);
    const int width = std::max(0, (to - from + 4) / n);
    return QRect(from + column * width, client.top(), width, GetHeaderHeight());
}

int CDayBannerCtrl::GetCaptionLevel(const std::function<int(const QString &)> &measure) const
{
    int level = 0;
    for (int c = 0; c < GetColumnCount(); ++c)
        level = std::max(level, GetDateCaptionLevel(measure, GetDayDate(c), GetCaptionRect(c).width()));
    return level;
}

int CDayBannerCtrl::EntryFromPoint(const QPoint &point) const
{
    if (IsHeaderPoint(point))
        return -1;
    return CCalendarViewCtrl::EntryFromPoint(point + QPoint(0, m_topRow * m_rowHeight));
}

QRect CDayBannerCtrl::GetEntryRect(int index) const
{
    const CDisplayItem *e = GetEntry(index);
    return e ? e->GetRect().translated(0, -m_topRow * m_rowHeight) : QRect();
}

int CDayBannerCtrl::HitTest(const QPoint &point, int *index) const
{
    int dummy = -1;
    int &out = index ? *index : dummy;
    out = -1;
    const int n = GetColumnCount();
    if (n >= 2 && point.y() < GetViewRect().top()) {
        out = CellFromPoint(point);
        return HitCellArea;
    }
    const QRect view = GetViewRect();
    if (m_scrollBar.visible && point.x() >= view.left() + view.width())
        return HitVertScroll;
    const Qt::KeyboardModifiers mods = QGuiApplication::keyboardModifiers();
    const bool extending = (mods & (Qt::ControlModifier | Qt::ShiftModifier)) != 0;
    const int entry = EntryFromPoint(point);
    if (entry >= 0) {
        out = entry;
        const CDisplayItem &e = *m_entries[std::size_t(entry)];
        if (!extending && n >= 2 && e.GetKind() == CDisplayItem::KindEvent) {
            const QRect r = GetEntryRect(entry);
            if (!e.HasFlag(CDisplayItem::FlagBeginsBefore) && point.x() < r.left() + 7)
                return HitEntryStart;
            if (!e.HasFlag(CDisplayItem::FlagEndsAfter) && point.x() >= r.left() + r.width() - 7)
                return HitEntryEnd;
        }
        return HitEntryBody;
    }
    if (extending && GetSelectedCount() > 0)
        return HitNothing;
    out = CellFromPoint(point);
    return HitCell;
}

// ---- Entries ----

bool CDayBannerCtrl::AddEntry(std::unique_ptr<CDisplayItem> entry)
{
    if (!entry || GetColumnCount() == 0)
        return false;
    const int shown = GetShownDayCount();
    const CDateTime start = entry->GetStart();
    const CDateTime end = entry->GetEnd();
    const CDateTime rangeEnd = (m_firstDate + CDateSpan(double(shown))).DatePart();
    // Nothing of an item outside the shown days would show; it would land on an edge column.
    if (start >= rangeEnd || end <= m_firstDate)
        return false;

    std::uint32_t flags = entry->GetFlags() & ~(CDisplayItem::FlagBeginsBefore | CDisplayItem::FlagEndsAfter);
    int first = 0;
    if (start < m_firstDate) {
        flags |= CDisplayItem::FlagBeginsBefore;
    } else {
        const BannerDayHit hit = BannerDayFromDate(m_firstDate, shown, m_workWeek, start);
        first = hit.day;
        if (hit.clipped)
            flags |= CDisplayItem::FlagBeginsBefore;
    }
    int last = 0;
    if (rangeEnd <= end) {
        last = shown - 1;
        if (end > rangeEnd)
            flags |= CDisplayItem::FlagEndsAfter;
    } else {
        const BannerDayHit hit = BannerDayFromDate(m_firstDate, shown, m_workWeek, end);
        last = hit.atMidnight ? hit.day - 1 : hit.day;
        if (last == first - 1)
            last = first;
        if (hit.clipped)
            flags |= CDisplayItem::FlagEndsAfter;
    }
    if (m_workWeek) {
        while (first <= last && DayToColumn(first) < 0) {
            ++first;
            flags |= CDisplayItem::FlagBeginsBefore;
        }
        while (last >= first && DayToColumn(last) < 0) {
            --last;
            flags |= CDisplayItem::FlagEndsAfter;
        }
        if (first > last)
            return false;
        first = DayToColumn(first);
        last = DayToColumn(last);
    }
    if (last < first || first < 0 || last >= GetColumnCount())
        return false;
    entry->SetFlags(flags);
    entry->SetCells(first, last);
    entry->SetRect(QRect());
    m_entries.push_back(std::move(entry));
    return true;
}

bool CDayBannerCtrl::AddItem(CItemRef &ref)
{
    return AddOccurrences(ref, m_firstDate, GetShownDayCount());
}

void CDayBannerCtrl::LayoutEntries()
{
    const int n = GetColumnCount();
    m_rowCount = 0;
    if (n == 0)
        return;
    const QRect view = GetViewRect();
    for (auto &e : m_entries) {
        const QRect firstCell = GetCellRect(std::clamp(e->GetFirstCell(), 0, n - 1), 0);
        const QRect lastCell = GetCellRect(std::clamp(e->GetLastCell(), 0, n - 1), 0);
        int left = firstCell.left();
        int right = lastCell.left() + lastCell.width();
        if (n == 1) {
            left += 2;
            right -= 2;
        }
        // Not placed yet: no height.
        e->SetRect(QRect(left, view.top(), std::max(0, right - left), 0));
    }
    if (m_entries.empty() || view.width() <= 0)
        return;
    for (int first = 0; first < GetEntryCount();) {
        const int last = ClusterEnd(m_entries, first);
        FillBannerLanes(m_entries, first, last, m_laneStep);
        first = last + 1;
    }
    int lowest = 0;
    for (const auto &e : m_entries)
        lowest = std::max(lowest, e->GetRect().top() + e->GetRect().height() - view.top());
    m_rowCount = m_laneStep > 0 ? lowest / m_laneStep : 0;
}

// ---- Scrolling ----

int CDayBannerCtrl::GetVisibleRowCount() const
{
    return GetViewRect().height() / std::max(1, m_rowHeight);
}

int CDayBannerCtrl::GetLastTopRow() const
{
    return std::max(0, m_rowCount - GetVisibleRowCount());
}

void CDayBannerCtrl::OnEntriesChanged()
{
    m_topRow = std::clamp(m_topRow, 0, GetLastTopRow());
    UpdateScrollBar();
}

void CDayBannerCtrl::UpdateScrollBar()
{
    const ScrollBarState before = m_scrollBar;
    const int visibleRows = GetVisibleRowCount();
    const bool needed = m_rowCount > visibleRows;
    m_scrollBar.maximum = std::max(0, m_rowCount - 1);
    m_scrollBar.page = visibleRows;
    m_scrollBar.position = m_topRow;
    // With several columns the bar stays in place (disabled) so the columns keep lining up with
    // the time grid's; a single column hides it when it has nothing to do.
    m_scrollBar.visible = GetColumnCount() >= 2 || needed;
    m_scrollBar.enabled = needed;
    if (before.visible != m_scrollBar.visible) {
        // The columns just got wider or narrower: place the items again (the rows stay).
        LayoutEntries();
        InvalidateAll();
    }
    if (!(before == m_scrollBar) && m_scrollListener)
        m_scrollListener(0);
}

bool CDayBannerCtrl::SetTopRow(int row)
{
    const int target = std::clamp(row, 0, GetLastTopRow());
    if (target == m_topRow)
        return false;
    const int dy = (m_topRow - target) * m_rowHeight;
    m_topRow = target;
    UpdateScrollBar();
    InvalidateAll();
    if (m_scrollListener)
        m_scrollListener(dy);
    return true;
}

bool CDayBannerCtrl::OnVScroll(int request, int trackPosition)
{
    const int visibleRows = GetVisibleRowCount();
    int target = m_topRow;
    switch (request) {
    case ScrollLineUp:
        target = m_topRow - 1;
        break;
    case ScrollLineDown:
        target = m_topRow + 1;
        break;
    case ScrollPageUp:
        target = m_topRow - visibleRows;
        break;
    case ScrollPageDown:
        target = m_rowCount < m_topRow + 2 * visibleRows ? GetLastTopRow() : m_topRow + visibleRows;
        break;
    case ScrollThumbTrack:
        target = trackPosition;
        break;
    case ScrollTop:
        target = 0;
        break;
    case ScrollBottom:
        target = GetLastTopRow();
        break;
    default:
        return false;
    }
    return SetTopRow(target);
}

bool CDayBannerCtrl::OnScroll(std::uint16_t scrollCode)
{
    switch (scrollCode >> 8) {
    case 0x00:
        return OnVScroll(ScrollLineUp);
    case 0x01:
        return OnVScroll(ScrollLineDown);
    default:
        return false;
    }
}

void CDayBannerCtrl::EnsureEntryVisible(int index)
{
    const CDisplayItem *e = GetEntry(index);
    if (!e)
        return;
    const int rowHeight = std::max(1, m_rowHeight);
    const QRect view = GetViewRect();
    const QRect r = e->GetRect();
    const int top = (r.top() - view.top()) / rowHeight;
    const int bottom = (r.top() + r.height() - view.top()) / rowHeight;
    const int partlyVisible = view.height() > 1 ? (view.height() - 1 + rowHeight - 1) / rowHeight : 0;
    const int visibleRows = GetVisibleRowCount();
    if (top >= m_topRow && bottom < m_topRow + partlyVisible)
        return;
    if (top >= m_topRow)
        SetTopRow(std::min(top, std::max(0, bottom - visibleRows)));
    else
        SetTopRow(top);
    UpdateScrollBar();
    InvalidateAll();
}

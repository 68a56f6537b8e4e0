// The month-calendar engine: layout, fill, selection, hit test, mouse protocol, scrolling and
// painting of a grid of months.
#include "toolkit/navigator/DateNavigator.h"

#include "core/dates/DateFormats.h"
#include "core/dates/DateRules.h"
#include "core/dates/WeekRules.h"
#include "core/lists/LogFont.h"
#include "core/system/Profile.h"
#include "core/system/StringTable.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPolygon>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

const QString kSection = QStringLiteral("Calendar");

// Months counted from year 0, so that month steps are integer steps.
constexpr int kFirstMonth = 1753 * 12;       // January 1753
constexpr int kLastMonth = 4000 * 12 + 11;   // December 4000
constexpr int kTodayTextId = 61205;

int MonthIndex(const CDateTime &date) { return date.GetYear() * 12 + date.GetMonth() - 1; }

CDateTime FirstOfMonthIndex(int index) { return CDateTime(index / 12, index % 12 + 1, 1); }

CDateTime AddDaysExact(const CDateTime &date, long n)
{
    return (date + CDateSpan(double(n))).DatePart();
}

long DayNumber(const CDateTime &date) { return long(std::floor(date.Linear() + 1e-9)); }

long DaysBetween(const CDateTime &from, const CDateTime &to) { return DayNumber(to) - DayNumber(from); }

bool InRange(const CDateTime &day)
{
    return day.IsValid() && DayNumber(day) >= DayNumber(DateRange::Min()) &&
           DayNumber(day) <= DayNumber(DateRange::Max());
}

CDateTime TodayDate()
{
    CDateTime today = GetToday();
    if (!today.IsValid() || today.Value() == 0.0) {
        ::UpdateToday();
        today = GetToday();
    }
    return today.DatePart();
}

// The first character of a name, both halves of a surrogate pair kept together.
QString FirstCharacter(const QString &name)
{
    if (name.isEmpty())
        return {};
    return name.left(name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1);
}

NavigatorFontSizes MeasureFonts(const QFont &normal, const QFont &bold)
{
    const QFontMetrics nm(normal), bm(bold);
    return {nm.averageCharWidth(), nm.height(), bm.height()};
}

bool ContainsPoint(int left, int top, int right, int bottom, const QPoint &p)
{
    return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom;
}

} // namespace

NavigatorMetrics NavigatorMetrics::From(const NavigatorFontSizes &s, bool weekNumbers, bool todayBar)
{
    NavigatorMetrics m;
    m.charWidth = s.averageWidth;
    m.textHeight = s.height;
    m.titleHeight = s.boldHeight + 7;
    m.weekdayRowHeight = s.height + 3;
    m.todayBarHeight = todayBar ? s.height + 6 : 0;
    m.weekNumberWidth = weekNumbers ? 3 * s.averageWidth + 2 : 0;
    m.cellWidth = 3 * s.averageWidth + 2;
    m.cellHeight = s.height + 2;
    m.bottomMargin = 2;
    m.monthWidth = 23 * s.averageWidth + m.weekNumberWidth + 14;
    m.monthHeight = m.titleHeight + m.todayBarHeight + 7 * s.height + 17;
    return m;
}

NavigatorColors NavigatorColors::FromLook()
{
    const CMenuLook::Colors &c = CMenuLook::Instance().GetColors();
    NavigatorColors n;
    n.window = c.window;
    n.windowText = c.windowText;
    n.grey = c.buttonShadow;
    n.highlight = c.highlight;
    n.highlightText = c.highlightText;
    n.title = c.buttonFace;
    n.titleText = c.windowText;
    n.border = c.buttonShadow;
    n.pressedText = c.highlightText;
    n.dropFrame = c.highlight;
    n.today = c.today;
    return n;
}

CDateNavigator::CDateNavigator()
{
    m_current = TodayDate();
    m_firstShown = m_current;
    m_endDate = m_current;
    m_probe = MeasureFonts;
    m_colors = NavigatorColors::FromLook();
    const LocaleDateData &names = GetLocaleDateData();
    for (int i = 0; i < 7; ++i)
        m_weekdayLetters[std::size_t(i)] = FirstCharacter(names.shortDayNames[(i + 1) % 7]);
}

CDateNavigator::~CDateNavigator()
{
    StopRepeat();
}

// ---- Layout ----

bool CDateNavigator::LoadLayout(INavigatorHost *host, int controlId, bool weekNumbers, bool todayBar)
{
    m_host = host;
    m_controlId = controlId;
    const LogFont setting = LoadFontSettingPoints(kSection, QStringLiteral("Font"), 8);
    QFont normal;
    const QString face = setting.FaceName();
    if (!face.isEmpty())
        normal.setFamily(face);
    normal.setPointSize(std::max(1, std::abs(setting.height)));
    normal.setItalic(setting.italic != 0);
    QFont bold = normal;
    bold.setWeight(QFont::Bold);
    const NavigatorFontSizes sizes = m_probe(normal, bold);
    if (sizes.averageWidth <= 0 || sizes.height <= 0 || sizes.boldHeight <= 0)
        return false;
    m_normalFont = normal;
    m_boldFont = bold;
    m_weekNumbers = weekNumbers;
    m_todayBar = todayBar;
    m_metrics = NavigatorMetrics::From(sizes, weekNumbers, todayBar);

    bool deepDisplay = true;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        deepDisplay = screen->depth() > 8;
    m_gradient = GetProfileInt(QStringLiteral("Common"), QStringLiteral("UG"), 1) != 0 && deepDisplay &&
                 GetProfileInt(kSection, QStringLiteral("UG"), 1) != 0;

    QString pattern;
    if (!FindResString(kTodayTextId, pattern) || pattern.isEmpty())
        pattern = QStringLiteral("Today %s");
    m_todayText = QString(pattern).replace(QStringLiteral("%s"), FormatDateTime(TodayDate(), QStringLiteral("%x")));
    // Month rectangles follow the new month size at the next SetSize.
    for (CNavigatorMonth &month : m_months)
        month.rect = QRect();
    return true;
}

std::pair<int, int> CDateNavigator::SetGridSize(int across, int down)
{
    const std::pair<int, int> previous{m_across, m_down};
    m_across = across;
    m_down = down;
    return previous;
}

bool CDateNavigator::SetSize(int width, int height)
{
    // Nothing divides by the month size before a layout exists.
    if (!HasLayout())
        return false;
    const int mw = m_metrics.monthWidth, mh = m_metrics.monthHeight;
    const int down = std::max(1, height / mh);
    const int across = std::max(1, width / mw);
    if (!m_months.empty() && m_months[0].rect.size() == QSize(mw, mh) && across == m_across && down == m_down &&
        int(m_months.size()) == across * down)
        return false;
    m_across = across;
    m_down = down;
    m_months.resize(std::size_t(across * down));
    for (int r = 0; r < down; ++r) {
        for (int c = 0; c < across; ++c)
            m_months[std::size_t(r * across + c)].rect = QRect(c * mw, r * mh, mw, mh);
    }
    SetFirstMonth(m_firstShown);
    SetCurDate(m_current, 0, false);
    if (m_host) {
        m_host->InvalidateAll();
        m_host->UpdateNow();
    }
    return true;
}

int CDateNavigator::GetPreferredWidth() const { return m_across * m_metrics.monthWidth + 8; }
int CDateNavigator::GetPreferredHeight() const { return m_down * m_metrics.monthHeight + 8; }

int CDateNavigator::RoundWidth(int width) const
{
    if (m_metrics.monthWidth <= 0)
        return width;
    return m_metrics.monthWidth * ((width - 8) / m_metrics.monthWidth) + 8;
}

int CDateNavigator::RoundHeight(int height) const
{
    if (m_metrics.monthHeight <= 0)
        return height;
    return m_metrics.monthHeight * ((height - 8) / m_metrics.monthHeight) + 8;
}

// ---- Filling ----

void CDateNavigator::SetFirstMonth(const CDateTime &first)
{
    const int n = int(m_months.size());
    int firstIndex = first.IsValid() ? MonthIndex(first) : MonthIndex(m_current);
    // The last month never passes December 4000, the first never precedes January 1753.
    firstIndex = std::min(firstIndex, kLastMonth - std::max(0, n - 1));
    firstIndex = std::max(firstIndex, kFirstMonth);
    m_firstShown = FirstOfMonthIndex(firstIndex);
    m_todayCell = -1;
    m_focusCell = -1;
    const CDateTime today = TodayDate();
    const int firstDay = GetFirstDayOfWeek();
    const int rule = GetWeekOfYearRule();
    for (int i = 0; i < n; ++i) {
        CNavigatorMonth &month = m_months[std::size_t(i)];
        const int monthIndex = std::min(firstIndex + i, kLastMonth);
        month.firstOfMonth = FirstOfMonthIndex(monthIndex);
        int back = month.firstOfMonth.GetDayOfWeek() + 5 - firstDay;
        if (back >= 7)
            back -= 7;
        month.leadingBlanks = back;
        const CDateTime gridStart = AddDaysExact(month.firstOfMonth, -back);
        const int year = month.firstOfMonth.GetYear(), monthNo = month.firstOfMonth.GetMonth();
        const bool last = i == n - 1;
        for (int c = 0; c < CNavigatorMonth::kCells; ++c) {
            const CDateTime day = AddDaysExact(gridStart, c);
            CNavigatorDay &cell = month.cells[std::size_t(c)];
            cell.entries.clear();
            cell.commonType = -1;
            const bool inMonth = day.GetYear() == year && day.GetMonth() == monthNo;
            if (c % 7 == 0) {
                const int row = c / 7;
                month.weekNumbers[std::size_t(row)] =
                    (inMonth || row < 2 || last) ? GetWeekOfYear(rule, firstDay, AddDaysExact(day, 6)) : -1;
            }
            cell.day = day.GetDay();
            const int index = i * CNavigatorMonth::kCells + c;
            if (inMonth) {
                cell.flags = 0;
                if (IsSameDate(day, m_current))
                    m_focusCell = index;
                if (IsSameDate(day, today))
                    m_todayCell = index;
            } else if ((c < 14 && i == 0) || (c >= 14 && last)) {
                cell.flags = CNavigatorDay::FlagOtherMonth;
                if (IsSameDate(day, today))
                    m_todayCell = index;
            } else {
                cell.flags = CNavigatorDay::FlagHidden;
            }
            // Days outside the calendar's range are never shown.
            if (!InRange(day)) {
                cell.flags = CNavigatorDay::FlagHidden;
                if (m_todayCell == index)
                    m_todayCell = -1;
            }
        }
    }
    if (n == 0)
        m_endDate = m_firstShown;
    else
        m_endDate = FirstOfMonthIndex(std::min(firstIndex + n - 1, kLastMonth) + 1);
    MonthsRefilled();
}

// ---- Selection ----

bool CDateNavigator::SetSelection(const CDateTime &date, int unit, int count, bool update)
{
    if (unit != UnitWeek && unit != UnitMonth)
        unit = UnitDay;
    count = std::max(1, count);
    if (!m_host || m_months.empty()) {
        m_current = date;
        m_unit = unit;
        m_count = count;
        return true;
    }
    if (date == m_current && unit == m_unit && count == m_count)
        return true;
    m_unit = unit;
    m_count = count;
    return SetCurDate(date, 0, update);
}

bool CDateNavigator::SelectionVisible() const
{
    if (m_months.empty() || !m_current.IsValid())
        return false;
    CDateTime start = m_current.DatePart(), end = start;
    if (m_unit == UnitWeek) {
        const int mondayBased = (m_current.GetDayOfWeek() + 5) % 7;
        start = AddDaysExact(start, -((mondayBased - GetFirstDayOfWeek() + 7) % 7));
        end = AddDaysExact(start, long(m_count) - 1);
    } else if (m_unit == UnitMonth) {
        start = CDateTime(m_current.GetYear(), m_current.GetMonth(), 1);
        end = CDateTime(m_current.GetYear(), m_current.GetMonth(),
                        CDateTime::DaysInMonth(m_current.GetYear(), m_current.GetMonth()));
    } else {
        end = AddDaysExact(start, m_count - 1);
    }
    return DayNumber(m_firstShown) <= DayNumber(start) && DayNumber(end) < DayNumber(m_endDate);
}

int CDateNavigator::FindFocusCell(const CDateTime &date) const
{
    if (m_months.empty() || !date.IsValid())
        return -1;
    const int day = date.GetDay();
    const int offset = MonthIndex(date) - MonthIndex(m_firstShown);
    if (offset >= 0 && offset < int(m_months.size())) {
        const CNavigatorMonth &month = m_months[std::size_t(offset)];
        const int c = month.leadingBlanks + day - 1;
        if (c >= 0 && c < CNavigatorMonth::kCells && month.cells[std::size_t(c)].day == day &&
            (month.cells[std::size_t(c)].flags & (CNavigatorDay::FlagOtherMonth | CNavigatorDay::FlagHidden)) == 0)
            return offset * CNavigatorMonth::kCells + c;
    }
    if (DayNumber(date) < DayNumber(m_firstShown)) {
        const CNavigatorMonth &month = m_months.front();
        for (int c = 0; c < 15; ++c) {
            if (month.cells[std::size_t(c)].day == day && !month.cells[std::size_t(c)].IsHidden())
                return c;
        }
    } else if (DayNumber(date) >= DayNumber(m_endDate)) {
        const int last = int(m_months.size()) - 1;
        const CNavigatorMonth &month = m_months.back();
        for (int c = 15; c < CNavigatorMonth::kCells; ++c) {
            if (month.cells[std::size_t(c)].day == day && !month.cells[std::size_t(c)].IsHidden())
                return last * CNavigatorMonth::kCells + c;
        }
    }
    return -1;
}

bool CDateNavigator::SetCurDate(const CDateTime &date, int reason, bool update)
{
    if (!date.IsValid())
        return false;
    m_current = date;
    if (!SelectionVisible()) {
        SetFirstMonth(CDateTime(date.GetYear(), date.GetMonth(), 1));
        Highlight(m_focusCell, false);
        if (m_host)
            m_host->InvalidateAll();
    } else {
        m_focusCell = FindFocusCell(date);
        Highlight(m_focusCell, true);
    }
    if (update && m_host)
        m_host->UpdateNow();
    if (reason != 0)
        Notify(NotifyDateMoved, reason, -1, QPoint(), date);
    return true;
}

void CDateNavigator::Recenter(bool update)
{
    if (!m_current.IsValid() || m_current.Value() == 0.0)
        m_current = TodayDate();
    // Forget the shown range so that the grid is rebuilt around the current month.
    m_endDate = m_firstShown;
    SetCurDate(m_current, 0, update);
}

void CDateNavigator::MarkFrom(int month, int cell, int count, bool repaint, std::vector<int> &marked)
{
    const int n = int(m_months.size());
    int done = 0;
    int guard = n * CNavigatorMonth::kCells + 7;
    while (done < count && month < n && guard-- > 0) {
        if (cell > CNavigatorMonth::kCells - 1 || m_months[std::size_t(month)].cells[std::size_t(cell)].IsHidden()) {
            if (done > 0 || cell > CNavigatorMonth::kCells - 1) {
                // Marking goes on in the next month at its first shown cell of the first row.
                if (++month >= n)
                    break;
                cell = 0;
                while (cell < 7 && m_months[std::size_t(month)].cells[std::size_t(cell)].IsHidden())
                    ++cell;
                if (cell >= 7)
                    break;
            } else {
                ++cell;
            }
            continue;
        }
        const int index = month * CNavigatorMonth::kCells + cell;
        m_months[std::size_t(month)].cells[std::size_t(cell)].flags |= CNavigatorDay::FlagHighlighted;
        marked.push_back(index);
        if (repaint)
            InvalidateCell(index);
        ++done;
        ++cell;
    }
}

void CDateNavigator::Highlight(int target, bool repaint)
{
    if (m_months.empty())
        return;
    for (int m = 0; m < int(m_months.size()); ++m) {
        for (int c = 0; c < CNavigatorMonth::kCells; ++c) {
            CNavigatorDay &cell = m_months[std::size_t(m)].cells[std::size_t(c)];
            if (cell.flags & CNavigatorDay::FlagHighlighted) {
                cell.flags &= ~CNavigatorDay::FlagHighlighted;
                if (repaint)
                    InvalidateCell(m * CNavigatorMonth::kCells + c);
            }
        }
    }
    if (m_todayBarPressed) {
        m_todayBarPressed = false;
        if (m_host)
            m_host->Invalidate(GetTodayBarRect());
    }
    if (target == TodayTarget) {
        if (m_todayBar) {
            m_todayBarPressed = true;
            if (m_host)
                m_host->Invalidate(GetTodayBarRect());
        }
        return;
    }
    const int n = int(m_months.size());
    if (target < 0 || target >= n * CNavigatorMonth::kCells)
        return;
    const int month = target / CNavigatorMonth::kCells, cell = target % CNavigatorMonth::kCells;
    std::vector<int> marked;
    if (m_unit == UnitMonth) {
        for (int c = 0; c < CNavigatorMonth::kCells; ++c) {
            CNavigatorDay &d = m_months[std::size_t(month)].cells[std::size_t(c)];
            if ((d.flags & (CNavigatorDay::FlagOtherMonth | CNavigatorDay::FlagHidden)) == 0) {
                d.flags |= CNavigatorDay::FlagHighlighted;
                if (repaint)
                    InvalidateCell(month * CNavigatorMonth::kCells + c);
            }
        }
    } else if (m_unit == UnitWeek) {
        const int rowStart = cell - cell % 7;
        if (m_months[std::size_t(month)].cells[std::size_t(rowStart)].IsHidden()) {
            if (month == 0) {
                // Only the shown days of the first row.
                MarkFrom(0, rowStart, 7, repaint, marked);
                return;
            }
            const CNavigatorMonth &prev = m_months[std::size_t(month - 1)];
            const int row = prev.cells[35].IsHidden() ? 4 : 5;
            MarkFrom(month - 1, row * 7, m_count, repaint, marked);
        } else {
            MarkFrom(month, rowStart, m_count, repaint, marked);
        }
    } else {
        MarkFrom(month, cell, m_count, repaint, marked);
    }
}

// ---- Dates of cells ----

CNavigatorDay *CDateNavigator::CellAt(int cellIndex)
{
    return const_cast<CNavigatorDay *>(GetCell(cellIndex));
}

const CNavigatorDay *CDateNavigator::GetCell(int cellIndex) const
{
    if (cellIndex < 0 || cellIndex >= int(m_months.size()) * CNavigatorMonth::kCells)
        return nullptr;
    return &m_months[std::size_t(cellIndex / CNavigatorMonth::kCells)].cells[std::size_t(cellIndex % CNavigatorMonth::kCells)];
}

CDateTime CDateNavigator::CellDate(int cellIndex) const
{
    if (!GetCell(cellIndex))
        return CDateTime::Invalid();
    const CNavigatorMonth &month = m_months[std::size_t(cellIndex / CNavigatorMonth::kCells)];
    return AddDaysExact(month.firstOfMonth, cellIndex % CNavigatorMonth::kCells - month.leadingBlanks);
}

int CDateNavigator::GetShownDays() const { return int(DaysBetween(m_firstShown, m_endDate)); }

int CDateNavigator::DateToCell(const CDateTime &date, bool *isMidnight, bool *clamped) const
{
    if (isMidnight)
        *isMidnight = date.IsValid() && date.GetHour() == 0 && date.GetMinute() == 0 && date.GetSecond() == 0;
    if (clamped)
        *clamped = false;
    if (m_months.empty() || !date.IsValid())
        return -1;
    CDateTime day = date.DatePart();
    if (DayNumber(date) < DayNumber(m_firstShown)) {
        day = m_firstShown;
        if (clamped)
            *clamped = true;
    } else if (DayNumber(date) >= DayNumber(m_endDate)) {
        day = AddDaysExact(m_endDate, -1);
        if (clamped)
            *clamped = true;
    }
    const int offset = MonthIndex(day) - MonthIndex(m_firstShown);
    if (offset < 0 || offset >= int(m_months.size()))
        return -1;
    const CNavigatorMonth &month = m_months[std::size_t(offset)];
    const int c = month.leadingBlanks + day.GetDay() - 1;
    if (c < 0 || c >= CNavigatorMonth::kCells || month.cells[std::size_t(c)].IsHidden())
        return -1;
    return offset * CNavigatorMonth::kCells + c;
}

// ---- Geometry ----

QRect CDateNavigator::GetCellRect(int cellIndex) const
{
    if (!GetCell(cellIndex))
        return {};
    const NavigatorMetrics &m = m_metrics;
    const QRect &r = m_months[std::size_t(cellIndex / CNavigatorMonth::kCells)].rect;
    const int c = cellIndex % CNavigatorMonth::kCells;
    const int left = r.left() + m.charWidth + m.weekNumberWidth - 1;
    const int top = r.top() + m.titleHeight + m.weekdayRowHeight;
    return QRect(left + (c % 7) * m.cellWidth, top + (c / 7) * m.cellHeight, m.cellWidth, m.cellHeight);
}

QRect CDateNavigator::GetTodayBarRect() const
{
    if (!m_todayBar || m_months.empty())
        return {};
    const QRect &r = m_months[0].rect;
    const NavigatorMetrics &m = m_metrics;
    const int bottom = r.top() + r.height() - m.bottomMargin - 1;
    return QRect(r.left() + m.charWidth, bottom - m.todayBarHeight, r.width() - 2 * m.charWidth, m.todayBarHeight);
}

int CDateNavigator::HitTest(const QPoint &p, int *cellIndex) const
{
    if (cellIndex)
        *cellIndex = -1;
    if (m_months.empty() || !HasLayout())
        return HitNothing;
    const NavigatorMetrics &m = m_metrics;
    if (p.y() < m.titleHeight) {
        const QRect &first = m_months[0].rect;
        const int lastOfRow = std::min(m_across, int(m_months.size())) - 1;
        const QRect &right = m_months[std::size_t(lastOfRow)].rect;
        const int rightEdge = right.left() + right.width();
        if (ContainsPoint(first.left() + 2, first.top() + 2, first.left() + 21, first.top() + m.titleHeight - 4, p))
            return HitLeftArrow;
        if (ContainsPoint(rightEdge - 21, right.top() + 2, rightEdge - 2, right.top() + m.titleHeight - 4, p))
            return HitRightArrow;
        return HitNothing;
    }
    if (m_todayBar) {
        const QRect bar = GetTodayBarRect();
        if (bar.contains(p))
            return HitTodayBar;
        if (m_months[0].rect.contains(p) && p.y() >= bar.top())
            return HitNothing;
    }
    for (int i = 0; i < int(m_months.size()); ++i) {
        const QRect &r = m_months[std::size_t(i)].rect;
        if (!r.contains(p))
            continue;
        // Each month's day area ends with its own sixth row: a lower month's title band is no day.
        const int left = r.left() + m.charWidth + m.weekNumberWidth - 1;
        const int right = r.left() + r.width() - m.charWidth - 1;
        const int top = r.top() + m.titleHeight + m.weekdayRowHeight;
        const int bottom = top + CNavigatorMonth::kRows * m.cellHeight;
        if (!ContainsPoint(left, top, right, bottom, p))
            return HitNothing;
        const int row = std::min(5, (p.y() - top) / m.cellHeight);
        const int col = std::min(6, (p.x() - left) / m.cellWidth);
        const int index = i * CNavigatorMonth::kCells + row * 7 + col;
        if (m_months[std::size_t(i)].cells[std::size_t(row * 7 + col)].IsHidden())
            return HitNothing;
        if (cellIndex)
            *cellIndex = index;
        return HitDay;
    }
    return HitNothing;
}

// ---- Mouse ----

void CDateNavigator::StopRepeat()
{
    if (m_repeatTimer != 0 && m_host)
        m_host->StopTimer(m_repeatTimer);
    m_repeatTimer = 0;
}

void CDateNavigator::OnLButtonDown(const QPoint &point)
{
    StopRepeat();
    int cell = -1;
    const int hit = HitTest(point, &cell);
    if (!m_host)
        return;
    switch (hit) {
    case HitLeftArrow:
    case HitRightArrow:
        m_selecting = false;
        Scroll(hit == HitLeftArrow ? -1 : 1);
        m_repeatTimer = hit == HitLeftArrow ? TimerPrevMonth : TimerNextMonth;
        m_host->StartTimer(m_repeatTimer, RepeatMs);
        m_host->SetMouseCapture(true);
        break;
    case HitTodayBar:
        m_selecting = true;
        m_pressed = TodayTarget;
        m_host->SetMouseCapture(true);
        Highlight(TodayTarget, true);
        m_host->UpdateNow();
        break;
    case HitDay:
        m_selecting = true;
        m_pressed = cell;
        m_host->SetMouseCapture(true);
        Highlight(cell, true);
        m_host->UpdateNow();
        break;
    default:
        break;
    }
}

void CDateNavigator::OnTimer(int id)
{
    if (id != m_repeatTimer || (id != TimerPrevMonth && id != TimerNextMonth) || !m_host)
        return;
    const int wanted = id == TimerPrevMonth ? HitLeftArrow : HitRightArrow;
    if (HitTest(m_host->CursorPos()) == wanted)
        Scroll(id == TimerPrevMonth ? -1 : 1);
}

void CDateNavigator::OnMouseMove(const QPoint &point)
{
    if (!m_selecting || !m_host)
        return;
    int cell = -1;
    const int hit = HitTest(point, &cell);
    const int target = hit == HitTodayBar ? TodayTarget : hit == HitDay ? cell : -1;
    if (target == m_pressed)
        return;
    m_pressed = target;
    Highlight(target == -1 ? m_focusCell : target, true);
    m_host->UpdateNow();
}

void CDateNavigator::OnLButtonUp(const QPoint &point)
{
    const bool selecting = m_selecting;
    m_selecting = false;
    StopRepeat();
    if (!m_host)
        return;
    m_host->SetMouseCapture(false);
    if (!selecting)
        return;
    int cell = -1;
    const int hit = HitTest(point, &cell);
    const int target = hit == HitTodayBar ? TodayTarget : hit == HitDay ? cell : -1;
    const int pressed = m_pressed;
    m_pressed = -1;
    if (target == -1 || target != pressed) {
        // No choice: the highlight goes back to the current date.
        Highlight(m_focusCell, true);
        m_host->UpdateNow();
        return;
    }
    const CDateTime date = target == TodayTarget ? TodayDate() : CellDate(target);
    SetCurDate(date, 0, false);
    Notify(NotifyDateChosen, ReasonKeyboard, -1, QPoint(), date);
}

void CDateNavigator::OnCaptureLost()
{
    if (!m_selecting && m_repeatTimer == 0)
        return;
    m_selecting = false;
    m_pressed = -1;
    StopRepeat();
    Highlight(m_focusCell, true);
}

void CDateNavigator::OnRButtonDown(const QPoint &point)
{
    int cell = -1;
    if (HitTest(point, &cell) != HitDay || !m_host)
        return;
    const QRect r = GetCellRect(cell);
    Notify(NotifyRightClick, 0, cell, m_host->ToScreen(QPoint(r.left(), r.top() + r.height())), CellDate(cell));
}

void CDateNavigator::OnSetCursor(const QPoint &point)
{
    if (!m_host)
        return;
    switch (HitTest(point)) {
    case HitLeftArrow:
        m_host->SetCursorShape(NavigatorCursor::LeftArrow);
        break;
    case HitRightArrow:
        m_host->SetCursorShape(NavigatorCursor::RightArrow);
        break;
    case HitDay:
    case HitTodayBar:
        m_host->SetCursorShape(NavigatorCursor::Day);
        break;
    default:
        m_host->SetCursorShape(NavigatorCursor::Arrow);
        break;
    }
}

int CDateNavigator::Notify(int code, int reason, int index, const QPoint &point, const CDateTime &date)
{
    m_pressed = -1;
    if (!m_host)
        return 0;
    NavigatorNotification n;
    n.controlId = m_controlId;
    n.code = code;
    n.reason = reason;
    n.index = index;
    n.point = point;
    n.date = date;
    return m_host->Notify(n);
}

// ---- Scrolling ----

void CDateNavigator::NextMonth() { Scroll(1); }
void CDateNavigator::PrevMonth() { Scroll(-1); }

void CDateNavigator::Scroll(int step)
{
    if (m_months.empty())
        return;
    const int n = int(m_months.size());
    const int firstIndex = MonthIndex(m_firstShown);
    const int wanted = std::clamp(firstIndex + step, kFirstMonth, std::max(kFirstMonth, kLastMonth - (n - 1)));
    if (wanted == firstIndex)
        return; // the grid stops at January 1753 and December 4000
    m_firstShown = FirstOfMonthIndex(wanted);
    m_endDate = FirstOfMonthIndex(wanted + n);
    int reason = 0;
    if (!SelectionVisible()) {
        CDateTime moved = m_current;
        if (AddMonths(moved, m_current.GetDay(), step))
            m_current = moved;
        reason = step > 0 ? ReasonNextMonth : ReasonPrevMonth;
    }
    SetFirstMonth(m_firstShown);
    SetCurDate(m_current, reason, false);
    if (m_host) {
        m_host->InvalidateAll();
        m_host->UpdateNow();
    }
}

void CDateNavigator::UpdateToday()
{
    if (m_months.empty())
        return;
    const CDateTime today = TodayDate();
    int found = -1;
    const int offset = MonthIndex(today) - MonthIndex(m_firstShown);
    if (offset == -1) {
        for (int c = 0; c < 15 && found < 0; ++c) {
            const CNavigatorDay &d = m_months[0].cells[std::size_t(c)];
            if ((d.flags & CNavigatorDay::FlagOtherMonth) && d.day == today.GetDay())
                found = c;
        }
    } else if (offset >= 0 && offset < int(m_months.size())) {
        found = FindFocusCell(today);
    } else if (offset == int(m_months.size())) {
        const int last = int(m_months.size()) - 1;
        for (int c = 15; c < CNavigatorMonth::kCells && found < 0; ++c) {
            const CNavigatorDay &d = m_months.back().cells[std::size_t(c)];
            if ((d.flags & CNavigatorDay::FlagOtherMonth) && d.day == today.GetDay())
                found = last * CNavigatorMonth::kCells + c;
        }
    }
    if (found == m_todayCell)
        return;
    InvalidateCell(m_todayCell);
    InvalidateCell(found);
    m_todayCell = found;
    if (m_host)
        m_host->UpdateNow();
}

void CDateNavigator::InvalidateCell(int cellIndex)
{
    if (m_host && GetCell(cellIndex))
        m_host->Invalidate(GetCellRect(cellIndex));
}

// ---- Painting ----

void CDateNavigator::Paint(QPainter &painter)
{
    if (m_months.empty() || !HasLayout())
        return;
    for (int i = 0; i < int(m_months.size()); ++i) {
        painter.save();
        painter.setClipRect(m_months[std::size_t(i)].rect);
        PaintMonth(painter, i);
        painter.restore();
    }
}

void CDateNavigator::PaintMonth(QPainter &painter, int index)
{
    const NavigatorMetrics &m = m_metrics;
    const CNavigatorMonth &month = m_months[std::size_t(index)];
    const QRect &r = month.rect;
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();
    const int column = index % m_across, row = index / m_across;
    const bool firstColumn = column == 0;
    const bool lastColumn = column == m_across - 1;
    const bool lastRow = row == m_down - 1;
    const QColor border = ToQColor(m_colors.border), title = ToQColor(m_colors.title);
    const QColor titleText = ToQColor(m_colors.titleText), grey = ToQColor(m_colors.grey);

    // Title band.
    const QRect band(r.left(), r.top(), r.width(), m.titleHeight);
    painter.fillRect(band, title);
    painter.fillRect(QRect(band.left(), band.top(), band.width(), 2), border);
    painter.fillRect(QRect(band.left(), band.top() + m.titleHeight - 2, band.width(), 2), border);
    if (firstColumn) {
        painter.fillRect(QRect(band.left(), band.top(), 2, m.titleHeight), border);
    } else {
        painter.fillRect(QRect(band.left(), band.top() + 4, 1, m.titleHeight - 8), titleText);
    }
    if (lastColumn)
        painter.fillRect(QRect(right - 2, band.top(), 2, m.titleHeight), border);
    int textLeft = band.left() + 2, textRight = right - 2;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(titleText);
    const int arrowTop = band.top() + (m.titleHeight - 9) / 2;
    if (index == 0) {
        const int x = band.left() + 10;
        painter.drawPolygon(QPolygon({QPoint(x + 4, arrowTop), QPoint(x, arrowTop + 4), QPoint(x + 4, arrowTop + 8)}));
        textLeft = x + 5 + 8;
    }
    if (index == std::min(m_across, int(m_months.size())) - 1) {
        const int x = right - 15;
        painter.drawPolygon(QPolygon({QPoint(x, arrowTop), QPoint(x + 4, arrowTop + 4), QPoint(x, arrowTop + 8)}));
        textRight = x - 8;
    }
    painter.setBrush(Qt::NoBrush);
    const LocaleDateData &names = GetLocaleDateData();
    const int monthNo = month.firstOfMonth.GetMonth() - 1;
    QString name = monthNo >= 0 ? names.standaloneMonthNames[monthNo] : QString();
    if (name.isEmpty() && monthNo >= 0)
        name = names.monthNames[monthNo];
    painter.setFont(m_boldFont);
    painter.setPen(titleText);
    painter.drawText(QRect(textLeft, band.top(), std::max(0, textRight - textLeft), m.titleHeight),
                     Qt::AlignCenter | Qt::TextSingleLine,
                     QStringLiteral("%1 %2").arg(name).arg(month.firstOfMonth.GetYear()));

    // Body, weekday letters and their line.
    painter.fillRect(QRect(r.left(), r.top() + m.titleHeight, r.width(), r.height() - m.titleHeight),
                     ToQColor(m_colors.window));
    const int rowTop = r.top() + m.titleHeight;
    const int lettersLeft = r.left() + m.charWidth - 1 + m.weekNumberWidth;
    painter.setFont(m_normalFont);
    painter.setPen(ToQColor(m_colors.windowText));
    const int firstDay = GetFirstDayOfWeek();
    for (int c = 0; c < 7; ++c) {
        const QRect box(lettersLeft + c * m.cellWidth + 1, rowTop, m.cellWidth, m.weekdayRowHeight - 2);
        painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, m_weekdayLetters[std::size_t((c + firstDay) % 7)]);
    }
    painter.fillRect(QRect(lettersLeft, rowTop + m.weekdayRowHeight - 2, 7 * m.cellWidth, 1), grey);

    // Week numbers.
    const int areaTop = rowTop + m.weekdayRowHeight;
    if (m_weekNumbers) {
        const int columnLeft = r.left() + m.charWidth - 1;
        painter.setPen(grey);
        for (int w = 0; w < CNavigatorMonth::kRows; ++w) {
            const int week = month.weekNumbers[std::size_t(w)];
            if (week < 0)
                continue;
            const QRect box(columnLeft, areaTop + w * m.cellHeight, m.weekNumberWidth - 3 - 2, m.cellHeight - 1);
            painter.drawText(box, Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine, QString::number(week));
        }
        painter.fillRect(QRect(columnLeft + m.weekNumberWidth - 2, areaTop - 2, 1,
                               bottom - m.bottomMargin - (areaTop - 2)),
                         grey);
    }

    for (int c = 0; c < CNavigatorMonth::kCells; ++c)
        PaintCell(painter, index * CNavigatorMonth::kCells + c);

    // The today bar under the first month.
    if (m_todayBar && index == 0) {
        const QRect bar = GetTodayBarRect();
        if (m_todayBarPressed)
            painter.fillRect(bar, grey);
        painter.fillRect(QRect(bar.left(), bar.top() + 1, bar.width(), 2), grey);
        painter.setFont(m_boldFont);
        painter.setPen(ToQColor(m_todayBarPressed ? m_colors.pressedText : m_colors.windowText));
        painter.drawText(QRect(bar.left(), bar.top() + 3, bar.width(), bar.height() - 3),
                         Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, m_todayText);
    }

    // Outer edges.
    if (firstColumn)
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), border);
    if (lastColumn)
        painter.fillRect(QRect(right - 1, r.top(), 1, r.height()), border);
    if (lastRow)
        painter.fillRect(QRect(r.left(), bottom - 1, r.width(), 1), border);
}

void CDateNavigator::PaintCell(QPainter &painter, int cellIndex)
{
    const CNavigatorDay *cell = GetCell(cellIndex);
    if (!cell || cell->day < 0 || cell->IsHidden())
        return;
    const QRect r = GetCellRect(cellIndex);
    const bool highlighted = (cell->flags & CNavigatorDay::FlagHighlighted) != 0;
    CellLook look;
    const bool busy = !cell->entries.empty() && BusyCellLook(*cell, highlighted, look);
    if (!busy) {
        look.bold = false;
        look.typed = false;
        look.gradient = false;
        if (highlighted) {
            look.text = m_colors.highlightText;
            look.back = m_colors.highlight;
        } else {
            look.text = (cell->flags & CNavigatorDay::FlagOtherMonth) ? m_colors.grey : m_colors.windowText;
            look.back = m_colors.window;
        }
        look.backTo = look.back;
    }
    QRect fill = r;
    if (busy && look.typed) {
        fill = r.adjusted(1, 1, -1, -1);
        if (highlighted)
            fill = fill.adjusted(1, 1, -1, -1);
    }
    if (m_gradient && look.gradient && look.back != look.backTo)
        FillGradientRect(painter, fill, look.back, look.backTo, true);
    else
        painter.fillRect(fill, ToQColor(look.back));

    painter.setFont(look.bold ? m_boldFont : m_normalFont);
    painter.setPen(ToQColor(look.text));
    const int boxWidth = QFontMetrics(painter.font()).horizontalAdvance(QStringLiteral("33"));
    const QRect box(r.left() + (r.width() - boxWidth) / 2, r.top(), boxWidth, r.height() - 1);
    painter.save();
    painter.setClipRect(fill, Qt::IntersectClip);
    painter.drawText(box, Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextDontClip,
                     QString::number(cell->day));
    painter.restore();

    painter.setBrush(Qt::NoBrush);
    if (busy && look.typed) {
        painter.setPen(ToQColor(look.text));
        painter.drawRect(r.adjusted(1, 1, -2, -2));
    }
    if (busy && highlighted) {
        painter.setPen(ToQColor(m_colors.highlight));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (cellIndex == m_todayCell) {
        painter.setPen(ToQColor(m_colors.today));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

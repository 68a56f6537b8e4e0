// The day time grid: model, options, dates and entries.
#include "views/timegrid/DayViewCtrl.h"

#include "core/system/AppSettings.h"
#include "core/system/ConstStrings.h"
#include "core/dates/DateFormats.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/lists/LogFont.h"
#include "core/system/Profile.h"
#include "core/items/TaskItem.h"
#include "core/dates/WeekRules.h"
#include "toolkit/style/MenuLook.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

int ScreenDpi()
{
    if (QGuiApplication::instance()) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            return std::max(1, int(screen->logicalDotsPerInchY() + 0.5));
    }
    return 96;
}

QFont FontFromLogFont(const LogFont &lf)
{
    QFont font(lf.FaceName());
    if (lf.height < 0)
        font.setPixelSize(-lf.height);
    else if (lf.height > 0)
        font.setPixelSize(lf.height);
    font.setWeight(lf.weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(lf.italic != 0);
    return font;
}

} // namespace

CDayViewCtrl::CDayViewCtrl()
{
    m_viewKind = kViewKindDay;
    m_sectionIndex = ConstName::MDay;
    m_firstDate = TodayForDisplay();
    m_grid.SetFirstDate(m_firstDate);
    const AppSettings &settings = ProgramSettings();
    m_grid.SetWorkingTime(settings.workStart >> 16, settings.workStart & 0xFFFF, settings.workEnd >> 16,
                          settings.workEnd & 0xFFFF);
    m_grid.SetGridDays(5, false);
    // The first visible row is the start of the working day, in half hours.
    m_grid.SetTopRow(m_grid.WorkStartHour() * 2 + m_grid.WorkStartMinute() / 30);
    m_rowHeight = m_grid.RowHeight();
}

CDayViewCtrl::~CDayViewCtrl() = default;

void CDayViewCtrl::Create()
{
    LoadViewOptions();
    LoadFonts(false);
    m_grid.SetTimeScale(MinutesFromCode(m_timeScaleCode), m_workingOnly != 0);
    ResizeCellMarks();
    const CDateTime now = CurrentTime();
    const int rowsPerHour = 60 / m_grid.MinutesPerRow();
    m_grid.SetTopRow(now.GetHour() * rowsPerHour);
    SetCurrentCell(m_grid.TopRow());
    m_anchorCell = m_currentCell;
    SetTimeScale(m_grid.MinutesPerRow(), m_workingOnly != 0);
}

// ---- Model ----

int CDayViewCtrl::SetGridDays(int days, bool workWeek)
{
    const int before = m_grid.ColumnCount();
    const int columns = m_grid.SetGridDays(days, workWeek);
    // The cell marks follow every change of the column count; the selection stays inside.
    ResizeCellMarks();
    ClampSelection();
    // A single day uses a larger default font than several.
    if ((before == 1) != (columns == 1))
        LoadFonts(false);
    return columns;
}

void CDayViewCtrl::ResizeCellMarks()
{
    SetDayCount(m_grid.CellCount());
}

void CDayViewCtrl::ClampSelection()
{
    const int rows = m_grid.RowsPerDay();
    const auto clamp = [&](int cell) {
        const int column = std::clamp(cell / rows, 0, m_grid.ColumnCount() - 1);
        return column * rows + std::clamp(cell % rows, 0, rows - 1);
    };
    m_anchorCell = clamp(std::max(0, m_anchorCell));
    SetCurrentCell(clamp(std::max(0, m_currentCell)));
}

int CDayViewCtrl::MinutesFromCode(int code) const
{
    switch (code) {
    case 0:
        return 5;
    case 1:
        return 6;
    case 2:
        return 10;
    case 3:
        return 15;
    case 5:
        return 60;
    default:
        return 30;
    }
}

void CDayViewCtrl::SetTimeScale(int minutes, bool workingTimeOnly)
{
    if (m_anchorCell > m_currentCell)
        std::swap(m_anchorCell, m_currentCell);
    const int oldMinutes = m_grid.MinutesPerRow();
    const int oldAnchor = m_anchorCell, oldFocus = m_currentCell;
    m_grid.SetTimeScale(minutes, workingTimeOnly);
    ResizeCellMarks();
    const int newMinutes = m_grid.MinutesPerRow();
    const int lastCell = m_grid.CellCount() - 1;
    m_anchorCell = std::clamp(oldAnchor * oldMinutes / newMinutes, 0, lastCell);
    const int span = (oldFocus - oldAnchor + 1) * oldMinutes / newMinutes - 1;
    SetCurrentCell(span < 0 ? m_anchorCell : std::min(m_anchorCell + span, lastCell));
    ComputeLabelWidth();
    RecalcLayout();
}

void CDayViewCtrl::SetTopRow(int row)
{
    m_grid.SetTopRow(row);
}

void CDayViewCtrl::SetDate(bool scrollToNow, bool apply, const CDateTime &date)
{
    CCalendarViewCtrl::SetDate(date);
    if (!apply)
        return;
    const CDateTime requested = date.DatePart();
    CDateTime first = requested;
    const int rows = m_grid.RowsPerDay();
    if (!m_printing) {
        if (scrollToNow) {
            if (m_optionSCS && m_grid.ColumnCount() > 2)
                first = first - CDateSpan(1.0);
            const CDateTime now = CurrentTime();
            const int perHour = 60 / m_grid.MinutesPerRow();
            int row = now.GetHour() * perHour + now.GetMinute() / m_grid.MinutesPerRow();
            row -= row % perHour;
            m_grid.SetTopRow(row);
            m_grid.SetFirstDate(first);
            const int days = int((requested - first).GetTotalDays() + 0.5);
            const int column = std::clamp(m_grid.DayToColumn(days), 0, m_grid.ColumnCount() - 1);
            SetCurrentCell(column * rows + row);
            m_anchorCell = m_currentCell;
        } else if (m_anchorCell <= m_currentCell) {
            const int distance = m_currentCell - m_anchorCell;
            m_anchorCell = m_anchorCell % rows;
            SetCurrentCell(std::min(m_anchorCell + distance, m_grid.CellCount() - 1));
        } else {
            m_anchorCell = 0;
            SetCurrentCell(0);
        }
    }
    m_firstDate = first;
    m_grid.SetFirstDate(first);
    UpdateTodayColumn();
}

void CDayViewCtrl::UpdateTodayColumn()
{
    m_today = CurrentTime().DatePart();
    m_todayColumn = -1;
    if (m_grid.IsWorkWeek() && !IsWorkDate(m_today))
        return;
    const int days = int(std::floor((m_today - m_grid.FirstDate()).GetTotalDays() + 0.5));
    if (days >= 0 && days < m_grid.GetShownDays())
        m_todayColumn = m_grid.DayToColumn(days);
}

void CDayViewCtrl::UpdateToday()
{
    UpdateTodayColumn();
    Invalidate(QRect());
    if (m_host)
        m_host->UpdateWindow();
}

void CDayViewCtrl::GoToDate(const CDateTime &date)
{
    const int rows = m_grid.RowsPerDay();
    const int days = int(std::floor((date.DatePart() - m_grid.FirstDate()).GetTotalDays() + 0.5));
    int column = m_grid.DayToColumn(std::max(0, days));
    column = std::clamp(column, 0, m_grid.ColumnCount() - 1);
    m_anchorCell = column * rows + m_anchorCell % rows;
    SetCurrentCell(column * rows + m_currentCell % rows);
    InvalidateRange(m_anchorCell, m_currentCell, true);
}

QRect CDayViewCtrl::GetLabelColumnRect() const
{
    QRect r = GetViewRect();
    r.setWidth(m_grid.LabelWidth());
    return r;
}

// ---- Geometry ----

int CDayViewCtrl::CellFromDate(const CDateTime &date, int *flags) const
{
    bool exact = false, outside = false;
    const int cell = m_grid.CellFromDate(date, &exact, &outside);
    if (flags)
        *flags = (exact ? 1 : 0) | (outside ? 2 : 0);
    return cell;
}

int CDayViewCtrl::CellFromPoint(const QPoint &point) const
{
    return LabelColumnPointCell(point, nullptr);
}

int CDayViewCtrl::LabelColumnPointCell(const QPoint &point, bool *below) const
{
    m_grid.SetViewRect(GetViewRect());
    int cell = m_grid.CellFromPoint(point, below);
    // A point over the time labels stands for the focus cell's column.
    if (point.x() < m_grid.LabelWidth()) {
        const int rows = m_grid.RowsPerDay();
        const int column = std::min(m_currentCell / rows, m_grid.ColumnCount() - 1);
        cell = column * rows + cell % rows;
    }
    return cell;
}

QRect CDayViewCtrl::GetCellRect(int cell, int) const
{
    m_grid.SetViewRect(GetViewRect());
    return m_grid.GetCellRect(cell);
}

void CDayViewCtrl::SetCurrentCell(int cell)
{
    const int rows = m_grid.RowsPerDay();
    const int column = std::clamp(cell / rows, 0, std::max(0, m_grid.ColumnCount() - 1));
    const int row =
        std::clamp(cell % rows, m_grid.FirstRow(), std::max(m_grid.FirstRow(), m_grid.EndRow() - 1));
    m_currentCell = column * rows + row;
}

void CDayViewCtrl::RecalcLayout()
{
    const QRect view = GetViewRect();
    m_grid.SetViewRect(view);
    const int available = RectBottom(view) - (view.y() + 1);
    const int shownRows = std::max(1, m_grid.EndRow() - m_grid.FirstRow());
    int height = m_textHeight + 3;
    if (available / shownRows > height) {
        height = available / shownRows;
        m_grid.SetRowHeight(height);
        m_grid.SetTopRow(m_grid.FirstRow());
    } else {
        m_grid.SetRowHeight(height);
        const int spaceBelow = RectBottom(view) - (m_grid.EndRow() - m_grid.TopRow()) * height - view.y() - 1;
        if (m_grid.TopRow() > m_grid.FirstRow() && spaceBelow >= height) {
            if (view.height() <= 0)
                m_grid.SetTopRow(m_grid.FirstRow());
            else
                m_grid.SetTopRow(std::max(m_grid.FirstRow(), m_grid.EndRow() - available / height));
        }
    }
    m_rowHeight = m_grid.RowHeight();
}

CDateTime CDayViewCtrl::GetDayDate(int cell) const
{
    return m_grid.GetDayDate(cell);
}

CDateSpan CDayViewCtrl::GetShownSpan() const
{
    return m_grid.RowSpan();
}

CDateSpan CDayViewCtrl::GetCellSpan(int) const
{
    return m_grid.RowSpan();
}

CDateSpan CDayViewCtrl::GetDaySpan(int a, int b) const
{
    return m_grid.GetDaySpan(a, b);
}

int CDayViewCtrl::EntryFromPoint(const QPoint &point) const
{
    const QPoint grid(point.x(), m_grid.ClientToGridY(point.y()));
    for (int i = 0; i < GetEntryCount(); ++i) {
        const CDisplayItem &e = *m_entries[std::size_t(i)];
        // Ghosts of a drag and boxes without room are not on the screen.
        if (e.GetState() & (CDisplayItem::StateDragged | CDisplayItem::StateHidden))
            continue;
        if (e.GetRect().contains(grid))
            return i;
    }
    return -1;
}

QRect CDayViewCtrl::GetEntryRect(int index) const
{
    const CDisplayItem *e = GetEntry(index);
    if (!e)
        return {};
    return e->GetRect().translated(0, m_grid.GridToClientY(0));
}

QRect CDayViewCtrl::GetEntryTextRect(int index) const
{
    const QRect r = GetEntryRect(index);
    return r.isNull() ? r : r.adjusted(1, 1, -1, -1);
}

void CDayViewCtrl::LayoutEntries()
{
    m_grid.SetViewRect(GetViewRect());
    m_grid.LayoutEntries(m_entries);
}

QString CDayViewCtrl::GetCaption() const
{
    const CDateTime first = m_grid.FirstDate();
    const CDateTime last = first + CDateSpan(double(std::max(1, m_grid.GetShownDays()) - 1));
    if (m_grid.ColumnCount() == 1)
        return FormatLongDate(first);
    const LocaleDateData &data = GetLocaleDateData();
    if (first.GetYear() != last.GetYear()) {
        const QString from = FormatDatePicture(first, data.longDatePicture, data);
        const QString to = FormatDatePicture(last, data.longDatePicture, data);
        if (!from.isEmpty() && !to.isEmpty())
            return from + QStringLiteral(" - ") + to;
        return FormatDateTime(first, QStringLiteral("%B %#d, %Y")) +
               FormatDateTime(last, QStringLiteral(" - %B %#d, %Y"));
    }
    if (data.longDateOrder == 1)
        return FormatDayMonth(first, true) + QStringLiteral(" - ") + FormatDayMonth(last, true);
    return FormatDateTime(first, QStringLiteral("%B %#d")) +
           FormatDateTime(last, QStringLiteral(" - %B %#d, %Y"));
}

// ---- Entries ----

bool CDayViewCtrl::AddEntry(std::unique_ptr<CDisplayItem> entry)
{
    m_grid.PlaceEntry(std::move(entry), m_printing, m_entries);
    return true;
}

bool CDayViewCtrl::AddItem(CItemRef &ref)
{
    const int notesMode = m_showNotes ? 2 : 1;
    const int days = m_grid.GetShownDays();
    const std::size_t before = m_entries.size();
    std::unique_ptr<CDisplayItem> entry;
    if (CEventItem *event = ref.GetEvent()) {
        bool more = event->FindFirstOccurrenceInRange(m_grid.FirstDate(), days, notesMode, entry);
        while (more) {
            if (entry)
                AddEntry(std::move(entry));
            entry.reset();
            more = event->FindNextOccurrenceInRange(notesMode, entry);
        }
    } else if (CTaskItem *task = ref.GetTask()) {
        if (!task->MakeDisplayItemInRange(&entry, notesMode, m_grid.FirstDate(), days))
            return false;
        AddEntry(std::move(entry));
    }
    return m_entries.size() > before;
}

int CDayViewCtrl::CopyEntriesForCell(EntryList &out, int column) const
{
    const int rows = m_grid.RowsPerDay();
    for (const auto &e : m_entries) {
        if (e->GetFirstCell() < 0)
            continue;
        if (e->GetFirstCell() / rows <= column && column <= e->GetLastCell() / rows)
            out.push_back(e->Clone());
    }
    return GetEntryCount();
}

void CDayViewCtrl::OnEntriesChanged()
{
    m_grid.SetViewRect(GetViewRect());
    const int visible = m_grid.FullRowsVisible();
    m_grid.SetTopRow(std::max(m_grid.FirstRow(), std::min(m_grid.TopRow(), m_grid.EndRow() - visible)));
    m_scrollBar.minimum = m_grid.FirstRow();
    m_scrollBar.maximum = m_grid.EndRow() - 1;
    m_scrollBar.page = visible;
    m_scrollBar.position = m_grid.TopRow();
    m_scrollBar.disableWhenUnneeded = m_grid.ColumnCount() > 1;
    m_scrollBar.enabled = m_grid.EndRow() - m_grid.FirstRow() > visible;
    m_scrollBar.visible = m_scrollBar.enabled || m_scrollBar.disableWhenUnneeded;
    const int dy = m_notifiedTop < 0 ? 0 : (m_notifiedTop - m_grid.TopRow()) * m_grid.RowHeight();
    m_notifiedTop = m_grid.TopRow();
    if (m_scrollListener)
        m_scrollListener(dy);
}

QRect CDayViewCtrl::GetViewRect() const
{
    QRect r = CCalendarViewCtrl::GetViewRect();
    if (m_scrollBarWidth <= 0)
        return r;
    // Several columns always keep the bar; one column shows it only while the rows overflow.
    const int rowsFit = std::max(1, r.height() / std::max(1, m_grid.RowHeight()));
    if (m_grid.ColumnCount() > 1 || m_grid.EndRow() - m_grid.FirstRow() > rowsFit)
        r.setWidth(std::max(0, r.width() - m_scrollBarWidth));
    return r;
}

// ---- Options ----

void CDayViewCtrl::LoadViewOptions()
{
    CCalendarViewCtrl::LoadViewOptions();
    const QString section = GetConstString(m_sectionIndex);
    m_timeScaleCode = GetProfileInt(section, QStringLiteral("TimeScale"), 4);
    m_alternateRows = GetProfileInt(section, QStringLiteral("AC"), 0);
    m_currentHour = GetProfileInt(section, QStringLiteral("CH"), 1);
    m_workingOnly = GetProfileInt(section, QStringLiteral("WTO"), 0);
    m_showNotes = GetProfileInt(section, QStringLiteral("SN"), 0);
    m_markHours = GetProfileInt(section, QStringLiteral("MOH"), 1);
}

void CDayViewCtrl::LoadViewColors()
{
    CCalendarViewCtrl::LoadViewColors();
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const QString section = GetConstString(m_sectionIndex);
    const auto base = COLORREF(GetProfileInt(section, QStringLiteral("CB3"), int(0xFF000000u)));
    if (base == 0xFFFFFFFFu || GetDisplayColorCount() <= 256) {
        const bool many = GetDisplayColorCount() > 256;
        m_workingColour = colors.window;
        m_nonWorkingColour = colors.buttonFace;
        m_workingAltColour = many ? LightenColor(60, colors.window) : colors.window;
        m_nonWorkingAltColour = many ? LightenColor(60, colors.buttonFace) : colors.buttonFace;
        m_workingLine = m_nonWorkingLine = colors.buttonShadow;
        m_selectionColour = colors.highlight;
    } else {
        const bool windowWorking = GetProfileInt(section, QStringLiteral("CBS"), 0) != 0;
        const bool systemSelection = GetProfileInt(section, QStringLiteral("CSS"), 0) != 0;
        const COLORREF b = base == 0xFF000000u ? colors.defaultCalendar : base;
        m_workingColour = windowWorking ? colors.window : LightenColor(40, b);
        m_nonWorkingColour = GetSoftShade(b);
        m_workingLine = DarkenColor(40, m_workingColour);
        m_nonWorkingLine = DarkenColor(40, m_nonWorkingColour);
        if (systemSelection || b == colors.window)
            m_selectionColour = colors.highlight;
        else
            m_selectionColour = DarkenColor(100, b);
        m_workingAltColour = LightenColor(60, m_workingColour);
        m_nonWorkingAltColour = LightenColor(60, m_nonWorkingColour);
    }
    m_labelBackground = colors.captionBackground;
    m_labelText = colors.captionText;
}

bool CDayViewCtrl::LoadFonts(bool reload)
{
    const QString section = GetConstString(m_sectionIndex);
    const int dpi = ScreenDpi();
    const int points = m_grid.ColumnCount() == 1 ? 10 : 8;
    const LogFont lf = LoadFontSetting(section, QStringLiteral("Font"), points, dpi);
    QFont normal = FontFromLogFont(lf);
    QFont bold = normal;
    bold.setWeight(QFont::Bold);
    QFont hour = bold;
    // Twice the point size, back in pixels at the screen's resolution.
    const int pointSize = FontPointsFromHeight(lf.height, dpi);
    hour.setPixelSize(std::max(1, -FontHeightFromPoints(pointSize * 2, dpi)));
    m_normalFont = normal;
    m_boldFont = bold;
    m_hourFont = hour;
    SetFonts(m_normalFont, m_boldFont, m_hourFont);
    m_textHeight = QFontMetrics(m_normalFont).height();
    m_grid.SetRowHeight(m_textHeight + 3);
    ComputeLabelWidth();
    RecalcLayout();
    Refresh(false);
    if (reload)
        Invalidate(QRect());
    return true;
}

void CDayViewCtrl::ReloadOptions()
{
    const int minutes = m_grid.MinutesPerRow();
    const int workStart = m_grid.WorkStartMinutes(), workEnd = m_grid.WorkEndMinutes();
    CCalendarViewCtrl::ReloadOptions();
    const AppSettings &settings = ProgramSettings();
    m_grid.SetWorkingTime(settings.workStart >> 16, settings.workStart & 0xFFFF, settings.workEnd >> 16,
                          settings.workEnd & 0xFFFF);
    const int wanted = MinutesFromCode(m_timeScaleCode);
    if (wanted != minutes || workStart != m_grid.WorkStartMinutes() || workEnd != m_grid.WorkEndMinutes() ||
        GetDayCount() != m_grid.CellCount() || (m_workingOnly != 0) != m_grid.WorkingTimeOnly()) {
        const int top = m_grid.TopRow();
        SetTimeScale(wanted, m_workingOnly != 0);
        SetCurrentCell(m_currentCell);
        m_grid.SetTopRow(top * minutes / m_grid.MinutesPerRow());
    }
}

// ---- Requests ----

CDateTime CDayViewCtrl::GetFocusDate() const
{
    return GetDayDate(m_currentCell).DatePart();
}

void CDayViewCtrl::InvalidateAll()
{
    const QRect view = GetViewRect();
    const int left = view.x() + m_grid.LabelWidth() + 3;
    Invalidate(RectFromEdges(left, 0, RectRight(view) - 2, std::max(RectBottom(view), 1)));
    const int markLeft = view.x() + m_grid.LabelWidth() - 11;
    Invalidate(QRect(markLeft, view.y(), 11, 7));
    Invalidate(QRect(markLeft, RectBottom(view) - 7, 11, 7));
}

void CDayViewCtrl::OnFocusGained()
{
    m_hasFocus = true;
    CCalendarViewCtrl::OnFocusGained();
}

void CDayViewCtrl::OnFocusLost()
{
    m_hasFocus = false;
    CCalendarViewCtrl::OnFocusLost();
}

int CDayViewCtrl::GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const
{
    const int cellMenu = m_grid.ColumnCount() == 1 ? 1 : 2;
    if (fromKeyboard)
        return GetSelectedCount() > 0 ? 4 : cellMenu;
    if (point.x() < m_grid.LabelWidth())
        return 0;
    if (EntryFromPoint(point) >= 0)
        return CCalendarViewCtrl::GetContextMenuIndex(point, false);
    return cellMenu;
}

void CDayViewCtrl::EditFocusedItem()
{
    EditFocusedEntryShared();
}

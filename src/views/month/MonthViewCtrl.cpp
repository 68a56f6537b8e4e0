// The month view: settings, dates, entries and input on top of the month grid model.
#include "views/month/MonthViewCtrl.h"
#include "views/drawing/TextShapeCache.h"

#include "core/lists/ColorRules.h"
#include "core/system/ConstStrings.h"
#include "core/dates/DateFormats.h"
#include "core/dates/DateRules.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/lists/LogFont.h"
#include "core/system/Profile.h"
#include "core/items/TaskItem.h"
#include "views/base/CellDateFlags.h"
#include "toolkit/style/MenuLook.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {
constexpr std::uint32_t kFocusSelected = CDisplayItem::StateFocus | CDisplayItem::StateSelected;

// The view font from its settings record.
QFont FontFromLogFont(const LogFont &lf)
{
    QFont font;
    const QString face = lf.FaceName();
    if (!face.isEmpty())
        font.setFamily(face);
    font.setPixelSize(std::max(1, std::abs(lf.height)));
    font.setWeight(lf.weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(lf.italic != 0);
    return font;
}

int ScreenDpi()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            return int(screen->logicalDotsPerInchY());
    return 96;
}
} // namespace

int CFontTextMeasurer::WrappedHeight(const QString &text, int width) const
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return m_cache.WrappedHeight(m_font, plain, std::max(1, width));
}

CMonthViewCtrl::CMonthViewCtrl()
{
    m_viewKind = kViewKindMonth;
    m_sectionIndex = kSectionMonth;
    m_cellsAreDates = 1;
    m_vertical = 0;
    SetFirstDate(m_model.GetGridStart());
    SetDayCount(m_model.CellCount());
    RebuildHatches();
}

CMonthViewCtrl::~CMonthViewCtrl() = default;

// ---- Geometry ----

int CMonthViewCtrl::CellFromDate(const CDateTime &date, int *flags) const
{
    bool midnight = false, clipped = false;
    int offset = m_model.DayOffsetFromDate(date, &midnight, &clipped);
    if (flags)
        *flags = (midnight ? kCellAtMidnight : 0) | (clipped ? kCellClipped : 0);
    // A hidden weekday counts as the next shown day, or the last one at the grid's end.
    const int days = m_model.DayCount();
    while (offset < days && !m_model.IsOffsetVisible(offset))
        ++offset;
    if (offset >= days) {
        offset = days - 1;
        while (offset > 0 && !m_model.IsOffsetVisible(offset))
            --offset;
    }
    return std::clamp(m_model.DayOffsetToCell(offset), 0, std::max(0, m_model.CellCount() - 1));
}

int CMonthViewCtrl::CellFromPoint(const QPoint &point) const
{
    return m_model.CellFromPoint(GetViewRect(), point);
}

QRect CMonthViewCtrl::GetCellRect(int cell, int part) const
{
    return m_model.CellRect(GetViewRect(), cell, part);
}

CDateTime CMonthViewCtrl::GetDayDate(int cell) const
{
    return m_model.GetDayDate(cell);
}

CDateSpan CMonthViewCtrl::GetDaySpan(int a, int b) const
{
    return CDateSpan(double(m_model.CellToDayOffset(b) - m_model.CellToDayOffset(a)));
}

int CMonthViewCtrl::HitTest(const QPoint &point, int *index) const
{
    int dummy = 0;
    int &out = index ? *index : dummy;
    out = -1;
    const QRect view = GetViewRect();
    if (point.y() < view.top() + m_model.GetHeaderHeight())
        return HitNothing;
    const bool extending = (m_clickModifiers & (kModCtrl | kModShift)) && GetSelectedCount() > 0;
    const int cell = CellFromPoint(point);
    if (cell >= 0 && cell < GetDayCount() &&
        (m_cellMarks[std::size_t(cell)] & CMonthGridModel::CellOverflow) &&
        m_model.OverflowGlyphRect(view, cell).contains(point)) {
        out = cell;
        return HitHeader;
    }
    for (int i = 0; i < GetEntryCount(); ++i) {
        const CDisplayItem &e = *m_entries[std::size_t(i)];
        if (e.HasState(CDisplayItem::StateDragged) || !e.GetRect().contains(point))
            continue;
        out = i;
        if (!extending && e.HasFlag(CDisplayItem::FlagAllDay) && e.GetKind() == CDisplayItem::KindEvent) {
            const QRect r = e.GetRect();
            if (!e.HasFlag(CDisplayItem::FlagBeginsBefore) && point.x() < r.left() + 7)
                return HitEntryStart;
            if (!e.HasFlag(CDisplayItem::FlagEndsAfter) && point.x() >= r.left() + r.width() - 7)
                return HitEntryEnd;
        }
        return HitEntryBody;
    }
    if (extending)
        return HitNothing;
    out = cell;
    const QRect strip = GetCellRect(cell, CMonthGridModel::PartStrip);
    if (strip.contains(point))
        return point.x() >= strip.left() + strip.width() - m_model.GetStripHeight() ? HitDayHeader
                                                                                    : HitCellArea;
    return HitCell;
}

MonthLayoutOptions CMonthViewCtrl::GetLayoutOptions() const
{
    MonthLayoutOptions o;
    o.oneLane = m_optionOS != 0;
    o.typeIcon = m_showTypeIcon != 0;
    o.statusIcons = m_showStatusIcons != 0;
    o.startTime = m_showStartTime != 0;
    o.endTime = m_showEndTime != 0;
    o.itemType = m_showItemType != 0;
    o.categories = m_showCategories != 0;
    o.notes = m_showNotes != 0;
    o.lineHeight = m_model.GetLineHeight();
    o.laneHeight = m_model.GetLaneHeight();
    return o;
}

void CMonthViewCtrl::LayoutEntries()
{
    const CFontTextMeasurer fontMeasurer(m_fonts[0], TextCache());
    const IMonthTextMeasurer &measurer = m_measurer ? *m_measurer : fontMeasurer;
    m_model.Layout(GetViewRect(), m_entries, m_cellMarks, GetLayoutOptions(), measurer);
}

QString CMonthViewCtrl::GetCaption() const
{
    if (!m_model.IsWeekCountMode())
        return FormatDateTime(m_model.GetAnchorDate(), QStringLiteral("%B %Y"));
    const int cells = m_model.CellCount();
    CDateTime first = GetDayDate(0), last = GetDayDate(cells - 1);
    if (m_model.GetRows() > 4 && cells >= 13) {
        first = GetDayDate(6);
        last = GetDayDate(cells - 7);
    }
    QString caption = FormatDateTime(first, QStringLiteral("%B %Y"));
    if (first.GetMonth() != last.GetMonth() || first.GetYear() != last.GetYear())
        caption += QStringLiteral(" - ") + FormatDateTime(last, QStringLiteral("%B %Y"));
    return caption;
}

// ---- Entries ----

bool CMonthViewCtrl::AddEntry(std::unique_ptr<CDisplayItem> entry)
{
    return m_model.PlaceEntry(std::move(entry), m_entries);
}

bool CMonthViewCtrl::AddItem(CItemRef &ref)
{
    // Hidden weekdays still count: the search runs over every day of the shown weeks.
    return AddOccurrences(ref, m_model.GetGridStart(), m_model.DayCount());
}

// ---- Dates ----

void CMonthViewCtrl::SetDate(bool keepContext, bool rebuild, const CDateTime &date)
{
    CCalendarViewCtrl::SetDate(date);
    if (!rebuild)
        return;
    const CDateTime today = GetToday();
    const int focus = m_model.SetDate(date, keepContext, m_optionSCS != 0, today, m_cellMarks);
    SetFirstDate(m_model.GetGridStart());
    m_currentCell = focus;
    m_anchorCell = focus;
    InvalidateRange(m_anchorCell, m_currentCell, false);
    m_todayCell = m_model.TodayCell(today);
}

void CMonthViewCtrl::UpdateToday()
{
    const int cell = m_model.TodayCell(GetToday());
    if (cell == m_todayCell)
        return;
    m_todayCell = cell;
    InvalidateAll();
    if (m_host)
        m_host->UpdateWindow();
}

CDateTime CMonthViewCtrl::GetFocusDate() const
{
    return GetDayDate(m_currentCell);
}

// ---- Options ----

void CMonthViewCtrl::SetVisibleWeekdays(bool showWork, bool showNonWork, bool weekCountMode, int weeks,
                                        bool save)
{
    m_model.SetVisibleWeekdays(showWork, showNonWork);
    m_model.SetWeekCountMode(weekCountMode, weeks);
    if (!save)
        return;
    const QString section = GetConstString(m_sectionIndex);
    const int mode = m_model.GetWeekdayMode();
    WriteProfileInt(section, QStringLiteral("VWD"), mode != CMonthGridModel::NonWorkDaysOnly);
    WriteProfileInt(section, QStringLiteral("VWE"), mode != CMonthGridModel::WorkDaysOnly);
    WriteProfileInt(section, QStringLiteral("SM"), weekCountMode ? 1 : 0);
    WriteProfileInt(section, QStringLiteral("SW"), m_model.GetWeekCount());
}

void CMonthViewCtrl::LoadViewOptions()
{
    CCalendarViewCtrl::LoadViewOptions();
    const QString section = GetConstString(m_sectionIndex);
    const int weekCount = GetProfileInt(section, QStringLiteral("SM"), 0);
    int weeks = m_model.GetRows();
    if (weekCount != 0)
        weeks = std::clamp(GetProfileInt(section, QStringLiteral("SW"), 5), 1, 10);
    const bool work = GetProfileInt(section, QStringLiteral("VWD"), 1) != 0;
    const bool nonWork = GetProfileInt(section, QStringLiteral("VWE"), 1) != 0;
    SetVisibleWeekdays(work, nonWork, weekCount != 0, weeks, false);
}

void CMonthViewCtrl::LoadViewColors()
{
    CCalendarViewCtrl::LoadViewColors();
    const CMenuLook::Colors &c = CMenuLook::Instance().GetColors();
    const QString section = GetConstString(m_sectionIndex);
    const auto base = std::uint32_t(GetProfileInt(section, QStringLiteral("CB3"), int(0xFF000000u)));
    if (base == 0xFFFFFFFFu) {
        m_backgroundColour = c.defaultBackground;
        m_gridLineColour = c.gridLineDefault;
        m_otherMonthColour = m_backgroundColour == 0xFFFFFF ? 0xDEF4FC : c.otherMonthDefault;
        m_selectedBack = c.highlight;
        m_selectedText = c.highlightText;
    } else {
        const COLORREF e = base == 0xFF000000u ? c.defaultCalendar : base;
        m_backgroundColour =
            GetProfileInt(section, QStringLiteral("CBS"), 0) != 0 ? c.defaultBackground : LightenColor(40, e);
        m_otherMonthColour = m_backgroundColour == 0xFFFFFF ? 0xDEF4FC : GetSoftShade(e);
        m_gridLineColour = DarkenColor(40, GetSoftShade(e));
        const bool system = GetProfileInt(section, QStringLiteral("CSS"), 0) != 0 || e == c.window;
        m_selectedBack = system ? c.highlight : DarkenColor(100, e);
        m_selectedText = system ? c.highlightText : 0xFFFFFF;
    }
    RebuildHatches();
}

void CMonthViewCtrl::RebuildHatches()
{
    // An 8 x 8 pattern: a diagonal grey line every 4 pixels on the cell's own colour.
    const auto make = [](COLORREF back) {
        QImage image(8, 8, QImage::Format_RGB32);
        const QRgb fill = qRgb(ColorRed(back), ColorGreen(back), ColorBlue(back));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                image.setPixel(x, y, (x + y) % 4 == 0 ? qRgb(0xC0, 0xC0, 0xC0) : fill);
        return image;
    };
    m_workHatch = make(m_backgroundColour == 0xFFFFFFFF ? 0xFFFFFF : m_backgroundColour);
    m_otherMonthHatch = make(m_otherMonthColour);
}

void CMonthViewCtrl::ApplyFont(const QFont &font)
{
    QFont strike = font;
    strike.setStrikeOut(true);
    m_boldFont = font;
    m_boldFont.setWeight(QFont::Bold);
    SetFonts(font, strike, m_boldFont);
    const QFontMetrics normal(font), bold(m_boldFont);
    m_widestDayName = 0;
    for (int day = 1; day <= 7; ++day)
        m_widestDayName = std::max(m_widestDayName, bold.horizontalAdvance(QLocale().dayName(day)));
    m_model.SetMetrics(normal.height(), bold.height());
    m_rowHeight = normal.height();
}

bool CMonthViewCtrl::LoadFonts(bool redraw)
{
    const LogFont lf =
        LoadFontSetting(GetConstString(m_sectionIndex), QStringLiteral("Font"), 8, ScreenDpi());
    ApplyFont(FontFromLogFont(lf));
    Refresh(false);
    if (redraw)
        Invalidate(QRect());
    return true;
}

// ---- Input ----

int CMonthViewCtrl::GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const
{
    if (fromKeyboard ? GetSelectedCount() == 0 : EntryFromPoint(point) < 0)
        return kCellMenu;
    return CCalendarViewCtrl::GetContextMenuIndex(point, fromKeyboard);
}

void CMonthViewCtrl::SetCurrentCell(int cell)
{
    cell = std::clamp(cell, 0, std::max(0, m_model.CellCount() - 1));
    MoveFocusTo(cell, (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) != 0);
}

void CMonthViewCtrl::MoveFocusTo(int cell, bool extend)
{
    // Refocusing the focus cell still selects it: a reload may have dropped the selection.
    if (cell == m_currentCell && (extend || cell == m_anchorCell) && IsCellSelected(cell))
        return;
    m_currentCell = cell;
    if (!extend)
        m_anchorCell = cell;
    DrawCellRange();
}

void CMonthViewCtrl::MoveFocusByKey(int key, int modifiers)
{
    const int f = m_currentCell, c = m_model.GetColumns(), n = m_model.CellCount();
    const bool weekCount = m_model.IsWeekCountMode();
    int target = f;
    switch (key) {
    case Qt::Key_Left:
        target = f - 1;
        break;
    case Qt::Key_Right:
        target = f + 1;
        break;
    case Qt::Key_Up:
        target = f - c;
        break;
    case Qt::Key_Down:
        target = f + c;
        break;
    case Qt::Key_Home:
        target = f - f % c;
        break;
    case Qt::Key_End:
        target = f - f % c + c - 1;
        break;
    default:
        // Page keys reached the container before the view.
        return;
    }
    if (target >= 0 && target < n) {
        SetAllItemStates(0, kFocusSelected, true);
        m_focusedEntry = -1;
        MoveFocusTo(target, (modifiers & kModShift) != 0);
    } else {
        const bool pastEnd = target >= n;
        PreviewKey(pastEnd ? Qt::Key_PageDown : Qt::Key_PageUp, weekCount ? -1 : 0);
        // The container may have paged to a grid of another size.
        const int cells = m_model.CellCount(), rows = m_model.GetRows();
        int cell = 0;
        if (pastEnd)
            cell = weekCount ? (key == Qt::Key_Down ? f : c * (rows - 1)) : f % c;
        else
            cell = weekCount ? (key == Qt::Key_Up ? f : c - 1) : c * (rows - 1) + f % c;
        m_currentCell = std::clamp(cell, 0, std::max(0, cells - 1));
        m_anchorCell = m_currentCell;
        InvalidateRange(m_currentCell, m_currentCell, true);
    }
    NotifyContainer(kNotifySelectionChanged);
}

void CMonthViewCtrl::StartItemByTyping(QChar ch)
{
    if (GetSelectedCount() > 0)
        return;
    if (IsReadOnly()) {
        Beep();
        return;
    }
    const int lo = std::min(m_anchorCell, m_currentCell), hi = std::max(m_anchorCell, m_currentCell);
    const CDateTime start = GetDayDate(lo);
    // The last selected day plus one: with weekdays hidden the next cell may lie days later.
    CDateTime end = GetDayDate(hi);
    AddDays(end, 1);
    std::unique_ptr<CDisplayItem> entry = MakeTypedEntry(start, end - start);
    if (!entry)
        return;
    CDisplayItem *made = entry.get();
    if (!AddEntry(std::move(entry)))
        return;
    Refresh(true);
    for (int i = 0; i < GetEntryCount(); ++i) {
        if (m_entries[std::size_t(i)].get() == made)
            m_focusedEntry = i;
    }
    EnsureEntryVisible(m_focusedEntry);
    m_anchorCell = m_currentCell;
    InvalidateRange(m_currentCell, m_currentCell, false);
    InvalidateAll();
    if (BeginInPlaceEdit() && m_host)
        m_host->SendCharToEdit(ch); // the typed character starts the subject
}

int CMonthViewCtrl::BeginInPlaceEdit()
{
    return OpenEditOverFocusedEntry(QMargins(4, 2, 4, 2));
}

void CMonthViewCtrl::EditFocusedItem()
{
    EditFocusedEntryShared();
}

void CMonthViewCtrl::OnLeftDown(const QPoint &point, int modifiers)
{
    m_clickModifiers = modifiers;
    CCalendarViewCtrl::OnLeftDown(point, modifiers);
    m_clickModifiers = 0;
}

void CMonthViewCtrl::InvalidateAll()
{
    QRect client = GetViewRect();
    client.setTop(client.top() + m_model.GetHeaderHeight());
    Invalidate(client);
}

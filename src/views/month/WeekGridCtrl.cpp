// The Week view's control: week-at-a-glance geometry, item pieces and their stacking, painting,
// caption and keys.
#include "views/month/WeekGridCtrl.h"

#include "core/system/AppSettings.h"
#include "core/lists/ColorRules.h"
#include "core/system/ConstStrings.h"
#include "core/dates/DateFormats.h"
#include "core/dates/DateRules.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/lists/LogFont.h"
#include "core/system/Profile.h"
#include "core/dates/WeekRules.h"
#include "views/base/CellDateFlags.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "views/drawing/ItemBox.h"
#include "views/month/LanePacking.h"
#include "toolkit/style/MenuLook.h"
#include "views/drawing/ViewFonts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint32_t kFocusSelected = CDisplayItem::StateFocus | CDisplayItem::StateSelected;
constexpr int kGlyphWidth = 11;
constexpr int kGlyphHeight = 7;
constexpr int kBarHandle = 7;

// A rectangle from its edges, right and bottom exclusive.
QRect Edges(int left, int top, int right, int bottom)
{
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

int RightOf(const QRect &r)
{
    return r.left() + r.width();
}

int BottomOf(const QRect &r)
{
    return r.top() + r.height();
}

int WholeDays(const CDateTime &from, const CDateTime &to)
{
    return int(std::floor(to.Linear() - from.DatePart().Linear()));
}

// The 8 x 8 hatch of non-work days: a grey diagonal every 4 pixels on the background.
QBrush MakeHatch(COLORREF background)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(ToQColor(background));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if ((x + y) % 4 == 0)
                image.setPixelColor(x, y, QColor(0xC0, 0xC0, 0xC0));
        }
    }
    return QBrush(QPixmap::fromImage(image));
}

// How many icons an entry shows beside its text.
int IconCount(const CCalendarViewCtrl &view, const CDisplayItem &e)
{
    int n = view.m_showTypeIcon ? 1 : 0;
    if (view.m_showStatusIcons) {
        n += e.GetKind() == CDisplayItem::KindTask;
        n += e.HasFlag(CDisplayItem::FlagReminder);
        n += e.HasFlag(CDisplayItem::FlagRecurring);
        n += e.HasFlag(CDisplayItem::FlagLocked);
        n += e.HasFlag(CDisplayItem::FlagNotes);
    }
    return n;
}

// The height of a stacked entry's text beside a block of n icons arranged in as few rows as fit
// the width, or below nothing when no arrangement fits.
int FittedTextHeight(const CWeekGridCtrl::TextHeightFn &measure, const QString &text, int width, int n,
                     int line)
{
    if (n <= 0)
        return measure(text, width);
    const int box = line < 18 ? 14 : (line < 25 ? 18 : 25);
    const int icon = line < 18 ? 11 : (line < 25 ? 15 : 20);
    const int step = (line >= 15 && line <= 24) ? 16 : box;
    const int firstColumn = std::max(step, box) + 1;
    const int rowHeight = line > std::max(step, icon) ? line : std::max(step, icon);
    const auto columns = [n](int rows) { return (n + rows - 1) / rows; };
    const auto blockWidth = [&](int rows) { return (columns(rows) - 1) * (box + 1) + firstColumn; };
    const auto textWidth = [&](int rows) {
        return width - (blockWidth(rows) + 1 + (columns(rows) == 1 ? 1 : 0));
    };
    int rows = 0;
    for (int r = 1; r <= 6; ++r) {
        if (blockWidth(r) + firstColumn / 2 <= width) {
            rows = r;
            break;
        }
    }
    int height = 0;
    if (rows == 0) {
        height = measure(text, width);
        rows = n;
    } else {
        height = measure(text, textWidth(rows));
        while (rows < std::min(6, n) && height >= std::max((rows + 1) * line, rows * rowHeight)) {
            ++rows;
            height = measure(text, textWidth(rows));
        }
    }
    if (rows >= 2)
        height = std::max(height, ((n + columns(rows) - 1) / columns(rows)) * rowHeight);
    return height;
}

} // namespace

CWeekGridCtrl::CWeekGridCtrl()
{
    m_viewKind = kViewKind;
    m_sectionIndex = kSectionIndex;
    m_firstDate = TodayForDisplay();
    SetDayCount(kCells);
    m_boldFont = QApplication::font();
    m_boldFont.setWeight(QFont::Bold);
    m_hatch = MakeHatch(m_backgroundColour);
}

// ---- Plain rules ----

CDateTime CWeekGridCtrl::WeekStartFor(const CDateTime &date, bool mondayStart, int firstDayOfWeek)
{
    const int weekday = date.GetDayOfWeek(); // 1 Sunday .. 7 Saturday
    const int d = mondayStart ? weekday + 5 : weekday + 5 - firstDayOfWeek;
    return (date.DatePart() - CDateSpan(double(d < 7 ? d : d - 7))).DatePart();
}

int CWeekGridCtrl::KeyTarget(int cell, int key)
{
    const bool leftColumnOrLast = cell <= 2 || cell == 6;
    switch (key) {
    case Qt::Key_Up:
        return cell - 1;
    case Qt::Key_Down:
        return cell + 1;
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return 6;
    case Qt::Key_Left:
        return cell - (leftColumnOrLast ? 4 : 3);
    case Qt::Key_Right:
        return cell + (leftColumnOrLast ? 3 : 4);
    default:
        return cell;
    }
}

bool CWeekGridCtrl::IsNonWorkCell(int cell) const
{
    const int weekday = m_mondayStart ? (cell + 1) % 7 : (GetFirstDayOfWeek() + cell + 1) % 7; // 0 Sunday
    return (GetWorkWeekMask() & (1 << weekday)) == 0;
}

bool CWeekGridCtrl::IsCellOverflowing(int cell) const
{
    return cell >= 0 && cell < GetDayCount() && (m_cellMarks[std::size_t(cell)] & kCellOverflow) != 0;
}

QRect CWeekGridCtrl::OverflowGlyphRect(int cell) const
{
    const QRect body = GetCellRect(cell, kPartBody);
    return QRect(RightOf(body) - 1 - kGlyphWidth, BottomOf(body) - 1 - kGlyphHeight, kGlyphWidth,
                 kGlyphHeight);
}

QString CWeekGridCtrl::GetStripText(int cell) const
{
    const QFontMetrics fm(m_boldFont);
    return FormatDateCaptionToFit([&fm](const QString &t) { return fm.horizontalAdvance(t); },
                                  GetDayDate(cell), GetCellRect(cell, kPartStrip).width() - 2);
}

void CWeekGridCtrl::SetLineMetrics(int lineHeight, int stripHeight)
{
    m_lineHeight = lineHeight;
    m_laneHeight = lineHeight + 5;
    m_stripHeight = stripHeight;
    // The item box wraps its text once a box is taller than two lines.
    m_rowHeight = lineHeight;
}

// ---- Geometry ----

QRect CWeekGridCtrl::GetCellRect(int cell, int part) const
{
    if (cell < 0 || cell >= kCells)
        return {};
    const QRect view = GetViewRect();
    const int l = view.left(), t = view.top(), r = RightOf(view), b = BottomOf(view);
    const int w = view.width(), h = view.height();
    const int middle = l + w / 2;
    const int t1 = t + h / 3, t2 = t1 + h / 3, t3 = t2 + h / 6;
    const int left = cell <= 2 ? l : middle;
    const int right = cell <= 2 ? middle : r - 1;
    static constexpr int kRowOf[kCells] = {0, 1, 2, 0, 1, 2, 3};
    const int tops[4] = {t, t1, t2, t3};
    int top = tops[kRowOf[cell]];
    int bottom = 0;
    switch (cell) {
    case 0:
    case 3:
        bottom = t1;
        break;
    case 1:
    case 4:
        bottom = t2;
        break;
    case 5:
        bottom = t3;
        break;
    default:
        bottom = b - 1;
        break;
    }
    if (cell == 6)
        top = t3;
    switch (part) {
    case kPartStrip:
        return Edges(left + 1, top + 1, right, top + 1 + m_stripHeight);
    case kPartBody:
        return Edges(left + 1, top + 1 + m_stripHeight, right, bottom);
    default:
        return Edges(left, top, right, bottom);
    }
}

int CWeekGridCtrl::CellFromPoint(const QPoint &point) const
{
    const QRect client = GetViewRect();
    // A window a few pixels small still answers a cell rather than dividing by zero.
    const int third = std::max(1, client.height() / 3);
    const int half = std::max(1, client.width() / 2);
    const int row = std::min(2, std::max(0, point.y() - client.top()) / third);
    const int column = std::min(1, std::max(0, point.x() - client.left()) / half);
    int cell = row + 3 * column;
    if (cell == 5 && point.y() - client.top() - 2 * (client.height() / 3) > client.height() / 6)
        cell = 6;
    return cell;
}

int CWeekGridCtrl::CellFromDate(const CDateTime &date, int *flags) const
{
    int f = (date.IsValid() && date == date.DatePart()) ? kCellAtMidnight : 0;
    int cell = 0;
    if (date < m_firstDate) {
        f |= kCellClipped;
    } else {
        const int offset = WholeDays(m_firstDate, date);
        if (offset < kCells) {
            cell = offset;
        } else if (offset == kCells && (f & kCellAtMidnight)) {
            cell = kCells - 1;
            f &= ~kCellAtMidnight;
        } else {
            cell = kCells - 1;
            f |= kCellClipped;
        }
    }
    if (flags)
        *flags = f;
    return cell;
}

void CWeekGridCtrl::SetCurrentCell(int cell)
{
    MoveFocusTo(std::clamp(cell, 0, kCells - 1), (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) != 0);
}

CDateTime CWeekGridCtrl::GetFocusDate() const
{
    return GetDayDate(m_currentCell);
}

int CWeekGridCtrl::HitTest(const QPoint &point, int *index) const
{
    int dummy = -1;
    int &out = index ? *index : dummy;
    out = -1;
    for (int c = 0; c < kCells; ++c) {
        if (IsCellOverflowing(c) && OverflowGlyphRect(c).contains(point)) {
            out = c;
            return HitHeader;
        }
    }
    const int entry = EntryFromPoint(point);
    if (entry >= 0) {
        const CDisplayItem &e = *GetEntry(entry);
        out = entry;
        if (e.HasFlag(CDisplayItem::FlagAllDay)) {
            const QRect r = e.GetRect();
            if (!e.HasFlag(CDisplayItem::FlagBeginsBefore) && point.x() < r.left() + kBarHandle)
                return HitEntryStart;
            if (!e.HasFlag(CDisplayItem::FlagEndsAfter) && point.x() >= RightOf(r) - kBarHandle)
                return HitEntryEnd;
        }
        return HitEntryBody;
    }
    const Qt::KeyboardModifiers mods = QGuiApplication::keyboardModifiers();
    if (GetSelectedCount() > 0 && (mods & (Qt::ControlModifier | Qt::ShiftModifier)))
        return HitNothing;
    const int cell = CellFromPoint(point);
    out = cell;
    const QRect strip = GetCellRect(cell, kPartStrip);
    if (strip.contains(point))
        return point.x() >= RightOf(strip) - m_stripHeight ? HitDayHeader : HitCellArea;
    return HitCell;
}

// ---- Going to a date ----

void CWeekGridCtrl::SetDate(const CDateTime &date)
{
    CCalendarViewCtrl::SetDate(date);
    SetDayCount(kCells);
    m_mondayStart = GetProfileInt(GetConstString(m_sectionIndex), "WE", 0);
    SetFirstDate(WeekStartFor(date, m_mondayStart != 0, GetFirstDayOfWeek()));
    m_currentCell = m_anchorCell = std::clamp(WholeDays(m_firstDate, date), 0, kCells - 1);
    m_cellMarks[std::size_t(m_currentCell)] |= 0x01;
    m_todayOffset = WholeDays(m_firstDate, TodayForDisplay());
    InvalidateAll();
}

void CWeekGridCtrl::UpdateToday()
{
    const int offset = WholeDays(m_firstDate, TodayForDisplay());
    if (offset == m_todayOffset)
        return;
    m_todayOffset = offset;
    InvalidateAll();
    if (m_host)
        m_host->UpdateWindow();
}

// ---- Entries ----

bool CWeekGridCtrl::AddEntry(std::unique_ptr<CDisplayItem> entry)
{
    if (!entry)
        return false;
    int startFlags = 0, endFlags = 0;
    const int first = CellFromDate(entry->GetStart(), &startFlags);
    int last = CellFromDate(entry->GetEnd(), &endFlags);
    const bool clippedStart = startFlags & kCellClipped, clippedEnd = endFlags & kCellClipped;
    // An occurrence that does not touch the week is not shown on its edge days.
    const CDateTime weekEnd = m_firstDate + CDateSpan(double(kCells));
    if (entry->GetStart() >= weekEnd || entry->GetEnd() < m_firstDate ||
        (clippedStart && entry->GetEnd() == m_firstDate))
        return false;
    if (!clippedEnd && (endFlags & kCellAtMidnight))
        --last;
    if (last == first - 1)
        last = first;
    if (last < first)
        return false;

    const std::uint32_t bothEnds = CDisplayItem::FlagBeginsBefore | CDisplayItem::FlagEndsAfter;
    if (entry->HasFlag(CDisplayItem::FlagAllDay) || entry->HasFlag(CDisplayItem::FlagCrossesMidnight)) {
        const bool bar = entry->HasFlag(CDisplayItem::FlagAllDay);
        if (clippedStart)
            entry->SetFlag(CDisplayItem::FlagBeginsBefore, true);
        if (clippedEnd)
            entry->SetFlag(CDisplayItem::FlagEndsAfter, true);
        std::vector<std::unique_ptr<CDisplayItem>> pieces;
        for (int day = first; day <= last; ++day) {
            std::unique_ptr<CDisplayItem> piece = day == first ? nullptr : entry->Clone();
            CDisplayItem &p = piece ? *piece : *entry;
            if (piece) {
                p.SetFlags(p.GetFlags() & ~bothEnds);
                p.SetFlag(CDisplayItem::FlagBeginsBefore, true);
            }
            if (bar) {
                // One piece a day, joined to its neighbours; the last keeps an end past the week.
                if (day < last || (clippedEnd && piece))
                    p.SetFlag(CDisplayItem::FlagEndsAfter, true);
            } else if (day == first && last > first) {
                p.SetFlag(CDisplayItem::FlagEndsAfter, true);
            }
            p.SetCells(day, day);
            if (piece)
                pieces.push_back(std::move(piece));
        }
        CCalendarViewCtrl::AddEntry(std::move(entry));
        for (auto &piece : pieces)
            CCalendarViewCtrl::AddEntry(std::move(piece));
        return true;
    }
    entry->SetCells(first, last);
    return CCalendarViewCtrl::AddEntry(std::move(entry));
}

// ---- Layout ----

int CWeekGridCtrl::MeasureText(const QString &text, int width) const
{
    if (m_measure)
        return m_measure(text, width);
    const QFontMetrics fm(GetItemFont());
    return fm.boundingRect(QRect(0, 0, std::max(1, width), 100000), Qt::TextWordWrap, text).height();
}

void CWeekGridCtrl::LayoutEntries()
{
    for (auto &e : m_entries) {
        const QRect body = GetCellRect(e->GetFirstCell(), kPartBody);
        const QRect r = e->GetRect();
        e->SetRect(QRect(body.left(), r.top(), body.width(), r.height()));
    }
    for (std::uint8_t &mark : m_cellMarks)
        mark &= ~kCellOverflow;
    if (m_entries.empty() || GetViewRect().width() <= 0)
        return;
    if (m_optionOS)
        LayoutInLanes();
    else
        StackInCells();
}

void CWeekGridCtrl::LayoutInLanes()
{
    for (auto &e : m_entries) {
        const QRect body = GetCellRect(e->GetFirstCell(), kPartBody);
        e->SetRect(QRect(body.left(), body.top(), body.width(), 0));
    }
    const int n = GetEntryCount();
    const int lane = std::max(1, m_laneHeight);
    for (int first = 0; first < n;) {
        const int last = ClusterEnd(m_entries, first);
        const CDisplayItem &head = *m_entries[std::size_t(first)];
        const int cellBottom = BottomOf(GetCellRect(head.GetFirstCell(), kPartCell));
        if (!FillBoundedLanes(m_entries, first, last, lane, cellBottom))
            MarkUnplacedCells(m_entries, first, last, m_cellMarks, kCellOverflow);
        first = last + 1;
    }
}

void CWeekGridCtrl::StackInCells()
{
    const int line = m_lineHeight;
    for (int c = 0; c < kCells; ++c) {
        const QRect body = GetCellRect(c, kPartBody);
        const int bodyBottom = BottomOf(body);
        int y = body.top();
        for (auto &entry : m_entries) {
            CDisplayItem &e = *entry;
            if (e.GetFirstCell() != c)
                continue;
            e.SetRect(QRect(e.GetRect().left(), 0, e.GetRect().width(), 0));
            if (bodyBottom - y < line + 5) {
                m_cellMarks[std::size_t(c)] |= kCellOverflow;
                continue;
            }
            QString text = e.GetTimeRangeText(m_showStartTime, m_showEndTime, m_showItemType,
                                              m_showCategories, e.HasFlag(CDisplayItem::FlagBeginsBefore),
                                              e.HasFlag(CDisplayItem::FlagEndsAfter));
            if (e.HasFlag(CDisplayItem::FlagNotes) && m_showNotes)
                text += QStringLiteral("\r\n") + e.GetNotes();
            int bottom = y + line + 5;
            if (!text.isEmpty()) {
                const int width = (e.GetRect().left() + e.GetRect().width() - 4) - (e.GetRect().left() + 5);
                const int needed =
                    y +
                    FittedTextHeight([this](const QString &t, int w) { return MeasureText(t, w); }, text,
                                     width, IconCount(*this, e), line) +
                    5;
                if (needed <= bodyBottom)
                    bottom = needed;
                else
                    bottom = y + std::max(line * ((bodyBottom - y - 5) / std::max(1, line)) + 5, line + 5);
            }
            e.SetRect(QRect(e.GetRect().left(), y, e.GetRect().width(), bottom - y));
            y = bottom;
        }
    }
}

// ---- Keys, typing and editing ----

void CWeekGridCtrl::MoveFocusByKey(int key, int modifiers)
{
    const int target = KeyTarget(m_currentCell, key);
    if (target < 0 || target >= kCells) {
        PreviewKey(target < 0 ? Qt::Key_PageUp : Qt::Key_PageDown, 0);
    } else {
        SetAllItemStates(0, kFocusSelected, true);
        m_focusedEntry = -1;
        MoveFocusTo(target, (modifiers & kModShift) != 0);
    }
    NotifyContainer(kNotifySelectionChanged);
}

void CWeekGridCtrl::MoveFocusTo(int cell, bool extend)
{
    if (cell == m_currentCell && (extend || cell == m_anchorCell)) {
        DrawCellRange();
        return;
    }
    m_currentCell = cell;
    if (!extend)
        m_anchorCell = cell;
    DrawCellRange();
}

void CWeekGridCtrl::StartItemByTyping(QChar ch)
{
    if (GetSelectedCount() > 0)
        return;
    if (IsReadOnly()) {
        Beep();
        return;
    }
    const int first = std::min(m_anchorCell, m_currentCell), last = std::max(m_anchorCell, m_currentCell);
    const CDateTime start = GetDayDate(first);
    std::unique_ptr<CDisplayItem> item = MakeTypedEntry(start, CDateSpan(double(last - first + 1)));
    if (!item)
        return;
    AddEntry(std::move(item));
    Refresh(true);
    m_focusedEntry = FindEntry(0, start);
    m_anchorCell = m_currentCell;
    DrawCellRange();
    InvalidateAll();
    if (BeginInPlaceEdit() && m_host)
        m_host->SendCharToEdit(ch);
}

int CWeekGridCtrl::BeginInPlaceEdit()
{
    return OpenEditOverFocusedEntry(QMargins(4, 2, 4, 2));
}

void CWeekGridCtrl::EditFocusedItem()
{
    EditFocusedEntryShared();
}

// ---- Options ----

bool CWeekGridCtrl::LoadFonts(bool reload)
{
    const LogFont setting = LoadFontSettingPoints(GetConstString(m_sectionIndex), QStringLiteral("Font"), 8);
    QFont normal = PointFontFromSetting(setting);
    normal.setWeight(QFont::Normal);
    QFont struck = normal;
    struck.setStrikeOut(true);
    m_boldFont = normal;
    m_boldFont.setWeight(QFont::Bold);
    SetFonts(normal, struck, m_boldFont);
    const QFontMetrics fm(normal), bm(m_boldFont);
    if (fm.height() <= 0 || bm.height() <= 0)
        return false;
    SetLineMetrics(fm.height(), bm.height() + 3);
    Refresh(false);
    if (reload)
        InvalidateAll();
    return true;
}

void CWeekGridCtrl::LoadViewColors()
{
    CCalendarViewCtrl::LoadViewColors();
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const QString section = GetConstString(m_sectionIndex);
    const auto stored = COLORREF(GetProfileInt(section, "CB3", int(0xFF000000u)));
    if (stored == 0xFFFFFFFFu) {
        m_backgroundColour = colors.defaultBackground;
        m_selectedBackColour = colors.highlight;
        m_selectedTextColour = colors.highlightText;
    } else {
        const COLORREF base = stored == 0xFF000000u ? colors.defaultCalendar : stored;
        m_backgroundColour = LightenColor(40, base);
        if (GetProfileInt(section, "CSS", 0) != 0 || base == colors.window) {
            m_selectedBackColour = colors.highlight;
            m_selectedTextColour = colors.highlightText;
        } else {
            m_selectedBackColour = DarkenColor(100, base);
            m_selectedTextColour = 0xFFFFFF;
        }
    }
    m_hatch = MakeHatch(m_backgroundColour);
}

// ---- Caption ----

QString CWeekGridCtrl::GetCaption() const
{
    const CDateTime start = m_firstDate;
    const CDateTime end = (m_firstDate + CDateSpan(6.0)).DatePart();
    const LocaleDateData &locale = GetLocaleDateData();
    if (start.GetYear() != end.GetYear()) {
        const QString a = FormatDatePicture(start, locale.longDatePicture, locale);
        const QString b = FormatDatePicture(end, locale.longDatePicture, locale);
        if (!a.isEmpty() && !b.isEmpty())
            return a + QStringLiteral(" - ") + b;
        return FormatDateTime(start, QStringLiteral("%B %#d")) +
               FormatDateTime(start, QStringLiteral(", %Y")) +
               FormatDateTime(end, QStringLiteral(" - %B %#d, %Y"));
    }
    if (locale.longDateOrder == 1)
        return FormatDayMonth(start, true) + QStringLiteral(" - ") + FormatDayMonth(end, true);
    return FormatDateTime(start, QStringLiteral("%B %#d")) +
           FormatDateTime(end, QStringLiteral(" - %B %#d, %Y"));
}

// ---- Painting ----

void CWeekGridCtrl::Draw(QPainter &painter, const QRect &)
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const QRect client = GetViewRect();
    const int l = client.left(), t = client.top(), r = RightOf(client);
    const int w = client.width(), h = client.height();
    const int middle = l + w / 2;
    painter.save();
    painter.setPen(ToQColor(colors.separator));
    painter.drawLine(middle, t, middle, BottomOf(client) - 1);

    // Items first; their boxes are then kept out of what the cells paint.
    QRegion clip(client);
    for (const auto &e : m_entries) {
        if (e->HasState(CDisplayItem::StateDragged) || e->GetRect().height() <= 0)
            continue;
        const QRect box = e->GetRect().adjusted(3, 1, -3, -1);
        if (!box.intersects(client))
            continue;
        painter.save();
        painter.setClipRegion(clip);
        DrawItemBox(painter, *this, *e, box, IsEditing() && GetEditedEntry() && GetEditedEntry()->IsSame(*e));
        painter.restore();
        clip -= box;
    }
    painter.setClipRegion(clip);

    painter.setPen(ToQColor(colors.grid));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(client.adjusted(0, 0, -1, -1));
    painter.setPen(ToQColor(colors.separator));
    const int t1 = t + h / 3, t2 = t + 2 * (h / 3), t3 = t2 + h / 6;
    painter.drawLine(l + 1, t1, r - 2, t1);
    painter.drawLine(l + 1, t2, r - 2, t2);
    painter.drawLine(middle + 1, t3, r - 2, t3);

    for (int c = 0; c < kCells; ++c)
        DrawCell(painter, c);

    painter.setClipping(false);
    const QPixmap &glyph = CMenuLook::Instance().GetOverflowGlyph();
    for (int c = 0; c < kCells; ++c) {
        if (!IsCellOverflowing(c))
            continue;
        const QRect g = OverflowGlyphRect(c);
        if (!glyph.isNull())
            painter.drawPixmap(g, glyph);
        else
            painter.fillRect(g, ToQColor(colors.dayText));
    }
    painter.restore();
}

void CWeekGridCtrl::DrawCell(QPainter &painter, int c) const
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const bool hatched = m_optionSWD && IsNonWorkCell(c);
    const QRect cell = GetCellRect(c, kPartCell);
    const QRect inside = Edges(cell.left() + 1, cell.top() + 1, RightOf(cell), BottomOf(cell));
    if (hatched) {
        painter.save();
        painter.setBrushOrigin(QPoint(inside.left() & ~7, inside.top() & ~7));
        painter.fillRect(inside, m_hatch);
        painter.restore();
    }

    // Caption strip.
    const QRect strip = GetCellRect(c, kPartStrip);
    const bool selected = IsCellSelected(c);
    COLORREF back = m_backgroundColour, text = colors.dayText;
    if (selected) {
        back = m_selectedBackColour;
        text = m_selectedTextColour;
    }
    if (!hatched) {
        painter.setPen(ToQColor(m_backgroundColour));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(strip.adjusted(0, 0, -1, -1));
    }
    if (!hatched || selected)
        painter.fillRect(strip, ToQColor(back));
    if (ProgramSettings().nonWorkDayTextColour && IsNonWorkCell(c))
        text = colors.nonWorkDayText;
    painter.setFont(m_boldFont);
    painter.setPen(ToQColor(text));
    painter.drawText(strip.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     GetStripText(c));

    QRect body = GetCellRect(c, kPartBody);
    if (c == m_todayOffset) {
        painter.setPen(ToQColor(colors.today));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        painter.drawRect(cell.adjusted(1, 1, -2, -2));
        body = Edges(body.left() + 2, body.top(), RightOf(body) - 2, BottomOf(body) - 2);
    }
    if (!hatched)
        painter.fillRect(body, ToQColor(m_backgroundColour));
}

// The Year view's control: panels, busy days, tooltips, keys and fonts.
#include "views/year/YearGridCtrl.h"

#include "core/system/ConstStrings.h"
#include "core/dates/DateFormats.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/lists/ItemTypeList.h"
#include "core/lists/LogFont.h"
#include "core/system/Profile.h"
#include "core/dates/WeekRules.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"
#include "views/drawing/ViewFonts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <algorithm>

namespace {

constexpr std::uint32_t kFocusSelected = CDisplayItem::StateFocus | CDisplayItem::StateSelected;

// The first character of a name, both halves of a surrogate pair kept together.
QString FirstCharacter(const QString &name)
{
    if (name.isEmpty())
        return {};
    return name.left(name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1);
}

} // namespace

CYearGridCtrl::CYearGridCtrl()
{
    m_viewKind = kViewKind;
    m_sectionIndex = kSectionIndex;
    m_firstDate = TodayForDisplay();
    m_busyColour = CMenuLook::Instance().GetColors().highlight;
    const LocaleDateData &names = GetLocaleDateData();
    for (int i = 0; i < 7; ++i)
        m_weekdayInitials[std::size_t(i)] = FirstCharacter(names.shortDayNames[(i + 1) % 7]);
    m_baseFont = QApplication::font();
    m_baseFont.setPointSize(m_settingPoints);
    m_model.SetFontProbe([this](int points, YearFontSizes &out) { return ProbeFonts(points, out); });
    m_model.SetFontPoints(m_settingPoints);
}

// ---- Fonts ----

bool CYearGridCtrl::ProbeFonts(int points, YearFontSizes &out) const
{
    if (points <= 0)
        return false;
    QFont normal = m_baseFont;
    normal.setPointSize(points);
    QFont bold = normal;
    bold.setWeight(QFont::Bold);
    const QFontMetrics nm(normal), bm(bold);
    out.height = nm.height();
    out.averageWidth = nm.averageCharWidth();
    out.boldHeight = bm.height();
    return out.height > 0 && out.averageWidth > 0;
}

void CYearGridCtrl::MakeFonts() const
{
    const int points = std::max(1, m_model.GetFontPoints());
    if (m_fontsMadeAt == points)
        return;
    m_normalFont = m_baseFont;
    m_normalFont.setPointSize(points);
    m_boldFont = m_normalFont;
    m_boldFont.setWeight(QFont::Bold);
    m_fontsMadeAt = points;
}

const QFont &CYearGridCtrl::GetNormalFont() const
{
    MakeFonts();
    return m_normalFont;
}

const QFont &CYearGridCtrl::GetBoldFont() const
{
    MakeFonts();
    return m_boldFont;
}

bool CYearGridCtrl::LoadFonts(bool reload)
{
    const LogFont setting = LoadFontSettingPoints(GetConstString(m_sectionIndex), QStringLiteral("Font"), 8);
    m_baseFont = PointFontFromSetting(setting);
    m_settingPoints = std::max(1, std::abs(setting.height));
    m_fontsMadeAt = -1;
    const bool made = m_model.SetFontPoints(m_settingPoints);
    SetFonts(GetNormalFont(), GetNormalFont(), GetBoldFont());
    if (reload)
        InvalidateAll();
    return made;
}

void CYearGridCtrl::LoadViewOptions()
{
    CCalendarViewCtrl::LoadViewOptions();
    const QString section = GetConstString(m_sectionIndex);
    m_showWeekNumbers = GetProfileInt(section, "SWN", 1);
    m_autoSize = GetProfileInt(section, "AS", 1);
    m_busyColour = COLORREF(GetProfileInt(section, "CY", int(CMenuLook::Instance().GetColors().highlight)));
    m_typeColours = GetProfileInt(section, "ITC", 1);
    m_model.SetWeekNumbers(m_showWeekNumbers != 0);
    m_model.SetAutoSize(m_autoSize != 0);
    // The metrics depend on the week-number column.
    m_model.SetFontPoints(std::max(1, m_model.GetFontPoints()));
}

void CYearGridCtrl::ReloadOptions()
{
    CCalendarViewCtrl::ReloadOptions();
    RecalcLayout();
}

// ---- Geometry ----

int CYearGridCtrl::CellFromDate(const CDateTime &date, int *flags) const
{
    return m_model.CellFromDate(date, flags);
}

int CYearGridCtrl::CellFromPoint(const QPoint &point) const
{
    return m_model.CellFromPoint(point);
}

QRect CYearGridCtrl::GetCellRect(int cell, int) const
{
    return m_model.GetCellRect(cell);
}

CDateTime CYearGridCtrl::GetDayDate(int n) const
{
    return m_model.GetDayDate(n);
}

void CYearGridCtrl::SetCurrentCell(int cell)
{
    if (cell >= 0 && cell < CYearGridModel::kCells)
        m_currentCell = cell;
}

void CYearGridCtrl::RecalcLayout()
{
    m_model.Relayout(GetViewRect(), m_settingPoints);
    InvalidateAll();
}

int CYearGridCtrl::HitTest(const QPoint &point, int *index) const
{
    const int cell = CellFromPoint(point);
    if (cell < 0)
        return HitNothing;
    if (index)
        *index = cell;
    return HitCell;
}

QString CYearGridCtrl::GetCaption() const
{
    return FormatDateTime(m_model.GetFirstDate(), QStringLiteral("%Y"));
}

// ---- Entries ----

bool CYearGridCtrl::AddEntry(std::unique_ptr<CDisplayItem> entry)
{
    // The entry is copied into the days it covers; the display item itself is not kept.
    return entry && m_model.AddEntry(*entry);
}

bool CYearGridCtrl::AddItem(CItemRef &ref)
{
    CEventItem *event = ref.GetEvent();
    if (!event || !m_model.HasPanels())
        return false;
    bool added = false;
    std::unique_ptr<CDisplayItem> entry;
    bool more = event->FindFirstOccurrenceInRange(m_model.GetFirstDate(), m_model.GetDaysInYear(),
                                                  m_showNotes ? 2 : 1, entry);
    while (more) {
        if (entry) {
            added = AddEntry(std::move(entry)) || added;
        }
        entry.reset();
        more = event->FindNextOccurrenceInRange(m_showNotes ? 2 : 1, entry);
    }
    return added;
}

void CYearGridCtrl::RemoveOccurrenceEntries(std::uint32_t recordId, const CDateTime &occurrence)
{
    if (m_model.RemoveOccurrenceEntries(recordId, occurrence))
        InvalidateAll();
}

void CYearGridCtrl::RemoveEntriesOfRecord(std::uint32_t recordId)
{
    if (m_model.RemoveEntriesOfRecord(recordId))
        InvalidateAll();
}

void CYearGridCtrl::SetEntryTypeForItem(std::uint32_t recordId, int typeIndex, const QString &,
                                        const CDateTime *)
{
    m_model.SetEntryTypeForItem(recordId, typeIndex);
    InvalidateAll();
}

bool CYearGridCtrl::SetItemState(std::uint32_t recordId, std::uint32_t value, std::uint32_t mask, bool)
{
    if (!(value & mask & CDisplayItem::StateRemoved))
        return false;
    const bool removed = m_model.RemoveEntriesOfRecord(recordId);
    if (removed)
        InvalidateAll();
    return removed;
}

bool CYearGridCtrl::SetOccurrenceState(std::uint32_t recordId, const CDateTime &occurrence,
                                       std::uint32_t value, std::uint32_t mask, bool)
{
    if (!(value & mask & CDisplayItem::StateRemoved))
        return false;
    const bool removed = m_model.RemoveOccurrenceEntries(recordId, occurrence);
    if (removed)
        InvalidateAll();
    return removed;
}

int CYearGridCtrl::CopyEntriesForCell(EntryList &out, int cell) const
{
    const CYearDayCell *c = m_model.GetCell(cell);
    IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
    if (!c || !doc)
        return 0;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    int added = 0;
    for (const CYearDayEntry &e : c->entries) {
        CItemRef ref;
        const HRESULT hr = doc->LoadEvent(e.recordId, ref);
        CEventItem *event = ref.GetEvent();
        if ((hr != S_OK && hr != S_FALSE) || !event)
            continue;
        std::unique_ptr<CDisplayItem> item;
        if (!event->SelectOccurrence(e.occurrence, m_showNotes ? 2 : 1, item) || !item)
            continue;
        item->SetItemRef(e.recordId);
        item->SetCells(0, 0);
        out.push_back(std::move(item));
        ++added;
    }
    QGuiApplication::restoreOverrideCursor();
    return added;
}

bool CYearGridCtrl::GetEntryTipText(int cell, QString &text) const
{
    text = m_model.GetEntryTipText(cell);
    return !text.isEmpty();
}

int CYearGridCtrl::ToolHitTest(const QPoint &point, QRect &rect) const
{
    if (m_container && m_container->IsZoomListOpen())
        return 0;
    int cell = -1;
    if (HitTest(point, &cell) != HitCell)
        return 0;
    const CYearDayCell *c = m_model.GetCell(cell);
    if (!c || c->entries.empty())
        return 0;
    rect = m_model.GetCellRect(cell);
    return cell * 1024 + 1;
}

// ---- Requests ----

void CYearGridCtrl::SetDate(const CDateTime &date)
{
    CCalendarViewCtrl::SetDate(date);
    if (!m_model.HasPanels()) {
        m_model.CreatePanels();
        m_model.Relayout(GetViewRect(), m_settingPoints);
    }
    SetDayCount(CYearGridModel::kCells);
    m_model.ClearEntries();
    m_currentCell = -1;
    m_model.Fill(date, GetFirstDayOfWeek(), GetWeekOfYearRule(), TodayForDisplay());
    SetFirstDate(m_model.GetFirstDate());
    const int focus = m_model.GetFocusCell();
    if (focus >= 0) {
        m_currentCell = m_anchorCell = focus;
        m_cellMarks[std::size_t(focus)] |= 0x01;
    }
    InvalidateAll();
}

void CYearGridCtrl::Reset()
{
    CCalendarViewCtrl::Reset();
    ClearSelectedCells();
    m_model.DestroyPanels();
}

void CYearGridCtrl::UpdateToday()
{
    const CDateTime today = TodayForDisplay();
    const int old = m_model.GetTodayCell();
    int now = -1;
    if (m_model.HasPanels() && today.GetYear() == m_model.GetYear())
        now = m_model.CellFromDate(today);
    if (now == old)
        return;
    if (old >= 0)
        Invalidate(m_model.GetCellRect(old));
    if (now >= 0)
        Invalidate(m_model.GetCellRect(now));
    m_model.SetTodayCell(now);
}

CDateTime CYearGridCtrl::GetFocusDate() const
{
    const CYearDayCell *c = m_model.GetCell(m_currentCell);
    if (!c || !c->ShowsDay())
        return m_model.GetFirstDate();
    return m_model.GetDayDate(m_currentCell);
}

int CYearGridCtrl::GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const
{
    if (fromKeyboard)
        return GetSelectedCount() > 0 ? 18 : 3;
    return CellFromPoint(point) < 0 ? 18 : 3;
}

void CYearGridCtrl::MoveFocusByKey(int key, int modifiers)
{
    int days = 0;
    switch (key) {
    case Qt::Key_Left:
        days = -1;
        break;
    case Qt::Key_Right:
        days = 1;
        break;
    case Qt::Key_Up:
        days = -7;
        break;
    case Qt::Key_Down:
        days = 7;
        break;
    default:
        return;
    }
    const CDateTime target = (GetFocusDate() + CDateSpan(double(days))).DatePart();
    if (target.GetYear() == m_model.GetYear()) {
        SetAllItemStates(0, kFocusSelected, true);
        m_focusedEntry = -1;
        GoToDate(target, (modifiers & kModShift) != 0);
        return;
    }
    NotifyContainer(days < 0 ? kNotifyYearBack : kNotifyYearForward);
    if (m_container)
        m_container->GoToDate(target, kGoToDateMode);
}

void CYearGridCtrl::GoToDate(const CDateTime &date, bool extend)
{
    const int cell = m_model.CellFromDate(date);
    if (cell >= 0)
        FocusCell(cell, extend);
}

void CYearGridCtrl::FocusCell(int cell, bool extend)
{
    m_currentCell = cell;
    if (!extend)
        m_anchorCell = cell;
    DrawCellRange();
}

// ---- Drawing ----

void CYearGridCtrl::Draw(QPainter &painter, const QRect &)
{
    const QRect view = GetViewRect();
    if (!m_model.HasPanels()) {
        painter.fillRect(view, ToQColor(m_backgroundColour));
        return;
    }
    MakeFonts();
    QRegion rest(view);
    for (int p = 0; p < CYearGridModel::kPanels; ++p) {
        painter.save();
        painter.setClipRect(m_model.GetPanel(p).rect);
        DrawMonthPanel(painter, p);
        painter.restore();
        rest -= m_model.GetPanel(p).rect;
    }
    painter.save();
    painter.setClipRegion(rest);
    painter.fillRect(view, ToQColor(m_backgroundColour));
    painter.restore();
}

void CYearGridCtrl::DrawMonthPanel(QPainter &painter, int panel) const
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const YearGridMetrics &m = m_model.GetMetrics();
    const CNavigatorMonth &month = m_model.GetPanel(panel);
    painter.fillRect(month.rect, ToQColor(m_backgroundColour));
    const QRect content = m_model.ContentRect(panel);
    const QRect area = m_model.CellArea(panel);

    const QRect strip(content.left() + m.weekNumberWidth, content.top(), content.width() - m.weekNumberWidth,
                      m.captionHeight);
    DrawMonthCaption(painter, panel, strip);

    // Weekday initials over a line, narrowed by the side margins.
    const int rowTop = content.top() + m.captionHeight;
    const QColor shadow = ToQColor(colors.buttonShadow);
    painter.setPen(shadow);
    painter.drawLine(area.left() - 1, rowTop + m.weekdayRowHeight - 2, content.right() - m.sideMargin,
                     rowTop + m.weekdayRowHeight - 2);
    painter.setFont(m_normalFont);
    painter.setPen(ToQColor(colors.windowText));
    const int firstDay = GetFirstDayOfWeek();
    for (int c = 0; c < CNavigatorMonth::kColumns; ++c) {
        const QRect box(area.left() + c * m.cellWidth + 1, rowTop + 1, m.cellWidth, m.weekdayRowHeight - 1);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                         m_weekdayInitials[std::size_t((firstDay + c) % 7)]);
    }

    if (m_showWeekNumbers) {
        const QFontMetrics fm(m_normalFont);
        const int boxWidth = fm.horizontalAdvance(QStringLiteral("33"));
        const int columnLeft = content.left() + m.sideMargin;
        const int boxLeft = columnLeft + (m.weekNumberWidth - boxWidth) / 2;
        painter.setPen(shadow);
        for (int row = 0; row < CNavigatorMonth::kRows; ++row) {
            const int week = month.weekNumbers[std::size_t(row)];
            if (week < 0)
                continue;
            const QRect box(boxLeft, area.top() + row * m.cellHeight, boxWidth, m.cellHeight - 1);
            painter.drawText(box, Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine,
                             QString::number(week));
        }
        painter.drawLine(area.left() - 2, area.top() - 2, area.left() - 2,
                         month.rect.bottom() - m.bottomMargin);
    }

    for (int i = 0; i < CNavigatorMonth::kCells; ++i) {
        const int cell = panel * CNavigatorMonth::kCells + i;
        DrawDayCell(painter, cell, IsCellSelected(cell), cell == m_model.GetTodayCell());
    }
}

void CYearGridCtrl::DrawMonthCaption(QPainter &painter, int panel, const QRect &strip) const
{
    painter.fillRect(strip, ToQColor(m_backgroundColour));
    const LocaleDateData &names = GetLocaleDateData();
    QString month = names.standaloneMonthNames[panel];
    if (month.isEmpty())
        month = names.monthNames[panel];
    if (month.isEmpty())
        return;
    painter.setFont(m_boldFont);
    painter.setPen(ToQColor(CMenuLook::Instance().GetColors().windowText));
    painter.drawText(strip, Qt::AlignCenter | Qt::TextSingleLine,
                     QStringLiteral("%1 %2").arg(month).arg(m_model.GetYear()));
}

void CYearGridCtrl::DrawDayCell(QPainter &painter, int cell, bool selected, bool today) const
{
    const CYearDayCell *c = m_model.GetCell(cell);
    if (!c || !c->ShowsDay())
        return;
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const QRect r = m_model.GetCellRect(cell);
    const bool busy = !c->entries.empty();
    const bool typed = busy && m_typeColours;
    COLORREF text = colors.windowText, fill = m_backgroundColour;
    ColorPair gradient{fill, fill};
    bool ownGradient = false;
    if (!busy) {
        if (selected) {
            text = colors.window;
            fill = colors.buttonShadow;
        }
    } else if (m_typeColours) {
        const CItemType *type =
            m_itemTypes && c->commonType >= 0 ? m_itemTypes->GetType(c->commonType) : nullptr;
        if (c->commonType < 0) {
            text = m_busyColour;
        } else if (type && type->HasFlag(CItemType::kFlagOwnColors)) {
            text = type->GetTextColor();
            fill = type->GetFillColor();
            const GradientPair shades = type->GetGradientColors();
            gradient = {shades.light, shades.dark};
            ownGradient = true;
        }
    } else {
        text = m_busyColour;
        if (selected)
            fill = colors.buttonShadow;
    }
    if (!ownGradient)
        gradient = {fill, fill};

    const QRect inner = r.adjusted(1, 1, -1, -1);
    const QRect filled = typed ? r.adjusted(2, 2, -2, -2) : inner;
    if (m_gradient && ownGradient)
        FillGradientRect(painter, filled, gradient.first, gradient.second, true);
    else
        painter.fillRect(filled, ToQColor(fill));

    painter.setFont(busy && !m_typeColours ? m_boldFont : m_normalFont);
    painter.setPen(ToQColor(text));
    const int boxWidth = QFontMetrics(painter.font()).horizontalAdvance(QStringLiteral("33"));
    const QRect box(r.left() + (r.width() - boxWidth) / 2, r.top(), boxWidth, r.height() - 1);
    painter.save();
    painter.setClipRect(r, Qt::IntersectClip);
    painter.drawText(box, Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine, QString::number(c->day));
    painter.restore();

    painter.setBrush(Qt::NoBrush);
    if (typed) {
        painter.setPen(ToQColor(text));
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
        if (selected) {
            painter.setPen(ToQColor(colors.buttonShadow));
            painter.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
    if (today) {
        painter.setPen(ToQColor(colors.today));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

// The all-day banner's input: keys, typing a new item, the in-place edit, drags coming in from
// other views, the context menu kind and the days menu of the corner cell.
#include "core/lists/ItemTypeCatalog.h"
#include "views/base/CustomWnd.h"
#include "views/timegrid/DayBannerCtrl.h"
#include "views/base/DragState.h"

#include <QMimeData>

#include <algorithm>

namespace {
constexpr std::uint32_t kFocusSelected = CDisplayItem::StateFocus | CDisplayItem::StateSelected;
} // namespace

void CDayBannerCtrl::OnLeftDown(const QPoint &point, int modifiers)
{
    if (IsCornerPoint(point)) {
        OpenDaysMenu();
        return;
    }
    CCalendarViewCtrl::OnLeftDown(point, modifiers);
}

void CDayBannerCtrl::OnFocusGained()
{
    m_hasFocus = true;
    CCalendarViewCtrl::OnFocusGained();
}

void CDayBannerCtrl::OnFocusLost()
{
    m_hasFocus = false;
    CCalendarViewCtrl::OnFocusLost();
}

bool CDayBannerCtrl::CellSelectionShown() const
{
    return m_hasFocus && GetSelectedCount() == 0 && CDragState::Current() == nullptr;
}

void CDayBannerCtrl::MoveFocusByKey(int key, int modifiers)
{
    const int lastColumn = GetColumnCount() - 1;
    switch (key) {
    case Qt::Key_PageUp:
        OnVScroll(ScrollPageUp);
        break;
    case Qt::Key_PageDown:
        OnVScroll(ScrollPageDown);
        break;
    case Qt::Key_Home:
        if (m_topRow > 0)
            OnVScroll(ScrollTop);
        break;
    case Qt::Key_End:
        if (m_topRow < GetLastTopRow())
            OnVScroll(ScrollBottom);
        break;
    case Qt::Key_Up:
        if (m_topRow > 0)
            OnVScroll(ScrollLineUp);
        break;
    case Qt::Key_Down:
        if (m_topRow < GetLastTopRow())
            OnVScroll(ScrollLineDown);
        break;
    case Qt::Key_Left:
        if (m_currentCell > 0)
            SetCurrentCell(m_currentCell - 1);
        else if (m_container)
            m_container->SendCommand(kCmdPrevPeriod);
        break;
    case Qt::Key_Right:
        if (m_currentCell < lastColumn)
            SetCurrentCell(m_currentCell + 1);
        else if (m_container)
            m_container->SendCommand(kCmdNextPeriod);
        break;
    default:
        return;
    }
    SelectCellsFromKey(modifiers);
}

void CDayBannerCtrl::StartItemByTyping(QChar ch)
{
    if (GetSelectedCount() > 0 || GetColumnCount() == 0)
        return;
    if (IsReadOnly()) {
        Beep();
        return;
    }
    const int lastColumn = GetColumnCount() - 1;
    const int first = std::clamp(std::min(m_anchorCell, m_currentCell), 0, lastColumn);
    const int last = std::clamp(std::max(m_anchorCell, m_currentCell), 0, lastColumn);
    // The item ends after the last selected day itself, never at "the next column": in a work
    // week that one may be days later, or not exist.
    const CDateTime start = GetDayDate(first);
    const CDateTime end = (GetDayDate(last) + CDateSpan(1.0)).DatePart();
    const QString typeName = m_newItemSettings.eventTypeName;
    const IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
    const IItemTypeCatalog *types = doc && doc->GetItemTypes() ? doc->GetItemTypes() : GetItemTypeCatalog();
    const int typeIndex = types && !typeName.isEmpty() ? types->FindType(typeName) : -1;
    auto entry =
        std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, typeIndex, typeName, start, end - start);
    entry->SetOccurrenceDate(start);
    entry->SetState(kFocusSelected);
    if (!AddEntry(std::move(entry)))
        return;
    Refresh(true);
    m_focusedEntry = FindEntry(0, start);
    EnsureEntryVisible(m_focusedEntry);
    m_anchorCell = m_currentCell;
    InvalidateRange(m_anchorCell, m_currentCell, false);
    InvalidateAll();
    if (BeginInPlaceEdit() && m_host)
        m_host->SendCharToEdit(ch);
}

int CDayBannerCtrl::BeginInPlaceEdit()
{
    return OpenEditOverFocusedEntry(QMargins(4, 2, 3, 2));
}

void CDayBannerCtrl::EditFocusedItem()
{
    EditFocusedEntryShared();
}

void CDayBannerCtrl::BuildDragRecords()
{
    CCalendarViewCtrl::BuildDragRecords();
    CDragState *drag = CDragState::Current();
    if (!drag || drag->sourceView == this)
        return;
    // Items from another view land on the banner's first day, events one day long; the drop
    // column then moves them from there.
    for (CDragItem &item : drag->dragItems) {
        item.start = m_firstDate;
        item.movedStart = m_firstDate;
        if (item.kind == CDisplayItem::KindEvent)
            item.duration = CDateSpan(1.0);
    }
    drag->sourceCell = 0;
}

int CDayBannerCtrl::OnDragEnter(const QMimeData *data, int keyState, const QPoint &point)
{
    CDragState *drag = CDragState::Current();
    if (drag && drag->sourceView != this && data && data->hasFormat(InternalFormatMimeType()))
        BuildDragRecords();
    return CCalendarViewCtrl::OnDragEnter(data, keyState, point);
}

void CDayBannerCtrl::OnDoubleClick(const QPoint &point)
{
    if (IsHeaderPoint(point))
        return;
    CCalendarViewCtrl::OnDoubleClick(point);
}

int CDayBannerCtrl::GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const
{
    const int plain = GetColumnCount() > 1 ? 2 : 1;
    if (fromKeyboard)
        return GetSelectedCount() > 0 ? 4 : plain;
    if (point.x() < GetViewRect().left() + m_labelWidth)
        return 0;
    const QRect view = GetViewRect();
    if (m_scrollBar.visible && point.x() >= view.left() + view.width())
        return -1;
    if (EntryFromPoint(point) >= 0)
        return CCalendarViewCtrl::GetContextMenuIndex(point, false);
    return plain;
}

// ---- Days menu ----

std::vector<CDayBannerCtrl::DaysMenuChoice> CDayBannerCtrl::DaysMenuChoices()
{
    std::vector<DaysMenuChoice> choices;
    for (int days = 2; days <= 14; ++days) {
        QString text;
        if (days <= 9)
            text = QStringLiteral("&%1 Days\tAlt+%1").arg(days);
        else if (days == 10)
            text = QStringLiteral("1&0 Days\tAlt+0");
        else
            text = QStringLiteral("%1 Days").arg(days);
        choices.push_back({kCmdTwoDays + days - 2, text});
    }
    choices.push_back({kCmdWorkWeek, QStringLiteral("&Work Week")});
    return choices;
}

int CDayBannerCtrl::OpenDaysMenu()
{
    if (!m_daysMenuHandler)
        return 0;
    const int command = m_daysMenuHandler(DaysMenuChoices(), GetDaysMenuPoint());
    if (command != 0 && m_container)
        m_container->SendCommand(command);
    return command;
}

#include "toolkit/navigator/BusyDaysNavigator.h"

#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/RecurrenceBits.h"
#include "core/lists/ItemTypeList.h"
#include "core/storage/DataFile.h"
#include "core/system/Profile.h"

namespace {
const QString kSection = QStringLiteral("Calendar");
constexpr std::uint32_t kPatternHasEnd = 0x2000000;
} // namespace

bool CBusyDaysNavigator::LoadSettings(INavigatorHost *host, int controlId, bool rebuild)
{
    const bool oldBusy = m_busyDays, oldFilter = m_useFilter;
    const bool weekNumbers = GetProfileInt(kSection, QStringLiteral("SWN"), 1) != 0;
    m_busyDays = GetProfileInt(kSection, QStringLiteral("BD"), 1) != 0;
    m_useFilter = m_busyDays && GetProfileInt(kSection, QStringLiteral("UF"), 1) != 0;
    m_itemTypeColors = m_busyDays && GetProfileInt(kSection, QStringLiteral("ITC"), 1) != 0;
    const NavigatorColors colors = NavigatorColors::FromLook();
    m_busyTextColor = m_busyDays ? std::uint32_t(GetProfileInt(kSection, QStringLiteral("CY"), int(colors.windowText)))
                                 : colors.windowText;
    const bool laidOut = LoadLayout(host, controlId, weekNumbers, false);
    if (rebuild && (oldBusy != m_busyDays || oldFilter != m_useFilter))
        RebuildBusyDays();
    return laidOut;
}

bool CBusyDaysNavigator::SetFilter(const CActiveFilter &filter)
{
    ClearBusyDays();
    if (!filter.DiffersFrom(m_filter))
        return false;
    m_filter.Copy(filter);
    return true;
}

const CItemTypeList *CBusyDaysNavigator::ItemTypes() const
{
    if (m_types)
        return m_types;
    CCalendarDocument *doc = CCalendarDocument::GetApplicationDocument();
    return doc ? &doc->GetItemTypes() : nullptr;
}

bool CBusyDaysNavigator::ItemInRange(const CEventItem &event) const
{
    if (!m_busyDays || GetMonthCount() == 0)
        return false;
    if ((event.HasFlag(CCalendarItem::FlagHidden) && !m_showHidden) || event.IsFlag28Set() ||
        event.GetKind() != CCalendarItem::KindEvent)
        return false;
    const CDateTime rangeStart = GetFirstShownDate();
    const CDateTime rangeEnd = GetEndDate();
    if (rangeEnd < event.GetStart())
        return false;
    if (event.IsRecurring()) {
        // A series without an end, or one that ends after the range starts, may touch it.
        return (event.GetRecurrenceFlags() & kPatternHasEnd) == 0 || event.GetPatternEnd() > rangeStart;
    }
    if (event.GetStart() + event.GetDuration() > rangeStart)
        return true;
    const CDateTime &s = event.GetStart();
    return s.GetHour() == 0 && s.GetMinute() == 0 && s.GetSecond() == 0 && event.GetDuration().Value() == 0.0;
}

void CBusyDaysNavigator::MarkItem(const CEventItem &event, bool repaint)
{
    if (!m_busyDays || GetMonthCount() == 0)
        return;
    if (event.HasFlag(CCalendarItem::FlagHidden) && !m_showHidden)
        return;
    if (m_useFilter && !m_filter.MatchesItem(event))
        return;
    const CItemTypeList *types = ItemTypes();
    const CItemType *type = types ? types->GetType(event.GetItemTypeIndex()) : nullptr;
    if (!type || !type->HasFlag(CItemType::kFlagBusyDays))
        return;
    const int cells = GetMonthCount() * CNavigatorMonth::kCells;
    for (const COccurrence &o : event.OccurrencesInWindow(GetFirstShownDate(), GetEndDate())) {
        const int startCell = DateToCell(o.start);
        bool midnight = false, clamped = false;
        int endCell = DateToCell(o.End(), &midnight, &clamped);
        if (startCell < 0 || endCell < 0)
            continue;
        // An occurrence that ends at midnight does not take the day it ends on.
        if (!clamped && midnight) {
            --endCell;
            if (endCell == startCell - 1)
                endCell = startCell;
        }
        if (endCell < startCell)
            continue;
        for (int c = startCell; c <= endCell && c < cells; ++c) {
            CNavigatorDay *cell = CellAt(c);
            if (!cell || cell->day < 0)
                continue;
            const int oldCommon = cell->commonType;
            const bool first = cell->entries.empty();
            CNavigatorDayEntry entry;
            entry.kind = CCalendarItem::KindEvent;
            entry.recordId = event.GetRecordId();
            entry.occurrence = o.keyDate;
            entry.itemTypeIndex = event.GetItemTypeIndex();
            cell->entries.push_back(entry);
            cell->RecomputeCommonType();
            if (repaint && (first || oldCommon != cell->commonType))
                InvalidateCell(c);
        }
    }
}

void CBusyDaysNavigator::UpdateItemDays(const CEventItem &event, bool repaint)
{
    RemoveItemDays(event.GetRecordId(), repaint);
    MarkItem(event, repaint);
}

bool CBusyDaysNavigator::RemoveItemDays(std::uint32_t recordId, bool repaint)
{
    bool any = false;
    const int cells = GetMonthCount() * CNavigatorMonth::kCells;
    for (int c = 0; c < cells; ++c) {
        CNavigatorDay *cell = CellAt(c);
        const std::size_t before = cell->entries.size();
        std::erase_if(cell->entries, [recordId](const CNavigatorDayEntry &e) { return e.recordId == recordId; });
        if (cell->entries.size() == before)
            continue;
        any = true;
        const int oldCommon = cell->commonType;
        cell->RecomputeCommonType();
        if (repaint && (cell->entries.empty() || oldCommon != cell->commonType))
            InvalidateCell(c);
    }
    return any;
}

int CBusyDaysNavigator::ClearBusyDays()
{
    const int cells = GetMonthCount() * CNavigatorMonth::kCells;
    for (int c = 0; c < cells; ++c) {
        CNavigatorDay *cell = CellAt(c);
        cell->entries.clear();
        cell->commonType = -1;
    }
    if (Host())
        Host()->InvalidateAll();
    return 0;
}

int CBusyDaysNavigator::RebuildBusyDays()
{
    ClearBusyDays();
    if (!m_busyDays || !m_file || GetMonthCount() == 0)
        return 0;
    m_file->EnumEvents([this](std::uint32_t recordId) -> HRESULT {
        CEventItem summary(recordId);
        if (m_file->LoadEventSummary(summary) != S_OK || !ItemInRange(summary))
            return S_OK;
        CEventItem event(recordId);
        // An event that cannot be loaded is passed over.
        if (m_file->LoadEvent(event) == S_OK)
            MarkItem(event, false);
        return S_OK;
    });
    if (Host())
        Host()->InvalidateAll();
    return 1;
}

// Every refill moves the days under the cells: the marks are made again for the new months.
void CBusyDaysNavigator::MonthsRefilled()
{
    if (m_file && m_busyDays)
        RebuildBusyDays();
}

bool CBusyDaysNavigator::BusyCellLook(const CNavigatorDay &cell, bool highlighted, CellLook &look) const
{
    const NavigatorColors &c = GetColors();
    if (!m_itemTypeColors) {
        look.bold = true;
        look.text = m_busyTextColor;
        look.back = look.backTo = highlighted ? c.highlight : c.window;
        return true;
    }
    look.typed = true;
    look.bold = false;
    if (cell.commonType < 0) {
        look.text = m_busyTextColor;
        look.back = look.backTo = c.window;
        return true;
    }
    const CItemTypeList *types = ItemTypes();
    const CItemType *type = types ? types->GetType(cell.commonType) : nullptr;
    if (type && type->HasFlag(CItemType::kFlagOwnColors)) {
        look.text = type->GetTextColor();
        const GradientPair shades = type->GetGradientColors();
        look.back = type->GetFillColor();
        look.backTo = shades.dark;
        look.gradient = true;
    } else {
        look.text = c.windowText;
        look.back = look.backTo = c.window;
    }
    return true;
}

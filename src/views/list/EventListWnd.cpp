// The Event List and Search Results list.
#include "views/list/EventListWnd.h"

#include "core/lists/ActiveFilter.h"
#include "core/dates/DateRules.h"
#include "core/items/DatedDisplayItem.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"

#include <cmath>

namespace {

const std::vector<int> kListDefault = {0, 1, 2, 3, 4, 20, 16, 18, 5, 19, 6, 7};
const std::vector<int> kListAll = {0, 1, 2, 10, 3, 4, 20, 16, 17, 18, 5, 19, 6, 7, 8, 9};
const std::vector<int> kSearchDefault = {0, 1, 2, 3, 4, 20, 16, 35, 6, 7};
const std::vector<int> kSearchAll = {0,  1,  2,  10, 3,  4,  20, 16, 17, 18, 19,
                                     32, 33, 34, 35, 36, 37, 38, 6,  7,  8,  9};

bool IsSet(const CDateTime &d)
{
    return d.IsValid();
}

} // namespace

CEventListWnd::CEventListWnd(int mode)
{
    m_sectionIndex = mode == ModeSearch ? ModeSearch : ModeEventList;
    m_viewKind = 6;
}

QString CEventListWnd::GetCaption() const
{
    return IsSearch() ? QStringLiteral("Search Results") : QStringLiteral("Event List");
}

bool CEventListWnd::AcceptsColumn(int id) const
{
    const std::vector<int> &all = IsSearch() ? kSearchAll : kListAll;
    return std::find(all.begin(), all.end(), id) != all.end();
}

void CEventListWnd::GetDefaultColumns(bool all, int &sortId, std::vector<int> &ids) const
{
    if (IsSearch()) {
        ids = all ? kSearchAll : kSearchDefault;
        sortId = 4;
    } else {
        ids = all ? kListAll : kListDefault;
        sortId = 16;
    }
}

void CEventListWnd::SetRange(const CDateTime &from, const CDateTime &to)
{
    m_viewDate = from;
    m_firstDate = from;
    m_toDate = to;
}

// ---- Adding items ----

bool CEventListWnd::AddItemInRange(CItemRef &ref)
{
    CEventItem *event = ref.GetEvent();
    CTaskItem *task = event ? nullptr : ref.GetTask();
    if (!event && !task)
        return false;
    const bool bounded = IsSet(m_viewDate) || IsSet(m_toDate);
    if (bounded) {
        const CDateTime from = IsSet(m_viewDate) ? m_viewDate : CDateTime(1753, 1, 1);
        const CDateTime to = IsSet(m_toDate) ? m_toDate : CDateTime(4000, 12, 31);
        if (from > to)
            return false;
        // The span covers whole days from "from" through the day "to" falls on.
        const double whole = std::floor((to - from).Value());
        const int days = int(whole) + 1;
        if (event && !event->FindFirstOccurrenceInRange(from, days))
            return false;
        if (task && task->HasDueDate() && !task->MakeDisplayItemInRange(nullptr, 0, from, days))
            return false;
    }
    std::unique_ptr<CDisplayItem> entry;
    if (event) {
        // One entry for the whole event, not for the occurrence found.
        if (!event->SelectOccurrence(CDateTime(0.0), 0, entry, true))
            return false;
    } else {
        entry = task->MakeDisplayItem(0);
    }
    if (!entry)
        return false;
    return AddEntry(std::move(entry));
}

bool CEventListWnd::AddEventEntry(CEventItem &event, const CDateTime &keyDate)
{
    if (event.GetKind() != CCalendarItem::KindEvent)
        return false;
    std::unique_ptr<CDisplayItem> entry;
    if (!event.SelectOccurrence(keyDate, 0, entry, true) || !entry)
        return false;
    return AddEntry(std::move(entry));
}

bool CEventListWnd::AddItem(CItemRef &ref)
{
    return AddItemInRange(ref);
}

bool CEventListWnd::IsEventOver(const CEventItem &event, const CDateTime &today)
{
    if (!event.IsRecurring())
        return event.GetStart() + event.GetDuration() < today;
    const CRecurrencePattern &pattern = event.GetPattern();
    if (!pattern.HasEndDate())
        return false;
    return pattern.GetEnd() + event.GetDuration() < today;
}

bool CEventListWnd::OfferItem(CItemRef &ref, const CActiveFilter *filter)
{
    CCalendarItem *item = ref.GetItem();
    if (!item || item->IsFlag28Set())
        return false;
    CEventItem *event = ref.GetEvent();
    if (!IsSearch()) {
        if (!event || (filter && !filter->MatchesItem(*event)))
            return false;
        if (!m_includePastItems && IsEventOver(*event, TodayForDisplay()))
            return false;
        return AddItem(ref);
    }
    if (!event)
        return (!filter || filter->MatchesItem(*item)) && AddItem(ref);
    bool added = false;
    if (!filter || filter->MatchesItem(*event)) {
        if (!AddItem(ref))
            return false;
        added = true;
    }
    if (!filter)
        return added;
    // Changed occurrences whose own texts match are listed on their own.
    for (int i = 0; i < event->GetExceptionCount(); ++i) {
        const CRecurrenceException &x = event->GetExceptions()[std::size_t(i)];
        if (x.IsDeleted() || !filter->MatchesItem(*event, i))
            continue;
        if (!AddEventEntry(*event, x.keyDate))
            break;
        added = true;
    }
    return added;
}

// ---- Day change ----

void CEventListWnd::RefreshRecurringEntries()
{
    const CDateTime today = TodayForDisplay();
    if (IsSet(m_viewDate) && m_viewDate.DatePart() == today)
        return;
    IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
    const CDateTime now = GetNow();
    for (auto &e : m_entries) {
        if (!e->HasFlag(CDisplayItem::FlagRecurring) || e->HasFlag(CDisplayItem::FlagChanged) || !doc)
            continue;
        auto *dated = dynamic_cast<CDatedDisplayItem *>(e.get());
        CItemRef ref;
        if (!dated || e->GetKind() != CDisplayItem::KindEvent || doc->LoadEvent(e->GetItemRef(), ref) != S_OK)
            continue;
        const CEventItem *event = ref.GetEvent();
        if (!event || event->GetCreatedTime() != e->GetCreated())
            continue;
        if (event->IsRecurring()) {
            CDateTime from = now;
            const CDateTime rangeStart = event->GetPatternStart();
            if (rangeStart.IsValid() && rangeStart > now)
                from = CDateTime(rangeStart.GetYear(), rangeStart.GetMonth(), rangeStart.GetDay(),
                                 event->GetStart().GetHour(), event->GetStart().GetMinute(),
                                 event->GetStart().GetSecond());
            COccurrence o;
            CDateSpan lead;
            if (event->FindOccurrenceFrom(false, from, o, lead) ||
                event->FindOccurrenceBefore(false, from, o, lead))
                dated->SetNextDate(o.start);
        }
        CDateTime reminderTime, key;
        bool snoozed = false;
        const bool reminder = event->FindReminder(1, now, reminderTime, key, snoozed);
        e->SetFlag(CDisplayItem::FlagReminderTime, reminder);
        if (reminder)
            dated->SetReminderTime(reminderTime);
    }
    if (GetEntryCount() > 1) {
        SortDisplayItems();
        LayoutEntries();
        EnsureEntryVisible(m_focusedEntry);
    }
    InvalidateAll();
    if (m_host)
        m_host->UpdateWindow();
}

// ---- Popup menu ----

int CEventListWnd::MenuForSelection() const
{
    const CDisplayItem *first = GetEntry(GetFirstSelectedEntry());
    if (!first) {
        if (m_host)
            m_host->Beep();
        return MenuItem;
    }
    return first->GetKind() == CDisplayItem::KindTask ? MenuTask : MenuItem;
}

int CEventListWnd::GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const
{
    const int empty = IsSearch() ? MenuSearch : MenuList;
    auto forSelection = [&]() {
        const int selected = GetSelectedCount();
        if (selected == 0)
            return empty;
        if (IsSearch() && selected == 1)
            return MenuForSelection();
        return MenuItem;
    };
    if (fromKeyboard)
        return forSelection();
    if (point.y() >= 0 && point.y() < m_headerHeight) {
        m_rightClickColumn = ColumnAtX(point.x());
        return kMenuListHeader;
    }
    int index = -1;
    const int code = HitTest(point, &index);
    if (code == HitEntryBody)
        return forSelection();
    if (code == HitHorzScroll || code == HitVertScroll)
        return -1;
    return empty;
}

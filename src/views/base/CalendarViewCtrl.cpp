// The shared logic of the calendar views: entries, cells, selection, options and input.
#include "views/base/CalendarViewCtrl.h"
#include "views/drawing/TextShapeCache.h"

#include "core/system/AppSettings.h"
#include "core/system/ConstStrings.h"
#include "core/items/DragItem.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/system/Profile.h"
#include "core/items/TaskItem.h"
#include "views/base/CustomWnd.h"
#include "views/base/DragState.h"
#include "toolkit/style/MenuLook.h"

#include <QApplication>
#include <QDateTime>
#include <QFontMetrics>
#include <QMimeData>
#include <QUuid>
#include <algorithm>
#include <cstdlib>

namespace {
constexpr std::uint32_t kFocusSelected = CDisplayItem::StateFocus | CDisplayItem::StateSelected;
} // namespace

CCalendarViewCtrl::CCalendarViewCtrl() : m_textCache(std::make_unique<CTextShapeCache>()) {}

CCalendarViewCtrl::~CCalendarViewCtrl()
{
    CDragState *drag = CDragState::Current();
    if (drag && drag->sourceView == this)
        CDragState::End();
}

// ---- Geometry defaults ----

int CCalendarViewCtrl::CellFromDate(const CDateTime &, int *) const
{
    return -1;
}

int CCalendarViewCtrl::CellFromPoint(const QPoint &) const
{
    return -1;
}

QRect CCalendarViewCtrl::GetCellRect(int, int) const
{
    return {};
}

void CCalendarViewCtrl::EnsureCellVisible(int) {}

void CCalendarViewCtrl::SetCurrentCell(int cell)
{
    m_currentCell = cell;
}

void CCalendarViewCtrl::RecalcLayout() {}

CDateTime CCalendarViewCtrl::GetDayDate(int n) const
{
    return m_firstDate + CDateSpan(double(n));
}

CDateSpan CCalendarViewCtrl::GetShownSpan() const
{
    return CDateSpan(1.0);
}

CDateSpan CCalendarViewCtrl::GetCellSpan(int) const
{
    return CDateSpan(1.0);
}

CDateSpan CCalendarViewCtrl::GetDaySpan(int a, int b) const
{
    return CDateSpan(double(b - a));
}

void CCalendarViewCtrl::InvalidateRange(int from, int to, bool redraw)
{
    int lo = -1, hi = -2;
    if (from != -1 && to != -1) {
        lo = std::min(from, to);
        hi = std::max(from, to);
    }
    for (int cell = 0; cell < GetDayCount(); ++cell) {
        std::uint8_t &mark = m_cellMarks[std::size_t(cell)];
        const bool inside = cell >= lo && cell <= hi;
        if (inside == ((mark & 0x01) != 0))
            continue;
        mark = inside ? (mark | 0x01) : (mark & ~0x01);
        if (redraw)
            Invalidate(GetCellRect(cell, 2));
    }
}

int CCalendarViewCtrl::HitTest(const QPoint &, int *) const
{
    return HitNothing;
}

int CCalendarViewCtrl::EntryFromPoint(const QPoint &point) const
{
    for (int i = 0; i < GetEntryCount(); ++i) {
        if (m_entries[std::size_t(i)]->GetRect().contains(point))
            return i;
    }
    return -1;
}

QRect CCalendarViewCtrl::GetEntryRect(int index) const
{
    const CDisplayItem *e = GetEntry(index);
    return e ? e->GetRect() : QRect();
}

QRect CCalendarViewCtrl::GetEntryTextRect(int index) const
{
    return GetEntryRect(index).adjusted(4, 1, -4, -1);
}

void CCalendarViewCtrl::EnsureEntryVisible(int) {}

void CCalendarViewCtrl::InvalidateEntry(int index)
{
    const QRect r = GetEntryRect(index);
    if (!r.isEmpty())
        Invalidate(r);
}

void CCalendarViewCtrl::LayoutEntries() {}

void CCalendarViewCtrl::Draw(QPainter &, const QRect &) {}

QRect CCalendarViewCtrl::GetViewRect() const
{
    return m_host ? m_host->ClientRect() : QRect();
}

QString CCalendarViewCtrl::GetCaption() const
{
    return {};
}

// ---- Entries ----

CDisplayItem *CCalendarViewCtrl::GetEntry(int index) const
{
    if (index < 0 || index >= GetEntryCount())
        return nullptr;
    return m_entries[std::size_t(index)].get();
}

bool CCalendarViewCtrl::AddEntry(std::unique_ptr<CDisplayItem> entry)
{
    if (!entry)
        return false;
    m_entries.push_back(std::move(entry));
    return true;
}

bool CCalendarViewCtrl::AddItem(CItemRef &ref)
{
    return AddOccurrences(ref, m_firstDate, GetDayCount());
}

bool CCalendarViewCtrl::AddOccurrences(CItemRef &ref, const CDateTime &from, int days)
{
    const int notesMode = m_showNotes ? 2 : 1;
    bool added = false;
    std::unique_ptr<CDisplayItem> entry;
    if (CEventItem *event = ref.GetEvent()) {
        bool more = event->FindFirstOccurrenceInRange(from, days, notesMode, entry);
        while (more) {
            if (entry)
                added = AddEntry(std::move(entry)) || added;
            entry.reset();
            more = event->FindNextOccurrenceInRange(notesMode, entry);
        }
    } else if (CTaskItem *task = ref.GetTask()) {
        // A task in range always comes with its display item.
        if (task->MakeDisplayItemInRange(&entry, notesMode, from, days))
            added = AddEntry(std::move(entry));
    }
    return added;
}

void CCalendarViewCtrl::RemoveOccurrenceEntries(std::uint32_t recordId, const CDateTime &occurrence)
{
    for (int i = GetEntryCount() - 1; i >= 0; --i) {
        const CDisplayItem *e = m_entries[std::size_t(i)].get();
        if (e->GetItemRef() == recordId && e->GetOccurrenceDate() == occurrence)
            RemoveEntryAt(i);
    }
}

void CCalendarViewCtrl::RemoveEntriesOfRecord(std::uint32_t recordId)
{
    for (int i = GetEntryCount() - 1; i >= 0; --i) {
        if (m_entries[std::size_t(i)]->GetItemRef() == recordId)
            RemoveEntryAt(i);
    }
}

void CCalendarViewCtrl::RemoveEntriesMatching(std::uint32_t bits)
{
    for (int i = GetEntryCount() - 1; i >= 0; --i) {
        if ((m_entries[std::size_t(i)]->GetState() & bits) == bits)
            RemoveEntryAt(i);
    }
}

void CCalendarViewCtrl::RemoveEntryAt(int index)
{
    if (index < 0 || index >= GetEntryCount())
        return;
    m_entries.erase(m_entries.begin() + index);
    if (index == m_focusedEntry)
        m_focusedEntry = -1;
    else if (index < m_focusedEntry)
        --m_focusedEntry;
}

void CCalendarViewCtrl::RemoveAllEntries()
{
    m_entries.clear();
    m_focusedEntry = -1;
}

namespace {
// First cells up to this many are sorted a cell at a time.
constexpr int kMaxBucketCells = 4096;
} // namespace

void CCalendarViewCtrl::SortDisplayItems()
{
    if (GetEntryCount() < 2)
        return;
    const CDisplayItem *focused = GetEntry(m_focusedEntry);
    if (m_sortByText) {
        std::stable_sort(m_entries.begin(), m_entries.end(), [](const auto &a, const auto &b) {
            const bool ga = a->HasState(CDisplayItem::StateDragged),
                       gb = b->HasState(CDisplayItem::StateDragged);
            if (ga != gb)
                return gb;
            const int c = QString::localeAwareCompare(a->GetSubject(), b->GetSubject());
            if (c != 0)
                return c < 0;
            if (a->GetItemTypeIndex() != b->GetItemTypeIndex())
                return a->GetItemTypeIndex() < b->GetItemTypeIndex();
            const bool ra = a->HasFlag(CDisplayItem::FlagRecurring),
                       rb = b->HasFlag(CDisplayItem::FlagRecurring);
            if (ra != rb)
                return ra;
            return a->GetItemRef() < b->GetItemRef();
        });
    } else {
        // The display order, with what decides most comparisons (the drag mark, the first
        // cell, the all-day mark and the times) copied next to each entry so that the sort
        // seldom reaches into the entries.
        struct Key
        {
            double start, end;
            CDisplayItem *entry;
            int firstCell;
            std::int8_t startStatus, endStatus;
            bool allDay, dragged;
        };
        // As the entries compare their dates: status first, then time.
        const auto compare = [](int statusA, double a, int statusB, double b) {
            if (statusA != statusB)
                return statusA < statusB ? -1 : 1;
            if (a != b)
                return a < b ? -1 : 1;
            return 0;
        };
        std::vector<Key> keys;
        keys.reserve(m_entries.size());
        for (auto &owned : m_entries) {
            CDisplayItem *e = owned.release();
            keys.push_back({e->GetStart().Linear(), e->GetEnd().Linear(), e, e->GetFirstCell(),
                            std::int8_t(e->GetStart().GetStatus()), std::int8_t(e->GetEnd().GetStatus()),
                            e->HasFlag(CDisplayItem::FlagAllDay), e->HasState(CDisplayItem::StateDragged)});
        }
        const auto order = [&compare](const Key &a, const Key &b) {
            if (a.dragged != b.dragged)
                return b.dragged;
            if (!a.dragged) {
                if (a.firstCell != b.firstCell)
                    return a.firstCell < b.firstCell;
                if (a.allDay != b.allDay)
                    return a.allDay;
                if (const int c = compare(a.startStatus, a.start, b.startStatus, b.start))
                    return c < 0;
                if (const int c = compare(a.endStatus, a.end, b.endStatus, b.end))
                    return c > 0;
                return a.entry->CompareTies(*b.entry) < 0;
            }
            return false;
        };
        // The order's first keys are the drag mark and the first cell: the entries are dealt
        // into one run per cell (the dragged ones last), keeping their order, and each run is
        // sorted on its own, which gives what one sort of them all gives.
        int cells = 0;
        for (const Key &k : keys) {
            if (!k.dragged && (k.firstCell < 0 || k.firstCell >= kMaxBucketCells)) {
                cells = -1;
                break;
            }
            if (!k.dragged)
                cells = std::max(cells, k.firstCell + 1);
        }
        if (cells < 0) {
            std::stable_sort(keys.begin(), keys.end(), order);
            for (std::size_t i = 0; i < keys.size(); ++i)
                m_entries[i].reset(keys[i].entry);
        } else {
            std::vector<std::size_t> runStart(std::size_t(cells) + 2, 0);
            for (const Key &k : keys)
                ++runStart[std::size_t(k.dragged ? cells : k.firstCell) + 1];
            for (std::size_t r = 1; r < runStart.size(); ++r)
                runStart[r] += runStart[r - 1];
            std::vector<Key> dealt(keys.size());
            std::vector<std::size_t> next(runStart.begin(), runStart.end() - 1);
            for (const Key &k : keys)
                dealt[next[std::size_t(k.dragged ? cells : k.firstCell)]++] = k;
            for (std::size_t r = 0; r + 1 < runStart.size(); ++r)
                std::stable_sort(dealt.begin() + std::ptrdiff_t(runStart[r]),
                                 dealt.begin() + std::ptrdiff_t(runStart[r + 1]), order);
            for (std::size_t i = 0; i < dealt.size(); ++i)
                m_entries[i].reset(dealt[i].entry);
        }
    }
    if (focused) {
        for (int i = 0; i < GetEntryCount(); ++i) {
            if (m_entries[std::size_t(i)].get() == focused)
                m_focusedEntry = i;
        }
    }
}

void CCalendarViewCtrl::SetEntryTypeForItem(std::uint32_t recordId, int typeIndex, const QString &typeName,
                                            const CDateTime *movedStart)
{
    for (auto &e : m_entries) {
        if (e->GetItemRef() != recordId)
            continue;
        e->SetItemTypeIndex(typeIndex);
        e->SetItemTypeName(typeName);
        if (movedStart)
            e->SetNewStart(*movedStart);
    }
}

int CCalendarViewCtrl::FindEntry(std::uint32_t recordId, const CDateTime &occurrence) const
{
    for (int i = 0; i < GetEntryCount(); ++i) {
        const CDisplayItem *e = m_entries[std::size_t(i)].get();
        if (e->GetItemRef() == recordId && e->GetOccurrenceDate() == occurrence)
            return i;
    }
    return -1;
}

int CCalendarViewCtrl::CountDistinctItems() const
{
    const int n = GetEntryCount();
    if (n > 30)
        return n;
    int count = 0;
    for (int i = 0; i < n; ++i) {
        bool earlier = false;
        for (int j = 0; j < i && !earlier; ++j)
            earlier = m_entries[std::size_t(j)]->IsSame(*m_entries[std::size_t(i)]);
        count += earlier ? 0 : 1;
    }
    return count;
}

int CCalendarViewCtrl::CopyEntriesForCell(EntryList &out, int cell) const
{
    for (const auto &e : m_entries) {
        if (cell >= e->GetFirstCell() && cell <= e->GetLastCell())
            out.push_back(e->Clone());
    }
    return GetEntryCount();
}

bool CCalendarViewCtrl::GetEntryTipText(int index, QString &text) const
{
    const CDisplayItem *e = GetEntry(index);
    if (!e)
        return false;
    text = e->FormatCaption(ProgramSettings().detailedItems != 0);
    return true;
}

void CCalendarViewCtrl::Refresh(bool sort)
{
    if (sort)
        SortDisplayItems();
    LayoutEntries();
    OnEntriesChanged();
}

void CCalendarViewCtrl::OnEntriesChanged() {}

// ---- State ----

namespace {
// Applies `apply` to each entry `match` accepts, redrawing those whose state changed; true
// when `apply` reported a change for any of them.
template <class Match, class Apply>
bool UpdateEntryStates(CCalendarViewCtrl &view, bool redraw, Match match, Apply apply)
{
    bool any = false;
    for (int i = 0; i < view.GetEntryCount(); ++i) {
        CDisplayItem *e = view.GetEntry(i);
        if (!match(*e))
            continue;
        const std::uint32_t before = e->GetState();
        any = apply(*e) || any;
        if (redraw && e->GetState() != before)
            view.InvalidateEntry(i);
    }
    return any;
}

// Sets and clears state bits, and moves the entry when asked; a change of the focus bit alone
// does not count.
bool SetAndClearState(CDisplayItem &e, std::uint32_t set, std::uint32_t clear, const CDateTime *movedStart)
{
    const std::uint32_t before = e.GetState();
    e.SetState((before | set) & ~clear);
    if (movedStart)
        e.SetNewStart(*movedStart);
    return ((before ^ e.GetState()) & ~CDisplayItem::StateFocus) != 0;
}
} // namespace

bool CCalendarViewCtrl::SetAllItemStates(std::uint32_t value, std::uint32_t mask, bool redraw)
{
    return UpdateEntryStates(
        *this, redraw, [](const CDisplayItem &) { return true; },
        [&](CDisplayItem &e) { return e.SetStateBits(value, mask); });
}

bool CCalendarViewCtrl::SetItemState(std::uint32_t recordId, std::uint32_t value, std::uint32_t mask,
                                     bool redraw)
{
    return UpdateEntryStates(
        *this, redraw, [&](const CDisplayItem &e) { return e.GetItemRef() == recordId; },
        [&](CDisplayItem &e) { return e.SetStateBits(value, mask); });
}

bool CCalendarViewCtrl::SetOccurrenceState(std::uint32_t recordId, const CDateTime &occurrence,
                                           std::uint32_t value, std::uint32_t mask, bool redraw)
{
    return UpdateEntryStates(
        *this, redraw,
        [&](const CDisplayItem &e) {
            return e.GetItemRef() == recordId && e.GetOccurrenceDate() == occurrence;
        },
        [&](CDisplayItem &e) { return e.SetStateBits(value, mask); });
}

bool CCalendarViewCtrl::SetItemStateEx(std::uint32_t recordId, std::uint32_t set, std::uint32_t clear,
                                       bool redraw, const CDateTime *movedStart)
{
    return UpdateEntryStates(
        *this, redraw, [&](const CDisplayItem &e) { return e.GetItemRef() == recordId; },
        [&](CDisplayItem &e) { return SetAndClearState(e, set, clear, movedStart); });
}

bool CCalendarViewCtrl::SetOccurrenceStateEx(std::uint32_t recordId, const CDateTime &occurrence,
                                             std::uint32_t set, std::uint32_t clear, bool redraw,
                                             const CDateTime *movedStart)
{
    return UpdateEntryStates(
        *this, redraw,
        [&](const CDisplayItem &e) {
            return e.GetItemRef() == recordId && e.GetOccurrenceDate() == occurrence;
        },
        [&](CDisplayItem &e) { return SetAndClearState(e, set, clear, movedStart); });
}

int CCalendarViewCtrl::GetSelectedCount() const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(),
                             [](const auto &e) { return e->HasState(CDisplayItem::StateSelected); }));
}

int CCalendarViewCtrl::GetFirstSelectedEntry() const
{
    for (int i = 0; i < GetEntryCount(); ++i) {
        const std::uint32_t s = m_entries[std::size_t(i)]->GetState();
        if ((s & CDisplayItem::StateSelected) &&
            !(s & (CDisplayItem::StateDragged | CDisplayItem::StateHidden)))
            return i;
    }
    return -1;
}

bool CCalendarViewCtrl::IsSingleOccurrenceSelected() const
{
    const CDisplayItem *first = nullptr;
    for (const auto &e : m_entries) {
        if (!e->HasState(CDisplayItem::StateSelected))
            continue;
        if (!first)
            first = e.get();
        else if (!first->IsSame(*e))
            return false;
    }
    return first != nullptr;
}

int CCalendarViewCtrl::GetSelectedItems(EntryList &out) const
{
    int n = 0;
    for (int i = 0; i < GetEntryCount(); ++i) {
        const CDisplayItem &e = *m_entries[std::size_t(i)];
        if (!e.HasState(CDisplayItem::StateSelected))
            continue;
        bool earlier = false;
        for (int j = 0; j < i && !earlier; ++j)
            earlier = m_entries[std::size_t(j)]->HasState(CDisplayItem::StateSelected) &&
                      m_entries[std::size_t(j)]->IsSame(e);
        if (!earlier) {
            out.push_back(e.Clone());
            ++n;
        }
    }
    return n;
}

int CCalendarViewCtrl::GetDistinctItems(EntryList &out) const
{
    int n = 0;
    for (int i = 0; i < GetEntryCount(); ++i) {
        const CDisplayItem &e = *m_entries[std::size_t(i)];
        bool earlier = false;
        for (int j = 0; j < i && !earlier; ++j)
            earlier = m_entries[std::size_t(j)]->IsSame(e);
        if (!earlier) {
            out.push_back(e.Clone());
            ++n;
        }
    }
    return n;
}

CCalendarViewCtrl::SavedSelection CCalendarViewCtrl::SaveSelection(std::uint32_t recordId) const
{
    SavedSelection saved;
    for (const auto &e : m_entries) {
        if (recordId != 0 && e->GetItemRef() != recordId)
            continue;
        saved.entries.push_back({e->GetItemRef(), e->GetOccurrenceDate(), e->GetState() & kFocusSelected});
    }
    if (const CDisplayItem *f = GetEntry(m_focusedEntry)) {
        saved.hasFocus = true;
        saved.focusRecord = f->GetItemRef();
        saved.focusOccurrence = f->GetOccurrenceDate();
    }
    return saved;
}

void CCalendarViewCtrl::RestoreSelection(const SavedSelection &saved)
{
    for (const SavedState &s : saved.entries)
        SetOccurrenceState(s.recordId, s.occurrence, s.state, kFocusSelected, true);
    if (saved.hasFocus)
        m_focusedEntry = FindEntry(saved.focusRecord, saved.focusOccurrence);
}

// ---- Cells ----

void CCalendarViewCtrl::SetDayCount(int count)
{
    m_cellMarks.assign(std::size_t(std::max(0, count)), 0);
}

bool CCalendarViewCtrl::IsCellSelected(int cell) const
{
    return cell >= 0 && cell < GetDayCount() && (m_cellMarks[std::size_t(cell)] & 0x01) != 0;
}

int CCalendarViewCtrl::GetSelectedCellCount() const
{
    return int(
        std::count_if(m_cellMarks.begin(), m_cellMarks.end(), [](std::uint8_t m) { return m & 0x01; }));
}

int CCalendarViewCtrl::GetFirstSelectedCell() const
{
    for (int i = 0; i < GetDayCount(); ++i) {
        if (m_cellMarks[std::size_t(i)] & 0x01)
            return i;
    }
    if (const CDisplayItem *f = GetEntry(m_focusedEntry))
        return f->GetFirstCell();
    return 0;
}

void CCalendarViewCtrl::ClearSelectedCells()
{
    m_cellMarks.clear();
}

void CCalendarViewCtrl::DrawCellRange()
{
    InvalidateRange((m_keepCellRange || m_focusedEntry < 0) ? m_anchorCell : -1, m_currentCell, true);
}

// ---- Options ----

void CCalendarViewCtrl::LoadViewOptions()
{
    const QString section = GetConstString(m_sectionIndex);
    m_optionSCS = GetProfileInt(section, "SCS", 1);
    m_optionOS = GetProfileInt(section, "OS", 1);
    m_optionC = GetProfileInt(section, "C", 1);
    m_showTypeIcon = GetProfileInt(section, "SI", 0);
    m_showStatusIcons = GetProfileInt(section, "SS", 1);
    m_showStartTime = GetProfileInt(section, "ST", 0);
    m_showEndTime = GetProfileInt(section, "ET", 0);
    m_showItemType = GetProfileInt(section, "IT", 0);
    m_showCategories = GetProfileInt(section, "CG", 0);
    m_showNotes = GetProfileInt(section, "SN", 0);
    m_optionSWD = GetProfileInt(section, "SWD", 0);
    // More than 256 colours is a given on every display this program runs on.
    m_gradient = GetProfileInt(GetConstString(33), "UG", 1) != 0 && GetProfileInt(section, "UG", 1) != 0;
    LoadViewColors();
}

void CCalendarViewCtrl::LoadViewColors()
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const auto stored = std::uint32_t(GetProfileInt(GetConstString(m_sectionIndex), "CB3", int(0xFF000000u)));
    m_backgroundColour = (stored == 0xFF000000u || stored == 0xFFFFFFFFu) ? colors.viewBackground : stored;
    m_secondColour = colors.secondary;
}

bool CCalendarViewCtrl::LoadFonts(bool)
{
    return true;
}

void CCalendarViewCtrl::ReloadOptions()
{
    LoadFonts(true);
    LoadViewOptions();
    LoadViewColors();
}

void CCalendarViewCtrl::SetFonts(const QFont &item, const QFont &completed, const QFont &third)
{
    m_fonts[0] = item;
    m_fonts[1] = completed;
    m_fonts[2] = third;
}

// ---- Requests ----

void CCalendarViewCtrl::SetDate(const CDateTime &)
{
    RemoveAllEntries();
}

void CCalendarViewCtrl::Reset()
{
    RemoveAllEntries();
}

void CCalendarViewCtrl::UpdateToday() {}

CDateTime CCalendarViewCtrl::GetFocusDate() const
{
    return CDateTime();
}

int CCalendarViewCtrl::GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const
{
    const bool nothingSelected = GetSelectedCount() == 0;
    if (!fromKeyboard) {
        if (EntryFromPoint(point) < 0)
            return 3;
        if (nothingSelected)
            return 4;
    } else if (nothingSelected) {
        return 3;
    }
    const CDisplayItem *first = GetEntry(GetFirstSelectedEntry());
    return first && first->GetKind() == CDisplayItem::KindTask ? 9 : 4;
}

void CCalendarViewCtrl::NotifyContainer(int code)
{
    if (!m_container)
        return;
    CNotifyRecord record;
    record.code = code;
    record.controlId = 0;
    m_container->OnNotify(record);
}

bool CCalendarViewCtrl::PreviewKey(int key, int modifiers)
{
    return CCustomWnd::NotifyKeyDown(nullptr, 0, m_container, key, modifiers) != 0;
}

void CCalendarViewCtrl::RequestNewItem()
{
    if (m_container)
        m_container->SendCommand(kCmdNewItem);
}

void CCalendarViewCtrl::RequestOpenItem()
{
    if (m_container)
        m_container->SendCommand(kCmdOpenItem);
}

void CCalendarViewCtrl::InvalidateAll()
{
    Invalidate(QRect());
}

bool CCalendarViewCtrl::IsReadOnly() const
{
    return !m_container || m_container->IsDataReadOnly();
}

void CCalendarViewCtrl::Invalidate(const QRect &rect)
{
    if (m_host)
        m_host->Invalidate(rect);
}

void CCalendarViewCtrl::Beep()
{
    if (m_host)
        m_host->Beep();
}

bool CCalendarViewCtrl::HasCapture() const
{
    return m_host && m_host->HasCapture();
}

void CCalendarViewCtrl::SetCapture(bool on)
{
    if (m_host)
        m_host->SetCapture(on);
}

int CCalendarViewCtrl::DragThreshold()
{
    return std::max(3, QApplication::startDragDistance());
}

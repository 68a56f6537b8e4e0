// Moving and copying dragged entries: every drag inside a view, resize, drop on another view or
// on a Date Navigator day. Each entry changes the item itself, one occurrence of a series or one
// instance of a recurring task, and everything is written through the document. The first
// failure ends the run after one report, and the entries not yet done are drawn where they were.
#include "containers/base/ContainerDocument.h"
#include "containers/base/ContainerStrings.h"
#include "containers/base/ViewContainer.h"
#include "containers/base/ViewKinds.h"
#include "core/dates/DateRules.h"
#include "core/document/CalendarDocument.h"
#include "core/document/MessagePort.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/system/AppSettings.h"
#include "core/system/Messages.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/base/CustomWnd.h"
#include "views/base/DragState.h"

namespace {
constexpr std::uint32_t kRestoreMask = 0x07;
constexpr std::uint32_t kPatternHasEnd = 0x2000000;

// Whole seconds: drag arithmetic in day fractions leaves crumbs below a second.
CDateTime ToWholeSeconds(const CDateTime &t)
{
    CDateTime::Parts p;
    if (!t.GetParts(p))
        return t;
    return CDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second);
}

bool HasDate(const CDateTime &d)
{
    return d.IsValid() && d.Value() != 0.0;
}

// The drag items again from the dragged display entries, one per occurrence.
void RebuildDragItems(CDragState &drag)
{
    if (drag.draggedEntries.empty())
        return;
    drag.dragItems.clear();
    for (std::size_t i = 0; i < drag.draggedEntries.size(); ++i) {
        const CDisplayItem *e = drag.draggedEntries[i];
        bool earlier = false;
        for (std::size_t j = 0; j < i && !earlier; ++j)
            earlier = drag.draggedEntries[j]->IsSame(*e);
        if (earlier)
            continue;
        CDragItem item(*e);
        if (!HasDate(item.movedStart))
            item.movedStart = item.start;
        drag.dragItems.push_back(item);
    }
}

// A copy to be stored as a new record of its own.
void MakeDuplicate(CCalendarItem &item)
{
    item.SetRecordId(0);
    item.SetKeepMark(0);
    item.SetReservedValue(0);
    item.SetUniqueId(QString());
}

bool NextDueDate(const CTaskItem &task, CDateTime &next)
{
    return task.GetNextDueDate(GetToday().Value() != 0.0 ? GetToday() : GetNow().DatePart(), next);
}
} // namespace

bool CViewContainer::MoveItems(CCalendarViewCtrl *targetView, bool confirm, int effect, CDragState &drag,
                               const CDateTime &dropDate)
{
    const bool move = effect == kDropEffectMove;
    if (IsDataReadOnly()) {
        CCalendarDocument::ShowReadOnlyMessage();
        return false;
    }
    CCalendarViewCtrl *view = targetView ? targetView : GetViewCtrl();
    if (!view || !m_document)
        return false;
    if (move && confirm && !drag.dragItems.empty() && ProgramSettings().confirmMove) {
        const QString text = drag.dragItems.size() == 1
                                 ? ContainerText::WithSubject(58031, drag.dragItems.front().text)
                                 : ContainerText::WithCount(58032, int(drag.dragItems.size()));
        if (ContainerText::Ask(text, this) != MessageResult::Yes)
            return false;
    }
    const bool hasDrop = HasDate(dropDate);
    CDateSpan offset(0.0);
    if (hasDrop) {
        offset = dropDate - GetCurrentDate();
        if (move && offset.Value() == 0.0)
            return false;
        RebuildDragItems(drag);
    }
    const bool inView = drag.sourceView && drag.sourceView == view;
    ITaskPadPort *taskPad = Context().taskPad;
    const bool fromTaskPad = drag.sourceView && taskPad && taskPad->GetListView() == drag.sourceView;

    const std::vector<CDragItem> items = drag.dragItems;
    const auto restore = [&](const CDragItem &item) {
        view->SetOccurrenceState(item.recordId, item.occurrenceDate, 0, kRestoreMask, true);
    };
    int unchanged = 0;
    const CDragItem *unchangedItem = nullptr;
    bool changedAny = false;
    // Ends the run after a failure: one report, and this entry and the rest are drawn where
    // they were. The result tells whether anything was changed before.
    const auto fail = [&](HRESULT hr, std::size_t from) {
        ReportError(hr, this);
        for (std::size_t j = from; j < items.size(); ++j)
            restore(items[j]);
        UpdateDetailsPane(false);
        return changedAny;
    };

    for (std::size_t i = 0; i < items.size(); ++i) {
        const CDragItem &item = items[i];
        const bool oneOccurrence = (item.flags & CDragItem::FlagOneOccurrence) != 0;

        if (item.kind == CDisplayItem::KindEvent) {
            CDateTime newStart = ToWholeSeconds(item.movedStart);
            if (inView &&
                (drag.mode == CDragState::ModeResizeStart || drag.mode == CDragState::ModeResizeEnd) &&
                i < drag.draggedEntries.size()) {
                const CDisplayItem *e = drag.draggedEntries[i];
                if (e->GetOccurrenceDate() == newStart && (e->GetEnd() - e->GetStart()) == item.duration) {
                    restore(item);
                    continue;
                }
            }
            if (hasDrop)
                newStart = ToWholeSeconds(newStart + offset);
            auto event = std::make_unique<CEventItem>(item.recordId);
            HRESULT hr = m_document->LoadEvent(*event);
            if (hr != S_OK)
                return fail(hr, i);
            const bool seriesItem = event->IsRecurring();
            if (move && event->HasFlag(CCalendarItem::FlagLocked)) {
                restore(item);
                ++unchanged;
                unchangedItem = &item;
                continue;
            }
            if (move && seriesItem && !oneOccurrence) {
                // Only one occurrence of a series is ever moved; the series keeps its pattern.
                restore(item);
                continue;
            }
            if (move && seriesItem) {
                CRecurrenceException *exception = event->GetException(item.occurrenceDate, true);
                if (!exception)
                    return fail(E_OUT_OF_MEMORY, i);
                exception->newStart = newStart;
                exception->duration = item.duration;
                int check = event->ValidateMovedOccurrence(*exception, false);
                if (check == 3) {
                    if (ContainerText::AskOkCancel(ContainerText::WithSubject(59221, event->GetSubject()),
                                                   this) != MessageResult::Ok) {
                        restore(item);
                        continue;
                    }
                    exception->reminderLead = CDateSpan(0.0);
                    check = event->ValidateMovedOccurrence(*exception, true);
                    if (check == 3) {
                        restore(item);
                        continue;
                    }
                }
                if (check == 1 || check == 2 || check == 4) {
                    const int id = check == 1 ? 59214 : check == 2 ? 59222 : 59215;
                    ContainerText::Warn(ContainerText::WithSubject(id, event->GetSubject()), this);
                    restore(item);
                    continue;
                }
                if (event->HasFlag(CCalendarItem::FlagSnoozed) &&
                    event->GetSnoozedOccurrence() == item.occurrenceDate)
                    event->ClearSnooze();
                exception->SetModifiedTime(GetNow());
                hr = m_document->StoreEvent(*event);
            } else {
                if (!move && oneOccurrence && seriesItem) {
                    if (const CRecurrenceException *exception =
                            event->GetException(item.occurrenceDate, false)) {
                        const CRecurrenceException copy = *exception;
                        if (copy.HasOwnReminder())
                            event->SetReminder(true, copy.reminderLead);
                        else
                            event->ClearReminder();
                        if (copy.overrideFlags & CRecurrenceException::OverrideSubject)
                            event->SetSubject(copy.subject);
                        if (copy.overrideFlags & CRecurrenceException::OverrideLocation)
                            event->SetLocation(copy.location);
                        if (copy.overrideFlags & CRecurrenceException::OverrideNotes)
                            event->SetNotes(copy.notes);
                    }
                }
                if (seriesItem)
                    event->RemoveRecurrence();
                event->SetStart(newStart);
                event->SetDuration(item.duration);
                if (move) {
                    event->ClearSnooze();
                } else {
                    MakeDuplicate(*event);
                }
                hr = m_document->StoreEvent(*event);
            }
            if (hr == QV_E_ALREADY_OPEN) {
                restore(item);
                continue;
            }
            if (hr != S_OK)
                return fail(hr, i);
            changedAny = true;
            if (seriesItem && move)
                RemoveItemEntries(item.recordId);
            ShowStoredItem(std::move(event));
            continue;
        }

        if (item.kind != CDisplayItem::KindTask)
            continue;

        if (m_kind == ViewKind::Tasks) {
            // The task view shows tasks without their dates: a move keeps the task as it is
            // (the drag source does not delete it), only a copy adds a new one.
            if (move) {
                restore(item);
                continue;
            }
            auto task = std::make_unique<CTaskItem>(item.recordId);
            HRESULT hr = m_document->LoadTask(*task);
            if (hr != S_OK)
                return fail(hr, i);
            MakeDuplicate(*task);
            task->ClearSnooze();
            hr = m_document->StoreTask(*task);
            if (hr == QV_E_ALREADY_OPEN) {
                restore(item);
                continue;
            }
            if (hr != S_OK)
                return fail(hr, i);
            changedAny = true;
            ShowStoredItem(std::move(task));
            continue;
        }
        if (drag.sourceView && drag.sourceView != view && view->GetViewKind() == 1 &&
            drag.sourceViewKind == 2) {
            restore(item);
            continue;
        }
        CDateTime base = item.movedStart;
        if (hasDrop)
            base = fromTaskPad ? dropDate.DatePart() : base + offset;
        base = ToWholeSeconds(base);
        auto task = std::make_unique<CTaskItem>(item.recordId);
        HRESULT hr = m_document->LoadTask(*task);
        if (hr != S_OK)
            return fail(hr, i);
        if (move && task->HasFlag(CCalendarItem::FlagLocked)) {
            restore(item);
            ++unchanged;
            unchangedItem = &item;
            continue;
        }
        const bool seriesItem = task->IsRecurring();
        CDateTime newDue = base + item.duration;
        AddDays(newDue, -1);
        newDue = newDue.DatePart();
        const CDateTime oldDue = task->GetDueDate();
        const bool hadDue = task->HasDueDate();
        const auto shiftReminder = [&](CTaskItem &t) {
            if (t.HasFlag(CCalendarItem::FlagReminder) && hadDue)
                t.SetReminderTime(t.GetReminderTime() + (newDue - oldDue));
        };
        std::unique_ptr<CTaskItem> splitOff;
        if (move && seriesItem && !task->HasFlag(CTaskItem::TF_SERIES_CLOSED)) {
            CDateTime next;
            const bool last =
                !NextDueDate(*task, next) ||
                ((task->GetRecurrenceFlags() & kPatternHasEnd) != 0 && task->GetPatternEnd() < next);
            if (last) {
                // The last instance (also one with no next due date): the series ends here.
                task->SetFlag(CTaskItem::TF_SERIES_CLOSED, true);
                shiftReminder(*task);
                task->SetDueDate(newDue);
                if (task->HasStartDate())
                    task->SetStartDate(base);
                task->ClearSnooze();
                hr = m_document->StoreTask(*task);
            } else {
                splitOff = std::make_unique<CTaskItem>(*task);
                splitOff->SetFlag(CTaskItem::TF_SERIES_CLOSED, true);
                splitOff->SetRecordId(0);
                shiftReminder(*splitOff);
                splitOff->SetDueDate(newDue);
                if (splitOff->HasStartDate())
                    splitOff->SetStartDate(base);
                splitOff->SetUniqueId(QString());
                splitOff->SetReservedValue(0);
                task->SetKeepMark(0);
                hr = m_document->StoreTask(*splitOff);
                if (hr == S_OK) {
                    if (Context().mainWindow)
                        Context().mainWindow->TaskChanged(*splitOff);
                    task->MoveToDueDate(next);
                    hr = m_document->StoreTask(*task);
                }
            }
        } else {
            if (!move)
                task->RemoveRecurrence();
            shiftReminder(*task);
            task->SetDueDate(newDue);
            if (task->HasStartDate())
                task->SetStartDate(base);
            if (move) {
                task->ClearSnooze();
            } else {
                MakeDuplicate(*task);
            }
            hr = m_document->StoreTask(*task);
        }
        if (hr == QV_E_ALREADY_OPEN) {
            restore(item);
            continue;
        }
        if (hr != S_OK)
            return fail(hr, i);
        changedAny = true;
        if (move)
            RemoveItemEntries(item.recordId);
        for (CTaskItem *shown : {splitOff.get(), task.get()}) {
            if (!shown)
                continue;
            ShowStoredItem(std::make_unique<CTaskItem>(*shown));
            if (ViewKind::HasTaskPad(m_kind) && taskPad)
                taskPad->UpdateTask(*shown);
        }
        if (Context().mainWindow)
            Context().mainWindow->TaskChanged(*task);
    }

    if (unchanged > 0) {
        if (inView) {
            view->RemoveEntriesMatching(CDisplayItem::StateDragged);
            view->RemoveEntriesOfRecord(0);
            RefreshViews(true);
        }
        const CDragItem *one = unchanged == 1 && items.size() == 1 ? unchangedItem : nullptr;
        const int oneId = move ? 61276 : 61282;
        const int someId = move ? 61277 : 61281;
        ContainerText::Warn(one ? ContainerText::WithSubject(oneId, one->text) : ContainerText::Load(someId),
                            this);
        UpdateDetailsPane(false);
        return true;
    }
    if (!targetView && drag.sourceViewKind == ViewKind::Tasks)
        RefreshViews(true);
    UpdateDetailsPane(false);
    return true;
}

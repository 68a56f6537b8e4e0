// The container's message map and its item operations: open, properties, delete, change type,
// convert, lock, complete, new items, navigation and the view's dialogs.
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
#include "core/lists/ItemType.h"
#include "core/lists/ItemTypeList.h"
#include "core/system/AppSettings.h"
#include "core/system/Messages.h"
#include "views/base/CalendarViewCtrl.h"

#include <algorithm>

namespace {

// Changing commands pass over locked entries, counted for one report afterwards, and private
// entries silently.
struct UnchangeableTally
{
    int locked = 0;
    const CDisplayItem *lockedEntry = nullptr;

    bool Skips(const CDisplayItem &entry)
    {
        if (entry.HasFlag(CDisplayItem::FlagLocked)) {
            ++locked;
            lockedEntry = &entry;
            return true;
        }
        return entry.IsPrivate();
    }
};
constexpr std::uint32_t kEntryRecurring = CDisplayItem::FlagRecurring;
constexpr std::uint32_t kEntryOccurrence = CDisplayItem::FlagChanged; // the views' 0x02
constexpr std::uint32_t kPatternHasEnd = 0x2000000;

bool IsTaskPadCommand(int id)
{
    switch (id) {
    case 34750:
    case 34760:
    case 34753:
    case 34756:
    case 34755:
    case 34757:
    case 34787:
    case 34786:
        return true;
    default:
        return false;
    }
}

// The day the next instance of a recurring task falls due: a regenerating task counts from
// today. False when there is none.
bool NextDueDate(const CTaskItem &task, CDateTime &next)
{
    return task.GetNextDueDate(GetToday().Value() != 0.0 ? GetToday() : GetNow().DatePart(), next);
}

// The series ends before its next instance: the dragged or deleted one is its last.
bool SeriesEndsBefore(const CTaskItem &task, const CDateTime &next)
{
    return (task.GetRecurrenceFlags() & kPatternHasEnd) != 0 && task.GetPatternEnd() < next;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// Open and properties

void CViewContainer::OpenItem(const CDisplayItem &entry)
{
    if (!m_document)
        return;
    IContainerPrompts *prompts = Context().prompts;
    const bool shift = prompts && prompts->IsShiftHeld();
    const bool readOnly = IsDataReadOnly();
    const AppSettings &options = ProgramSettings();
    auto holder = std::make_unique<CItemRef>();
    holder->SetRecordId(entry.GetItemRef());
    HRESULT hr = S_OK;
    bool newException = false;

    if (entry.GetKind() == CDisplayItem::KindTask) {
        bool occurrence = true;
        if (entry.HasFlag(kEntryRecurring) && !entry.HasFlag(kEntryOccurrence) &&
            !entry.HasFlag(CDisplayItem::FlagCompleted)) {
            occurrence = !shift;
            if (!shift && options.askOccurrenceOnOpenTask && prompts) {
                const OccurrenceChoice choice =
                    prompts->AskOccurrenceOrSeries(CDisplayItem::KindTask, 0, entry.GetSubject(), this);
                if (choice == OccurrenceChoice::Cancel)
                    return;
                occurrence = choice == OccurrenceChoice::Occurrence;
            }
        }
        CTaskItem *task = holder->NewTask();
        task->SetRecordId(entry.GetItemRef());
        hr = m_document->LoadTask(*task);
        if (hr == S_OK && readOnly && entry.GetStamp().Value() != 0.0 &&
            task->GetModified() != entry.GetStamp())
            hr = QV_E_ITEM_LOAD;
        if (hr == S_OK) {
            if (occurrence && task->IsRecurring())
                task->SetRecordId(0);
            if (Context().editors)
                Context().editors->OpenTask(std::move(holder), this, readOnly);
            return;
        }
    } else if (entry.GetKind() == CDisplayItem::KindEvent) {
        bool occurrence = false;
        if (entry.HasFlag(kEntryRecurring)) {
            if (m_kind == ViewKind::Search) {
                occurrence = entry.HasFlag(kEntryOccurrence);
            } else if (m_kind != ViewKind::EventList) {
                occurrence = !shift;
                if (!shift && options.askOccurrenceOnOpen && prompts) {
                    const OccurrenceChoice choice =
                        prompts->AskOccurrenceOrSeries(CDisplayItem::KindEvent, 0, entry.GetSubject(), this);
                    if (choice == OccurrenceChoice::Cancel)
                        return;
                    occurrence = choice == OccurrenceChoice::Occurrence;
                }
            }
        }
        CEventItem *event = holder->NewEvent();
        event->SetRecordId(entry.GetItemRef());
        hr = m_document->LoadEvent(*event);
        if (hr == S_OK && readOnly && entry.GetStamp().Value() != 0.0 &&
            event->GetModified() != entry.GetStamp())
            hr = QV_E_ITEM_LOAD;
        if (hr == S_OK && occurrence) {
            const CDateTime key = entry.GetOccurrenceDate();
            event->SetRecordId(0);
            holder->SetOneOccurrence(true);
            holder->SetOccurrenceDate(key);
            CRecurrenceException *exception = event->GetException(key, false);
            if (exception && exception->IsDeleted()) {
                hr = QV_E_ITEM_LOAD;
            } else if (!exception) {
                exception = event->GetException(key, true);
                if (!exception)
                    hr = E_OUT_OF_MEMORY;
                newException = true;
            }
        }
        if (hr == S_OK) {
            if (!occurrence)
                event->SetRecordId(holder->GetRecordId());
            if (Context().editors)
                Context().editors->OpenEvent(std::move(holder), this, readOnly, newException, false);
            return;
        }
    } else {
        hr = QV_E_16;
    }
    ReportError(hr, this);
}

void CViewContainer::ShowItemProperties(const CDisplayItem &entry)
{
    if (!m_document)
        return;
    auto holder = std::make_unique<CItemRef>();
    holder->SetRecordId(entry.GetItemRef());
    HRESULT hr = QV_E_16;
    if (entry.GetKind() == CDisplayItem::KindEvent) {
        CEventItem *event = holder->NewEvent();
        event->SetRecordId(entry.GetItemRef());
        hr = m_document->LoadEvent(*event);
    } else if (entry.GetKind() == CDisplayItem::KindTask) {
        CTaskItem *task = holder->NewTask();
        task->SetRecordId(entry.GetItemRef());
        hr = m_document->LoadTask(*task);
    }
    if (hr != S_OK) {
        ReportError(hr, nullptr);
        return;
    }
    if (Context().editors)
        Context().editors->ShowProperties(std::move(holder), this);
}

// ---------------------------------------------------------------------------------------------
// Delete

HRESULT CViewContainer::DeleteOneEntry(CDisplayItem &entry, bool interactive, QWidget *parent, bool &deleted,
                                       bool &wholeItem, bool &changedTaskPad)
{
    deleted = false;
    wholeItem = false;
    const std::uint32_t id = entry.GetItemRef();
    const bool keep = entry.HasFlag(CDisplayItem::FlagKeepMark);
    const bool recurring = entry.HasFlag(kEntryRecurring);
    const CDateTime occurrence = entry.GetOccurrenceDate();
    int changed = 0;
    HRESULT hr = S_OK;

    if (entry.GetKind() == CDisplayItem::KindEvent) {
        bool oneOccurrence = false;
        if (!recurring) {
            hr = m_document->DeleteEvent(id, keep);
        } else if (m_kind == ViewKind::EventList || m_kind == ViewKind::Search) {
            if (entry.HasFlag(kEntryOccurrence)) {
                oneOccurrence = true;
            } else if (interactive &&
                       ContainerText::Ask(ContainerText::WithSubject(61223, entry.GetSubject()), parent) !=
                           MessageResult::Yes) {
                return S_OK;
            }
            hr = oneOccurrence ? m_document->DeleteOccurrence(id, occurrence)
                               : m_document->DeleteEvent(id, keep);
        } else {
            oneOccurrence = true;
            if (interactive) {
                IContainerPrompts *prompts = Context().prompts;
                const OccurrenceChoice choice =
                    prompts ? prompts->AskOccurrenceOrSeries(CDisplayItem::KindEvent, 1, entry.GetSubject(),
                                                             parent)
                            : OccurrenceChoice::Cancel;
                if (choice == OccurrenceChoice::Cancel)
                    return S_OK;
                oneOccurrence = choice == OccurrenceChoice::Occurrence;
            }
            hr = oneOccurrence ? m_document->DeleteOccurrence(id, occurrence)
                               : m_document->DeleteEvent(id, keep);
        }
        if (hr != S_OK)
            return hr;
        deleted = true;
        wholeItem = !oneOccurrence;
        changed = MarkItemRemoved(id, oneOccurrence ? &occurrence : nullptr, false);
    } else if (entry.GetKind() == CDisplayItem::KindTask) {
        if (recurring && !entry.HasFlag(kEntryOccurrence) && interactive) {
            IContainerPrompts *prompts = Context().prompts;
            const OccurrenceChoice choice =
                prompts
                    ? prompts->AskOccurrenceOrSeries(CDisplayItem::KindTask, 1, entry.GetSubject(), parent)
                    : OccurrenceChoice::Cancel;
            if (choice == OccurrenceChoice::Cancel)
                return S_OK;
            if (choice == OccurrenceChoice::Occurrence) {
                auto task = std::make_unique<CTaskItem>(id);
                hr = m_document->LoadTask(*task);
                if (hr != S_OK)
                    return hr;
                CDateTime next;
                const bool last = !task->IsRecurring() || task->HasFlag(CTaskItem::TF_SERIES_CLOSED) ||
                                  !NextDueDate(*task, next) || SeriesEndsBefore(*task, next);
                if (!last) {
                    // This instance is done with: the series moves on to its next one.
                    task->MoveToDueDate(next);
                    hr = m_document->StoreTask(*task);
                    if (hr != S_OK)
                        return hr;
                    changed = RemoveItemFromViews(id, nullptr, false);
                    if (ShowStoredItem(std::make_unique<CTaskItem>(*task)))
                        changed |= ChangedView;
                    if (ViewKind::HasTaskPad(m_kind) && Context().taskPad &&
                        Context().taskPad->AddTask(*task))
                        changed |= ChangedTaskPad;
                    changedTaskPad = changedTaskPad || (changed & ChangedTaskPad);
                    return S_OK;
                }
                // The last instance (also when no next due date can be found): the task goes.
                hr = m_document->DeleteTask(id, task->GetKeepMark() != 0 || keep);
                if (hr != S_OK)
                    return hr;
                deleted = wholeItem = true;
                changed = MarkItemRemoved(id, nullptr, false);
                changedTaskPad = changedTaskPad || (changed & ChangedTaskPad);
                return S_OK;
            }
        }
        hr = m_document->DeleteTask(id, keep);
        if (hr != S_OK)
            return hr;
        deleted = wholeItem = true;
        changed = MarkItemRemoved(id, nullptr, false);
    }
    changedTaskPad = changedTaskPad || (changed & ChangedTaskPad);
    return S_OK;
}

int CViewContainer::DeleteItems(const EntryList &entries, bool refresh, bool interactive, QWidget *parent)
{
    if (IsDataReadOnly()) {
        Beep();
        return 0;
    }
    UnchangeableTally skipped;
    int deletedCount = 0;
    bool taskPadChanged = false;
    std::vector<std::uint32_t> goneItems[3]; // by kind: items deleted whole in this run
    for (CDisplayItem *entry : entries) {
        if (!entry || entry->HasState(CDisplayItem::StateRemoved))
            continue;
        const int kind = std::clamp(entry->GetKind(), 0, 2);
        if (std::find(goneItems[kind].begin(), goneItems[kind].end(), entry->GetItemRef()) !=
            goneItems[kind].end()) {
            // Another entry of the same item took it away already.
            if (!refresh)
                entry->SetState(entry->GetState() | CDisplayItem::StateRemoved);
            continue;
        }
        if (skipped.Skips(*entry))
            continue;
        bool deleted = false, wholeItem = false;
        const HRESULT hr = DeleteOneEntry(*entry, interactive, parent, deleted, wholeItem, taskPadChanged);
        if (hr != S_OK) {
            ReportError(hr, parent);
            break;
        }
        if (deleted) {
            ++deletedCount;
            if (wholeItem)
                goneItems[kind].push_back(entry->GetItemRef());
            if (!refresh)
                entry->SetState(entry->GetState() | CDisplayItem::StateRemoved);
        }
    }
    CCalendarViewCtrl *view = GetViewCtrl();
    bool viewChanged = false;
    if (view)
        for (const auto &e : view->GetEntries())
            viewChanged = viewChanged || e->HasState(CDisplayItem::StateRemoved);
    FinishRemoval((viewChanged ? ChangedView : 0) | (taskPadChanged ? ChangedTaskPad : 0), refresh);
    UpdateCountPane();
    if (skipped.locked)
        ReportLocked(skipped.locked, entries.size() == 1 ? skipped.lockedEntry : nullptr, interactive, 61259, 61261, parent);
    return deletedCount;
}

void CViewContainer::FinishRemoval(int changed, bool refresh)
{
    CCalendarViewCtrl *view = GetViewCtrl();
    if ((changed & ChangedView) && view) {
        RemoveEntriesWithStates(CDisplayItem::StateRemoved);
        view->SetFocusedEntry(-1);
        RefreshViews(true);
        UpdateDetailsPane(false);
    }
    ITaskPadPort *taskPad = Context().taskPad;
    if ((changed & ChangedTaskPad) && taskPad && ViewKind::HasTaskPad(m_kind)) {
        taskPad->RemoveMarked();
        taskPad->Refresh(refresh);
    }
}

void CViewContainer::ReportLocked(int lockedCount, const CDisplayItem *lockedEntry, bool interactive,
                                  int oneId, int someId, QWidget *parent) const
{
    if (lockedCount == 0)
        return;
    if (!interactive) {
        Beep();
        return;
    }
    ContainerText::Warn(lockedEntry ? ContainerText::WithSubject(oneId, lockedEntry->GetSubject())
                                    : ContainerText::Load(someId),
                        parent);
}

// ---------------------------------------------------------------------------------------------
// Change type, convert, lock, complete

void CViewContainer::ChangeItemsType(int typeIndex, const EntryList &entries, bool refresh, QWidget *parent)
{
    CCalendarViewCtrl *view = GetViewCtrl();
    const CItemTypeList *types = m_document ? m_document->GetItemTypes() : nullptr;
    const CItemType *type = types ? types->GetType(typeIndex) : nullptr;
    if (!view || !type || IsDataReadOnly())
        return;
    WaitCursor(true);
    UnchangeableTally skipped;
    bool viewMarked = false;
    bool taskPadMarked = false;
    ITaskPadPort *taskPad = ViewKind::HasTaskPad(m_kind) ? Context().taskPad : nullptr;
    for (CDisplayItem *entry : entries) {
        if (!entry || entry->HasState(CDisplayItem::StateRemoved) || entry->GetItemTypeIndex() == typeIndex)
            continue;
        if (skipped.Skips(*entry))
            continue;
        const std::uint32_t id = entry->GetItemRef();
        std::unique_ptr<CCalendarItem> item;
        HRESULT hr = QV_E_16;
        if (entry->GetKind() == CDisplayItem::KindEvent) {
            auto event = std::make_unique<CEventItem>(id);
            hr = m_document->LoadEvent(*event);
            if (hr == S_OK) {
                event->SetItemTypeIndex(typeIndex);
                event->SetItemTypeName(type->GetName());
                hr = m_document->StoreEvent(*event);
            }
            item = std::move(event);
        } else if (entry->GetKind() == CDisplayItem::KindTask) {
            auto task = std::make_unique<CTaskItem>(id);
            hr = m_document->LoadTask(*task);
            if (hr == S_OK) {
                task->SetItemTypeIndex(typeIndex);
                task->SetItemTypeName(type->GetName());
                hr = m_document->StoreTask(*task);
            }
            item = std::move(task);
        }
        if (hr != S_OK) {
            ReportError(hr, parent);
            break;
        }
        const bool passes = m_filter.MatchesItem(*item);
        if (passes) {
            UpdateItemTypeEntries(id, typeIndex, type->GetName());
            if (!refresh) {
                entry->SetItemTypeIndex(typeIndex);
                entry->SetItemTypeName(type->GetName());
                entry->SetStamp(item->GetModified());
            }
        } else {
            viewMarked = SetItemStates(id, CDisplayItem::StateRemoved, CDisplayItem::StateRemoved, false) ||
                         viewMarked;
            if (!refresh)
                entry->SetState(entry->GetState() | CDisplayItem::StateRemoved);
        }
        if (taskPad && item->GetKind() == CCalendarItem::KindTask) {
            if (!taskPad->IsFiltering() || passes)
                taskPad->UpdateTask(*static_cast<const CTaskItem *>(item.get()));
            else
                taskPadMarked = taskPad->MarkRemoved(id) || taskPadMarked;
        }
    }
    if (taskPadMarked) {
        taskPad->RemoveMarked();
        taskPad->Refresh(refresh);
    }
    if (viewMarked) {
        RemoveEntriesWithStates(CDisplayItem::StateRemoved);
        view->SetFocusedEntry(-1);
        RefreshViews(true);
        if (refresh)
            view->NotifyContainer(kNotifySelectionChanged);
        UpdateCountPane();
    } else {
        RefreshViews(false);
        update();
        if (refresh)
            UpdateDetailsPane(false);
    }
    WaitCursor(false);
    if (skipped.locked)
        ReportLocked(skipped.locked, entries.size() == 1 ? skipped.lockedEntry : nullptr, true, 61276, 61277, parent);
}

void CViewContainer::ConvertEventsToTasks(const EntryList &entries, bool withDueDates, bool refresh,
                                          bool interactive, QWidget *parent)
{
    if (IsDataReadOnly()) {
        Beep();
        return;
    }
    UnchangeableTally skipped;
    bool taskAdded = false;
    std::uint32_t lastTaskId = 0;
    ITaskPadPort *taskPad = ViewKind::HasTaskPad(m_kind) ? Context().taskPad : nullptr;
    for (CDisplayItem *entry : entries) {
        if (!entry || entry->HasState(CDisplayItem::StateRemoved) ||
            entry->GetKind() != CDisplayItem::KindEvent)
            continue;
        if (skipped.Skips(*entry))
            continue;
        const std::uint32_t id = entry->GetItemRef();
        CEventItem event(id);
        HRESULT hr = m_document->LoadEvent(event);
        auto task = std::make_unique<CTaskItem>();
        if (hr == S_OK) {
            if (entry->HasFlag(kEntryRecurring))
                task->CopyFromItem(event, entry->GetOccurrenceDate());
            else
                task->CopyFromItem(event);
            if (!withDueDates)
                task->SetFlags(task->GetFlags() & ~(CTaskItem::TF_HAS_DUE | CTaskItem::TF_HAS_START));
            task->SetRecordId(0);
            hr = m_document->StoreTask(*task);
        }
        // The event goes only once its task is stored.
        if (hr == S_OK)
            hr = m_document->DeleteEvent(id, entry->HasFlag(CDisplayItem::FlagKeepMark));
        if (hr != S_OK) {
            ReportError(hr, parent);
            break;
        }
        if (taskPad)
            taskAdded = taskPad->AddTask(*task) || taskAdded;
        lastTaskId = task->GetRecordId();
        ReplaceConvertedEntry(*entry, id, std::move(task), refresh);
    }
    FinishConversion(entries.size(), lastTaskId, true, taskAdded, refresh, interactive, skipped.locked,
                     skipped.lockedEntry, parent);
}

void CViewContainer::ConvertTasksToEvents(const EntryList &entries, bool refresh, bool interactive,
                                          QWidget *parent)
{
    if (IsDataReadOnly()) {
        Beep();
        return;
    }
    UnchangeableTally skipped;
    bool taskPadChanged = false;
    std::uint32_t lastEventId = 0;
    ITaskPadPort *taskPad = ViewKind::HasTaskPad(m_kind) ? Context().taskPad : nullptr;
    for (CDisplayItem *entry : entries) {
        if (!entry || entry->HasState(CDisplayItem::StateRemoved) ||
            entry->GetKind() != CDisplayItem::KindTask)
            continue;
        if (skipped.Skips(*entry))
            continue;
        const std::uint32_t id = entry->GetItemRef();
        CTaskItem task(id);
        HRESULT hr = m_document->LoadTask(task);
        auto event = std::make_unique<CEventItem>();
        if (hr == S_OK) {
            event->CopyFromItem(task);
            event->SetRecordId(0);
            hr = m_document->StoreEvent(*event);
        }
        if (hr == S_OK)
            hr = m_document->DeleteTask(id, entry->HasFlag(CDisplayItem::FlagKeepMark));
        if (hr != S_OK) {
            ReportError(hr, parent);
            break;
        }
        if (taskPad)
            taskPadChanged = taskPad->RemoveTask(id) || taskPadChanged;
        lastEventId = event->GetRecordId();
        ReplaceConvertedEntry(*entry, id, std::move(event), refresh);
    }
    FinishConversion(entries.size(), lastEventId, false, taskPadChanged, refresh, interactive, skipped.locked,
                     skipped.lockedEntry, parent);
}

void CViewContainer::ReplaceConvertedEntry(CDisplayItem &entry, std::uint32_t oldId,
                                           std::unique_ptr<CCalendarItem> converted, bool refresh)
{
    if (!refresh)
        entry.SetState(entry.GetState() | CDisplayItem::StateRemoved);
    RemoveItemEntries(oldId);
    ShowStoredItem(std::move(converted));
}

void CViewContainer::FinishConversion(std::size_t entryCount, std::uint32_t lastNewId, bool toTasks,
                                      bool taskPadChanged, bool refresh, bool interactive, int lockedCount,
                                      const CDisplayItem *lockedEntry, QWidget *parent)
{
    RefreshViews(true);
    if (taskPadChanged)
        Context().taskPad->Refresh(refresh);
    if (refresh)
        if (CCalendarViewCtrl *view = GetViewCtrl())
            view->NotifyContainer(kNotifySelectionChanged);
    UpdateCountPane();
    // A single converted item opens in its new editor.
    if (entryCount == 1 && lastNewId != 0) {
        auto holder = std::make_unique<CItemRef>();
        holder->SetRecordId(lastNewId);
        IItemEditorOpener *editors = Context().editors;
        if (toTasks) {
            CTaskItem *task = holder->NewTask();
            task->SetRecordId(lastNewId);
            if (m_document->LoadTask(*task) == S_OK && editors)
                editors->OpenTask(std::move(holder), this, IsDataReadOnly());
        } else {
            CEventItem *event = holder->NewEvent();
            event->SetRecordId(lastNewId);
            if (m_document->LoadEvent(*event) == S_OK && editors)
                editors->OpenEvent(std::move(holder), this, IsDataReadOnly(), false, false);
        }
    } else if (lockedCount) {
        ReportLocked(lockedCount, entryCount == 1 ? lockedEntry : nullptr, interactive, 61262, 61263, parent);
    }
}

void CViewContainer::SetItemsLocked(const EntryList &entries, bool lock, bool refresh, bool, QWidget *)
{
    if (IsDataReadOnly()) {
        Beep();
        return;
    }
    WaitCursor(true);
    HRESULT pending = S_OK;
    bool taskMet = false;
    CCalendarViewCtrl *view = GetViewCtrl();
    for (CDisplayItem *entry : entries) {
        if (!entry || entry->HasState(CDisplayItem::StateRemoved) || entry->IsPrivate())
            continue;
        const std::uint32_t id = entry->GetItemRef();
        std::unique_ptr<CCalendarItem> item;
        if (entry->GetKind() == CDisplayItem::KindEvent)
            item = std::make_unique<CEventItem>(id);
        else if (entry->GetKind() == CDisplayItem::KindTask)
            item = std::make_unique<CTaskItem>(id);
        else
            continue;
        const bool isTask = item->GetKind() == CCalendarItem::KindTask;
        HRESULT hr = isTask ? m_document->LoadTask(static_cast<CTaskItem &>(*item))
                            : m_document->LoadEvent(static_cast<CEventItem &>(*item));
        if (hr != S_OK) {
            pending = hr;
            break;
        }
        taskMet = taskMet || isTask;
        if (item->HasFlag(CCalendarItem::FlagLocked) == lock)
            continue;
        item->SetFlag(CCalendarItem::FlagLocked, lock);
        hr = isTask ? m_document->StoreTask(static_cast<CTaskItem &>(*item))
                    : m_document->StoreEvent(static_cast<CEventItem &>(*item));
        if (hr != S_OK) {
            pending = hr;
            break;
        }
        if (view)
            for (const auto &e : view->GetEntries())
                if (e->GetItemRef() == id && e->GetKind() == entry->GetKind())
                    e->SetFlag(CDisplayItem::FlagLocked, lock);
        if (!refresh)
            entry->SetFlag(CDisplayItem::FlagLocked, lock);
        if (isTask && ViewKind::HasTaskPad(m_kind) && Context().taskPad)
            Context().taskPad->UpdateTask(static_cast<const CTaskItem &>(*item));
    }
    RefreshViews(true);
    if (taskMet && ViewKind::HasTaskPad(m_kind) && Context().taskPad)
        Context().taskPad->Refresh(refresh);
    if (refresh && view)
        view->NotifyContainer(kNotifySelectionChanged);
    UpdateCountPane();
    WaitCursor(false);
    if (pending != S_OK)
        ReportError(pending, this);
}

void CViewContainer::CompleteTasks(const EntryList &entries, QWidget *parent)
{
    if (IsDataReadOnly()) {
        Beep();
        return;
    }
    WaitCursor(true);
    UnchangeableTally skipped;
    for (CDisplayItem *entry : entries) {
        if (!entry || entry->GetKind() != CDisplayItem::KindTask ||
            entry->HasFlag(CDisplayItem::FlagCompleted))
            continue;
        // Completing changes the task: locked and private tasks are passed over like for
        // every other change.
        if (skipped.Skips(*entry))
            continue;
        const std::uint32_t id = entry->GetItemRef();
        CItemRef holder(CCalendarItem::KindTask);
        holder.SetRecordId(id);
        holder.GetTask()->SetRecordId(id);
        const HRESULT hr = m_document->CompleteTask(holder);
        if (hr != S_OK) {
            ReportError(hr, nullptr);
            continue;
        }
        RemoveItemFromViews(id, nullptr, false);
        auto task = std::make_unique<CTaskItem>(id);
        if (m_document->LoadTask(*task) == S_OK) {
            CItemRef shown;
            shown.SetRecordId(id);
            shown.SetItem(std::make_unique<CTaskItem>(*task));
            AddItemToView(shown, false);
            if (ViewKind::HasTaskPad(m_kind) && Context().taskPad)
                Context().taskPad->UpdateTask(*task);
        }
    }
    RefreshViews(true);
    UpdateCountPane();
    WaitCursor(false);
    if (skipped.locked)
        ReportLocked(skipped.locked, entries.size() == 1 ? skipped.lockedEntry : nullptr, true, 61276, 61277, parent);
}

// ---------------------------------------------------------------------------------------------
// New items

CDateTime CViewContainer::RoundedNewEventStart(const CDateTime &date, const CDateTime &now)
{
    const int minutes = now.GetHour() * 60 + now.GetMinute();
    const int rounded = (minutes + (60 - now.GetMinute()) % 30) % 1440;
    return date.DatePart() + CDateSpan::FromMinutes(rounded);
}

void CViewContainer::NewEvent(int command)
{
    CCalendarViewCtrl *view = GetViewCtrl();
    if (!view)
        return;
    const bool recurring = command >= ContainerCmd::NewRecurringFirst;
    int typeIndex = -1;
    if (command != ContainerCmd::NewEventFirst)
        typeIndex = command - (recurring ? ContainerCmd::NewRecurringFirst : ContainerCmd::NewEventFirst + 1);
    CDateTime start = CDateTime::Null();
    const CDateTime current = GetNavigatorDay();
    if (current.IsValid() && current.Value() != 0.0)
        start = RoundedNewEventStart(current, GetNow());
    std::unique_ptr<CItemRef> holder = view->NewEvent(start);
    if (!holder)
        return;
    const CItemTypeList *types = m_document ? m_document->GetItemTypes() : nullptr;
    if (typeIndex >= 0 && types)
        if (const CItemType *type = types->GetType(typeIndex))
            if (CEventItem *event = holder->GetEvent()) {
                event->SetItemTypeIndex(typeIndex);
                event->SetItemTypeName(type->GetName());
            }
    if (Context().editors)
        Context().editors->OpenEvent(std::move(holder), this, IsDataReadOnly(), false, recurring);
}

void CViewContainer::NewTask(bool forSelectedDays)
{
    CCalendarViewCtrl *view = GetViewCtrl();
    std::unique_ptr<CItemRef> holder = view ? view->NewTask(QString()) : std::make_unique<CItemRef>(2);
    if (!holder || !holder->GetTask()) {
        ReportError(E_OUT_OF_MEMORY, this);
        return;
    }
    if (forSelectedDays) {
        CDateTime first, last;
        const CDateTime current = GetNavigatorDay();
        if (current.IsValid() && current.Value() != 0.0) {
            first = last = current;
        } else if (view) {
            int a = view->GetAnchorCell(), b = view->GetCurrentCell();
            if (a > b)
                std::swap(a, b);
            first = view->GetDayDate(a);
            last = view->GetDayDate(b);
        }
        if (first.IsValid() && first.Value() != 0.0) {
            holder->GetTask()->SetDueDate(last);
            holder->GetTask()->SetStartDate(first);
        }
    }
    if (Context().editors)
        Context().editors->OpenTask(std::move(holder), this, IsDataReadOnly());
}

// ---------------------------------------------------------------------------------------------
// Commands

void CViewContainer::ConvertSelection(bool toTasks)
{
    auto owned = SelectedEntries();
    EntryList entries;
    for (const auto &e : owned)
        if (e->GetKind() == (toTasks ? CDisplayItem::KindEvent : CDisplayItem::KindTask))
            entries.push_back(e.get());
    if (entries.empty())
        return;
    if (toTasks) {
        bool withDue = true;
        if (entries.size() == 1) {
            if (ContainerText::Ask(ContainerText::Load(58019), this) != MessageResult::Yes)
                return;
        } else {
            const int answer = ContainerText::Ask(ContainerText::Load(59434), this, true);
            if (answer != MessageResult::Yes && answer != MessageResult::No)
                return;
            withDue = answer == MessageResult::Yes;
        }
        ConvertEventsToTasks(entries, withDue, true, true, this);
    } else {
        if (entries.size() == 1 && ContainerText::Ask(ContainerText::Load(58022), this) != MessageResult::Yes)
            return;
        ConvertTasksToEvents(entries, true, true, this);
    }
}

void CViewContainer::ZoomDay()
{
    CDateTime date;
    const int cell = GetFocusedDay(date);
    if (cell < 0)
        return;
    if (!Context().mainWindow || !Context().mainWindow->OpenZoomList(cell, date))
        ReportError(E_OUT_OF_MEMORY, this);
}

void CViewContainer::GoToDateCommand()
{
    CDateTime date = GetCurrentDate();
    if (!Context().prompts || !Context().prompts->AskGoToDate(date, this))
        return;
    const HRESULT hr = ReloadItems(false, true, date);
    if (!IsReloadSuccess(hr))
        HandleSessionError(hr);
    update();
}

void CViewContainer::CustomizeViewCommand()
{
    bool reload = false;
    if (!Context().mainWindow || !Context().mainWindow->CustomizeView(m_sectionIndex, reload))
        return;
    ReloadOptions();
    if (reload && GetViewCtrl())
        AfterReload(ReloadItems(false, true, GetCurrentDate()), false);
}

void CViewContainer::ToggleHiddenItems()
{
    SetShowingHiddenItems(!IsShowingHiddenItems());
    AfterReload(ReloadItems(false, false, GetCurrentDate()), ViewKind::FeedsNavigator(m_kind));
}

void CViewContainer::JumpPeriod(bool forward)
{
    CDateTime date = GetCurrentDate();
    switch (m_kind) {
    case ViewKind::Day:
    case ViewKind::MultiDay:
        AddDays(date, forward ? 7 : -7);
        GoToDate(2, date);
        break;
    case ViewKind::Week:
    case ViewKind::Year:
        if (forward)
            GoNextPeriod();
        else
            GoPrevPeriod();
        break;
    case ViewKind::Month:
        AddMonths(date, date.GetDay(), forward ? 12 : -12);
        GoToDate(2, date);
        break;
    default:
        break;
    }
}

bool CViewContainer::OnContainerCommand(int id)
{
    const CContainerContext &ctx = Context();
    if (id >= ContainerCmd::NewEventFirst && id <= ContainerCmd::NewRecurringLast) {
        NewEvent(id);
        return true;
    }
    if (id >= ContainerCmd::SetTypeFirst && id <= ContainerCmd::SetTypeLast) {
        auto owned = SelectedEntries();
        ChangeItemsType(id - ContainerCmd::SetTypeFirst, Pointers(owned), true, this);
        return true;
    }
    if (IsTaskPadCommand(id)) {
        ICommandTarget *target = ctx.taskPad ? ctx.taskPad->GetCommandTarget() : nullptr;
        return target && target->OnCommand(id);
    }
    switch (id) {
    case ContainerCmd::Today:
        if (!ViewKind::IsList(m_kind))
            GoToDate(1, GetToday());
        return true;
    case ContainerCmd::GoToDate:
        if (!ViewKind::IsList(m_kind))
            GoToDateCommand();
        return true;
    case ContainerCmd::DayView:
        if (ctx.mainWindow) {
            const CDateTime current = GetNavigatorDay();
            ctx.mainWindow->ShowDayView(current.IsValid() && current.Value() != 0.0 ? current
                                                                                    : GetCurrentDate());
        }
        return true;
    case ContainerCmd::OpenItem: {
        auto owned = SelectedEntries();
        if (owned.empty())
            Beep();
        else
            CViewContainer::OpenItem(*owned.front());
        return true;
    }
    case ContainerCmd::Properties: {
        auto owned = SelectedEntries();
        if (!owned.empty())
            ShowItemProperties(*owned.front());
        return true;
    }
    case ContainerCmd::Delete: {
        auto owned = SelectedEntries();
        if (owned.empty())
            return true;
        if (ProgramSettings().confirmDelete) {
            const CDisplayItem &first = *owned.front();
            if (owned.size() == 1) {
                if (first.HasFlag(CDisplayItem::FlagLocked)) {
                    ContainerText::Warn(ContainerText::WithSubject(61259, first.GetSubject()), this);
                    return true;
                }
                const bool occurrencePrompt =
                    first.HasFlag(kEntryRecurring) && !first.HasFlag(kEntryOccurrence);
                if (!occurrencePrompt &&
                    ContainerText::Ask(ContainerText::WithSubject(58002, first.GetSubject()), this) !=
                        MessageResult::Yes)
                    return true;
            } else if (ContainerText::Ask(ContainerText::WithCount(58003, int(owned.size())), this) !=
                       MessageResult::Yes) {
                return true;
            }
        }
        DeleteItems(Pointers(owned), true, true, this);
        return true;
    }
    case ContainerCmd::PrintMemo:
        PrintMemoDirect();
        return true;
    case ContainerCmd::HiddenItems:
        ToggleHiddenItems();
        return true;
    case ContainerCmd::ZoomDay:
        ZoomDay();
        return true;
    case ContainerCmd::CustomizeView:
        CustomizeViewCommand();
        return true;
    case ContainerCmd::CustomizeNavigator:
        if (ctx.mainWindow)
            ctx.mainWindow->CustomizeDateNavigator();
        return true;
    case ContainerCmd::Copy:
        CopyToClipboard();
        return true;
    case ContainerCmd::Cut:
        CutToClipboard();
        return true;
    case ContainerCmd::Paste:
        PasteFromClipboard();
        return true;
    case ContainerCmd::NewTask:
        NewTask(false);
        return true;
    case ContainerCmd::NewTaskForDays:
        NewTask(true);
        return true;
    case ContainerCmd::NewItem:
        if (IsDataReadOnly())
            Beep();
        else if (m_kind == ViewKind::Tasks)
            NewTask(false);
        else
            NewEvent(ContainerCmd::NewEventFirst);
        return true;
    case ContainerCmd::PrevPeriod:
        GoPrevPeriod();
        return true;
    case ContainerCmd::NextPeriod:
        GoNextPeriod();
        return true;
    case ContainerCmd::JumpBack:
        JumpPeriod(false);
        return true;
    case ContainerCmd::JumpForward:
        JumpPeriod(true);
        return true;
    case ContainerCmd::PrevPane:
    case ContainerCmd::NextPane:
        SwitchPane(id == ContainerCmd::NextPane);
        return true;
    case ContainerCmd::Refresh:
        Reload(false);
        return true;
    case ContainerCmd::FocusDetails:
        if (ctx.details)
            ctx.details->TakeFocus();
        return true;
    case ContainerCmd::CompleteTasks: {
        auto owned = SelectedEntries();
        CompleteTasks(Pointers(owned), this);
        return true;
    }
    case ContainerCmd::ConvertToTask:
        ConvertSelection(true);
        return true;
    case ContainerCmd::ConvertToEvent:
        ConvertSelection(false);
        return true;
    case ContainerCmd::Lock:
    case ContainerCmd::Unlock: {
        auto owned = SelectedEntries();
        SetItemsLocked(Pointers(owned), id == ContainerCmd::Lock, true, true, this);
        return true;
    }
    default:
        return false;
    }
}

bool CViewContainer::OnUpdateContainerCommand(int id, CCmdUI &ui)
{
    const CContainerContext &ctx = Context();
    const CCalendarViewCtrl *view = GetViewCtrl();
    const int selected = view ? view->GetSelectedCount() : 0;
    const bool fileOpen = m_document != nullptr;
    const bool writable = !IsDataReadOnly();
    const bool oneOccurrence = view && view->IsSingleOccurrenceSelected();
    if (id >= ContainerCmd::SetTypeFirst && id <= ContainerCmd::SetTypeLast) {
        ui.Enable(selected > 0 && writable);
        return true;
    }
    if (id >= ContainerCmd::NewEventFirst && id <= ContainerCmd::NewRecurringLast)
        return true;
    if (IsTaskPadCommand(id)) {
        ICommandTarget *target = ctx.taskPad ? ctx.taskPad->GetCommandTarget() : nullptr;
        if (!target || !target->OnUpdateCommand(id, ui))
            ui.Enable(false);
        return true;
    }
    switch (id) {
    case ContainerCmd::Today: {
        ui.Enable(!ViewKind::IsList(m_kind));
        const CDateTime current = GetCurrentDate();
        ui.SetCheck(m_kind == ViewKind::Day && current.Value() != 0.0 && IsSameDate(current, GetToday()));
        return true;
    }
    case ContainerCmd::GoToDate:
        ui.Enable(!ViewKind::IsList(m_kind));
        return true;
    case ContainerCmd::DayView: {
        const CDateTime current = GetNavigatorDay();
        ui.Enable(view &&
                  (view->GetSelectedCellCount() == 1 || (current.IsValid() && current.Value() != 0.0)));
        return true;
    }
    case ContainerCmd::OpenItem:
    case ContainerCmd::Properties:
        ui.Enable(oneOccurrence);
        return true;
    case ContainerCmd::Delete:
    case ContainerCmd::Cut:
    case ContainerCmd::CompleteTasks:
        ui.Enable(selected > 0 && writable);
        return true;
    case ContainerCmd::PrintMemo:
    case ContainerCmd::Copy:
        ui.Enable(selected > 0);
        return true;
    case ContainerCmd::Paste:
        ui.Enable(CanPaste());
        return true;
    case ContainerCmd::ZoomDay:
        if (m_kind == ViewKind::Day || m_kind == ViewKind::MultiDay)
            ui.Enable(true);
        else if (m_kind >= ViewKind::Week && m_kind <= ViewKind::Year)
            ui.Enable(view && view->GetSelectedCellCount() == 1);
        else
            ui.Enable(false);
        return true;
    case ContainerCmd::PrevPeriod:
    case ContainerCmd::NextPeriod:
    case ContainerCmd::JumpBack:
    case ContainerCmd::JumpForward:
        ui.Enable(!ViewKind::IsList(m_kind) && fileOpen);
        return true;
    case ContainerCmd::PrevPane:
    case ContainerCmd::NextPane:
    case ContainerCmd::Refresh:
        ui.Enable(fileOpen);
        return true;
    case ContainerCmd::FocusDetails:
        ui.Enable(ctx.details && ctx.details->CanTakeFocus());
        return true;
    case ContainerCmd::ConvertToTask:
    case ContainerCmd::ConvertToEvent:
    case ContainerCmd::Lock:
    case ContainerCmd::Unlock:
        ui.Enable(selected > 0 && writable);
        return true;
    case ContainerCmd::CustomizeNavigator:
    case ContainerCmd::NewTask:
    case ContainerCmd::NewTaskForDays:
    case ContainerCmd::NewItem:
        return true;
    default:
        return false;
    }
}

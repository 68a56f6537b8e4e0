// Saving an event from the editor.
#include "editing/event/EventSave.h"

#include "core/dates/DateRules.h"
#include "core/dates/DurationText.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/lists/CategoryList.h"
#include "core/system/Messages.h"
#include "core/system/PrintfText.h"
#include "editing/base/EditingStrings.h"
#include "editing/base/ReminderWindowPort.h"
#include "editing/event/EventEditorModel.h"
#include "editing/event/EventStore.h"
#include "editing/lists/CategoryNames.h"

namespace {

QString Quoted(int id, const QString &subject)
{
    return PrintfText(EditingText(id), {subject});
}

} // namespace

CEventSave::CEventSave(CEventEditorModel &model, IEventStore &store) : m_model(model), m_store(store) {}

bool CEventSave::Fail(EventField field, const QString &message)
{
    m_focus = field;
    if (!message.isEmpty())
        ShowWarningText(message);
    return false;
}

QString CEventSave::NotesForStorage(const QString &notes)
{
    if (notes.size() > 4 && notes.at(notes.size() - 2) != QLatin1Char('\r') &&
        notes.at(notes.size() - 1) != QLatin1Char('\n'))
        return notes + QStringLiteral("\r\n");
    return notes;
}

bool CEventSave::ApplyTimes()
{
    const EventForm &form = m_model.GetForm();
    if (!form.startDate.IsValid())
        return Fail(EventField::StartDate, EditingText(EditText::InvalidDate));
    if (!form.allDay && !form.startTime.IsValid())
        return Fail(EventField::StartTime, EditingText(EditText::InvalidTime));
    if (!form.endDate.IsValid())
        return Fail(EventField::EndDate, EditingText(EditText::InvalidDate));
    if (!form.allDay && !form.endTime.IsValid())
        return Fail(EventField::EndTime, EditingText(EditText::InvalidTime));
    const CDateTime start = m_model.GetFormStart();
    CDateTime end = m_model.GetFormEnd();
    if (start > end)
        return Fail(EventField::EndDate, EditingText(EditText::EndBeforeStart));
    if (form.allDay)
        AddDays(end, 1);
    const CDateSpan duration = CEventEditorModel::WholeSeconds(end - start);
    if (CRecurrenceException *exception = m_model.GetException()) {
        exception->newStart = start;
        exception->duration = duration;
    } else {
        m_model.GetEvent().SetStart(start);
        m_model.GetEvent().SetDuration(duration);
    }
    return true;
}

bool CEventSave::ApplyFieldsToItem(bool printOnly)
{
    m_focus = EventField::None;
    if (!ApplyTimes())
        return false;
    CEventItem &event = m_model.GetEvent();
    const EventForm &form = m_model.GetForm();

    event.SetFlag(CCalendarItem::FlagHidden, form.hidden);
    event.SetFlag(CCalendarItem::FlagLocked, form.locked);
    event.ClearSnooze();

    const QString location = form.location.trimmed();
    const QString notes = NotesForStorage(form.notes);
    if (CRecurrenceException *exception = m_model.GetException()) {
        const EventSnapshot &before = m_model.GetSnapshot();
        if ((exception->overrideFlags & CRecurrenceException::OverrideSubject) ||
            form.subject != before.subject)
            exception->SetSubject(true, form.subject);
        if ((exception->overrideFlags & CRecurrenceException::OverrideLocation) ||
            location != before.location)
            exception->SetLocation(true, location);
        if ((exception->overrideFlags & CRecurrenceException::OverrideNotes) || notes != before.notes)
            exception->SetNotes(true, notes);
        exception->SetModifiedTime(GetNow());
    } else {
        event.SetSubject(form.subject);
        event.SetLocation(location);
        event.SetNotes(notes);
    }
    event.SetCategories(CCategoryNames::Join(form.categories));
    if (printOnly)
        return true;
    return ApplyReminder();
}

bool CEventSave::ApplyReminder()
{
    CEventItem &event = m_model.GetEvent();
    const EventForm &form = m_model.GetForm();
    CRecurrenceException *exception = m_model.GetException();
    if (form.reminderOn) {
        CDateSpan lead(0.0);
        const int parsed = ParseDuration(form.reminderLeadText, lead, CEventEditorModel::kMaxReminderMinutes);
        if (parsed == kDurationTooLong)
            return Fail(EventField::ReminderLead, EditingText(EditText::ShorterDuration));
        if (parsed != kDurationParsed)
            return Fail(EventField::ReminderLead, EditingText(EditText::DurationNotValid));
        if (exception) {
            exception->SetReminder(true, lead);
        } else {
            // A series' reminder must not come before the occurrence before: the shortest gap
            // of the pattern bounds the lead.
            if (event.IsRecurring() && lead > event.GetShortestRecurrenceGap())
                return Fail(EventField::ReminderLead, EditingText(EditText::ReminderBeforePrevious));
            event.SetReminder(true, lead);
        }
    } else if (exception) {
        exception->stateFlags &= ~CRecurrenceException::StateOwnReminder;
    } else {
        event.ClearReminder();
    }
    return exception ? CheckPlacement(*exception) : true;
}

bool CEventSave::CheckPlacement(CRecurrenceException &exception)
{
    const CEventItem &event = m_model.GetEvent();
    const QString subject = m_model.GetForm().subject;
    int code = event.ValidateMovedOccurrence(exception, false);
    if (code == 3) {
        const int answer = ShowMessageBox(nullptr, true, Quoted(EditText::ReminderWillBeReset, subject),
                                          MessageIcon::Warning, MessageButtons::OkCancel);
        if (answer != MessageResult::Ok)
            return Fail(EventField::ReminderLead, QString());
        exception.reminderLead = CDateSpan(0.0);
        code = event.ValidateMovedOccurrence(exception, true);
        if (code == 3)
            return Fail(EventField::ReminderLead, QString());
    }
    switch (code) {
    case 1:
        return Fail(EventField::StartDate, Quoted(EditText::SameDayOccurrences, subject));
    case 2:
        return Fail(EventField::StartDate, Quoted(EditText::SkipsEarlierOccurrence, subject));
    case 4:
        return Fail(EventField::StartDate, Quoted(EditText::SkipsLaterOccurrence, subject));
    default:
        return true;
    }
}

bool CEventSave::IsUnchangedNewException(const CRecurrenceException &exception) const
{
    const CEventItem &event = m_model.GetEvent();
    return exception.overrideFlags == 0 &&
           exception.stateFlags == (event.GetFlags() & kUnchangedExceptionMask) &&
           exception.newStart == exception.keyDate && exception.duration == event.GetDuration() &&
           exception.reminderLead == event.GetReminderLead();
}

EventSaveResult CEventSave::StayOpenWith(HRESULT code)
{
    ReportError(code);
    return EventSaveResult::StayOpen;
}

EventSaveResult CEventSave::Save()
{
    if (!ApplyFieldsToItem(false))
        return EventSaveResult::StayOpen;

    CEventItem &event = m_model.GetEvent();
    CItemRef &holder = m_model.GetHolder();
    if (m_model.IsOccurrence()) {
        const CRecurrenceException *exception = m_model.GetException();
        event.SetRecordId(holder.GetRecordId());
        if (m_model.IsNewException() && exception && IsUnchangedNewException(*exception)) {
            event.RemoveException(exception->keyDate);
            m_model.ForgetException();
            m_model.ClearModified();
            return EventSaveResult::Unchanged;
        }
    }

    // The open reminder window of a stored series stands for the occurrence it reminds of:
    // editing the series answers it, so its reminders count as handled up to now.
    if (event.IsRecurring() && holder.GetRecordId() != 0 && m_reminderWindows) {
        CItemKey key;
        key.kind = CCalendarItem::KindEvent;
        key.itemId = holder.GetRecordId();
        key.occurrence = holder.GetOccurrenceDate();
        if (m_reminderWindows->IsReminderWindowOpen(key))
            event.SetHandledUpTo(GetNow());
    }

    if (!m_model.IsModified()) {
        const EventForm &form = m_model.GetForm();
        const bool empty =
            form.subject.isEmpty() && form.location.trimmed().isEmpty() && form.notes.isEmpty();
        if (holder.GetRecordId() != 0 || empty) {
            m_model.ClearModified();
            return EventSaveResult::Unchanged;
        }
    }

    bool ranPass = false;
    if (m_model.GetKeepExceptions()) {
        if (!KeepExceptions())
            return EventSaveResult::StayOpen;
        ranPass = true;
    } else if (m_model.GetExceptionsOutOfRange()) {
        if (!DropOutOfRangeExceptions())
            return EventSaveResult::StayOpen;
        ranPass = true;
    }

    if (m_model.GetReplaceRecord() && !ranPass) {
        if (!ReplaceRecord())
            return EventSaveResult::StayOpen;
    } else {
        const HRESULT hr = m_store.SaveEventRef(holder);
        if (hr != S_OK) {
            RollBackPass();
            return StayOpenWith(hr);
        }
    }
    m_passStored.clear();
    AddLocation();
    m_model.ClearModified();
    m_reloadView = ranPass;
    return EventSaveResult::Saved;
}

HRESULT CEventSave::StoreExceptionEvent(const CEventItem &templ, const CRecurrenceException &exception,
                                        bool deleted)
{
    CEventItem single(templ);
    std::uint32_t flags = templ.GetFlags();
    if (exception.HasOwnReminder())
        flags |= CCalendarItem::FlagReminder;
    if (deleted)
        flags |= CCalendarItem::FlagDeleted;
    single.SetFlags(flags);
    if (exception.overrideFlags & CRecurrenceException::OverrideSubject)
        single.SetSubject(exception.subject);
    if (exception.overrideFlags & CRecurrenceException::OverrideLocation)
        single.SetLocation(exception.location);
    if (exception.overrideFlags & CRecurrenceException::OverrideNotes)
        single.SetNotes(exception.notes);
    single.SetModified(exception.modified);
    single.SetStart(exception.newStart);
    single.SetDuration(exception.duration);
    single.SetReminderLead(exception.reminderLead);
    single.SetReservedValue(exception.reservedWord);

    const double key = exception.keyDate.Value();
    const auto earlier = m_passStored.find(key);
    single.SetRecordId(earlier != m_passStored.end() ? earlier->second : 0);
    const HRESULT hr = m_store.StoreEvent(single);
    if (hr == S_OK)
        m_passStored[key] = single.GetRecordId();
    return hr;
}

namespace {
// The series without its recurrence: what each event made from one of its exceptions starts from.
CEventItem MakeTemplate(const CEventItem &series)
{
    CEventItem templ;
    templ.CopyFromItem(series);
    templ.RemoveRecurrence();
    templ.RemoveAllExceptions();
    templ.SetFlags(series.GetFlags() & CEventSave::kTemplateFlagMask);
    templ.SetRecordId(0);
    return templ;
}
} // namespace

bool CEventSave::KeepExceptions()
{
    CEventItem stored(m_model.GetHolder().GetRecordId());
    HRESULT hr = m_store.LoadEvent(stored);
    if (hr != S_OK) {
        ReportError(hr);
        return false;
    }
    const CEventItem templ = MakeTemplate(stored);
    for (const CRecurrenceException &exception : stored.GetExceptions()) {
        if (exception.IsDeleted() && exception.reservedWord == 0)
            continue;
        hr = StoreExceptionEvent(templ, exception, exception.IsDeleted());
        if (hr != S_OK) {
            RollBackPass();
            ReportError(hr);
            return false;
        }
    }
    return true;
}

bool CEventSave::DropOutOfRangeExceptions()
{
    CEventItem &event = m_model.GetEvent();
    const CEventItem templ = MakeTemplate(event);
    const CDateTime start = event.GetStart();
    const bool hasEnd = event.GetPattern().HasEndDate();
    const CDateTime end = event.GetPatternEnd();
    for (int i = event.GetExceptionCount() - 1; i >= 0; --i) {
        const CRecurrenceException exception = *event.GetExceptionAt(i);
        const bool outside = exception.keyDate < start || (hasEnd && exception.keyDate > end);
        if (!outside)
            continue;
        if (exception.reservedWord != 0) {
            const HRESULT hr = StoreExceptionEvent(templ, exception, true);
            if (hr != S_OK) {
                RollBackPass();
                ReportError(hr);
                return false;
            }
        }
        event.RemoveException(exception.keyDate);
    }
    return true;
}

bool CEventSave::ReplaceRecord()
{
    CEventItem &event = m_model.GetEvent();
    CItemRef &holder = m_model.GetHolder();
    const std::uint32_t oldId = holder.GetRecordId();
    if (event.GetRecordId() != oldId) {
        ShowErrorText(EditingText(EditText::RecordIdMismatch));
        return false;
    }
    // The new record first: until it is safely stored the old one stays as it was.
    event.SetRecordId(0);
    HRESULT hr = m_store.StoreEvent(event);
    if (hr != S_OK) {
        event.SetRecordId(oldId);
        ReportError(hr);
        return false;
    }
    const std::uint32_t newId = event.GetRecordId();
    hr = m_store.DeleteEvent(oldId, true);
    if (hr != S_OK) {
        m_store.DeleteEvent(newId, false);
        event.SetRecordId(oldId);
        ReportError(hr);
        return false;
    }
    holder.SetRecordId(newId);
    return true;
}

void CEventSave::RollBackPass()
{
    for (auto it = m_passStored.begin(); it != m_passStored.end();) {
        if (m_store.DeleteEvent(it->second, false) == S_OK)
            it = m_passStored.erase(it);
        else
            ++it;
    }
}

void CEventSave::AddLocation()
{
    const QString location = m_model.GetForm().location.trimmed();
    CCategoryList &list = m_store.GetLocationList();
    if (location.isEmpty() || list.Find(location, false) >= 0)
        return;
    CategoryArray before;
    if (!list.CopyTo(before))
        return;
    list.Add(CCategory(location));
    const HRESULT hr = m_store.SaveLocationList();
    if (hr != S_OK) {
        // The list keeps what the file holds; the event itself is stored.
        list.SetCategories(before);
        ReportError(hr);
    }
}

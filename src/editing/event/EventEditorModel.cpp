// The event editor's state and rules, without a window.
#include "editing/event/EventEditorModel.h"

#include "core/dates/DateRules.h"
#include "core/dates/DurationText.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/system/ConstStrings.h"
#include "core/system/PrintfText.h"
#include "core/system/Profile.h"
#include "editing/base/EditingStrings.h"

#include <algorithm>
#include <cmath>

namespace {

CDateTime DayOf(const CDateTime &t)
{
    return t.IsValid() ? CDateTime(t.GetYear(), t.GetMonth(), t.GetDay()) : CDateTime::Invalid();
}

CDateTime TimeOf(const CDateTime &t)
{
    return t.IsValid() ? CDateTime(1899, 12, 30, t.GetHour(), t.GetMinute(), t.GetSecond())
                       : CDateTime::Invalid();
}

// The date of `day` at the time of day of `time` (00:00 without a time).
CDateTime Combine(const CDateTime &day, const CDateTime &time)
{
    if (!day.IsValid())
        return CDateTime::Invalid();
    if (!time.IsValid())
        return CDateTime(day.GetYear(), day.GetMonth(), day.GetDay());
    return CDateTime(day.GetYear(), day.GetMonth(), day.GetDay(), time.GetHour(), time.GetMinute(),
                     time.GetSecond());
}

bool IsMidnight(const CDateTime &t)
{
    return t.GetHour() == 0 && t.GetMinute() == 0 && t.GetSecond() == 0;
}

const CDateSpan kOneDay(1.0);

} // namespace

EventEditorSettings EventEditorSettings::FromProfile()
{
    EventEditorSettings s;
    s.newWithoutReminder = GetProfileInt(ConstName::Common, ConstName::NNF, 0) != 0;
    const int wts = GetProfileInt(ConstName::Common, ConstName::WTS, 8 * 60);
    s.workDayStartMinutes = std::clamp(wts, 0, 24 * 60 - 1);
    s.defaultDurationMinutes = std::clamp(GetProfileInt(ConstName::Common, ConstName::DD, 30), 1, 720);
    s.useTypePrefix = GetProfileInt(ConstName::Common, ConstName::U3L, 0) != 0;
    s.allRemindersOnTop = GetProfileInt(ConstName::Common, ConstName::AOT, 0) != 0;
    return s;
}

bool EventSnapshot::operator==(const EventSnapshot &o) const
{
    return flags == o.flags && start == o.start && duration == o.duration && reminderLead == o.reminderLead &&
           subject == o.subject && location == o.location && notes == o.notes && series == o.series &&
           (!series || (sound == o.sound && pattern == o.pattern)) && editorSize == o.editorSize &&
           categories == o.categories && itemTypeName == o.itemTypeName;
}

CEventEditorModel::CEventEditorModel(std::unique_ptr<CItemRef> holder, bool readOnly, bool newException,
                                     const EventEditorSettings &settings)
    : m_holder(std::move(holder)), m_readOnly(readOnly), m_newException(newException), m_settings(settings)
{
    if (!m_holder)
        m_holder = std::make_unique<CItemRef>();
    m_event = m_holder->GetEvent();
}

CEventEditorModel::~CEventEditorModel() = default;
CEventEditorModel::CEventEditorModel(CEventEditorModel &&) noexcept = default;
CEventEditorModel &CEventEditorModel::operator=(CEventEditorModel &&) noexcept = default;

CRecurrenceException *CEventEditorModel::GetException()
{
    if (!m_occurrence || !m_event)
        return nullptr;
    const int index = m_event->FindExceptionIndex(m_exceptionKey);
    return index >= 0 ? m_event->GetExceptionAt(index) : nullptr;
}

const CRecurrenceException *CEventEditorModel::GetException() const
{
    return const_cast<CEventEditorModel *>(this)->GetException();
}

bool CEventEditorModel::IsSeries() const
{
    return m_event && m_event->IsRecurring() && !m_occurrence;
}

bool CEventEditorModel::Load()
{
    if (!m_event)
        return false;
    // One occurrence is meant when the opener cleared the event's record id of a series.
    m_occurrence = m_event->IsRecurring() && m_event->GetRecordId() != m_holder->GetRecordId();
    if (m_occurrence) {
        m_exceptionKey = m_holder->GetOccurrenceDate();
        if (!GetException())
            return false;
    }
    LoadForm();
    return true;
}

void CEventEditorModel::LoadForm()
{
    const CRecurrenceException *exception = GetException();
    m_snapshot = TakeSnapshot();

    const bool newEvent = m_holder->GetRecordId() == 0;
    m_form.reminderOn = (m_snapshot.flags & CCalendarItem::FlagReminder) != 0;
    if (newEvent && m_event->GetRecordId() == 0 && m_settings.newWithoutReminder)
        m_form.reminderOn = false;
    m_form.reminderLeadText = FormatDuration(
        exception && exception->HasOwnReminder() ? exception->reminderLead : m_event->GetReminderLead());
    m_form.hidden = m_event->HasFlag(CCalendarItem::FlagHidden);
    m_form.locked = m_event->HasFlag(CCalendarItem::FlagLocked);
    m_form.categories = m_event->GetCategories();
    m_form.subject = m_snapshot.subject;
    m_form.notes = m_snapshot.notes;
    m_form.location = m_snapshot.location;
    LoadTimes();
    m_modified = false;
}

void CEventEditorModel::LoadTimes()
{
    const CRecurrenceException *exception = GetException();
    const CDateTime start = exception ? exception->newStart : m_event->GetStart();
    const CDateSpan duration = exception ? exception->duration : m_event->GetDuration();
    const CDateTime end = start + duration;
    m_form.duration = duration;
    m_form.startDate = DayOf(start);
    m_form.startTime = TimeOf(start);
    m_form.allDay = start.IsValid() && IsMidnight(start) && IsMidnight(end) && duration.Value() >= 1.0;
    ShowEnd(end);
}

// The end as the form shows it: in all-day mode the last day, not the day after.
void CEventEditorModel::ShowEnd(const CDateTime &end)
{
    const CDateTime shown = m_form.allDay ? end - kOneDay : end;
    m_form.endDate = DayOf(shown);
    m_form.endTime = TimeOf(m_form.allDay ? end : shown);
}

EventSnapshot CEventEditorModel::TakeSnapshot() const
{
    EventSnapshot s;
    const CRecurrenceException *exception = GetException();
    if (exception) {
        s.flags = exception->stateFlags;
        s.start = exception->newStart;
        s.duration = exception->duration;
        s.reminderLead = exception->reminderLead;
        s.subject = (exception->overrideFlags & CRecurrenceException::OverrideSubject)
                        ? exception->subject
                        : m_event->GetSubject();
        s.location = (exception->overrideFlags & CRecurrenceException::OverrideLocation)
                         ? exception->location
                         : m_event->GetLocation();
        s.notes = (exception->overrideFlags & CRecurrenceException::OverrideNotes) ? exception->notes
                                                                                   : m_event->GetNotes();
    } else {
        s.flags = m_event->GetFlags();
        s.start = m_event->GetStart();
        s.duration = m_event->GetDuration();
        s.reminderLead = m_event->GetReminderLead();
        s.subject = m_event->GetSubject();
        s.location = m_event->GetLocation();
        s.notes = m_event->GetNotes();
    }
    s.series = IsSeries();
    if (s.series) {
        s.sound = m_event->GetReminderSound();
        s.pattern = m_event->GetPattern();
    }
    s.editorSize = m_event->GetEditorWindowSize();
    s.categories = m_event->GetCategories();
    s.itemTypeName = m_event->GetItemTypeName();
    return s;
}

bool CEventEditorModel::IsModified() const
{
    if (m_occurrence && !GetException())
        return false; // the unchanged exception made for this edit is gone
    return !(TakeSnapshot() == m_snapshot);
}

void CEventEditorModel::ForgetException()
{
    m_occurrence = false;
    m_exceptionKey = CDateTime();
}

QString CEventEditorModel::GetTitle() const
{
    QString typeName = m_event ? m_event->GetItemTypeName() : QString();
    if (typeName.isEmpty())
        typeName = EditingText(EditText::UndefinedType);
    int id = 0;
    if (m_occurrence)
        id = EditText::ModifyOccurrenceTitle;
    else if (m_event && m_event->IsRecurring())
        id = m_holder->GetRecordId() == 0 ? EditText::NewRecurringTitle : EditText::ModifyRecurringTitle;
    else
        id = m_holder->GetRecordId() == 0 ? EditText::NewItemTitle : EditText::ModifyItemTitle;
    return PrintfText(EditingText(id), {typeName});
}

QString CEventEditorModel::GetTimeHeading() const
{
    return EditingText(ShowsPatternText() ? EditText::RecurrenceHeading : EditText::TimeHeading);
}

QString CEventEditorModel::GetPatternText() const
{
    return m_event ? m_event->GetRecurrenceText() : QString();
}

EventToolbarState CEventEditorModel::GetToolbarState() const
{
    EventToolbarState t;
    const bool editable = !m_occurrence && !m_readOnly;
    t.deleteEnabled = m_holder->GetRecordId() != 0 && !m_readOnly;
    t.hiddenChecked = m_form.hidden;
    t.lockedChecked = m_form.locked;
    t.privateChecked = m_event->HasFlag(CCalendarItem::FlagPrivate);
    t.hiddenEnabled = editable;
    t.lockedEnabled = editable;
    t.topmostChecked = m_form.reminderOn && (m_event->HasFlag(FlagTopmost) || m_settings.allRemindersOnTop);
    t.topmostEnabled = m_form.reminderOn && editable && !m_settings.allRemindersOnTop;
    t.noWindowAfterChecked = m_form.reminderOn && m_event->HasFlag(CCalendarItem::FlagNoWindowAfterTime);
    t.noWindowAfterEnabled = m_form.reminderOn && editable;
    return t;
}

// ---- Form setters ----

void CEventEditorModel::SetSubject(const QString &text)
{
    if (text != m_form.subject) {
        m_form.subject = text.left(kMaxSubject);
        m_modified = true;
    }
}

void CEventEditorModel::SetLocation(const QString &text)
{
    m_form.location = text.left(kMaxLocation);
}

void CEventEditorModel::SetNotes(const QString &text)
{
    if (text != m_form.notes) {
        m_form.notes = text.left(kMaxNotes);
        m_modified = true;
    }
}

void CEventEditorModel::SetCategories(const QString &text)
{
    if (text != m_form.categories) {
        m_form.categories = text.left(kMaxCategories);
        m_modified = true;
    }
}

void CEventEditorModel::SetReminderOn(bool on)
{
    m_form.reminderOn = on;
    m_modified = true;
}

void CEventEditorModel::SetReminderLeadText(const QString &text)
{
    if (text != m_form.reminderLeadText) {
        m_form.reminderLeadText = text;
        m_modified = true;
    }
}

void CEventEditorModel::SetHidden(bool on)
{
    m_form.hidden = on;
    m_modified = true;
}

void CEventEditorModel::SetLocked(bool on)
{
    m_form.locked = on;
    m_modified = true;
}

void CEventEditorModel::SetTopmost(bool on)
{
    m_event->SetFlag(FlagTopmost, on);
    m_modified = true;
}

void CEventEditorModel::SetNoWindowAfterTime(bool on)
{
    m_event->SetFlag(CCalendarItem::FlagNoWindowAfterTime, on);
    m_modified = true;
}

// ---- Times ----

CDateSpan CEventEditorModel::StoredDuration() const
{
    const CRecurrenceException *exception = GetException();
    return exception ? exception->duration : m_event->GetDuration();
}

void CEventEditorModel::DurationChangedCheck()
{
    if (!(m_form.duration == StoredDuration()))
        m_modified = true;
}

CDateSpan CEventEditorModel::WholeSeconds(const CDateSpan &span)
{
    return CDateSpan(std::round(span.Value() * 86400.0) / 86400.0);
}

CDateTime CEventEditorModel::GetFormStart() const
{
    return Combine(m_form.startDate, m_form.allDay ? CDateTime() : m_form.startTime);
}

CDateTime CEventEditorModel::GetFormEnd() const
{
    return Combine(m_form.endDate, m_form.allDay ? CDateTime() : m_form.endTime);
}

void CEventEditorModel::SetStartDate(const CDateTime &date)
{
    m_form.startDate = DayOf(date);
    const CDateTime start = GetFormStart();
    if (start.IsValid())
        ShowEnd(start + m_form.duration);
    m_modified = true;
}

void CEventEditorModel::SetStartTime(const CDateTime &time)
{
    m_form.startTime = TimeOf(time);
    const CDateTime start = GetFormStart();
    if (start.IsValid())
        ShowEnd(start + m_form.duration);
    m_modified = true;
}

void CEventEditorModel::SetEndDate(const CDateTime &date)
{
    m_form.endDate = DayOf(date);
    const CDateTime start = GetFormStart();
    const CDateTime end = GetFormEnd();
    if (start.IsValid() && end.IsValid() && start <= end)
        m_form.duration = WholeSeconds((end - start) + (m_form.allDay ? kOneDay : CDateSpan(0.0)));
    DurationChangedCheck();
    m_modified = true;
}

void CEventEditorModel::SetEndTime(const CDateTime &time)
{
    m_form.endTime = TimeOf(time);
    const CDateTime start = GetFormStart();
    const CDateTime end = GetFormEnd();
    if (start.IsValid() && end.IsValid() && start <= end)
        m_form.duration = WholeSeconds(end - start);
    DurationChangedCheck();
}

void CEventEditorModel::SetDuration(const CDateSpan &duration)
{
    m_form.duration = duration;
    if (m_form.allDay) {
        const double minutes = std::round(duration.Value() * 1440.0);
        const bool wholeDays = minutes >= 1440.0 && std::fmod(minutes, 1440.0) == 0.0;
        if (!wholeDays) {
            m_form.allDay = false;
            m_form.startTime = CDateTime(1899, 12, 30);
        }
    }
    const CDateTime start = GetFormStart();
    if (start.IsValid())
        ShowEnd(start + duration);
    DurationChangedCheck();
}

bool CEventEditorModel::SetDurationText(const QString &text)
{
    CDateSpan span = m_form.duration;
    if (ParseDuration(text, span, kMaxReminderMinutes) != kDurationParsed)
        return false;
    SetDuration(span);
    return true;
}

void CEventEditorModel::SetAllDay(bool on)
{
    if (on == m_form.allDay)
        return;
    if (on) {
        long days = 1;
        if (m_form.startDate.IsValid() && m_form.endDate.IsValid()) {
            days = long(std::lround((m_form.endDate - m_form.startDate).Value())) + 1;
            if (days < 1)
                days = 1;
        }
        m_form.allDay = true;
        m_form.duration = CDateSpan(double(days));
        m_form.startTime = CDateTime(1899, 12, 30);
    } else {
        m_form.allDay = false;
        const int wts = m_settings.workDayStartMinutes;
        m_form.startTime = CDateTime(1899, 12, 30, wts / 60, wts % 60, 0);
        m_form.duration = CDateSpan::FromMinutes(m_settings.defaultDurationMinutes);
    }
    const CDateTime start = GetFormStart();
    if (start.IsValid())
        ShowEnd(start + m_form.duration);
    m_modified = true;
}

// ---- Types ----

CCalendarItem::PrefixResult CEventEditorModel::ApplyTypePrefix(const IItemTypeCatalog &types)
{
    if (!m_modified || m_occurrence || !m_settings.useTypePrefix)
        return CCalendarItem::PrefixResult::NoPrefix;
    QString text = m_form.subject;
    const auto result = m_event->ApplyItemTypePrefix(types, text);
    if (result != CCalendarItem::PrefixResult::Applied)
        return result;
    m_form.subject = text.trimmed();
    if (m_holder->GetRecordId() == 0) {
        m_event->SetItemType(m_event->GetItemTypeIndex());
        m_form.reminderLeadText = FormatDuration(m_event->GetReminderLead());
    }
    return result;
}

void CEventEditorModel::ChooseItemType(int index)
{
    const IItemTypeCatalog *types = GetItemTypeCatalog();
    ItemTypeInfo info;
    if (!types || !types->GetTypeInfo(index, info))
        return;
    if (m_holder->GetRecordId() == 0) {
        m_event->SetItemType(index);
        m_form.reminderLeadText = FormatDuration(m_event->GetReminderLead());
    } else {
        m_event->SetItemTypeIndex(index);
        m_event->SetItemTypeName(info.name);
    }
    m_modified = true;
}

// ---- Commands ----

void CEventEditorModel::ModifySeries()
{
    if (!m_occurrence)
        return;
    if (m_newException)
        m_event->RemoveException(m_exceptionKey);
    m_event->SetRecordId(m_holder->GetRecordId());
    m_holder->SetOneOccurrence(false);
    ForgetException();
    LoadForm();
}

void CEventEditorModel::RecurrenceChanged(bool keepExceptions, bool exceptionsOutOfRange,
                                          bool hadExternalRefs)
{
    m_keepExceptions = keepExceptions;
    m_outOfRange = exceptionsOutOfRange;
    if (hadExternalRefs && (!m_event->IsRecurring() || m_event->GetExceptionCount() == 0))
        m_replaceRecord = true;
    LoadTimes();
    m_modified = true;
}

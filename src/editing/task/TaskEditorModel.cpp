// The task editor's form, its couplings and its snapshot.
#include "editing/task/TaskEditorModel.h"

#include "core/dates/DateRules.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/system/Messages.h"
#include "core/system/PrintfText.h"
#include "editing/base/EditingStrings.h"

#include <algorithm>

namespace {

CDateTime Today()
{
    const CDateTime today = GetToday();
    return today.IsValid() && today.Value() != 0.0 ? today : GetNow().DatePart();
}

CDateTime OnDayAt(const CDateTime &day, const CDateTime &time)
{
    return CDateTime(day.GetYear(), day.GetMonth(), day.GetDay(), time.GetHour(), time.GetMinute(),
                     time.GetSecond());
}

bool Usable(const CDateTime &d)
{
    return d.IsValid() && d.Value() != 0.0;
}

} // namespace

bool TaskSnapshot::operator==(const TaskSnapshot &o) const
{
    return flags == o.flags && start == o.start && due == o.due && pattern == o.pattern && sound == o.sound &&
           priority == o.priority && status == o.status && percent == o.percent &&
           completion == o.completion && reminder == o.reminder && subject == o.subject && notes == o.notes &&
           categories == o.categories && itemTypeName == o.itemTypeName && reminderLead == o.reminderLead &&
           itemTypeIndex == o.itemTypeIndex;
}

CTaskEditorModel::CTaskEditorModel(std::unique_ptr<CItemRef> holder, bool readOnly,
                                   const EventEditorSettings &settings)
    : m_holder(std::move(holder)), m_readOnly(readOnly), m_settings(settings)
{
    m_task = m_holder ? m_holder->GetTask() : nullptr;
}

CTaskEditorModel::~CTaskEditorModel() = default;

bool CTaskEditorModel::Load()
{
    if (!m_task)
        return false;
    m_occurrenceAlone = m_task->IsRecurring() && !m_task->HasFlag(CTaskItem::TF_SERIES_CLOSED) &&
                        m_holder->GetRecordId() != m_task->GetRecordId();
    Fill();
    return true;
}

bool CTaskEditorModel::IsDetached() const
{
    return m_task->HasFlag(CTaskItem::TF_SERIES_CLOSED);
}

bool CTaskEditorModel::IsSeries() const
{
    return m_task->IsRecurring() && !IsDetached() && !m_occurrenceAlone;
}

TaskSnapshot CTaskEditorModel::TakeSnapshot() const
{
    const CTaskItem &t = *m_task;
    TaskSnapshot s;
    s.flags = t.GetFlags();
    s.start = t.GetStartDate();
    s.due = t.GetDueDate();
    s.pattern = t.GetPattern();
    s.sound = t.GetReminderSound();
    s.priority = t.GetPriority();
    s.status = t.GetStatus();
    s.percent = t.GetPercentComplete();
    s.completion = t.GetCompletedDate();
    s.reminder = t.GetReminderTime();
    s.subject = t.GetSubject();
    s.notes = t.GetNotes();
    s.categories = t.GetCategories();
    s.itemTypeName = t.GetItemTypeName();
    s.reminderLead = t.GetReminderLead();
    s.itemTypeIndex = t.GetItemTypeIndex();
    return s;
}

bool CTaskEditorModel::IsModified() const
{
    return !(TakeSnapshot() == m_snapshot);
}

void CTaskEditorModel::Fill()
{
    const CTaskItem &t = *m_task;
    m_snapshot = TakeSnapshot();
    TaskForm &f = m_form;
    f = TaskForm();
    f.subject = t.GetSubject();
    f.notes = t.GetNotes();
    f.categories = t.GetCategories();
    f.status = std::clamp(t.GetStatus(), 0, 4);
    f.percent = std::clamp(t.GetPercentComplete(), 0, 100);
    f.priority = std::clamp(t.GetPriority(), 0, 4);
    f.hasDue = t.HasDueDate() && Usable(t.GetDueDate());
    f.due = f.hasDue ? t.GetDueDate().DatePart() : Today();
    f.hasStart = f.hasDue && t.HasStartDate() && Usable(t.GetStartDate());
    f.start = f.hasStart ? t.GetStartDate().DatePart() : f.due;
    f.reminderOn = t.HasFlag(CCalendarItem::FlagReminder);
    f.reminder = f.reminderOn && Usable(t.GetReminderTime()) ? t.GetReminderTime() : f.due + CDateSpan(0.5);
    if (t.GetRecordId() == 0 && m_holder->GetRecordId() == 0 && m_settings.newWithoutReminder)
        f.reminderOn = false;
    f.hidden = t.HasFlag(CCalendarItem::FlagHidden);
    f.locked = t.HasFlag(CCalendarItem::FlagLocked);
    m_reminderWasOn = false;
    if (t.IsCompleted()) {
        f.completion = Usable(t.GetCompletedDate()) ? t.GetCompletedDate().DatePart() : Today();
        m_reminderWasOn = f.reminderOn;
        SetCompleted();
    } else {
        f.completion = Today();
        SetNotCompleted();
    }
    m_lastDue = f.due;
    m_lastStart = f.start;
    m_modified = false;
}

QString CTaskEditorModel::GetTitle() const
{
    QString typeName = m_task->GetItemTypeName();
    if (typeName.isEmpty())
        typeName = EditingText(EditText::UndefinedType);
    const bool isNew = m_holder->GetRecordId() == 0 && m_task->GetRecordId() == 0;
    int id = 0;
    if (m_task->IsRecurring())
        id = isNew ? EditText::NewRecurringTitle : EditText::ModifyRecurringTitle;
    else
        id = isNew ? EditText::NewItemTitle : EditText::ModifyItemTitle;
    return PrintfText(EditingText(id), {typeName});
}

TaskControlState CTaskEditorModel::GetControlState() const
{
    TaskControlState s;
    const bool ro = m_readOnly;
    const bool series = IsSeries();
    s.statusEnabled = s.percentEnabled = s.completionEnabled = !series && !ro;
    s.recurrenceEnabled = ro || (!m_form.completed && !m_occurrenceAlone);
    s.notifyEnabled = !ro;
    s.reminderEnabled = m_form.reminderOn && !m_form.completed && !ro;
    s.modifySeriesVisible = m_occurrenceAlone;
    s.modifySeriesEnabled = m_occurrenceAlone && m_task->IsRecurring();
    s.occurrenceIcon = IsDetached() || m_occurrenceAlone;
    s.seriesIcon = series;
    s.deleteEnabled = m_holder->GetRecordId() != 0 && !ro;
    s.hiddenEnabled = !ro;
    s.lockedEnabled = !ro && !m_occurrenceAlone;
    s.topmostChecked = m_form.reminderOn && (m_task->HasFlag(FlagTopmost) || m_settings.allRemindersOnTop);
    s.topmostEnabled = m_form.reminderOn && !IsDetached() && !ro && !m_settings.allRemindersOnTop;
    return s;
}

// ---- The form ----

void CTaskEditorModel::SetSubject(const QString &text)
{
    if (text != m_form.subject) {
        m_form.subject = text.left(kMaxSubject);
        m_modified = true;
    }
}

void CTaskEditorModel::SetNotes(const QString &text)
{
    if (text != m_form.notes) {
        m_form.notes = text.left(kMaxNotes);
        m_modified = true;
    }
}

void CTaskEditorModel::SetCategories(const QString &text)
{
    if (text != m_form.categories) {
        m_form.categories = text.left(kMaxCategories);
        m_modified = true;
    }
}

void CTaskEditorModel::SetPriority(int priority)
{
    m_form.priority = std::clamp(priority, 0, 4);
    m_modified = true;
}

void CTaskEditorModel::SetHidden(bool on)
{
    m_form.hidden = on;
    m_modified = true;
}

void CTaskEditorModel::SetLocked(bool on)
{
    m_form.locked = on;
    m_modified = true;
}

void CTaskEditorModel::SetTopmost(bool on)
{
    m_task->SetFlag(FlagTopmost, on);
    m_modified = true;
}

// ---- Status, percent and completion ----

void CTaskEditorModel::SetCompleted()
{
    TaskForm &f = m_form;
    if (!f.completed)
        m_reminderWasOn = f.reminderOn || m_reminderWasOn;
    f.status = CTaskItem::StatusCompleted;
    f.percent = 100;
    if (!Usable(f.completion))
        f.completion = Today();
    f.reminderOn = false;
    f.completed = true;
}

void CTaskEditorModel::SetNotCompleted()
{
    TaskForm &f = m_form;
    if (f.percent >= 100)
        f.percent = 0;
    if (f.status <= CTaskItem::StatusCompleted)
        f.status = f.percent > 0 ? CTaskItem::StatusInProgress : CTaskItem::StatusNotStarted;
    if (f.completed && m_reminderWasOn)
        f.reminderOn = true;
    m_reminderWasOn = false;
    f.completed = false;
}

void CTaskEditorModel::ChooseStatus(int status)
{
    m_modified = true;
    if (status == CTaskItem::StatusCompleted) {
        SetCompleted();
        return;
    }
    m_form.status = std::clamp(status, 0, 4);
    if (m_form.completed)
        SetNotCompleted();
}

void CTaskEditorModel::ChoosePercentEntry(int entry)
{
    m_modified = true;
    if (entry >= 4) {
        SetCompleted();
        return;
    }
    m_form.percent = std::max(0, entry) * 25;
    if (m_form.completed) {
        SetNotCompleted();
    } else if (m_form.status == CTaskItem::StatusNotStarted && m_form.percent > 0) {
        m_form.status = CTaskItem::StatusInProgress;
    } else if (m_form.status == CTaskItem::StatusInProgress && m_form.percent == 0) {
        m_form.status = CTaskItem::StatusNotStarted;
    }
}

void CTaskEditorModel::SetCompletionDate(const CDateTime &date, bool none)
{
    m_modified = true;
    if (none) {
        if (m_form.completed)
            SetNotCompleted();
        return;
    }
    if (!date.IsValid())
        return;
    m_form.completion = date.DatePart();
    if (!m_form.completed)
        SetCompleted();
}

// ---- Dates ----

bool CTaskEditorModel::SetDueDate(const CDateTime &date)
{
    m_modified = true;
    TaskForm &f = m_form;
    if (!date.IsValid()) {
        f.due = date; // text that is not a date; OK reports it
        return true;
    }
    const CDateTime day = date.DatePart();
    if (!f.hasStart) {
        f.start = day;
    } else if (f.start.IsValid() && day < f.start) {
        f.due = m_lastDue;
        ShowWarningText(EditingText(EditText::DueBeforeStart));
        return false;
    }
    if (f.reminder.IsValid() && m_lastDue.IsValid())
        f.reminder = day - (m_lastDue - f.reminder);
    f.due = day;
    f.hasDue = true;
    m_lastDue = day;
    return true;
}

void CTaskEditorModel::SetDueNone(bool none)
{
    m_form.hasDue = !none;
    if (none)
        m_form.hasStart = false;
    m_modified = true;
}

void CTaskEditorModel::SetStartDate(const CDateTime &date)
{
    m_modified = true;
    TaskForm &f = m_form;
    if (!date.IsValid()) {
        f.start = date;
        return;
    }
    const CDateTime day = date.DatePart();
    f.hasStart = true;
    if (IsSeries()) {
        // A series keeps its dates in step through its pattern.
        f.start = day;
        return;
    }
    if (!f.hasDue) {
        f.due = day;
        if (!f.reminderOn && f.reminder.IsValid())
            f.reminder = OnDayAt(day, f.reminder);
    } else if (m_lastStart.IsValid() && f.due.IsValid()) {
        const CDateSpan shift = day - m_lastStart;
        f.due = f.due + shift;
        if (f.reminder.IsValid())
            f.reminder = f.reminder + shift;
    }
    m_lastDue = f.due;
    m_lastStart = day;
    f.start = day;
}

void CTaskEditorModel::SetStartNone(bool none)
{
    m_form.hasStart = !none && m_form.hasDue;
    m_modified = true;
}

void CTaskEditorModel::SetReminderOn(bool on)
{
    m_form.reminderOn = on;
    m_modified = true;
}

void CTaskEditorModel::SetReminderDate(const CDateTime &date)
{
    m_modified = true;
    m_form.reminderDateBad = !date.IsValid();
    if (!date.IsValid())
        return;
    const CDateTime time = m_form.reminder.IsValid() ? m_form.reminder : CDateTime(0.0);
    m_form.reminder = OnDayAt(date, time);
}

void CTaskEditorModel::SetReminderTime(const CDateTime &time)
{
    m_form.reminderTimeBad = !time.IsValid();
    if (!time.IsValid())
        return;
    const CDateTime day = m_form.reminder.IsValid() ? m_form.reminder : m_form.due;
    m_form.reminder = OnDayAt(day, time);
    m_modified = true;
}

CDateTime CTaskEditorModel::ReminderBase() const
{
    if (m_form.hasDue && m_form.due.IsValid())
        return m_form.due;
    if (m_form.hasStart && m_form.start.IsValid())
        return m_form.start;
    return GetNow();
}

void CTaskEditorModel::ApplyReminderShift(int kind, const CDateSpan &span)
{
    if (!span.IsValid())
        return;
    // ">" and "<" name a span before or after the task's own date: never a date-time of its own.
    const CDateTime base = kind == 2 ? ReminderBase() : GetNow();
    m_form.reminder = base + span;
    m_modified = true;
}

// ---- Types ----

void CTaskEditorModel::ChooseItemType(int index)
{
    const IItemTypeCatalog *types = GetItemTypeCatalog();
    ItemTypeInfo info;
    if (!types || !types->GetTypeInfo(index, info))
        return;
    if (m_holder->GetRecordId() == 0 && m_task->GetRecordId() == 0) {
        m_task->SetItemType(index);
    } else {
        m_task->SetItemTypeIndex(index);
        m_task->SetItemTypeName(info.name);
    }
    m_modified = true;
}

CCalendarItem::PrefixResult CTaskEditorModel::ApplyTypePrefix(const IItemTypeCatalog &types)
{
    if (!m_settings.useTypePrefix)
        return CCalendarItem::PrefixResult::NoPrefix;
    QString text = m_form.subject;
    const auto result = m_task->ApplyItemTypePrefix(types, text);
    if (result != CCalendarItem::PrefixResult::Applied)
        return result;
    m_form.subject = text.trimmed();
    if (m_holder->GetRecordId() == 0 && m_task->GetRecordId() == 0)
        m_task->SetItemType(m_task->GetItemTypeIndex());
    m_modified = true;
    return result;
}

// ---- Commands ----

void CTaskEditorModel::ModifySeries()
{
    if (!m_occurrenceAlone)
        return;
    m_task->ReminderSoundRecord() = m_snapshot.sound;
    m_task->SetItemTypeName(m_snapshot.itemTypeName);
    m_task->SetItemTypeIndex(m_snapshot.itemTypeIndex);
    m_task->SetRecordId(m_holder->GetRecordId());
    m_occurrenceAlone = false;
    Fill();
}

void CTaskEditorModel::RecurrenceChanged(bool changed)
{
    TaskForm &f = m_form;
    if (changed && m_task->IsRecurring() && Usable(m_task->GetPatternStart())) {
        const CDateTime first = m_task->GetPatternStart().DatePart();
        const bool bothSet = f.hasDue && f.hasStart && f.due.IsValid() && f.start.IsValid();
        if (bothSet) {
            f.start = first - (f.due - f.start);
        } else {
            f.start = first;
            f.hasStart = false;
            if (!f.completed)
                f.completion = first;
        }
        if (f.reminderOn && f.reminder.IsValid() && f.due.IsValid())
            f.reminder = first - (f.due - f.reminder);
        else
            f.reminder = OnDayAt(first, f.reminder.IsValid() ? f.reminder : CDateTime(0.5));
        f.due = first;
        f.hasDue = true;
        m_lastDue = f.due;
        m_lastStart = f.start;
    }
    m_occurrenceAlone = false;
    m_modified = true;
}

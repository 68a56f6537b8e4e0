// Cell texts and sort order of the list views.
#include "views/list/ListEntryRules.h"

#include "core/dates/DateFormats.h"
#include "core/items/DatedDisplayItem.h"
#include "core/items/DisplayItem.h"
#include "core/dates/DurationText.h"
#include "core/items/TaskDisplayItem.h"
#include "core/items/TaskItem.h"
#include "views/list/ListColumns.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

namespace {

using D = CDisplayItem;

const CDateSpan kOneDay(1.0);

bool IsEvent(const D &e)
{
    return e.GetKind() == D::KindEvent;
}

const CDatedDisplayItem *Dated(const D &e)
{
    return dynamic_cast<const CDatedDisplayItem *>(&e);
}

const CTaskDisplayItem *Task(const D &e)
{
    return dynamic_cast<const CTaskDisplayItem *>(&e);
}

// The reminder moment, when the entry knows one.
bool ReminderTime(const D &e, CDateTime &out)
{
    if (!e.HasFlag(D::FlagReminderTime))
        return false;
    if (const CDatedDisplayItem *d = Dated(e))
        out = d->GetReminderTime();
    else if (const CTaskDisplayItem *t = Task(e))
        out = t->GetReminderTime();
    else
        return false;
    return true;
}

// The next occurrence; a zero date when the entry has none.
CDateTime NextDate(const D &e)
{
    if (const CDatedDisplayItem *d = Dated(e))
        return d->GetNextDate();
    return CDateTime(0.0);
}

CDateTime CompletedDate(const D &e)
{
    const CTaskDisplayItem *t = Task(e);
    return t && e.HasFlag(D::FlagCompleted) ? t->GetCompletedDate() : CDateTime(0.0);
}

int Priority(const D &e)
{
    const CTaskDisplayItem *t = Task(e);
    return t ? t->GetPriority() : CTaskItem::PriorityNormal;
}

int Status(const D &e)
{
    const CTaskDisplayItem *t = Task(e);
    return t ? t->GetStatus() : 0;
}

int Percent(const D &e)
{
    const CTaskDisplayItem *t = Task(e);
    return t ? t->GetPercentComplete() : 0;
}

double DateKey(const CDateTime &d)
{
    return d.IsValid() ? d.Linear() : 0.0;
}

template <typename T> int Cmp(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int CmpDate(const CDateTime &a, const CDateTime &b)
{
    return Cmp(DateKey(a), DateKey(b));
}

// The entry with the flag sorts after.
int CmpFlag(const D &a, const D &b, std::uint32_t bit)
{
    return Cmp(int(a.HasFlag(bit)), int(b.HasFlag(bit)));
}

// Recurring entries come first.
int RecurringFirst(const D &a, const D &b)
{
    return -CmpFlag(a, b, D::FlagRecurring);
}

// The lower item number sorts after.
int CmpItemNumber(const D &a, const D &b)
{
    return Cmp(b.GetItemRef(), a.GetItemRef());
}

// A task date: both set, by date; else the entry that has it sorts after.
int CmpTaskDate(const D &a, const D &b, std::uint32_t bit, const CDateTime &da, const CDateTime &db)
{
    const bool ha = a.HasFlag(bit), hb = b.HasFlag(bit);
    if (ha && hb)
        return CmpDate(da, db);
    return Cmp(int(ha), int(hb));
}

struct Context
{
    const QCollator &collator;
    int sortId;

    int Text(const QString &a, const QString &b) const { return collator.compare(a, b); }

    // The key of one column for two entries of one kind. `decided` is false where the column
    // leaves the order to the tie-breaks.
    int Key(const D &a, const D &b, int id, bool &decided) const
    {
        decided = true;
        switch (id) {
        case 0:
            return Cmp(a.GetItemTypeIndex(), b.GetItemTypeIndex());
        case 1:
            return CmpFlag(a, b, D::FlagRecurring);
        case 2:
            return CmpFlag(a, b, D::FlagReminder);
        case 3:
            return CmpFlag(a, b, D::FlagNotes);
        case 10:
            return CmpFlag(a, b, D::FlagLocked);
        case 4:
            return Text(a.GetSubject(), b.GetSubject());
        case 6:
            return Text(a.GetItemTypeName(), b.GetItemTypeName());
        case 7:
            return Text(a.GetCategories(), b.GetCategories());
        case 20:
            return Text(a.GetLocation(), b.GetLocation());
        case 8:
            return CmpDate(a.GetCreated(), b.GetCreated());
        case 9:
            return CmpDate(a.GetStamp(), b.GetStamp());
        case 16:
            return CmpDate(a.GetStart(), b.GetStart());
        case 17:
            return CmpDate(a.GetEnd(), b.GetEnd());
        case 18:
            return CmpDate(NextDate(a), NextDate(b));
        case 36:
            return CmpDate(CompletedDate(a), CompletedDate(b));
        case 19:
            return Cmp((a.GetEnd() - a.GetStart()).Value(), (b.GetEnd() - b.GetStart()).Value());
        case 5: {
            CDateTime ta, tb;
            const bool ha = ReminderTime(a, ta), hb = ReminderTime(b, tb);
            if (ha && hb)
                return CmpDate(ta, tb);
            if (ha != hb)
                return ha ? 1 : -1;
            if (IsEvent(a)) {
                decided = false;
                return 0;
            }
            return CmpFlag(a, b, D::FlagReminder);
        }
        case 32:
            return Cmp(Priority(b), Priority(a));
        case 33:
            return CmpFlag(a, b, D::FlagCompleted);
        case 34:
            return CmpTaskDate(a, b, D::FlagHasStart, a.GetStart(), b.GetStart());
        case 35:
            return CmpTaskDate(a, b, D::FlagHasDue, a.GetEnd(), b.GetEnd());
        case 37:
            return Cmp(Status(a), Status(b));
        case 38:
            return Cmp(Percent(a), Percent(b));
        default:
            return CmpItemNumber(a, b);
        }
    }

    int Events(const D &a, const D &b) const
    {
        bool decided = true;
        int r = Key(a, b, sortId, decided);
        if (r != 0)
            return r;
        if (sortId != 4 && (r = Text(a.GetSubject(), b.GetSubject())) != 0)
            return r;
        if (sortId != 16 && (r = CmpDate(a.GetStart(), b.GetStart())) != 0)
            return r;
        if (sortId != 0 && (r = Cmp(a.GetItemTypeIndex(), b.GetItemTypeIndex())) != 0)
            return r;
        if (sortId != 1 && (r = RecurringFirst(a, b)) != 0)
            return r;
        if (a.GetItemRef() == b.GetItemRef() &&
            (r = CmpDate(a.GetOccurrenceDate(), b.GetOccurrenceDate())) != 0)
            return r;
        if (sortId != 8 && (r = CmpDate(a.GetCreated(), b.GetCreated())) != 0)
            return r;
        return CmpItemNumber(a, b);
    }

    int Tasks(const D &a, const D &b) const
    {
        bool decided = true;
        int r = Key(a, b, sortId, decided);
        if (r != 0)
            return r;
        if (sortId != 35 && (r = CmpTaskDate(a, b, D::FlagHasDue, a.GetEnd(), b.GetEnd())) != 0)
            return r;
        if (sortId != 34 && (r = CmpTaskDate(a, b, D::FlagHasStart, a.GetStart(), b.GetStart())) != 0)
            return r;
        // Here the priority code itself: Urgent first.
        if (sortId != 32 && (r = Cmp(Priority(a), Priority(b))) != 0)
            return r;
        if (sortId != 4 && (r = Text(a.GetSubject(), b.GetSubject())) != 0)
            return r;
        if (sortId != 1 && (r = RecurringFirst(a, b)) != 0)
            return r;
        if (sortId != 8 && (r = CmpDate(a.GetCreated(), b.GetCreated())) != 0)
            return r;
        return CmpItemNumber(a, b);
    }

    int MixedTieBreaks(const D &event, const D &task) const
    {
        int r = 0;
        if (sortId != 0 && (r = Cmp(event.GetItemTypeIndex(), task.GetItemTypeIndex())) != 0)
            return r;
        if (sortId != 1 && (r = RecurringFirst(event, task)) != 0)
            return r;
        return 1;
    }

    // An event against a task.
    int Mixed(const D &event, const D &task) const
    {
        const int id = sortId;
        if ((id >= 0 && id <= 4) || (id >= 6 && id <= 10)) {
            bool decided = true;
            const int r = Key(event, task, id, decided);
            return r != 0 ? r : MixedTieBreaks(event, task);
        }
        if (id == 5) {
            CDateTime te, tt;
            const bool he = ReminderTime(event, te), ht = ReminderTime(task, tt);
            if (he && ht) {
                const int r = CmpDate(te, tt);
                return r != 0 ? r : MixedTieBreaks(event, task);
            }
            if (ht != he)
                return ht ? -1 : 1;
            return MixedTieBreaks(event, task);
        }
        if (id == 16 || id == 18 || id == 19 || id == 20)
            return 1;
        if (id >= 32 && id <= 38)
            return -1;
        return MixedTieBreaks(event, task);
    }
};

const QCollator &DefaultCollator()
{
    static const QCollator collator = [] {
        QCollator c{QLocale()};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

QString WeekdayDateTime(const CDateTime &d)
{
    return FormatDateTimeOrDate(d, false);
}

} // namespace

bool ListCellText(const CDisplayItem &entry, int columnId, QString &text)
{
    const ListColumnInfo *info = FindListColumn(columnId);
    if (!info || info->icon)
        return false;
    text.clear();
    const bool event = IsEvent(entry);
    const CTaskDisplayItem *task = event ? nullptr : Task(entry);
    switch (columnId) {
    case 4:
        text = entry.GetSubject();
        if (event)
            text += FormatAgeSuffix(entry.GetAge());
        break;
    case 5: {
        CDateTime t;
        if (ReminderTime(entry, t))
            text = WeekdayDateTime(t);
        break;
    }
    case 6:
        text = entry.GetItemTypeName();
        break;
    case 7:
        text = entry.GetCategories();
        break;
    case 20:
        if (event)
            text = entry.GetLocation();
        break;
    case 8:
        text = WeekdayDateTime(entry.GetCreated());
        break;
    case 9:
        text = WeekdayDateTime(entry.GetStamp());
        break;
    case 16:
        if (event)
            text = WeekdayDateTime(entry.GetStart());
        break;
    case 17:
        if (event)
            text = WeekdayDateTime(entry.GetEnd());
        break;
    case 18: {
        const CDateTime next = NextDate(entry);
        if (event && entry.HasFlag(D::FlagRecurring) && next.IsValid() && next.Value() != 0.0)
            text = WeekdayDateTime(next);
        break;
    }
    case 19:
        if (event)
            text = FormatDuration(entry.GetEnd() - entry.GetStart());
        break;
    case 34:
        if (task && entry.HasFlag(D::FlagHasStart))
            text = FormatWeekdayDate(entry.GetStart());
        break;
    case 35:
        // The stored end is the day after the due date.
        if (task && entry.HasFlag(D::FlagHasDue))
            text = FormatWeekdayDate(entry.GetEnd() - kOneDay);
        break;
    case 36:
        if (task && entry.HasFlag(D::FlagCompleted))
            text = FormatWeekdayDate(task->GetCompletedDate());
        break;
    case 37:
        if (task)
            text = GetTaskStatusName(task->GetStatus());
        break;
    case 38:
        if (task)
            text = QStringLiteral("%1%").arg(task->GetPercentComplete());
        break;
    default:
        break;
    }
    return true;
}

int CompareListEntries(const CDisplayItem &a, const CDisplayItem &b, int sortId, bool ascending,
                       const QCollator *collator)
{
    const Context context{collator ? *collator : DefaultCollator(), sortId};
    const int ka = a.GetKind(), kb = b.GetKind();
    int r = 0;
    if (ka == D::KindEvent && kb == D::KindEvent)
        r = context.Events(a, b);
    else if (ka == D::KindTask && kb == D::KindTask)
        r = context.Tasks(a, b);
    else if (ka == D::KindEvent && kb == D::KindTask)
        r = context.Mixed(a, b);
    else if (ka == D::KindTask && kb == D::KindEvent)
        r = -context.Mixed(b, a);
    else
        return CmpItemNumber(a, b);
    return ascending ? r : -r;
}

void SortListEntries(std::vector<std::unique_ptr<CDisplayItem>> &entries, int sortId, bool ascending)
{
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entries.begin(), entries.end(), [&](const auto &a, const auto &b) {
        return CompareListEntries(*a, *b, sortId, ascending, &collator) < 0;
    });
}

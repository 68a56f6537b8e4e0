// The sample calendar of the first start.
#include "shell/SampleCalendar.h"

#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/RecurrenceBits.h"
#include "core/items/TaskItem.h"

#include <QFile>
#include <QString>

namespace {

struct SampleEvent
{
    int dayOffset; // from the Monday of today's week
    int hour, minute;
    int durationMinutes; // 1440 and more: all-day
    const char *subject;
    const char *type;
    const char *location;
    const char *categories;
    std::uint32_t recurrence; // 0: a single event
    std::uint16_t dayNumber;
};

// clang-format off
constexpr SampleEvent kEvents[] = {
    {0, 9, 30, 60,   "Team meeting",            "Meeting",     "Room 2",         "Business",
     Recur::Weekly | Recur::ByDate | Recur::Monday, 0},
    {1, 18, 0, 60,   "Gym",                     "Appointment", "Riverside Club", "Personal",
     Recur::Weekly | Recur::ByDate | Recur::Tuesday | Recur::Thursday, 0},
    {1, 12, 30, 60,  "Lunch with Ann",          "Appointment", "Café Rosa",      "Personal",     0, 0},
    {2, 14, 0, 90,   "Project review",          "Meeting",     "Room 4",         "Business",     0, 0},
    {2, 16, 30, 45,  "Dentist",                 "Appointment", "Dr. Weber",      "Personal",     0, 0},
    {3, 10, 0, 15,   "Call the plumber",        "Phone Call",  "",               "Personal",     0, 0},
    {3, 11, 0, 60,   "Interview: new designer", "Meeting",     "Room 2",         "Business",     0, 0},
    {4, 0, 0, 1440,  "Mum's birthday",          "Birthday",    "",               "Personal",
     Recur::Yearly | Recur::ByDate, 0},
    {4, 19, 30, 150, "Concert",                 "Appointment", "City Hall",      "Personal",     0, 0},
    {8, 9, 0, 120,   "Quarterly planning",      "Meeting",     "Board room",     "Business",     0, 0},
    {10, 13, 0, 60,  "Car service",             "Appointment", "Autohaus Lind",  "Personal",     0, 0},
    {12, 0, 0, 4320, "Weekend in Lisbon",       "Travel",      "Lisbon",         "Personal",     0, 0},
    {0, 0, 0, 1440,  "Pay the rent",            "Payment",     "",               "Personal",
     Recur::Monthly | Recur::ByDate, 1},
};

struct SampleTask
{
    int dueOffset; // from today; kNoDue for none
    int priority;
    const char *subject;
    const char *categories;
    bool completed;
};
constexpr int kNoDue = 1000;
constexpr SampleTask kTasks[] = {
    {-1,     0, "File the tax return",      "Personal", false},
    {2,      1, "Book train tickets",       "Personal", false},
    {7,      2, "Renew passport",           "Personal", false},
    {4,      2, "Send the review minutes",  "Business", false},
    {kNoDue, 3, "Read the Tessivo help",    "",         false},
    {-2,     2, "Water the plants",         "Personal", true},
};
// clang-format on

void TakeType(CCalendarItem &item, CCalendarDocument &document, const char *name)
{
    const QString typeName = QString::fromUtf8(name);
    const int index = document.GetItemTypes().FindType(typeName);
    if (index < 0)
        return; // a renamed or deleted type: the item keeps the default look
    item.SetItemTypeIndex(index);
    item.SetItemTypeName(typeName);
}

CDateTime DayAt(const CDateTime &day, int hour, int minute)
{
    return CDateTime(day.GetYear(), day.GetMonth(), day.GetDay(), hour, minute, 0);
}

} // namespace

HRESULT FillSampleCalendar(CCalendarDocument &document, const CDateTime &today)
{
    const CDateTime midnight = DayAt(today, 0, 0);
    // Monday of this week: GetDayOfWeek counts 1 Sunday .. 7 Saturday.
    const int sinceMonday = (midnight.GetDayOfWeek() + 5) % 7;
    const CDateTime monday = midnight + CDateSpan(-sinceMonday, 0, 0, 0);

    for (const SampleEvent &e : kEvents) {
        CEventItem event;
        CDateTime day = monday + CDateSpan(e.dayOffset, 0, 0, 0);
        if (e.recurrence & Recur::Monthly)
            day = CDateTime(midnight.GetYear(), midnight.GetMonth(), e.dayNumber, 0, 0, 0);
        const CDateTime start = DayAt(day, e.hour, e.minute);
        event.SetSubject(QString::fromUtf8(e.subject));
        event.SetLocation(QString::fromUtf8(e.location));
        event.SetCategories(QString::fromUtf8(e.categories));
        TakeType(event, document, e.type);
        event.SetStart(start);
        event.SetDuration(CDateSpan(0, 0, e.durationMinutes, 0));
        if (e.recurrence != 0)
            event.SetRecurrence(e.recurrence, 1, e.dayNumber, DayAt(start, 0, 0), CDateTime());
        if (const HRESULT hr = document.StoreEvent(event, true); hr != S_OK)
            return hr;
    }
    for (const SampleTask &t : kTasks) {
        CTaskItem task;
        task.SetSubject(QString::fromUtf8(t.subject));
        task.SetCategories(QString::fromUtf8(t.categories));
        task.SetPriority(t.priority);
        if (t.dueOffset != kNoDue)
            task.SetDueDate(midnight + CDateSpan(t.dueOffset, 0, 0, 0));
        if (t.completed)
            task.MarkCompleted(midnight + CDateSpan(t.dueOffset, 0, 0, 0));
        if (const HRESULT hr = document.StoreTask(task, true); hr != S_OK)
            return hr;
    }
    return S_OK;
}

bool CreateSampleDataFile(const QString &path, const QString &title, const CDateTime &today)
{
    if (QFile::exists(path))
        return true;
    if (CCalendarDocument::CreateFreshDataFile(path, title, QString()) != S_OK)
        return false;
    CCalendarDocument document;
    if (document.OpenCalendarFile(path, QString(), nullptr, false) != S_OK)
        return true; // the empty file stays; the program opens it like any other
    FillSampleCalendar(document, today);
    document.CloseCalendarFile();
    return true;
}

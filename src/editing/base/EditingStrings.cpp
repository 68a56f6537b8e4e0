// The editing dialogs' own texts.
#include "editing/base/EditingStrings.h"

#include "core/system/StringTable.h"

#include <algorithm>
#include <iterator>

namespace {
struct Entry
{
    int id;
    const char *text;
};

// Sorted by id.
constexpr Entry kTexts[] = {
    {EditText::RecordIdMismatch, "The event cannot be saved: the edited record no longer matches the stored "
                                 "event. Your changes are still "
                                 "in the editor."},
    {58012,
     "The reminder for an occurrence cannot be set to appear before the previous occurrence.\nShorten the "
     "reminder time or lengthen the recurrence period."},
    {58013,
     "Some months have fewer than %d days. For these months, the occurrence will fall on the last day of "
     "the month."},
    {58037,
     "The duration of the event cannot be longer then selected recurrence pattern.\nShorten the duration "
     "time or lengthen the recurrence period."},
    {58039, "You must give the item type a name."},
    {58040, "Another item type with this name already exists. Enter a different name."},
    {58257, " ( local )"},
    {59166, "Icon Files|*.ico; *.exe; *.dll; *.icl|Programs|*.exe|Libraries|*.dll;*.icl|Icons|*.ico|All "
            "Files|*.*||"},
    {59173, "New %s"},
    {59174, "Modify %s"},
    {59180, "New Recurring %s"},
    {59181, "Modify Recurring %s"},
    {59182, "Modify an occurrence of the recurring %s"},
    {59188, "The recurrence pattern is not valid."},
    {59190, "Recurrence"},
    {59191, "Time"},
    {59214, "Two occurrences of \"%s\" cannot occur on the same day."},
    {59215,
     "Cannot reschedule an occurrence of the recurring event \"%s\" if it skips over a later occurrence of "
     "the same event."},
    {59221, "Cannot set a reminder to appear before the previous occurrence of \"%s\". The reminder will be "
            "reset."},
    {59222,
     "Cannot reschedule an occurrence of the recurring event \"%s\" if it skips over an earlier occurrence "
     "of the same event."},
    {59250, "Please enter a shorter duration."},
    {59251,
     "The duration you entered is not valid.\nPlease read 'Date and time shortcuts' in the help file."},
    {59252, "The end date you entered occurs before the start date."},
    {59253, "Please specify a valid date."},
    {59254, "Please specify a valid time."},
    {59259, "The due date of a task cannot occur before its start date."},
    {59280, "%s (%d pt.)"},
    {59287, "The file %s contains no icons."},
    {59314, "The end date cannot be less then the start date."},
    {59315, "You have modified the recurrence pattern.\nDo you want to keep exceptions associated with this "
            "recurring event?"},
    {59383, "%s Properties"},
    {59388, " ( snoozed )"},
    {59406, "Business,Gifts,Holiday,Ideas,Miscellaneous,Personal,Phone Calls,Waiting"},
    {59408, "Please decrease the number of selected categories."},
    {59425, "< none >"},
    {59428, " < not found >"},
    {59435, "Since this task is complete, its reminder has been turned off."},
    {61204, "Do you want to save changes?"},
    {61206, "\"%s\" is a recurring event. Do you want to modify only this occurrence or the series?"},
    {61207,
     "\"%s\" is a recurring event. Do you want to delete all occurrences of the event, or just this one?"},
    {61208, "Confirm Delete"},
    {61209, "Modify Recurring Event"},
    {61210, "Delete &all."},
    {61211, "Delete this &occurrence."},
    {61212, "Modify the &series."},
    {61213, "&Modify this occurrence."},
    {61221,
     "The task \"%s\" is set to recur in the future. Do you want to delete all future occurrences of the "
     "task, or just this one?"},
    {61222, "\"%s\" is a recurring task. Do you want to modify only this occurrence or the series?"},
    {61256, "The Master Category List will be reset to contain only the categories provided with Tessivo."},
    {61266, "The Location List will be cleared."},
};
} // namespace

QString EditingText(int id)
{
    const auto it = std::lower_bound(std::begin(kTexts), std::end(kTexts), id,
                                     [](const Entry &e, int key) { return e.id < key; });
    if (it != std::end(kTexts) && it->id == id)
        return QString::fromUtf8(it->text);
    return LoadResString(id);
}

// String table: user-facing texts as they stand, sorted by id. "\n" is a line break.
#include "core/system/StringTable.h"

#include "core/system/ConstStrings.h"

#include <QString>
#include <algorithm>
#include <iterator>

namespace {
struct Entry
{
    int id;
    const char *text; // UTF-8
};

// Keep sorted by id; each area adds its own texts here.
constexpr Entry kStrings[] = {
    {20701, "New &Event"},
    {20702, "New Re&curring Event"},
    {20703, "New &Task"},
    {20704, "&Paste"},
    {20705, "&Zoom Day"},
    {20706, "Go to &Today"},
    {20707, "&Go to Date..."},
    {20708, "&Open"},
    {20709, "&Print"},
    {20710, "Cu&t"},
    {20711, "&Copy"},
    {20712, "&Delete"},
    {20713, "Con&vert to Task"},
    {20714, "Con&vert to Event"},
    {20715, "&Lock"},
    {20716, "&Unlock"},
    {20717, "P&roperties"},
    {20718, "Mar&k Complete"},
    {58002, "Are you sure you want to delete the '%s' item?"},
    {58003, "Are you sure you want to delete these %d items?"},
    {58004, "Alarm"},
    {58005, "Appointment"},
    {58006, "Anniversary"},
    {58007, "Birthday"},
    {58008, "Phone Call"},
    {58009, "Holiday"},
    {58010, "Meeting"},
    {58015, " (Read-Only)"},
    {58016, "You cannot modify calendar data. You are in Read-Only mode."},
    {58019, "You are about to convert this event to a task. Are you sure you want to do this?"},
    {58022, "You are about to convert this task to an event. Are you sure you want to do this?"},
    {58034, "Cannot show next reminder."},
    {58048, "Payment"},
    {58049, "Internet"},
    {58050, "TV program"},
    {58052, "Travel"},
    {59175, "No sound"},
    {59176, "Default Beep"},
    {59179, " ( Repeat sound with delay of %d:%#02d )"},
    {59186, "\n%s-%s - [%s]"},
    {59187, "\nAll Day - [%s]"},
    {59193, "Every day effective %s "},
    {59194, "Every %d days effective %s "},
    {59195, "Every %s effective %s "},
    {59196, "Every %d weeks on %s effective %s "},
    {59197, "Day %d of every month effective %s "},
    {59198, "Day %d of every %d months effective %s "},
    {59199, "first"},
    {59200, "second"},
    {59201, "third"},
    {59202, "fourth"},
    {59203, "last"},
    {59204, "The %s %s of every month effective %s "},
    {59205, "The %s %s of every %d months effective %s "},
    {59206, "Every %s %d effective %s "},
    {59207, "The %s %s of %s effective %s "},
    {59208, "until %s "},
    {59212, "from %s to %s."},
    {59213, "from %s for %s."},
    {59218, "qv1"},
    {59219, "This data file was created with a previous version of Tessivo.\nThe program has to convert it to the new format.\n\nThe old file will be saved as\n%s\n\nDo you want to continue?"},
    {59241, "minute"},
    {59242, "minutes"},
    {59243, "hour"},
    {59244, "hours"},
    {59245, "day"},
    {59246, "days"},
    {59258, "qv2"},
    {59261, "\nTask - [%s]"},
    {59262, "\n%s - [%s]"},
    {59282,
     "The password you have typed is incorrect.  Please try again.\n\nYou may have made a typing error or "
     "typed the password for a different file.\n"},
    {59300, "ALL"},
    {59311, "< undefined >"},
    {59316, " (%d years)"},
    {59321, "Personal Calendar"},
    {59322, "The New password and Verify Password entries must be identical."},
    {59368, "The data file is locked for editing by another user.\n\nDo you want to open it in read-only mode?"},
    {59369, "The data file is read-only.\n\nDo you want to open it in read-only mode?"},
    {59380, " (%d)"},
    {59395, "Not Started"},
    {59396, "In Progress"},
    {59397, "Completed"},
    {59398, "Awaiting"},
    {59399, "Postponed"},
    {59419, "Urgent"},
    {59420, "High"},
    {59421, "Low"},
    {59422, "Lowest"},
    {59423, "Normal"},
    {59434, "Do you want to create tasks with Due Dates?"},
    {61259, "The item \"%s\" cannot be deleted."},
    {61264, " (%s)"},
    {61272, " [%s]"},
    {61900, "The items to paste are damaged or incomplete. Nothing was pasted."},
    {61901, "The data file is damaged. Its items can still be read, but no change can be stored "
            "in it.\n\nThe file is opened in read-only mode."},
};

static_assert(std::is_sorted(std::begin(kStrings), std::end(kStrings),
                             [](const Entry &a, const Entry &b) { return a.id < b.id; }),
              "string table must stay sorted by id");
} // namespace

bool FindResString(int id, QString &out)
{
    const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                     [](const Entry &e, int key) { return e.id < key; });
    if (it == std::end(kStrings) || it->id != id) {
        out.clear();
        return false;
    }
    out = QString::fromUtf8(it->text);
    return true;
}

QString LoadResString(int id)
{
    QString text;
    if (!FindResString(id, text))
        text = QStringLiteral("Unknown resource %1.\n\nPlease contact %2.")
                   .arg(id)
                   .arg(GetConstString(ConstName::SupportAddress));
    return text;
}

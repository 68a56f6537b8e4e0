// The main window's commands and their texts.
#include "shell/MainCommands.h"

#include "shell/CommandArt.h"
#include "shell/ShellCommands.h"
#include "toolkit/commands/CommandTable.h"

#include <QPixmap>

namespace {

struct CommandText
{
    int id;
    const char *text;    // menu text
    const char *strings; // "prompt\ntip"
    const char *keys;    // accelerator in portable text
};

using namespace ShellCmd;

// clang-format off
constexpr CommandText kCommands[] = {
    // File
    {FileNew, "&New...", "Creates a new data file.\nNew Data File", "Ctrl+N"},
    {FileOpen, "&Open...", "Opens a data file.\nOpen Data File", "Ctrl+O"},
    {FileClose, "&Close", "Closes the data file.\nClose Data File", ""},
    {Rename, "&Rename Calendar...", "Gives the calendar another name.\nRename Calendar", ""},
    {ChangePassword, "Change Pass&word...", "Changes the password of the data file.\nChange Password", ""},
    {Properties, "Properties...", "Shows the properties of the data file.\nProperties", ""},
    {ImportExport, "&Import and Export...", "Imports items from other files or exports them.\nImport and Export", ""},
    {BackUp, "&Back Up...", "Makes a backup of the data file.\nBack Up", ""},
    {RestoreBackup, "&Restore Backup...", "Restores a data file from a backup.\nRestore Backup", ""},
    {Archive, "&Archive...", "Moves old items into an archive data file.\nArchive", ""},
    {SaveAsWebPage, "Save as Web Pa&ge...", "Publishes the calendar as web pages.\nSave as Web Page", ""},
    {PageSetupDay, "&Day...", "Sets up the pages of the Day print style.\nPage Setup: Day", ""},
    {PageSetupMultiDay, "M&ulti-day...", "Sets up the pages of the Multi-day print style.\nPage Setup: Multi-day", ""},
    {PageSetupWeek, "&Week...", "Sets up the pages of the Week print style.\nPage Setup: Week", ""},
    {PageSetupMonth, "&Month...", "Sets up the pages of the Month print style.\nPage Setup: Month", ""},
    {PageSetupYear, "&Year...", "Sets up the pages of the Year print style.\nPage Setup: Year", ""},
    {PageSetupTable, "&Table...", "Sets up the pages of the Table print style.\nPage Setup: Table", ""},
    {PageSetupDetails, "D&etails...", "Sets up the pages of the Details print style.\nPage Setup: Details", ""},
    {PageSetupMemo, "Me&mo...", "Sets up the pages of the Memo print style.\nPage Setup: Memo", ""},
    {PrintPreview, "Print Pre&view", "Previews pages before printing.\nPrint Preview", ""},
    {PreviewDay, "Day", "Previews the Day print style.\nPrint Preview: Day", ""},
    {PreviewMultiDay, "Multi-day", "Previews the Multi-day print style.\nPrint Preview: Multi-day", ""},
    {PreviewWeek, "Week", "Previews the Week print style.\nPrint Preview: Week", ""},
    {PreviewMonth, "Month", "Previews the Month print style.\nPrint Preview: Month", ""},
    {PreviewYear, "Yearly", "Previews the Year print style.\nPrint Preview: Year", ""},
    {PreviewTable, "Table", "Previews the Table print style.\nPrint Preview: Table", ""},
    {PreviewDetails, "Details", "Previews the Details print style.\nPrint Preview: Details", ""},
    {PreviewMemo, "Memo", "Previews the Memo print style.\nPrint Preview: Memo", ""},
    {Print, "&Print...", "Prints the active view.\nPrint", "Ctrl+P"},
    {CloseWindow, "Close &Window", "Closes the window; reminders go on from the notification area.\nClose Window", ""},
    {Exit, "E&xit", "Ends Tessivo: no more reminders until it starts again.\nExit", ""},

    // Edit
    {NewEventDefault, "New &Event", "Creates an event of the default item type.\nNew Event", ""},
    {NewTask, "New &Task", "Creates a task.\nNew Task", ""},
    {OpenItem, "&Open Item", "Opens the selected item.\nOpen Item", ""},
    {ItemProperties, "P&roperties", "Shows the properties of the selected item.\nItem Properties", ""},
    {Cut, "Cu&t", "Moves the selected items to the clipboard.\nCut", "Ctrl+X"},
    {Copy, "&Copy", "Copies the selected items to the clipboard.\nCopy", "Ctrl+C"},
    {Paste, "&Paste", "Inserts the items of the clipboard.\nPaste", "Ctrl+V"},
    {Delete, "&Delete", "Deletes the selected items.\nDelete", "Del"},
    {ConvertToTask, "Con&vert to Task", "Turns the selected events into tasks.\nConvert to Task", ""},
    {ConvertToEvent, "Convert to &Event", "Turns the selected tasks into events.\nConvert to Event", ""},
    {Lock, "&Lock", "Locks the selected items against changes.\nLock", ""},
    {Unlock, "&Unlock", "Unlocks the selected items.\nUnlock", ""},
    {MarkComplete, "Mar&k Complete", "Marks the selected tasks complete.\nMark Complete", ""},
    {Find, "&Find...", "Searches for text in the data file.\nFind", "Ctrl+F"},

    // View
    {ViewDay, "&Day", "Shows the Day view.\nDay", "Alt+1"},
    {ViewMultiDay, "M&ulti-day", "Shows the Multi-day view.\nMulti-day", ""},
    {ViewWorkWeek, "&Work Week", "Shows the work week.\nWork Week", "Alt+-"},
    {ViewWeek, "W&eek", "Shows the Week view.\nWeek", ""},
    {ViewMonth, "&Month", "Shows the Month view.\nMonth", "Alt+="},
    {ViewYear, "&Year", "Shows the Year view.\nYear", ""},
    {ViewEventList, "Event &List", "Shows the Event List.\nEvent List", ""},
    {ViewTasks, "&Tasks", "Shows Tasks.\nTasks", ""},
    {HiddenItems, "&Hidden Items", "Shows or hides the hidden items.\nHidden Items", ""},
    {NavigatorBar, "Show Date &Navigator Bar", "Shows or hides the Date Navigator.\nDate Navigator Bar", "F4"},
    {TaskPad, "Sho&w TaskPad", "Shows or hides the TaskPad.\nTaskPad", ""},
    {DetailsPane, "Show D&etails Pane", "Shows or hides the details of the selected item.\nDetails Pane", "F3"},
    {ShowInDayView, "Show in &Day View", "Shows the item in the Day view.\nShow in Day View", ""},
    {ToggleToolbar, "&Toolbar", "Shows or hides the toolbar.\nToggle Toolbar", ""},
    {ToggleInfoBar, "&Information Bar", "Shows or hides the information bar.\nToggle Information Bar", ""},
    {ToggleStatusBar, "&Status Bar", "Shows or hides the status bar.\nToggle Status Bar", ""},
    {FullScreen, "F&ull Screen", "Maximizes window to full screen.\nToggle Full Screen (F11)", "F11"},
    {CustomizeView, "Customize &View...", "Changes how the active view shows its items.\nCustomize View", ""},
    {LeaveSearch, "Close Search", "Goes back to the view shown before the search.\nClose Search", ""},
    {ShowAll, "&Show ALL", "Shows every item: no filter.\nShow ALL", ""},
    {IncludePast, "Include &Past Items", "Lists past items too.\nInclude Past Items", ""},
    {DefineFilters, "&Define Filters...", "Makes, changes and deletes the saved filters.\nDefine Filters", ""},

    // The views' own commands, offered in "Current View"
    {32794, "&60 Minutes", "Shows an hour per row.\n60 Minutes", ""},
    {32795, "&30 Minutes", "Shows half an hour per row.\n30 Minutes", ""},
    {32796, "1&5 Minutes", "Shows a quarter of an hour per row.\n15 Minutes", ""},
    {32797, "&10 Minutes", "Shows ten minutes per row.\n10 Minutes", ""},
    {32798, "6 &Minutes", "Shows six minutes per row.\n6 Minutes", ""},
    {32799, "5 Min&utes", "Shows five minutes per row.\n5 Minutes", ""},
    {34867, "&Work Time Only", "Shows the work time only.\nWork Time Only", ""},
    {32891, "Whole &Month", "Shows the whole month.\nWhole Month", ""},
    {34864, "Show &All Days", "Shows every day of the week.\nAll Days", ""},
    {34863, "Show W&ork Days Only", "Shows the work days only.\nWork Days Only", ""},
    {34862, "Show Wee&kend Days Only", "Shows the weekend days only.\nWeekend Days Only", ""},
    {34753, "Acti&ve Tasks", "Shows the active tasks.\nActive Tasks", ""},
    {34755, "&Overdue Tasks", "Shows the overdue tasks.\nOverdue Tasks", ""},
    {34756, "&Completed Tasks", "Shows the completed tasks.\nCompleted Tasks", ""},
    {34757, "&All Tasks", "Shows all tasks.\nAll Tasks", ""},

    // Go
    {GoToToday, "Go to &Today", "Goes to today.\nGo to Today", ""},
    {GoToDate, "&Go to Date...", "Goes to a date you choose.\nGo to Date", "Ctrl+G"},
    {Previous, "&Previous", "Goes to the previous period.\nPrevious", ""},
    {Next, "&Next", "Goes to the next period.\nNext", ""},
    {Refresh, "&Refresh", "Reads the items of the view again.\nRefresh", "F5"},

    // Tools
    {SoundEnable, "&Enable", "Plays the reminder sounds.\nSound On", ""},
    {SoundDisable, "&Disable", "Keeps the reminders silent.\nSound Off", ""},
    {EnableReminders, "&Enable Reminders", "Turns the reminders on or off.\nEnable Reminders", ""},
    {MinimiseAllReminders, "&Minimize All Reminders", "Minimizes every reminder window.\nMinimize All Reminders", ""},
    {RestoreAllReminders, "Restore &All Reminders", "Shows every reminder window again.\nRestore All Reminders", ""},
    {Options, "&Options...", "Changes the settings of Tessivo.\nOptions", ""},

    // Help
    {HelpTopics, "&Help Topics", "Opens the help.\nHelp Topics", "F1"},
    {Web, "Tessivo on the &Web", "Opens the Tessivo web site.\nTessivo on the Web", ""},
    {Support, "&Technical Support", "Writes to technical support.\nTechnical Support", ""},
    {Newsletter, "Subscribe to the Newsletter", "Subscribes you to the Tessivo newsletter.\nNewsletter", ""},
    {About, "&About Tessivo...", "Shows the version of Tessivo.\nAbout", ""},

    // Handheld modules, when one is installed
    {SyncPocketPc, "S&ynchronize with Pocket PC", "", ""},
    {PocketPcSettings, "Wendalink for Pocket PC &Settings...", "", ""},
    {PocketPcAbout, "&About Wendalink for Pocket PC", "", ""},
    {SyncSmartphone, "Synchronize with S&martphone", "", ""},
    {SmartphoneSettings, "Wendalink for Sma&rtphone Settings...", "", ""},
    {SmartphoneAbout, "A&bout Wendalink for Smartphone", "", ""},
    {PalmSettings, "Wendalink for Palm &Settings...", "", ""},
};
// clang-format on

} // namespace

void AddMainCommands(CCommandTable &table)
{
    for (const CommandText &c : kCommands)
        table.Add(c.id, QString::fromUtf8(c.text), QString::fromUtf8(c.strings),
                  QKeySequence(QString::fromLatin1(c.keys), QKeySequence::PortableText));
    // The Multi-day menu: "&2 Days\tAlt+2" .. "1&0 Days\tAlt+0", then "11 Days" .. "14 Days".
    for (int id = MultiDayFirst; id <= MultiDayLast; ++id) {
        const int days = id - 32866;
        QString text = days < 10 ? QStringLiteral("&%1 Days").arg(days)
                                 : days == 10 ? QStringLiteral("1&0 Days") : QStringLiteral("%1 Days").arg(days);
        const QKeySequence keys = days <= 10 ? QKeySequence(QStringLiteral("Alt+%1").arg(days % 10)) : QKeySequence();
        table.Add(id, text, QStringLiteral("Shows %1 days in the Multi-day view.\n%1 Days").arg(days), keys);
    }
}

void AddMainCommandImages(CCommandTable &table)
{
    const QList<int> commands = CommandArtCommands();
    const QImage strip = DrawCommandStrip(commands, 16);
    QList<QPixmap> images;
    for (qsizetype i = 0; i < commands.size(); ++i)
        images.append(QPixmap::fromImage(strip.copy(int(i) * 16, 0, 16, 16)));
    table.SetImages(images, commands);
}

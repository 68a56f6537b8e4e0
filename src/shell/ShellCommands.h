// The command ids of the tray menu, the application and the main window.
#pragma once

namespace ShellCmd {
// Application and tray.
inline constexpr int About = 57664;
inline constexpr int Options = 34731;
inline constexpr int Web = 32820;
inline constexpr int OnlineHelp = 32866;
inline constexpr int Support = 34729;
inline constexpr int Newsletter = 32907;
inline constexpr int HelpTopics = 57670;
inline constexpr int SoundEnable = 32824;
inline constexpr int SoundDisable = 32823;
inline constexpr int EnableReminders = 32919;
inline constexpr int MinimiseAllReminders = 32791;
inline constexpr int RestoreAllReminders = 32897;
inline constexpr int StopAllSounds = 34815;
inline constexpr int PrintSetup = 57606;
inline constexpr int Restore = 32818;
inline constexpr int Exit = 57665;
inline constexpr int NewTask = 34747;
inline constexpr int NewEventDefault = 33022;
inline constexpr int NewEventFirst = 33023;
inline constexpr int NewRecurringFirst = 33123;

// Data file.
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int RecentFirst = 57616;
inline constexpr int RecentLast = 57631;
inline constexpr int Rename = 32921;
inline constexpr int ChangePassword = 32819;
inline constexpr int Properties = 34807;
inline constexpr int ImportExport = 32784;
inline constexpr int BackUp = 32825;
inline constexpr int RestoreBackup = 34728;
inline constexpr int Archive = 34723;
inline constexpr int SaveAsWebPage = 32893;
inline constexpr int PrintPreview = 32900;
inline constexpr int Print = 57607;

// Views and window.
inline constexpr int ViewDay = 32803;
inline constexpr int ViewMultiDay = 32867;
inline constexpr int ViewWorkWeek = 34724;
inline constexpr int ViewWeek = 32804;
inline constexpr int ViewMonth = 32802;
inline constexpr int ViewYear = 34738;
inline constexpr int ViewEventList = 32894;
inline constexpr int ViewTasks = 34746;
inline constexpr int Find = 34730;
inline constexpr int GoToToday = 32805;
inline constexpr int ToggleToolbar = 59392;
inline constexpr int ToggleInfoBar = 32801;
inline constexpr int ToggleStatusBar = 59393;
inline constexpr int FullScreen = 32813;
inline constexpr int CloseWindow = 32816;
inline constexpr int ShowAll = 32895;
inline constexpr int DefineFilters = 34732;
inline constexpr int MultiDayFirst = 32868; // 2 days; id - 32866 days up to 14
inline constexpr int MultiDayLast = 32880;
inline constexpr int HiddenItems = 32911;
inline constexpr int NavigatorBar = 32814;
inline constexpr int TaskPad = 34789;
inline constexpr int DetailsPane = 34855;
inline constexpr int ShowInDayView = 34866;
inline constexpr int CustomizeView = 32808;
inline constexpr int LeaveSearch = 34784;
inline constexpr int IncludePast = 34861;
inline constexpr int FilterTypeFirst = 33323;
inline constexpr int FilterCategoryFirst = 33423;
inline constexpr int SavedFilterFirst = 33523;
inline constexpr int ListRangeSize = 100; // item types, categories and saved filters per list

// Moving through the calendar (the active view container's).
inline constexpr int GoToDate = 32806;
inline constexpr int Previous = 34733;
inline constexpr int Next = 34734;
inline constexpr int Refresh = 34735;

// Items (the active view container's).
inline constexpr int OpenItem = 32809;
inline constexpr int ItemProperties = 32817;
inline constexpr int Cut = 57635;
inline constexpr int Copy = 57634;
inline constexpr int Paste = 57637;
inline constexpr int Delete = 32811;
inline constexpr int ChangeTypeFirst = 33223;
inline constexpr int ConvertToTask = 34777;
inline constexpr int ConvertToEvent = 34858;
inline constexpr int Lock = 34847;
inline constexpr int Unlock = 34848;
inline constexpr int MarkComplete = 34751;

// Page setup per print style: Day, Multi-day, Week, Month, Year, Table, Details, Memo.
inline constexpr int PageSetupDay = 34818;
inline constexpr int PageSetupMultiDay = 34790;
inline constexpr int PageSetupWeek = 34819;
inline constexpr int PageSetupMonth = 34820;
inline constexpr int PageSetupYear = 34742;
inline constexpr int PageSetupTable = 34821;
inline constexpr int PageSetupDetails = 32898;
inline constexpr int PageSetupMemo = 32899;
// Print preview per print style.
inline constexpr int PreviewDay = 32901;
inline constexpr int PreviewMultiDay = 34791;
inline constexpr int PreviewWeek = 32902;
inline constexpr int PreviewMonth = 32903;
inline constexpr int PreviewYear = 34743;
inline constexpr int PreviewTable = 32904;
inline constexpr int PreviewDetails = 32905;
inline constexpr int PreviewMemo = 32906;

// Handheld synchronisation modules (absent on this platform).
inline constexpr int SyncPocketPc = 34811;
inline constexpr int PocketPcSettings = 34812;
inline constexpr int PocketPcAbout = 34813;
inline constexpr int SyncSmartphone = 34814;
inline constexpr int SmartphoneSettings = 34815;
inline constexpr int SmartphoneAbout = 34816;
inline constexpr int PalmSettings = 32909;
} // namespace ShellCmd

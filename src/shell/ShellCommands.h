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
} // namespace ShellCmd

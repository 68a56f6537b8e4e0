// The texts of the editing dialogs, keyed by their string ids, as they stand.
#pragma once

#include <QString>

// String ids of the editing dialogs.
namespace EditText {
inline constexpr int DeleteItemQuestion = 58002;
inline constexpr int Anniversary = 58006;
inline constexpr int Birthday = 58007;
inline constexpr int Holiday = 58009;
inline constexpr int ReminderBeforePrevious = 58012;
inline constexpr int ShortMonthsQuestion = 58013;
inline constexpr int DurationLongerThanPattern = 58037;
inline constexpr int TypeNameMissing = 58039;
inline constexpr int TypeNameTaken = 58040;
inline constexpr int LocalCategorySuffix = 58257;
inline constexpr int NewItemTitle = 59173;
inline constexpr int ModifyItemTitle = 59174;
inline constexpr int NewRecurringTitle = 59180;
inline constexpr int ModifyRecurringTitle = 59181;
inline constexpr int ModifyOccurrenceTitle = 59182;
inline constexpr int PatternNotValid = 59188;
inline constexpr int RecurrenceHeading = 59190;
inline constexpr int TimeHeading = 59191;
inline constexpr int IconFileFilter = 59166;
inline constexpr int SameDayOccurrences = 59214;
inline constexpr int SkipsLaterOccurrence = 59215;
inline constexpr int ReminderWillBeReset = 59221;
inline constexpr int SkipsEarlierOccurrence = 59222;
inline constexpr int ShorterDuration = 59250;
inline constexpr int DurationNotValid = 59251;
inline constexpr int EndBeforeStart = 59252;
inline constexpr int InvalidDate = 59253;
inline constexpr int InvalidTime = 59254;
inline constexpr int DueBeforeStart = 59259;
inline constexpr int FontSample = 59280;
inline constexpr int NoIconsInFile = 59287;
inline constexpr int UndefinedType = 59311;
inline constexpr int EndBeforePatternStart = 59314;
inline constexpr int KeepExceptionsQuestion = 59315;
inline constexpr int PropertiesTitle = 59383;
inline constexpr int Snoozed = 59388;
inline constexpr int DefaultCategories = 59406;
inline constexpr int TooManyCategories = 59408;
inline constexpr int NoneMenuItem = 59425;
inline constexpr int SoundNotFound = 59428;
inline constexpr int CompletedReminderOff = 59435;
inline constexpr int SaveChangesQuestion = 61204;
inline constexpr int ModifyEventOccurrence = 61206;
inline constexpr int DeleteEventOccurrence = 61207;
inline constexpr int ConfirmDeleteCaption = 61208;
inline constexpr int ModifyRecurringCaption = 61209;
inline constexpr int DeleteAll = 61210;
inline constexpr int DeleteThisOccurrence = 61211;
inline constexpr int ModifyTheSeries = 61212;
inline constexpr int ModifyThisOccurrence = 61213;
inline constexpr int DeleteTaskOccurrence = 61221;
inline constexpr int ModifyTaskOccurrence = 61222;
inline constexpr int ResetCategoriesQuestion = 61256;
inline constexpr int ClearLocationsQuestion = 61266;
// Texts of this library without a number of their own.
inline constexpr int RecordIdMismatch = -1;
} // namespace EditText

// The text of an editing string id; ids this library does not hold come from the program's table.
QString EditingText(int id);

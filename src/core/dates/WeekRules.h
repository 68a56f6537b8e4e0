// Week numbers and the program-wide work week: which weekdays are work days, which day starts
// the week and which rule picks week 1 of a year. The settings loader sets them at start-up.
#pragma once

#include <QLocale>

class CDateTime;

// Week-of-year rules ("FWOY").
enum WeekOfYearRule
{
    kWeekContainsJan1 = 0,  // the week that holds 1 January is week 1
    kWeekFirstFourDays = 1, // the first week with at least four days of the year is week 1
    kWeekFirstFullWeek = 2, // the first week that lies wholly in the year is week 1
};

// The week number of a date. firstDayOfWeek counts 0 Monday .. 6 Sunday. Days before week 1
// belong to the last week of the year before; the days of a week that starts in December and
// that the next year counts as its week 1 get 1. An invalid date gives 1.
int GetWeekOfYear(int rule, int firstDayOfWeek, const CDateTime &date);

// Work-week mask ("WD"): bit i set when weekday i is a work day, 0 Sunday .. 6 Saturday.
void SetWorkWeekMask(int mask);
int GetWorkWeekMask();
// First day of the week ("FDOW"): 0 Monday .. 6 Sunday; larger values become 6, negative 0.
void SetFirstDayOfWeek(int day);
int GetFirstDayOfWeek();
// Week-of-year rule ("FWOY"): 0..2; larger values become 2, negative 0.
void SetWeekOfYearRule(int rule);
int GetWeekOfYearRule();

// Number of work days in the week, 0..7.
int CountWorkDays();
// Whether the date's weekday is a work day; an invalid date is no work day.
bool IsWorkDate(const CDateTime &date);
bool IsNonWorkDate(const CDateTime &date);
// Whether the weekday in column i of a week that starts on the first day of the week is a work day.
bool IsWorkDayByIndex(int index);
bool IsNonWorkDayByIndex(int index);

// Defaults of "FDOW" and "FWOY" for a locale (the user's by default): the locale's first day of
// the week as 0 Monday .. 6 Sunday, and the week-of-year rule its territory uses (at least four
// days in week 1 where the territory numbers weeks that way, else the week that holds 1 January).
int LocaleFirstDayOfWeek(const QLocale &locale = QLocale());
int LocaleWeekOfYearRule(const QLocale &locale = QLocale());

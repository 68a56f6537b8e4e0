// Week numbers, the work-week table and the locale defaults of the week settings.
#include "core/dates/WeekRules.h"

#include "core/dates/DateTime.h"

#include <QString>
#include <algorithm>
#include <array>

namespace {
std::array<bool, 7> g_workDays = {true, true, true, true, true, true, true}; // 0 Sunday .. 6 Saturday
int g_firstDayOfWeek = 0;                                                    // 0 Monday .. 6 Sunday
int g_weekOfYearRule = 0;

// Day number (days since 1899-12-30) of the first day of week 1 of a year, or false when
// 1 January of that year cannot be formed.
bool FirstDayOfWeekOne(int rule, int firstDayOfWeek, int year, long &dayNumber)
{
    const CDateTime jan1(year, 1, 1);
    if (!jan1.IsValid())
        return false;
    // Position of 1 January in its week, 0 = the week's first day.
    const int mondayBased = (jan1.GetDayOfWeek() + 5) % 7;
    const int position = (mondayBased - firstDayOfWeek + 7) % 7;
    // The week holding 1 January is week 1 when at most `limit` of its days fall in the year before.
    const int limit = rule == kWeekFirstFourDays ? 3 : rule == kWeekFirstFullWeek ? 0 : 6;
    long start = long(jan1.Linear()) - position;
    if (position > limit)
        start += 7;
    dayNumber = start;
    return true;
}
} // namespace

int GetWeekOfYear(int rule, int firstDayOfWeek, const CDateTime &date)
{
    rule = std::clamp(rule, 0, 2);
    firstDayOfWeek = std::clamp(firstDayOfWeek, 0, 6);
    CDateTime::Parts p;
    if (!date.GetParts(p))
        return 1;
    const long day = long(CDateTime(p.year, p.month, p.day).Linear());
    // The date belongs to the latest year whose week 1 has begun on or before it.
    for (int year = p.year + 1; year >= p.year - 1; --year) {
        long weekOne = 0;
        if (!FirstDayOfWeekOne(rule, firstDayOfWeek, year, weekOne)) {
            if (year > p.year)
                continue; // no next year to count from
            return 1;
        }
        if (day >= weekOne)
            return int((day - weekOne) / 7) + 1;
    }
    return 1; // not reached: week 1 of the year before always starts before this year
}

void SetWorkWeekMask(int mask)
{
    for (int i = 0; i < 7; ++i)
        g_workDays[i] = (mask >> i) & 1;
}

int GetWorkWeekMask()
{
    int mask = 0;
    for (int i = 0; i < 7; ++i)
        mask |= g_workDays[i] ? (1 << i) : 0;
    return mask;
}

void SetFirstDayOfWeek(int day)
{
    g_firstDayOfWeek = std::clamp(day, 0, 6);
}
int GetFirstDayOfWeek()
{
    return g_firstDayOfWeek;
}
void SetWeekOfYearRule(int rule)
{
    g_weekOfYearRule = std::clamp(rule, 0, 2);
}
int GetWeekOfYearRule()
{
    return g_weekOfYearRule;
}

int CountWorkDays()
{
    return int(std::count(g_workDays.begin(), g_workDays.end(), true));
}

bool IsWorkDate(const CDateTime &date)
{
    const int dow = date.GetDayOfWeek(); // 1 Sunday .. 7 Saturday
    return dow >= 1 && dow <= 7 && g_workDays[dow - 1];
}

bool IsNonWorkDate(const CDateTime &date)
{
    return !IsWorkDate(date);
}

bool IsWorkDayByIndex(int index)
{
    // The first day of the week counts from Monday, the table from Sunday.
    return g_workDays[((g_firstDayOfWeek + index + 1) % 7 + 7) % 7];
}

bool IsNonWorkDayByIndex(int index)
{
    return !IsWorkDayByIndex(index);
}

int LocaleFirstDayOfWeek(const QLocale &locale)
{
    const int qtDay = int(locale.firstDayOfWeek()); // 1 Monday .. 7 Sunday
    return (qtDay >= 1 && qtDay <= 7) ? qtDay - 1 : 0;
}

int LocaleWeekOfYearRule(const QLocale &locale)
{
    // Territories whose calendars count week 1 as the first week with four days of the year
    // (the common locale data's "minDays 4"); everywhere else week 1 holds 1 January.
    static const char *const kFourDayTerritories[] = {
        "AD", "AN", "AT", "AX", "BE", "BG", "CH", "CZ", "DE", "DK", "EE", "ES", "FI", "FJ", "FO",
        "FR", "GB", "GF", "GG", "GI", "GP", "GR", "HU", "IE", "IM", "IS", "IT", "JE", "LI", "LT",
        "LU", "MC", "MQ", "NL", "NO", "PL", "PT", "RE", "RU", "SE", "SJ", "SK", "SM", "VA"};
    const QString code = QLocale::territoryToCode(locale.territory());
    for (const char *t : kFourDayTerritories) {
        if (code == QLatin1String(t))
            return kWeekFirstFourDays;
    }
    return kWeekContainsJan1;
}

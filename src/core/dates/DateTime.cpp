// OLE automation date arithmetic: parts to value and back, linear unfolding of negative dates.
#include "core/dates/DateTime.h"

#include <QDateTime>
#include <QString>
#include <cmath>

namespace {
constexpr int kMonthDays[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
constexpr long kDaysTo1899 = 693959L; // days from 1/1/0 to 1899-12-30, counting 1/1/1 as 1

// Civil date from days since 1899-12-30 (proleptic Gregorian).
void CivilFromDays(long n, int &y, int &m, int &d)
{
    // Days since 1970-01-01 (25569 after 1899-12-30), shifted to the 0000-03-01 epoch.
    const long z = n - 25569L + 719468L;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2 ? 1 : 0));
}
} // namespace

// ---- CDateSpan -------------------------------------------------------------------------

CDateSpan::CDateSpan(long days, int hours, int minutes, int seconds)
{
    SetDateTimeSpan(days, hours, minutes, seconds);
}

void CDateSpan::SetDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    m_span = days + double(hours) / 24 + double(minutes) / (24 * 60) + double(seconds) / (24 * 60 * 60);
    m_status = valid;
}

double CDateSpan::GetTotalHours() const { return m_span * 24; }
double CDateSpan::GetTotalMinutes() const { return m_span * 24 * 60; }
double CDateSpan::GetTotalSeconds() const { return m_span * 24 * 60 * 60; }

long CDateSpan::GetDays() const { return long(m_span); }

int CDateSpan::GetHours() const
{
    double whole;
    const double frac = std::modf(m_span, &whole);
    int h = int((frac + CDateTime::kHalfSecond) * 24);
    return h >= 24 ? h - 24 : h;
}

int CDateSpan::GetMinutes() const
{
    double whole;
    const double frac = std::modf(m_span * 24, &whole);
    int m = int((frac + CDateTime::kHalfSecond) * 60);
    return m >= 60 ? m - 60 : m;
}

int CDateSpan::GetSeconds() const
{
    double whole;
    const double frac = std::modf(m_span * 24 * 60, &whole);
    int s = int((frac + CDateTime::kHalfSecond) * 60);
    return s >= 60 ? s - 60 : s;
}

CDateSpan CDateSpan::operator+(const CDateSpan &o) const
{
    CDateSpan r(m_span + o.m_span);
    if (m_status != valid || o.m_status != valid)
        r.m_status = (m_status == invalid || o.m_status == invalid) ? invalid : null;
    return r;
}

CDateSpan CDateSpan::operator-(const CDateSpan &o) const
{
    CDateSpan r(m_span - o.m_span);
    if (m_status != valid || o.m_status != valid)
        r.m_status = (m_status == invalid || o.m_status == invalid) ? invalid : null;
    return r;
}

CDateSpan CDateSpan::operator-() const
{
    CDateSpan r(-m_span);
    r.m_status = m_status;
    return r;
}

CDateSpan CDateSpan::FromMinutes(double minutes) { return CDateSpan(minutes / 1440.0); }

// ---- CDateTime -------------------------------------------------------------------------

CDateTime::CDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

bool CDateTime::IsLeapYear(int y) { return (y & 3) == 0 && ((y % 100) != 0 || (y % 400) == 0); }

int CDateTime::DaysInMonth(int year, int month)
{
    if (month < 1 || month > 12)
        return 0;
    return kMonthDays[month] - kMonthDays[month - 1] + ((month == 2 && IsLeapYear(year)) ? 1 : 0);
}

int CDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    *this = FromDayAndSeconds(DayNumber(year, month, day),
                              long(hour) * 3600L + long(minute) * 60L + long(second));
    return 0;
}

long CDateTime::DayNumber(int year, int month, int day)
{
    long nDate = year * 365L + year / 4 - year / 100 + year / 400 + kMonthDays[month - 1] + day;
    if (month <= 2 && IsLeapYear(year))
        --nDate;
    return nDate - kDaysTo1899;
}

int CDateTime::DayOfWeekOf(long dayNumber)
{
    // 1899-12-30, day 0, was a Saturday (7).
    return int(((dayNumber % 7) + 7 + 6) % 7) + 1;
}

CDateTime CDateTime::FromDayAndSeconds(long dayNumber, long seconds)
{
    const double dblTime = seconds / 86400.;
    return CDateTime(double(dayNumber) + (dayNumber >= 0 ? dblTime : -dblTime));
}

bool CDateTime::GetParts(Parts &p) const
{
    long nDays = 0, secs = 0;
    if (!GetDayAndSeconds(nDays, secs))
        return false;
    CivilFromDays(nDays, p.year, p.month, p.day);
    p.hour = int(secs / 3600);
    p.minute = int((secs / 60) % 60);
    p.second = int(secs % 60);
    p.dayOfWeek = DayOfWeekOf(nDays);
    p.dayOfYear = kMonthDays[p.month - 1] + p.day + ((p.month > 2 && IsLeapYear(p.year)) ? 1 : 0);
    return true;
}

int CDateTime::GetYear() const
{
    Parts p;
    return GetParts(p) ? p.year : -1;
}
int CDateTime::GetMonth() const
{
    Parts p;
    return GetParts(p) ? p.month : -1;
}
int CDateTime::GetDay() const
{
    Parts p;
    return GetParts(p) ? p.day : -1;
}
int CDateTime::GetHour() const
{
    Parts p;
    return GetParts(p) ? p.hour : -1;
}
int CDateTime::GetMinute() const
{
    Parts p;
    return GetParts(p) ? p.minute : -1;
}
int CDateTime::GetSecond() const
{
    Parts p;
    return GetParts(p) ? p.second : -1;
}
int CDateTime::GetDayOfWeek() const
{
    Parts p;
    return GetParts(p) ? p.dayOfWeek : -1;
}
int CDateTime::GetDayOfYear() const
{
    Parts p;
    return GetParts(p) ? p.dayOfYear : -1;
}

CDateTime CDateTime::FromLinear(double linear)
{
    if (linear >= 0)
        return CDateTime(linear);
    const double t = std::floor(linear);
    return CDateTime(t + (t - linear));
}

CDateTime CDateTime::operator+(const CDateSpan &span) const
{
    if (m_status == invalid || span.GetStatus() == CDateSpan::invalid)
        return Invalid();
    if (m_status == null || span.GetStatus() == CDateSpan::null)
        return Null();
    CDateTime r = FromLinear(ToLinear(m_dt) + span.Value());
    if (!(r.m_dt >= kMinOle && r.m_dt <= kMaxOle))
        r.m_status = invalid;
    return r;
}

CDateTime CDateTime::operator-(const CDateSpan &span) const { return *this + (-span); }

CDateSpan CDateTime::operator-(const CDateTime &other) const
{
    CDateSpan r(ToLinear(m_dt) - ToLinear(other.m_dt));
    if (m_status == invalid || other.m_status == invalid)
        r.SetStatus(CDateSpan::invalid);
    else if (m_status == null || other.m_status == null)
        r.SetStatus(CDateSpan::null);
    return r;
}

CDateTime CDateTime::DatePart() const
{
    // The value SetDate gives for the date's own day: its day number at 00:00.
    long day = 0, seconds = 0;
    if (!GetDayAndSeconds(day, seconds))
        return *this;
    return FromDayAndSeconds(day, 0);
}

QDateTime CDateTime::ToQDateTime() const
{
    Parts p;
    if (!GetParts(p))
        return {};
    return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second));
}

CDateTime CDateTime::FromQDateTime(const QDateTime &dt)
{
    if (!dt.isValid())
        return Invalid();
    const QDate d = dt.date();
    const QTime t = dt.time();
    return CDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

QString CDateTime::ToIsoString() const
{
    if (m_status == null)
        return QStringLiteral("null");
    Parts p;
    if (!GetParts(p))
        return QStringLiteral("invalid");
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute, p.second);
}

namespace DateRange {
CDateTime Min() { return CDateTime(1753, 1, 1); }
CDateTime Max() { return CDateTime(4000, 12, 31); }
} // namespace DateRange

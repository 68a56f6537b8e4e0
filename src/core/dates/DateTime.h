// CDateTime and CDateSpan: the OLE automation date (days since 1899-12-30 as a double, the
// fraction the time of day) with a status. Every date built from its parts goes through one
// function, so that the same date reached by two paths is bit-identical.
#pragma once

#include <cmath>
#include <cstdint>

class QDateTime;
class QString;

class CDateSpan
{
public:
    enum Status { valid = 0, invalid = 1, null = 2 };

    constexpr CDateSpan() = default;
    constexpr CDateSpan(double days) : m_span(days) {}
    CDateSpan(long days, int hours, int minutes, int seconds);

    void SetDateTimeSpan(long days, int hours, int minutes, int seconds);
    void SetStatus(Status s) { m_status = s; }
    Status GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == valid; }

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const;
    double GetTotalMinutes() const;
    double GetTotalSeconds() const;
    // Parts rounded to the nearest second, as the OLE span does.
    long GetDays() const;
    int GetHours() const;
    int GetMinutes() const;
    int GetSeconds() const;

    explicit operator double() const { return m_span; }
    double Value() const { return m_span; }

    CDateSpan operator+(const CDateSpan &o) const;
    CDateSpan operator-(const CDateSpan &o) const;
    CDateSpan operator-() const;
    CDateSpan &operator+=(const CDateSpan &o) { return *this = *this + o; }
    CDateSpan &operator-=(const CDateSpan &o) { return *this = *this - o; }
    bool operator==(const CDateSpan &o) const { return m_status == o.m_status && m_span == o.m_span; }
    bool operator<(const CDateSpan &o) const { return m_span < o.m_span; }
    bool operator>(const CDateSpan &o) const { return m_span > o.m_span; }
    bool operator<=(const CDateSpan &o) const { return m_span <= o.m_span; }
    bool operator>=(const CDateSpan &o) const { return m_span >= o.m_span; }

    static CDateSpan FromMinutes(double minutes);

private:
    double m_span = 0.0;
    Status m_status = valid;
};

class CDateTime
{
public:
    enum Status { valid = 0, invalid = 1, null = 2 };

    constexpr CDateTime() = default;
    // Wraps a stored OLE date as it is.
    constexpr explicit CDateTime(double oleDate) : m_dt(oleDate) {}
    CDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

    // The canonical constructor: status invalid for parts out of range.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
    void SetStatus(Status s) { m_status = s; }
    Status GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == valid; }
    bool IsNull() const { return m_status == null; }

    static CDateTime Null()
    {
        CDateTime d;
        d.m_status = null;
        return d;
    }
    static CDateTime Invalid()
    {
        CDateTime d;
        d.m_status = invalid;
        return d;
    }

    double Value() const { return m_dt; }
    explicit operator double() const { return m_dt; }

    // Parts after rounding to the nearest second; -1 (or 0 for DayOfWeek) on an invalid value.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 Sunday .. 7 Saturday
    int GetDayOfYear() const; // 1 = 1 January

    struct Parts
    {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, dayOfWeek = 0, dayOfYear = 0;
    };
    bool GetParts(Parts &out) const;
    // The day number (days since 1899-12-30) and the seconds into that day of the date rounded
    // to the nearest second, as GetParts counts them, without the calendar parts; false as GetParts.
    bool GetDayAndSeconds(long &dayNumber, long &seconds) const
    {
        if (m_status != valid || !(m_dt >= kMinOle && m_dt <= kMaxOle))
            return false;
        double dbl = m_dt + (m_dt > 0.0 ? kHalfSecond : -kHalfSecond);
        dayNumber = long(dbl); // truncates towards zero: the date part of a negative value
        dbl = std::fabs(dbl);
        seconds = long((dbl - std::floor(dbl)) * 86400.);
        if (seconds >= 86400)
            seconds = 86399;
        return true;
    }

    // Linear day count: the OLE value with negative dates unfolded so that it increases with time.
    double Linear() const { return ToLinear(m_dt); }
    static CDateTime FromLinear(double linear);
    static double ToLinear(double oleDate)
    {
        if (oleDate >= 0)
            return oleDate;
        const double t = std::ceil(oleDate);
        return t - (oleDate - t);
    }

    CDateTime operator+(const CDateSpan &span) const;
    CDateTime operator-(const CDateSpan &span) const;
    CDateSpan operator-(const CDateTime &other) const;
    CDateTime &operator+=(const CDateSpan &span) { return *this = *this + span; }
    CDateTime &operator-=(const CDateSpan &span) { return *this = *this - span; }

    // Ordering follows time (negative OLE dates compare through their linear value).
    bool operator==(const CDateTime &o) const { return m_status == o.m_status && m_dt == o.m_dt; }
    bool operator!=(const CDateTime &o) const { return !(*this == o); }
    bool operator<(const CDateTime &o) const { return Linear() < o.Linear(); }
    bool operator>(const CDateTime &o) const { return Linear() > o.Linear(); }
    bool operator<=(const CDateTime &o) const { return Linear() <= o.Linear(); }
    bool operator>=(const CDateTime &o) const { return Linear() >= o.Linear(); }

    // The date at 00:00, built canonically.
    CDateTime DatePart() const;

    // Edges to Qt, in local wall-clock terms (no zone conversion).
    QDateTime ToQDateTime() const;
    static CDateTime FromQDateTime(const QDateTime &dt);

    // A debugging/testing text "YYYY-MM-DD hh:mm:ss", or "null"/"invalid".
    QString ToIsoString() const;

    static bool IsLeapYear(int year);
    static int DaysInMonth(int year, int month);
    // Days since 1899-12-30 of a date given by its parts (not checked).
    static long DayNumber(int year, int month, int day);
    // The day of week (1 Sunday .. 7 Saturday) of a day number.
    static int DayOfWeekOf(long dayNumber);
    // The value SetDateTime builds for a day number and a time of day in seconds, for walks
    // that step whole days without going through the parts of every date.
    static CDateTime FromDayAndSeconds(long dayNumber, long seconds);

    // Half a second in days; the first and last valid values (0100-01-01, 9999-12-31 23:59:59).
    static constexpr double kHalfSecond = 1.0 / 172800.0;
    static constexpr double kMinOle = -657434.0;
    static constexpr double kMaxOle = 2958465.99999;

private:
    double m_dt = 0.0;
    Status m_status = valid;
};

// The supported range of the calendar: 1753-01-01 00:00 .. 4000-12-31 00:00.
namespace DateRange {
CDateTime Min();
CDateTime Max();
} // namespace DateRange

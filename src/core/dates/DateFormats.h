// Locale-built date and time formats, our own strftime-like formatter with the "#" flag (no
// leading zeros), and the date texts the views use, including captions that shrink to a width.
#pragma once

#include <QString>
#include <functional>

class CDateTime;
class QLocale;

// What the formats are built from: the user locale's date and time conventions and names.
// Filled from QLocale by default; tests give their own.
struct LocaleDateData
{
    QString dateSeparator = QStringLiteral("/"); // at most 3 characters
    int dateOrder = 0;                           // 0 month-day-year, 1 day-month-year, 2 year-month-day
    bool century = true;                         // four-digit years in the short date
    bool dayLeadingZero = false;
    bool monthLeadingZero = false;
    QString timeSeparator = QStringLiteral(":");
    bool clock24 = false;
    bool hourLeadingZero = false;
    int longDateOrder = 0; // order of the long date: 0 month first, 1 day first, 2 year first
    QString timePictureSeparator = QStringLiteral(":"); // the system default's, for picker controls
    // Date pictures: d dd ddd dddd, M MM MMM MMMM, y yy yyyy, text in single quotes.
    QString longDatePicture = QStringLiteral("dddd, MMMM d, yyyy");
    QString shortDatePicture = QStringLiteral("M/d/yyyy");
    // Time picture: h hh (12-hour), H HH (24-hour), m mm, s ss, t tt (AM/PM text).
    QString timePicture = QStringLiteral("h:mm:ss tt");
    QString dayNames[7]; // 0 Sunday .. 6 Saturday
    QString shortDayNames[7];
    QString monthNames[12]; // as written with a day number ("d MMMM")
    QString shortMonthNames[12];
    QString standaloneMonthNames[12]; // as written alone or before the day
    QString shortStandaloneMonthNames[12];
    QString amText = QStringLiteral("AM");
    QString pmText = QStringLiteral("PM");

    // English names and the month-day-year, 12-hour conventions above.
    LocaleDateData();
};

// The conventions and names of a locale; the time picture separator comes from `systemLocale`.
LocaleDateData LocaleDateDataFromLocale(const QLocale &userLocale, const QLocale &systemLocale);

// The formats built from locale data.
struct LocaleFormats
{
    QString shortDate;       // e.g. "%#m/%#d/%Y"
    QString time;            // e.g. "%#I:%M %p"
    QString weekdayDateTime; // "%a " + short date + " " + time
    QString timePicture;     // for date-time picker controls, e.g. "h':'mm' 'tt"
    bool clock12 = false;
    bool hourLeadingZero = false;
    bool longDateNotDayFirst = false;
};

LocaleFormats MakeLocaleFormats(const LocaleDateData &data);

// Rebuild the process-wide formats from the user locale, or from given data. Until the first
// call the formats are built from the user locale when first used.
void BuildLocaleFormats();
void BuildLocaleFormats(const LocaleDateData &data);
const LocaleFormats &GetLocaleFormats();
const LocaleDateData &GetLocaleDateData();

// strftime-style formatting: %a %A %b %B %c %d %H %I %j %m %M %p %S %w %x %X %y %Y %%; "#" after
// "%" drops leading zeros (%#d, %#m, %#H, %#I, %#M, %#S, %#y, %#j) and gives the long forms of
// %#x and %#c. Names come from the locale data. An invalid or null date gives an empty text.
QString FormatDateTime(const CDateTime &date, const QString &format, const LocaleDateData &data);
QString FormatDateTime(const CDateTime &date, const QString &format);
// Picture formatting as the locale's own date and time pictures are written.
QString FormatDatePicture(const CDateTime &date, const QString &picture, const LocaleDateData &data);

// Texts in the process-wide formats.
QString FormatWeekdayDate(const CDateTime &date);
// Weekday, date and time; with the date-only hint set, a time of 00:00 is left out.
QString FormatDateTimeOrDate(const CDateTime &date, bool dateOnlyHint = false);
QString FormatShortDate(const CDateTime &date);
// The locale's long date, with the full weekday in front when the locale's form has none.
QString FormatLongDate(const CDateTime &date);
// Day and month name, day first where the locale writes long dates day first.
QString FormatDayMonth(const CDateTime &date, bool longMonthName);
QString FormatTime(const CDateTime &date);
QString FormatTimeText(const CDateTime &date);
// The time without blanks and in lower case on a 12-hour clock ("9:30am").
QString FormatCompactTime(const CDateTime &date);
// Day captions, level 0 the longest ("Tuesday, March 5") to 4 the shortest ("5").
QString FormatDateCaptionAtLevel(const CDateTime &date, int level);

// Measures a text's width in the current font, in pixels.
using TextWidthFn = std::function<int(const QString &)>;

// The first caption level whose text is not wider than the width (4 when none fits); a width
// of -1 means no limit.
int GetDateCaptionLevel(const TextWidthFn &measure, const CDateTime &date, int width);
QString FormatDateCaptionToFit(const TextWidthFn &measure, const CDateTime &date, int width);
// Day with the long month name, else with the short one, else the day number alone.
QString FormatDayMonthToFit(const TextWidthFn &measure, const CDateTime &date, int width);
// The long date when it fits, else the caption that fits.
QString FormatLongDateToFit(const TextWidthFn &measure, const CDateTime &date, int width);

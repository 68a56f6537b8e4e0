// Locale formats for day-, month- and year-first locales, the strftime-like and picture
// formatters, the date texts, and captions shrinking to a width.
#include "core/dates/DateFormats.h"
#include "core/dates/DateTime.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {
struct Conventions
{
    int order;
    const char *separator;
    bool century, dayZero, monthZero, clock24, hourZero;
    int longOrder;
};

LocaleDateData Data(const Conventions &c)
{
    LocaleDateData d;
    d.dateOrder = c.order;
    d.dateSeparator = QString::fromUtf8(c.separator);
    d.century = c.century;
    d.dayLeadingZero = c.dayZero;
    d.monthLeadingZero = c.monthZero;
    d.clock24 = c.clock24;
    d.hourLeadingZero = c.hourZero;
    d.longDateOrder = c.longOrder;
    return d;
}

const Conventions kUnitedStates{0, "/", true, false, false, false, false, 0};
const Conventions kDayFirst{1, "/", true, false, false, false, false, 1};

// Ten pixels a character.
int Measure(const QString &text)
{
    return int(text.size()) * 10;
}

// Keeps the process-wide formats of each test to itself.
class DateTexts : public testing::Test
{
  protected:
    void TearDown() override { BuildLocaleFormats(LocaleDateData()); }
};

const CDateTime kMorning(2024, 3, 5, 9, 7, 8); // a Tuesday
const CDateTime kEvening(2024, 3, 5, 21, 7, 0);
} // namespace

TEST(LocaleFormats, BuiltForEachConvention)
{
    const struct
    {
        const char *what;
        Conventions c;
        const char *shortDate, *time, *picture, *dateText, *morning, *evening;
    } cases[] = {
        {"month first, 12-hour",
         {0, "/", true, false, false, false, false, 0},
         "%#m/%#d/%Y",
         "%#I:%M %p",
         "h':'mm' 'tt",
         "3/5/2024",
         "9:07 AM",
         "9:07 PM"},
        {"month first, 12-hour, zeros",
         {0, "/", false, true, true, false, true, 0},
         "%m/%d/%y",
         "%I:%M %p",
         "hh':'mm' 'tt",
         "03/05/24",
         "09:07 AM",
         "09:07 PM"},
        {"day first, 24-hour, zeros",
         {1, ".", false, true, true, true, true, 1},
         "%d.%m.%y",
         "%H:%M",
         "HH':'mm",
         "05.03.24",
         "09:07",
         "21:07"},
        {"day first, 24-hour",
         {1, "/", true, false, false, true, false, 1},
         "%#d/%#m/%Y",
         "%#H:%M",
         "H':'mm",
         "5/3/2024",
         "9:07",
         "21:07"},
        {"year first, 24-hour, zeros",
         {2, "-", true, true, true, true, true, 2},
         "%Y-%m-%d",
         "%H:%M",
         "HH':'mm",
         "2024-03-05",
         "09:07",
         "21:07"},
        {"year first, 12-hour",
         {2, "/", true, false, false, false, false, 2},
         "%Y/%#m/%#d",
         "%#I:%M %p",
         "h':'mm' 'tt",
         "2024/3/5",
         "9:07 AM",
         "9:07 PM"},
    };
    for (const auto &c : cases) {
        const LocaleDateData data = Data(c.c);
        const LocaleFormats f = MakeLocaleFormats(data);
        EXPECT_EQ(f.shortDate, QString::fromLatin1(c.shortDate)) << c.what;
        EXPECT_EQ(f.time, QString::fromLatin1(c.time)) << c.what;
        EXPECT_EQ(f.timePicture, QString::fromLatin1(c.picture)) << c.what;
        EXPECT_EQ(f.weekdayDateTime, QStringLiteral("%a ") + f.shortDate + QLatin1Char(' ') + f.time)
            << c.what;
        EXPECT_EQ(f.clock12, !c.c.clock24) << c.what;
        EXPECT_EQ(f.hourLeadingZero, c.c.hourZero) << c.what;
        EXPECT_EQ(f.longDateNotDayFirst, c.c.longOrder != 1) << c.what;
        EXPECT_EQ(FormatDateTime(kMorning, f.shortDate, data), QString::fromLatin1(c.dateText)) << c.what;
        EXPECT_EQ(FormatDateTime(kMorning, f.time, data), QString::fromLatin1(c.morning)) << c.what;
        EXPECT_EQ(FormatDateTime(kEvening, f.time, data), QString::fromLatin1(c.evening)) << c.what;
    }
}

TEST(LocaleFormats, SeparatorsAreTakenLiterally)
{
    LocaleDateData data = Data(kUnitedStates);
    data.dateSeparator = QStringLiteral("%d%");
    data.timeSeparator = QStringLiteral(".");
    data.timePictureSeparator = QStringLiteral(".");
    data.clock24 = true;
    const LocaleFormats f = MakeLocaleFormats(data);
    EXPECT_EQ(FormatDateTime(kMorning, f.shortDate, data), QStringLiteral("3%d%5%d%2024"));
    EXPECT_EQ(FormatDateTime(kMorning, f.time, data), QStringLiteral("9.07"));
    EXPECT_EQ(f.timePicture, QStringLiteral("H'.'mm"));
    data.dateSeparator = QStringLiteral(" - /");
    EXPECT_EQ(FormatDateTime(kMorning, MakeLocaleFormats(data).shortDate, data),
              QStringLiteral("3 - 5 - 2024"));
    data.dateSeparator.clear();
    EXPECT_EQ(FormatDateTime(kMorning, MakeLocaleFormats(data).shortDate, data), QStringLiteral("3/5/2024"));
}

TEST(LocaleFormats, ReadFromQtLocales)
{
    const struct
    {
        const char *locale;
        int order;
        const char *separator;
        bool century, dayZero, monthZero, clock24, hourZero;
        int longOrder;
        const char *timeSeparator, *dateText, *timeText;
    } cases[] = {
        {"en_US", 0, "/", false, false, false, false, false, 0, ":", "3/5/24", "9:07 PM"},
        {"de_DE", 1, ".", false, true, true, true, true, 1, ":", "05.03.24", "21:07"},
        {"ja_JP", 2, "/", true, true, true, true, false, 2, ":", "2024/03/05", "21:07"},
        {"sv_SE", 2, "-", true, true, true, true, true, 1, ":", "2024-03-05", "21:07"},
        {"hu_HU", 2, ". ", true, true, true, true, false, 2, ":", "2024. 03. 05", "21:07"},
        {"fi_FI", 1, ".", true, false, false, true, false, 1, ".", "5.3.2024", "21.07"},
        {"ko_KR", 2, ". ", false, false, false, false, false, 2, ":", "24. 3. 5", "9:07 오후"},
    };
    for (const auto &c : cases) {
        const QLocale locale(QString::fromLatin1(c.locale));
        const LocaleDateData d = LocaleDateDataFromLocale(locale, locale);
        EXPECT_EQ(d.dateOrder, c.order) << c.locale;
        EXPECT_EQ(d.dateSeparator, QString::fromUtf8(c.separator)) << c.locale;
        EXPECT_EQ(d.century, c.century) << c.locale;
        EXPECT_EQ(d.dayLeadingZero, c.dayZero) << c.locale;
        EXPECT_EQ(d.monthLeadingZero, c.monthZero) << c.locale;
        EXPECT_EQ(d.clock24, c.clock24) << c.locale;
        EXPECT_EQ(d.hourLeadingZero, c.hourZero) << c.locale;
        EXPECT_EQ(d.longDateOrder, c.longOrder) << c.locale;
        EXPECT_EQ(d.timeSeparator, QString::fromUtf8(c.timeSeparator)) << c.locale;
        const LocaleFormats f = MakeLocaleFormats(d);
        EXPECT_EQ(FormatDateTime(kEvening, f.shortDate, d), QString::fromUtf8(c.dateText)) << c.locale;
        EXPECT_EQ(FormatDateTime(kEvening, f.time, d), QString::fromUtf8(c.timeText)) << c.locale;
    }
}

TEST(LocaleFormats, NamesFromTheLocale)
{
    const QLocale german(QStringLiteral("de_DE"));
    const LocaleDateData de = LocaleDateDataFromLocale(german, german);
    EXPECT_EQ(FormatDateTime(kMorning, QStringLiteral("%A, %#d. %B %Y"), de),
              QStringLiteral("Dienstag, 5. März 2024"));
    EXPECT_EQ(FormatDatePicture(kMorning, de.longDatePicture, de), QStringLiteral("Dienstag, 5. März 2024"));

    // Month names take their form with a day number where the language has one.
    const QLocale russian(QStringLiteral("ru_RU"));
    const LocaleDateData ru = LocaleDateDataFromLocale(russian, russian);
    EXPECT_EQ(FormatDatePicture(kMorning, QStringLiteral("d MMMM"), ru), QStringLiteral("5 марта"));
    EXPECT_EQ(FormatDatePicture(kMorning, QStringLiteral("MMMM yyyy"), ru), QStringLiteral("март 2024"));

    // The time picture leaves out Qt's zone name and reads AM/PM as "tt".
    const QLocale us(QStringLiteral("en_US"));
    const LocaleDateData en = LocaleDateDataFromLocale(us, us);
    EXPECT_EQ(en.timePicture, QStringLiteral("h':'mm':'ss' 'tt"));
    EXPECT_EQ(FormatDateTime(kEvening, QStringLiteral("%X"), en), QStringLiteral("9:07:00 PM"));
}

TEST(DateFormatter, Codes)
{
    const LocaleDateData en; // English names, "M/d/yyyy", "h:mm:ss tt"
    const CDateTime late(2005, 12, 25, 21, 0, 0);
    const CDateTime midnight(2024, 3, 5, 0, 5, 0);
    const CDateTime noon(2024, 3, 5, 12, 0, 0);
    const CDateTime early(1800, 6, 15, 13, 30, 0); // before the epoch the fraction still counts forward
    const struct
    {
        const CDateTime &date;
        const char *format, *text;
    } cases[] = {
        {kMorning, "%d|%#d|%m|%#m", "05|5|03|3"},
        {kMorning, "%H|%#H|%I|%#I|%M|%#M|%S|%#S", "09|9|09|9|07|7|08|8"},
        {kMorning, "%y|%#y|%Y|%j|%#j|%w", "24|24|2024|065|65|2"},
        {kMorning, "%a %A %b %B %p", "Tue Tuesday Mar March AM"},
        {kMorning, "%x|%#x", "3/5/2024|Tuesday, March 5, 2024"},
        {kMorning, "%X|%c", "9:07:08 AM|3/5/2024 9:07:08 AM"},
        {kMorning, "%#c", "Tuesday, March 5, 2024 9:07:08 AM"},
        {kMorning, "100%% %q %#a", "100% %q Tue"},
        {kMorning, "50%", "50%"},
        {kMorning, "%#", "%#"},
        {late, "%y|%#y|%I %p|%#I|%a", "05|5|09 PM|9|Sun"},
        {midnight, "%I|%#I|%H %p", "12|12|00 AM"},
        {noon, "%#I %p", "12 PM"},
        {early, "%Y-%m-%d %H:%M %A", "1800-06-15 13:30 Sunday"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatDateTime(c.date, QString::fromLatin1(c.format), en), QString::fromLatin1(c.text))
            << c.format;
    EXPECT_EQ(FormatDateTime(CDateTime::Invalid(), QStringLiteral("%d"), en), QString());
    EXPECT_EQ(FormatDateTime(CDateTime::Null(), QStringLiteral("%d"), en), QString());
}

TEST(DateFormatter, Pictures)
{
    LocaleDateData d;
    d.monthNames[2] = QStringLiteral("marca");
    d.standaloneMonthNames[2] = QStringLiteral("marzec");
    const CDateTime y2005(2005, 3, 5, 21, 4, 0);
    const struct
    {
        const CDateTime &date;
        const char *picture, *text;
    } cases[] = {
        {kMorning, "dddd, MMMM d, yyyy", "Tuesday, marca 5, 2024"},
        {kMorning, "MMMM yyyy", "marzec 2024"},
        {kMorning, "ddd dd MMM yy", "Tue 05 Mar 24"},
        {kMorning, "d 'de' MMMM 'de' yyyy", "5 de marca de 2024"},
        {kMorning, "h 'o''clock' tt", "9 o'clock AM"},
        {y2005, "y|yy|yyyy|M|MM", "5|05|2005|3|03"},
        {y2005, "hh:mm|H|HH|t", "09:04|21|21|P"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatDatePicture(c.date, QString::fromLatin1(c.picture), d), QString::fromLatin1(c.text))
            << c.picture;
}

TEST_F(DateTexts, WeekdayDateAndTime)
{
    BuildLocaleFormats(Data(kUnitedStates));
    EXPECT_EQ(FormatShortDate(kMorning), QStringLiteral("3/5/2024"));
    EXPECT_EQ(FormatWeekdayDate(kMorning), QStringLiteral("Tue 3/5/2024"));
    EXPECT_EQ(FormatTime(kMorning), QStringLiteral("9:07 AM"));
    EXPECT_EQ(FormatTimeText(kEvening), QStringLiteral("9:07 PM"));

    const CDateTime midnight(2024, 3, 5);
    const CDateTime halfPast(2024, 3, 5, 0, 30, 0);
    EXPECT_EQ(FormatDateTimeOrDate(midnight), QStringLiteral("Tue 3/5/2024 12:00 AM"));
    EXPECT_EQ(FormatDateTimeOrDate(midnight, true), QStringLiteral("Tue 3/5/2024"));
    EXPECT_EQ(FormatDateTimeOrDate(halfPast, true), QStringLiteral("Tue 3/5/2024 12:30 AM"));
    EXPECT_EQ(FormatDateTimeOrDate(kMorning, true), QStringLiteral("Tue 3/5/2024 9:07 AM"));
}

TEST_F(DateTexts, CompactTime)
{
    LocaleDateData d = Data(kUnitedStates);
    d.amText = QStringLiteral("a. m.");
    BuildLocaleFormats(d);
    EXPECT_EQ(FormatCompactTime(kMorning), QStringLiteral("9:07a.m."));
    EXPECT_EQ(FormatCompactTime(kEvening), QStringLiteral("9:07pm"));
    d.clock24 = true;
    d.hourLeadingZero = true;
    BuildLocaleFormats(d);
    EXPECT_EQ(FormatCompactTime(kMorning), QStringLiteral("09:07"));
}

TEST_F(DateTexts, LongDateAndDayMonth)
{
    BuildLocaleFormats(Data(kUnitedStates));
    EXPECT_EQ(FormatLongDate(kMorning), QStringLiteral("Tuesday, March 5, 2024"));
    EXPECT_EQ(FormatDayMonth(kMorning, true), QStringLiteral("March 5"));
    EXPECT_EQ(FormatDayMonth(kMorning, false), QStringLiteral("Mar 5"));

    // A long date without a weekday gets one in front, starting with a capital.
    LocaleDateData fr = Data(kDayFirst);
    fr.longDatePicture = QStringLiteral("d MMMM yyyy");
    fr.dayNames[2] = QStringLiteral("mardi");
    fr.monthNames[2] = QStringLiteral("mars");
    fr.shortMonthNames[2] = QStringLiteral("mars");
    BuildLocaleFormats(fr);
    EXPECT_EQ(FormatLongDate(kMorning), QStringLiteral("Mardi, 5 mars 2024"));
    EXPECT_EQ(FormatDayMonth(kMorning, true), QStringLiteral("5 mars"));

    LocaleDateData none = Data(kUnitedStates);
    none.longDatePicture.clear();
    BuildLocaleFormats(none);
    EXPECT_EQ(FormatLongDate(kMorning), QStringLiteral("Tuesday, March 5, 2024"));
}

TEST_F(DateTexts, CaptionsShrinkToTheWidth)
{
    BuildLocaleFormats(Data(kUnitedStates));
    const char *const levels[5] = {"Tuesday, March 5", "Tuesday, Mar 5", "Tue, Mar 5", "Tue 5", "5"};
    for (int level = 0; level < 5; ++level)
        EXPECT_EQ(FormatDateCaptionAtLevel(kMorning, level), QString::fromLatin1(levels[level]));
    EXPECT_EQ(FormatDateCaptionAtLevel(kMorning, 9), QStringLiteral("5"));

    const struct
    {
        int width, level;
    } cases[] = {{-1, 0},  {1000, 0}, {160, 0}, {159, 1}, {140, 1}, {139, 2},
                 {100, 2}, {99, 3},   {50, 3},  {49, 4},  {0, 4}};
    for (const auto &c : cases) {
        EXPECT_EQ(GetDateCaptionLevel(Measure, kMorning, c.width), c.level) << c.width;
        EXPECT_EQ(FormatDateCaptionToFit(Measure, kMorning, c.width), QString::fromLatin1(levels[c.level]))
            << c.width;
    }

    const struct
    {
        int width;
        const char *dayMonth, *longDate;
    } fits[] = {
        {220, "March 5", "Tuesday, March 5, 2024"},
        {219, "March 5", "Tuesday, March 5"},
        {70, "March 5", "Tue 5"},
        {69, "Mar 5", "Tue 5"},
        {49, "5", "5"},
    };
    for (const auto &f : fits) {
        EXPECT_EQ(FormatDayMonthToFit(Measure, kMorning, f.width), QString::fromLatin1(f.dayMonth))
            << f.width;
        EXPECT_EQ(FormatLongDateToFit(Measure, kMorning, f.width), QString::fromLatin1(f.longDate))
            << f.width;
    }

    // Day-first locales put the day before the month at every level that shows both.
    BuildLocaleFormats(Data(kDayFirst));
    EXPECT_EQ(FormatDateCaptionAtLevel(kMorning, 0), QStringLiteral("Tuesday, 5 March"));
    EXPECT_EQ(FormatDateCaptionAtLevel(kMorning, 2), QStringLiteral("Tue, 5 Mar"));
}

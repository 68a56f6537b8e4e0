// Locale formats, the strftime-like and picture formatters, and the date texts built on them.
#include "core/dates/DateFormats.h"

#include "core/dates/DateTime.h"

#include <QLocale>
#include <optional>

namespace {
std::optional<LocaleDateData> g_data;
std::optional<LocaleFormats> g_formats;

const char *const kEnglishDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
const char *const kEnglishMonths[12] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};

QString TwoDigits(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}
QString Number(int v, bool leadingZero)
{
    return leadingZero ? TwoDigits(v) : QString::number(v);
}

// Text to be taken literally by the strftime-like formatter.
QString EscapePercent(const QString &s)
{
    QString r = s;
    r.replace(QLatin1Char('%'), QLatin1String("%%"));
    return r;
}

// Text to be taken literally inside a quoted picture section.
QString EscapeQuote(const QString &s)
{
    QString r = s;
    r.replace(QLatin1Char('\''), QLatin1String("''"));
    return r;
}

// One token of a picture: a run of one letter, or literal text.
struct PictureToken
{
    QChar letter; // null for literal text
    int count = 0;
    QString text;
};

QList<PictureToken> TokenizePicture(const QString &picture, const QString &letters)
{
    QList<PictureToken> out;
    auto addLiteral = [&out](const QString &s) {
        if (s.isEmpty())
            return;
        if (!out.isEmpty() && out.back().letter.isNull())
            out.back().text += s;
        else
            out.append(PictureToken{QChar(), 0, s});
    };
    const qsizetype n = picture.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = picture.at(i);
        if (c == QLatin1Char('\'')) {
            // Quoted text; a doubled quote is one quote, inside or outside quotes.
            if (i + 1 < n && picture.at(i + 1) == QLatin1Char('\'')) {
                addLiteral(QStringLiteral("'"));
                i += 2;
                continue;
            }
            QString lit;
            ++i;
            while (i < n) {
                if (picture.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < n && picture.at(i + 1) == QLatin1Char('\'')) {
                        lit += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                lit += picture.at(i++);
            }
            addLiteral(lit);
            continue;
        }
        if (letters.contains(c)) {
            qsizetype j = i;
            while (j < n && picture.at(j) == c)
                ++j;
            out.append(PictureToken{c, int(j - i), QString()});
            i = j;
            continue;
        }
        addLiteral(QString(c));
        ++i;
    }
    return out;
}

// The short date and time conventions read from a locale's pictures.
struct DatePictureFacts
{
    int order = 0; // 0 M-D-Y, 1 D-M-Y, 2 Y-M-D
    QString separator;
    bool century = true;
    bool dayLeadingZero = false;
    bool monthLeadingZero = false;
};

DatePictureFacts ReadDatePicture(const QString &picture)
{
    DatePictureFacts f;
    const QList<PictureToken> tokens = TokenizePicture(picture, QStringLiteral("dMy"));
    int posDay = -1, posMonth = -1, posYear = -1, seen = 0;
    int firstNumeric = -1, secondNumeric = -1;
    for (int i = 0; i < tokens.size(); ++i) {
        const PictureToken &t = tokens[i];
        if (t.letter.isNull())
            continue;
        bool numeric = false;
        if (t.letter == QLatin1Char('d') && t.count <= 2 && posDay < 0) {
            posDay = seen++;
            f.dayLeadingZero = t.count == 2;
            numeric = true;
        } else if (t.letter == QLatin1Char('M') && posMonth < 0) {
            posMonth = seen++;
            f.monthLeadingZero = t.count == 2;
            numeric = t.count <= 2;
        } else if (t.letter == QLatin1Char('y') && posYear < 0) {
            posYear = seen++;
            f.century = t.count != 2;
            numeric = true;
        }
        if (numeric) {
            if (firstNumeric < 0)
                firstNumeric = i;
            else if (secondNumeric < 0)
                secondNumeric = i;
        }
    }
    if (posYear == 0)
        f.order = 2;
    else if (posDay >= 0 && posMonth >= 0 && posDay < posMonth)
        f.order = 1;
    else
        f.order = 0;
    if (firstNumeric >= 0 && secondNumeric == firstNumeric + 2 && tokens[firstNumeric + 1].letter.isNull())
        f.separator = tokens[firstNumeric + 1].text;
    return f;
}

// A Qt time format as a picture of h/H/m/s/tt tokens; also the clock facts it shows.
QString TimePictureFromQt(const QString &qtFormat, bool &clock24, bool &hourLeadingZero, QString &separator)
{
    QList<PictureToken> tokens;
    for (const PictureToken &t : TokenizePicture(qtFormat, QStringLiteral("hHmszAapPt"))) {
        const char16_t c = t.letter.unicode();
        // Milliseconds and the zone name have no place in the picture; "AP" is one token in Qt.
        if (c == u'z' || c == u't' || c == u'P' || c == u'p')
            continue;
        if (t.letter.isNull() && !tokens.isEmpty() && tokens.back().letter.isNull())
            tokens.back().text += t.text;
        else
            tokens.append(t);
    }
    while (!tokens.isEmpty() && tokens.front().letter.isNull() && tokens.front().text.trimmed().isEmpty())
        tokens.removeFirst();
    while (!tokens.isEmpty() && tokens.back().letter.isNull() && tokens.back().text.trimmed().isEmpty())
        tokens.removeLast();

    bool hasAmPm = false;
    for (const PictureToken &t : tokens) {
        if (t.letter == QLatin1Char('A') || t.letter == QLatin1Char('a'))
            hasAmPm = true;
    }
    clock24 = !hasAmPm;
    hourLeadingZero = false;
    separator.clear();
    QString picture;
    for (int i = 0; i < tokens.size(); ++i) {
        const PictureToken &t = tokens[i];
        const char16_t c = t.letter.unicode();
        if (t.letter.isNull()) {
            picture += QLatin1Char('\'') + EscapeQuote(t.text) + QLatin1Char('\'');
        } else if (c == u'h' || c == u'H') {
            hourLeadingZero = t.count >= 2;
            const bool twelve = c == u'h' && hasAmPm;
            picture += QString(qMin(t.count, 2), QLatin1Char(twelve ? 'h' : 'H'));
            if (separator.isEmpty() && i + 2 < tokens.size() && tokens[i + 1].letter.isNull() &&
                tokens[i + 2].letter == QLatin1Char('m'))
                separator = tokens[i + 1].text;
        } else if (c == u'm' || c == u's') {
            picture += QString(qMin(t.count, 2), t.letter);
        } else {
            picture += QStringLiteral("tt");
        }
    }
    return picture;
}

void EnsureBuilt()
{
    if (!g_formats)
        BuildLocaleFormats();
}

// Twelve-hour clock hour, 1..12.
int Hour12(int h)
{
    return h % 12 == 0 ? 12 : h % 12;
}

// The long date picture, or a plain one when the locale has none.
QString LongPicture(const LocaleDateData &data)
{
    return data.longDatePicture.isEmpty() ? QStringLiteral("dddd, MMMM d, yyyy") : data.longDatePicture;
}

bool PictureHasDayNumber(const QList<PictureToken> &tokens)
{
    for (const PictureToken &t : tokens) {
        if (t.letter == QLatin1Char('d') && t.count <= 2)
            return true;
    }
    return false;
}
} // namespace

LocaleDateData::LocaleDateData()
{
    for (int i = 0; i < 7; ++i) {
        dayNames[i] = QLatin1String(kEnglishDays[i]);
        shortDayNames[i] = dayNames[i].left(3);
    }
    for (int i = 0; i < 12; ++i) {
        monthNames[i] = standaloneMonthNames[i] = QLatin1String(kEnglishMonths[i]);
        shortMonthNames[i] = shortStandaloneMonthNames[i] = monthNames[i].left(3);
    }
}

LocaleDateData LocaleDateDataFromLocale(const QLocale &userLocale, const QLocale &systemLocale)
{
    LocaleDateData d;
    const QString shortPicture = userLocale.dateFormat(QLocale::ShortFormat);
    const DatePictureFacts shortFacts = ReadDatePicture(shortPicture);
    d.dateSeparator = shortFacts.separator.isEmpty() ? QStringLiteral("/") : shortFacts.separator.left(3);
    d.dateOrder = shortFacts.order;
    d.century = shortFacts.century;
    d.dayLeadingZero = shortFacts.dayLeadingZero;
    d.monthLeadingZero = shortFacts.monthLeadingZero;
    d.shortDatePicture = shortPicture;

    const QString longPicture = userLocale.dateFormat(QLocale::LongFormat);
    d.longDateOrder = ReadDatePicture(longPicture).order;
    d.longDatePicture = longPicture;

    QString separator;
    d.timePicture = TimePictureFromQt(userLocale.timeFormat(QLocale::LongFormat), d.clock24,
                                      d.hourLeadingZero, separator);
    // The short form decides the clock shown in views.
    TimePictureFromQt(userLocale.timeFormat(QLocale::ShortFormat), d.clock24, d.hourLeadingZero, separator);
    d.timeSeparator = separator.isEmpty() ? QStringLiteral(":") : separator;
    bool sys24 = false, sysZero = false;
    QString sysSeparator;
    TimePictureFromQt(systemLocale.timeFormat(QLocale::ShortFormat), sys24, sysZero, sysSeparator);
    d.timePictureSeparator = sysSeparator.isEmpty() ? QStringLiteral(":") : sysSeparator;

    for (int i = 0; i < 7; ++i) {
        const int qtDay = i == 0 ? 7 : i; // Qt counts 1 Monday .. 7 Sunday
        d.dayNames[i] = userLocale.standaloneDayName(qtDay, QLocale::LongFormat);
        d.shortDayNames[i] = userLocale.standaloneDayName(qtDay, QLocale::ShortFormat);
    }
    for (int m = 1; m <= 12; ++m) {
        d.monthNames[m - 1] = userLocale.monthName(m, QLocale::LongFormat);
        d.shortMonthNames[m - 1] = userLocale.monthName(m, QLocale::ShortFormat);
        d.standaloneMonthNames[m - 1] = userLocale.standaloneMonthName(m, QLocale::LongFormat);
        d.shortStandaloneMonthNames[m - 1] = userLocale.standaloneMonthName(m, QLocale::ShortFormat);
    }
    d.amText = userLocale.amText();
    d.pmText = userLocale.pmText();
    return d;
}

LocaleFormats MakeLocaleFormats(const LocaleDateData &data)
{
    LocaleFormats f;
    const QString sep =
        EscapePercent(data.dateSeparator.isEmpty() ? QStringLiteral("/") : data.dateSeparator.left(3));
    const QString day = data.dayLeadingZero ? QStringLiteral("%d") : QStringLiteral("%#d");
    const QString month = data.monthLeadingZero ? QStringLiteral("%m") : QStringLiteral("%#m");
    const QString year = data.century ? QStringLiteral("%Y") : QStringLiteral("%y");
    if (data.dateOrder == 1)
        f.shortDate = day + sep + month + sep + year;
    else if (data.dateOrder == 2)
        f.shortDate = year + sep + month + sep + day;
    else
        f.shortDate = month + sep + day + sep + year;

    const QString timeSep =
        EscapePercent(data.timeSeparator.isEmpty() ? QStringLiteral(":") : data.timeSeparator);
    const QString pictureSep =
        EscapeQuote(data.timePictureSeparator.isEmpty() ? QStringLiteral(":") : data.timePictureSeparator);
    if (data.clock24) {
        f.time = (data.hourLeadingZero ? QStringLiteral("%H") : QStringLiteral("%#H")) + timeSep +
                 QStringLiteral("%M");
        f.timePicture = (data.hourLeadingZero ? QStringLiteral("HH'") : QStringLiteral("H'")) + pictureSep +
                        QStringLiteral("'mm");
    } else {
        f.time = (data.hourLeadingZero ? QStringLiteral("%I") : QStringLiteral("%#I")) + timeSep +
                 QStringLiteral("%M %p");
        f.timePicture = (data.hourLeadingZero ? QStringLiteral("hh'") : QStringLiteral("h'")) + pictureSep +
                        QStringLiteral("'mm' 'tt");
    }
    f.weekdayDateTime = QStringLiteral("%a ") + f.shortDate + QLatin1Char(' ') + f.time;
    f.clock12 = !data.clock24;
    f.hourLeadingZero = data.hourLeadingZero;
    f.longDateNotDayFirst = data.longDateOrder != 1;
    return f;
}

void BuildLocaleFormats()
{
    BuildLocaleFormats(LocaleDateDataFromLocale(QLocale(), QLocale::system()));
}

void BuildLocaleFormats(const LocaleDateData &data)
{
    g_data = data;
    g_formats = MakeLocaleFormats(data);
}

const LocaleFormats &GetLocaleFormats()
{
    EnsureBuilt();
    return *g_formats;
}

const LocaleDateData &GetLocaleDateData()
{
    EnsureBuilt();
    return *g_data;
}

QString FormatDatePicture(const CDateTime &date, const QString &picture, const LocaleDateData &data)
{
    CDateTime::Parts p;
    if (!date.GetParts(p))
        return {};
    const QList<PictureToken> tokens = TokenizePicture(picture, QStringLiteral("dMyhHmst"));
    // Month names take the form used with a day number when the picture shows one.
    const bool withDay = PictureHasDayNumber(tokens);
    QString out;
    for (const PictureToken &t : tokens) {
        const char16_t c = t.letter.unicode();
        if (t.letter.isNull()) {
            out += t.text;
        } else if (c == u'd') {
            if (t.count <= 2)
                out += Number(p.day, t.count == 2);
            else
                out += t.count == 3 ? data.shortDayNames[p.dayOfWeek - 1] : data.dayNames[p.dayOfWeek - 1];
        } else if (c == u'M') {
            if (t.count <= 2)
                out += Number(p.month, t.count == 2);
            else if (t.count == 3)
                out +=
                    withDay ? data.shortMonthNames[p.month - 1] : data.shortStandaloneMonthNames[p.month - 1];
            else
                out += withDay ? data.monthNames[p.month - 1] : data.standaloneMonthNames[p.month - 1];
        } else if (c == u'y') {
            if (t.count <= 2)
                out += Number(p.year % 100, t.count == 2);
            else
                out += QString::number(p.year);
        } else if (c == u'h') {
            out += Number(Hour12(p.hour), t.count >= 2);
        } else if (c == u'H') {
            out += Number(p.hour, t.count >= 2);
        } else if (c == u'm') {
            out += Number(p.minute, t.count >= 2);
        } else if (c == u's') {
            out += Number(p.second, t.count >= 2);
        } else if (c == u't') {
            const QString &ampm = p.hour < 12 ? data.amText : data.pmText;
            out += t.count == 1 ? ampm.left(1) : ampm;
        }
    }
    return out;
}

QString FormatDateTime(const CDateTime &date, const QString &format, const LocaleDateData &data)
{
    CDateTime::Parts p;
    if (!date.GetParts(p))
        return {};
    QString out;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = format.at(i);
        if (c != QLatin1Char('%') || i + 1 >= n) {
            out += c;
            continue;
        }
        qsizetype j = i + 1;
        const bool alt = format.at(j) == QLatin1Char('#');
        if (alt) {
            if (j + 1 >= n) {
                out += format.mid(i);
                break;
            }
            ++j;
        }
        const bool zero = !alt; // "#" drops leading zeros
        switch (format.at(j).unicode()) {
        case u'a':
            out += data.shortDayNames[p.dayOfWeek - 1];
            break;
        case u'A':
            out += data.dayNames[p.dayOfWeek - 1];
            break;
        case u'b':
            out += data.shortStandaloneMonthNames[p.month - 1];
            break;
        case u'B':
            out += data.standaloneMonthNames[p.month - 1];
            break;
        case u'c':
            out += alt ? FormatDatePicture(date, LongPicture(data), data) + QLatin1Char(' ') +
                             FormatDatePicture(date, data.timePicture, data)
                       : FormatDatePicture(date, data.shortDatePicture, data) + QLatin1Char(' ') +
                             FormatDatePicture(date, data.timePicture, data);
            break;
        case u'd':
            out += Number(p.day, zero);
            break;
        case u'H':
            out += Number(p.hour, zero);
            break;
        case u'I':
            out += Number(Hour12(p.hour), zero);
            break;
        case u'j':
            out += zero ? QStringLiteral("%1").arg(p.dayOfYear, 3, 10, QLatin1Char('0'))
                        : QString::number(p.dayOfYear);
            break;
        case u'm':
            out += Number(p.month, zero);
            break;
        case u'M':
            out += Number(p.minute, zero);
            break;
        case u'p':
            out += p.hour < 12 ? data.amText : data.pmText;
            break;
        case u'S':
            out += Number(p.second, zero);
            break;
        case u'w':
            out += QString::number(p.dayOfWeek - 1);
            break;
        case u'x':
            out += FormatDatePicture(date, alt ? LongPicture(data) : data.shortDatePicture, data);
            break;
        case u'X':
            out += FormatDatePicture(date, data.timePicture, data);
            break;
        case u'y':
            out += Number(p.year % 100, zero);
            break;
        case u'Y':
            out += QString::number(p.year);
            break;
        case u'%':
            out += QLatin1Char('%');
            break;
        default:
            out += format.mid(i, j - i + 1);
            break; // unknown codes stay as written
        }
        i = j;
    }
    return out;
}

QString FormatDateTime(const CDateTime &date, const QString &format)
{
    return FormatDateTime(date, format, GetLocaleDateData());
}

QString FormatWeekdayDate(const CDateTime &date)
{
    return FormatDateTime(date, QStringLiteral("%a ") + GetLocaleFormats().shortDate);
}

QString FormatDateTimeOrDate(const CDateTime &date, bool dateOnlyHint)
{
    if (!dateOnlyHint || date.GetHour() != 0 || date.GetMinute() != 0)
        return FormatDateTime(date, GetLocaleFormats().weekdayDateTime);
    return FormatWeekdayDate(date);
}

QString FormatShortDate(const CDateTime &date)
{
    return FormatDateTime(date, GetLocaleFormats().shortDate);
}

QString FormatLongDate(const CDateTime &date)
{
    const LocaleDateData &data = GetLocaleDateData();
    QString text;
    if (!data.longDatePicture.isEmpty()) {
        QString picture = data.longDatePicture;
        const bool addWeekday = !picture.contains(QLatin1String("ddd"));
        if (addWeekday)
            picture.prepend(QStringLiteral("dddd',' "));
        text = FormatDatePicture(date, picture, data);
        if (addWeekday && !text.isEmpty())
            text[0] = text[0].toUpper();
    }
    if (text.isEmpty())
        text = FormatDateTime(date, QStringLiteral("%#x"));
    return text;
}

QString FormatDayMonth(const CDateTime &date, bool longMonthName)
{
    QString text;
    if (!GetLocaleFormats().longDateNotDayFirst) {
        text = FormatDatePicture(date, longMonthName ? QStringLiteral("d MMMM") : QStringLiteral("d MMM"),
                                 GetLocaleDateData());
    }
    if (text.isEmpty())
        text = FormatDateTime(date, longMonthName ? QStringLiteral("%B %#d") : QStringLiteral("%b %#d"));
    return text;
}

QString FormatTime(const CDateTime &date)
{
    return FormatDateTime(date, GetLocaleFormats().time);
}
QString FormatTimeText(const CDateTime &date)
{
    return FormatTime(date);
}

QString FormatCompactTime(const CDateTime &date)
{
    QString text = FormatTimeText(date);
    if (GetLocaleFormats().clock12) {
        text.remove(QLatin1Char(' '));
        text = text.toLower();
    }
    return text;
}

QString FormatDateCaptionAtLevel(const CDateTime &date, int level)
{
    switch (level) {
    case 0:
        return FormatDateTime(date, QStringLiteral("%A, ")) + FormatDayMonth(date, true);
    case 1:
        return FormatDateTime(date, QStringLiteral("%A, ")) + FormatDayMonth(date, false);
    case 2:
        return FormatDateTime(date, QStringLiteral("%a, ")) + FormatDayMonth(date, false);
    case 3:
        return FormatDateTime(date, QStringLiteral("%a %#d"));
    default:
        return FormatDateTime(date, QStringLiteral("%#d"));
    }
}

int GetDateCaptionLevel(const TextWidthFn &measure, const CDateTime &date, int width)
{
    if (width == -1 || !measure)
        return 0;
    for (int level = 0; level < 4; ++level) {
        if (measure(FormatDateCaptionAtLevel(date, level)) <= width)
            return level;
    }
    return 4;
}

QString FormatDateCaptionToFit(const TextWidthFn &measure, const CDateTime &date, int width)
{
    return FormatDateCaptionAtLevel(date, GetDateCaptionLevel(measure, date, width));
}

QString FormatDayMonthToFit(const TextWidthFn &measure, const CDateTime &date, int width)
{
    for (const bool longName : {true, false}) {
        QString text = FormatDayMonth(date, longName);
        if (!measure || measure(text) <= width)
            return text;
    }
    return FormatDateTime(date, QStringLiteral("%#d"));
}

QString FormatLongDateToFit(const TextWidthFn &measure, const CDateTime &date, int width)
{
    QString text = FormatLongDate(date);
    if (!measure || measure(text) <= width)
        return text;
    return FormatDateCaptionToFit(measure, date, width);
}

// The formats of the Date and Time dialog, through the locale's short and long forms.
#include "editing/base/DateTimeChoices.h"

#include "core/dates/DateFormats.h"

#include <QDateTime>
#include <QRegularExpression>

bool CDateTimeChoices::UsesTwelveHourClock(const QLocale &locale)
{
    return locale.timeFormat(QLocale::ShortFormat).contains(QLatin1String("ap"), Qt::CaseInsensitive);
}

QString CDateTimeChoices::TimeSeparator(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    const qsizetype hour = format.indexOf(QRegularExpression(QStringLiteral("[hH]")));
    if (hour < 0)
        return QStringLiteral(":");
    qsizetype from = hour;
    while (from < format.size() &&
           (format.at(from) == QLatin1Char('h') || format.at(from) == QLatin1Char('H')))
        ++from;
    QString separator;
    while (from < format.size() && format.at(from) != QLatin1Char('m') && separator.size() < 3)
        separator += format.at(from++);
    return separator.isEmpty() ? QStringLiteral(":") : separator;
}

QString CDateTimeChoices::Row(int row, const CDateTime &now, const QLocale &locale)
{
    const QDateTime dt = now.ToQDateTime();
    const QString sep = TimeSeparator(locale);
    const bool twelve = UsesTwelveHourClock(locale);
    switch (row) {
    case 0:
        return locale.toString(dt.date(), QLocale::ShortFormat);
    case 1:
        return locale.toString(dt.date(), QLocale::LongFormat);
    case 2:
        return locale.toString(dt.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
               locale.toString(dt.time(), QLocale::ShortFormat);
    case 3:
        return locale.toString(dt.date(), QLocale::LongFormat) + QLatin1Char(' ') +
               locale.toString(dt.time(), QLocale::ShortFormat);
    case 4:
        return FormatTime(now);
    case 5:
        return locale.toString(dt.time(), twelve ? QStringLiteral("h:mm:ss AP") : QStringLiteral("HH:mm:ss"));
    case 6:
        return twelve
                   ? dt.time().toString(QStringLiteral("HH")) + sep + dt.time().toString(QStringLiteral("mm"))
                   : QString();
    case 7:
        return twelve ? dt.time().toString(QStringLiteral("HH")) + sep +
                            dt.time().toString(QStringLiteral("mm")) + sep +
                            dt.time().toString(QStringLiteral("ss"))
                      : QString();
    default:
        return {};
    }
}

QStringList CDateTimeChoices::Rows(const CDateTime &now, const QLocale &locale)
{
    QStringList rows;
    const int count = UsesTwelveHourClock(locale) ? 8 : 6;
    for (int row = 0; row < count; ++row)
        rows.append(Row(row, now, locale));
    return rows;
}

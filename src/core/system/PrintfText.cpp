// A small printf for string-table texts.
#include "core/system/PrintfText.h"

QString PrintfArg::Render(int width, bool zeroPad, bool leftAlign) const
{
    QString s = m_isNumber ? QString::number(m_number) : m_text;
    if (s.size() >= width)
        return s;
    if (leftAlign)
        return s.leftJustified(width, QLatin1Char(' '));
    if (zeroPad && m_isNumber) {
        const bool negative = s.startsWith(QLatin1Char('-'));
        QString digits = negative ? s.mid(1) : s;
        digits = digits.rightJustified(width - (negative ? 1 : 0), QLatin1Char('0'));
        return negative ? QLatin1Char('-') + digits : digits;
    }
    return s.rightJustified(width, QLatin1Char(' '));
}

QString PrintfText(const QString &format, std::initializer_list<PrintfArg> args)
{
    QString out;
    out.reserve(format.size() + 32);
    auto next = args.begin();
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != QLatin1Char('%') || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        if (format.at(i + 1) == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        bool zeroPad = false, leftAlign = false;
        for (; j < format.size(); ++j) {
            const QChar f = format.at(j);
            if (f == QLatin1Char('0'))
                zeroPad = true;
            else if (f == QLatin1Char('-'))
                leftAlign = true;
            else if (f != QLatin1Char('#') && f != QLatin1Char('+') && f != QLatin1Char(' '))
                break;
        }
        int width = 0;
        for (; j < format.size() && format.at(j).isDigit(); ++j)
            width = width * 10 + format.at(j).digitValue();
        if (j < format.size() && format.at(j) == QLatin1Char('l'))
            ++j;
        if (j >= format.size()) {
            out += format.mid(i);
            break;
        }
        const QChar conv = format.at(j);
        if (conv == QLatin1Char('s') || conv == QLatin1Char('d') || conv == QLatin1Char('u') ||
            conv == QLatin1Char('i')) {
            if (next != args.end())
                out += (next++)->Render(width, zeroPad, leftAlign);
        } else {
            out += format.mid(i, j - i + 1);
        }
        i = j;
    }
    return out;
}

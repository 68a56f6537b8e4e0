// The forgiving reader of typed times of day.
#include "toolkit/controls/TimeTextParser.h"

#include <QStringList>

namespace {
enum class Marker
{
    None,
    Am,
    Pm
};

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Reads one or two digits at `pos`; -1 when there are none or more than two.
int ReadNumber(const QString &t, qsizetype &pos)
{
    const qsizetype start = pos;
    int value = 0;
    while (pos < t.size() && IsAsciiDigit(t.at(pos)) && pos - start < 3) {
        value = value * 10 + (t.at(pos).unicode() - u'0');
        ++pos;
    }
    const qsizetype digits = pos - start;
    return digits == 0 || digits > 2 ? -1 : value;
}

void SkipBlanks(const QString &t, qsizetype &pos)
{
    while (pos < t.size() && t.at(pos).isSpace())
        ++pos;
}

// Reads a separator (any of `separators`) with blanks around it; false when there is none.
bool ReadSeparator(const QString &t, qsizetype &pos, const QStringList &separators)
{
    qsizetype p = pos;
    SkipBlanks(t, p);
    for (const QString &sep : separators) {
        if (!sep.isEmpty() && t.mid(p).startsWith(sep)) {
            p += sep.size();
            SkipBlanks(t, p);
            pos = p;
            return true;
        }
    }
    return false;
}
} // namespace

CTimeTextParser::CTimeTextParser(const LocaleDateData &data)
    : m_am(data.amText.trimmed().toLower()), m_pm(data.pmText.trimmed().toLower()),
      m_separator(data.timeSeparator.trimmed())
{
}

std::optional<CTimeTextParser::Time> CTimeTextParser::ParseTimeOfDay(const QString &text) const
{
    QString t = text.trimmed().toLower();
    if (t.isEmpty())
        return std::nullopt;

    // The marker, longest candidates first, at the end or (as some locales write it) in front.
    struct Candidate
    {
        QString text;
        Marker marker;
    };
    QList<Candidate> candidates;
    if (!m_am.isEmpty())
        candidates.append({m_am, Marker::Am});
    if (!m_pm.isEmpty())
        candidates.append({m_pm, Marker::Pm});
    candidates.append({QStringLiteral("a.m."), Marker::Am});
    candidates.append({QStringLiteral("p.m."), Marker::Pm});
    candidates.append({QStringLiteral("am"), Marker::Am});
    candidates.append({QStringLiteral("pm"), Marker::Pm});
    candidates.append({QStringLiteral("a"), Marker::Am});
    candidates.append({QStringLiteral("p"), Marker::Pm});
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) { return a.text.size() > b.text.size(); });
    Marker marker = Marker::None;
    for (const Candidate &c : candidates) {
        if (t.size() > c.text.size() && t.endsWith(c.text)) {
            t.chop(c.text.size());
            marker = c.marker;
            break;
        }
        if (t.size() > c.text.size() && t.startsWith(c.text)) {
            t.remove(0, c.text.size());
            marker = c.marker;
            break;
        }
    }
    t = t.trimmed();

    QStringList separators{QStringLiteral(":"), QStringLiteral(".")};
    if (!m_separator.isEmpty() && !separators.contains(m_separator))
        separators.prepend(m_separator);

    qsizetype pos = 0;
    const int hour = ReadNumber(t, pos);
    if (hour < 0)
        return std::nullopt;
    int minute = 0;
    if (ReadSeparator(t, pos, separators)) {
        minute = ReadNumber(t, pos);
        if (minute < 0 || minute > 59)
            return std::nullopt;
        if (ReadSeparator(t, pos, separators)) {
            const int second = ReadNumber(t, pos);
            if (second < 0 || second > 59)
                return std::nullopt;
        }
    } else if (marker == Marker::None) {
        return std::nullopt; // a bare hour is the digit shorthand's business
    }
    if (pos != t.size())
        return std::nullopt;

    switch (marker) {
    case Marker::None:
        if (hour > 23)
            return std::nullopt;
        return Time{hour, minute};
    case Marker::Am:
        if (hour < 1 || hour > 12)
            return std::nullopt;
        return Time{hour % 12, minute};
    case Marker::Pm:
        if (hour < 1 || hour > 12)
            return std::nullopt;
        return Time{hour % 12 + 12, minute};
    }
    return std::nullopt;
}

QString CTimeTextParser::RewriteDigits(const QString &text)
{
    if (text.isEmpty() || text.size() > 4)
        return {};
    for (QChar c : text) {
        if (!IsAsciiDigit(c))
            return {};
    }
    if (text.size() <= 2)
        return text + QStringLiteral(":00");
    return text.left(text.size() - 2) + QLatin1Char(':') + text.right(2);
}

std::optional<CTimeTextParser::Time> CTimeTextParser::ParseTyped(const QString &text) const
{
    const QString t = text.trimmed();
    if (auto time = ParseTimeOfDay(t))
        return time;
    const QString rewritten = RewriteDigits(t);
    if (rewritten.isEmpty())
        return std::nullopt;
    return ParseTimeOfDay(rewritten);
}

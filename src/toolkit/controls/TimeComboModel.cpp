// The time combo box's list, stored time and input rules.
#include "toolkit/controls/TimeComboModel.h"

#include "core/dates/DurationText.h"

namespace {
CDateTime TimeOfDay(int hour, int minute)
{
    return CDateTime(1899, 12, 30, hour, minute, 0);
}
} // namespace

CTimeComboModel::CTimeComboModel(const CTimeTextParser &parser) : m_parser(parser) {}

const QList<CTimeComboModel::Entry> &CTimeComboModel::FillTimes()
{
    m_entries.clear();
    for (int hour = 0; hour < 24; ++hour) {
        for (int minute : {0, 30})
            m_entries.append({FormatTimeText(TimeOfDay(hour, minute)), EntryData(hour, minute)});
    }
    if (m_endOfDay)
        m_entries.append({FormatTimeText(TimeOfDay(23, 59)), EntryData(23, 59)});
    m_time = TimeOfDay(0, 0);
    m_hasValue = true;
    return m_entries;
}

void CTimeComboModel::SetTime(const CDateTime &time)
{
    const int hour = time.GetHour();
    const int minute = time.GetMinute();
    m_time = TimeOfDay(hour < 0 ? 0 : hour, minute < 0 ? 0 : minute);
    m_hasValue = true;
}

bool CTimeComboModel::GetTime(CDateTime &time) const
{
    if (m_hasValue)
        time = m_time;
    return m_hasValue;
}

int CTimeComboModel::StoredEntryIndex() const
{
    const std::uint32_t data = EntryData(m_time.GetHour(), m_time.GetMinute());
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).data == data)
            return i;
    }
    return -1;
}

QString CTimeComboModel::StoredText() const
{
    return FormatTimeText(m_time);
}

std::optional<CTimeComboModel::Change> CTimeComboModel::StoreTime(int hour, int minute)
{
    const CDateTime old = m_time;
    SetTime(TimeOfDay(hour, minute));
    return Change{kTimeOfDay, m_time - old};
}

std::optional<CTimeComboModel::Change> CTimeComboModel::Choose(int index)
{
    if (index < 0 || index >= m_entries.size())
        return std::nullopt;
    const std::uint32_t data = m_entries.at(index).data;
    return StoreTime(int(data >> 16), int(data & 0xFFFF));
}

std::optional<CTimeComboModel::Change> CTimeComboModel::Leave(const QString &text)
{
    if (m_hasValue)
        return std::nullopt;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (auto time = m_parser.ParseTyped(t))
        return StoreTime(time->hour, time->minute);

    if (!m_relativeInput)
        return std::nullopt;
    const QChar lead = t.at(0);
    if (lead != QLatin1Char('+') && lead != QLatin1Char('-') && lead != QLatin1Char('<') &&
        lead != QLatin1Char('>'))
        return std::nullopt;
    qsizetype run = 0;
    while (run < t.size() && t.at(run) == lead)
        ++run;
    const QString amount = t.mid(run).trimmed();
    // A sign with no amount is no entry; reporting a zero move would only confuse the owner.
    if (amount.isEmpty())
        return std::nullopt;
    CDateSpan span;
    if (ParseDuration(amount, span, m_maxDuration) != kDurationParsed)
        return std::nullopt;
    const bool negative = lead == QLatin1Char('-') || lead == QLatin1Char('<');
    if (negative)
        span = -span;
    m_hasValue = true;
    const bool shift = lead == QLatin1Char('+') || lead == QLatin1Char('-');
    return Change{shift ? kShiftDuration : kSpanDuration, span};
}

CTimeComboModel::DropDownResult CTimeComboModel::DropDown(const QString &text)
{
    DropDownResult result;
    if (m_entries.isEmpty())
        return result;
    int hour = m_time.GetHour();
    int minute = m_time.GetMinute();
    if (auto time = m_parser.ParseTyped(text)) {
        hour = time->hour;
        minute = time->minute;
    }
    const std::uint32_t key = EntryData(hour, minute);
    // The first entry not below the time; an equal one is taken, a greater one gives the entry
    // before it. A time after every entry takes the last one, so the field never shows an entry
    // that differs from the stored time.
    int taken = int(m_entries.size()) - 1;
    for (int i = 0; i < m_entries.size(); ++i) {
        const std::uint32_t data = m_entries.at(i).data;
        if (data >= key) {
            taken = data == key || i == 0 ? i : i - 1;
            break;
        }
    }
    result.index = taken;
    result.change = Choose(taken);
    return result;
}

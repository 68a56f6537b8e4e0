// The duration combo box's list, stored duration and input rules.
#include "toolkit/controls/DurationComboModel.h"

#include "core/dates/DurationText.h"

namespace {
CDateSpan SpanOf(std::uint32_t data)
{
    const double value = double(data & 0xFFFF);
    switch (data >> 16) {
    case CDurationComboModel::kHours:
        return CDateSpan::FromMinutes(value * 60);
    case CDurationComboModel::kDays:
        return CDateSpan::FromMinutes(value * 1440);
    default:
        return CDateSpan::FromMinutes(value);
    }
}

// Whole minutes of a span, a hair over so that a span just below a minute still counts.
long WholeMinutes(const CDateSpan &span)
{
    return long(span.GetTotalDays() * 1440 + 0.000005787037037037037);
}
} // namespace

QString CDurationComboModel::OtherText()
{
    return QStringLiteral("Other...");
}

CDurationComboModel::CDurationComboModel()
{
    m_duration.SetStatus(CDateSpan::invalid);
}

const QList<CDurationComboModel::Entry> &CDurationComboModel::FillList(bool zeroAllowed)
{
    m_zeroAllowed = zeroAllowed;
    m_entries.clear();
    struct Fixed
    {
        int value;
        Unit unit;
    };
    static constexpr Fixed kFixed[] = {{5, kMinutes},  {10, kMinutes}, {15, kMinutes}, {20, kMinutes},
                                       {30, kMinutes}, {1, kHours},    {2, kHours},    {4, kHours},
                                       {8, kHours},    {12, kHours},   {1, kDays},     {2, kDays},
                                       {3, kDays},     {4, kDays},     {7, kDays}};
    if (zeroAllowed)
        m_entries.append({FormatDuration(CDateSpan(0.0)), EntryData(0, kMinutes)});
    for (const Fixed &f : kFixed) {
        const std::uint32_t data = EntryData(f.value, f.unit);
        m_entries.append({FormatDuration(SpanOf(data)), data});
    }
    m_entries.append({OtherText(), 0});
    return m_entries;
}

QString CDurationComboModel::SetDuration(const CDateSpan &span)
{
    m_duration = span;
    m_state = kValid;
    m_valid = true;
    return FormatDuration(span);
}

bool CDurationComboModel::GetDuration(CDateSpan &span) const
{
    if (m_valid)
        span = m_duration;
    return m_valid;
}

bool CDurationComboModel::Pick(int index)
{
    if (index < 0 || index >= m_entries.size())
        return false;
    if (index == m_entries.size() - 1) { // "Other..."
        m_state = kNotADuration;
        m_valid = false;
        return false;
    }
    m_duration = SpanOf(m_entries.at(index).data);
    m_state = kValid;
    m_valid = true;
    return true;
}

void CDurationComboModel::Edit()
{
    m_state = kNotADuration;
    m_valid = false;
}

CDurationComboModel::LeaveResult CDurationComboModel::Leave(const QString &text)
{
    LeaveResult result;
    if (m_valid)
        return result;
    // An empty text leaves the duration as it was: the stored one comes back, unreported as
    // nothing changed; with none stored the field stays without a value.
    if (text.trimmed().isEmpty()) {
        if (m_duration.IsValid())
            result.text = SetDuration(m_duration);
        return result;
    }
    CDateSpan span;
    m_state = ParseDuration(text, span, kMaxMinutes);
    if (m_state != kValid)
        return result;
    const long minutes = WholeMinutes(span);
    if (minutes == 0 && !m_zeroAllowed) {
        m_state = kNotADuration;
        return result;
    }
    result.text = SetDuration(CDateSpan::FromMinutes(double(minutes)));
    result.report = true;
    return result;
}

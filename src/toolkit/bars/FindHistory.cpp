// The find bar's search history.
#include "toolkit/bars/FindHistory.h"

#include "core/system/Profile.h"

#include <algorithm>

namespace {
const QString kSection = QStringLiteral("Search");
QString ValueName(int i)
{
    return QStringLiteral("Item%1").arg(i);
}
} // namespace

void CFindHistory::Load(const CProfile &profile)
{
    m_entries.clear();
    for (int i = 1; i <= kMaxEntries; ++i) {
        const QString text = profile.GetString(kSection, ValueName(i));
        if (text.isEmpty())
            break;
        m_entries.append(text);
    }
}

void CFindHistory::Save(CProfile &profile) const
{
    // The section holds nothing but the history.
    for (int i = 1; i <= kMaxEntries; ++i)
        profile.DeleteValue(kSection, ValueName(i));
    for (int i = 0; i < m_entries.size() && !m_entries[i].isEmpty(); ++i)
        profile.WriteString(kSection, ValueName(i + 1), m_entries[i]);
    profile.Sync();
}

int CFindHistory::Add(const QString &text)
{
    if (text.isEmpty())
        return -1;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].compare(text, Qt::CaseInsensitive) != 0)
            continue;
        if (i == m_entries.size() - 1)
            return 0; // already the newest: only selected
        m_entries.removeAt(i);
        break;
    }
    if (m_entries.size() >= kMaxEntries)
        m_entries.removeFirst();
    m_entries.append(text);
    return 0;
}

QStringList CFindHistory::ListRows() const
{
    QStringList rows = m_entries;
    std::reverse(rows.begin(), rows.end());
    return rows;
}

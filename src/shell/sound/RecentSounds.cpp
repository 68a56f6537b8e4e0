// The recent sound files of the sound dialogs.
#include "shell/sound/RecentSounds.h"

#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"

#include <QFileInfo>

namespace {

QString Section()
{
    return GetConstString(ConstName::RecentSounds);
}

QString ItemName(int i)
{
    return GetConstString(ConstName::ItemN).replace(QStringLiteral("%d"), QString::number(i));
}

} // namespace

CRecentSounds::CRecentSounds(ExistsFn exists) : m_exists(std::move(exists))
{
    if (!m_exists)
        m_exists = [](const QString &path) { return QFileInfo(path).isFile(); };
}

void CRecentSounds::Load()
{
    m_paths.clear();
    m_selected = -1;
    CProfile &profile = CProfile::Instance();
    for (int i = 1; i <= kMaxCount; ++i) {
        const QString path = profile.GetString(Section(), ItemName(i));
        if (path.isEmpty())
            break;
        if (m_exists(path))
            m_paths << path;
    }
}

void CRecentSounds::Save() const
{
    CProfile &profile = CProfile::Instance();
    // The whole section goes first, stale values beyond the list included.
    for (int i = 1; profile.HasValue(Section(), ItemName(i)) || i <= kMaxCount; ++i)
        profile.DeleteValue(Section(), ItemName(i));
    int n = 1;
    for (const QString &path : m_paths) {
        if (path.isEmpty())
            break;
        profile.WriteString(Section(), ItemName(n++), path);
    }
}

int CRecentSounds::Add(const QString &path)
{
    if (path.isEmpty() || !m_exists(path))
        return -1;
    const int at = int(m_paths.indexOf(path));
    if (at >= 0) {
        m_selected = Count() - 1 - at;
        return m_selected;
    }
    if (Count() >= kMaxCount)
        m_paths.removeFirst();
    m_paths << path;
    m_selected = 0;
    return m_selected;
}

QStringList CRecentSounds::RowTexts() const
{
    QStringList rows;
    for (int i = Count() - 1; i >= 0; --i)
        rows << QFileInfo(m_paths.at(i)).fileName();
    return rows;
}

QString CRecentSounds::PathOfRow(int row) const
{
    if (row < 0 || row >= Count())
        return {};
    return m_paths.at(Count() - 1 - row);
}

int CRecentSounds::RowOfPath(const QString &path) const
{
    const int at = int(m_paths.indexOf(path));
    return at < 0 ? -1 : Count() - 1 - at;
}

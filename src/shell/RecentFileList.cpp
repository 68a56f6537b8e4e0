// The recent data-file list.
#include "shell/RecentFileList.h"

#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"

#include <QFileInfo>

namespace {

QString SectionName()
{
    return GetConstString(ConstName::RecentFileList);
}

QString EntryName(int index)
{
    // "Item%d", counted from 1.
    return GetConstString(ConstName::ItemN).replace(QStringLiteral("%d"), QString::number(index + 1));
}

} // namespace

CRecentFileListEx::CRecentFileListEx(int size, int displayLength) : m_displayLength(displayLength)
{
    for (int i = 0; i < size; ++i)
        m_paths.append(QString());
}

void CRecentFileListEx::ReadList(const CProfile &profile)
{
    for (int i = 0; i < m_paths.size(); ++i)
        m_paths[i] = profile.GetString(SectionName(), EntryName(i));
}

void CRecentFileListEx::WriteList(CProfile &profile) const
{
    int written = 0;
    for (const QString &path : m_paths)
        if (!path.isEmpty())
            profile.WriteString(SectionName(), EntryName(written++), path);
    for (int i = written; i < m_paths.size(); ++i)
        profile.DeleteValue(SectionName(), EntryName(i));
}

void CRecentFileListEx::Add(const QString &path)
{
    if (path.isEmpty() || m_paths.isEmpty())
        return;
    // Paths are compared exactly: names differing in case are different files here.
    int at = m_paths.indexOf(path);
    if (at < 0)
        at = int(m_paths.size()) - 1;
    m_paths.removeAt(at);
    m_paths.prepend(path);
}

void CRecentFileListEx::Remove(int index)
{
    if (index < 0 || index >= m_paths.size())
        return;
    m_paths.removeAt(index);
    m_paths.append(QString());
}

QString CRecentFileListEx::GetPath(int index) const
{
    return index >= 0 && index < m_paths.size() ? m_paths[index] : QString();
}

bool CRecentFileListEx::IsEmpty() const
{
    for (const QString &path : m_paths)
        if (!path.isEmpty())
            return false;
    return true;
}

QString CRecentFileListEx::GetMenuText(int index) const
{
    const QString path = GetPath(index);
    if (path.isEmpty())
        return {};
    QString shown = AbbreviatePath(path, m_displayLength);
    shown.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

QString CRecentFileListEx::AbbreviatePath(const QString &path, int length)
{
    if (path.size() <= length)
        return path;
    const QString name = QFileInfo(path).fileName();
    const QStringList parts = path.split(u'/', Qt::KeepEmptyParts);
    // parts[0] is empty for an absolute path; keep the root and the first folder when they fit.
    const QString head = parts.size() > 2 ? parts[0] + u'/' + parts[1] : QString();
    const QString joined = head + QStringLiteral("/.../") + name;
    if (!head.isEmpty() && joined.size() <= length)
        return joined;
    const QString shortJoined = QStringLiteral(".../") + name;
    if (shortJoined.size() <= length)
        return shortJoined;
    return name;
}

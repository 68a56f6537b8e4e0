// CRecentFileListEx: the recently opened data files behind the File menu, newest first, kept
// in the settings section "RecentFileList" as "Item1".."Item8".
#pragma once

#include <QString>
#include <QStringList>

class CProfile;

class CRecentFileListEx
{
  public:
    static constexpr int kSize = 8;
    static constexpr int kDisplayLength = 30;

    explicit CRecentFileListEx(int size = kSize, int displayLength = kDisplayLength);

    // Reads every entry; a missing one stays empty and the entries after it are still read.
    void ReadList(const CProfile &profile);
    // Writes the non-empty entries in order and deletes the names of the rest.
    void WriteList(CProfile &profile) const;

    // Puts the path at the top; an entry for the same path moves up instead of repeating, and
    // the oldest falls off a full list.
    void Add(const QString &path);
    void Remove(int index);

    int GetSize() const { return int(m_paths.size()); }
    QString GetPath(int index) const;
    bool IsEmpty() const;
    // The menu text of an entry: "&1 " and the path shortened to the display length by leaving
    // out folders in the middle (the file name is always whole).
    QString GetMenuText(int index) const;

    // A path shortened to at most `length` characters: "/first/.../name", or the name alone.
    static QString AbbreviatePath(const QString &path, int length);

  private:
    QStringList m_paths;
    int m_displayLength;
};

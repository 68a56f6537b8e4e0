// The find bar's history of search texts: at most 15, newest first in the list, unique without
// regard to case, kept in the settings as "Search"/"Item1" (oldest) to "Item15".
#pragma once

#include <QString>
#include <QStringList>

class CProfile;

class CFindHistory
{
  public:
    static constexpr int kMaxEntries = 15;

    // Reads "Item1" onwards and stops at the first empty value.
    void Load(const CProfile &profile);
    // Replaces the section's values with the history, oldest first.
    void Save(CProfile &profile) const;

    // Adds a search text and returns the list row to select (0, the newest, unless the text was
    // already the newest entry in another spelling, which stays as it is). An empty text is not
    // kept; -1 is returned.
    int Add(const QString &text);

    // Oldest first, as stored.
    const QStringList &Entries() const { return m_entries; }
    // Newest first, as the list shows them.
    QStringList ListRows() const;

  private:
    QStringList m_entries;
};

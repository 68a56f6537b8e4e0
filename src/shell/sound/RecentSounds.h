// CRecentSounds: the last 15 sound files chosen in the sound dialogs, oldest first, kept in
// the settings section "RecentSounds" as "Item1" (the oldest) onwards. The drop-down shows
// them newest first by file name: list row i is entry count - 1 - i.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class CRecentSounds
{
  public:
    static constexpr int kMaxCount = 15;

    // How the list asks whether a file exists (tests replace it).
    using ExistsFn = std::function<bool(const QString &)>;
    explicit CRecentSounds(ExistsFn exists = {});

    // Reads Item1.. until the first empty value; files that are gone take no slot.
    void Load();
    // Rewrites the section: every old value goes, the list is written from Item1.
    void Save() const;
    // Adds a path that exists: an entry already there (compared exactly, as paths are on this
    // system) is only selected; a 16th drops the oldest. Returns the selected row, -1 when the
    // file does not exist (nothing changes).
    int Add(const QString &path);

    int Count() const { return int(m_paths.size()); }
    const QStringList &Paths() const { return m_paths; }
    // The drop-down rows (file names, newest first) and the path behind a row.
    QStringList RowTexts() const;
    QString PathOfRow(int row) const;
    int RowOfPath(const QString &path) const;
    // The row selected by the last Add, -1 when none.
    int SelectedRow() const { return m_selected; }
    void SetSelectedRow(int row) { m_selected = row; }

  private:
    ExistsFn m_exists;
    QStringList m_paths;
    int m_selected = -1;
};

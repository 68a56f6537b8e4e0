// CFilterSettings: where a container remembers its filter for one data file. The values "FltT"
// (kind) and "FltN" (name) live in a settings section of the data file's own, named after a
// digest of the file's canonical path, below which each view has its section: two files keep
// separate filters, and the same file reached by another path finds its own.
#pragma once

#include <QString>

class CFilterSettings
{
  public:
    // "Files\<digest>\<view section>"; empty without a path.
    static QString SectionFor(const QString &dataFilePath, const QString &viewSection);
    // "SF" of the view's section (default 0): whether the filter is remembered at all.
    static bool IsRemembered(const QString &viewSection);
    // FltT defaults to 2, FltN to the empty name.
    static void Read(const QString &dataFilePath, const QString &viewSection, int &kind, QString &name);
    static void Write(const QString &dataFilePath, const QString &viewSection, int kind, const QString &name);
};

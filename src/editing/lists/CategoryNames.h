// The rules of an item's categories text: names joined by ", ", unique without regard to case.
#pragma once

#include <QString>
#include <QStringList>

class CCategoryNames
{
  public:
    static constexpr int kMaxText = 511;

    // The text trimmed, tabs as blanks and ';' as ','; split at ','; each name trimmed; empty
    // names and repeats skipped; sorted ascending (case-sensitive); then any name equal, ignoring
    // case, to one kept before it is dropped.
    static QStringList Split(const QString &text);
    // The names of Split joined by ", ".
    static QString Join(const QString &text);
    // The default names of the master category list.
    static QStringList DefaultNames();
};
